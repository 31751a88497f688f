#!/usr/bin/env bash
# Builds the Windows installer with msitools: wixl from the WiX source, then
# the names that wixl cannot hold (the program's 工程1.exe, the shortcut's
# "Mivello 折扣计算器") written into its File and Shortcut tables, each with
# an 8.3 name before the long one, in code page 936.
#   tools/make-msi.sh WXS OUTPUT.msi
set -euo pipefail
wxs=$1 out=$2
tmp="$out.tmp"
rm -f "$tmp"
wixl -o "$tmp" "$wxs"
codepage=$(mktemp)
trap 'rm -f "$codepage" "$tmp"' EXIT
printf '\r\n\r\n936\t_ForceCodepage\r\n' >"$codepage"
msibuild "$tmp" -i "$codepage"
msibuild "$tmp" -q "UPDATE File SET FileName='GONGCH~1.EXE|工程1.exe' WHERE File='Program'"
msibuild "$tmp" -q "UPDATE Shortcut SET Name='MIVELL~1.LNK|Mivello 折扣计算器' WHERE Shortcut='Start'"
# What the installer will write, read back.
msiinfo export "$tmp" File | grep -q '|工程1.exe' || { echo "make-msi.sh: the program's name did not take" >&2; exit 1; }
msiinfo export "$tmp" Shortcut | grep -q '|Mivello 折扣计算器' || { echo "make-msi.sh: the shortcut's name did not take" >&2; exit 1; }
mv "$tmp" "$out"

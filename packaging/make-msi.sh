#!/usr/bin/env bash
# Builds the Windows installer with msitools: wixl from the WiX source, then
# the names that wixl cannot hold (the program's 工程1.exe, the shortcut's
# "Mivello 折扣计算器") written into its File and Shortcut tables, each with
# an 8.3 name before the long one, in code page 936.
# wixl finds the files beside the source, as program.exe and mivello.ico.
# The files carry the release time into the cabinet, and the summary the
# package code made from the version (wixl would draw one at random).
# The summary names the platform (Intel or x64) and the language, 2052.
#   packaging/make-msi.sh WXS PROGRAM ICON OUTPUT.msi RELEASE_TIME PACKAGE_CODE SUBJECT AUTHOR PLATFORM CONDITION
set -euo pipefail
wxs=$(realpath "$1") program=$(realpath "$2") icon=$(realpath "$3") out=$(realpath -m "$4") released=$5
package_code=$6 subject=$7 author=$8 platform=$9 launch_condition=${10}
tmp="$out.tmp"
stage=$(mktemp -d)
trap 'rm -rf "$stage" "$tmp"' EXIT
cp "$wxs" "$stage/mivello.wxs"
cp "$program" "$stage/program.exe"
cp "$icon" "$stage/mivello.ico"
touch -d "$released UTC" "$stage/program.exe" "$stage/mivello.ico"
rm -f "$tmp"
arch=x86
[ "$platform" = x64 ] && arch=x64
(cd "$stage" && wixl -a "$arch" -o "$tmp" mivello.wxs)
codepage="$stage/codepage.idt"
printf '\r\n\r\n936\t_ForceCodepage\r\n' >"$codepage"
msibuild "$tmp" -i "$codepage"
msibuild "$tmp" -s "$subject" "$author" "$platform;2052" "{$package_code}"
msibuild "$tmp" -q "UPDATE File SET FileName='GONGCH~1.EXE|工程1.exe' WHERE File='Program'"
msibuild "$tmp" -q "UPDATE Shortcut SET Name='MIVELL~1.LNK|Mivello 折扣计算器' WHERE Shortcut='Start'"
# The oldest Windows the program runs on, as its header says (wixl has no
# launch conditions of its own).
msibuild "$tmp" -q "INSERT INTO LaunchCondition (Condition, Description) VALUES ('$launch_condition', 'Mivello 需要 Windows 7 SP1 或更高版本。')"
# What the installer will write, read back.
msiinfo export "$tmp" File | grep -q '|工程1.exe' || { echo "make-msi.sh: the program's name did not take" >&2; exit 1; }
msiinfo export "$tmp" Shortcut | grep -q '|Mivello 折扣计算器' || { echo "make-msi.sh: the shortcut's name did not take" >&2; exit 1; }
mv "$tmp" "$out"

#!/usr/bin/env bash
# The Windows program end to end under Wine, in a throwaway prefix where a
# recording program stands at the browser's path and decoys at the shorter
# prefixes of that path.
#   wine_e2e.sh i686|x86_64 DRIVER PROGRAM RECORDER ARTIFACT_FOLDER
set -euo pipefail
arch=$1
driver=$(realpath "$2")
program=$(realpath "$3")
recorder=$(realpath "$4")
artifacts=$(realpath -m "$5")
mkdir -p "$artifacts"
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
begin_test

start_wine_prefix "$arch" "$work" "$recorder"
cp "$recorder" "$drive_c/Program.exe"                   # decoys: must never run
cp "$recorder" "$drive_c/Program Files/Internet.exe"

# A look at the window, as a person would see it.
wine "$program" >/dev/null 2>&1 &
window=$(wait_for_window "^$(expected caption)\$" 20)
[ -n "$window" ] || fail_now "the window did not appear under Wine"
sleep 1
import -window root -crop 600x250+0+0 "$artifacts/mivello-wine.png"
wineserver -k  # ends the program; the driver starts it again
wineserver -w || true

wine "$driver" "$(winepath -w "$program")"

browser=$(expected browser)
# One click on each link, then one double-click on each: each opens once more.
links="$browser $(expected wangwang_link)
show=0
$browser $(expected qq_link)
show=0
$browser $(expected shop_link)
show=1"
expected="$links
$links"
recorded=$(cat "$drive_c/iexplore-record.txt" 2>/dev/null || true)
[ "$recorded" = "$expected" ] || fail_now "the browser recorded: $recorded"
[ ! -e "$drive_c/Program-record.txt" ] || fail_now "C:\\Program.exe ran"
[ ! -e "$drive_c/Internet-record.txt" ] || fail_now "C:\\Program Files\\Internet.exe ran"
passed=6
finish links

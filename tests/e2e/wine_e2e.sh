#!/usr/bin/env bash
# The Windows program end to end under Wine, in a throwaway prefix where a
# recording program stands at the browser's path and decoys at the shorter
# prefixes of that path; then, with no Internet Explorer at all, the links
# through the handlers of their schemes.
#   wine_e2e.sh i686|x86_64 DRIVER LINKS_DRIVER PROGRAM RECORDER ARTIFACT_FOLDER
set -euo pipefail
arch=$1
driver=$(realpath "$2")
links_driver=$(realpath "$3")
program=$(realpath "$4")
recorder=$(realpath "$5")
artifacts=$(realpath -m "$6")
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

# Internet Explorer gone, as Windows 10 and 11 may have it, and a handler
# registered for each scheme (QQ's installer registers tencent:): each click
# reaches the handler once, with its link alone and its style, and no box.
find "$drive_c" -iname iexplore.exe -delete
cp "$recorder" "$drive_c/handler.exe"
for scheme in http tencent; do
  wine reg add "HKCR\\$scheme" /v "URL Protocol" /d "" /f >/dev/null 2>&1
  wine reg add "HKCR\\$scheme\\shell\\open\\command" /ve /d '"C:\handler.exe" "%1"' /f >/dev/null 2>&1
done
wineserver -w
handled() {
  printf '"C:\\handler.exe" "%s"\nshow=%s\n' "$(expected wangwang_link)" 0 "$(expected qq_link)" 0 \
    "$(expected shop_link)" 1
}
check "no Internet Explorer: the three links open with no box" wine "$links_driver" "$(winepath -w "$program")"
check "each reached its scheme's handler once, with its exact link and style" \
  bash -c '[ "$(cat "$1" 2>/dev/null)" = "$2" ] || { echo "recorded: $(cat "$1" 2>/dev/null)"; exit 1; }' _ \
  "$drive_c/handler-record.txt" "$(handled)"

# No handler for tencent: either: the QQ badge says so, the other two open.
wine reg delete 'HKCR\tencent' /f >/dev/null 2>&1
wineserver -w
rm -f "$drive_c/handler-record.txt"
check "no handler for tencent: the QQ badge gives error 53, the other two open" \
  wine "$links_driver" "$(winepath -w "$program")" qq
check "the other two reached the handler" \
  bash -c '[ "$(cat "$1" 2>/dev/null)" = "$2" ] || { echo "recorded: $(cat "$1" 2>/dev/null)"; exit 1; }' _ \
  "$drive_c/handler-record.txt" "$(handled | sed -n '1,2p;5,6p')"
finish links

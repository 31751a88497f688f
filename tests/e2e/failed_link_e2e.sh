#!/usr/bin/env bash
# A desktop where the opener cannot open links (no browser): each click on a
# link shows the runtime's error box naming the link, whose text Ctrl+C
# copies; dismissed, the window goes on, and the next click tells it again.
#   failed_link_e2e.sh PROGRAM ARTIFACT_FOLDER
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
begin_display_test "$1" "$2"

# As xdg-open ends when no tool can open a link.
mkdir -p "$work/bin"
printf '#!/bin/sh\necho "xdg-open: no method available for opening %s" >&2\nexit 3\n' "'\$1'" >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
PATH="$work/bin:$PATH" "$program" >"$work/program.log" 2>&1 &
pid=$!
window=$(wait_for_window "^$(expected caption)\$")
[ -n "$window" ] || fail_now "the window did not appear: $(cat "$work/program.log")"
sleep 0.5

boxes() { xdotool search --onlyvisible --name '^Mivello$' 2>/dev/null || true; }
for round in 1 2; do
  xdotool mousemove --window "$window" 40 112 click 1   # the shop line
  box=$(wait_for_window '^Mivello$' 10)
  [ -n "$box" ] || fail_now "round $round: no error box for a link that could not be opened"
  sleep 1
  [ "$(boxes | wc -l)" = 1 ] || fail_now "round $round: $(boxes | wc -l) boxes for one click"
  [ "$round" = 1 ] && import -window root -crop 800x600+0+0 "$artifacts/mivello-failed-link.png"
  printf '<empty>' | xclip -selection clipboard >/dev/null 2>&1
  xdotool windowfocus --sync "$box" 2>/dev/null || true
  xdotool key ctrl+c
  sleep 0.3
  copied=$(xclip -o -selection clipboard 2>/dev/null || true)
  grep -qF "无法打开链接：$(expected shop_link)" <<<"$copied" || fail_now "round $round: the box's text copied as '$copied'"
  xdotool key Return
  sleep 0.5
  [ -z "$(boxes)" ] || fail_now "round $round: the box stayed open"
  kill -0 "$pid" 2>/dev/null || fail_now "the program ended after the error"
done
kill "$pid"
verdict 0 "two rounds"
finish "failed link"

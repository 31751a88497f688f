#!/usr/bin/env bash
# A desktop where the opener cannot open links (no browser): each click on a
# link shows the runtime's error box naming the link, whose text Ctrl+C
# copies; dismissed, the window goes on, and the next click tells it again.
# Then the real xdg-open on a desktop it does not recognise, where it runs
# the browser and waits: a browser that took the shop's address and ended
# with a failure three seconds later shows no box; the QQ link, which no
# handler takes, shows one.
#   failed_link_e2e.sh PROGRAM ARTIFACT_FOLDER
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
begin_display_test "$1" "$2"

# As xdg-open ends when no tool can open a link.
stand_in_opener "$work/bin" "$work/opened" 3
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
wait "$pid" 2>/dev/null || true
verdict 0 "two rounds"

home="$work/home"
mkdir -p "$home/bin" "$home/data/applications" "$home/config"
printf '#!/bin/sh\necho "$1" >>"%s/opened"\nsleep 3\nexit 1\n' "$home" >"$home/bin/browser"
chmod +x "$home/bin/browser"
printf '[Desktop Entry]\nType=Application\nName=Browser\nExec=browser %%u\nMimeType=x-scheme-handler/http;\n' \
  >"$home/data/applications/browser.desktop"
printf '[Default Applications]\nx-scheme-handler/http=browser.desktop\n' >"$home/config/mimeapps.list"
env -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION PATH="$home/bin:$PATH" HOME="$home" XDG_CONFIG_HOME="$home/config" \
  XDG_DATA_HOME="$home/data" XDG_DATA_DIRS="$home/none" XDG_CONFIG_DIRS="$home/none" BROWSER=false \
  DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent "$program" >"$work/program.log" 2>&1 &
pid=$!
window=$(wait_for_window "^$(expected caption)\$")
[ -n "$window" ] || fail_now "the window did not appear again: $(cat "$work/program.log")"
sleep 0.5
xdotool mousemove --window "$window" 40 112 click 1   # the shop line
for _ in $(seq 100); do [ -s "$home/opened" ] && break; sleep 0.1; done
[ "$(cat "$home/opened" 2>/dev/null)" = "$(expected shop_link)" ] || fail_now "the browser got: $(cat "$home/opened" 2>/dev/null)"
sleep 5  # the browser's failing end, and xdg-open's after it
[ -z "$(boxes)" ] || fail_now "a box for a link that the browser had taken"
verdict 0 "a browser's late failure shows no box"
xdotool mousemove --window "$window" 430 106 click 1  # the QQ badge
box=$(wait_for_window '^Mivello$' 20)
[ -n "$box" ] || fail_now "no box for the QQ link, which nothing could open"
xdotool windowfocus --sync "$box" 2>/dev/null || true
xdotool key Return
verdict 0 "the QQ link that nothing opens shows its box"
kill "$pid"
finish "failed link"

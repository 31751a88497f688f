#!/usr/bin/env bash
# End to end on a real X server, as a user would: types with the keyboard,
# clicks with the mouse, reads the price box through the clipboard, and
# checks what the links hand to the desktop's opener.
#   linux_e2e.sh PROGRAM ARTIFACT_FOLDER
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
begin_display_test "$1" "$2"

# A recording opener earlier on PATH than the real xdg-open.
stand_in_opener "$work/bin" "$work/opened"

PATH="$work/bin:$PATH" "$program" --style=fusion -platform offscreen >"$work/program.log" 2>&1 &
pid=$!

window=$(wait_for_window "^$(expected caption)\$")
[ -n "$window" ] || fail_now "the window did not appear (toolkit options must be ignored): $(cat "$work/program.log")"
sleep 0.5

click() { xdotool mousemove --window "$window" "$1" "$2" click 1; sleep 0.2; }
type_text() { xdotool type --delay 30 "$1"; sleep 0.2; }
# Text boxes by their pixel rectangles: Text1 56,24; Text2 152,24; Text3 248,24.
# An empty box copies nothing, so the clipboard is set to a marker first.
read_box() {
  printf '<empty>' | xclip -selection clipboard >/dev/null 2>&1
  click "$1" 36; xdotool key ctrl+a ctrl+c; sleep 0.3
  local text; text=$(xclip -o -selection clipboard 2>/dev/null || true)
  [ "$text" = "<empty>" ] || printf '%s' "$text"
}
clear_box() { click "$1" 36; xdotool key ctrl+a BackSpace; }

click 84 36; type_text 199
click 180 36; type_text 8.5
click 352 36                                 # 计算
[ "$(read_box 280)" = "169.15" ] || fail_now "199 at 8.5 showed '$(read_box 280)'"
import -window "$window" "$artifacts/mivello-linux.png"

click 428 36                                 # 重来
for x in 84 180 280; do
  [ -z "$(read_box $x)" ] || fail_now "Reset left text in the box at x=$x"
done

# The period key of a Chinese input method types "。" at a box's start; the
# method commits its text whole, as a paste does (no key of the keyboard map
# stands for it, which a typed "。" would need for a moment).
printf '。5' | xclip -selection clipboard >/dev/null 2>&1
click 84 36; xdotool key ctrl+v; sleep 0.2
click 180 36; type_text 10
click 352 36
[ "$(read_box 280)" = "0.5" ] || fail_now "。5 at 10 showed '$(read_box 280)'"
click 428 36

click 282 104                                # Image1, also over Label6
click 430 106                                # Image2
click 40 112                                 # Label1
click 240 112                                # the last column of Label1 is Label6's
# A double-click on a link opens it once more, not twice.
for at in "290 100" "430 106" "40 112"; do
  xdotool mousemove --window "$window" $at click --repeat 2 --delay 80 1; sleep 0.6
done
sleep 1
links="1	$(expected wangwang_link)
1	$(expected qq_link)
1	$(expected shop_link)"
expected="$links
$links"
[ "$(cat "$work/opened" 2>/dev/null)" = "$expected" ] || fail_now "the opener got: $(cat "$work/opened" 2>/dev/null)"

click 84 36; type_text 1e400
click 352 36
box=$(wait_for_window '^Mivello$' 5)
[ -n "$box" ] || fail_now "no message box for an overflow"
sleep 0.3
import -window root -crop 800x600+0+0 "$artifacts/mivello-overflow.png"
xdotool windowfocus --sync "$box" 2>/dev/null || true
xdotool key Return
sleep 0.5
kill -0 "$pid" 2>/dev/null || fail_now "the program ended after the error"
[ -z "$(xdotool search --onlyvisible --name '^Mivello$' 2>/dev/null || true)" ] || fail_now "the message box stayed open"
[ "$(read_box 84)" = "1e400" ] || fail_now "the typed price was lost"

kill "$pid"
verdict 0 "the whole session"
finish e2e

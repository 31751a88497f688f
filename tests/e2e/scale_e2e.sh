#!/usr/bin/env bash
# The window at the scale factors of today's desktops on a real X server
# (Qt's xcb platform, as every X11 desktop runs it), clicked with the real
# pointer: the first and last device columns and rows of each badge and of
# the shop line open its link, and the pixel just outside does not.
#   scale_e2e.sh PROGRAM ARTIFACT_FOLDER
set -euo pipefail
here=$(dirname "${BASH_SOURCE[0]}")
source "$here/../lib.sh"
XVFB_SCREEN=1024x400x24 begin_display_test "$1" "$2"

stand_in_opener "$work/bin" "$work/opened"

for scale in 1.25 1.5 2; do
  rm -f "$work/opened"
  PATH="$work/bin:$PATH" QT_SCALE_FACTOR=$scale QT_QPA_PLATFORM=xcb "$program" >"$work/program.log" 2>&1 &
  pid=$!
  window=$(wait_for_window "^$(expected caption)\$")
  if [ -z "$window" ]; then
    verdict 1 "at $scale no window: $(cat "$work/program.log")"
    continue
  fi
  sleep 0.5
  want=$(python3 "$here/scale_clicks.py" "$window" "$scale" "$work/shot.ppm" 2>"$work/clicks")
  sleep 0.5
  got=$(cut -f 2- "$work/opened" 2>/dev/null || true)  # the links, one a line
  if [ "$got" = "$want" ]; then
    verdict 0 "at $scale"
  else
    verdict 1 "at scale $scale the clicks opened:"
    diff <(echo "$want") <(echo "$got") || true
    cat "$work/clicks"
  fi
  convert "$work/shot.ppm" "$artifacts/mivello-scale-$scale.png" 2>/dev/null || true
  kill "$pid"
  wait "$pid" 2>/dev/null || true
done
finish "scale on X11"

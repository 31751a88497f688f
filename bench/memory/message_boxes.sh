#!/usr/bin/env bash
# Resident memory of the Linux program across many untrapped-error message
# boxes (an overflow, dismissed with Enter), to tell a leak from caches that
# fill once.
#   bench/memory/message_boxes.sh [PROGRAM] [BOXES_PER_ROUND] [ROUNDS]
set -euo pipefail
program=$(realpath "${1:-build/default/app/mivello}")
per_round=${2:-200}
rounds=${3:-3}
source "$(dirname "${BASH_SOURCE[0]}")/../../tests/lib.sh"
begin_test
start_private_display "$work"

"$program" >/dev/null 2>&1 &
pid=$!
window=$(wait_for_window "^$(expected caption)\$" 30)
[ -n "$window" ] || { echo "the window did not appear" >&2; exit 1; }
sleep 0.5
rss() { awk '/^VmRSS/ {printf "%.1f MB", $2 / 1024}' "/proc/$pid/status"; }
xdotool mousemove --window "$window" 84 36 click 1
xdotool type 1e400
echo "before any box: $(rss)"
for round in $(seq "$rounds"); do
  for _ in $(seq "$per_round"); do
    xdotool mousemove --window "$window" 352 36 click 1
    box=$(wait_for_window '^Mivello$' 5)
    [ -n "$box" ] || { echo "no message box" >&2; exit 1; }
    xdotool key Return
    while xdotool search --onlyvisible --name '^Mivello$' >/dev/null 2>&1; do sleep 0.02; done
  done
  echo "after $((round * per_round)) boxes: $(rss)"
done

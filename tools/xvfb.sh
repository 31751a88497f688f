# Sourced by the scripts that need a display.
# start_private_display starts a private X server on a free display number
# and exports DISPLAY and XDG_RUNTIME_DIR.
#   start_private_display WORK_FOLDER
start_private_display() {
  local work="$1"
  exec 3>"$work/display"
  Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
  XVFB_PID=$!
  exec 3>&-
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
  [ -s "$work/display" ] || { echo "Xvfb did not start" >&2; return 1; }
  export DISPLAY=":$(head -n1 "$work/display")"
  export XDG_RUNTIME_DIR="$work"
}

# Ends the script's background jobs and waits until the X server has gone:
# a server still shutting down would remove the socket of the next one that
# takes its display number.
stop_private_display() {
  kill $(jobs -p) 2>/dev/null || true
  [ -n "${XVFB_PID:-}" ] && wait "$XVFB_PID" 2>/dev/null
  return 0
}

# Prints the id of the first visible window whose name matches REGEX,
# waiting up to SECONDS (default 10); prints nothing when none came.
#   wait_for_window REGEX [SECONDS]
wait_for_window() {
  local found="" tries=$(( ${2:-10} * 10 ))
  for _ in $(seq "$tries"); do
    found=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 || true)
    [ -n "$found" ] && break
    sleep 0.1
  done
  printf '%s' "$found"
}

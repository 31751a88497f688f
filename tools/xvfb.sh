# Sourced by the scripts that need a display: starts a private X server on a
# free display number and exports DISPLAY and XDG_RUNTIME_DIR.
#   start_private_display WORK_FOLDER
start_private_display() {
  local work="$1"
  exec 3>"$work/display"
  Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
  exec 3>&-
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
  [ -s "$work/display" ] || { echo "Xvfb did not start" >&2; return 1; }
  export DISPLAY=":$(head -n1 "$work/display")"
  export XDG_RUNTIME_DIR="$work"
}

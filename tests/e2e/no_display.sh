#!/usr/bin/env bash
# Started where no window can open, the program says why on stderr and ends
# with status 1: no abort, no core.
#   no_display.sh PROGRAM
set -uo pipefail
program=$(realpath "$1")
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
begin_test

expect() {  # expect WHAT STATUS STDERR_LINE -- COMMAND...
  local what=$1 status=$2 line=$3 err got
  shift 4
  err=$("$@" 2>&1 >/dev/null)
  got=$?
  [ "$got" = "$status" ] && [ "$err" = "$line" ]
  verdict $? "$what: status $got, stderr '$err'"
}
ulimit -c 0
expect "no DISPLAY" 1 "Mivello: 无法连接到显示器 (DISPLAY 未设置)" -- \
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program"
expect "a DISPLAY without a server" 1 "Mivello: 无法连接到显示器 :99987" -- \
  env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:99987 "$program"
expect "an empty DISPLAY" 1 "Mivello: 无法连接到显示器 (DISPLAY 未设置)" -- \
  env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY= "$program"
# Where Qt's Wayland plugin is installed, the compositor is what is missing.
if compgen -G "/usr/lib/*/qt6/plugins/platforms/libqwayland*.so" >/dev/null; then
  expect "a Wayland display without a compositor" 1 "Mivello: 无法连接到显示器 wayland-mivello-none" -- \
    env -u DISPLAY -u QT_QPA_PLATFORM WAYLAND_DISPLAY=wayland-mivello-none XDG_RUNTIME_DIR=/tmp "$program"
fi
# A display on another machine is Qt's to reach (no port answers here).
expect "a display elsewhere that does not answer" 1 "Mivello: 无法连接到显示器 127.0.0.1:9987" -- \
  env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=127.0.0.1:9987 "$program"
# A stale X display beside an unreachable Wayland one is X's to answer.
expect "a stale DISPLAY and no compositor" 1 "Mivello: 无法连接到显示器 :99987" -- \
  env -u QT_QPA_PLATFORM DISPLAY=:99987 WAYLAND_DISPLAY=wayland-mivello-none XDG_RUNTIME_DIR=/tmp "$program"

# Wayland only, on a system without Qt's Wayland plugin: the program copied
# beside a qt.conf that shows Qt a copy of its plugins without it (where it
# is not installed at all, the same).
plugins=$(find /usr/lib/*/qt6/plugins -maxdepth 0 -type d | head -n1)
mkdir -p "$work/bare/plugins"
cp "$program" "$work/bare/"
cp -rs "$plugins/." "$work/bare/plugins/"
rm -f "$work/bare/plugins/platforms/"libqwayland*
printf '[Paths]\nPlugins=%s\n' "$work/bare/plugins" >"$work/bare/qt.conf"
expect "a Wayland session without Qt's Wayland plugin" 1 \
  "Mivello: 无法打开窗口：Wayland 会话需要 Qt 的 Wayland 插件 (软件包 qt6-wayland)" -- \
  env -u DISPLAY -u QT_QPA_PLATFORM WAYLAND_DISPLAY=wayland-0 XDG_RUNTIME_DIR=/tmp "$work/bare/$(basename "$program")"

# opens WHAT COMMAND...: the program opens its window and keeps it open.
opens() {
  local what=$1 window=""
  shift
  "$@" >"$work/program.log" 2>&1 &
  local pid=$!
  window=$(wait_for_window "^Mivello")
  sleep 1
  [ -n "$window" ] && kill -0 "$pid" 2>/dev/null
  verdict $? "$what: no window ($(cat "$work/program.log"))"
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
}

# An X server reachable only over TCP on 127.0.0.1: Qt's X library gets
# there from DISPLAY=:N, and so does the program.
mkdir "$work/tcp"
start_private_display "$work/tcp" "" tcp-only
opens "an X server on TCP only" env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program"
stop_private_display
unset XVFB_PID

# A stale DISPLAY beside a working Wayland session: the native Wayland window.
mkdir "$work/wayland"
if ! command -v sway >/dev/null; then
  skip "a stale DISPLAY beside Wayland (no sway here)"
elif start_private_wayland "$work/wayland"; then
  env -u QT_QPA_PLATFORM DISPLAY=:99987 "$program" >"$work/program.log" 2>&1 &
  pid=$!
  app_id=""
  for _ in $(seq 100); do
    app_id=$(swaymsg -t get_tree -r | python3 -c 'import json, sys
def walk(n):
    yield n
    for c in n.get("nodes", []) + n.get("floating_nodes", []):
        yield from walk(c)
print(next((n.get("app_id") for n in walk(json.load(sys.stdin)) if n.get("pid")), ""))' 2>/dev/null || true)
    [ -n "$app_id" ] && break
    sleep 0.2
  done
  [ "$app_id" = "$(expected app_id)" ]
  verdict $? "a stale DISPLAY beside Wayland: app_id '$app_id' ($(cat "$work/program.log"))"
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  stop_private_display
  unset SWAY_PID
  export -n WAYLAND_DISPLAY SWAYSOCK
  unset WAYLAND_DISPLAY SWAYSOCK
else
  verdict 1 "the Wayland compositor did not start"
fi

# An X server that is there but admits only holders of its cookie: Qt's
# connection is refused, and the program says so as for a server that is not
# there.
: >"$work/cookie"
xauth -q -f "$work/cookie" add :0 . "$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')"
start_private_display "$work" "$work/cookie"
err=$(env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XAUTHORITY="$work/none" timeout 30 "$program" 2>&1 >/dev/null)
got=$?
[ "$got" = 1 ] && [ "$(printf '%s\n' "$err" | tail -n1)" = "Mivello: 无法连接到显示器 $DISPLAY" ] &&
  ! grep -q "qt.qpa" <<<"$err"
verdict $? "a server that refuses the program: status $got, stderr '$err'"
finish "no display"

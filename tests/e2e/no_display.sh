#!/usr/bin/env bash
# Started where no window can open, the program says why on stderr and ends
# with status 1: no abort, no core.
#   no_display.sh PROGRAM
set -uo pipefail
program=$(realpath "$1")
passed=0 failed=0
expect() {  # expect WHAT STATUS STDERR_LINE -- COMMAND...
  local what=$1 status=$2 line=$3 err got
  shift 4
  err=$("$@" 2>&1 >/dev/null)
  got=$?
  if [ "$got" = "$status" ] && [ "$err" = "$line" ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAIL: $what: status $got, stderr '$err'"
  fi
}
ulimit -c 0
expect "no DISPLAY" 1 "Mivello: 无法连接到显示器 (DISPLAY 未设置)" -- \
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program"
expect "a DISPLAY without a server" 1 "Mivello: 无法连接到显示器 :99987" -- \
  env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:99987 "$program"
expect "an empty DISPLAY" 1 "Mivello: 无法连接到显示器 (DISPLAY 未设置)" -- \
  env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY= "$program"
plugin=$(find /usr/lib/*/qt6/plugins/platforms -name libqwayland-generic.so 2>/dev/null | head -n1)
if [ -n "$plugin" ]; then
  expect "a Wayland display without a compositor" 1 "Mivello: 无法连接到显示器 wayland-mivello-none" -- \
    env -u DISPLAY -u QT_QPA_PLATFORM WAYLAND_DISPLAY=wayland-mivello-none XDG_RUNTIME_DIR=/tmp "$program"
else
  expect "a Wayland session without Qt's Wayland plugin" 1 \
    "Mivello: 无法打开窗口：Wayland 会话需要 Qt 的 Wayland 插件 (软件包 qt6-wayland)" -- \
    env -u DISPLAY -u QT_QPA_PLATFORM WAYLAND_DISPLAY=wayland-0 "$program"
fi
# A display on another machine is Qt's to reach (no port answers here).
expect "a display elsewhere that does not answer" 1 "Mivello: 无法连接到显示器 127.0.0.1:9987" -- \
  env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=127.0.0.1:9987 "$program"
# A stale X display beside an unreachable Wayland one is X's to answer.
expect "a stale DISPLAY and no compositor" 1 "Mivello: 无法连接到显示器 :99987" -- \
  env -u QT_QPA_PLATFORM DISPLAY=:99987 WAYLAND_DISPLAY=wayland-mivello-none XDG_RUNTIME_DIR=/tmp "$program"
# An X server that is there but admits only holders of its cookie: Qt's
# connection is refused, and the program says so as for a server that is not
# there (the X library may say why first).
work=$(mktemp -d)
trap 'stop_private_display; rm -rf "$work"' EXIT
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/xvfb.sh"
: >"$work/cookie"
xauth -q -f "$work/cookie" add :0 . "$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')"
start_private_display "$work" "$work/cookie"
err=$(env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XAUTHORITY="$work/none" timeout 30 "$program" 2>&1 >/dev/null)
got=$?
if [ "$got" = 1 ] && [ "$(printf '%s\n' "$err" | tail -n1)" = "Mivello: 无法连接到显示器 $DISPLAY" ] &&
  ! grep -q "qt.qpa" <<<"$err"; then
  passed=$((passed + 1))
else
  failed=$((failed + 1))
  echo "FAIL: a server that refuses the program: status $got, stderr '$err'"
fi
echo "no display: $passed passed, $failed failed"
[ "$failed" = 0 ]

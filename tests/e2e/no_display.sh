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
echo "no display: $passed passed, $failed failed"
[ "$failed" = 0 ]

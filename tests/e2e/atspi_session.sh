#!/usr/bin/env bash
# Runs an assistive-tool test against the program: a private X server (or,
# with ATSPI_DISPLAY=wayland, a private headless Wayland compositor), a
# private D-Bus session with its AT-SPI bus, and Qt's accessibility on.
#   atspi_session.sh SCRIPT PROGRAM ARTIFACT_FOLDER [ARGS...]
set -euo pipefail
script=$(realpath "$1")
program=$(realpath "$2")
artifacts=$(realpath -m "$3")
shift 3
mkdir -p "$artifacts"
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
begin_test
if [ "${ATSPI_DISPLAY:-x11}" = wayland ]; then
  start_private_wayland "$work"
else
  start_private_display "$work"
fi
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 LANG=C.UTF-8

# The session runs in a process group of its own and writes to files: the
# services the bus starts (the AT-SPI launcher, its bus, the registry) may
# outlive the session for a while, and must neither keep the caller's output
# open nor stay behind. The inner timeout is shorter than the test's, so a
# hang still shows what the test had printed.
python=$(python_with gi) || fail_now "the AT-SPI bindings for Python (python3-gi)"
setsid dbus-run-session -- timeout 100 "$python" -u "$script" "$program" "$artifacts" "$work" "$@" \
  >"$work/out" 2>"$work/err" </dev/null &
session=$!
status=0
wait "$session" || status=$?
kill -- "-$session" 2>/dev/null || true

# The bus daemons' notes are noise here; the test's own lines are on stdout.
grep -v '^SpiRegistry' "$work/out" || true
grep -v -E '^dbus-daemon' "$work/err" >&2 || true
[ "$status" -ne 124 ] || echo "the test did not finish within 100 s" >&2
exit "$status"

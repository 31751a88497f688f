#!/usr/bin/env bash
# Runs an assistive-tool test against the program: a private X server, a
# private D-Bus session with its AT-SPI bus, and Qt's accessibility on.
#   atspi_session.sh SCRIPT PROGRAM ARTIFACT_FOLDER
set -euo pipefail
script=$(realpath "$1")
program=$(realpath "$2")
artifacts=$(realpath -m "$3")
mkdir -p "$artifacts"
work=$(mktemp -d)
trap 'stop_private_display 2>/dev/null || true; rm -rf "$work"' EXIT

source "$(dirname "${BASH_SOURCE[0]}")/../../tools/xvfb.sh"
start_private_display "$work"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 LANG=C.UTF-8
# The bus daemon's notes on stderr are noise here; the test's own lines are on stdout.
dbus-run-session -- /usr/bin/python3 "$script" "$program" "$artifacts" "$work" 2> >(grep -v -E '^dbus-daemon' >&2) | grep -v '^SpiRegistry'

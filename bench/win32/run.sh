#!/usr/bin/env bash
# Start-up under Wine of 工程1.exe against a bare Win32 window with the same
# controls, alternated; also the size of the executable.
#   bench/win32/run.sh [WINDOWS_BUILD] [HOST_BUILD] [RUNS]
set -euo pipefail
windows=$(realpath "${1:-build/windows}")
host=$(realpath "${2:-build/default}")
runs="${3:-15}"
work=$(mktemp -d)
trap 'wineserver -k 2>/dev/null || true; kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=zh_CN.UTF-8
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/xvfb.sh"
start_private_display "$work"
mkdir -p "$WINEPREFIX"
wineserver -p  # kept up between runs, as on a running desktop
wineboot -i >/dev/null 2>&1

program="$windows/app/工程1.exe"
printf '#!/bin/sh\nexec wine "%s"\n' "$program" >"$work/mivello"
printf '#!/bin/sh\nexec wine "%s"\n' "$windows/bench/win32/bare_window_win32.exe" >"$work/bare"
chmod +x "$work/mivello" "$work/bare"
echo "size of 工程1.exe: $(stat -c %s "$program") bytes"
"$host/bench/startup/startup_bench" "$runs" "$work/mivello" "$work/bare"

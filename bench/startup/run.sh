#!/usr/bin/env bash
# Start-up of Mivello against a bare Qt window with the same widgets, on a
# private X server: bench/startup/run.sh [BUILD_DIR] [RUNS]
set -euo pipefail
build=$(realpath "${1:-build/default}")
runs="${2:-15}"
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(head -n1 "$work/display")"
export XDG_RUNTIME_DIR="$work"
"$build/bench/startup/startup_bench" "$runs" "$build/app/mivello" "$build/bench/startup/bare_window"

#!/usr/bin/env bash
# Start-up of Mivello against two floors, alternated on a private X server:
# a bare Qt window with the same widgets, and the fair floor, which also
# shows the icon and the two badges through the same decoders and loads Qt's
# Chinese texts: bench/startup/run.sh [BUILD_DIR] [RUNS]
set -euo pipefail
build=$(realpath "${1:-build/default}")
runs="${2:-15}"
source "$(dirname "${BASH_SOURCE[0]}")/../../tests/lib.sh"
begin_test
start_private_display "$work"
"$build/bench/startup/startup_bench" "$runs" "$build/app/mivello" "$build/bench/startup/bare_window" \
  "$build/bench/startup/fair_window"

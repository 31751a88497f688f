#!/usr/bin/env bash
# Runs COMMAND N times with a busy loop on every core beside it, and says how
# many runs failed; the output of each failed run is kept in LOG_FOLDER.
# The busy loops end with the script, on every way out.
#   verify/repeat-under-load.sh N LOG_FOLDER COMMAND [ARGS...]
set -euo pipefail
runs=${1:?number of runs} logs=$(realpath -m "${2:?log folder}")
shift 2
mkdir -p "$logs"
loops=()
trap 'kill "${loops[@]}" 2>/dev/null || true; wait 2>/dev/null || true' EXIT
for _ in $(seq "$(nproc)"); do
  bash -c 'while :; do :; done' &
  loops+=($!)
done
failed=0
for run in $(seq "$runs"); do
  if ! "$@" >"$logs/run-$run.log" 2>&1; then
    failed=$((failed + 1))
    echo "run $run failed: $logs/run-$run.log"
  else
    rm -f "$logs/run-$run.log"
  fi
done
echo "$*: $((runs - failed)) of $runs passed under a busy loop per core"
[ "$failed" = 0 ]

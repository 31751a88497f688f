#!/usr/bin/env bash
# Runs every fuzzer of build/fuzz for a bounded time: SECONDS each (default 60).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
for fuzzer in build/fuzz/tests/fuzz/*_fuzzer; do
  name=$(basename "$fuzzer" _fuzzer)
  work=$(mktemp -d)
  log="build/fuzz/$name.log"
  echo "-- $name: ${seconds}s"
  status=0
  # A slow input (over 10 s) counts as a finding: the readers must stay linear.
  "$fuzzer" -max_total_time="$seconds" -max_len=8192 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    "$work" "tests/fuzz/corpus/$name" >"$log" 2>&1 || status=$?
  grep -E 'stat::number_of_executed_units|ERROR|SUMMARY' "$log" || true
  rm -rf "$work"
  if [ "$status" -ne 0 ]; then
    tail -n 40 "$log"
    echo "fuzzer $name failed"
    exit 1
  fi
done

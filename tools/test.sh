#!/usr/bin/env bash
# Builds everything and runs every test: the default build, the sanitizer
# build, the Windows build under Wine, and each fuzzer for a bounded time on
# top of its seed corpus.
# FUZZ_SECONDS sets the time per fuzzer (default 60).
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh --windows
jobs=$(nproc)

echo "== default build and tests"
cmake --preset default
cmake --build --preset default -j "$jobs"
ctest --preset default -j "$jobs"

echo "== sanitizer build and tests"
cmake --preset asan
cmake --build --preset asan -j "$jobs"
ctest --preset asan -j "$jobs"

echo "== Windows build, tests under Wine"
cmake --preset windows
WINEDEBUG=-all cmake --build --preset windows -j "$jobs"
ctest --preset windows

echo "== fuzzers"
cmake --preset fuzz
cmake --build --preset fuzz -j "$jobs"
bash tools/run-fuzzers.sh "${FUZZ_SECONDS:-60}"

echo "== packages"
bash tools/check-package.sh build/default build/windows

echo "All test stages passed."

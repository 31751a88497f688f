#!/usr/bin/env bash
# Builds Mivello and opens its window. Installs (with apt, and says what)
# only what building and running the program needs; the test command brings
# the rest.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh --run
cmake --preset run
cmake --build --preset run -j "$(nproc)"
exec build/run/app/mivello

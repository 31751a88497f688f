#!/usr/bin/env bash
# Builds Mivello and opens its window.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake --preset default
cmake --build --preset default -j "$(nproc)" --target mivello
exec build/default/app/mivello

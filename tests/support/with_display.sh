#!/usr/bin/env bash
# Runs a command with a private X server of its own, for Windows tests that
# make real windows under Wine.
#   with_display.sh COMMAND [ARGS...]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
begin_test
# Wide enough for the form at 192 dots per inch.
XVFB_SCREEN=1280x800x24 start_private_display "$work"
"$@"

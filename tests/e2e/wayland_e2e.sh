#!/usr/bin/env bash
# The window natively on Wayland (a headless sway, no X at all) and on X11:
# the same calculation through AT-SPI on each, and the two client areas
# pixel for pixel the same.
#   wayland_e2e.sh PROGRAM ARTIFACT_FOLDER
set -euo pipefail
here=$(dirname "${BASH_SOURCE[0]}")
program=$(realpath "$1")
artifacts=$(realpath -m "$2")
ATSPI_DISPLAY=x11 bash "$here/atspi_session.sh" "$here/wayland.py" "$program" "$artifacts" x11
ATSPI_DISPLAY=wayland bash "$here/atspi_session.sh" "$here/wayland.py" "$program" "$artifacts" wayland
differ=$(compare -metric AE "$artifacts/mivello-x11.png" "$artifacts/mivello-wayland.png" "$artifacts/x11-wayland-difference.png" 2>&1 || true)
differ=${differ%% *}  # ImageMagick 7 adds the normalised count: "0 (0)"
echo "pixels that differ between X11 and Wayland: $differ"
[ "$differ" = 0 ]

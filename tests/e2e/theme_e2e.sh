#!/usr/bin/env bash
# Under a platform theme that sets a 12-point font for every program (qt6ct,
# with a configuration of its own; the default family, so that only the size
# differs), the window looks exactly as without it: no caption grows or is cut.
#   theme_e2e.sh PROGRAM ARTIFACT_FOLDER
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
begin_display_test "$1" "$2"

mkdir -p "$work/config/qt6ct"
cat >"$work/config/qt6ct/qt6ct.conf" <<'CONF'
[Appearance]
custom_palette=false
style=Fusion

[Fonts]
fixed="Monospace,12,-1,5,400,0,0,0,0,0,0,0,0,0,0,1"
general="Sans Serif,12,-1,5,400,0,0,0,0,0,0,0,0,0,0,1"
CONF

shoot() {  # shoot PNG [ENV...]: the window as it first shows
  env "${@:2}" "$program" >"$work/program.log" 2>&1 &
  local pid=$! window
  window=$(wait_for_window "^$(expected caption)\$")
  [ -n "$window" ] || fail_now "no window ($*): $(cat "$work/program.log")"
  sleep 1  # the theme applies its font once the event loop runs
  import -window "$window" "$1"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
}
shoot "$artifacts/mivello-plain.png" -u QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE=Fusion
shoot "$artifacts/mivello-qt6ct.png" QT_QPA_PLATFORMTHEME=qt6ct XDG_CONFIG_HOME="$work/config"
differ=$(compare -metric AE "$artifacts/mivello-plain.png" "$artifacts/mivello-qt6ct.png" "$artifacts/qt6ct-difference.png" 2>&1 || true)
differ=${differ%% *}  # ImageMagick 7 adds the normalised count: "0 (0)"
[ "$differ" = 0 ]
verdict $? "pixels that differ under qt6ct with a 12-point font: $differ"
finish theme

#!/usr/bin/env bash
# Runs a Wine tool with the loader that matches the Windows program's
# architecture: Debian's wine32 for i686, wine64 for x86_64. The one place
# that makes that choice, for the test presets, the end-to-end test and the
# start-up benchmark.
#   verify/wine.sh i686|x86_64 wine|wineboot|wineserver|winepath [ARGS...]
#   verify/wine.sh i686|x86_64 --can-run   exit 0 when this machine runs that loader;
#                                         otherwise says why on stderr
set -euo pipefail
arch=${1:?architecture: i686 or x86_64}
tool=${2:?tool: wine, wineboot, wineserver, winepath or --can-run}
shift 2

case "$arch" in
  i686) loader=/usr/lib/wine/wine server=/usr/lib/wine/wineserver32 winearch=win32 ;;
  x86_64) loader=/usr/lib/wine/wine64 server=/usr/lib/wine/wineserver64 winearch=win64 ;;
  *) echo "wine.sh: unknown architecture '$arch'" >&2; exit 2 ;;
esac
# Tools that Wine starts itself (wineboot, the server) follow these.
export WINELOADER=$loader WINESERVER=$server WINEARCH=$winearch
export WINEDEBUG=${WINEDEBUG:--all}
# Wine's menu builder would write the prefix's programs, file types and icons
# into the user's own desktop menus (~/.local/share, ~/.config/menus): off.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}winemenubuilder.exe=d"

case "$tool" in
  --can-run)
    # Try it: the packages may be installed where the processor or the
    # kernel cannot execute them.
    if ! out=$("$loader" --version 2>&1); then
      echo "${out:-$loader does not run}" | tail -n 1 >&2
      exit 1
    fi ;;
  wine) exec "$loader" "$@" ;;
  wineserver) exec "$server" "$@" ;;
  wineboot | winepath) exec "$loader" "$tool" "$@" ;;
  *) echo "wine.sh: unknown tool '$tool'" >&2; exit 2 ;;
esac

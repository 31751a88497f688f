#!/usr/bin/env bash
# Start-up under Wine of 工程1.exe against a bare Win32 window with the same
# controls and the fair floor (which also shows the icon and the two badges
# through the OLE picture loader), alternated; also the size of the executable. Without a Windows
# build folder it takes the 32-bit release where this machine runs 32-bit
# Wine, and the 64-bit twin where it cannot.
#   bench/win32/run.sh [WINDOWS_BUILD] [HOST_BUILD] [RUNS]
set -euo pipefail
root=$(realpath "$(dirname "${BASH_SOURCE[0]}")/../..")
if [ -n "${1:-}" ]; then
  windows=$(realpath "$1")
elif bash "$root/verify/wine.sh" i686 --can-run 2>/dev/null; then
  windows=$(realpath build/windows)
else
  windows=$(realpath build/windows-x64)
fi
host=$(realpath "${2:-build/default}")
runs="${3:-15}"
# The loader follows the executable itself: PE32 is i686, PE32+ x86_64.
case "$(file -b "$windows/app/工程1.exe")" in
  PE32+*) arch=x86_64 ;;
  PE32*) arch=i686 ;;
  *) echo "no Windows executable at $windows/app/工程1.exe" >&2; exit 1 ;;
esac
echo "Wine loader: $arch ($windows)"

source "$root/tests/lib.sh"
begin_test
start_wine_prefix "$arch" "$work"
wineserver -p  # kept up between runs, as on a running desktop

program="$windows/app/工程1.exe"
printf '#!/bin/sh\nexec bash "%s" %s wine "%s"\n' "$root/verify/wine.sh" "$arch" "$program" >"$work/mivello"
for floor in bare fair; do
  printf '#!/bin/sh\nexec bash "%s" %s wine "%s"\n' "$root/verify/wine.sh" "$arch" \
    "$windows/bench/win32/${floor}_window_win32.exe" >"$work/$floor"
done
chmod +x "$work/mivello" "$work/bare" "$work/fair"
echo "size of 工程1.exe: $(stat -c %s "$program") bytes"
"$host/bench/startup/startup_bench" "$runs" "$work/mivello" "$work/bare" "$work/fair"

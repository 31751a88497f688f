#!/usr/bin/env bash
# Checks the packages as a user would meet them: the desktop and catalogue
# files validate, the .deb installs with apt, the installed program opens its
# window, and the package is removed again. The Windows zip holds 工程1.exe.
#   tools/check-package.sh [BUILD_DIR] [WINDOWS_BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
# The window's title, the zip's names and the Chinese texts are UTF-8; a
# caller in the plain C locale gets C.UTF-8, which every Debian system has.
[ "$(locale charmap 2>/dev/null)" = UTF-8 ] || export LC_ALL=C.UTF-8
build=$(realpath "${1:-build/default}")
windows=$(realpath -m "${2:-build/windows}")
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"

desktop-file-validate app/linux/com.taobao.velta.Mivello.desktop
appstreamcli validate --no-net app/linux/com.taobao.velta.Mivello.metainfo.xml

(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/mivello_*_*.deb | head -n1)
echo "-- installing $deb"
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$deb" >/dev/null
trap '$SUDO env DEBIAN_FRONTEND=noninteractive apt-get remove -y -q mivello >/dev/null || true' EXIT

work=$(mktemp -d)
source "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"
source tests/expected.sh
start_private_display "$work"
/usr/bin/mivello >/dev/null 2>&1 &
window=$(wait_for_window "^$(expected caption)\$")
[ -n "$window" ] || { echo "FAIL: the installed program showed no window"; exit 1; }
mkdir -p "$build/artifacts"
import -window "$window" "$build/artifacts/mivello-installed.png"
stop_private_display
rm -rf "$work"
for size in 16 32 48 64; do
  [ -s "/usr/share/icons/hicolor/${size}x${size}/apps/com.taobao.velta.Mivello.png" ] || { echo "FAIL: no ${size}px icon"; exit 1; }
done
echo "-- the installed program opened its window"

if [ -f "$windows/CPackConfig.cmake" ]; then
  (cd "$windows" && LC_ALL=C.UTF-8 cpack -G ZIP >/dev/null)
  zip=$(ls "$windows"/mivello-*-windows-x86.zip | head -n1)
  # The whole listing first (unzip writes name by name, and an early grep -q
  # under pipefail would turn its SIGPIPE into a failure); names as UTF-8
  # whatever the caller's locale.
  names=$(LC_ALL=C.UTF-8 unzip -Z1 "$zip")
  grep -qxF '工程1.exe' <<<"$names" || { echo "FAIL: $zip holds no 工程1.exe (it holds: $names)"; exit 1; }
  echo "-- $zip holds 工程1.exe"
fi
echo "package: 3 passed, 0 failed"

#!/usr/bin/env bash
# Checks the packages as a user would meet them, without touching what is
# installed on this machine: the desktop and catalogue files validate, the
# .deb's metadata and contents are right and its dependencies resolve (apt,
# simulated), the program unpacked from it into a throwaway folder opens its
# window, and the Windows zip holds 工程1.exe.
#   verify/check-package.sh DEB_FOLDER [WINDOWS_BUILD_DIR]   (packaging/build-deb.sh makes DEB_FOLDER)
set -euo pipefail
cd "$(dirname "$0")/.."
# The window's title, the zip's names and the Chinese texts are UTF-8; a
# caller in the plain C locale gets C.UTF-8, which every Debian system has.
[ "$(locale charmap 2>/dev/null)" = UTF-8 ] || export LC_ALL=C.UTF-8
debs=$(realpath "${1:-build/debian}")
windows=$(realpath -m "${2:-build/windows}")

source tests/lib.sh
begin_test
app_id=$(expected app_id)
pass() { verdict 0 "$*"; }
fail() { verdict 1 "$*"; }

deb=$(ls "$debs"/mivello_*_*.deb | head -n1)
echo "-- checking $deb (nothing is installed)"
mkdir "$work/root"
dpkg-deb -x "$deb" "$work/root"
if desktop-file-validate "$work/root/usr/share/applications/$app_id.desktop" &&
  appstreamcli validate --no-net "$work/root/usr/share/metainfo/$app_id.metainfo.xml"; then
  pass "the desktop entry and the metainfo validate"
else
  fail "the desktop entry or the metainfo does not validate"
fi
listing=$(dpkg-deb -c "$deb")
missing=""
for path in ./usr/bin/mivello "./usr/share/applications/$app_id.desktop" "./usr/share/metainfo/$app_id.metainfo.xml" \
  "./usr/share/icons/hicolor/"{16x16,32x32,48x48,64x64}"/apps/$app_id.png"; do
  grep -qF " $path" <<<"$listing" || missing+=" $path"
done
[ -z "$missing" ] && pass "the .deb holds the program, its desktop files and four icons" || fail "the .deb lacks$missing"
[ "$(dpkg-deb -f "$deb" Package)" = mivello ] && [ -n "$(dpkg-deb -f "$deb" Depends)" ] &&
  pass "the .deb is mivello with its dependencies: $(dpkg-deb -f "$deb" Depends)" || fail "the .deb's metadata"
if simulation=$(apt-get install --simulate -q "$deb" 2>&1); then
  pass "apt can install it here (simulated)"
else
  fail "apt cannot install it here: $(tail -n 3 <<<"$simulation")"
fi

start_private_display "$work"
"$work/root/usr/bin/mivello" >"$work/program.log" 2>&1 &
window=$(wait_for_window "^$(expected caption)\$")
if [ -n "$window" ]; then
  import -window "$window" "$debs/mivello-packaged.png"
  pass "the packaged program opened its window"
else
  fail "the packaged program showed no window: $(cat "$work/program.log")"
fi
stop_private_display

zip=$(ls "$windows"/mivello-*-windows-x86.zip 2>/dev/null | head -n1 || true)
if [ -n "$zip" ]; then
  # The whole listing first (unzip writes name by name, and an early grep -q
  # under pipefail would turn its SIGPIPE into a failure); names as UTF-8
  # whatever the caller's locale.
  names=$(LC_ALL=C.UTF-8 unzip -Z1 "$zip")
  grep -qxF '工程1.exe' <<<"$names" && pass "$zip holds 工程1.exe" || fail "$zip holds no 工程1.exe (it holds: $names)"
else
  skip "no Windows zip in $windows: not checked"
fi
msi=$(ls "$windows"/mivello-*-windows-x86.msi 2>/dev/null | head -n1 || true)
if [ -n "$msi" ]; then
  files=$(msiinfo export "$msi" File)
  shortcuts=$(msiinfo export "$msi" Shortcut)
  grep -qF '|工程1.exe' <<<"$files" && grep -qF '|Mivello 折扣计算器' <<<"$shortcuts" &&
    pass "$msi installs 工程1.exe with the shortcut Mivello 折扣计算器" || fail "$msi: the names of its file or shortcut"
else
  skip "no Windows installer in $windows: not checked"
fi
finish package

#!/usr/bin/env bash
# The installer under Wine, as a user meets it, in a throwaway prefix:
# msiexec /i installs 工程1.exe under Program Files in Mivello, a Start-menu
# shortcut "Mivello 折扣计算器" and an entry in the installed programs; the
# installed program starts and computes (driven by the Win32 driver);
# msiexec /x removes all of it.
#   msi_test.sh i686|x86_64 MSI DRIVER RECORDER
set -euo pipefail
arch=$1
msi=$(realpath "$2")
driver=$(realpath "$3")
recorder=$(realpath "$4")
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
begin_test

# The package itself: its platform, and the Windows it asks for before it installs.
platform=Intel
[ "$arch" = x86_64 ] && platform=x64
check "a package for $platform" grep -qx "Template: $platform;2052" <<<"$(msiinfo suminfo "$msi")"
[ "$arch" = x86_64 ] && check "64-bit components, under the 64-bit Program Files" bash -c '
  grep -qP "^INSTALLDIR\tProgramFiles64Folder\t" <<<"$1" &&
  awk -F"\t" "NR > 3 && int(\$4 / 256) % 2 == 0 { bad = 1 } END { exit bad }" <<<"$2"' _ \
  "$(msiinfo export "$msi" Directory)" "$(msiinfo export "$msi" Component)"
check "it asks for Windows 7 SP1 or later" grep -qF \
  "Installed OR VersionNT > 601 OR (VersionNT = 601 AND ServicePackLevel >= 1)	Mivello 需要 Windows 7 SP1 或更高版本。" \
  <<<"$(msiinfo export "$msi" LaunchCondition)"

start_wine_prefix "$arch" "$work" "$recorder"

# The installed programs' entries and product registrations, as the
# registry files of the prefix hold them once the server has saved them.
installed_programs() {
  wineserver -w
  awk '/^\[/ { on = /CurrentVersion\\\\Uninstall\\\\\{/ || /Installer\\\\Products\\\\/ } on' \
    "$WINEPREFIX/system.reg" "$WINEPREFIX/user.reg"
}
program_files() { find "$drive_c" -path '*/Program Files*/Mivello/工程1.exe' 2>/dev/null; }
shortcut() { find "$drive_c" -path '*/Start Menu/Programs/Mivello 折扣计算器.lnk' 2>/dev/null; }

wine msiexec /i "$(winepath -w "$msi")" /qn
wineserver -w
check "msiexec /i installs 工程1.exe in a Mivello folder under Program Files" test -n "$(program_files)"
[ "$arch" = x86_64 ] && check "the 64-bit Program Files, not the 32-bit one" \
  bash -c '[ -n "$1" ] && ! grep -q "(x86)" <<<"$1"' _ "$(program_files)"
check "a Start-menu shortcut named Mivello 折扣计算器" test -n "$(shortcut)"
entry=$(installed_programs)
check "an entry in the installed programs" grep -q '"DisplayName"="Mivello"' <<<"$entry"
check "its publisher, version, icon and help link" \
  bash -c 'grep -qF "\"Publisher\"=\"$2\"" <<<"$1" && grep -q "\"DisplayVersion\"=\"1\.0\.0\"" <<<"$1" &&
           grep -q "\"ProductIcon\"=.*mivello\.ico" <<<"$1" && grep -qF "\"HelpLink\"=\"$3\"" <<<"$1"' _ "$entry" \
  "$(expected publisher)" "$(expected shop_link)"

program=$(program_files | head -n1)
if [ -n "$program" ]; then
  check "the installed program starts and computes" wine "$driver" "$(winepath -w "$program")"
  wineserver -w
fi

wine msiexec /x "$(winepath -w "$msi")" /qn
wineserver -w
check "msiexec /x removes the program" test -z "$(program_files)"
check "and the shortcut" test -z "$(shortcut)"
check "and the entry" bash -c '! grep -q "\"DisplayName\"=\"Mivello\"" <<<"$1"' _ "$(installed_programs)"
finish installer

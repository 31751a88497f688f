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
work=$(mktemp -d)
source "$(dirname "${BASH_SOURCE[0]}")/wine_prefix.sh"
trap 'stop_wine_prefix 2>/dev/null || true; rm -rf "$work"' EXIT
passed=0 failed=0
check() {  # check WHAT COMMAND...
  local what=$1
  shift
  if "$@"; then echo "ok: $what"; passed=$((passed + 1)); else echo "FAILED: $what"; failed=$((failed + 1)); fi
}

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
check "a Start-menu shortcut named Mivello 折扣计算器" test -n "$(shortcut)"
entry=$(installed_programs)
check "an entry in the installed programs" grep -q '"DisplayName"="Mivello"' <<<"$entry"
check "its publisher, version, icon and help link" \
  bash -c 'grep -q "\"Publisher\"=\"Velta\"" <<<"$1" && grep -q "\"DisplayVersion\"=\"1\.0\.0\"" <<<"$1" &&
           grep -q "\"ProductIcon\"=.*mivello\.ico" <<<"$1" && grep -q "\"HelpLink\"=\"http://velta\.taobao\.com\"" <<<"$1"' _ "$entry"

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
echo "installer: $passed passed, $failed failed"
[ "$failed" -eq 0 ]

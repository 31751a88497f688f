# Sourced by the scripts that run the Windows program under Wine.
# start_wine_prefix ARCH WORK_FOLDER RECORDER: the Wine tools (wine,
# wineboot, wineserver, winepath) with the loader of ARCH, a throwaway prefix
# under WORK_FOLDER on a private X server, and RECORDER standing at the
# browser's path; sets drive_c. stop_wine_prefix ends what it started.
wine_tools=$(realpath "$(dirname "${BASH_SOURCE[0]}")/../../tools")
source "$wine_tools/xvfb.sh"

start_wine_prefix() {
  wine_arch=$1
  local work=$2 recorder=$3 tool
  for tool in wine wineboot wineserver winepath; do
    eval "$tool() { bash \"\$wine_tools/wine.sh\" \"\$wine_arch\" $tool \"\$@\"; }"
  done
  export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=zh_CN.UTF-8
  start_private_display "$work"
  wineboot -i >/dev/null 2>&1
  wineserver -w
  drive_c="$WINEPREFIX/drive_c"
  mkdir -p "$drive_c/Program Files/Internet Explorer"
  cp "$recorder" "$drive_c/Program Files/Internet Explorer/iexplore.exe"
}

stop_wine_prefix() {
  if [ -n "${wine_arch:-}" ]; then wineserver -k 2>/dev/null || true; fi
  stop_private_display
}

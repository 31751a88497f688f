# Sourced by the test and bench scripts: what each of them needs and none
# writes again.
#   begin_test              a throwaway folder, $work, removed on every way out,
#                           after everything started below has been ended
#   begin_display_test PROGRAM ARTIFACTS
#                           the same with a private X server, and $program and
#                           $artifacts (made) set
#   start_private_display, start_private_wayland, start_wine_prefix
#                           servers and a Wine prefix (see each)
#   check WHAT COMMAND...   a check that passes when COMMAND does
#   verdict STATUS WHAT     a check that passed with status 0
#   skip WHAT, fail_now WHAT
#   finish NAME             the closing line "NAME: N passed, M failed[, K skipped]"
#                           and the status: 1 for a failure, 77 when all was skipped
#   expected NAME           a value of tests/expected_values.txt
#   stand_in_opener BIN LOG [STATUS]
#                           an xdg-open in BIN that records each call in LOG
#   python_with MODULE      the first python3 on PATH that imports MODULE
# tests/lib.py is the Python scripts' twin of the checks, values and opener.
lib_root=$(realpath "$(dirname "${BASH_SOURCE[0]}")/..")

expected() { sed -n "s/^$1=//p" "$lib_root/tests/expected_values.txt"; }

# The test scripts need Debian's python3-* packages, which another Python
# first on PATH (a pyenv, a virtual environment) lacks.
python_with() {
  local folder folders
  IFS=: read -ra folders <<<"$PATH"
  for folder in "${folders[@]}"; do
    [ -x "$folder/python3" ] && "$folder/python3" -c "import $1" 2>/dev/null && { echo "$folder/python3"; return 0; }
  done
  echo "no python3 on PATH imports $1" >&2
  return 1
}

# An xdg-open in BIN, to be put before the real one on PATH: each call
# appends a line to LOG, its number of arguments and then each of them,
# separated by tabs ("1<tab>http://..." for one link), and it ends with
# STATUS; with 3 it says first, as xdg-open does, that it found no way to
# open the link.
stand_in_opener() {
  local bin=$1 log=$2 status=${3:-0}
  mkdir -p "$bin"
  {
    echo '#!/bin/sh'
    echo "{ printf '%s' \"\$#\"; printf '\\t%s' \"\$@\"; echo; } >>\"$log\""
    [ "$status" = 3 ] && echo "echo \"xdg-open: no method available for opening '\$1'\" >&2"
    echo "exit $status"
  } >"$bin/xdg-open"
  chmod +x "$bin/xdg-open"
}

passed=0 failed=0 skipped=0
check() {
  local what=$1
  shift
  if "$@"; then verdict 0 "$what"; else verdict 1 "$what"; fi
}
verdict() {
  if [ "$1" = 0 ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAIL: $2"
  fi
}
skip() {
  skipped=$((skipped + 1))
  echo "skipped: $1"
}
finish() {
  local line="$1: $passed passed, $failed failed"
  [ "$skipped" = 0 ] || line+=", $skipped skipped"
  echo "$line"
  [ "$failed" = 0 ] || exit 1
  [ "$passed" != 0 ] || [ "$skipped" = 0 ] || exit 77  # nothing could be checked here
  exit 0
}
# fail_now WHAT: a check that failed, and the script ends there.
fail_now() {
  verdict 1 "$1"
  finish "${test_name:-$(basename "$0" .sh)}"
}

begin_test() {
  work=$(mktemp -d)
  trap end_test EXIT
}
# Every way out: the Wine prefix, the servers and the script's background
# jobs ended, then the folder removed.
end_test() {
  stop_wine_prefix 2>/dev/null || true
  stop_private_display 2>/dev/null || true
  [ -n "${work:-}" ] || return 0
  # Nothing mounted below it is followed (a chroot's /proc, /dev).
  findmnt -rn -o TARGET | grep -F "$work/" | sort -r | xargs -r -n1 umount -l 2>/dev/null || true
  rm -rf --one-file-system "$work"
}
begin_display_test() {
  program=$(realpath "$1")
  artifacts=$(realpath -m "$2")
  mkdir -p "$artifacts"
  begin_test
  start_private_display "$work"
}

# start_private_display starts a private X server and exports DISPLAY and
# XDG_RUNTIME_DIR. Its number is drawn at random from :100 to :999, not the
# lowest free one: a server of an earlier test that is still going away
# keeps its sockets a moment longer, and a new server on its number would
# share them. The server does not reset when its last client leaves (as a
# desktop's server does not while its session runs): a program starting at
# that moment would find it regenerating and be refused. With
# AUTHORITY_FILE the server admits only the clients that show a cookie from
# that file. XVFB_SCREEN sets the screen (800x600x24 unless said). With tcp-only it listens on 127.0.0.1, port 6000 + its number,
# and on no local socket at all (as an X server on the Windows side of WSL).
#   start_private_display WORK_FOLDER [AUTHORITY_FILE] [tcp-only]
start_private_display() {
  local work="$1" number auth=() listen=(-nolisten tcp)
  [ -n "${2:-}" ] && auth=(-auth "$2")
  [ "${3:-}" = tcp-only ] && listen=(-listen tcp -nolisten unix -nolisten local)
  for _ in $(seq 20); do
    number=$((RANDOM % 900 + 100))
    [ -e "/tmp/.X$number-lock" ] || [ -e "/tmp/.X11-unix/X$number" ] && continue
    : >"$work/display"
    exec 3>"$work/display"
    Xvfb ":$number" -displayfd 3 -screen 0 "${XVFB_SCREEN:-800x600x24}" "${listen[@]}" -noreset "${auth[@]}" >"$work/xvfb.log" 2>&1 &
    XVFB_PID=$!
    exec 3>&-
    for _ in $(seq 100); do
      [ -s "$work/display" ] && break
      kill -0 "$XVFB_PID" 2>/dev/null || break  # taken meanwhile: another number
      sleep 0.05
    done
    if [ -s "$work/display" ]; then
      export DISPLAY=":$(head -n1 "$work/display")"
      export XDG_RUNTIME_DIR="$work"
      return 0
    fi
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
  done
  echo "Xvfb did not start: $(tail -n 3 "$work/xvfb.log")" >&2
  return 1
}

# Ends the script's background jobs and waits until the X server has gone:
# a server still shutting down would remove the socket of the next one that
# takes its display number.
stop_private_display() {
  kill $(jobs -p) 2>/dev/null || true
  [ -n "${XVFB_PID:-}" ] && wait "$XVFB_PID" 2>/dev/null
  [ -n "${SWAY_PID:-}" ] && wait "$SWAY_PID" 2>/dev/null
  return 0
}

# Prints the id of the first visible window whose name matches REGEX,
# waiting up to SECONDS (default 30: a first start on a busy machine can be
# slow); prints nothing when none came.
#   wait_for_window REGEX [SECONDS]
wait_for_window() {
  local found="" tries=$(( ${2:-30} * 10 ))
  for _ in $(seq "$tries"); do
    found=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 || true)
    [ -n "$found" ] && break
    sleep 0.1
  done
  printf '%s' "$found"
}

# start_private_wayland starts a headless sway (wlroots' headless backend, a
# pixman renderer) with its own XDG_RUNTIME_DIR under WORK_FOLDER, and
# exports WAYLAND_DISPLAY, XDG_RUNTIME_DIR and SWAYSOCK with DISPLAY unset.
# sway will not run as root: there it runs as nobody in a user namespace.
#   start_private_wayland WORK_FOLDER
start_private_wayland() {
  local work="$1" runtime="$1/wayland"
  mkdir -m 700 -p "$runtime"
  printf 'output HEADLESS-1 resolution 800x600 position 0,0\nxwayland disable\n' >"$work/sway.conf"
  local as_user=()
  [ "$(id -u)" -eq 0 ] && as_user=(unshare --user)
  env -u DISPLAY -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$runtime" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 \
    WLR_RENDERER=pixman "${as_user[@]}" sway -c "$work/sway.conf" >"$work/sway.log" 2>&1 &
  SWAY_PID=$!
  for _ in $(seq 100); do compgen -G "$runtime/sway-ipc.*.sock" >/dev/null && [ -S "$runtime/wayland-1" ] && break; sleep 0.05; done
  if ! compgen -G "$runtime/sway-ipc.*.sock" >/dev/null || [ ! -S "$runtime/wayland-1" ]; then
    echo "sway did not start: $(tail -n 3 "$work/sway.log")" >&2
    return 1
  fi
  unset DISPLAY
  export XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY=wayland-1
  SWAYSOCK=$(compgen -G "$runtime/sway-ipc.*.sock" | head -n1)
  export SWAYSOCK
}

# start_wine_prefix ARCH WORK_FOLDER [RECORDER]: the Wine tools (wine,
# wineboot, wineserver, winepath) with the loader of ARCH, a throwaway prefix
# under WORK_FOLDER on a private X server, and RECORDER standing at the
# browser's path; sets drive_c. stop_wine_prefix ends what it started.
start_wine_prefix() {
  wine_arch=$1
  local work=$2 recorder=${3:-} tool
  for tool in wine wineboot wineserver winepath; do
    eval "$tool() { bash \"\$lib_root/verify/wine.sh\" \"\$wine_arch\" $tool \"\$@\"; }"
  done
  export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=zh_CN.UTF-8
  start_private_display "$work"
  wineboot -i >/dev/null 2>&1
  wineserver -w
  drive_c="$WINEPREFIX/drive_c"
  if [ -n "$recorder" ]; then
    mkdir -p "$drive_c/Program Files/Internet Explorer"
    cp "$recorder" "$drive_c/Program Files/Internet Explorer/iexplore.exe"
  fi
}

stop_wine_prefix() {
  if [ -n "${wine_arch:-}" ]; then wineserver -k 2>/dev/null || true; fi
  stop_private_display
}

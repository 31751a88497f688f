#!/usr/bin/env bash
# Checks this tree on another Debian release, in a throwaway chroot that
# mmdebstrap makes from Debian's archive and removes again (nothing outside
# it changes), with an X server of this machine for the window:
#   package    as the release's build machines build it: a buildd chroot,
#              apt-get build-dep, dpkg-buildpackage -b as a user without a
#              display and with an unwritable HOME, its tests; lintian of
#              that release with no error or warning; the .deb installed
#              there and started: its window opens and stays open.
#   newcomer   as a new user meets it: a minimal system, tools/run.sh
#              installs what it needs, builds, and opens the window.
#   port ARCH  the GUI-free core for ARCH with the release's cross compiler,
#              its tests under qemu-user (verify/check-port.sh), for a port
#              that this machine's release does not carry.
#   startup    the start-up benchmark (bench/startup/run.sh) with the
#              release's Qt: the program against the bare and the fair
#              window built there, on an X server in the chroot.
#   cross ARCH the package cross-built for ARCH as Debian's cross builds
#              are: apt-get build-dep -a ARCH, dpkg-buildpackage -a ARCH
#              -Pcross,nocheck; the .deb installed there with the ARCH
#              libraries it depends on, and started under qemu-user: its
#              window opens and stays open.
# Prints one closing line. Status 0 passed, 1 failed, 77 skipped: the
# archive could not give the chroot or our build dependencies (unstable's
# transitions; with ALLOW_SKIP=1 only).
#   verify/check-release.sh package|newcomer|startup SUITE LOG_FOLDER
#   verify/check-release.sh port|cross SUITE LOG_FOLDER ARCH
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)

if [ "${1:-}" = --in-chroot ]; then
  # The customize hook: runs on this machine, with the chroot at $root.
  shift
  check=$1 suite=$2 root=$3 log=$4 display=$5 arch=${6:-}
  name=$check-$suite${arch:+-$arch}  # the files of this check: others may run beside it
  phase() { echo "$1" >"$log/$name.phase"; echo "-- $1"; }
  in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LC_ALL=C.UTF-8 DEBIAN_FRONTEND=noninteractive "$@"; }
  # What apt downloaded here, kept for the next chroot of this release, on
  # every way out of the hook.
  [ -z "${MIVELLO_DEBS:-}" ] || trap 'bash "$here/verify/deb-cache.sh" out "$root" "$MIVELLO_DEBS"' EXIT
  source_tree=/build/mivello
  mkdir -p "$root$source_tree"
  tar -C "$here" --exclude=./build --exclude=./.git --exclude=./obj-* -cf - . | tar -C "$root$source_tree" -xf -
  # The window is shown on this machine's X server; a program in the chroot
  # reaches it through the server's abstract socket (the same network).
  started() {  # started PID_FILE: the window opened, and is still open 3 s later
    local window=""
    for _ in $(seq "$2"); do
      window=$(DISPLAY=$display xdotool search --onlyvisible --name '^Mivello' 2>/dev/null | head -n1 || true)
      [ -n "$window" ] && break
      kill -0 "$(cat "$1")" 2>/dev/null || break
      sleep 1
    done
    [ -n "$window" ] || return 1
    sleep 3
    DISPLAY=$display import -window "$window" "$log/$name.png" 2>/dev/null || true
    DISPLAY=$display xdotool getwindowname "$window" >/dev/null 2>&1 && kill -0 "$(cat "$1")" 2>/dev/null
  }
  stop() {  # stop PID_FILE: ends the program and what started it
    local pid
    pid=$(cat "$1")
    pkill -TERM -P "$pid" 2>/dev/null || true
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  }

  if [ "$check" = newcomer ]; then
    phase "tools/run.sh installs, builds and opens the window"
    in_root DISPLAY="$display" HOME=/root bash -c 'cd '"$source_tree"' && exec bash tools/run.sh' \
      >"$log/newcomer.log" 2>&1 &
    echo $! >"$log/$name.pid"
    if started "$log/$name.pid" 1500; then
      stop "$log/$name.pid"
      echo "newcomer: the window opened"
      exit 0
    fi
    stop "$log/$name.pid"
    echo "no window from tools/run.sh:"
    tail -n 40 "$log/newcomer.log"
    exit 1
  fi

  if [ "$check" = port ]; then
    phase "the cross compiler"
    in_root bash -c "cd $source_tree && bash tools/install-deps.sh --port $arch"
    # The test command's compiler cache for this release's compilers, copied
    # in and out: a port's check is no package build, so it may use one.
    launch=""
    if [ -n "${MIVELLO_CCACHE:-}" ] && in_root apt-get install -y -q --no-install-recommends ccache; then
      mkdir -p "$MIVELLO_CCACHE" "$root/ccache"
      cp -a "$MIVELLO_CCACHE/." "$root/ccache/"
      in_root env CCACHE_DIR=/ccache ccache --zero-stats >/dev/null
      launch="CCACHE_DIR=/ccache CCACHE_BASEDIR=$source_tree CCACHE_MAXSIZE=1G"
      launch+=" CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache"
    elif [ -n "${MIVELLO_CCACHE:-}" ]; then
      echo "compiler cache: not used (ccache could not be installed here)"
    fi
    phase "the core for $arch"
    in_root bash -c "cd $source_tree && $launch bash verify/check-port.sh $arch"
    if [ -n "$launch" ]; then
      echo "compiler cache: $(in_root env CCACHE_DIR=/ccache ccache --print-stats | awk -F'\t' '
        $1 ~ /^(direct|preprocessed)_cache_hit$/ {hit += $2} $1 == "cache_miss" {miss += $2}
        END {printf "%d of %d compilations from it", hit, hit + miss}')"
      rm -rf "$MIVELLO_CCACHE.new"
      cp -a "$root/ccache" "$MIVELLO_CCACHE.new"
      rm -rf "$MIVELLO_CCACHE"
      mv "$MIVELLO_CCACHE.new" "$MIVELLO_CCACHE"
    fi
    exit 0
  fi

  if [ "$check" = startup ]; then
    phase "build dependencies"
    in_root bash -c "cd $source_tree && apt-get build-dep -y -q ./ && apt-get install -y -q --no-install-recommends libbenchmark-dev"
    echo "versions: $(in_root dpkg-query -W -f '${Package} ${Version}, ' qt6-base-dev g++)"
    phase "the start-up benchmark"
    in_root bash -c "cd $source_tree && cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DBUILD_TESTING=OFF >/dev/null && cmake --build build/bench --target mivello startup_bench bare_window \
      fair_window >/dev/null && bash bench/startup/run.sh build/bench ${STARTUP_RUNS:-15}"
    exit 0
  fi

  if [ "$check" = cross ]; then
    phase "build dependencies"
    in_root bash -c "cd $source_tree && apt-get build-dep -y -q -a $arch ./"
    echo "versions: $(in_root dpkg-query -W -f '${Package}:${Architecture} ${Version}, ' qt6-base-dev:"$arch" \
      "g++-$(bash "$here/verify/ports.sh" triple "$arch")" qemu-user)"
    phase "dpkg-buildpackage"
    in_root useradd --system --no-create-home --home-dir /nonexistent builder
    in_root chown -R builder: /build
    chroot --userspec=builder:builder "$root" env -i PATH=/usr/bin:/bin LC_ALL=C.UTF-8 HOME=/nonexistent \
      bash -c "cd $source_tree && bash packaging/build-deb.sh -a $arch /build/out"
    phase "install and start"
    in_root bash -c "apt-get install -y -q /build/out/mivello_*_$arch.deb"
    in_root DISPLAY="$display" "qemu-$(bash "$here/verify/ports.sh" qemu "$arch")" /usr/bin/mivello \
      >"$log/$name-program.log" 2>&1 &
    echo $! >"$log/$name.pid"
    if started "$log/$name.pid" 120; then
      stop "$log/$name.pid"
      echo "the $arch program installed there opened its window under qemu and kept it open"
      exit 0
    fi
    stop "$log/$name.pid"
    echo "the $arch program showed no window, or did not keep it open: $(cat "$log/$name-program.log")"
    exit 1
  fi

  phase "build dependencies"
  in_root bash -c "cd $source_tree && apt-get build-dep -y -q ./"
  in_root apt-get install -y -q --no-install-recommends lintian xauth
  echo "versions: $(in_root dpkg-query -W -f '${Package} ${Version}, ' qt6-base-dev g++ at-spi2-core python3-gi lintian)"
  phase "dpkg-buildpackage"
  in_root useradd --system --no-create-home --home-dir /nonexistent builder
  in_root chown -R builder: /build
  # As a buildd builds: no display, no session, a HOME that cannot be written.
  chroot --userspec=builder:builder "$root" env -i PATH=/usr/bin:/bin LC_ALL=C.UTF-8 HOME=/nonexistent \
    DEB_BUILD_OPTIONS="parallel=$(nproc)" bash -c "cd $source_tree && dpkg-buildpackage -us -uc -b"
  phase "lintian"
  lintian_out=$(in_root bash -c 'lintian --info /build/*.changes' 2>&1 || true)
  echo "$lintian_out"
  if grep -qE '^[EW]: ' <<<"$lintian_out"; then echo "lintian found errors or warnings"; exit 1; fi
  echo "lintian: no error, no warning"
  phase "install and start"
  in_root bash -c 'apt-get install -y -q /build/mivello_*.deb'
  in_root DISPLAY="$display" /usr/bin/mivello >"$log/$name-program.log" 2>&1 &
  echo $! >"$log/$name.pid"
  if started "$log/$name.pid" 60; then
    stop "$log/$name.pid"
    echo "the installed program opened its window, and it stayed open"
    exit 0
  fi
  stop "$log/$name.pid"
  echo "the installed program showed no window, or did not keep it open: $(cat "$log/$name-program.log")"
  exit 1
fi

check=${1:?package, newcomer, startup, port or cross} suite=${2:?suite} log=$(realpath -m "${3:?log folder}") arch=${4:-}
case "$check" in
  port | cross) [ -n "$arch" ] || { echo "check-release.sh: $check needs an architecture" >&2; exit 2; } ;;
esac
[ "$(id -u)" -eq 0 ] || { echo "check-release.sh: run as root (mmdebstrap makes and enters the chroot)" >&2; exit 2; }
command -v mmdebstrap >/dev/null || { echo "check-release.sh: needs mmdebstrap (tools/install-deps.sh)" >&2; exit 2; }
mkdir -p "$log"
[ "$(locale charmap 2>/dev/null)" = UTF-8 ] || export LC_ALL=C.UTF-8

source "$here/tests/lib.sh"
begin_test  # whatever happens: the X server ended, nothing left mounted, the chroot gone
start_private_display "$work"

variant=buildd include=xdotool architectures=()
[ "$check" = newcomer ] && variant=minbase include=""
if [ "$check" = cross ]; then
  architectures=(--architectures="amd64,$arch")
  include+=",crossbuild-essential-$arch,qemu-user"
fi
name=$check-$suite${arch:+-$arch}
rm -f "$log/$name.phase"
# With the test command's caches (verify/cache.sh), the packages of earlier
# chroots of this release go in before apt runs, and what this one downloads
# comes out again.
debs=() keep=""
if [ -n "${MIVELLO_CACHE:-}" ]; then
  keep="MIVELLO_DEBS='$MIVELLO_CACHE/debs/$suite' MIVELLO_CCACHE='$MIVELLO_CACHE/ccache-$suite'"
  debs=(--skip=essential/unlink
        --setup-hook="bash '$here/verify/deb-cache.sh' in '$MIVELLO_CACHE/debs/$suite' \"\$1\"")
fi
echo "-- $check check on Debian $suite${arch:+ for $arch} (mmdebstrap, variant $variant; log in $log/$name.log)"
# The chroot's lists are read as the machine's are (verify/apt-update.sh), not
# by mmdebstrap's own reading, which ends at the first list out of step. A
# chroot that still could not be made (the archive out of reach) is made once
# more after a pause; a failure of ours inside it is not retried.
for pause in 30 ""; do
  status=0
  TMPDIR=$work mmdebstrap --variant="$variant" ${include:+--include="$include"} "${architectures[@]}" \
    --aptopt='Acquire::Check-Valid-Until "false"' --skip=update \
    --setup-hook="APT_CONFIG=\"\$MMDEBSTRAP_APT_CONFIG\" bash '$here/verify/apt-update.sh'" "${debs[@]}" \
    --customize-hook="$keep bash '$here/verify/check-release.sh' --in-chroot $check $suite \"\$1\" '$log' '$DISPLAY' '$arch'" \
    "$suite" /dev/null http://deb.debian.org/debian >"$log/$name.log" 2>&1 || status=$?
  phase=$(cat "$log/$name.phase" 2>/dev/null || echo "the chroot")
  [ "$status" -ne 0 ] && [ "$phase" = "the chroot" ] && [ -n "$pause" ] || break
  echo "-- the chroot could not be made ($(grep -E '^(E|W): ' "$log/$name.log" | tail -n 1)); again in $pause s"
  sleep "$pause"
done
if [ "$status" -eq 0 ]; then
  grep -E '^(versions|apt cache|compiler cache|lintian|the installed|the [a-z0-9]+ program|newcomer|ratio to)[: ]|tests passed|median' "$log/$name.log" || true
  verdict 0 "$check"
elif [ "${ALLOW_SKIP:-0}" = 1 ] && { [ "$phase" = "the chroot" ] || [ "$phase" = "build dependencies" ]; }; then
  skip "the archive gave no $phase ($(grep -E '^(E|W): ' "$log/$name.log" | tail -n 1))"
else
  tail -n 60 "$log/$name.log"
  verdict 1 "$check, at $phase"
fi
finish "Debian $suite, $check${arch:+ $arch}"

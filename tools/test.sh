#!/usr/bin/env bash
# Builds everything and runs every test: the default build, the sanitizer
# build, the core for every other Debian architecture under qemu-user (those
# this machine's release lacks in a chroot of the release that has them),
# both Windows builds under Wine (the 32-bit release natively or under
# qemu-i386), each fuzzer for a bounded time on top of its seed corpus, the
# Debian package from its source package with lintian and a second build for
# reproducibility, the same on Debian 13 and unstable in throwaway chroots
# with a newcomer's tools/run.sh on Debian 13, the package cross-built for
# arm64 and started under qemu, and the packages. The chroot stages run
# beside the others (verify/chroot-stages.sh). Caches outside the clone
# (verify/cache.sh: compiler, chroot packages, sysroots, qemu-i386) save
# compiling and downloading on a machine where it has run before; every
# stage still builds what it tests and runs all of it.
# FUZZ_SECONDS sets the time per fuzzer (default 60).
set -euo pipefail
cd "$(dirname "$0")/.."
# The window's title, the zip's names and the Chinese texts are UTF-8; a
# caller in the plain C locale gets C.UTF-8, which every Debian system has.
[ "$(locale charmap 2>/dev/null)" = UTF-8 ] || export LC_ALL=C.UTF-8

bash tools/install-deps.sh --windows --ports
jobs=$(nproc)

export MIVELLO_CACHE
MIVELLO_CACHE=$(bash verify/cache.sh path)
mkdir -p "$MIVELLO_CACHE"
exec 9>>"$MIVELLO_CACHE/.lock"
flock -n 9 || { echo "-- another test command uses $MIVELLO_CACHE: waiting for it"; flock 9; }
echo "-- caches in $MIVELLO_CACHE: $(du -sh "$MIVELLO_CACHE" | cut -f1) (bash verify/cache.sh clear removes them)"
compiler_cache=0
if command -v ccache >/dev/null; then
  export CCACHE_DIR="$MIVELLO_CACHE/ccache" CCACHE_MAXSIZE="${CCACHE_MAXSIZE:-5G}"
  # Paths within the clone are hashed relative to it: another clone hits.
  export CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=true
  export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache
  compiler_cache=1
else
  echo "-- no compiler cache (ccache is not installed): every file is compiled"
fi
uncached=(env -u CMAKE_C_COMPILER_LAUNCHER -u CMAKE_CXX_COMPILER_LAUNCHER CCACHE_DISABLE=1)

# The chroot stages, beside the others; their lines begin with [chroots].
# Once the others are done, a second worker takes those not yet begun.
[ "$(id -u)" -eq 0 ] || sudo -v  # asked now, not in the middle of the run
lane=build/chroot-stages
rm -rf "$lane"
mkdir -p "$lane"
: >"$lane/output"
setsid bash verify/chroot-stages.sh "$lane" >"$lane/output" 2>&1 &
lane_pid=$! lane_status=""
tail -n +1 -f --pid="$lane_pid" "$lane/output" | sed -u 's/^/[chroots] /' &
lane_done() {  # true once the chroot stages ended, with their status in lane_status
  [ -n "$lane_status" ] && return 0
  kill -0 "$lane_pid" 2>/dev/null && return 1
  lane_status=0
  wait "$lane_pid" || lane_status=$?
}
end_lane() {  # on every way out: the chroot stages end too
  local status=$?
  lane_done || { kill -TERM -- "-$lane_pid" 2>/dev/null || true; wait "$lane_pid" || true; }
  wait || true
  exit "$status"
}
trap end_lane EXIT

times=()
stage_name="" stage_start=0 stage_note=""
stage() {
  if [ -n "$stage_name" ]; then
    [ "$compiler_cache" = 0 ] || stage_note+=$(ccache --print-stats | awk -F'\t' '
      $1 ~ /^(direct|preprocessed)_cache_hit$/ {hit += $2} $1 == "cache_miss" {miss += $2}
      END {if (hit + miss) printf ", compiler cache: %d of %d compilations from it", hit, hit + miss}')
    times+=("$(printf '%5d s  %s%s' $((SECONDS - stage_start)) "$stage_name" "${stage_note:+ (${stage_note#, })}")")
  fi
  if lane_done && [ "$lane_status" != 0 ]; then
    echo "the chroot stages failed (their output: $lane/output)" >&2
    exit 1
  fi
  stage_name=$1 stage_start=$SECONDS stage_note=""
  [ "$compiler_cache" = 0 ] || ccache --zero-stats >/dev/null
  [ -n "$stage_name" ] && echo "== $stage_name"
  return 0
}
preset() {  # configure, build and test one preset
  cmake --preset "$1"
  WINEDEBUG=-all cmake --build --preset "$1" -j "$jobs"
  case "$1" in
    windows*) ctest --preset "${2:-$1}" ;;  # one Wine prefix, one program at a time
    *) ctest --preset "${2:-$1}" -j "$jobs" ;;
  esac
}

stage "default build and tests"
preset default

stage "sanitizer build and tests"
preset asan

# Each of the other architectures: the core with warnings as errors, its
# tests under qemu-user on the port's baseline processor.
ports=()
for arch in $(bash verify/ports.sh here); do
  stage "$arch core, tests under qemu-user"
  bash verify/check-port.sh "$arch" 2>&1 | tee build/port-$arch.log
  ports+=("$(tail -n 1 build/port-$arch.log)")
  if grep -qE "sysroot for $arch .*from the cache" build/port-$arch.log; then stage_note=", sysroot from the cache"; fi
done

stage "32-bit Windows (the release)"
# Natively where this machine runs 32-bit programs; elsewhere 32-bit Wine
# under qemu-i386 in a private namespace; where neither can be had, the
# executable is checked without running it. MIVELLO_I386=emulated takes the
# second way on any machine.
if [ "${MIVELLO_I386:-}" != emulated ] && why=$(bash verify/wine.sh i686 --can-run 2>&1); then
  preset windows
  windows_ran="i686 under 32-bit Wine, natively"
elif qemu=$(bash verify/qemu-i386.sh build/qemu-i386 2>build/qemu-i386.log || status=$?
    cat build/qemu-i386.log >&2; exit "${status:-0}") &&
  emulation=$(bash verify/with-i386-emulation.sh "$qemu" --check 2>&1); then
  echo "32-bit Windows tests under qemu-i386 ($("$qemu" --version | head -n1)) in a private namespace"
  cmake --preset windows
  WINEDEBUG=-all cmake --build --preset windows -j "$jobs"
  bash verify/with-i386-emulation.sh "$qemu" ctest --preset windows
  windows_ran="i686 under 32-bit Wine on qemu-i386, emulated"
  if grep -q "from the cache" build/qemu-i386.log; then stage_note=", qemu-i386 from the cache"; fi
else
  echo "32-bit Windows tests not run: this machine cannot execute 32-bit programs (${why:-}${emulation:+; emulation: $emulation}); checking the executable without running it"
  preset windows windows-static
  windows_ran="i686 checked without running it"
fi

stage "the release built again in another folder: the same bytes"
again=$(mktemp -d)
"${uncached[@]}" cmake --preset windows -B "$again" >/dev/null  # compiled anew: a cache's bytes would prove nothing
WINEDEBUG=-all "${uncached[@]}" cmake --build "$again" --target mivello_zip mivello_msi -j "$jobs"
cmp build/windows/app/工程1.exe "$again/app/工程1.exe"
cmp build/windows/mivello-*-windows-x86.zip "$again"/mivello-*-windows-x86.zip
echo "reproducible: 工程1.exe and the zip; the installer differs in $(cmp -l build/windows/mivello-*-windows-x86.msi \
  "$again"/mivello-*-windows-x86.msi | wc -l) bytes (the summary's creation and save times that wixl takes from the clock)"
rm -rf "$again"

stage "64-bit Windows, tests under wine64"
preset windows-x64

stage "fuzzers"
cmake --preset fuzz
cmake --build --preset fuzz -j "$jobs"
bash verify/run-fuzzers.sh "${FUZZ_SECONDS:-60}"

stage "the Debian package: Debian's flags, no -Werror, its tests; lintian; built again, the same bytes"
rm -rf build/debian build/debian-again
# The first build through Debian's usual compiler cache hook (ccache's
# compiler names first on PATH), in the same folder each time; the second
# without any cache, in a folder of its own.
first=(env -u CMAKE_C_COMPILER_LAUNCHER -u CMAKE_CXX_COMPILER_LAUNCHER)
[ "$compiler_cache" = 0 ] || [ ! -d /usr/lib/ccache ] ||
  first+=(PATH="/usr/lib/ccache:$PATH" BUILD_DEB_FOLDER="$MIVELLO_CACHE/package-tree")
"${first[@]}" bash packaging/build-deb.sh build/debian
lintian_out=$(lintian --info --display-info build/debian/*.changes 2>&1 || true)
echo "$lintian_out"
if grep -qE '^[EW]: ' <<<"$lintian_out"; then
  echo "lintian found errors or warnings" >&2
  exit 1
fi
echo "lintian: no error, no warning"
sleep 2  # another second in every date the build could take from the clock
"${uncached[@]}" bash packaging/build-deb.sh build/debian-again nocheck
for deb in build/debian/*.deb; do
  cmp "$deb" "build/debian-again/$(basename "$deb")" || { echo "$deb differs between two builds" >&2; exit 1; }
done
echo "reproducible: $(ls build/debian/*.deb | wc -l) .deb files the same in two builds"

stage "packages"
bash verify/check-package.sh build/debian build/windows

stage ""
# A second worker for the chroot stages that the first has not begun.
bash verify/chroot-stages.sh "$lane" 2>&1 | sed -u 's/^/[chroots, second worker] /'
until lane_done; do sleep 5; done
[ "$lane_status" = 0 ] || { tail -n 40 "$lane/output"; echo "the chroot stages failed (their output: $lane/output)" >&2; exit 1; }
echo "Stage times (the chroot stages ran beside the others):"
printf '%s\n' "${times[@]}"
sed 's/^/chroot /' "$lane/times"
echo "The whole command: $SECONDS s. Caches in $MIVELLO_CACHE: $(du -sh "$MIVELLO_CACHE" | cut -f1)."
echo "Windows tests: x86_64 under wine64; $windows_ran."
echo "Other architectures (compiler; emulator and processor; tests):"
printf '  %s\n' "${ports[@]}"
sed 's/^/  /' "$lane/ports"
echo "Debian releases: 12 on this machine; 13 passed (package and newcomer); unstable $(cat "$lane/unstable")."
echo "All test stages passed."

#!/usr/bin/env bash
# Builds everything and runs every test: the default build, the sanitizer
# build, the core for every other Debian architecture under qemu-user (those
# this machine's release lacks in a chroot of the release that has them),
# both Windows builds under Wine (the 32-bit release natively or under
# qemu-i386), each fuzzer for a bounded time on top of its seed corpus, the
# Debian package from its source package with lintian and a second build for
# reproducibility, the same on Debian 13 and unstable in throwaway chroots
# with a newcomer's tools/run.sh on Debian 13, the package cross-built for
# arm64 and started under qemu, and the packages.
# FUZZ_SECONDS sets the time per fuzzer (default 60).
set -euo pipefail
cd "$(dirname "$0")/.."
# The window's title, the zip's names and the Chinese texts are UTF-8; a
# caller in the plain C locale gets C.UTF-8, which every Debian system has.
[ "$(locale charmap 2>/dev/null)" = UTF-8 ] || export LC_ALL=C.UTF-8

bash tools/install-deps.sh --windows --ports
jobs=$(nproc)
times=()
stage_name="" stage_start=0
stage() {
  [ -n "$stage_name" ] && times+=("$(printf '%5d s  %s' $((SECONDS - stage_start)) "$stage_name")")
  stage_name=$1 stage_start=$SECONDS
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
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
ports=()
for arch in $(bash verify/ports.sh here); do
  stage "$arch core, tests under qemu-user"
  bash verify/check-port.sh "$arch" | tee build/port-$arch.log
  ports+=("$(tail -n 1 build/port-$arch.log)")
done
while read -r arch release; do
  [ -n "$arch" ] || continue
  stage "$arch core in a Debian $release chroot (this release has no $arch), tests under qemu-user"
  "${as_root[@]}" bash verify/check-release.sh port "$release" build/releases "$arch"
  ports+=("$(grep -E "^$arch: .*tests passed" "build/releases/port-$release-$arch.log" | tail -n 1)")
done <<<"$(bash verify/ports.sh elsewhere)"

stage "32-bit Windows (the release)"
# Natively where this machine runs 32-bit programs; elsewhere 32-bit Wine
# under qemu-i386 in a private namespace; where neither can be had, the
# executable is checked without running it. MIVELLO_I386=emulated takes the
# second way on any machine.
if [ "${MIVELLO_I386:-}" != emulated ] && why=$(bash verify/wine.sh i686 --can-run 2>&1); then
  preset windows
  windows_ran="i686 under 32-bit Wine, natively"
elif qemu=$(bash verify/qemu-i386.sh build/qemu-i386) &&
  emulation=$(bash verify/with-i386-emulation.sh "$qemu" --check 2>&1); then
  echo "32-bit Windows tests under qemu-i386 ($("$qemu" --version | head -n1)) in a private namespace"
  cmake --preset windows
  WINEDEBUG=-all cmake --build --preset windows -j "$jobs"
  bash verify/with-i386-emulation.sh "$qemu" ctest --preset windows
  windows_ran="i686 under 32-bit Wine on qemu-i386, emulated"
else
  echo "32-bit Windows tests not run: this machine cannot execute 32-bit programs (${why:-}${emulation:+; emulation: $emulation}); checking the executable without running it"
  preset windows windows-static
  windows_ran="i686 checked without running it"
fi

stage "the release built again in another folder: the same bytes"
again=$(mktemp -d)
cmake --preset windows -B "$again" >/dev/null
WINEDEBUG=-all cmake --build "$again" --target mivello_zip mivello_msi -j "$jobs"
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
bash packaging/build-deb.sh build/debian
lintian_out=$(lintian --info --display-info build/debian/*.changes 2>&1 || true)
echo "$lintian_out"
if grep -qE '^[EW]: ' <<<"$lintian_out"; then
  echo "lintian found errors or warnings" >&2
  exit 1
fi
echo "lintian: no error, no warning"
sleep 2  # another second in every date the build could take from the clock
bash packaging/build-deb.sh build/debian-again nocheck
for deb in build/debian/*.deb; do
  cmp "$deb" "build/debian-again/$(basename "$deb")" || { echo "$deb differs between two builds" >&2; exit 1; }
done
echo "reproducible: $(ls build/debian/*.deb | wc -l) .deb files the same in two builds"

# The other Debian releases users have, each in a throwaway chroot.
stage "Debian 13 (stable): the package as its build machines build it, lintian, installed and started"
"${as_root[@]}" bash verify/check-release.sh package trixie build/releases

stage "Debian unstable: the same"
unstable=0
"${as_root[@]}" env ALLOW_SKIP=1 bash verify/check-release.sh package unstable build/releases || unstable=$?
case "$unstable" in
  0) unstable_ran="passed" ;;
  77) unstable_ran="skipped: the archive gave no chroot or build dependencies" ;;
  *) exit 1 ;;
esac

stage "Debian 13, a newcomer: tools/run.sh in a minimal system opens the window"
"${as_root[@]}" bash verify/check-release.sh newcomer trixie build/releases

stage "the package cross-built for arm64 on Debian 13, installed and started under qemu-aarch64"
"${as_root[@]}" bash verify/check-release.sh cross trixie build/releases arm64

stage "packages"
bash verify/check-package.sh build/debian build/windows

stage ""
echo "Stage times:"
printf '%s\n' "${times[@]}"
echo "Windows tests: x86_64 under wine64; $windows_ran."
echo "Other architectures (compiler; emulator and processor; tests):"
printf '  %s\n' "${ports[@]}"
echo "Debian releases: 12 on this machine; 13 passed (package and newcomer); unstable $unstable_ran."
echo "All test stages passed."

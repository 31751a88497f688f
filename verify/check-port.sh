#!/usr/bin/env bash
# Builds the GUI-free core (runtime, calculation, links, stored form, picture
# decoders) for another Debian architecture with warnings as errors, and runs
# its tests under qemu-user on the port's baseline processor, in a sysroot of
# the port's own libraries. Needs the default build's tools (or builds them
# itself when there is none) and the port's cross compiler
# (tools/install-deps.sh --ports). Ends with one line: the compiler, the
# processor, the tests passed.
#   verify/check-port.sh ARCH       ARCH: arm64, armel, armhf, i386, ppc64el, riscv64 or s390x
set -euo pipefail
cd "$(dirname "$0")/.."
arch=${1:?architecture}
jobs=$(nproc)
bash verify/port-sysroot.sh "$arch" "build/sysroots/$arch" >/dev/null
host=()
[ -x build/default/tools/form_block/write_form_block ] || host=(-DMIVELLO_HOST_TOOLS=)
cmake --preset "$arch" "${host[@]}"
cmake --build --preset "$arch" -j "$jobs"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
ctest --preset "$arch" -j "$jobs" | tee "$log"
cached() { sed -n "s/^$1:[A-Z]*=//p" "build/$arch/CMakeCache.txt"; }
emulator=$(cached MIVELLO_PORT_EMULATOR)
# GoogleTest's own count of each program, as ctest shows its output.
count() { sed -n "s/^[0-9]*: \[  $1 *\] \([0-9]*\) tests\?\.\?.*/\1/p" "$log" | awk '{n += $1} END {print n + 0}'; }
echo "$arch: $("$(cached MIVELLO_PORT_COMPILER)" --version | head -n 1); $("${emulator%% *}" --version | head -n 1), ${emulator#* }: $(count PASSED) tests passed, $(count SKIPPED) skipped"

#!/usr/bin/env bash
# The test command's stages in throwaway chroots of other Debian releases
# (verify/check-release.sh), the longest first. tools/test.sh runs one worker
# of them beside its other stages (much of their time goes to downloading and
# installing, which leaves a processor free) and, once those are done, a
# second: each stage is taken by the first worker to reach it. Adds to
# FOLDER: times (a line per stage, with what the caches gave), ports (each
# port's closing line) and unstable (passed, or why it was skipped).
#   verify/chroot-stages.sh FOLDER
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:?folder}")
logs=build/releases
mkdir -p "$out" "$logs"
as_root=(env)
[ "$(id -u)" -eq 0 ] || as_root=(sudo env)
as_root+=("MIVELLO_CACHE=${MIVELLO_CACHE:-}")

cache_note() {  # cache_note LOG: what the caches gave the chroot of LOG
  [ -n "${MIVELLO_CACHE:-}" ] || return 0
  local from kept compiled
  from=$(sed -n 's/^apt cache: \([0-9]*\) packages from the cache.*/\1/p' "$1" 2>/dev/null | tail -n 1)
  kept=$(sed -n 's/^apt cache: \([0-9]*\) downloaded packages kept/\1/p' "$1" 2>/dev/null | tail -n 1)
  compiled=$(sed -n 's/^compiler cache: //p' "$1" 2>/dev/null | tail -n 1)
  echo " (apt cache: ${from:-0} packages from it, ${kept:-?} downloaded${compiled:+; compiler cache: $compiled})"
}
stage() {  # stage NAME CHECK SUITE [ARCH]: status 75 when another worker took it
  local name=$1 start=$SECONDS status=0
  shift
  mkdir "$out/taken-$1-$2${3:+-$3}" 2>/dev/null || return 75
  echo "== $name"
  "${as_root[@]}" ${allow_skip:+ALLOW_SKIP=1} bash verify/check-release.sh "$1" "$2" "$logs" ${3:+"$3"} || status=$?
  printf '%5d s  %s%s\n' $((SECONDS - start)) "$name" "$(cache_note "$logs/$1-$2${3:+-$3}.log")" >>"$out/times"
  return "$status"
}

allow_skip=""
taken() { [ "$1" = 75 ] || exit "$1"; }  # another worker runs it: on to the next
stage "Debian 13 (stable): the package as its build machines build it, lintian, installed and started" \
  package trixie || taken $?

allow_skip=1 status=0
stage "Debian unstable: the same" package unstable || status=$?
allow_skip=""
case "$status" in
  0) echo "passed" >"$out/unstable" ;;
  77) echo "skipped: the archive gave no chroot or build dependencies" >"$out/unstable" ;;
  75) ;;
  *) exit 1 ;;
esac

while read -r arch release; do
  [ -n "$arch" ] || continue
  status=0
  stage "$arch core in a Debian $release chroot (this release has no $arch), tests under qemu-user" \
    port "$release" "$arch" || status=$?
  case "$status" in
    0) grep -E "^$arch: .*tests passed" "$logs/port-$release-$arch.log" | tail -n 1 >>"$out/ports" ;;
    75) ;;
    *) exit 1 ;;
  esac
done <<<"$(bash verify/ports.sh elsewhere)"

stage "the package cross-built for arm64 on Debian 13, installed and started under qemu-aarch64" \
  cross trixie arm64 || taken $?

stage "Debian 13, a newcomer: tools/run.sh in a minimal system opens the window" newcomer trixie || taken $?

echo "no chroot stage left"

#!/usr/bin/env bash
# Builds the Debian package from the source package, as a distribution does
# (dpkg-buildpackage: Debian's flags, the tests run), in a throwaway copy of
# the tree, and puts the results in OUTPUT_FOLDER. With nocheck the tests are
# left out (DEB_BUILD_OPTIONS=nocheck). With -a ARCH it is cross-built for
# that Debian architecture, as Debian's cross builds are (the profiles cross
# and nocheck: the tests cannot run on this machine).
#   packaging/build-deb.sh [-a ARCH] [OUTPUT_FOLDER] [nocheck]
set -euo pipefail
cd "$(dirname "$0")/.."
arch=()
if [ "${1:-}" = -a ]; then
  arch=(-a "${2:?-a needs a Debian architecture}")
  shift 2
fi
out=$(realpath -m "${1:-build/debian}")
command -v dpkg-buildpackage >/dev/null && command -v dh >/dev/null ||
  { echo "build-deb.sh: needs the package tools: sudo apt-get install dpkg-dev debhelper" >&2; exit 1; }
profiles=() options="parallel=$(nproc)"
[ "${2:-}" = nocheck ] && profiles=(-Pnocheck) options+=" nocheck"
[ "${#arch[@]}" -eq 0 ] || profiles=(-Pcross,nocheck) options+=" nocheck"
if ! missing=$(dpkg-checkbuilddeps "${arch[@]}" "${profiles[@]}" 2>&1); then
  echo "build-deb.sh: ${missing#dpkg-checkbuilddeps: }" >&2
  echo "build-deb.sh: install them with: sudo apt-get build-dep ${arch[*]} ./" >&2
  exit 1
fi
version=$(dpkg-parsechangelog -S Version)
# BUILD_DEB_FOLDER: the build's folder instead of a temporary one, emptied
# first (a compiler cache hits only where the paths are the same each time).
if [ -n "${BUILD_DEB_FOLDER:-}" ]; then
  work=$(realpath -m "$BUILD_DEB_FOLDER")
  rm -rf "$work"
  mkdir -p "$work"
else
  work=$(mktemp -d)
fi
trap 'rm -rf "$work"' EXIT
tree="$work/mivello-$version"
mkdir -p "$tree" "$out"
# The sources as they are, without builds and history.
tar --exclude=./build --exclude=./.git --exclude=./obj-* -cf - . | tar -xf - -C "$tree"
echo "-- dpkg-buildpackage ${arch[*]} ${profiles[*]} in $tree (DEB_BUILD_OPTIONS=$options)"
(cd "$tree" && DEB_BUILD_OPTIONS="$options" dpkg-buildpackage -us -uc -b "${arch[@]}" "${profiles[@]}")
mv "$work"/*.deb "$work"/*.buildinfo "$work"/*.changes "$out"/
ls "$out"/*.deb

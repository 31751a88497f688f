#!/usr/bin/env bash
# Fetches qemu-i386 of QEMU 10 from Debian's bookworm-backports into FOLDER
# and prints its path. QEMU 10 runs 32-bit Wine fast enough for the tests
# (bookworm's own 7.2 spends about 50 s in every Wine process). apt runs with
# a configuration of its own under FOLDER: the machine's sources, lists and
# packages stay as they are, and nothing is installed. With MIVELLO_CACHE
# (the test command's caches, verify/cache.sh) it is kept there with its
# version, and used while bookworm-backports still offers that version.
#   verify/qemu-i386.sh FOLDER
set -euo pipefail
folder=$(realpath -m "${1:?folder}")
if [ -n "${MIVELLO_CACHE:-}" ]; then
  source "$(dirname "$0")/cache.sh"
  folder="$MIVELLO_CACHE/qemu-i386" apt_dir="$MIVELLO_CACHE/qemu-i386.apt" cached=1
else
  apt_dir="$folder/apt" cached=0
fi
qemu="$folder/usr/bin/qemu-i386"
if [ "$cached" = 0 ] && [ -x "$qemu" ] && "$qemu" --version >/dev/null 2>&1; then
  echo "$qemu"
  exit 0
fi
[ "$(dpkg --print-architecture 2>/dev/null)" = amd64 ] || { echo "qemu-i386.sh: only for amd64 machines" >&2; exit 1; }
keyring=/usr/share/keyrings/debian-archive-keyring.gpg
[ -r "$keyring" ] || { echo "qemu-i386.sh: no Debian archive keyring ($keyring)" >&2; exit 1; }

mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
echo "deb [signed-by=$keyring] http://deb.debian.org/debian bookworm-backports main" >"$apt_dir/sources.list"
apt=(-o "Dir::Etc::SourceList=$apt_dir/sources.list" -o Dir::Etc::SourceParts=/dev/null
     -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache"
     -o APT::Sandbox::User="$(id -un)" -o Debug::NoLocking=1)
bash "$(dirname "$0")/apt-update.sh" "${apt[@]}" >&2
version=$(apt-cache "${apt[@]}" policy qemu-user | sed -n 's/^ *Candidate: //p')
case "$version" in
  1:1[0-9].*) ;;
  *) echo "qemu-i386.sh: bookworm-backports offers no QEMU 10 or later (candidate: ${version:-none})" >&2; exit 1 ;;
esac
if [ "$cached" = 1 ]; then
  if reuse_entry "$folder" "$version" "qemu-i386 $version" && "$qemu" --version >/dev/null 2>&1; then
    echo "$qemu"
    exit 0
  fi
fi
mkdir -p "$folder"
echo "-- fetching qemu-user $version from bookworm-backports into $folder (not installed)" >&2
(cd "$apt_dir" && rm -f ./*.deb && apt-get "${apt[@]}" -q download "qemu-user=$version" >&2)
dpkg-deb --fsys-tarfile "$apt_dir"/qemu-user_*.deb | tar -x -C "$folder" ./usr/bin/qemu-i386
rm -f "$apt_dir"/qemu-user_*.deb
[ "$cached" = 0 ] || seal_entry "$folder" "$version"
"$qemu" --version | head -n1 >&2
echo "$qemu"

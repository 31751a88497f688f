#!/usr/bin/env bash
# Fetches qemu-i386 of QEMU 10 from Debian's bookworm-backports into FOLDER
# and prints its path. QEMU 10 runs 32-bit Wine fast enough for the tests
# (bookworm's own 7.2 spends about 50 s in every Wine process). apt runs with
# a configuration of its own under FOLDER: the machine's sources, lists and
# packages stay as they are, and nothing is installed.
#   verify/qemu-i386.sh FOLDER
set -euo pipefail
folder=$(realpath -m "${1:?folder}")
qemu="$folder/usr/bin/qemu-i386"
if [ -x "$qemu" ] && "$qemu" --version >/dev/null 2>&1; then
  echo "$qemu"
  exit 0
fi
[ "$(dpkg --print-architecture 2>/dev/null)" = amd64 ] || { echo "qemu-i386.sh: only for amd64 machines" >&2; exit 1; }
keyring=/usr/share/keyrings/debian-archive-keyring.gpg
[ -r "$keyring" ] || { echo "qemu-i386.sh: no Debian archive keyring ($keyring)" >&2; exit 1; }

mkdir -p "$folder/apt/lists/partial" "$folder/apt/cache/archives/partial"
echo "deb [signed-by=$keyring] http://deb.debian.org/debian bookworm-backports main" >"$folder/apt/sources.list"
apt=(-o "Dir::Etc::SourceList=$folder/apt/sources.list" -o Dir::Etc::SourceParts=/dev/null
     -o "Dir::State::Lists=$folder/apt/lists" -o "Dir::Cache=$folder/apt/cache"
     -o APT::Sandbox::User="$(id -un)" -o Debug::NoLocking=1)
echo "-- fetching qemu-user from bookworm-backports into $folder (not installed)" >&2
bash "$(dirname "$0")/apt-update.sh" "${apt[@]}" >&2
version=$(apt-cache "${apt[@]}" policy qemu-user | sed -n 's/^ *Candidate: //p')
case "$version" in
  1:1[0-9].*) ;;
  *) echo "qemu-i386.sh: bookworm-backports offers no QEMU 10 or later (candidate: ${version:-none})" >&2; exit 1 ;;
esac
(cd "$folder/apt" && apt-get "${apt[@]}" -q download "qemu-user=$version" >&2)
dpkg-deb --fsys-tarfile "$folder"/apt/qemu-user_*.deb | tar -x -C "$folder" ./usr/bin/qemu-i386
rm -f "$folder"/apt/qemu-user_*.deb
"$qemu" --version | head -n1 >&2
echo "$qemu"

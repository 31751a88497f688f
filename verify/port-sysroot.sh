#!/usr/bin/env bash
# Makes FOLDER the system that another architecture's programs run in under
# qemu-user: the C library with its loader and character-set modules, the
# C++ runtime and giflib, all of them this machine's Debian release's own
# packages for ARCH, unpacked (not installed). apt runs with a configuration
# of its own under FOLDER: the machine's sources, lists, architectures and
# packages stay as they are.
#   verify/port-sysroot.sh ARCH FOLDER     ARCH as Debian names it: armel, s390x, ...
set -euo pipefail
arch=${1:?architecture} folder=$(realpath -m "${2:?folder}")
packages=(libc6 libgcc-s1 libstdc++6 libgif7 libgif-dev)
stamp="$folder/.packages"
if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "${packages[*]}" ]; then
  echo "$folder"
  exit 0
fi
. /etc/os-release
release=${VERSION_CODENAME:?this machine names no Debian release}
keyring=/usr/share/keyrings/debian-archive-keyring.gpg
[ -r "$keyring" ] || { echo "port-sysroot.sh: no Debian archive keyring ($keyring)" >&2; exit 1; }

rm -rf "$folder"
apt_dir="$folder.apt"
rm -rf "$apt_dir"
mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$folder"
{
  echo "deb [arch=$arch signed-by=$keyring] http://deb.debian.org/debian $release main"
  echo "deb [arch=$arch signed-by=$keyring] http://deb.debian.org/debian $release-updates main"
  echo "deb [arch=$arch signed-by=$keyring] http://deb.debian.org/debian-security $release-security main"
} >"$apt_dir/sources.list"
apt=(-o "Dir::Etc::SourceList=$apt_dir/sources.list" -o Dir::Etc::SourceParts=/dev/null
     -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache" -o "Dir::State::Status=/dev/null"
     -o "APT::Architecture=$arch" -o "APT::Architectures=$arch"
     -o APT::Sandbox::User="$(id -un)" -o Debug::NoLocking=1)
echo "-- fetching ${packages[*]} for $arch from Debian $release into $folder (not installed)" >&2
bash "$(dirname "$0")/apt-update.sh" "${apt[@]}" >&2
(cd "$apt_dir" && apt-get "${apt[@]}" -q download "${packages[@]/%/:$arch}" >&2)
for deb in "$apt_dir"/*.deb; do dpkg-deb -x "$deb" "$folder"; done
# A link to an absolute path (ppc64el's /lib64/ld64.so.2) is meant within
# the port's system, not this machine's.
find "$folder" -type l -lname '/*' | while read -r link; do
  ln -sfn "$(realpath -m --relative-to="$(dirname "$link")" "$folder$(readlink "$link")")" "$link"
done
# From Debian 13 on, packages hold /usr/lib and a system links /lib to it.
for dir in lib lib64; do
  [ -d "$folder/usr/$dir" ] && [ ! -e "$folder/$dir" ] && ln -s "usr/$dir" "$folder/$dir"
done
# The loader reads no cache of this machine's libraries: an empty one is
# ignored, and it looks in its own folders, which are these.
mkdir -p "$folder/etc"
: >"$folder/etc/ld.so.cache"
rm -rf "$apt_dir"
echo "${packages[*]}" >"$stamp"
echo "$folder"

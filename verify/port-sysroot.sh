#!/usr/bin/env bash
# Makes FOLDER the system that another architecture's programs run in under
# qemu-user: the C library with its loader and character-set modules, the
# C++ runtime and giflib, all of them this machine's Debian release's own
# packages for ARCH, unpacked (not installed). apt runs with a configuration
# of its own under FOLDER: the machine's sources, lists, architectures and
# packages stay as they are. With MIVELLO_CACHE (the test command's caches,
# verify/cache.sh) the sysroot is kept there with the versions it holds, and
# copied to FOLDER while the archive still offers those versions.
#   verify/port-sysroot.sh ARCH FOLDER     ARCH as Debian names it: armel, s390x, ...
set -euo pipefail
arch=${1:?architecture} folder=$(realpath -m "${2:?folder}")
packages=(libc6 libgcc-s1 libstdc++6 libgif7 libgif-dev)
. /etc/os-release
release=${VERSION_CODENAME:?this machine names no Debian release}
if [ -n "${MIVELLO_CACHE:-}" ]; then
  source "$(dirname "$0")/cache.sh"
  entry="$MIVELLO_CACHE/sysroots/$release-$arch"
  apt_dir="$entry.apt"  # kept: the next reading of the lists fetches only what changed
else
  entry=$folder apt_dir="$folder.apt"
  if [ -f "$folder/.packages" ] && [ "$(cat "$folder/.packages")" = "${packages[*]}" ]; then
    echo "$folder"
    exit 0
  fi
  rm -rf "$apt_dir"
fi
keyring=/usr/share/keyrings/debian-archive-keyring.gpg
[ -r "$keyring" ] || { echo "port-sysroot.sh: no Debian archive keyring ($keyring)" >&2; exit 1; }

mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
{
  echo "deb [arch=$arch signed-by=$keyring] http://deb.debian.org/debian $release main"
  echo "deb [arch=$arch signed-by=$keyring] http://deb.debian.org/debian $release-updates main"
  echo "deb [arch=$arch signed-by=$keyring] http://deb.debian.org/debian-security $release-security main"
} >"$apt_dir/sources.list"
apt=(-o "Dir::Etc::SourceList=$apt_dir/sources.list" -o Dir::Etc::SourceParts=/dev/null
     -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache" -o "Dir::State::Status=/dev/null"
     -o "APT::Architecture=$arch" -o "APT::Architectures=$arch"
     -o APT::Sandbox::User="$(id -un)" -o Debug::NoLocking=1)
bash "$(dirname "$0")/apt-update.sh" "${apt[@]}" >&2
copy_out() {  # the cached sysroot to FOLDER, where the tests may change it
  rm -rf "$folder"
  mkdir -p "$(dirname "$folder")"
  cp -a "$entry" "$folder"
  echo "$folder"
}
if [ "$entry" != "$folder" ]; then
  versions=$(apt-cache "${apt[@]}" policy "${packages[@]/%/:$arch}" |
    awk '/^[^ ]/ {name = $1; sub(/:.*/, "", name)} /Candidate:/ {printf "%s%s=%s", sep, name, $2; sep = " "}')
  if reuse_entry "$entry" "$versions" "sysroot for $arch ($versions)"; then
    copy_out
    exit 0
  fi
fi
rm -rf "$entry"
mkdir -p "$entry"
echo "-- fetching ${packages[*]} for $arch from Debian $release into $entry (not installed)" >&2
(cd "$apt_dir" && rm -f ./*.deb && apt-get "${apt[@]}" -q download "${packages[@]/%/:$arch}" >&2)
for deb in "$apt_dir"/*.deb; do dpkg-deb -x "$deb" "$entry"; done
rm -f "$apt_dir"/*.deb
# A link to an absolute path (ppc64el's /lib64/ld64.so.2) is meant within
# the port's system, not this machine's.
find "$entry" -type l -lname '/*' | while read -r link; do
  ln -sfn "$(realpath -m --relative-to="$(dirname "$link")" "$entry$(readlink "$link")")" "$link"
done
# From Debian 13 on, packages hold /usr/lib and a system links /lib to it.
for dir in lib lib64; do
  [ -d "$entry/usr/$dir" ] && [ ! -e "$entry/$dir" ] && ln -s "usr/$dir" "$entry/$dir"
done
# The loader reads no cache of this machine's libraries: an empty one is
# ignored, and it looks in its own folders, which are these.
mkdir -p "$entry/etc"
: >"$entry/etc/ld.so.cache"
echo "${packages[*]}" >"$entry/.packages"
if [ "$entry" = "$folder" ]; then
  rm -rf "$apt_dir"
else
  seal_entry "$entry" "$versions"
  copy_out
  exit 0
fi
echo "$folder"

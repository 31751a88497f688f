#!/usr/bin/env bash
# The packages a chroot downloaded, kept for the next chroot of that release
# (verify/check-release.sh with MIVELLO_CACHE). The folder holds .deb files
# and their SHA256SUMS; apt in the chroot takes a package from it when it has
# the version apt wants and downloads what it lacks.
#   verify/deb-cache.sh in FOLDER ROOT    the sound packages of FOLDER into the chroot
#                                         at ROOT; a damaged or unlisted one is deleted
#   verify/deb-cache.sh out ROOT FOLDER   what the chroot downloaded into FOLDER; an
#                                         older version of the same package leaves it
set -euo pipefail
what=${1:?in or out}
case "$what" in
  in) folder=$(realpath -m "$2") root=$(realpath -m "$3") ;;
  out) root=$(realpath -m "$2") folder=$(realpath -m "$3") ;;
  *) echo "deb-cache.sh: in or out" >&2; exit 2 ;;
esac
archives="$root/var/cache/apt/archives"
mkdir -p "$folder" "$archives/partial"
cd "$folder"
exec 8>.lock
flock 8  # one chroot at a time reads or writes the folder
touch SHA256SUMS

if [ "$what" = in ]; then
  sound=$(sha256sum -c SHA256SUMS 2>/dev/null | sed -n 's/: OK$//p' || true)
  dropped=0
  for deb in *.deb; do
    [ -e "$deb" ] || continue
    grep -qxF "$deb" <<<"$sound" || { rm -f "$deb"; dropped=$((dropped + 1)); }
  done
  if [ -n "$sound" ]; then
    grep -F -f <(sed 's/^/  /' <<<"$sound") SHA256SUMS >SHA256SUMS.new || true
    xargs -d '\n' cp -t "$archives" <<<"$sound"
  else
    : >SHA256SUMS.new
  fi
  mv SHA256SUMS.new SHA256SUMS
  note=""
  [ "$dropped" = 0 ] || note=" ($dropped damaged or unlisted: deleted, to be downloaded again)"
  echo "apt cache: $(grep -c . <<<"$sound" || true) packages from the cache$note"
  exit 0
fi

added=0
for path in "$archives"/*.deb; do
  [ -e "$path" ] || continue
  deb=$(basename "$path")
  [ -e "$deb" ] && continue
  package=${deb%%_*} arch=${deb##*_}
  for older in "${package}"_*_"$arch"; do
    [ -e "$older" ] || continue
    rm -f "$older"
    grep -vF "  $older" SHA256SUMS >SHA256SUMS.new || true
    mv SHA256SUMS.new SHA256SUMS
  done
  cp "$path" "$deb.part"
  mv "$deb.part" "$deb"
  sha256sum "$deb" >>SHA256SUMS
  added=$((added + 1))
done
echo "apt cache: $added downloaded packages kept"

#!/usr/bin/env bash
# Reads cmake/ports.txt, the table of the other architectures.
#   verify/ports.sh here          the ports this machine's release carries, one a line
#   verify/ports.sh elsewhere     the others, each as "ARCH RELEASE" (built in a chroot of that release)
#   verify/ports.sh triple ARCH   the port's GNU triple
#   verify/ports.sh qemu ARCH     the name of its qemu-user emulator's processor: qemu-NAME
set -euo pipefail
table=$(grep -E '^[a-z]' "$(dirname "$0")/../cmake/ports.txt")
. /etc/os-release
release=${VERSION_ID:-99}  # unstable names no number: it carries every port
release=${release%%.*}
case "${1:?here, elsewhere or triple}" in
  here) awk -v r="$release" '$6 <= r {print $1}' <<<"$table" ;;
  elsewhere)
    awk -v r="$release" '$6 > r {print $1, $6}' <<<"$table" |
      sed -e 's/ 13$/ trixie/' ;;
  triple | qemu)
    column=2
    [ "$1" = qemu ] && column=4
    value=$(awk -v a="${2:?architecture}" -v c="$column" '$1 == a {print $c}' <<<"$table")
    [ -n "$value" ] || { echo "ports.sh: no port $2 in cmake/ports.txt" >&2; exit 2; }
    echo "$value" ;;
  *) echo "ports.sh: here, elsewhere, triple or qemu" >&2; exit 2 ;;
esac

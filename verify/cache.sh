#!/usr/bin/env bash
# The test command's caches: one folder outside the clone, MIVELLO_CACHE
# (default ~/.cache/mivello-tests). They save compiling and downloading,
# never a test: every stage still builds what it tests and runs it all.
#   ccache/        the compiler cache of every preset and of the package's
#                  first build (bounded by ccache's max_size)
#   ccache-SUITE/  the compiler cache of a port's chroot of SUITE (never of
#                  a package build there), copied in and out
#   debs/SUITE/    the packages the chroots of SUITE downloaded, with their
#                  SHA256SUMS; a newer version replaces an older one
#   sysroots/      the ports' sysroots, each with the versions it holds
#   qemu-i386/     qemu-i386 with its version
#   package-tree/  where the package's first build compiles (a fixed path,
#                  so that its compiler commands are the same every run)
# An entry is used only when its checksums hold; otherwise it is made anew.
#   verify/cache.sh path | size | clear
# Sourced, it gives seal_entry DIR KEY and reuse_entry DIR KEY WHAT: an entry
# is a folder with its key (the versions it holds) and its checksums.
cache_folder() { echo "${MIVELLO_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/mivello-tests}"; }

seal_entry() {  # seal_entry DIR KEY: DIR holds KEY; record its checksums
  (cd "$1" && rm -f .key .sha256 &&
    find . -type f ! -name '.sha256*' -print0 | sort -z | xargs -0r sha256sum >.sha256.new &&
    mv .sha256.new .sha256 && echo "$2" >.key)
}
entry_is_sound() {  # entry_is_sound DIR KEY: DIR holds KEY, and every file is as it was sealed
  [ -f "$1/.key" ] && [ -f "$1/.sha256" ] && [ "$(cat "$1/.key")" = "$2" ] &&
    (cd "$1" && sha256sum --quiet --strict -c .sha256 >/dev/null 2>&1) &&
    [ "$(cd "$1" && find . -type f ! -name .key ! -name .sha256 | wc -l)" = "$(wc -l <"$1/.sha256")" ]
}
reuse_entry() {  # reuse_entry DIR KEY WHAT: true when DIR soundly holds KEY; otherwise DIR is removed
  if entry_is_sound "$1" "$2"; then
    echo "-- $3 from the cache" >&2
    return 0
  fi
  [ ! -d "$1" ] || echo "-- the cached $3 is stale or damaged: made anew" >&2
  rm -rf "$1"
  return 1
}

[ "${BASH_SOURCE[0]}" = "$0" ] || return 0
set -euo pipefail
folder=$(cache_folder)
case "${1:-}" in
  path) echo "$folder" ;;
  size) if [ -d "$folder" ]; then du -shc "$folder"/*; else echo "no cache at $folder"; fi ;;
  clear)  # the chroot stages' packages are root's where a user ran the command with sudo
    echo "removing $folder"
    rm -rf "$folder" 2>/dev/null || { [ "$(id -u)" -ne 0 ] && sudo rm -rf "$folder"; } ;;
  *) echo "cache.sh: path, size or clear" >&2; exit 2 ;;
esac

#!/usr/bin/env bash
# Reads apt's package lists anew: apt-get [OPTIONS...] update.
# A mirror in the middle of a sync, or a proxy holding an older copy, can
# serve a list that does not match its Release file, for minutes or for
# days. apt then keeps that repository's previous lists whole (or none, where
# it had none), which are consistent with each other. So a failed reading is
# tried again after a pause, and if it still fails it is said and the lists
# apt has are used: what cannot then be found fails where it is asked for.
#   verify/apt-update.sh [APT OPTIONS...]
set -uo pipefail
for pause in 10 30 ""; do
  apt-get "$@" -q update && exit 0
  [ -n "$pause" ] || break
  echo "-- apt could not read every package list; reading them again in ${pause} s" >&2
  sleep "$pause"
done
echo "-- apt could not read every package list (above): going on with the lists it has" >&2

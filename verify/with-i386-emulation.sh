#!/usr/bin/env bash
# Runs COMMAND where i386 programs run under QEMU_I386: in a private user and
# mount namespace with a binfmt_misc of its own (Linux 6.7 and later), so the
# machine's own handlers and every other process are untouched, and the
# registration goes with the namespace.
#   verify/with-i386-emulation.sh QEMU_I386 COMMAND [ARGS...]
#   verify/with-i386-emulation.sh QEMU_I386 --check   exit 0 when an i386 program runs so here
set -euo pipefail
qemu=$(realpath "${1:?qemu-i386}")
shift
[ "${1:-}" = --inside ] || exec unshare --user --map-root-user --mount bash "$0" "$qemu" --inside "$@"
shift

mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
# i386 ELF executables and shared objects, as QEMU's own table names them;
# F: the interpreter is opened now, wherever the program later runs.
magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
printf '%s' ":mivello-i386:M::$magic:$mask:$qemu:F" >/proc/sys/fs/binfmt_misc/register

if [ "${1:-}" = --check ]; then
  exec bash "$(dirname "$0")/wine.sh" i686 --can-run
fi
exec "$@"

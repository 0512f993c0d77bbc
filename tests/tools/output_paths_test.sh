#!/bin/bash
# `export races --out` to what a user may name: the standard output (a pipe and a
# redirected file), /dev/null, a FIFO, a symlink and a dangling symlink. Each gives the
# bytes the command prints without --out, keeps what is at the path, and leaves no
# staged file behind.
#
# usage: output_paths_test.sh TOVRA_CLI
set -u
CLI="$1"
HERE=$(cd "$(dirname "$0")" && pwd)
WORK=$(mktemp -d "${TMPDIR:-/tmp}/tovra-out.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

python3 "$HERE/gen_foreign_ledger.py" "$WORK/L" "$WORK/unused" 7 24 >/dev/null || fail "ledger generator"
cd "$WORK" || exit 1
run() { "$CLI" -C L export races --range 2003 "$@"; }

run >expected.csv || fail "export to stdout"
[ -s expected.csv ] || fail "empty export"

# A FIFO: its reader gets the bytes, the FIFO stays.
mkfifo fifo
cat fifo >from-fifo.csv &
reader=$!
run --out fifo || fail "--out FIFO: exit $?"
[ -p fifo ] || { kill "$reader"; fail "the FIFO was replaced"; }
wait "$reader"
cmp -s expected.csv from-fifo.csv || fail "--out FIFO: other bytes"

# A symlink: its target is replaced, the link stays; a dangling one gets its target.
echo old >target.csv
ln -s target.csv link.csv
run --out link.csv || fail "--out symlink: exit $?"
[ -L link.csv ] || fail "the symlink was replaced"
cmp -s expected.csv target.csv || fail "--out symlink: other bytes"
ln -s new-target.csv dangling.csv
run --out dangling.csv || fail "--out dangling symlink: exit $?"
[ -L dangling.csv ] || fail "the dangling symlink was replaced"
cmp -s expected.csv new-target.csv || fail "--out dangling symlink: other bytes"

# The standard output as a pipe and as a redirected file (after the FIFO and the links:
# a build that replaces what is there fails before it reaches the system's /dev/stdout).
run --out /dev/stdout | cat >piped.csv
[ "${PIPESTATUS[0]}" -eq 0 ] || fail "--out /dev/stdout into a pipe: exit ${PIPESTATUS[0]}"
cmp -s expected.csv piped.csv || fail "--out /dev/stdout into a pipe: other bytes"
run --out /dev/stdout >redirected.csv || fail "--out /dev/stdout into a file: exit $?"
cmp -s expected.csv redirected.csv || fail "--out /dev/stdout into a file: other bytes"

# A device stays a device (checked after the FIFO: a build that replaces what is there
# has failed before it reaches the system's /dev/null).
dev_null_checked=0
if [ -c /dev/null ]; then
  run --out /dev/null || fail "--out /dev/null: exit $?"
  [ -c /dev/null ] || fail "/dev/null is no device any more"
  dev_null_checked=1
fi

# A folder is refused with exit 1 and stays as it was.
mkdir folder
run --out folder 2>/dev/null
rc=$?
[ "$rc" -ne 0 ] || fail "--out folder succeeded"
[ -d folder ] && [ -z "$(ls -A folder)" ] || fail "the folder changed"

leftovers=$(find . -name '*.tovra-new' -o -name '*.tovra-commit')
[ -z "$leftovers" ] || fail "staged files left: $leftovers"
echo "ok (/dev/null checked: $dev_null_checked)"

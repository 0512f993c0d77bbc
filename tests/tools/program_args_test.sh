#!/bin/sh
# The command line of the desktop program: its help names the ledger folder argument and
# the data folder option; a wrong command line is refused with exit 2 before any window
# or file.
# usage: program_args_test.sh TOVRA
set -u
TOVRA=$1
export QT_QPA_PLATFORM=offscreen
fail=0
out=$("$TOVRA" --help 2>&1); rc=$?
[ $rc -eq 0 ] || { echo "--help: exit $rc"; fail=1; }
for word in LEDGER_DIR --data-folder XDG_DATA_HOME .local/share/tovra "current folder"; do
  printf '%s' "$out" | grep -q -- "$word" || { echo "--help does not mention $word"; fail=1; }
done
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
check() {  # expected exit, then the arguments
  want=$1
  shift
  (cd "$dir" && "$TOVRA" "$@" >"$dir.out" 2>&1)
  rc=$?
  [ $rc -eq "$want" ] || { echo "tovra $*: exit $rc, expected $want"; cat "$dir.out"; fail=1; }
  rm -f "$dir.out"
}
check 2 --no-such-option
check 2 a b
check 2 --data-folder a
check 0 --version
[ -z "$(ls -A "$dir")" ] || { echo "a refused command line left files:"; ls -A "$dir"; fail=1; }
exit $fail

#!/bin/bash
# SIGKILL delivered by strace at every file-changing system call of the race changes, in
# turn: for each call kind (openat, write, fsync, rename, unlink, ...) and each K, the
# process is killed as it makes its K-th call of that kind, until a run ends without
# being killed. After each kill the ledger is opened again (a reading command completes
# or discards what the kill left) and every course must read as before or after the
# command (a day's race block and meeting record together), nothing staged may be left.
#
# usage: syscall_kill_test.sh TOVRA_CLI [SCENARIO]
# Exits 77 (skipped) when strace is not installed.
set -u
CLI="$1"
HERE=$(cd "$(dirname "$0")" && pwd)
command -v strace >/dev/null 2>&1 || { echo "strace is not installed: skipped"; exit 77; }
BASE=/dev/shm
[ -d "$BASE" ] && [ -w "$BASE" ] || BASE="${TMPDIR:-/tmp}"
WORK=$(mktemp -d -p "$BASE" tovra-syskill.XXXXXX)
trap 'rm -rf "$WORK"' EXIT

python3 "$HERE/gen_foreign_ledger.py" "$WORK/settled" "$WORK/cleared" 11 6 || exit 1
# The newest year and its course with the most meetings.
YEAR=$("$CLI" -C "$WORK/settled" year list | sort -n | tail -1)
COURSE=$(cd "$WORK/settled/tovradatafile" && ls -S */"$YEAR"???.dat | grep -v "/${YEAR}r" | head -1 | cut -d/ -f1)

SCENARIOS=(
  "comment|settled|race comment $COURSE 0 11 出遅れ"
  "going|settled|race going $COURSE 0 all 稍重"
  "items|settled|race items $COURSE 0 5 --distance 1600 --class 1000万下 --track ﾀﾞｰﾄ --name ﾃｽﾄ特別"
  "buy|settled|race buy $COURSE 0 7 wide --pair 2 9 --amount 30"
  "result|settled|race result $COURSE 0 7 wide --pair 2 9 --amount 480"
  "settle|cleared|settle $COURSE 0"
)
CALLS="openat write pwrite64 fsync fdatasync rename renameat renameat2 unlink unlinkat mkdir chmod fchmod ftruncate"

points=0
failed=0
for s in "${SCENARIOS[@]}"; do
  IFS='|' read -r name from args <<<"$s"
  [ -n "${2:-}" ] && [ "$2" != "$name" ] && continue
  rm -rf "$WORK/after"
  cp -r "$WORK/$from" "$WORK/after"
  # shellcheck disable=SC2086
  if ! "$CLI" -C "$WORK/after" $args >/dev/null 2>"$WORK/err"; then
    echo "$name: the command itself failed: $(cat "$WORK/err")"
    exit 1
  fi
  here=0
  for call in $CALLS; do
    k=1
    while :; do
      RUN="$WORK/run"
      rm -rf "$RUN"
      cp -r "$WORK/$from" "$RUN"
      # shellcheck disable=SC2086
      # Waited for in the background: the shell prints no notice of the kill.
      strace -f -qq -o /dev/null -e trace="$call" -e inject="$call":signal=KILL:when="$k" \
        "$CLI" -C "$RUN" $args >/dev/null 2>&1 &
      wait $! 2>/dev/null
      rc=$?
      [ "$rc" -eq 137 ] || break  # fewer than k calls of this kind: the command ran to its end
      here=$((here + 1))
      if ! "$CLI" -C "$RUN" year list >/dev/null 2>"$WORK/err"; then
        echo "$name, $call #$k: the ledger does not open: $(cat "$WORK/err")"
        failed=$((failed + 1))
      elif ! python3 "$HERE/ledger_states.py" "$WORK/$from" "$WORK/after" "$RUN"; then
        echo "$name, $call #$k: see above"
        failed=$((failed + 1))
      fi
      k=$((k + 1))
    done
  done
  echo "$name: $here kills"
  points=$((points + here))
done
echo "$points kills at file-changing calls, $failed lost or mixed data"
[ "$failed" -eq 0 ] && [ "$points" -gt 0 ]

#!/bin/bash
# SIGKILL at random moments while tovra-cli registers and deletes meetings, deletes a
# year and settles every meeting of a generated ledger. After each kill the ledger is
# opened again (a read-only command, which completes or discards what the kill left)
# and every course must read as before or after the command, never a mix; settling
# again must give exactly the settled ledger (nothing lost).
#
# usage: kill_test.sh TOVRA_CLI [MAX_RUNS [MAX_SECONDS]]
set -u
CLI="$1"
MAX_RUNS="${2:-400}"
MAX_SECONDS="${3:-35}"
HERE=$(cd "$(dirname "$0")" && pwd)
BASE=/dev/shm
[ -d "$BASE" ] && [ -w "$BASE" ] || BASE="${TMPDIR:-/tmp}"
WORK=$(mktemp -d -p "$BASE" tovra-kill.XXXXXX)
trap 'rm -rf "$WORK"' EXIT

python3 "$HERE/gen_foreign_ledger.py" "$WORK/settled" "$WORK/cleared" 7 24 || exit 1
# The course of 2003 with the most meetings.
COURSE=$(cd "$WORK/settled/tovradatafile" && ls -S */2003???.dat | grep -v '/2003r' | head -1 | cut -d/ -f1)

# scenario name, ledger it starts from, arguments
SCENARIOS=(
  "add|settled|--yes meeting add $COURSE 5/2 3 1 --series"
  "delete|settled|--yes meeting delete $COURSE 1"
  "year|settled|--yes year delete 2001"
  "settle|cleared|settle --all"
)

now_ms() { date +%s%3N; }
# Sleeps inside the shell (a read that times out on a pipe nobody writes): starting a
# sleep program would take longer than many of the commands.
mkfifo "$WORK/never"
exec 3<>"$WORK/never"
pause_ms() { read -r -t "$(printf '%d.%03d' $(($1 / 1000)) $(($1 % 1000)))" -u 3 _ || true; }

# The ledger after each command ran to its end, and how long it takes (the shortest of
# three runs: the kills fall within that time).
declare -A AFTER DURATION
for s in "${SCENARIOS[@]}"; do
  IFS='|' read -r name from args <<<"$s"
  DURATION[$name]=1000000
  for _ in 1 2 3; do
    rm -rf "$WORK/after-$name"
    cp -r "$WORK/$from" "$WORK/after-$name"
    t0=$(now_ms)
    # shellcheck disable=SC2086
    "$CLI" -C "$WORK/after-$name" $args >/dev/null 2>&1 || { echo "$name: the command itself failed"; exit 1; }
    t=$(($(now_ms) - t0 + 1))
    [ "$t" -lt "${DURATION[$name]}" ] && DURATION[$name]=$t
  done
  AFTER[$name]="$WORK/after-$name"
done
echo "command times (ms): add ${DURATION[add]}, delete ${DURATION[delete]}, year ${DURATION[year]}, settle ${DURATION[settle]}"

runs=0
killed=0
failed=0
start=$(date +%s)
while [ "$runs" -lt "$MAX_RUNS" ] && [ $(($(date +%s) - start)) -lt "$MAX_SECONDS" ]; do
  s="${SCENARIOS[$((runs % ${#SCENARIOS[@]}))]}"
  IFS='|' read -r name from args <<<"$s"
  RUN="$WORK/run"
  rm -rf "$RUN"
  cp -r "$WORK/$from" "$RUN"
  delay=$((RANDOM % (DURATION[$name] + 2)))
  # shellcheck disable=SC2086
  "$CLI" -C "$RUN" $args >/dev/null 2>&1 &
  pid=$!
  pause_ms "$delay"
  kill -9 "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  [ $? -eq 137 ] && killed=$((killed + 1))
  runs=$((runs + 1))
  # The next open: a read-only command completes or discards what the kill left.
  if ! "$CLI" -C "$RUN" year list >/dev/null 2>"$WORK/err"; then
    echo "run $runs ($name, ${delay} ms): the ledger does not open: $(cat "$WORK/err")"
    failed=$((failed + 1))
    continue
  fi
  if [ "$name" = settle ]; then
    "$CLI" -C "$RUN" settle --all >/dev/null 2>&1
    if ! diff -r -x tmp "${AFTER[$name]}" "$RUN" >/dev/null; then
      echo "run $runs (settle, ${delay} ms): settling again does not give the settled ledger"
      failed=$((failed + 1))
    fi
  elif ! python3 "$HERE/ledger_states.py" "$WORK/$from" "${AFTER[$name]}" "$RUN"; then
    echo "run $runs ($name, ${delay} ms): see above"
    failed=$((failed + 1))
  fi
  # The program starts on it: every registered year opens.
  for y in $("$CLI" -C "$RUN" year list); do
    "$CLI" -C "$RUN" --year "$y" show meeting sap 0 >/dev/null 2>&1 || { echo "run $runs ($name): year $y does not open"; failed=$((failed + 1)); }
  done
done
echo "$runs kill runs ($killed killed while the command ran), $failed lost or mixed data"
[ "$failed" -eq 0 ] && [ "$runs" -gt 0 ]

#!/bin/bash
# SIGKILL at random moments while tovra-cli buys 3連単 lines, enters winning combinations
# and scratches one after another, buys WIN5 lines and enters their result, and while it
# moves or deletes a meeting whose races hold rows of the bet store (and a WIN5 leg). After each kill the ledger is opened again (a read-only
# command, which completes or drops what the kill left) and
#   - every command that had ended is in the store, and at most one more (the one killed
#     may have committed): nothing committed is lost, nothing half-done is there;
#   - PRAGMA integrity_check is ok;
#   - a moved or deleted meeting's rows are exactly where the course file says it is, and
#     the WIN5 with a leg on it is still there, whole.
#
# usage: bets_kill_test.sh TOVRA_CLI [MAX_RUNS [MAX_SECONDS]]
set -u
CLI="$1"
MAX_RUNS="${2:-200}"
MAX_SECONDS="${3:-30}"
HERE=$(cd "$(dirname "$0")" && pwd)
BASE=/dev/shm
[ -d "$BASE" ] && [ -w "$BASE" ] || BASE="${TMPDIR:-/tmp}"
WORK=$(mktemp -d -p "$BASE" tovra-betkill.XXXXXX)
trap 'rm -rf "$WORK"' EXIT

python3 "$HERE/gen_foreign_ledger.py" "$WORK/plain" "$WORK/cleared" 7 24 >/dev/null || exit 1
YEAR=$("$CLI" -C "$WORK/plain" year list | head -1)
COURSE=tok
COURSE_INDEX=4
# The ledger with rows of the store on the first two meetings of the course.
cp -r "$WORK/plain" "$WORK/rows"
for m in 0 1; do
  for r in 1 2; do
    "$CLI" -C "$WORK/rows" --yes race buy $COURSE $m $r sanrentan --method box --members 1,2,3,4 --amount $((m + 1)) >/dev/null 2>&1 || exit 1
    "$CLI" -C "$WORK/rows" race result $COURSE $m $r sanrentan --combo 1-2-3 --amount 1234 >/dev/null || exit 1
    "$CLI" -C "$WORK/rows" race scratch $COURSE $m $r --horses 9 >/dev/null || exit 1
  done
done
# A WIN5 with a leg on meeting 0's race 11 and one line.
WIN5_DATE="$YEAR-12-27"
"$CLI" -C "$WORK/rows" win5 legs "$WIN5_DATE" --leg $COURSE:11 --leg kyo:11 --leg $COURSE:12 --leg kyo:12 --leg han:11 >/dev/null || exit 1
"$CLI" -C "$WORK/rows" --yes win5 buy "$WIN5_DATE" --legs 1/2/3/4/5 --amount 9 >/dev/null 2>&1 || exit 1
STORE=tovradatafile/bets.sqlite

# The checks, in Python's own sqlite3 (no tool of ours reads the file for them).
cat >"$WORK/check.py" <<'PY'
import sqlite3, subprocess, sys
mode, run, cli, year, course, course_index = sys.argv[1:7]
done = int(sys.argv[7] or 0) if len(sys.argv) > 7 else 0
db = sqlite3.connect(f"{run}/tovradatafile/bets.sqlite")
ok = db.execute("PRAGMA integrity_check").fetchone()[0]
if ok != "ok":
    sys.exit(f"integrity_check: {ok}")
def count(table, where="", args=()):
    return db.execute(f"SELECT COUNT(*) FROM {table} WHERE year=? AND course=? {where}", (int(year), int(course_index)) + args).fetchone()[0]
def win5(where="", args=()):
    return db.execute(f"SELECT COUNT(*) FROM win5_lines WHERE year=? AND month=12 AND day=27 {where}", (int(year),) + args).fetchone()[0]
if mode == "win5":
    # `done` lines bought after the first (stake 9) and their results entered; one more
    # line, or its result, may have committed.
    stakes = [r[0] for r in db.execute("SELECT stake FROM win5_lines WHERE year=? ORDER BY id", (int(year),))]
    n = len(stakes) - 1
    if not (done <= n <= done + 1) or stakes != [9] + list(range(1, n + 1)):
        sys.exit(f"win5: stakes {stakes} after {done} commands ended")
    pays = [r[0] for r in db.execute("SELECT payout FROM win5_winners WHERE year=?", (int(year),))]
    want = [[done * 1000] if done else [], [n * 1000]]
    if pays not in want:
        sys.exit(f"win5: payouts {pays} after {done} commands ended with {n} lines")
elif mode in ("buy", "result"):
    table = "lines" if mode == "buy" else "winners"
    # The sequence ran on meeting 2, race 5: `done` commands ended, one more may have.
    lines = subprocess.run([cli, "-C", run, "meeting", "list", course], capture_output=True, text=True, check=True).stdout.splitlines()
    md = lines[2].split("\t")[1].replace("月", " ").replace("日", "").split()
    n = count(table, "AND month=? AND day=? AND race=5", (int(md[0]), int(md[1])))
    if not (done <= n <= done + 1):
        sys.exit(f"{mode}: {n} rows after {done} commands ended")
    if mode == "buy":
        stakes = [r[0] for r in db.execute("SELECT stake FROM lines WHERE race=5 ORDER BY id")]
        if stakes != list(range(1, n + 1)):
            sys.exit(f"buy: stakes {stakes}")
else:
    # edit / delete of meeting 0: its rows are where the course file has it, the others stay.
    lines = subprocess.run([cli, "-C", run, "meeting", "list", course], capture_output=True, text=True, check=True).stdout.splitlines()
    dates = set()
    for l in lines:
        md = l.split("\t")[1].replace("月", " ").replace("日", "").split()
        dates.add((int(md[0]), int(md[1])))
    held = {(m, d) for m, d in db.execute("SELECT month, day FROM lines WHERE year=? AND course=?", (int(year), int(course_index)))}
    if not held <= dates:
        sys.exit(f"{mode}: rows on {sorted(held - dates)} where no meeting is")
    if win5() != 1 or db.execute("SELECT COUNT(*) FROM win5_days").fetchone()[0] != 1:
        sys.exit(f"{mode}: the WIN5 is not whole")
    if db.execute("SELECT COUNT(*) FROM intents").fetchone()[0] != 0:
        sys.exit(f"{mode}: an intent is left")
    total = count("lines")
    want = 4 if (mode == "edit" or len(lines) == int(sys.argv[8])) else 2
    if total != want:
        sys.exit(f"{mode}: {total} lines, expected {want} ({len(lines)} meetings)")
PY
MEETINGS=$("$CLI" -C "$WORK/rows" meeting list $COURSE | wc -l)

now_ms() { date +%s%3N; }
mkfifo "$WORK/never"
exec 3<>"$WORK/never"
pause_ms() { read -r -t "$(printf '%d.%03d' $(($1 / 1000)) $(($1 % 1000)))" -u 3 _ || true; }

# The number of commands ended, replaced in one rename (a kill between truncating and
# writing the file would read as none ended).
ended() { echo "$2" >"$1.done.new" && mv -f "$1.done.new" "$1.done"; }

# One scenario in the background: a sequence that writes the number of commands ended
# into $RUN.done after each.
sequence() {
  local name=$1 run=$2 i
  : >"$run.done"
  case $name in
    buy)
      for i in 1 2 3 4 5 6; do
        "$CLI" -C "$run" --yes race buy $COURSE 2 5 sanrentan --method box --members 1,2,3,4,5,6 --amount $i >/dev/null 2>&1 || return
        ended "$run" $i
      done ;;
    result)
      for i in 1 2 3 4 5 6; do
        "$CLI" -C "$run" race result $COURSE 2 5 sanrentan --combo 1-2-$((i + 2)) --amount $((i * 1000)) >/dev/null 2>&1 || return
        "$CLI" -C "$run" race scratch $COURSE 2 5 --horses $((i + 10)) >/dev/null 2>&1 || return
        ended "$run" $i
      done ;;
    win5)
      for i in 1 2 3 4 5 6; do
        "$CLI" -C "$run" --yes win5 buy "$WIN5_DATE" --legs 1,2/3/4/5/6,7 --amount $i >/dev/null 2>&1 || return
        "$CLI" -C "$run" win5 result "$WIN5_DATE" --winners 1,3,4,5,6 --amount $((i * 100)) >/dev/null 2>&1 || return
        ended "$run" $i
      done ;;
    edit) "$CLI" -C "$run" --yes meeting edit $COURSE 0 12/28 5 8 >/dev/null 2>&1 ;;
    delete) "$CLI" -C "$run" --yes meeting delete $COURSE 0 >/dev/null 2>&1 ;;
  esac
}

declare -A DURATION
for name in buy result win5 edit delete; do
  rm -rf "$WORK/t"
  cp -r "$WORK/rows" "$WORK/t"
  t0=$(now_ms)
  sequence $name "$WORK/t"
  DURATION[$name]=$(($(now_ms) - t0 + 1))
  python3 "$WORK/check.py" $name "$WORK/t" "$CLI" "$YEAR" $COURSE $COURSE_INDEX "$(cat "$WORK/t.done" 2>/dev/null || echo 0)" "$MEETINGS" || { echo "$name: the sequence itself fails its check"; exit 1; }
done
echo "sequence times (ms): buy ${DURATION[buy]}, result ${DURATION[result]}, win5 ${DURATION[win5]}, edit ${DURATION[edit]}, delete ${DURATION[delete]}"

runs=0
failed=0
start=$(date +%s)
names=(buy result win5 edit delete)
while [ "$runs" -lt "$MAX_RUNS" ] && [ $(($(date +%s) - start)) -lt "$MAX_SECONDS" ]; do
  name=${names[$((runs % 5))]}
  RUN="$WORK/run"
  rm -rf "$RUN" "$RUN.done" "$RUN.done.new"
  cp -r "$WORK/rows" "$RUN"
  delay=$((RANDOM % (DURATION[$name] + 2)))
  # In a process group of its own (job control on while it starts), so that one kill
  # reaches the shell running the sequence and the command it waits for.
  set -m
  sequence $name "$RUN" &
  pid=$!
  set +m
  pause_ms "$delay"
  kill -9 -- -"$pid" 2>/dev/null || kill -9 "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  runs=$((runs + 1))
  if ! "$CLI" -C "$RUN" year list >/dev/null 2>"$WORK/err"; then
    echo "run $runs ($name, ${delay} ms): the ledger does not open: $(cat "$WORK/err")"
    failed=$((failed + 1))
    continue
  fi
  [ -f "$RUN/$STORE" ] || { echo "run $runs ($name): the store is gone"; failed=$((failed + 1)); continue; }
  done_count=$(cat "$RUN.done" 2>/dev/null)
  if ! python3 "$WORK/check.py" $name "$RUN" "$CLI" "$YEAR" $COURSE $COURSE_INDEX "${done_count:-0}" "$MEETINGS"; then
    echo "run $runs ($name, ${delay} ms): see above"
    failed=$((failed + 1))
  fi
done
echo "$runs kill runs, $failed lost or mixed data"
[ "$failed" -eq 0 ] && [ "$runs" -gt 0 ]

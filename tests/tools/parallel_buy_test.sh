#!/bin/bash
# Twenty `tovra-cli race buy` started at once on one ledger. Each must end in success or
# in the busy message (exit 1); afterwards the races hold exactly the tickets of the
# commands that succeeded, and settling everything again changes no byte (the day
# totals agree with the races).
#
# usage: parallel_buy_test.sh TOVRA_CLI
set -u
CLI="$1"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
L="$WORK/ledger"
mkdir "$L"
"$CLI" -C "$L" year add 2001 >/dev/null 2>&1 || exit 1
"$CLI" -C "$L" meeting add tok 5/2 3 1 >/dev/null 2>&1 || exit 1

# Command i buys in race (i-1)%10+1: 単勝 for the first ten, 複勝 for the others, on
# horse i%18+1 for i*100 yen, so that every ticket is told apart by its race and amount.
race_of() { echo $((($1 - 1) % 10 + 1)); }
type_of() { [ "$1" -le 10 ] && echo tan || echo fuku; }
pids=()
for i in $(seq 1 20); do
  "$CLI" -C "$L" race buy tok 0 "$(race_of "$i")" "$(type_of "$i")" --horse $((i % 18 + 1)) --amount "$i" \
    >"$WORK/out$i" 2>"$WORK/err$i" &
  pids+=($!)
done
ok=0
busy=0
declare -A bought
for i in $(seq 1 20); do
  wait "${pids[$((i - 1))]}"
  rc=$?
  if [ "$rc" -eq 0 ]; then
    ok=$((ok + 1))
    bought[$i]=1
  elif [ "$rc" -eq 1 ] && grep -q "他のﾌﾟﾛｸﾞﾗﾑがﾃﾞｰﾀを使用中です。" "$WORK/err$i"; then
    busy=$((busy + 1))
  else
    echo "command $i: exit $rc: $(cat "$WORK/err$i")"
    exit 1
  fi
done
echo "$ok bought, $busy refused as busy"

failed=0
for r in $(seq 1 10); do
  "$CLI" -C "$L" show race tok 0 "$r" >"$WORK/race$r" || { echo "race $r does not show"; exit 1; }
  # Ticket lines of 単勝 and 複勝: "   5         1000円".
  have=$(grep -cE '^ +[0-9]+ +[0-9]+円$' "$WORK/race$r")
  want=0
  for i in $r $((r + 10)); do
    if [ -n "${bought[$i]:-}" ]; then
      want=$((want + 1))
      grep -qE "^ +$((i % 18 + 1)) +$((i * 100))円$" "$WORK/race$r" || { echo "race $r: the ticket of command $i is lost"; failed=1; }
    fi
  done
  [ "$have" -eq "$want" ] || { echo "race $r holds $have tickets, $want were bought"; failed=1; }
done

digest() { (cd "$L" && find . -path ./tmp -prune -o -type f -print | LC_ALL=C sort | xargs sha256sum) | sha256sum; }
before=$(digest)
"$CLI" -C "$L" settle --all >/dev/null || { echo "settle --all failed"; exit 1; }
[ "$(digest)" = "$before" ] || { echo "settling again changed the ledger: the day totals did not agree"; failed=1; }
[ "$failed" -eq 0 ] && [ "$ok" -gt 0 ]

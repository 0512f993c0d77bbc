#!/bin/sh
# Runs every tovra-cli command over a generated ledger and writes a transcript: each
# command with its exit code, stdout and stderr, a digest of every file after each
# command, and at the end the digest of each file. A change of code that must keep
# behaviour keeps this transcript byte for byte. The clock is held at one minute
# (faketime, UTC) so that the tallies' time stamps repeat.
#
# usage: cli_transcript.sh TOVRA_CLI OUT_FILE            writes the transcript
#        cli_transcript.sh TOVRA_CLI --check GOLDEN     compares it with GOLDEN
set -eu
CLI="$1"
HERE=$(cd "$(dirname "$0")" && pwd)
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
if [ "$2" = "--check" ]; then
  OUT="$WORK/transcript.txt"
else
  OUT="$2"
fi
L="$WORK/ledger"
python3 "$HERE/gen_foreign_ledger.py" "$L" "$WORK/cleared" 7 >/dev/null
: >"$OUT"

tree_digest() {
  (cd "$L" && find . -type f | LC_ALL=C sort | xargs sha256sum) | sha256sum | cut -c1-16
}

# run ARGS...: one command, arguments as given.
run() {
  rc=0
  TZ=UTC faketime '2024-03-05 06:07:00' "$CLI" -C "$L" "$@" </dev/null >"$WORK/out" 2>"$WORK/err" || rc=$?
  {
    printf '$'
    printf ' [%s]' "$@"
    printf '\nexit %s\n' "$rc"
    cat "$WORK/out"
    printf -- '--- stderr\n'
    cat "$WORK/err"
    printf -- '--- files %s\n' "$(tree_digest)"
  } >>"$OUT"
}

# The list of every command grows with each new command: only on request.
if [ "${TRANSCRIPT_HELP_ALL:-0}" = 1 ]; then run --help-all; fi
run race buy --help
run tally

# Years.
run year list
run year add 2004
run year add 01
run year list
run year delete 2004
run --yes year delete 2004
run --year 1999 year list

# Meeting views and lists of every course of two years.
for c in sap hak fuk nii tok nak chu kyo han kok; do
  run meeting list "$c"
  run --year 2002 meeting list "$c"
  run show meeting "$c" 0
done
run show meeting tok 1
run show meeting xyz 0
run show meeting tok 99
for r in 1 2 3 4 5 6 7 8 9 10 11 12; do
  run show race tok 0 "$r"
  run --year 2001 show race kyo 0 "$r"
done
run show race tok 0 13
run show race tok x 1
run show race tok 0 x
run show meeting tok -1

# Tallies over the generated years before any change.
for range in all 2003 2002; do
  for by in month kai; do
    run tally shushi --range "$range" --by "$by"
    run tally shushi --range "$range" --by "$by" --row 3
  done
  run tally koumoku --range "$range"
  for c in sap tok kok 10; do run tally koumoku --range "$range" --course "$c"; done
  for k in 1 2 3 4 5; do
    run tally rank --range "$range" --kind "$k"
    run tally rank --range "$range" --kind "$k" --page 1
  done
  run tally jyoken --range "$range"
  run tally jyoken --range "$range" --cond bet=5
  run tally jyoken --range "$range" --cond month=6 --cond race=11 --cond age=3 --cond class=4
  run tally jyoken --range "$range" --cond type=1 --cond sex=1 --cond weight=2 --cond track=1 --cond going=1
  run tally jyoken --range "$range" --cond distance=1600 --cond bet=1
done
run tally shushi --range 3/5
run tally shushi --range 13/5
run tally shushi --range 3/5 --row 2
run tally shushi --range 1999
run tally koumoku --range 20x3
run tally rank --range all --kind 6
run tally rank --range all --kind 2 --page 15
run tally jyoken --range all --cond bet=6
run tally jyoken --range all --cond month=1 --cond month=2
run tally jyoken --range all --cond colour=1
run tally jyoken --range all --cond distance=12345

# Meeting registration, edit and delete.
run meeting add sap 4/29 1 1
run meeting add sap 5/6 1 2
run meeting add sap 5/2 2 3
run meeting add 9 12/28 5 1 --series
run meeting add sap 13/1 1 1
run meeting add sap 4/29 13 1
run meeting add sap 4/29 1 9
run meeting edit sap 0 12/20 6 2
run meeting edit sap 99 12/20 6 2
run meeting edit sap x 12/20 6 2
run meeting edit sap 0 12/20 x 2
run meeting delete sap 1
run meeting delete --yes sap 1
run meeting list sap
run meeting list kok

# Race entry on a fresh day and on a generated one.
run meeting add tok 6/1 3 1
run meeting list tok
run race items tok 0 5 --distance 1600 --class 1000万下 --track ﾀﾞｰﾄ --name ﾃｽﾄ特別
run race items tok 0 3 --distance 1150 --age 3歳上 --class 1000万下 --track 2 --name ﾃｽﾄ特別
run race items tok 0 3 --going 稍重
run race items tok 0 1 --distance 0
run race items tok 0 1 --class 11
run race buy tok 0 5 tan --horse 5 --amount 10
run race buy tok 0 5 fuku --horse 5 --amount 3
run race buy tok 0 5 uma --method box --members 1,4,7 --amount 10
run race buy tok 0 5 waku --method nagashi --axis 3 --partners 1,3,8 --amount 5
run race buy tok 0 5 wide --pair 4 7 --amount 2
run race buy tok 0 5 waku --delete 2
run race buy tok 0 5 tan --horse 1 --amount 21474837
run race buy tok 0 5 tan --horse 1 --amount 1a
run race buy tok 0 5 xyz --horse 1 --amount 1
run race buy tok 0 5 uma --method round --members 1,2 --amount 1
run race buy tok 0 13 tan --horse 1 --amount 1
run race result tok 0 5 tan --horse 4 --amount 32
run race result tok 0 5 fuku --horse 4 --amount 15
run race result tok 0 5 uma --pair 4 7 --amount 156
run race result tok 0 5 wide --pair 4 7 --amount 45
run race result tok 0 5 uma --pair 4 4 --amount 100
run race result tok 0 5 fuku --horse 1 --amount 9
run race result tok 0 5 fuku --delete 1
run race comment tok 0 5 出遅れ
run race comment tok 0 9 '一行
二行'
run race comment tok 0 1 '🐎'
run race going tok 0 all 稍重
run race going tok 0 1 重
run race going tok 0 5 4
run race going tok 0 x 重
run race going tok 0 13 重
run race going tok 0 5 雨
run show race tok 0 5
run show race tok 0 3
run show meeting tok 0
run race delete-items tok 0 3
run --yes race delete-items tok 0 3
run show race tok 0 3
run race buy kyo 1 2 tan --horse 2 --amount 7
run race result kyo 1 2 tan --horse 2 --amount 510
run show race kyo 1 2

# Settling one day, every day, and the refusals.
run settle tok 0
run settle
run settle tok
run settle tok x
run settle --all
run --year 2002 settle --all
run --year 2001 settle --all

# Tallies after the changes (their work files in tmp/ enter the digests).
run tally shushi --range all
run tally shushi --range 2003 --by kai
run tally shushi --range 6/1
run tally koumoku --range all
run tally rank --range 2003 --kind 1
run tally rank --range 2003 --kind 3 --page 2
run tally jyoken --range 2003 --cond bet=1

# Searches and their refusals.
run search race AB
run search race ｱA --range 2003
run search race AB --hit-only
run search race AB --from-history
run search race ZZZ --from-history
run search horse BC --range 2002
run search horse ''
run search stakes --grade 1
run search stakes --grade 4
run search payout --min 100 --max 500
run search payout --min 1000 --max 10000 --hit-only --range 2003
run search payout --manbaken
run search payout --min 100 --max 100
run search race AB --range x
run search last

# Saved tally results.
run saved list
run tally rank --range all --kind 2
run saved save rank
run --yes saved save rank
run tally koumoku --range 2002
run --yes saved save koumoku
run saved list
run saved show rank 0
run saved show rank 5
run saved show shushi 0
run saved delete rank 0
run --yes saved delete rank 0
run saved list

printf '=== files\n' >>"$OUT"
(cd "$L" && find . -type f | LC_ALL=C sort | xargs sha256sum) >>"$OUT"

if [ "$2" = "--check" ]; then
  diff -u "$3" "$OUT"
  echo "tovra-cli transcript unchanged"
fi

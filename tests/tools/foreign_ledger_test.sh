#!/bin/sh
# A ledger written by another program, with its derived figures cleared, must come
# back byte for byte after `tovra-cli settle --all` for each year; settling twice
# changes nothing.
set -eu
CLI="$1"
HERE=$(cd "$(dirname "$0")" && pwd)
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
for seed in 1 2 3; do
  rm -rf "$WORK/exp" "$WORK/clr"
  python3 "$HERE/gen_foreign_ledger.py" "$WORK/exp" "$WORK/clr" "$seed"
  for y in 2003 2002 2001; do
    "$CLI" -C "$WORK/clr" --year "$y" settle --all
  done
  diff -r "$WORK/exp" "$WORK/clr"
  for y in 2003 2002 2001; do
    "$CLI" -C "$WORK/clr" --year "$y" settle --all
  done
  diff -r "$WORK/exp" "$WORK/clr"
done
echo "foreign ledgers settle byte for byte"

#!/bin/sh
# Runs every fuzz target of a fuzz build for a while, each on a fresh copy of its seed
# corpus (written from the tests' file builders): run.sh BUILD_DIR SECONDS [TARGET...].
# Fails when a target finds a crash, a leak or undefined behaviour.
set -eu
build=$1
secs=$2
shift 2
targets=${*:-"jravan jvdata pat nifty lha ipat"}
seeds="$build/seeds"
rm -rf "$seeds"
"$build/fuzz/make_seeds" "$seeds"
for t in $targets; do
  corpus="$build/corpus-$t"
  rm -rf "$corpus"
  mkdir -p "$corpus"
  cp "$seeds/$t"/* "$corpus"/
  echo "fuzz_$t: ${secs}s"
  "$build/fuzz/fuzz_$t" -max_total_time="$secs" -print_final_stats=1 -artifact_prefix="$build/crash-$t-" \
    "$corpus" 2>"$build/fuzz-$t.log" || { tail -40 "$build/fuzz-$t.log"; exit 1; }
  grep -E "stat::number_of_executed_units" "$build/fuzz-$t.log" || true
done

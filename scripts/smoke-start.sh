#!/bin/sh
# Starts the built program as a user does and fails when it dies: in an empty folder
# (the first-year dialog waits for the year, and nothing is written before it) and in a generated ledger of three years
# with data (the main window shows it). Each start runs for a few seconds, well past
# the two-second splash, and is then ended.
#
# usage: smoke-start.sh BUILD_DIR        (runs under xvfb-run when there is no display)
set -eu
BUILD=$(cd "$1" && pwd)
HERE=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${DISPLAY:-}" ] && [ -z "${SMOKE_UNDER_XVFB:-}" ]; then
  if command -v xvfb-run >/dev/null 2>&1; then
    SMOKE_UNDER_XVFB=1 exec xvfb-run -a -s '-screen 0 1280x1024x24' sh "$0" "$@"
  fi
  export QT_QPA_PLATFORM=offscreen
fi
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
# A private runtime folder: the single-instance lock of a program the user has open
# must not turn these starts away.
mkdir -m 700 "$WORK/run"
export XDG_RUNTIME_DIR="$WORK/run"

# start_and_watch FOLDER WHAT
start_and_watch() {
  (cd "$1" && exec "$BUILD/src/tovra") >"$WORK/out.txt" 2>&1 &
  pid=$!
  sleep 5
  if ! kill -0 "$pid" 2>/dev/null; then
    rc=0
    wait "$pid" || rc=$?
    echo "smoke: tovra died at start-up in $2 (exit status $rc)" >&2
    cat "$WORK/out.txt" >&2
    exit 1
  fi
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  echo "smoke: tovra runs in $2"
}

mkdir "$WORK/empty"
start_and_watch "$WORK/empty" "an empty folder"
# The first start writes nothing until a year is given (the dialog waits for it).
[ -z "$(ls -A "$WORK/empty")" ] || { echo "smoke: the first start wrote files before a year was given:" >&2; ls -A "$WORK/empty" >&2; exit 1; }

python3 "$HERE/tests/tools/gen_foreign_ledger.py" "$WORK/ledger" "$WORK/cleared" 1
start_and_watch "$WORK/ledger" "a ledger with data"

#!/bin/sh
# Installs the dependencies (Debian 12), builds in Release and starts the program in
# the current folder (the ledger lives in the folder the program is started from).
set -eu
HERE=$(pwd)
SRC=$(cd "$(dirname "$0")/.." && pwd)
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
$SUDO apt-get update -qq
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $(cat "$SRC/.ci/packages")
cmake -S "$SRC" -B "$SRC/build" -DCMAKE_BUILD_TYPE=Release -DTOVRA_TESTS=OFF >/dev/null
cmake --build "$SRC/build" -j"$(nproc)"
cd "$HERE"
if [ -x "$SRC/build/src/tovra" ]; then
  exec "$SRC/build/src/tovra"
else
  exec "$SRC/build/src/tovra-cli" year list
fi

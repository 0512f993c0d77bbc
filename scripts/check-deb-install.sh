#!/usr/bin/env bash
# The Debian package as a new user meets it: build the .deb (in build-deb/, a build
# folder of its own), install it with apt-get on a copy of a minimal Debian 12 root, and
# start `tovra` the way the menu's .desktop entry does (its Exec line, HOME set, current
# folder /). The program must still be running 10 s later (a first start waits in the
# first-year dialog), with its ledger folder made in ~/.local/share/tovra and no file
# left in the home or the current folder.
# usage (as root, from anywhere): sh scripts/check-deb-install.sh
# Needs root and the base root made by debootstrap (FRESH_BASE, by default
# /var/tmp/fresh-bookworm-base with its .ok mark); the base itself is never changed.
set -u
HERE=$(cd "$(dirname "$0")/.." && pwd)
BASE=${FRESH_BASE:-/var/tmp/fresh-bookworm-base}
BUILD=${DEB_BUILD_DIR:-$HERE/build-deb}
[ "$(id -u)" = 0 ] || { echo "run as root (chroot and mounts)"; exit 2; }
[ -f "$BASE/.ok" ] || { echo "no base root at $BASE (make it with debootstrap first)"; exit 2; }

mkdir -p "$BUILD"
LOG=$BUILD/package-build.log
echo "== building the package in $BUILD (log: $LOG)"
cmake -S "$HERE" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DTOVRA_TESTS=OFF >"$LOG" 2>&1 &&
  cmake --build "$BUILD" -j2 >>"$LOG" 2>&1 &&
  (cd "$BUILD" && cpack -G DEB) >>"$LOG" 2>&1 || { tail -n 30 "$LOG"; echo "the package was not built"; exit 1; }
DEB=$(ls "$BUILD"/tovra_*.deb 2>/dev/null | head -n 1)
[ -n "$DEB" ] || { echo "no tovra_*.deb in $BUILD"; exit 1; }
echo "== $DEB"
dpkg-deb -f "$DEB" Depends

R=$(mktemp -d /var/tmp/deb-check.XXXX)
# shellcheck disable=SC2317  # run by the trap
cleanup() {
  for m in dev/pts dev proc; do umount "$R/$m" 2>/dev/null; done
  # Never remove a root that still has the system's /dev or /proc mounted inside.
  if grep -q " $R/" /proc/mounts; then
    echo "mounts remain under $R: it is left in place"
  elif [ "${KEEP:-0}" = 1 ]; then
    echo "root kept at $R"
  else
    rm -rf "$R"
  fi
}
trap cleanup EXIT
cp -a "$BASE/." "$R/"
cp "$DEB" "$R/tmp/"
cp /etc/resolv.conf "$R/etc/resolv.conf" 2>/dev/null
mount -t proc proc "$R/proc"
mount --bind /dev "$R/dev"
mount --bind /dev/pts "$R/dev/pts" 2>/dev/null

cat >"$R/tmp/check.sh" <<'INNER'
set -u
cd /tmp
apt-get update -qq >/tmp/apt.log 2>&1 &&
  DEBIAN_FRONTEND=noninteractive apt-get install -y ./tovra_*.deb >>/tmp/apt.log 2>&1 ||
  { tail -n 30 /tmp/apt.log; echo "apt-get install failed"; exit 1; }
echo "installed: $(command -v tovra) $(command -v tovra-cli)"
desktop=$(ls /usr/share/applications/*tovra*.desktop 2>/dev/null | head -n 1)
[ -n "$desktop" ] || { echo "no .desktop file installed"; exit 1; }
exec_line=$(sed -n 's/^Exec=//p' "$desktop" | head -n 1)
echo "Exec=$exec_line"
cd /
# Started as the menu starts it: the Exec line, no terminal, HOME set, folder /.
# shellcheck disable=SC2086  # the Exec line is split into its words, as the menu does
HOME=/root QT_QPA_PLATFORM=offscreen $exec_line >/tmp/tovra.log 2>&1 &
pid=$!
sleep 10
if ! kill -0 "$pid" 2>/dev/null; then echo "tovra is not running 10 s after its start:"; cat /tmp/tovra.log; exit 1; fi
echo "tovra is running 10 s after its start (pid $pid), in $(readlink /proc/$pid/cwd)"
rc=0
[ "$(readlink /proc/$pid/cwd)" = /root/.local/share/tovra ] || { echo "not in the data folder"; rc=1; }
[ -d /root/.local/share/tovra ] || { echo "no ledger folder ~/.local/share/tovra"; rc=1; }
# The first start waits for the first year and has written no ledger file yet; nothing
# was scattered into the home or the current folder.
for f in main.dat tovradatafile tovractm.dat janipa.dat; do
  [ -e "/root/$f" ] && { echo "scattered into the home folder: $f"; rc=1; }
  [ -e "/$f" ] && { echo "scattered into /: $f"; rc=1; }
done
[ -e /root/tmp ] && { echo "scattered into the home folder: tmp"; rc=1; }
ls -la /root/.local/share/tovra
kill "$pid"
exit $rc
INNER

echo "== installing and starting in a fresh Debian 12 root ($R)"
chroot "$R" /usr/bin/env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 \
  bash /tmp/check.sh
rc=$?
echo "== exit $rc"
exit $rc

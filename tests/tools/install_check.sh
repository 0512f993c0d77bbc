#!/bin/sh
# The installed program: `cmake --install` into a temporary prefix puts exactly these
# files there; the menu entry and the AppStream file pass their validators (a check whose
# validator is not installed is skipped with a message); the man page is made of the
# tool's help and renders.
# usage: install_check.sh BUILD_DIR
set -u
BUILD=$1
PREFIX=$(mktemp -d)
trap 'rm -rf "$PREFIX"' EXIT
fail=0
cmake --install "$BUILD" --prefix "$PREFIX" >"$PREFIX.log" 2>&1 || { cat "$PREFIX.log"; rm -f "$PREFIX.log"; exit 1; }
rm -f "$PREFIX.log"

got=$(cd "$PREFIX" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
want='bin/tovra
bin/tovra-cli
share/applications/io.github.tovra.Tovra.desktop
share/icons/hicolor/256x256/apps/tovra.png
share/icons/hicolor/48x48/apps/tovra.png
share/icons/hicolor/scalable/apps/tovra.svg
share/man/man1/tovra-cli.1
share/metainfo/io.github.tovra.Tovra.metainfo.xml'
if [ "$got" != "$want" ]; then
  echo "installed files differ:"
  printf '%s\n' "$want" >"$PREFIX/want"
  printf '%s\n' "$got" | diff "$PREFIX/want" - || true
  fail=1
fi

desktop=$PREFIX/share/applications/io.github.tovra.Tovra.desktop
grep -qx 'Name=トヴラ' "$desktop" || { echo "Name is not トヴラ"; fail=1; }
grep -qx 'Name\[ja\]=競走収支帖 トヴラ' "$desktop" || { echo "Name[ja] is not 競走収支帖 トヴラ"; fail=1; }
grep -qx 'Categories=Office;Finance;' "$desktop" || { echo "Categories are not Office;Finance;"; fail=1; }
grep -qx 'Exec=tovra --data-folder' "$desktop" || { echo "Exec does not start on the data folder"; fail=1; }
for size in 48 256; do
  head -c 24 "$PREFIX/share/icons/hicolor/${size}x$size/apps/tovra.png" | od -An -tx1 | tr -d ' \n' |
    grep -q "^89504e470d0a1a0a0000000d49484452$(printf '%08x%08x' "$size" "$size")$" ||
    { echo "the $size px icon is not a $size x $size PNG"; fail=1; }
done

skipped=""
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || { echo "desktop-file-validate refused the menu entry"; fail=1; }
else
  skipped="$skipped desktop-file-validate"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$PREFIX/share/metainfo/io.github.tovra.Tovra.metainfo.xml" ||
    { echo "appstreamcli refused the metainfo file"; fail=1; }
else
  skipped="$skipped appstreamcli"
fi

man1=$PREFIX/share/man/man1/tovra-cli.1
grep -q '^\.TH TOVRA\\-CLI 1' "$man1" || { echo "the man page has no title line"; fail=1; }
# Every command group of the tool's help is on the page.
for cmd in year meeting race settle tally saved search print export chart settings folders import; do
  grep -q "^$cmd\$\|^  *$cmd\b\|^$cmd " "$man1" || { echo "the man page does not name the command $cmd"; fail=1; }
done
if command -v man >/dev/null; then
  MANWIDTH=100 man -l "$man1" 2>&1 | grep -q -- '--help-all' || { echo "man -l does not render the page"; fail=1; }
else
  skipped="$skipped man"
fi

[ $fail -eq 0 ] || exit 1
if [ -n "$skipped" ]; then
  echo "not installed here, these checks were skipped:$skipped"
  exit 77
fi
echo "installed files, menu entry, AppStream file and man page as they should be"

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the .deb from a build folder with CPack, checks its file list against
# what it must carry, finds no build path in it nor in the installed tree, and
# runs lintian (no errors), appstreamcli and desktop-file-validate on it.
# Exit 77 (skipped) where CPack's DEB generator cannot work (no dpkg-deb).
# Usage: package_test.sh BUILD-DIR SOURCE-DIR
set -uo pipefail
build=$(realpath "$1") src=$(realpath "$2")
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
if ! command -v dpkg-deb >/dev/null || ! command -v dpkg-shlibdeps >/dev/null; then
  echo "SKIPPED: CPack's DEB generator needs dpkg-deb and dpkg-shlibdeps (Debian packages dpkg, dpkg-dev)"
  exit 77
fi
for tool in lintian appstreamcli desktop-file-validate; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing: bash scripts/deps.sh installs it"; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# CPack quietly; its output when it fails
if ! cpack -G DEB -B "$work/dist" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"
  echo "FAIL: cpack"
  exit 1
fi
deb=$(ls "$work"/dist/merivane_*_amd64.deb 2>/dev/null | head -1)
[ -f "$deb" ] || { echo "FAIL: no dist/merivane_<version>_amd64.deb"; exit 1; }
echo "package: $(basename "$deb"), $(du -k "$deb" | cut -f1) KiB"

# what it must carry
listing=$(dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|')
for path in \
  /usr/bin/merivane /usr/bin/merivane-calc \
  /usr/libexec/merivane/merivane /usr/libexec/merivane/merivane-calc \
  /usr/libexec/merivane/libmerivane_sweepchart.so /usr/libexec/merivane/MerivaneHelp.html \
  /usr/share/applications/merivane.desktop /usr/share/mime/packages/merivane.xml \
  /usr/share/icons/hicolor/scalable/apps/merivane.svg \
  /usr/share/icons/hicolor/48x48/apps/merivane.png /usr/share/icons/hicolor/128x128/apps/merivane.png \
  /usr/share/icons/hicolor/256x256/apps/merivane.png \
  /usr/share/metainfo/com.halvik.merivane.metainfo.xml \
  /usr/share/man/man1/merivane.1.gz /usr/share/man/man1/merivane-calc.1.gz \
  /usr/share/bash-completion/completions/merivane-calc \
  /usr/share/doc/merivane/copyright /usr/share/doc/merivane/changelog.gz; do
  grep -qxF "$path" <<<"$listing" || fail "the package lacks $path"
done
# and nothing outside /usr
grep -vE '^/(usr(/.*)?)?$' <<<"$listing" | grep -q . && fail "the package installs outside /usr: $(grep -vE '^/(usr(/.*)?)?$' <<<"$listing" | head -3)"
depends=$(dpkg-deb -f "$deb" Depends)
grep -q 'libqt6widgets6' <<<"$depends" || fail "the dependencies from dpkg-shlibdeps are missing: $depends"
grep -q 'libqt6svg6' <<<"$depends" || fail "Qt SVG, which writes the Smith chart, is not a dependency: $depends"

# no build path in the package, nor in the installed tree
dpkg-deb -x "$deb" "$work/deb"
DESTDIR="$work/installed" cmake --install "$build" --prefix /usr --strip >/dev/null
for tree in deb installed; do
  for path in "$build" "$src"; do
    hits=$(grep -rlaF -- "$path" "$work/$tree" || true)
    [ -z "$hits" ] || fail "the $tree tree holds the build path $path in: ${hits//$work\//}"
  done
done

# the validators
echo "== lintian"
lintian --fail-on error "$deb" || fail "lintian reports errors"
echo "== appstreamcli validate --no-net"
appstreamcli validate --no-net "$work/deb/usr/share/metainfo/com.halvik.merivane.metainfo.xml" || fail "appstreamcli"
echo "== desktop-file-validate"
desktop-file-validate "$work/deb/usr/share/applications/merivane.desktop" || fail "desktop-file-validate"
grep -q '^Exec=merivane %f$' "$work/deb/usr/share/applications/merivane.desktop" || fail "the desktop entry does not pass the file"

[ "$failures" -eq 0 ] && echo "package: all checks passed"
exit $((failures > 0))

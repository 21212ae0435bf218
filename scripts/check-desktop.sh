#!/usr/bin/env bash
# CI's checks of what the editor installs: the desktop entry, the AppStream metainfo and the
# MIME type are validated; `make install DESTDIR=…` must put exactly the expected files in
# place; the Debian package must install with apt, its files and its triggers' results must be
# there and the programs must run; then the installed editor takes the tour on a virtual X
# display (scripts/desktop-tour.sh). The package is removed again at the end.
#
#   scripts/check-desktop.sh [BUILD]     (the build folder, default build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
id=io.github.deduzu.SpriteEditor
tmp=$(mktemp -d)
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
installed_package=""
cleanup() {
  local status=$?
  [ -n "$installed_package" ] && $sudo env DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq deduzu-sprite-editor >/dev/null
  rm -rf "$tmp"
  exit $status
}
trap cleanup EXIT
say() { echo "check-desktop: $*"; }
fail() { echo "check-desktop: FAILED: $*" >&2; exit 1; }

say "desktop entry"
desktop-file-validate "desktop/$id.desktop"

say "AppStream metainfo"
appstreamcli validate --no-net --strict "desktop/$id.metainfo.xml"

# The schema of shared-mime-info's XML is the DTD its own database carries
# (/usr/share/mime/packages/freedesktop.org.xml, from the shared-mime-info package): the entry
# is validated against it. Then update-mime-database must take it without a word, and the
# database it builds must hold the glob and the magic.
say "MIME type"
sed -n '/^<!DOCTYPE mime-info \[/,/^\]>/p' /usr/share/mime/packages/freedesktop.org.xml | sed '1d;$d' >"$tmp/mime-info.dtd"
grep -q '<!ELEMENT mime-type' "$tmp/mime-info.dtd" || fail "no DTD in freedesktop.org.xml"
xmllint --noout --dtdvalid "$tmp/mime-info.dtd" "desktop/$id.mime.xml"
mkdir -p "$tmp/mime/packages"
cp "desktop/$id.mime.xml" "$tmp/mime/packages/$id.xml"
out=$(XDG_DATA_DIRS="$tmp" XDG_DATA_HOME="$tmp" update-mime-database "$tmp/mime" 2>&1)
[ -z "$out" ] || fail "update-mime-database: $out"
[ -f "$tmp/mime/application/x-deduzu-sprite.xml" ] || fail "no application/x-deduzu-sprite in the database"
grep -q '^[0-9]*:application/x-deduzu-sprite:\*\.sprite$' "$tmp/mime/globs2" || fail "no *.sprite glob"
grep -aq 'SPRJ' "$tmp/mime/magic" || fail "no SPRJ magic"
rm -rf "$tmp/mime"

say "make install DESTDIR=… (PREFIX /usr/local)"
make --no-print-directory install BUILD="$build" DESTDIR="$tmp/root" >"$tmp/install.log" ||
  { cat "$tmp/install.log"; fail "make install"; }
expected=(
  bin/deduzu-sprite
  bin/deduzu-sprite-editor
  share/applications/$id.desktop
  share/icons/hicolor/128x128/apps/$id.png
  share/icons/hicolor/16x16/apps/$id.png
  share/icons/hicolor/256x256/apps/$id.png
  share/icons/hicolor/32x32/apps/$id.png
  share/icons/hicolor/48x48/apps/$id.png
  share/icons/hicolor/64x64/apps/$id.png
  share/icons/hicolor/scalable/apps/$id.svg
  share/man/man1/deduzu-sprite-editor.1
  share/man/man1/deduzu-sprite.1
  share/metainfo/$id.metainfo.xml
  share/mime/packages/$id.xml
)
prefix="$tmp/root/usr/local"
diff <(printf '%s\n' "${expected[@]}" | LC_ALL=C sort) <(cd "$prefix" && find . -type f -printf '%P\n' | LC_ALL=C sort) ||
  fail "the installed tree differs from the list above (< missing, > not expected)"
for f in bin/deduzu-sprite bin/deduzu-sprite-editor; do [ -x "$prefix/$f" ] || fail "$f is not executable"; done
"$prefix/bin/deduzu-sprite" --version
desktop-file-validate "$prefix/share/applications/$id.desktop"
# The installed tree as a software centre reads it: metainfo, desktop entry and icon together.
appstreamcli validate-tree --no-net "$tmp/root/usr/local"

say "make package"
rm -f "$build"/deduzu-sprite-editor_*.deb
make --no-print-directory package BUILD="$build" >"$tmp/package.log" || { cat "$tmp/package.log"; fail "make package"; }
deb=$(ls "$build"/deduzu-sprite-editor_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
say "Depends: $depends"
for lib in libqt6widgets6 libqt6gui6 libqt6core6 libspng0 libgif7 libc6; do
  grep -q "$lib" <<<"$depends" || fail "$lib missing from Depends"
done
diff <(printf './usr/%s\n' "${expected[@]}" | LC_ALL=C sort) \
     <(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | LC_ALL=C sort) || fail "the package's files differ"

say "apt install ./$(basename "$deb")"
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "./$deb" >"$tmp/apt.log" ||
  { cat "$tmp/apt.log"; fail "apt install"; }
installed_package=yes
dpkg -L deduzu-sprite-editor | grep -q "^/usr/share/applications/$id.desktop$" || fail "dpkg -L: no desktop entry"
/usr/bin/deduzu-sprite --version
# The triggers of shared-mime-info and desktop-file-utils have run.
[ -f /usr/share/mime/application/x-deduzu-sprite.xml ] || fail "the MIME database does not know the type"
if [ -f /usr/share/applications/mimeinfo.cache ]; then
  grep -q "^application/x-deduzu-sprite=.*$id.desktop" /usr/share/applications/mimeinfo.cache ||
    fail "the desktop database does not open the type with the editor"
fi

say "tour of the installed editor"
timeout 300 scripts/desktop-tour.sh /usr/bin/deduzu-sprite-editor /usr/bin/deduzu-sprite "$build/desktop-tour"
say "passed"

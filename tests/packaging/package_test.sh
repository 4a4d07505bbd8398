#!/usr/bin/env bash
# The Debian package made from this build tree: built with cpack, unpacked with dpkg -x into a
# temporary root, its layout checked, its tools run from there, and lintian (when present) run
# on it. Exit 77 (skipped) without dpkg-deb.
set -euo pipefail
build_dir=$1
command -v dpkg-deb > /dev/null || { echo "dpkg-deb is not installed"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$build_dir" && cpack -G DEB -B "$work/out" > "$work/cpack.log") || {
  cat "$work/cpack.log"; exit 1; }
package=$(ls "$work"/out/senkaro_*_amd64.deb)
dpkg -x "$package" "$work/root"
root=$work/root

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

for file in usr/games/senkaro usr/bin/senkaro-logic usr/bin/senkaro-data \
    usr/libexec/senkaro/senkaro-desktop usr/share/senkaro/senkaro.html \
    usr/share/applications/senkaro.desktop usr/share/metainfo/org.senkaro.Senkaro.metainfo.xml \
    usr/share/icons/hicolor/16x16/apps/senkaro.png usr/share/icons/hicolor/32x32/apps/senkaro.png \
    usr/share/icons/hicolor/48x48/apps/senkaro.png usr/share/icons/hicolor/256x256/apps/senkaro.png \
    usr/share/man/man6/senkaro.6.gz usr/share/man/man6/senkaro-logic.6.gz \
    usr/share/man/man6/senkaro-data.6.gz usr/share/doc/senkaro/copyright \
    usr/share/doc/senkaro/changelog.gz; do
  [[ -f $root/$file ]] || fail "$file is missing"
done
grep -qx 'Exec=/usr/libexec/senkaro/senkaro-desktop' "$root/usr/share/applications/senkaro.desktop" \
  || fail "the desktop entry does not run the installed launcher"
depends=$(dpkg-deb -f "$package" Depends)
[[ $depends == *libqt6widgets6* ]] || fail "Depends lacks Qt Widgets: $depends"

# The tools run from the unpacked root.
made=$("$root/usr/bin/senkaro-logic" make 1 --seed 5) || fail "senkaro-logic make 1 failed"
[[ $made == '{"kind": 1,'* ]] || fail "senkaro-logic make 1 printed: $made"
version=$("$root/usr/bin/senkaro-data" --version) || fail "senkaro-data --version failed"
[[ $version =~ ^senkaro-data\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "senkaro-data --version printed: $version"

if command -v lintian > /dev/null; then
  lintian --fail-on error "$package" 2>&1 | grep -v 'running with root privileges' \
    || true
  lintian --fail-on error "$package" > /dev/null 2>&1 || fail "lintian reports errors"
fi
echo "$(basename "$package"): $failures failures"
exit $((failures > 0))

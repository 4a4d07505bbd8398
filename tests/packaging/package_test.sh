#!/usr/bin/env bash
# The Debian package made from this build tree: built with cpack, unpacked with dpkg -x into a
# temporary root, its layout checked, its tools run from there, and lintian (when present) run
# on it. The package is made again (from another folder, with the build's files touched) and
# must be the same bytes; with SOURCE_DATE_EPOCH set, its files carry that time. Exit 77
# (skipped) without dpkg-deb.
set -euo pipefail
build_dir=$1
command -v dpkg-deb > /dev/null || { echo "dpkg-deb is not installed"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

build_dir=$(cd "$build_dir" && pwd)
unset SOURCE_DATE_EPOCH
make_package() {  # output folder, from where cpack is started
  (cd "$2" && cpack --config "$build_dir/CPackConfig.cmake" -G DEB -B "$1" > "$work/cpack.log") || {
    cat "$work/cpack.log"; exit 1; }
  ls "$1"/senkaro_*_amd64.deb
}
package=$(make_package "$work/out" "$build_dir")
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
[[ $depends == "fonts-ipafont-gothic | fonts-japanese-gothic, "* ]] \
  || fail "Depends lacks a Japanese font: $depends"
recommends=$(dpkg-deb -f "$package" Recommends)
[[ $recommends == *fonts-kouzan-mouhitsu* && $recommends == *qt6-wayland* ]] \
  || fail "Recommends: $recommends"

# The same bytes again, later, from elsewhere, with the staged files' times changed.
touch "$build_dir/bin/senkaro.html" "$build_dir/packaging/senkaro-desktop"
again=$(make_package "$work/again" "$work")
cmp -s "$package" "$again" || fail "a second cpack run made other bytes"
changelog=$(dirname "$0")/../../packaging/changelog
dated=$(date -u -d "$(sed -n 's/^ -- .*>  //p' "$changelog" | head -1)" '+%Y-%m-%d %H:%M')
times=$(TZ=UTC dpkg-deb -c "$package" | awk '{print $4 " " $5}' | sort -u)
[[ $times == "$dated" ]] || fail "file times are not the changelog's date $dated: $times"
epoch_package=$(SOURCE_DATE_EPOCH=1000000000 make_package "$work/epoch" "$build_dir")
times=$(TZ=UTC dpkg-deb -c "$epoch_package" | awk '{print $4 " " $5}' | sort -u)
[[ $times == "2001-09-09 01:46" ]] || fail "SOURCE_DATE_EPOCH did not win: $times"

# The tools run from the unpacked root.
made=$("$root/usr/bin/senkaro-logic" make 1 --seed 5) || fail "senkaro-logic make 1 failed"
[[ $made == '{"kind": 1,'* ]] || fail "senkaro-logic make 1 printed: $made"
version=$("$root/usr/bin/senkaro-data" --version) || fail "senkaro-data --version failed"
[[ $version =~ ^senkaro-data\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "senkaro-data --version printed: $version"
version=$(env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/games/senkaro" --version) \
  || fail "senkaro --version failed"
[[ $version =~ ^senkaro\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "senkaro --version printed: $version"

if command -v lintian > /dev/null; then
  lintian --fail-on error "$package" 2>&1 | grep -v 'running with root privileges' \
    || true
  lintian --fail-on error "$package" > /dev/null 2>&1 || fail "lintian reports errors"
fi
echo "$(basename "$package"): $failures failures"
exit $((failures > 0))

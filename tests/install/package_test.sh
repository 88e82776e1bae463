#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package as a distribution would: the release tarball of
# HEAD, unpacked, built with dpkg-buildpackage from its debian/ with its
# build-time tests and no network; then again in another folder (without the
# tests, which change no byte of it), to the same bytes. Lintian finds no error or warning in the
# .changes and no unused override; the desktop entry and the AppStream
# metadata validate. Then installs it, checks the installed program's
# hardening, debug symbols and icons, plays the installed game as an
# unprivileged user until a game over with a typed name, finds the table in
# that user's data directory (not beside the program), purges the package and
# checks that nothing of it is left in the system directories.
#   package_test.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
src=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)
user=pelmarplayer
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo -n)
fail() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$out/dist" "$out/unpacked" "$out/again"
tarball=$("$src/scripts/release.sh" HEAD "$out/dist")
name=$(basename "$tarball" .tar.xz)
offline=()
if [ "$(id -u)" -eq 0 ]; then
    offline=(unshare --net)
elif unshare --user --map-root-user --net true 2>/dev/null; then
    offline=(unshare --user --map-root-user --net)
fi
build_in() { # FOLDER [OPTION]: unpacks the tarball there and builds the package
    mkdir "$1"
    tar -xJf "$tarball" -C "$1"
    (cd "$1/$name" &&
        DEB_BUILD_OPTIONS="parallel=$(nproc) ${2:-}" "${offline[@]}" dpkg-buildpackage -us -uc -b \
            >"$1/build.log" 2>&1) ||
        { grep -E '(Failed|\*\*\*|FAIL)' "$1/build.log" | tail -n 20; tail -n 60 "$1/build.log"
          fail "dpkg-buildpackage failed in $1"; }
}
mkdir -p "$out/deps"
tar -xJf "$tarball" -C "$out/deps"
(cd "$out/deps/$name" && { dpkg-checkbuilddeps -B 2>/dev/null ||
    "${sudo[@]}" apt-get build-dep -y -qq ./ >/dev/null; })
rm -rf "$out/deps"
build_in "$out/unpacked"
grep -E '^[0-9]+% tests passed' "$out/unpacked/build.log" || fail "the build ran no tests"
# Minutes later, elsewhere: the dates and the folder must not reach the package.
build_in "$out/again" nocheck
cd "$out/unpacked/$name"
version=$(dpkg-parsechangelog -S Version)
arch=$(dpkg --print-architecture)
deb="$out/unpacked/pelmar_${version}_$arch.deb"
changes="$out/unpacked/pelmar_${version}_$arch.changes"
[ -s "$deb" ] || fail "no $deb"
for built in "$deb" "$out/unpacked/pelmar-dbgsym_${version}_$arch.deb"; do
    cmp -s "$built" "$out/again/${built#"$out/unpacked/"}" || fail "$(basename "$built") differs between two builds"
done
[ -s "$out/unpacked/pelmar-dbgsym_${version}_$arch.deb" ] || fail "no debug symbols package"
echo "built $(basename "$deb") and its debug symbols"
[ "${version%-*}" = "${name#pelmar-}" ] || fail "the package is $version, the tarball $name"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
grep -q libqt6widgets6 <<<"$depends" || fail "the library dependencies are not filled in"
[ "$(dpkg-deb -f "$deb" Recommends)" = "xdg-utils" ] || fail "xdg-utils is not recommended"

# Errors and warnings may not stay; nor may an override that no longer applies.
status=0
findings=$(lintian -I --fail-on error,warning "$changes" 2>&1) || status=$?
[ -z "$findings" ] || echo "$findings"
[ "$status" -eq 0 ] || fail "lintian finds errors or warnings, or cannot run (status $status)"
! grep -qE 'unused-override|mismatched-override' <<<"$findings" || fail "lintian reports a stale override"

contents="$out/contents"
rm -rf "$contents"
dpkg-deb -x "$deb" "$contents"
desktop-file-validate "$contents/usr/share/applications/io.github.vulcropelmar.pelmar.desktop"
appstreamcli validate --no-net --pedantic \
    "$contents/usr/share/metainfo/io.github.vulcropelmar.pelmar.metainfo.xml"

"${sudo[@]}" apt-get remove -y -qq pelmar >/dev/null 2>&1 || true
"${sudo[@]}" apt-get install -y -qq "$deb" >/dev/null
files=$(dpkg -L pelmar)
id=io.github.vulcropelmar.pelmar
expected=(/usr/games/pelmar /usr/share/pelmar/Pelmar.htm /usr/share/pelmar/Pelmar_en.htm
    /usr/share/applications/$id.desktop
    /usr/share/metainfo/$id.metainfo.xml /usr/share/man/man6/pelmar.6.gz
    /usr/share/doc/pelmar/copyright /usr/share/doc/pelmar/changelog.Debian.gz)
for size in 16 22 24 32 48 64 128 256; do
    expected+=("/usr/share/icons/hicolor/${size}x${size}/apps/$id.png")
done
expected+=("/usr/share/icons/hicolor/scalable/apps/$id.svg")
for path in "${expected[@]}"; do
    grep -qx "$path" <<<"$files" || fail "$path is not installed"
done
[ "$(find /usr/share/icons/hicolor/*/apps -name "$id.png" | wc -l)" -eq 8 ] ||
    fail "not eight icons named $id"

# Debian's hardening: full RELRO, symbols bound at start, the stack protector.
segments=$(readelf -lW /usr/games/pelmar)
dynamic=$(readelf -dW /usr/games/pelmar)
symbols=$(readelf --dyn-syms -W /usr/games/pelmar)
sections=$(readelf -SW /usr/games/pelmar)
grep -q GNU_RELRO <<<"$segments" || fail "no RELRO segment"
grep -qE '\(FLAGS\).*BIND_NOW' <<<"$dynamic" || fail "not linked with BIND_NOW"
grep -q ' __stack_chk_fail@' <<<"$symbols" || fail "__stack_chk_fail is not imported: no stack protector"
! grep -q '\.comment' <<<"$sections" || fail "the program keeps a .comment section"
! grep -q '\.debug_info' <<<"$sections" || fail "the program is not stripped"
grep -q '\.gnu_debuglink' <<<"$sections" || fail "the program names no debug symbols file"
echo "the installed program has full RELRO, BIND_NOW and the stack protector, its symbols apart"

id "$user" >/dev/null 2>&1 || "${sudo[@]}" useradd --create-home --shell /bin/bash "$user"
home=$(getent passwd "$user" | cut -d: -f6)
"${sudo[@]}" rm -rf "$home/.local/share/pelmar"
"${sudo[@]}" "$src/tests/e2e/game_over_and_best.sh" --installed "$user"
[ -s "$home/.local/share/pelmar/pelmar.Dat" ] || fail "no table in the player's data directory"
[ ! -e /usr/games/pelmar.Dat ] || fail "the game wrote into /usr/games"
echo "the table is in $home/.local/share/pelmar"

"${sudo[@]}" apt-get remove --purge -y -qq pelmar >/dev/null
while read -r path; do
    [ -d "$path" ] && continue
    [ -e "$path" ] && fail "$path is left after removal"
done <<<"$files"
[ ! -e /usr/share/pelmar ] || fail "/usr/share/pelmar is left after removal"
[ -s "$home/.local/share/pelmar/pelmar.Dat" ] || fail "the purge took the player's table"
echo "removed cleanly"

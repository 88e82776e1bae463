#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package with CPack, validates the desktop entry and the
# AppStream metadata, has lintian find no error or warning in the package,
# installs it, checks the installed program's hardening and icons, plays the
# installed game as an unprivileged user until a game over with a typed name,
# finds the table in that user's data directory (not beside the program), then
# removes the package and checks that nothing of it is left in the system
# directories.
#   package_test.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
src=$(cd "$1" && pwd)
out=$2
user=pelmarplayer
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo -n)
fail() { echo "FAIL: $*" >&2; exit 1; }

desktop-file-validate "$src/assets/desktop/io.github.vulcropelmar.pelmar.desktop"

cmake -S "$src" -B "$out" -DCMAKE_BUILD_TYPE=Release -DPELMAR_TESTS=OFF \
    -DPELMAR_BENCHMARKS=OFF -DPELMAR_SANITIZE=OFF -DPELMAR_DEBIAN_PACKAGE=ON -DPELMAR_INSTALLED_LAYOUT=ON >/dev/null
appstreamcli validate --no-net --pedantic "$out/generated/io.github.vulcropelmar.pelmar.metainfo.xml"
cmake --build "$out" --target pelmar -j"$(nproc)" >/dev/null
(cd "$out" && rm -f pelmar_*.deb && cpack -G DEB >/dev/null)
deb=$(ls "$out"/pelmar_*.deb)
echo "built $(basename "$deb")"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
grep -q libqt6widgets6 <<<"$depends" || fail "the library dependencies are not filled in"
[ "$(dpkg-deb -f "$deb" Version)" = "5.00-1" ] || fail "the version is not 5.00-1"
[ "$(dpkg-deb -f "$deb" Recommends)" = "xdg-utils" ] || fail "xdg-utils is not recommended"

# Information tags may stay; errors and warnings may not.
status=0
findings=$(lintian --fail-on error,warning "$deb" 2>/dev/null) || status=$?
[ -z "$findings" ] || echo "$findings"
[ "$status" -eq 0 ] || fail "lintian finds errors or warnings, or cannot run (status $status)"

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
echo "the installed program has full RELRO, BIND_NOW and the stack protector"

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

#!/usr/bin/env bash
# Builds the Debian package with CPack, validates the desktop entry and the
# AppStream metadata, installs the package, plays the installed game as an
# unprivileged user until a game over with a typed name, finds the table in
# that user's data directory (not beside the program), then removes the
# package and checks that nothing of it is left in the system directories.
#   package_test.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
src=$(cd "$1" && pwd)
out=$2
user=pelmarplayer
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo -n)
fail() { echo "FAIL: $*" >&2; exit 1; }

desktop-file-validate "$src/assets/desktop/pelmar.desktop"
appstreamcli validate --no-net --pedantic "$src/assets/desktop/io.github.vulcropelmar.pelmar.metainfo.xml"

cmake -S "$src" -B "$out" -DCMAKE_BUILD_TYPE=Release -DPELMAR_TESTS=OFF -DPELMAR_INSTALLED_LAYOUT=ON \
    -DPELMAR_BENCHMARKS=OFF -DPELMAR_SANITIZE=OFF >/dev/null
cmake --build "$out" --target pelmar -j"$(nproc)" >/dev/null
(cd "$out" && rm -f pelmar_*.deb && cpack -G DEB >/dev/null)
deb=$(ls "$out"/pelmar_*.deb)
echo "built $(basename "$deb")"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
grep -q libqt6widgets6 <<<"$depends" || fail "the library dependencies are not filled in"

"${sudo[@]}" apt-get remove -y -qq pelmar >/dev/null 2>&1 || true
"${sudo[@]}" apt-get install -y -qq "$deb" >/dev/null
files=$(dpkg -L pelmar)
for expected in /usr/games/pelmar /usr/share/pelmar/Pelmar.htm /usr/share/applications/pelmar.desktop \
    /usr/share/metainfo/io.github.vulcropelmar.pelmar.metainfo.xml /usr/share/man/man6/pelmar.6 \
    /usr/share/icons/hicolor/128x128/apps/pelmar.png; do
    grep -qx "$expected" <<<"$files" || fail "$expected is not installed"
done

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
echo "removed cleanly"

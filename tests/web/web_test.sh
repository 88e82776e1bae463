#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the web edition into WORK/web, serves it on 127.0.0.1 and plays it in
# Debian's headless Chromium through puppeteer-core (web_test.js).
#   web_test.sh [--prepare] SOURCE_DIR WORK_DIR
# --prepare only builds the web edition and installs the browser client, as
# the test command does before the tests run. Exits 77 (skipped) only where
# Emscripten or Chromium cannot be installed.
set -euo pipefail
prepare=
[ "$1" = --prepare ] && { prepare=1; shift; }
root=$(cd "$1" && pwd)
mkdir -p "$2"
work=$(cd "$2" && pwd)

have_all() {
    command -v emcc >/dev/null && command -v chromium >/dev/null &&
        command -v node >/dev/null && command -v npm >/dev/null
}
if ! have_all; then
    if [ "$(id -u)" -eq 0 ] || sudo -n true 2>/dev/null; then
        "$root/scripts/deps.sh" build test || echo "installing the web edition's tools failed"
    fi
fi
if ! have_all; then
    for tool in emcc chromium node npm; do
        command -v "$tool" >/dev/null || echo "missing: $tool"
    done
    echo "SKIP: Emscripten, Chromium, Node or npm cannot be installed here (scripts/deps.sh test)"
    exit 77
fi

# The browser client alone, pointed at Debian's Chromium (nothing downloads a
# browser), and axe-core, whose rules the page is checked against.
client="$work/client"
mkdir -p "$client"
cp "$root/tests/web/package.json" "$root/tests/web/package-lock.json" "$client/"
# Installed again when the lock file names other packages (axe-core came later).
if ! cmp -s "$client/package-lock.json" "$client/installed-lock.json"; then
    (cd "$client" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error)
    cp "$client/package-lock.json" "$client/installed-lock.json"
fi

PELMAR_WEB_BUILD="$work/build" PELMAR_WEB_OUTPUT="$work/web" PELMAR_JOBS="${PELMAR_JOBS:-1}" \
    "$root/web.sh" >"$work/web-build.log" || { tail -n 40 "$work/web-build.log"; exit 1; }
[ -z "$prepare" ] || exit 0
for file in index.html sw.js Pelmar.htm Pelmar_en.htm 'pelmar.*.js' 'pelmar.*.wasm' 'page.*.js' \
    'page.*.css' 'assets.*.js' 'pictures.*.bin' 'sounds.*.bin' 'manifest.*.webmanifest'; do
    [ -n "$(find "$work/web" -maxdepth 1 -name "$file" -size +0)" ] ||
        { echo "the build made no $file"; exit 1; }
done

port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 -m http.server --bind 127.0.0.1 --directory "$work/web" "$port" >"$work/http.log" 2>&1 &
server=$!
trap 'kill "$server" 2>/dev/null || true' EXIT
until python3 -c "import urllib.request; urllib.request.urlopen('http://127.0.0.1:$port/')" 2>/dev/null; do
    kill -0 "$server" 2>/dev/null || { cat "$work/http.log"; exit 1; }
    sleep 0.2
done

NODE_PATH="$client/node_modules" node "$root/tests/web/web_test.js" \
    "http://127.0.0.1:$port/" "$root/tests/screenshots/level_start.png" \
    "$root/tests/screenshots/paused_2x.png"

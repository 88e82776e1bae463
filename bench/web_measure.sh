#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the web edition (./web.sh) into WORK_DIR, serves it on 127.0.0.1 and
# measures it in headless Chromium: the whole download, the first frame
# uncached and cached, and the main thread's processor time while playing,
# paused and in a background tab.
#   bench/web_measure.sh [WORK_DIR]      (default build/web-measure)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "${1:-$root/build/web-measure}"
work=$(cd "${1:-$root/build/web-measure}" && pwd)
client="$work/client"
mkdir -p "$client"
cp "$root/tests/web/package.json" "$root/tests/web/package-lock.json" "$client/"
[ -d "$client/node_modules/puppeteer-core" ] ||
    (cd "$client" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error)
PELMAR_WEB_BUILD="$work/build" PELMAR_WEB_OUTPUT="$work/web" "$root/web.sh" >/dev/null
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 -m http.server --bind 127.0.0.1 --directory "$work/web" "$port" >"$work/http.log" 2>&1 &
server=$!
trap 'kill "$server" 2>/dev/null || true' EXIT
until python3 -c "import urllib.request; urllib.request.urlopen('http://127.0.0.1:$port/')" 2>/dev/null; do
    sleep 0.2
done
NODE_PATH="$client/node_modules" node "$root/bench/web_measure.js" "http://127.0.0.1:$port/" "$work/web"

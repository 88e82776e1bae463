#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Measures the web edition as Lighthouse sees it on a phone (its default,
# mobile settings: a mid-range phone on a slow 4G line, simulated), served
# compressed on 127.0.0.1. A measurement, not a test: it checks nothing.
#   bench/lighthouse.sh CLIENT_DIR [PAGE_DIR]
# CLIENT_DIR is where Lighthouse (bench/lighthouse/package-lock.json) is
# installed with npm ci; PAGE_DIR a built page folder (./web.sh's build/web),
# else the web edition is built into a temporary folder first. RUNS=3 runs.
# Prints, for each run and then the median: accessibility, best practices,
# performance, SEO, total blocking time, and the program's compressed size
# (gzip -9). REPORTS=DIR keeps Lighthouse's JSON reports there. Needs
# Debian's chromium (scripts/deps.sh test) and npm.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
[ $# -ge 1 ] || { sed -n '3,13p' "$0"; exit 2; }
mkdir -p "$1"
client=$(cd "$1" && pwd)
runs=${RUNS:-3}
work=$(mktemp -d)
server=
cleanup() {
    [ -z "$server" ] || kill "$server" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

if [ $# -ge 2 ]; then
    page=$(cd "$2" && pwd)
else
    page="$work/web"
    echo "Building the web edition into $page"
    PELMAR_WEB_BUILD="$work/build" PELMAR_WEB_OUTPUT="$page" "$root/web.sh" >"$work/build.log" ||
        { tail -n 30 "$work/build.log"; exit 1; }
fi

cp "$root/bench/lighthouse/package.json" "$root/bench/lighthouse/package-lock.json" "$client/"
if ! cmp -s "$client/package-lock.json" "$client/installed-lock.json"; then
    (cd "$client" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error)
    cp "$client/package-lock.json" "$client/installed-lock.json"
fi

python3 "$root/bench/lighthouse/serve.py" "$page" "$work/port" &
server=$!
until [ -s "$work/port" ]; do
    kill -0 "$server" 2>/dev/null || { echo "the server did not start"; exit 1; }
    sleep 0.1
done
url="http://127.0.0.1:$(cat "$work/port")/"

flags="--headless=new"
[ "$(id -u)" -ne 0 ] || flags="$flags --no-sandbox"
wasm=$(find "$page" -maxdepth 1 -name 'pelmar.*.wasm' | head -n 1)
wasm_gzip=$(gzip -9 -c "$wasm" | wc -c)
echo "Lighthouse $(node "$client/node_modules/lighthouse/cli/index.js" --version), mobile," \
    "on $url ($(basename "$wasm"): $wasm_gzip bytes compressed)"
for run in $(seq 1 "$runs"); do
    CHROME_PATH=/usr/bin/chromium node "$client/node_modules/lighthouse/cli/index.js" "$url" \
        --quiet --output=json --output-path="$work/run$run.json" \
        --only-categories=performance,accessibility,best-practices,seo \
        --chrome-flags="$flags" >"$work/run$run.log" 2>&1 ||
        { tail -n 20 "$work/run$run.log"; exit 1; }
done
python3 "$root/bench/lighthouse/report.py" "$wasm_gzip" "$work"/run*.json
[ -z "${REPORTS:-}" ] || { mkdir -p "$REPORTS" && cp "$work"/run*.json "$REPORTS/"; }

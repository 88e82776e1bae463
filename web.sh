#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds the web edition into build/web (static
# files: index.html, the service worker, the help pages and the page's files
# under hashed names; see src/web/package.py) and says how to play it.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh web
# Emscripten's optimizer needs Debian's acorn, also where another Node
# comes first on the PATH.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
# PELMAR_WEB_BUILD and PELMAR_WEB_OUTPUT choose other folders (the tests' own).
build=${PELMAR_WEB_BUILD:-build/web-build}
output=${PELMAR_WEB_OUTPUT:-build/web}
mkdir -p "$output"
output=$(cd "$output" && pwd)
emcmake cmake -S src/web -B "$build" -DCMAKE_BUILD_TYPE=Release -DPELMAR_WEB_OUTPUT="$output" >/dev/null
nice cmake --build "$build" -j"${PELMAR_JOBS:-1}"
cat <<END

The web edition is in $output. To play it here:
    python3 -m http.server -d $output 8000 --bind 127.0.0.1
and open http://127.0.0.1:8000/ in a browser. Any static web server will do.
END

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every C++ source, header and shell script of the source tree names its
# licence in its first three lines. The files are found in the tree itself
# (a release tarball has no git), leaving out build folders (any folder with
# a CMakeCache.txt, as Debian's obj-*), node modules and debian/'s staging.
#   licences_test.sh SOURCE_DIR
set -euo pipefail
cd "$1"
files=$(find . \( -name .git -o -name node_modules -o -path ./debian/pelmar -o -path ./debian/.debhelper \
                  -o -path ./build \) -prune -o -type d -exec test -e '{}/CMakeCache.txt' \; -prune \
             -o -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.sh' \) -print | sort)
count=$(grep -c . <<<"$files" || true)
# The tree holds far more than this; fewer means the search went wrong.
[ "$count" -ge 100 ] || { echo "FAIL: only $count source files found in $PWD"; exit 1; }
missing=0
while read -r file; do
    head -n 3 "$file" | grep -q 'SPDX-License-Identifier: GPL-3.0-or-later' ||
        { echo "no licence line: $file"; missing=1; }
done <<<"$files"
[ "$missing" -eq 0 ] || exit 1
echo "$count source files name their licence"

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the release tarball pelmar-VERSION.tar.xz from a commit, with git
# archive: every file as committed, each dated with the commit's time, so the
# same commit always gives the same bytes.
#   scripts/release.sh [REF [OUTDIR]]
# REF defaults to the tag of the version in the working tree's CMakeLists.txt
# (v5.00 for project(pelmar VERSION 5.0)); make it first with
#   git tag -a v5.00 -m "Vulcro Pelmar 5.00"
# OUTDIR defaults to build/dist. Prints the tarball's path.
set -euo pipefail
cd "$(dirname "$0")/.."

# project(pelmar VERSION 5.0 ...) in a CMakeLists.txt, shown as 5.00.
version_of() {
    sed -nE 's/^project\(pelmar VERSION ([0-9]+)\.([0-9]+).*/\1 \2/p' |
        { read -r major minor && printf '%d.%02d\n' "$major" "$minor"; }
}

if [ $# -ge 1 ]; then
    ref=$1
else
    ref=v$(version_of <CMakeLists.txt)
fi
out=${2:-build/dist}
commit=$(git rev-parse --verify --quiet "$ref^{commit}") || {
    echo "release.sh: no commit '$ref' (tag the release first: git tag -a $ref)" >&2
    exit 2
}
version=$(git show "$commit:CMakeLists.txt" | version_of)
[ -n "$version" ] || { echo "release.sh: no version in $ref's CMakeLists.txt" >&2; exit 2; }
grep -qx "Vulcro Pelmar $version, .*" <(git show "$commit:NEWS") ||
    { echo "release.sh: $ref's NEWS has no entry for $version" >&2; exit 2; }

mkdir -p "$out"
tarball="$out/pelmar-$version.tar.xz"
# One thread, so the compressed bytes do not depend on the machine.
git -c tar.umask=0022 archive --format=tar --prefix="pelmar-$version/" "$commit" |
    xz -9 --threads=1 >"$tarball.part"
mv "$tarball.part" "$tarball"
echo "$tarball"

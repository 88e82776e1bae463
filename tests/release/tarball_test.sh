#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The release tarball of the committed HEAD: made twice, the same bytes; it
# holds the sources and no build output. That it builds and passes its tests
# with no network is proven by the package test, which builds the package
# from it.
#   tarball_test.sh SOURCE_DIR WORK_DIR
set -euo pipefail
src=$(cd "$1" && pwd)
mkdir -p "$2"
work=$(cd "$2" && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }
git -C "$src" rev-parse --verify --quiet HEAD >/dev/null ||
    { echo "SKIP: $src is not a git checkout"; exit 77; }
rm -rf "$work/first" "$work/second"
tarball=$("$src/scripts/release.sh" HEAD "$work/first")
again=$("$src/scripts/release.sh" HEAD "$work/second")
cmp "$tarball" "$again" || fail "two runs of release.sh differ"
name=$(basename "$tarball" .tar.xz)
echo "$name.tar.xz: $(sha256sum <"$tarball" | cut -d' ' -f1)"

listing=$(tar -tJf "$tarball")
for file in CMakeLists.txt NEWS LICENSE README.md debian/changelog debian/control src/main.cpp; do
    grep -qx "$name/$file" <<<"$listing" || fail "$file is not in the tarball"
done
! grep -qE "^$name/(build|obj-[^/]*)/" <<<"$listing" || fail "the tarball holds build output"

echo "$name.tar.xz is reproducible and holds the sources alone"
rm -rf "$work/first" "$work/second"

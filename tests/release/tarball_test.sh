#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The release tarball of the committed HEAD: made twice, the same bytes; it
# holds the sources and no build output; unpacked in an empty folder, it
# configures, builds and passes its default tests with no network at all.
#   tarball_test.sh SOURCE_DIR WORK_DIR
set -euo pipefail
src=$(cd "$1" && pwd)
mkdir -p "$2"
work=$(cd "$2" && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }
git -C "$src" rev-parse --verify --quiet HEAD >/dev/null ||
    { echo "SKIP: $src is not a git checkout"; exit 77; }
if [ "$(id -u)" -eq 0 ]; then
    offline=(unshare --net)
elif unshare --user --map-root-user --net true 2>/dev/null; then
    offline=(unshare --user --map-root-user --net)
else
    echo "SKIP: no network namespace can be made here"
    exit 77
fi

rm -rf "$work/first" "$work/second" "$work/unpacked"
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

mkdir "$work/unpacked"
tar -xJf "$tarball" -C "$work/unpacked"
cd "$work/unpacked/$name"
"${offline[@]}" sh -euc '
    cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DPELMAR_BENCHMARKS=OFF >build.log
    cmake --build build -j"$(nproc)" >>build.log 2>&1 || { tail -n 40 build.log; exit 1; }
    cd build && ctest --output-on-failure -j"$(nproc)"
'
echo "$name builds and passes its tests offline"
rm -rf "$work/unpacked"

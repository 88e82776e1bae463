#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs each for a bounded time on a copy of
# its seed corpus: the high-score file reader, and the replay of a record.
#   run_fuzz.sh [--build] SOURCE_DIR BUILD_DIR [SECONDS]
# --build only builds them, as the test command does before the tests run;
# a run builds them again where a source is newer.
set -euo pipefail
build_only=
[ "$1" = --build ] && { build_only=1; shift; }
src=$1
out=$2
seconds=${3:-60}
mkdir -p "$out"
flags=(-std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
    -DPELMAR_VERSION='"fuzz"' -I"$src/src")
build() {
    # The layers a record plays through, as src/Sources.cmake lists them, less
    # the file storage a replay must never reach; compiled on every core.
    rm -rf "$out/objects"
    mkdir -p "$out/objects"
    sed -n '/^set(PELMAR_\(UI\|WINDOWS\|GAME\|HOST\)_SOURCES/,/^)/p' "$src/src/Sources.cmake" |
        grep -o 'src/[A-Za-z/]*\.cpp' |
        xargs -P "$(nproc)" -I{} sh -c 'src=$0 out=$1; shift
            clang++ "$@" -c "$src/{}" -o "$out/objects/$(echo {} | tr / _).o"' "$src" "$out" "${flags[@]}"
    clang++ "${flags[@]}" "$src/tests/fuzz/ScoreFileFuzz.cpp" "$src/src/game/ScoreFormat.cpp" \
        "$src/src/ui/NumberText.cpp" -o "$out/score_file_fuzz"
    clang++ "${flags[@]}" "$src/tests/fuzz/ReplayFuzz.cpp" "$out"/objects/*.o -o "$out/replay_fuzz"
}
stale() {
    [ ! -x "$out/score_file_fuzz" ] || [ ! -x "$out/replay_fuzz" ] ||
        [ -n "$(find "$src/src" "$src/tests/fuzz" \( -name '*.cpp' -o -name '*.h' -o -name '*.cmake' \) \
            -newer "$out/replay_fuzz" -print -quit)" ]
}
if [ -n "$build_only" ] || stale; then
    build
fi
[ -z "$build_only" ] || exit 0

status=0
fuzz() { # TARGET CORPUS MAX_LEN
    rm -rf "$out/$2"
    cp -r "$src/tests/fuzz/$2" "$out/$2"
    echo "== $1"
    "$out/$1" -artifact_prefix="$out/" -max_total_time="$seconds" -max_len="$3" -timeout=10 -rss_limit_mb=1024 \
        -print_final_stats=1 "$out/$2" >"$out/$1.log" 2>&1 || status=1
    tail -n 12 "$out/$1.log"
}
fuzz score_file_fuzz corpus 4096
fuzz replay_fuzz replay_corpus 4096
exit "$status"

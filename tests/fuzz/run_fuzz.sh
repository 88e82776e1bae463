#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the high-score file reader's fuzz target with clang (libFuzzer,
# AddressSanitizer, UndefinedBehaviorSanitizer) and runs it for a bounded
# time on a copy of the seed corpus of valid files.
#   run_fuzz.sh SOURCE_DIR BUILD_DIR [SECONDS]
set -euo pipefail
src=$1
out=$2
seconds=${3:-60}
mkdir -p "$out"
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I"$src/src" "$src/tests/fuzz/ScoreFileFuzz.cpp" "$src/src/game/ScoreFormat.cpp" "$src/src/ui/NumberText.cpp" \
    -o "$out/score_file_fuzz"
rm -rf "$out/corpus"
cp -r "$src/tests/fuzz/corpus" "$out/corpus"
"$out/score_file_fuzz" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
    -print_final_stats=1 "$out/corpus" 2>&1 | tail -n 12

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# How soon the real game shows its window: the time from starting the
# program to its first painted frame (the program's own clock of that paint),
# under Xvfb with no window manager. Several builds are started in turn,
# ROUNDS times each, so that a busy moment of the machine falls on all of
# them alike; prints each start, then each build's median and range. With
# SINK=1 a PulseAudio server of its own plays into a null sink, as on a
# desktop with sound. With COUNT=1 it counts instead, under Valgrind's
# callgrind, the instructions each build runs before its first paint: the
# same figure on a busy machine as on an idle one (scripts/deps.sh bench
# installs Valgrind; the builds must keep their symbols, as a Release build does).
#   [ROUNDS=N] [SINK=1] [COUNT=1] bench/first_window.sh path/to/pelmar [path/to/another/pelmar ...]
#   (default: build/release/pelmar)
source "$(dirname "$0")/../tests/e2e/xsession.sh"
rounds=${ROUNDS:-5}
[ $# -gt 0 ] || set -- build/release/pelmar
export XDG_DATA_HOME="$workdir/data"

start_display
if [ "${SINK:-0}" = 1 ]; then
    source "$(dirname "$0")/../tests/e2e/null_sink.sh"
    start_null_sink
else
    export XDG_RUNTIME_DIR="$workdir/runtime"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
fi

# instructions_to_first_paint PROGRAM: callgrind writes its counts as the
# first paint begins; the program is stopped there.
instructions_to_first_paint() {
    local out="$workdir/callgrind.$RANDOM"
    valgrind --tool=callgrind --callgrind-out-file="$out.%p" \
        --dump-before='qt::Canvas::paintEvent*' "$1" >/dev/null 2>&1 &
    game_pid=$!
    # The counts are whole once their last line, the totals, is written.
    for _ in $(seq 1200); do
        grep -qs '^totals:' "$out".*.1 && break
        sleep 0.1
    done
    kill -KILL "$game_pid" 2>/dev/null || true
    wait "$game_pid" 2>/dev/null || true
    game_pid=
    grep -qs '^totals:' "$out".*.1 || fail "$1 painted nothing under callgrind"
    awk '/^totals:/ {print $2}' "$out".*.1
}

if [ "${COUNT:-0}" = 1 ]; then
    require valgrind
    for program in "$@"; do
        echo "$program: $(instructions_to_first_paint "$program") instructions before the first paint"
    done
    exit 0
fi

declare -A times
for round in $(seq "$rounds"); do
    for program in "$@"; do
        rm -f "$workdir/state.json"
        t0=$(date +%s%3N)
        PELMAR_STATE_FILE="$workdir/state.json" PELMAR_STATE_MS=200 "$program" &
        game_pid=$!
        wait_for_state
        wait_until 'd["FirstPaintEpochMs"] > 0' 10
        ms=$(($(state 'd["FirstPaintEpochMs"]') - t0))
        kill "$game_pid"
        wait "$game_pid" 2>/dev/null || true
        game_pid=
        echo "round $round  $program  ${ms} ms"
        times[$program]+="$ms "
    done
done
for program in "$@"; do
    # shellcheck disable=SC2086
    python3 -c 'import statistics, sys; t = sorted(map(int, sys.argv[2:]));
print(f"{sys.argv[1]}: median {statistics.median(t):.0f} ms, {t[0]} to {t[-1]} ms over {len(t)} starts")' \
        "$program" ${times[$program]}
done

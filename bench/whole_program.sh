#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Whole-program figures of the real game under Xvfb: time from start to the
# first painted frame, processor use and paints per second while playing
# with keys held (the play timer asks for 1 ms), and peak resident memory.
#   bench/whole_program.sh [path/to/pelmar]   (default: build/release/pelmar)
source "$(dirname "$0")/../tests/e2e/xsession.sh"
program=${1:-build/release/pelmar}
seconds=${SECONDS_TO_PLAY:-10}

start_display
t0=$(date +%s%3N)
# The state file is how the figures are read; once a second keeps its cost out of them.
PELMAR_STATE_FILE="$workdir/state.json" PELMAR_STATE_MS=1000 "$program" &
game_pid=$!
wait_for_state
wait_until 'd["FirstPaintEpochMs"] > 0' 10
first=$(state 'd["FirstPaintEpochMs"]')
window=$(xdotool search --sync --onlyvisible --name "Vulcro Pelmar" | head -n 1)
xdotool windowfocus --sync "$window"
sleep 1

hz=$(getconf CLK_TCK)
cpu() { awk '{print $14 + $15}' "/proc/$game_pid/stat"; }
c1=$(cpu); p1=$(state 'd["Paints"]'); s1=$(date +%s%3N)
end=$((SECONDS + seconds))
while [ $SECONDS -lt $end ]; do
    for key in Left Down Right Up; do
        xdotool keydown "$key"
        for _ in 1 2 3 4 5; do
            xdotool keydown "$key" # auto-repeat, as a held key sends it
            sleep 0.1
        done
        xdotool keyup "$key"
    done
done
c2=$(cpu); sleep 1.1; p2=$(state 'd["Paints"]'); s2=$(date +%s%3N)
rss_kb=$(awk '/VmHWM/{print $2}' "/proc/$game_pid/status")

python3 - "$t0" "$first" "$c1" "$c2" "$hz" "$s1" "$s2" "$p1" "$p2" "$rss_kb" <<'PY'
import sys
t0, first, c1, c2, hz, s1, s2, p1, p2, rss = map(float, sys.argv[1:])
elapsed = (s2 - s1) / 1000
startup = (first - t0) / 1000
cpu = (c2 - c1) / hz / elapsed * 100
paints = (p2 - p1) / elapsed
rss_mb = rss / 1024
print(f"start to first painted frame: {startup:.3f} s   (limit 0.25 s)")
print(f"processor while playing:      {cpu:.1f} % of one core   (limit 5 %)")
print(f"paints per second:            {paints:.1f}   (display frame rate 60)")
print(f"peak resident memory:         {rss_mb:.1f} MB   (limit 60 MB)")
ok = startup <= 0.25 and cpu <= 5 and paints <= 61 and rss_mb <= 60
print("within limits" if ok else "OVER A LIMIT")
sys.exit(0 if ok else 1)
PY

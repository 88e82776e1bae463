#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Whole-program figures of the real game under Xvfb on a 1920 x 1080 screen:
# time from start to the first painted frame; processor use and paints per
# second while playing with keys held (the play timer asks for 1 ms), at the
# starting 2x and again at 1x in the same run; processor use while paused;
# peak resident memory.
#   bench/whole_program.sh [path/to/pelmar]   (default: build/release/pelmar)
export PELMAR_SCREEN=${PELMAR_SCREEN:-1920x1080}
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

# play SECONDS: keys held and auto-repeating; prints "cpu% paints/s".
play() {
    local c1 p1 s1 c2 p2 s2 end
    c1=$(cpu); p1=$(state 'd["Paints"]'); s1=$(date +%s%3N)
    end=$((SECONDS + $1))
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
    python3 -c "import sys; c1,c2,hz,s1,s2,p1,p2=map(float,sys.argv[1:]); e=(s2-s1)/1000; print((c2-c1)/hz/e*100, (p2-p1)/e)" \
        "$c1" "$c2" "$hz" "$s1" "$s2" "$p1" "$p2"
}

# idle SECONDS: prints cpu% while nothing is pressed.
idle() {
    local c1 s1 c2 s2
    c1=$(cpu); s1=$(date +%s%3N)
    sleep "$1"
    c2=$(cpu); s2=$(date +%s%3N)
    python3 -c "import sys; c1,c2,hz,s1,s2=map(float,sys.argv[1:]); print((c2-c1)/hz/((s2-s1)/1000)*100)" \
        "$c1" "$c2" "$hz" "$s1" "$s2"
}

zoom_at_start=$(state 'd["Zoom"]')
read -r cpu_big paints_big < <(play "$seconds")
xdotool key ctrl+minus
wait_until 'd["Zoom"] == 1' 5
read -r cpu_small paints_small < <(play "$seconds")
xdotool key p
wait_until 'd["Paused"]' 5
cpu_paused=$(idle "$seconds")
rss_kb=$(awk '/VmHWM/{print $2}' "/proc/$game_pid/status")

python3 - "$t0" "$first" "$zoom_at_start" "$cpu_big" "$paints_big" "$cpu_small" "$paints_small" \
    "$cpu_paused" "$rss_kb" <<'PY'
import sys
t0, first, zoom, cpu_big, paints_big, cpu_small, paints_small, cpu_paused, rss = map(float, sys.argv[1:])
startup = (first - t0) / 1000
rss_mb = rss / 1024
print(f"start to first painted frame:     {startup:.3f} s   (limit 0.25 s)")
print(f"processor while playing at {zoom:.0f}x:   {cpu_big:.1f} % of one core, {paints_big:.1f} paints/s")
print(f"processor while playing at 1x:   {cpu_small:.1f} % of one core, {paints_small:.1f} paints/s   (limit 5 %)")
print(f"ratio {zoom:.0f}x to 1x:                 {cpu_big / cpu_small:.2f}   (limit 1.2)")
print(f"processor while paused:          {cpu_paused:.2f} % of one core   (limit 0.3 %)")
print(f"peak resident memory:            {rss_mb:.1f} MB   (limit 60 MB)")
ok = (startup <= 0.25 and cpu_small <= 5 and cpu_big <= 1.2 * cpu_small and cpu_paused <= 0.3
      and max(paints_big, paints_small) <= 61 and rss_mb <= 60)
print("within limits" if ok else "OVER A LIMIT")
sys.exit(0 if ok else 1)
PY

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Whole-program figures of the real game under Xvfb on a 1920 x 1080 screen:
# time from start to the first painted frame; processor use, paints and
# wake-ups per second while playing with keys held, at the starting 2x and at
# 1x, a few seconds of each in turn, beside a bare Qt window of the game's
# size woken by a 16 ms timer that repaints itself fully; processor use and
# wake-ups while paused and minimised; peak resident memory.
#   bench/whole_program.sh [path/to/pelmar] [path/to/pelmar_bare_window]
#   (default: build/release/pelmar and the bare window beside it)
export PELMAR_SCREEN=${PELMAR_SCREEN:-1920x1080}
source "$(dirname "$0")/../tests/e2e/xsession.sh"
program=${1:-build/release/pelmar}
bare_window=${2:-$(dirname "$program")/bench/pelmar_bare_window}
seconds=${SECONDS_TO_PLAY:-4} # per size and round
rounds=${ROUNDS:-3}

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

# Processor seconds of all the game's threads so far, from the scheduler's
# nanosecond counts (the tick counts of /proc/PID/stat are 10 ms coarse).
cpu_of() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{t += $1} END {printf "%.6f", t / 1e9}'; }
cpu() { cpu_of "$game_pid"; }
now() { date +%s.%N; }

# The paints so far and the game's clock (hundredths of a second) when the
# state file was written: the file is up to a second old when read, so the
# paint rate is taken over its own clock, not over the reader's.
paints_at() { state '"%s %s %s" % (d["Paints"], d["Clock"], d["Wakes"])'; }

# play SECONDS: keys held and auto-repeating; prints "processor-seconds
# seconds paints hundredths wake-ups".
play() {
    local c1 p1 k1 w1 s1 c2 p2 k2 w2 s2 end
    c1=$(cpu); read -r p1 k1 w1 < <(paints_at); s1=$(now)
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
    c2=$(cpu); s2=$(now); sleep 1.1; read -r p2 k2 w2 < <(paints_at)
    python3 -c "import sys; c1,c2,s1,s2,p1,p2,k1,k2,w1,w2=map(float,sys.argv[1:]); print(c2-c1, s2-s1, p2-p1, (k2-k1)%8640000, w2-w1)" \
        "$c1" "$c2" "$s1" "$s2" "$p1" "$p2" "$k1" "$k2" "$w1" "$w2"
}

# bare SECONDS: processor-seconds and seconds of the bare window, alone.
bare() {
    local pid c1 s1 c2 s2
    "$bare_window" &
    pid=$!
    sleep 1
    c1=$(cpu_of "$pid"); s1=$(now)
    sleep "$1"
    c2=$(cpu_of "$pid"); s2=$(now)
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    python3 -c "import sys; c1,c2,s1,s2=map(float,sys.argv[1:]); print(c2-c1, s2-s1)" "$c1" "$c2" "$s1" "$s2"
}

# wakes_idle SECONDS: wake-ups a second while nothing moves the clock.
wakes_idle() {
    local w1 s1 w2 s2
    sleep 1.1
    w1=$(state 'd["Wakes"]'); s1=$(now)
    sleep "$1"
    w2=$(state 'd["Wakes"]'); s2=$(now)
    python3 -c "import sys; w1,w2,s1,s2=map(float,sys.argv[1:]); print((w2-w1)/(s2-s1))" "$w1" "$w2" "$s1" "$s2"
}

# idle SECONDS: prints cpu% while nothing is pressed.
idle() {
    local c1 s1 c2 s2
    c1=$(cpu); s1=$(now)
    sleep "$1"
    c2=$(cpu); s2=$(now)
    python3 -c "import sys; c1,c2,s1,s2=map(float,sys.argv[1:]); print((c2-c1)/(s2-s1)*100)" \
        "$c1" "$c2" "$s1" "$s2"
}

# The two sizes take turns, so what else the machine does falls on both alike.
zoom_at_start=$(state 'd["Zoom"]')
big=(0 0 0 0 0) small=(0 0 0 0 0) alone=(0 0)
add() { python3 -c "import sys; h=len(sys.argv[1:])//2; a=sys.argv[1:h+1]; b=sys.argv[h+1:]; print(*(float(x)+float(y) for x, y in zip(a, b)))" "$@"; }
for _ in $(seq "$rounds"); do
    read -r -a big < <(add "${big[@]}" $(play "$seconds"))
    xdotool key ctrl+minus
    wait_until 'd["Zoom"] == 1' 5
    read -r -a small < <(add "${small[@]}" $(play "$seconds"))
    # The bare window while the game stands paused.
    xdotool key p
    wait_until 'd["Paused"]' 5
    read -r -a alone < <(add "${alone[@]}" $(bare "$seconds"))
    xdotool windowfocus --sync "$window" key p
    wait_until 'not d["Paused"]' 5
    xdotool key ctrl+equal
    wait_until "d['Zoom'] == $zoom_at_start" 5
done
xdotool key p
wait_until 'd["Paused"]' 5
cpu_paused=$(idle 10)
wakes_paused=$(wakes_idle 5)
# Minimised through the game's menu (Opções > Minimizar), the game goes on unseen.
xdotool key p
wait_until 'not d["Paused"]' 5
xdotool key alt+o
sleep 0.4
xdotool key m
wait_until 'd["controls"]["cfrm"]["WindowState"] == 1' 5
wakes_minimised=$(wakes_idle 5)
rss_kb=$(awk '/VmHWM/{print $2}' "/proc/$game_pid/status")

python3 - "$t0" "$first" "$zoom_at_start" "${big[@]}" "${small[@]}" "${alone[@]}" "$cpu_paused" \
    "$wakes_paused" "$wakes_minimised" "$rss_kb" <<'PY'
import sys
t0, first, zoom = map(float, sys.argv[1:4])
big = list(map(float, sys.argv[4:9]))
small = list(map(float, sys.argv[9:14]))
alone = list(map(float, sys.argv[14:16]))
cpu_paused, wakes_paused, wakes_minimised, rss = map(float, sys.argv[16:])
cpu_big, paints_big = big[0] / big[1] * 100, big[2] / (big[3] / 100)
cpu_small, paints_small = small[0] / small[1] * 100, small[2] / (small[3] / 100)
wakes_playing = max(big[4] / (big[3] / 100), small[4] / (small[3] / 100))
cpu_bare = alone[0] / alone[1] * 100
startup = (first - t0) / 1000
rss_mb = rss / 1024
print(f"start to first painted frame:     {startup:.3f} s   (limit 0.25 s)")
print(f"processor while playing at {zoom:.0f}x:   {cpu_big:.1f} % of one core, {paints_big:.1f} paints/s")
print(f"processor while playing at 1x:   {cpu_small:.1f} % of one core, {paints_small:.1f} paints/s   (limit 5 %)")
print(f"ratio {zoom:.0f}x to 1x:                 {cpu_big / cpu_small:.2f}   (limit 1.2)")
print(f"bare window, 16 ms timer, 1x:     {cpu_bare:.1f} % of one core")
print(f"ratio game at 1x to bare window:  {cpu_small / cpu_bare:.2f}   (limit 1.3)")
print(f"wake-ups while playing:          {wakes_playing:.1f} a second   (limit 70)")
print(f"processor while paused:          {cpu_paused:.2f} % of one core   (limit 0.3 %)")
print(f"wake-ups while paused:           {wakes_paused:.1f} a second   (limit 10)")
print(f"wake-ups while minimised:        {wakes_minimised:.1f} a second   (limit 10)")
print(f"peak resident memory:            {rss_mb:.1f} MB   (limit 60 MB)")
ok = (startup <= 0.25 and cpu_small <= 5 and cpu_big <= 1.2 * cpu_small and cpu_paused <= 0.3
      and max(paints_big, paints_small) <= 61 and rss_mb <= 60 and cpu_small <= 1.3 * cpu_bare
      and wakes_playing <= 70 and max(wakes_paused, wakes_minimised) <= 10)
print("within limits" if ok else "OVER A LIMIT")
sys.exit(0 if ok else 1)
PY

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# An arrow key held for 3 s with the X server's auto-repeat on, while two
# other processes keep both cores busy: the cook's place, read every 10 ms,
# grows steadily, never by more than the walk's speed allows, and covers the
# walk's distance within 3 %. A release that belongs to auto-repeat restarts
# the walk with a jump of the cook's whole speed.
source "$(dirname "$0")/xsession.sh"
program=$(own_copy "$1")

start_display
# Busy loops never outlive the test.
trap 'kill $(jobs -p) 2>/dev/null || true; cleanup' EXIT
xset r on
xset r rate 500 30
PELMAR_STATE_FILE="$workdir/state.json" PELMAR_STATE_MS=10 "$program" &
game_pid=$!
window=$(xdotool search --sync --onlyvisible --name "Vulcro Pelmar" | head -n 1)
xdotool windowfocus --sync "$window"
wait_for_state

# A slow cook keeps a 3 s walk clear of the wall: Opções > Vel. Dirovid ...
open_menu alt+o
open_dialog Down Down Down Down Return
xdotool type --delay 50 "40"
xdotool key Return
xdotool windowfocus --sync "$window"
wait_until 'd["CookSpeed"] == 40' 10

# hold_and_check: keeps both cores busy, holds Right for 3 s, checks the walk.
hold_and_check() {
    local hogs=() sampler
    for _ in 1 2; do
        (while :; do :; done) &
        hogs+=($!)
    done
    python3 - "$workdir/state.json" "$workdir/samples" <<'PY' &
import json, sys, time
end = time.time() + 3.8
with open(sys.argv[2], "w") as out:
    while time.time() < end:
        try:
            d = json.load(open(sys.argv[1]))
            # The cook's place as the last tick left it, and that tick's time.
            out.write(f'{d["TickClock"]} {d["controls"]["cfrm.pelmar"]["Left"]} {d["KeyStart"][1]}\n')
        except (ValueError, KeyError, OSError):
            pass
        time.sleep(0.01)
PY
    sampler=$!
    sleep 0.3
    xdotool keydown Right
    sleep 3
    xdotool keyup Right
    wait "$sampler"
    kill "${hogs[@]}" 2>/dev/null || true
    python3 - "$workdir/samples" <<'PY'
import sys
speed = 40 / 10  # twips a hundredth
rows = [tuple(map(float, line.split())) for line in open(sys.argv[1])]
# A walk has begun once its start time is set (-1: pressed, the first step
# not taken yet): the opening step of a walk is the game's own.
walking = [(c, x) for c, x, k in rows if k > 0]
steps = [(c2 - c1, x2 - x1) for (c1, x1), (c2, x2) in zip(walking, walking[1:])]
worst = max(dx - speed * dt for dt, dx in steps)
distance = walking[-1][1] - walking[0][1]
expected = speed * (walking[-1][0] - walking[0][0])
print(f"{len(walking)} readings; walked {distance:.0f} twips of {expected:.0f}; "
      f"largest step beyond the speed: {worst:.0f} twips")
sys.exit(0 if worst <= 15 and abs(distance - expected) <= 0.03 * expected else 1)
PY
}

hold_and_check || fail "the held walk did not go steadily"
quit_through_menu
echo ok

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real windows under a window manager (openbox), driven by real input:
# the About window stays above the main window when the game is clicked, and
# Escape on the play-again question neither answers it nor ends the program.
source "$(dirname "$0")/xsession.sh"
program=$1

start_display
openbox --sm-disable >"$workdir/openbox.log" 2>&1 &
helper_pids+=($!)
# Ready once it says what it supports, the active window among it.
wm_ready() { xprop -root _NET_SUPPORTED 2>/dev/null | grep -q _NET_ACTIVE_WINDOW; }
for _ in $(seq 100); do
    wm_ready && break
    sleep 0.1
done
wm_ready || { cat "$workdir/openbox.log" >&2; fail "openbox did not start"; }

PELMAR_STATE_FILE="$workdir/state.json" PELMAR_STATE_MS=50 "$program" &
game_pid=$!
window=$(xdotool search --sync --onlyvisible --name "Vulcro Pelmar" | head -n 1)
xdotool windowactivate --sync "$window"
wait_for_state

# stacked_above A B: true when window A is higher than B in the stacking order.
stacked_above() {
    python3 - "$1" "$2" <<'PY'
import subprocess, sys
out = subprocess.run(["xprop", "-root", "_NET_CLIENT_LIST_STACKING"], capture_output=True, text=True).stdout
order = [int(w, 16) for w in out.split("#", 1)[1].replace(",", " ").split()]
a, b = int(sys.argv[1]), int(sys.argv[2])
sys.exit(0 if a in order and b in order and order.index(a) > order.index(b) else 1)
PY
}

# Ajuda > Sobre o Jogo...: the first entry.
xdotool key alt+a
sleep 0.4
xdotool key Return
wait_until 'd["controls"]["SobrForm"]["Visible"]' 5
sleep 0.5
about=$(python3 - "$game_pid" "$window" <<'PY'
import subprocess, sys
out = subprocess.run(["xprop", "-root", "_NET_CLIENT_LIST"], capture_output=True, text=True).stdout
for w in out.split("#", 1)[1].replace(",", " ").split():
    if int(w, 16) == int(sys.argv[2]):
        continue
    pid = subprocess.run(["xprop", "-id", w, "_NET_WM_PID"], capture_output=True, text=True).stdout
    if pid.strip().endswith(" " + sys.argv[1]):
        print(int(w, 16))
        break
PY
)
[ -n "$about" ] || fail "no About window"
read -r x y < <(xwininfo -id "$window" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} END{print x, y}')
xdotool mousemove $((x + 20)) $((y + 200)) click 1
sleep 0.8
stacked_above "$about" "$window" || fail "the About window fell behind the game"
echo "the About window stays above the game after a click on it"
xdotool windowactivate --sync "$about" key Return
wait_until 'd["controls"]["cfrm"]["Enabled"]' 5

# A game at level 99 ends at once with no points: only the question comes.
xdotool windowactivate --sync "$window"
start_level_through_menu 99
wait_until 'not d["controls"]["cfrm"]["Enabled"] and d["Lives"] == 0' 10
sleep 0.8
xdotool key Escape
sleep 0.8
kill -0 "$game_pid" 2>/dev/null || fail "Escape ended the program"
[ "$(state 'd["Lives"]')" = 0 ] || fail "Escape answered the question"
xdotool key Return # Yes
wait_until 'd["controls"]["cfrm"]["Enabled"] and d["Lives"] == 50' 5
echo "Escape leaves the question open; Yes starts a new game"
quit_through_menu
echo ok

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real windows under a window manager (openbox) on a laptop's 1366 x 768
# screen, driven by real input: the game starts at 2x and its other windows
# come at 2x too; a pause holds through "Sobre o Jogo...", "Os Melhores..."
# and a cancelled "Fase ..." and "Vel. Dirovid ..."; the About window stays
# above the main window when the game is clicked; F1 shows the help page in
# a window of the game with no browser on the PATH; a lone Alt leaves the
# arrows to the game; Escape leaves full screen where the window stood; the
# play-again question takes no reflex key, and Escape neither answers it nor
# ends the program; Ctrl+Q quits.
export PELMAR_SCREEN=1366x768
source "$(dirname "$0")/xsession.sh"
program=$(own_copy "$1")

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

# Nothing but the game's own folder on the PATH: no browser, no xdg-open.
mkdir "$workdir/bin"
PATH="$workdir/bin" PELMAR_STATE_FILE="$workdir/state.json" PELMAR_STATE_MS=50 "$program" &
game_pid=$!
window=$(xdotool search --sync --onlyvisible --name "Vulcro Pelmar" | head -n 1)
xdotool windowactivate --sync "$window"
wait_for_state
wait_until 'd["Zoom"] == 2 and d["Canvas"] == [760, 652]' 5
echo "starts at 2x on 1366 x 768"
# A lone Alt leaves the arrows with the game.
x=$(state 'd["controls"]["cfrm.pelmar"]["Left"]')
xdotool key alt
sleep 0.3
xdotool keydown Right
sleep 0.5
xdotool keyup Right
wait_until 'd["controls"]["cfrm.pelmar"]["Left"] > '"$x" 3
echo "after a lone Alt the arrows still walk the cook"
# The window's icon at every size from 16 to 128 pixels.
icons=$(xprop -id "$window" -notype -len 100000000 -f _NET_WM_ICON 32c _NET_WM_ICON | python3 -c '
import sys
n = [int(x) for x in sys.stdin.read().split("=", 1)[1].replace(",", " ").split()]
i, sizes = 0, []
while i + 2 <= len(n):
    sizes.append(n[i])
    i += 2 + n[i] * n[i + 1]
print(" ".join(map(str, sorted(sizes))))')
[ "$icons" = "16 22 24 32 48 64 128" ] || fail "the window icon comes in sizes: $icons"
echo "the window icon comes at $icons pixels"

# width_of WINDOW, place_of WINDOW
width_of() { xwininfo -id "$1" | awk '/Width:/{print $2}'; }
place_of() { xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} END{print x, y}'; }

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

# Paused, the game stays paused through every window the menus open.
xdotool key p
wait_until 'd["Paused"]' 5
lives=$(state 'd["Lives"]')
clock=$(state 'd["Clock"]')
# Ajuda > Sobre o Jogo...: the first entry.
open_menu alt+a
xdotool key Return
wait_until 'd["controls"]["SobrForm"]["Visible"]' 5
# The About window: the game's other window the window manager lists, once it does.
about_window() {
    python3 - "$game_pid" "$window" <<'PY'
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
}
for _ in $(seq 50); do
    about=$(about_window)
    [ -n "$about" ] && break
    sleep 0.1
done
[ -n "$about" ] || fail "no About window"
[ "$(width_of "$about")" -ge $((2 * 4320 / 15)) ] || fail "the About window is $(width_of "$about") wide at 2x"
echo "the About window comes at 2x: $(width_of "$about") pixels wide"
read -r x y < <(xwininfo -id "$window" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} END{print x, y}')
xdotool mousemove $((x + 20)) $((y + 200)) click 1
sleep 0.8 # time for a fault to show: the window manager raising the game
stacked_above "$about" "$window" || fail "the About window fell behind the game"
echo "the About window stays above the game after a click on it"
sleep 2
xdotool windowactivate --sync "$about" key Return
wait_until 'd["controls"]["cfrm"]["Enabled"]' 5
xdotool windowactivate --sync "$window"
# Ajuda > Os Melhores...: the second entry.
open_menu alt+a
xdotool key Down Return
wait_until 'd["controls"]["BestForm"]["Visible"]' 5
sleep 2
[ -n "${PELMAR_SHOTS:-}" ] && import -window root "$PELMAR_SHOTS/best-2x.png"
xdotool key Return
wait_until 'd["controls"]["cfrm"]["Enabled"]' 5
xdotool windowactivate --sync "$window"
# Opções > Fase ... and Vel. Dirovid ..., cancelled with Escape.
for entry in "Down" "Down Down Down Down"; do
    open_menu alt+o
    open_dialog $entry Return
    xdotool key Escape
    wait_until "'Dialog' not in d['Shown']" 5
done
[ "$(state 'd["Paused"] and d["Lives"] == '"$lives"' and d["Clock"] == '"$clock")" = True ] ||
    fail "the pause did not hold: $(state '[d["Paused"], d["Lives"], d["Clock"]]'), was $lives at $clock"
xdotool key p
wait_until 'not d["Paused"]' 5
echo "the pause holds through Sobre o Jogo..., Os Melhores..., Fase ... and Vel. Dirovid ..."

# F1: the help page in a window of the game, though no browser can be found.
xdotool key F1
help=$(xdotool search --sync --onlyvisible --name "^Como jogar$" | head -n 1)
[ -n "$help" ] || fail "F1 showed no help window"
sleep 0.5
import -window "$help" "$workdir/help.png"
[ -n "${PELMAR_SHOTS:-}" ] && cp "$workdir/help.png" "$PELMAR_SHOTS/"
xdotool windowactivate --sync "$help" key Escape
for _ in $(seq 30); do xdotool search --onlyvisible --name "^Como jogar$" >/dev/null || break; sleep 0.1; done
xdotool search --onlyvisible --name "^Como jogar$" >/dev/null && fail "Escape left the help window open"
echo "F1 shows the help page in the game's own window; Escape closes it"

# F11 and Escape: full screen and back where the window stood.
xdotool windowactivate --sync "$window"
before=$(place_of "$window")
xdotool key F11
size_becomes "$window" "1366x*" || fail "full screen is $size"
xdotool key Escape
size_becomes "$window" "760x*" || fail "Escape left a window of $size"
wait_until 'd["Zoom"] == 2' 5
[ "$(place_of "$window")" = "$before" ] || fail "the window moved from $before to $(place_of "$window")"
echo "Escape leaves full screen; the window stands where it stood ($before)"

# A game at level 99 ends at once with no points: only the question comes.
xdotool windowactivate --sync "$window"
xset r on
start_level_through_menu 99
# The question is looked for in the state file by the shell, not by a
# Python call each time: the keys below must come in its first moments,
# while it is deaf, and on a busy machine each such call takes a while.
for _ in $(seq 1000); do
    grep -qs '"Title":"Fim do Jogo."' "$workdir/state.json" && break
    sleep 0.01
done
# A player still steering: an arrow, then the action key held down through
# the box's coming up, its auto-repeat going on for 1.5 s.
xdotool key Right keydown space
sleep 1.5
xdotool keyup space
sleep 0.2
kill -0 "$game_pid" 2>/dev/null || fail "a reflex key ended the program"
[ "$(state 'd["controls"]["cfrm"]["Enabled"]')" = False ] || fail "the question never came"
[ "$(state 'd["Lives"]')" = 0 ] || fail "a held key answered the question"
xdotool key Escape
sleep 0.8
kill -0 "$game_pid" 2>/dev/null || fail "Escape ended the program"
[ "$(state 'd["Lives"]')" = 0 ] || fail "Escape answered the question"
xdotool key Return # Yes
wait_until 'd["controls"]["cfrm"]["Enabled"] and d["Lives"] == 50' 5
echo "reflex keys, a held Space and Escape leave the question open; Yes starts a new game"
xdotool windowactivate --sync "$window" key ctrl+q
for _ in $(seq 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$game_pid" 2>/dev/null && fail "Ctrl+Q did not end the game"
status=0
wait "$game_pid" || status=$?
game_pid=
[ "$status" -eq 0 ] || fail "Ctrl+Q ended the game with status $status"
echo "Ctrl+Q quits"
echo ok

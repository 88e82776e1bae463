#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the real game under Xvfb, walks the cook with real key events,
# restarts the game with F2 and ends it through the menu entry "Sai&r". The
# window's class is the one the desktop entry names, so a dock matches them.
# A Wayland display named but not there leaves the game on X; a record that
# cannot be kept as the program ends is said in one line; without a home the
# game runs all the same and says once that nothing is kept.
source "$(dirname "$0")/xsession.sh"
program=$(own_copy "$1")

start_display
export XDG_DATA_HOME="$workdir/data"
records="$XDG_DATA_HOME/pelmar/records"
WAYLAND_DISPLAY=/nonexistent PELMAR_STATE_FILE="$workdir/state.json" "$program" \
    2>"$workdir/game.err" &
game_pid=$!
window=$(xdotool search --sync --onlyvisible --name "Vulcro Pelmar" | head -n 1)
xdotool windowfocus --sync "$window"
wait_for_state

geometry=$(xwininfo -id "$window" | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w"x"h}')
echo "window $geometry"
desktop="$(dirname "$0")/../../assets/desktop/io.github.vulcropelmar.pelmar.desktop"
wm_class=$(xprop -id "$window" WM_CLASS | sed -nE 's/^WM_CLASS\(STRING\) = "[^"]*", "([^"]*)"$/\1/p')
startup_class=$(sed -n 's/^StartupWMClass=//p' "$desktop")
[ -n "$wm_class" ] && [ "$wm_class" = "$startup_class" ] ||
    fail "the window's class is '$wm_class', the desktop entry's StartupWMClass '$startup_class'"

# Walk down for a moment: the cook leaves his start place.
xdotool keydown Down
sleep 0.6
xdotool keyup Down
wait_until 'd["controls"]["cfrm.pelmar"]["Top"] > 1365'
wait_until 'd["BeltOffset"] > -9800' 5
echo "cook walked to top $(state 'd["controls"]["cfrm.pelmar"]["Top"]'), belt at $(state 'd["BeltOffset"]')"
before=$(state 'd["BeltOffset"]')

# F2 starts a new game: the cook is back at his start place, the belt restarts.
xdotool key F2
wait_until 'd["controls"]["cfrm.pelmar"]["Top"] == 1365 and d["Score"] == 0 and d["Lives"] == 50' 5
wait_until "d['BeltOffset'] < $before" 5
echo "restarted: belt at $(state 'd["BeltOffset"]')"

# A folder took the record's place while the game ran.
mkdir -p "$records/last.sim"
quit_through_menu
[ "$(grep -c "^pelmar: .*$records/last.sim: " "$workdir/game.err")" -eq 1 ] ||
    fail "the record not kept is not said once: $(cat "$workdir/game.err")"
[ -d "$records/last.sim" ] || fail "the folder in the record's place is gone"
echo "ended through Sair; the record not kept said on standard error"

rm -f "$workdir/state.json"
env -u HOME -u XDG_CONFIG_HOME -u XDG_DATA_HOME PELMAR_STATE_FILE="$workdir/state.json" \
    "$program" 2>"$workdir/homeless.err" &
game_pid=$!
window=$(xdotool search --sync --onlyvisible --name "Vulcro Pelmar" | head -n 1)
xdotool windowfocus --sync "$window"
wait_for_state
quit_through_menu
[ "$(grep -c '(HOME)' "$workdir/homeless.err")" -eq 1 ] ||
    fail "without a home it is not said once that nothing is kept: $(cat "$workdir/homeless.err")"
echo "without a home: $(grep '(HOME)' "$workdir/homeless.err")"

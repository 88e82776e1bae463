#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real window on a 1920 x 1080 screen, driven by real keys: it starts at
# 2x, the zoom keys change it by whole factors, F11 fills the screen and gives
# the zoom back, and P freezes the picture. Chosen 3x, the sound off and
# English (chosen in the menu; --lang is for one run) are kept: the next run
# starts with them. Then, with nothing kept,
# on a 1024 x 768 screen it starts at 2x, the largest size that fits.
export PELMAR_SCREEN=1920x1080
source "$(dirname "$0")/xsession.sh"
program=$(own_copy "$1")

shot() { # shot FILE: the main window's pixels
    import -window "$window" "$1"
}

start_display
PELMAR_STATE_FILE="$workdir/state.json" PELMAR_STATE_MS=50 "$program" --lang en &
game_pid=$!
window=$(xdotool search --sync --onlyvisible --name "Vulcro Pelmar" | head -n 1)
xdotool windowfocus --sync "$window"
wait_for_state
wait_until 'd["Zoom"] == 2 and d["Canvas"] == [760, 652]' 5
echo "starts at 2x: canvas $(state 'd["Canvas"]')"

xdotool key ctrl+minus
wait_until 'd["Zoom"] == 1 and d["Canvas"] == [380, 326]' 5
xdotool key ctrl+plus
wait_until 'd["Zoom"] == 2' 5
xdotool key ctrl+equal
wait_until 'd["Zoom"] == 3 and d["Canvas"] == [1140, 978]' 5
echo "zoom keys: 2x, 1x, 2x, 3x"

xdotool key F11
size_becomes "$window" 1920x1080 || fail "full screen is $size"
wait_until 'd["Canvas"] == [1140, 978]' 5
xdotool key F11
size_becomes "$window" "1140x*" || fail "leaving full screen gave a window of $size"
wait_until 'd["Zoom"] == 3' 5
xdotool key ctrl+minus
wait_until 'd["Zoom"] == 2' 5
echo "full screen and back"

xdotool key p
wait_until 'd["Paused"]' 5
sleep 0.3
shot "$workdir/paused1.png"
sleep 1
shot "$workdir/paused2.png"
cmp -s "$workdir/paused1.png" "$workdir/paused2.png" || fail "the paused picture changed"
xdotool key p
wait_until 'not d["Paused"]' 5
shot "$workdir/playing1.png"
sleep 1
shot "$workdir/playing2.png"
cmp -s "$workdir/playing1.png" "$workdir/playing2.png" && fail "the picture stood still while playing"
echo "P freezes the picture and lets it go"
xdotool key ctrl+plus
wait_until 'd["Zoom"] == 3' 5
xdotool key m
wait_until 'not d["controls"]["cfrm.MenuSom"]["Checked"]' 5
open_menu alt+v
open_menu l 2
xdotool key e
quit_through_menu q

rm -f "$workdir/state.json"
PELMAR_STATE_FILE="$workdir/state.json" PELMAR_STATE_MS=50 "$program" &
game_pid=$!
window=$(xdotool search --sync --onlyvisible --name "Vulcro Pelmar" | head -n 1)
xdotool windowfocus --sync "$window"
wait_for_state
wait_until 'd["Zoom"] == 3 and d["Canvas"] == [1140, 978]' 5
wait_until 'not d["controls"]["cfrm.MenuSom"]["Checked"] and d["Shown"]["Language"] == "en"' 5
grep -qx 'zoom=3' "$XDG_CONFIG_HOME/pelmar/pelmar.conf" || fail "the zoom is not kept in the config folder"
grep -qx 'language=en' "$XDG_CONFIG_HOME/pelmar/pelmar.conf" || fail "the language is not kept in the config folder"
echo "the next run starts at 3x, silent, in English"
quit_through_menu q
kill "$xvfb_pid" 2>/dev/null || true
rm -rf "$XDG_CONFIG_HOME"

export PELMAR_SCREEN=1024x768
start_display
PELMAR_STATE_FILE="$workdir/state.json" "$program" &
game_pid=$!
window=$(xdotool search --sync --onlyvisible --name "Vulcro Pelmar" | head -n 1)
xdotool windowfocus --sync "$window"
rm -f "$workdir/state.json"
wait_for_state
wait_until 'd["Zoom"] == 2 and d["Canvas"] == [760, 652]' 5
echo "starts at 2x on 1024 x 768"
quit_through_menu
echo ok

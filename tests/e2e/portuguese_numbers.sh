#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Under a Portuguese desktop's locale (a comma for the decimal point) the real
# window still reads "2.7" typed into "Fase ..." as 2.7, starting level 3, and
# its state file stays valid JSON.
source "$(dirname "$0")/xsession.sh"
program=$(own_copy "$1")

start_display
LC_ALL=pt_BR.UTF-8 LANG=pt_BR.UTF-8 PELMAR_STATE_FILE="$workdir/state.json" "$program" &
game_pid=$!
window=$(xdotool search --sync --onlyvisible --name "Vulcro Pelmar" | head -n 1)
xdotool windowfocus --sync "$window"
wait_for_state

start_level_through_menu 2.7
xdotool windowfocus --sync "$window"
wait_until 'd["Level"] == 3 and d["BeltSpeed"] > 0' 10
echo "level $(state 'd["Level"]'), belt speed $(state 'd["BeltSpeed"]')"

quit_through_menu
echo "ok"

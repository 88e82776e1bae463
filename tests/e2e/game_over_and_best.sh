#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The whole game-over hand-over in the real window, through real key events.
# A game started at level 99 through "Fase ..." ends within a few ticks with
# no points: only the play-again question comes. A game at level 13 ends
# within seconds too; a player scores a little first, so the high-score
# window takes a typed name, Ok saves it and asks to play again, and
# "Os Melhores..." shows the name afterwards. The scored game's record, played
# by pelmar-sim, ends with the name saved and writes nothing; the whole
# session's, up to Ctrl+Q, ends where the real game did.
#   game_over_and_best.sh PROGRAM SIMULATOR a copy of PROGRAM runs from a directory
#                                            of its own and keeps its table there (in
#                                            its data directory with PELMAR_LAYOUT=installed)
#   game_over_and_best.sh --installed USER  the installed game runs as USER and
#                                            keeps its table in USER's data directory
source "$(dirname "$0")/xsession.sh"
chmod 755 "$workdir"
if [ "$1" = "--installed" ]; then
    user=$2
    program=/usr/games/pelmar
    home=$(getent passwd "$user" | cut -d: -f6)
    table="$home/.local/share/pelmar/pelmar.Dat"
    run=(runuser -u "$user" -- env HOME="$home" XDG_DATA_HOME=)
    mkdir -p "$workdir/shared"
    chmod 777 "$workdir/shared"
    state_dir="$workdir/shared"
else
    mkdir -p "$workdir/program" "$workdir/home"
    cp "$1" "$workdir/program/pelmar"
    simulator=$2
    program="$workdir/program/pelmar"
    table="$workdir/program/pelmar.Dat"
    [ "${PELMAR_LAYOUT:-portable}" = portable ] || table="$workdir/home/.local/share/pelmar/pelmar.Dat"
    run=(env HOME="$workdir/home" XDG_DATA_HOME=)
    state_dir="$workdir"
fi
rm -f "$table"

start_display
start_game() {
    rm -f "$state_dir/state.json"
    "${run[@]}" DISPLAY="$DISPLAY" PELMAR_STATE_FILE="$state_dir/state.json" "$program" &
    game_pid=$!
    window=$(xdotool search --sync --onlyvisible --name "Vulcro Pelmar" | head -n 1)
    xdotool windowfocus --sync "$window"
    wait_for_state
}
if [ "$state_dir" != "$workdir" ]; then
    ln -s "$state_dir/state.json" "$workdir/state.json"
    trap 'pkill -u "$user" -x pelmar 2>/dev/null || true; cleanup' EXIT
fi
start_game

# Without a window manager nobody gives the focus back after a dialog: the
# player clicks the window first.
focus_game() { xdotool windowfocus --sync "$window"; }

start_level() {
    focus_game
    start_level_through_menu "$1"
}

start_level 99
wait_until 'not d["controls"]["cfrm"]["Enabled"] and d["Lives"] == 0' 10
echo "level 99 over at once with $(state 'd["Score"]') points: no name to enter"
[ "$(state 'd["controls"]["BestForm"]["Visible"]')" = "False" ] || fail "the table came up for 0 points"
answer_question Return # Yes to "Deseja jogar novamente?"
wait_until 'd["controls"]["cfrm"]["Enabled"] and d["Lives"] == 50' 5

# score_and_type NAME: a game at level 13 scores a little and ends; NAME is typed.
score_and_type() {
    start_level 13
    wait_until 'd["Level"] == 13' 5
    focus_game
    python3 "$(dirname "$0")/score_a_little.py" "$workdir/state.json"
    wait_until 'd["controls"]["BestForm"]["Visible"] and d["controls"]["BestForm.Text1"]["Visible"]' 40
    echo "game over with $(state 'd["Score"]') points; the name box is up"
    sleep 0.5
    local shown
    for _ in 1 2 3; do
        xdotool type --delay 60 "$1"
        for _ in $(seq 50); do
            shown=$(state 'd["controls"]["BestForm.Text1"]["Text"]')
            [ "$shown" = "$1" ] && return 0
            sleep 0.1
        done
        # A key lost while the box was still coming up on a busy machine:
        # as a player would, select the whole name and type it again.
        xdotool key ctrl+a
    done
    fail "the name box shows '$shown' after typing '$1' three times"
}
score_and_type "Zé Teste"
wait_until 'd["BestForm"]["BestName"][0][0] == "Zé Teste"' 5
xdotool key Return # Ok: saves, then asks "Deseja jogar novamente?"
answer_question Return # Yes
wait_until 'd["controls"]["cfrm"]["Enabled"] and d["Level"] == 1 and d["Lives"] == 50' 5
[ -s "$table" ] || fail "no table at $table"
echo "saved in $table; a new game runs"

# Ajuda > Os Melhores...: the second entry.
focus_game
open_menu alt+a
xdotool key Down Return
wait_until 'd["controls"]["BestForm"]["Visible"]' 5
wait_until 'd["controls"]["BestForm.Nome(0)"]["Caption"] == "Zé Teste       "' 5
echo "the table shows the name"
xdotool key Return
wait_until 'd["controls"]["cfrm"]["Enabled"] and not d["controls"]["BestForm"]["Visible"]' 5

# Paused, so the last state stands still to be compared, then Ctrl+Q.
focus_game
xdotool key p
wait_until 'd["Paused"]' 5
sleep 0.3
cp "$workdir/state.json" "$workdir/real.json"
xdotool key ctrl+q
ends_well "Ctrl+Q"
[ -z "${user:-}" ] || { echo "ok"; exit 0; }

# The record of the game that entered the table plays back to its Ok and
# the answer, writing nothing.
records="$workdir/home/.local/share/pelmar/records"
scored=$(find "$records" -name '[0-9]*-*.sim' | head -n 1)
[ -n "$scored" ] || fail "no record of the scored game in $records: $(ls "$records")"
mkdir "$workdir/empty"
played=$(cd "$workdir/empty" && { cat "$scored"; echo dump; } | "$simulator" | tail -n 1) ||
    fail "pelmar-sim could not play $scored"
python3 -c 'import json, sys; d = json.loads(sys.argv[1])
sys.exit(0 if d["BestForm"]["BestName"][0][0] == "Zé Teste" and d["Lives"] == 50 else 1)' "$played" ||
    fail "the scored game's record does not end with its name saved and a new game: $(tail -n 4 "$scored")"
[ -z "$(ls -A "$workdir/empty")" ] || fail "a replay wrote $(ls -A "$workdir/empty")"
grep -q '^behind ' "$scored" || fail "the record does not say how long the game ran behind its dialogs"

# The whole session, with its "Fase ..." dialogs, answers, table and Ctrl+Q:
# played back, it ends the program; without the exit it ends in the real
# game's last state, in the simulator and in the window.
session="$records/last.sim"
ending=$(cd "$workdir/empty" && "$simulator" <"$session" | tail -n 1)
[ "$ending" = '{"ended": true}' ] || fail "the session's record does not end the program: $ending"
trim_exit "$session" "$workdir/trimmed.sim"
(cd "$workdir/empty" && { cat "$workdir/trimmed.sim"; echo dump; } | "$simulator" | tail -n 1) \
    >"$workdir/simulated.json"
compare "$workdir/simulated.json" || fail "the simulator ended elsewhere than the real game"
HOME="$workdir/home" XDG_DATA_HOME= replay_in_window "$program" "$workdir/trimmed.sim"
kill "$game_pid"
wait "$game_pid" || true
[ -z "$(ls -A "$workdir/empty")" ] || fail "a replay wrote $(ls -A "$workdir/empty")"

# A second entry, then "Não" (Right, Return): the program ends. The
# record of that game reads the table holding the first name and, played
# back, ends the program too, writing nothing.
start_game
score_and_type "Ana"
xdotool key Return # Ok
answer_question Right
sleep 0.2
xdotool key Return
ends_well '"Não"'
python3 -c 'import sys; t = bytes((256 - c) % 256 for c in open(sys.argv[1], "rb").read())
sys.exit(0 if b"Ana" in t and "Zé Teste".encode("latin-1") in t else 1)' "$table" ||
    fail "the table does not hold both names"
second=$(find "$records" -name '[0-9]*-*.sim' ! -path "$scored")
[ "$(echo "$second" | wc -l)" = 1 ] || fail "not one record of the second entry: $second"
grep -q "^read pelmar.Dat ff" "$second" || fail "the second entry's record does not read the table: $(grep '^read' "$second")"
ending=$(cd "$workdir/empty" && "$simulator" <"$second" | tail -n 1)
[ "$ending" = '{"ended": true}' ] || fail "the record of a game ended by Não does not end: $ending"
[ -z "$(ls -A "$workdir/empty")" ] || fail "a replay wrote $(ls -A "$workdir/empty")"
echo "ok"

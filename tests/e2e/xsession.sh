# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the end-to-end tests: a private Xvfb display and helpers to read
# the game's state file. Source it; it cleans up on exit.
set -euo pipefail

workdir=$(mktemp -d)
# The game keeps the player's choices in the config folder and its records in
# the data folder: fresh ones per test.
export XDG_CONFIG_HOME="$workdir/config"
export XDG_DATA_HOME="$workdir/data"
xvfb_pid=
game_pid=
helper_pids=() # other processes of a test (a window manager), stopped with the rest

# own_copy PROGRAM: a copy of a portable build, with the translations and help
# pages it finds beside itself, in a folder of this test's: the table it
# keeps beside itself goes there, not into the build folder. Prints its path.
own_copy() {
    local from
    from=$(dirname "$1")
    mkdir -p "$workdir/program"
    cp "$1" "$workdir/program/"
    find "$from" -maxdepth 1 \( -name 'pelmar_*.qm' -o -name 'Pelmar*.htm' \) \
        -exec cp {} "$workdir/program/" \;
    echo "$workdir/program/$(basename "$1")"
}

# wait_for_exit PID...: until none of them runs, for up to 5 s. Works for
# processes that are not this shell's children (a daemon) as well.
wait_for_exit() {
    for _ in $(seq 50); do
        local running=
        for pid in "$@"; do kill -0 "$pid" 2>/dev/null && running=1; done
        [ -z "$running" ] && return 0
        sleep 0.1
    done
}

# Stops the game, the helpers and the display, waits until they are gone (a process still
# writing would refill the folder while it is removed), then removes the folder.
cleanup() {
    local pids=("${helper_pids[@]}")
    [ -n "$game_pid" ] && pids+=("$game_pid")
    [ -n "$xvfb_pid" ] && pids+=("$xvfb_pid")
    [ ${#pids[@]} -gt 0 ] && { kill "${pids[@]}" 2>/dev/null || true; }
    [ ${#pids[@]} -gt 0 ] && wait_for_exit "${pids[@]}" || true
    rm -rf "$workdir" 2>/dev/null || { sleep 0.5; rm -rf "$workdir"; }
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# require TOOL...: the test is skipped (status 77) where one is missing, as
# in a distribution's build without an X server.
require() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
    done
}

start_display() {
    require Xvfb xdpyinfo xdotool python3
    for n in $(seq $((100 + $$ % 300)) 500); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        # -noreset: without it the server starts over each time its last
        # client leaves, and a program connecting just then finds no display.
        Xvfb ":$n" -screen 0 "${PELMAR_SCREEN:-1024x768}x24" -nolisten tcp -noreset \
            >"$workdir/xvfb.log" 2>&1 &
        xvfb_pid=$!
        export DISPLAY=":$n"
        for _ in $(seq 50); do
            xdpyinfo >/dev/null 2>&1 && return 0
            sleep 0.1
        done
        kill "$xvfb_pid" 2>/dev/null || true
    done
    fail "no X display could be started"
}

# size_becomes WINDOW PATTERN: the window's WIDTHxHEIGHT as the X server has
# it (left in $size) matches PATTERN within 5 s; a busy machine takes a while.
size_becomes() {
    for _ in $(seq 50); do
        size=$(xwininfo -id "$1" | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w"x"h}')
        # shellcheck disable=SC2053 # a pattern on purpose
        [[ $size == $2 ]] && return 0
        sleep 0.1
    done
    return 1
}

# state PYTHON-EXPRESSION: evaluates it on the latest dump as `d`.
state() {
    python3 -c 'import json,sys; d=json.load(open(sys.argv[1])); print(eval(sys.argv[2]))' \
        "$workdir/state.json" "$1"
}

wait_for_state() {
    for _ in $(seq 100); do
        [ -s "$workdir/state.json" ] && return 0
        sleep 0.1
    done
    fail "the game wrote no state"
}

# Waits until the expression is True, for up to $2 seconds.
wait_until() {
    local deadline=$((SECONDS + ${2:-5}))
    while [ $SECONDS -lt $deadline ]; do
        [ "$(state "$1" 2>/dev/null)" = "True" ] && return 0
        sleep 0.1
    done
    fail "timed out waiting for: $1"
}

# open_menu KEYS [DEPTH]: the keys that open a menu (alt+o), or a submenu of
# an open one (DEPTH 2), then waits until Qt shows that many menus open. A key
# pressed before the menu is up would go to the game instead.
open_menu() {
    xdotool key "$1"
    wait_until "len(d['Shown'].get('OpenMenus', [])) == ${2:-1}" 10
}

# open_dialog KEYS...: the keys that choose a menu entry, then waits until
# Qt shows the dialog it opens, so what is typed next goes into it.
open_dialog() {
    xdotool key "$@"
    wait_until "'Dialog' in d['Shown']" 10
}

# answer_question KEYS...: waits until Qt shows a dialog, then lets the first
# 0.75 s of it pass, by its own clock deaf to keys, before pressing KEYS.
answer_question() {
    wait_until "'Dialog' in d['Shown']" 10
    sleep 0.8
    xdotool key "$@"
}

# start_level_through_menu LEVEL: Opções > Fase ... (the second entry), LEVEL typed.
start_level_through_menu() {
    open_menu alt+o
    open_dialog Down Return
    xdotool type --delay 50 "$1"
    xdotool key Return
}

# Opções > Sair (or the access key $1 in the first menu, "q" for Options >
# Quit in English): the program must end at once, with status 0.
quit_through_menu() {
    open_menu alt+o
    xdotool key "${1:-r}"
    ends_well "Sair"
}

# ends_well WHAT: the game ends within 10 s of WHAT, with status 0.
ends_well() {
    for _ in $(seq 100); do
        kill -0 "$game_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$game_pid" 2>/dev/null && fail "the game is still running after $1"
    local status=0
    wait "$game_pid" || status=$?
    game_pid=
    [ "$status" -eq 0 ] || fail "the game ended with status $status"
}

# trim_exit RECORD TRIMMED: the record without its last input, the exit;
# played back, it ends in the state just before it.
trim_exit() {
    python3 - "$1" "$2" <<'PY'
import sys
lines = open(sys.argv[1]).read().splitlines()
assert lines[-1] == "menu MenuSair", lines[-1]
open(sys.argv[2], "w").write("\n".join(lines[:-1]) + "\n")
PY
}

# replay_in_window PROGRAM RECORD: pelmar --replay RECORD until it reaches
# the paused end of real.json, then its state is compared with it.
replay_in_window() {
    rm -f "$workdir/state.json"
    PELMAR_STATE_FILE="$workdir/state.json" PELMAR_STATE_MS=50 "$1" --replay "$2" &
    game_pid=$!
    wait_for_state
    local final
    final=$(python3 -c 'import json,sys; print(json.load(open(sys.argv[1]))["Clock"])' "$workdir/real.json")
    wait_until "d['Paused'] and d['Clock'] == $final" 90
    sleep 0.2
    compare "$workdir/state.json" || fail "pelmar --replay $2 ended elsewhere than the real game"
}

# compare FILE [REAL]: every variable and control of the real game's last
# state (REAL, by default real.json in the work folder) in FILE too.
compare() {
    python3 - "${2:-$workdir/real.json}" "$1" <<'PY'
import json, sys
real, other = (json.load(open(f)) for f in sys.argv[1:])
ignored = {"Sounds", "Zoom", "TickClock", "Canvas", "Paints", "FirstPaintEpochMs", "Wakes", "Shown"}
names = [k for k in real if k not in ignored]
wrong = [k for k in names if real.get(k) != other.get(k)]
for k in wrong[:5]:
    print(f"  {k}: real {json.dumps(real.get(k))[:200]} / played {json.dumps(other.get(k))[:200]}")
print(f"{len(names) - len(wrong)} of {len(names)} top-level names equal")
sys.exit(1 if wrong else 0)
PY
}

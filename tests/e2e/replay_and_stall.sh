#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real window under Xvfb: a program stopped for 10 s goes on where it
# stood; a game played with held keys for over 20 s is recorded, and its
# record played by pelmar-sim and by pelmar --replay ends in the state the
# real game ended in (every variable and control), writing no file. Records
# that cannot be played end with a line; one of days of firings ends on Escape.
#   replay_and_stall.sh PELMAR PELMAR-SIM
source "$(dirname "$0")/xsession.sh"
program=$(own_copy "$1")
simulator=$2

start_display
xset r on
export XDG_DATA_HOME="$workdir/data"
PELMAR_STATE_FILE="$workdir/state.json" PELMAR_STATE_MS=20 "$program" &
game_pid=$!
window=$(xdotool search --sync --onlyvisible --name "Vulcro Pelmar" | head -n 1)
xdotool windowfocus --sync "$window"
wait_for_state

# escape_ends_the_replay WHAT: Escape in the window ends the program within 5 s.
escape_ends_the_replay() {
    local window pressed
    window=$(xdotool search --onlyvisible --name "Vulcro Pelmar" | head -n 1)
    pressed=$(date +%s.%N)
    xdotool windowfocus --sync "$window" key Escape
    wait_for_exit "$game_pid"
    kill -0 "$game_pid" 2>/dev/null && fail "Escape did not end $1"
    echo "$1 ended $(python3 -c "import time; print(f'{time.time() - $pressed:.2f}')") s after Escape"
    wait "$game_pid" || true
    game_pid=
}

# ---- a stall: stopped 10 s a second into the game, before any loss ----
# Judged by the program's own writes: the state file's time of writing tells
# how long the game really ran around the stop, however busy the machine.
sleep 1
snapshot() {
    python3 -c 'import json, os, sys
d = json.load(open(sys.argv[1]))
print(json.dumps([os.stat(sys.argv[1]).st_mtime, d["Clock"], d["Lives"], d["BeltOffset"],
                  d["BeltSpeed"], d["ItemLeft"]]))' "$workdir/state.json"
}
before=$(snapshot)
kill -STOP "$game_pid"
sleep 10
continued=$(date +%s.%N)
kill -CONT "$game_pid"
for _ in $(seq 100); do
    sleep 0.1
    after=$(snapshot)
    python3 -c 'import json, sys; sys.exit(json.loads(sys.argv[1])[0] <= float(sys.argv[2]))' \
        "$after" "$continued" && break
done
python3 - "$before" "$after" <<'PY' || fail "the stopped program jumped: $before -> $after"
import json, sys
(t1, c1, lives1, belt1, speed, item1), (t2, c2, lives2, belt2, _, item2) = map(
    json.loads, sys.argv[1:])
passed = c2 - c1
ran = (t2 - t1 - 10) * 100
print(f"stopped 10 s: the game's clock moved {passed:.1f} hundredths while the program ran "
      f"at most {ran:.1f}; the belt {belt2 - belt1:.1f} twips, the item {item2 - item1:.0f} "
      f"twips; lives {lives1} -> {lives2}")
# Only the time the program ran counts, never the 10 s: a gap of up to a
# quarter second between wake-ups is still played.
sys.exit(0 if 0 <= passed <= ran + 26 and lives2 == lives1
         and abs(belt2 - belt1) <= speed * passed + 1 else 1)
PY

# ---- over 20 s of play with held keys ----
hold() { xdotool keydown "$1"; sleep "$2"; xdotool keyup "$1"; }
for _ in 1 2 3; do
    hold Right 1.5
    xdotool key space
    hold Down 1
    hold Left 2
    xdotool key ctrl
    hold Up 1
    sleep 0.5
done
xdotool key p
wait_until 'd["Paused"]' 5
sleep 0.3
cp "$workdir/state.json" "$workdir/real.json"
quit_through_menu

record="$XDG_DATA_HOME/pelmar/records/last.sim"
[ -s "$record" ] || fail "no record of the session in $record"
trim_exit "$record" "$workdir/trimmed.sim"
grep -c '^keydown' "$workdir/trimmed.sim" | xargs echo "keys pressed in the record:"

# A record played back writes nothing: the folder holding a table, the
# settings and the records (the simulator runs inside it) stays as it was.
keep="$XDG_DATA_HOME/pelmar"
python3 -c 'import sys; open(sys.argv[1], "wb").write(bytes((256 - c) % 256 for c in
    b"\x01\x05Ana             9000") + b"\r\n")' "$keep/pelmar.Dat"
fingerprint() { find "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" -type f -exec sha256sum {} + | sort; }
before=$(fingerprint)

# Played by the simulator.
(cd "$keep" && { cat "$workdir/trimmed.sim"; echo dump; } | "$simulator") > "$workdir/simulated.json" ||
    fail "pelmar-sim could not play the record"
compare "$workdir/simulated.json" || fail "the simulator ended elsewhere than the real game"

# Played in the window in real time.
replay_in_window "$program" "$workdir/trimmed.sim"
escape_ends_the_replay "the replay"
[ "$(fingerprint)" = "$before" ] || fail "a replay changed the player's files: $(fingerprint)"

# A hand-made record that reads two tables, scores 7000, saves a name and
# turns the sound off changes no file either, in the simulator or the window.
{
    printf 'begin 4000000 1\nread pelmar.Dat %s\nread pelmar.Dat -\n' \
        "$(od -An -tx1 -v "$keep/pelmar.Dat" | tr -d ' \n')"
    printf 'menu MenuSom\nset Score 7000\nset Lives 0\nplay 20\ntext BestForm.Text1 Intruso\n'
    printf 'yes\nclick BestForm.Command1\nplay 20\n'
} >"$workdir/forged.sim"
(cd "$keep" && { cat "$workdir/forged.sim"; echo dump; } | "$simulator") \
    >"$workdir/forged.out" || fail "pelmar-sim could not play the hand-made record"
grep -q "\"Intruso\"" "$workdir/forged.out" || fail "the hand-made record saved no name: $(tail -c 300 "$workdir/forged.out")"
"$program" --replay "$workdir/forged.sim" &
game_pid=$!
xdotool search --sync --onlyvisible --name "Vulcro Pelmar" >/dev/null
sleep 2
escape_ends_the_replay "the hand-made record"
[ "$(fingerprint)" = "$before" ] || fail "a hand-made record changed the player's files: $(fingerprint)"

# A record that asks for days of firings plays a frame at a time: Escape
# still ends it at once.
printf 'begin 4000000 1\ntimer 86400000\ntimer 86400000\ntimer 86400000\n' >"$workdir/days.sim"
"$program" --replay "$workdir/days.sim" &
game_pid=$!
xdotool search --sync --onlyvisible --name "Vulcro Pelmar" >/dev/null
sleep 1
escape_ends_the_replay "a replay of days of firings"
# Records that cannot be played end with a line of their own, never an abort.
for bad in 'play abc' 'play ' 'play 1e999' 'play nan' 'play 1e20'; do
    printf 'begin 4000000 1\nplay 1\n%s\n' "$bad" >"$workdir/bad.sim"
    status=0
    timeout 20 "$program" --replay "$workdir/bad.sim" 2>"$workdir/bad.err" || status=$?
    [ "$status" -eq 2 ] && grep -q "line 3" "$workdir/bad.err" ||
        fail "'$bad' ended with status $status: $(cat "$workdir/bad.err")"
done
for bad in /dev/zero "$workdir/fifo" "$workdir/huge.sim"; do
    [ "$bad" = "$workdir/fifo" ] && mkfifo "$bad"
    [ "$bad" = "$workdir/huge.sim" ] && truncate -s 100M "$bad"
    status=0
    timeout 20 "$program" --replay "$bad" 2>"$workdir/bad.err" || status=$?
    [ "$status" -eq 2 ] || fail "--replay $bad ended with status $status: $(cat "$workdir/bad.err")"
done
[ "$(fingerprint)" = "$before" ] || fail "a replay changed the player's files: $(fingerprint)"
echo ok

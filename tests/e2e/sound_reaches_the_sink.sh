#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sound end to end: with no audio device the game plays silently and says
# nothing about audio on standard error; with a PulseAudio null sink (started
# here, in a runtime folder of its own) the game-over sound reaches the sink,
# 20 kicks 0.3 s apart are heard as 20 whole kicks, and in 30 s of a game
# with a sound asked for every 0.2 to 1.2 s every one is heard whole.
source "$(dirname "$0")/xsession.sh"
source "$(dirname "$0")/null_sink.sh"
program=$(own_copy "$1")

start_display

play_a_level_99_game() { # the game over at once plays "gameover"
    window=$(xdotool search --sync --onlyvisible --name "Vulcro Pelmar" | head -n 1)
    xdotool windowfocus --sync "$window"
    wait_for_state
    start_level_through_menu 99
    wait_until 'd["Lives"] == 0' 10
    sleep 1.5
}

# No audio device at all.
PELMAR_STATE_FILE="$workdir/state.json" "$program" 2>"$workdir/silent.err" &
game_pid=$!
play_a_level_99_game
answer_question Return # Yes to another game
wait_until 'd["Lives"] == 50' 5
xdotool windowfocus --sync "$window"
quit_through_menu
if grep -iE 'audio|pulse|sound|multimedia' "$workdir/silent.err"; then
    fail "the game spoke of audio without a device"
fi
echo "no device: silent, and nothing on standard error"

# A null sink of our own.
start_null_sink
rm -f "$workdir/state.json"
PELMAR_STATE_FILE="$workdir/state.json" "$program" 2>"$workdir/sound.err" &
game_pid=$!
timeout 7 parec -d pelmarsink.monitor --raw --format=s16le --channels=1 --rate=22050 \
    >"$workdir/recorded.raw" &
recorder=$!
play_a_level_99_game
wait "$recorder" || true
answer_question Return
wait_until 'd["Lives"] == 50' 5
xdotool windowfocus --sync "$window"
quit_through_menu
python3 - "$workdir/recorded.raw" <<'PY' || fail "no sound reached the sink"
import array, sys
samples = array.array("h")
samples.frombytes(open(sys.argv[1], "rb").read())
peak = max((abs(s) for s in samples), default=0)
print(f"recorded {len(samples) / 22050:.1f} s at the sink, peak {peak}")
sys.exit(0 if peak > 1000 else 1)
PY
grep -iE 'audio|pulse|sound|multimedia' "$workdir/sound.err" && fail "the game spoke of audio"

replay_and_listen "$program" kicks 6 --onsets 20
replay_and_listen "$program" mixed 30
echo ok

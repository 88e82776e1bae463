#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sound end to end: with no audio device the game plays silently and says
# nothing about audio on standard error; with a PulseAudio null sink (started
# here, in a runtime folder of its own) the game-over sound reaches the sink.
source "$(dirname "$0")/xsession.sh"
program=$1
require pulseaudio pactl
export XDG_RUNTIME_DIR="$workdir/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

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
xdotool key Return # Yes to another game
wait_until 'd["Lives"] == 50' 5
xdotool windowfocus --sync "$window"
quit_through_menu
if grep -iE 'audio|pulse|sound|multimedia' "$workdir/silent.err"; then
    fail "the game spoke of audio without a device"
fi
echo "no device: silent, and nothing on standard error"

# A null sink of our own.
pulseaudio -n --daemonize=yes --exit-idle-time=-1 --disallow-exit \
    -L module-native-protocol-unix -L "module-null-sink sink_name=pelmarsink" \
    --log-target=file:"$workdir/pulse.log" || fail "no PulseAudio server could be started"
# The server writes its log as it shuts down: wait for it before the folder goes.
stop_pulse() {
    local pid
    pid=$(cat "$XDG_RUNTIME_DIR/pulse/pid" 2>/dev/null) || pid=
    pulseaudio --kill 2>/dev/null || true
    [ -n "$pid" ] && wait_for_exit "$pid"
    return 0
}
trap 'stop_pulse; cleanup' EXIT
pactl set-default-sink pelmarsink
rm -f "$workdir/state.json"
PELMAR_STATE_FILE="$workdir/state.json" "$program" 2>"$workdir/sound.err" &
game_pid=$!
timeout 7 parec -d pelmarsink.monitor --raw --format=s16le --channels=1 --rate=22050 \
    >"$workdir/recorded.raw" &
recorder=$!
play_a_level_99_game
wait "$recorder" || true
xdotool key Return
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
echo ok

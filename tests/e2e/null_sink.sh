# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the sound tests and benchmarks, after xsession.sh: a PulseAudio
# server of their own, in a runtime folder of its own, whose default sink is
# a null sink named pelmarsink; and a replayed session checked against what
# that sink heard. Source it.
require pulseaudio pactl parec
export XDG_RUNTIME_DIR="$workdir/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

start_null_sink() {
    pulseaudio -n --daemonize=yes --exit-idle-time=-1 --disallow-exit \
        -L module-native-protocol-unix -L "module-null-sink sink_name=pelmarsink" \
        --log-target=file:"$workdir/pulse.log" || fail "no PulseAudio server could be started"
    trap 'stop_null_sink; cleanup' EXIT
    pactl set-default-sink pelmarsink
}

# The server writes its log as it shuts down: wait for it before the folder goes.
stop_null_sink() {
    local pid
    pid=$(cat "$XDG_RUNTIME_DIR/pulse/pid" 2>/dev/null) || pid=
    pulseaudio --kill 2>/dev/null || true
    [ -n "$pid" ] && wait_for_exit "$pid"
    return 0
}

# replay_and_listen PROGRAM KIND SECONDS [--onsets N]: the real window replays
# a session of sound_heard.py's KIND while the sink is recorded; every sound it
# asked for must have been heard whole.
replay_and_listen() {
    local program=$1 kind=$2 seconds=$3
    shift 3
    local heard
    heard="$(dirname "${BASH_SOURCE[0]}")/sound_heard.py"
    python3 "$heard" script "$kind" "$seconds" >"$workdir/$kind.sim"
    python3 "$heard" record "$workdir/$kind.raw" $((seconds + 6)) &
    local recorder=$!
    sleep 0.5
    PELMAR_SOUND_LOG="$workdir/$kind.log" "$program" --replay "$workdir/$kind.sim" \
        2>"$workdir/$kind.err" &
    game_pid=$!
    wait "$recorder"
    # Escape ends a replay: the program must close its output cleanly.
    local window status=0
    window=$(xdotool search --sync --onlyvisible --name "Vulcro Pelmar" | head -n 1)
    xdotool windowfocus --sync "$window" key Escape
    wait_for_exit "$game_pid"
    wait "$game_pid" || status=$?
    game_pid=
    if [ "$status" -ne 0 ]; then
        tail -n 40 "$workdir/$kind.err" >&2
        fail "the replay ended with status $status"
    fi
    grep -iE 'audio|pulse|sound|multimedia' "$workdir/$kind.err" && fail "the game spoke of audio"
    # SOUND_KEEP=FOLDER keeps the record, the recording and the log to look at.
    [ -z "${SOUND_KEEP:-}" ] || cp "$workdir/$kind".* "$SOUND_KEEP/"
    python3 "$heard" check "$workdir/$kind.raw" "$workdir/$kind.log" \
        "$(dirname "${BASH_SOURCE[0]}")/../../assets/sounds" "$@" ||
        fail "not every sound of the $kind session was heard whole"
}

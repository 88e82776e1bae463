#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Whole-program figures of `pelmar --replay` on records made to hurt it, under
# Xvfb: how each ends (status and first line on standard error), its peak
# resident memory, and, for one that plays on, how long after Escape the
# program is gone.
#   bench/hostile_replays.sh [path/to/pelmar]   (default: build/release/pelmar)
source "$(dirname "$0")/../tests/e2e/xsession.sh"
program=$(realpath "${1:-build/release/pelmar}")
start_display
cd "$workdir"
export HOME="$workdir/home" XDG_DATA_HOME="$workdir/data"
mkdir -p "$HOME"

records=()
record_of() { # NAME LINE...: a record beginning as the game's do
    printf 'begin 4000000 1\n' >"$1"
    shift_name=$1
    shift
    printf '%s\n' "$@" >>"$shift_name"
    records+=("$shift_name")
}
record_of play-abc "play abc"
record_of play-empty "play "
record_of play-1e999 "play 1e999"
record_of play-nan "play nan"
record_of play-inf "play inf"
record_of play-1e20 "play 1e20"
record_of three-days-of-timer "timer 86400000" "timer 86400000" "timer 86400000"
mkfifo fifo
records+=(fifo /dev/zero)
head -c 100000000 /dev/zero | tr '\0' 'p' >hundred-mb
records+=(hundred-mb)

printf '%-22s %-8s %-10s %-12s %s\n' record status "peak MB" "Escape (s)" "says"
for record in "${records[@]}"; do
    /usr/bin/time -f '%x %M' -o time.txt "$program" --replay "$record" 2>err.txt &
    game_pid=$!
    escape=-
    # Still running after 2 s: it plays on; Escape in its window ends it.
    sleep 2
    if pgrep -f -- "--replay $record" >/dev/null; then
        window=$(xdotool search --onlyvisible --name "Vulcro Pelmar" | head -n 1)
        if [ -n "$window" ]; then
            xdotool windowfocus --sync "$window"
            pressed=$(date +%s.%N)
            xdotool key Escape
            while pgrep -f -- "--replay $record" >/dev/null; do sleep 0.01; done
            escape=$(python3 -c "import time; print(f'{time.time() - $pressed:.2f}')")
        fi
    fi
    wait "$game_pid" 2>/dev/null || true
    game_pid=
    read -r status kb < <(tail -n 1 time.txt)
    printf '%-22s %-8s %-10s %-12s %s\n' "$record" "$status" "$((kb / 1024))" "$escape" \
        "$(grep -v XDG_RUNTIME err.txt | head -n 1 | cut -c 1-80)"
done

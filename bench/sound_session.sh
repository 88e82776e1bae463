#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A long session's sound under a PulseAudio null sink: the real window replays
# SECONDS of a running game in which a kick, a catch or a broken item is asked
# for every 0.2 to 1.2 s, over one another and over the game's own sounds, and
# the sink's recording is checked request by request. Prints the output's
# buffer, the requests and how many were heard whole, and the delay from
# request to sink.
#   bench/sound_session.sh [path/to/pelmar] [SECONDS]
#   (default: build/release/pelmar, 120 s)
source "$(dirname "$0")/../tests/e2e/xsession.sh"
source "$(dirname "$0")/../tests/e2e/null_sink.sh"
# A sanitizer build names leaks of system libraries the game does not own.
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$(dirname "$0")/../tests/lsan.supp}
program=${1:-build/release/pelmar}
seconds=${2:-120}

start_display
start_null_sink
replay_and_listen "$program" mixed "$seconds"

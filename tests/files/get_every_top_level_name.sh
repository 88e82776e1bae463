#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# `get` of every top-level name of a dump prints one line of valid JSON whose
# value is the dump's own, also after a game over has filled the high-score
# window and a notice was given.
#   get_every_top_level_name.sh PELMAR_SIM
set -euo pipefail
sim=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
fresh() { rm -f pelmar.Dat*; printf 'not a table' >pelmar.Dat; }
script='set Score 4321
set Lives 0
timer
text BestForm.Text1 Ana, {x}
dump'
fresh
names=$("$sim" <<<"$script" | python3 -c 'import json, sys; print("\n".join(json.loads(sys.stdin.readline())))')
gets=$(for name in $names; do echo "get $name"; done)
fresh
"$sim" <<<"$script
$gets" | python3 -c '
import json, sys
lines = sys.stdin.read().splitlines()
dump = json.loads(lines[0])
bad = 0
for line in lines[1:]:
    try:
        (name, value), = json.loads(line).items()
    except ValueError as e:
        print("FAIL: not one JSON member:", line[:200], e); bad += 1; continue
    # Each dump shows the sounds since the one before; a get only looks.
    if value != dump[name] and name != "Sounds":
        print("FAIL: get", name, "differs from the dump"); bad += 1
for name in ("BestForm", "controls", "Effects", "LastNotice"):
    if name not in dump:
        print("FAIL: the dump has no", name); bad += 1
print(len(lines) - 1, "names read")
sys.exit(1 if bad else 0)'

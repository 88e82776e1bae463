#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program's directory cannot be written (a read-only bind mount in a
# private mount namespace, which stops root too; for any other user, its
# permissions alone, as in a distribution's build): the high-score table goes
# to the user's data directory and is read from there from then on. Where
# nothing can be written at all, the game simply goes on.
set -euo pipefail
sim=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/program" "$work/data"

cat >"$work/first.sim" <<'SIM'
set Score 4321
set Lives 0
timer
text BestForm.Text1 Júlia
yes
click BestForm.Command1
get cfrm.Enabled
SIM
cat >"$work/second.sim" <<'SIM'
menu MenuMelhores
get BestForm.Nome(0).Caption
get BestForm.Pontos(0).Caption
get BestForm.Pontos(1).Caption
SIM

# read_only "DIR..." COMMAND...: runs the command where none of the directories can be written.
read_only() {
    local dirs=$1
    shift
    if [ "$(id -u)" -ne 0 ]; then
        local status=0
        chmod a-w $dirs
        "$@" || status=$?
        chmod u+w $dirs
        return "$status"
    fi
    unshare --mount --propagation private sh -c \
        'for d in $0; do mount --bind "$d" "$d" && mount -o remount,bind,ro "$d"; done &&
         cd "$PWD" && exec "$@"' \
        "$dirs" "$@"
}

# A table shipped beside the program, made by the game: where the user's
# folder has none yet it is the one shown and saved into.
(cd "$work/program" && printf 'set Score 1200\nset Lives 0\ntimer\ntext BestForm.Text1 Ana\nno\nclick BestForm.Command1\n' |
    env -u XDG_DATA_HOME HOME=/nonexistent "$sim" >/dev/null)
cp "$work/program/pelmar.Dat" "$work/shipped"

cd "$work/program"
out=$(read_only "$work/program" env XDG_DATA_HOME="$work/data" "$sim" <"$work/first.sim")
echo "$out"
[ "$out" = '{"cfrm.Enabled": true}' ] || { echo "FAIL: the game did not go on"; exit 1; }
cmp -s "$work/shipped" "$work/program/pelmar.Dat" || { echo "FAIL: written beside the program"; exit 1; }
[ -s "$work/data/pelmar/pelmar.Dat" ] || { echo "FAIL: nothing in the data directory"; exit 1; }

out=$(read_only "$work/program" env XDG_DATA_HOME="$work/data" "$sim" <"$work/second.sim")
echo "$out"
grep -q '"Júlia          "' <<<"$out" || { echo "FAIL: not read back"; exit 1; }
grep -q '"4321"' <<<"$out" || { echo "FAIL: points not read back"; exit 1; }
grep -q '"1200"' <<<"$out" || { echo "FAIL: the shipped table's result was lost"; exit 1; }

# Neither place can be written: the score is lost, the game is not, and the
# player is told.
out=$(read_only "$work/program $work/data" env XDG_DATA_HOME="$work/data/elsewhere" "$sim" \
    < <(cat "$work/first.sim"; echo get LastNotice))
echo "$out"
[ "$(head -n1 <<<"$out")" = '{"cfrm.Enabled": true}' ] || { echo "FAIL: the game stopped"; exit 1; }
# Read-only for root, no permission for anyone else.
grep -qE '"LastNotice": "O recorde não pôde ser guardado em .*/data/elsewhere/pelmar: ' <<<"$out" ||
    { echo "FAIL: the player was not told"; exit 1; }
echo "ok"

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# 100 pairs of simulators finish a game together in one folder: both of a
# pair have read the table (the name box is open) before either presses Ok,
# and ten pairs run at once. No score is lost: the table holds the seven best
# of the 200, in order, and no temporary file is left.
#   games_finishing_together.sh PELMAR_SIM [PAIRS]
set -uo pipefail
sim=$(realpath "$1")
pairs=${2:-100}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

score() { echo $((1000 + ($1 * 7919) % 1000)); } # distinct for 0..999

# pair N: games 2N and 2N+1, held between reading the table and saving it.
pair() {
    local n=$1 a=$((2 * $1)) b=$((2 * $1 + 1))
    mkfifo "in.$a" "in.$b"
    "$sim" <"in.$a" >/dev/null &
    local pa=$!
    "$sim" <"in.$b" >/dev/null &
    local pb=$!
    exec {fa}>"in.$a" {fb}>"in.$b"
    for g in $a $b; do
        local fd=$fa
        [ "$g" = "$b" ] && fd=$fb
        printf 'set Score %s\nset Lives 0\ntimer\ntext BestForm.Text1 g%s\n' "$(score "$g")" "$g" >&"$fd"
    done
    # Both have shown the table by now; the simulator starts in milliseconds.
    sleep 0.5
    printf 'no\nclick BestForm.Command1\n' >&"$fa"
    printf 'no\nclick BestForm.Command1\n' >&"$fb"
    exec {fa}>&- {fb}>&-
    wait "$pa" "$pb"
}

for ((first = 0; first < pairs; first += 10)); do
    for ((n = first; n < first + 10 && n < pairs; n++)); do
        pair "$n" &
    done
    wait
done

out=$("$sim" <<<'menu MenuMelhores
dump')
expected=$(for ((g = 0; g < 2 * pairs; g++)); do score "$g"; done | sort -rn | head -n 7 | paste -sd,)
seen=$(python3 -c 'import json, sys; print(",".join(str(row[0]) for row in json.loads(sys.stdin.read().splitlines()[-1])["BestForm"]["BestPoints"] if row[0]))' <<<"$out")
echo "expected $expected"
echo "seen     $seen"
[ "$seen" = "$expected" ] || { echo "FAIL: scores were lost"; exit 1; }
leftovers=$(ls | grep -v -e '^in\.' -e '^pelmar\.Dat$' -e '^pelmar\.Dat\.lock$')
[ -z "$leftovers" ] || { echo "FAIL: left behind: $leftovers"; exit 1; }
echo ok

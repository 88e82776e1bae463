#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Whatever lies where the high-score table should be, a qualifying game
# neither freezes nor loses its score, and nothing that could not be read is
# overwritten: a foreign file, one its player cannot read (mode 0200, run as
# nobody where the test is root), a pipe, a folder, and a link, whose target
# stays as it was. A table with odd lines is read as it stands.
#   table_survives.sh PELMAR_SIM
set -uo pipefail
sim=$(realpath "$1")
work=$(mktemp -d)
chmod 755 "$work"
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAIL ($case): $*"; failed=1; }

finish='set Score 4321
set Lives 0
timer
text BestForm.Text1 Júlia
yes
click BestForm.Command1
get LastNotice'
look='menu MenuMelhores
get BestForm.Nome(0).Caption
get BestForm.Pontos(0).Caption
get BestForm.Pontos(1).Caption'

# run AS_NOBODY SCRIPT: the simulator in the case's folder, given 10 s at most.
run() {
    if [ "$1" = yes ] && [ "$(id -u)" = 0 ]; then
        (cd "$dir" && timeout 10 setpriv --reuid=65534 --regid=65534 --clear-groups "$sim" <<<"$2")
    else
        (cd "$dir" && timeout 10 "$sim" <<<"$2")
    fi
}

# check CASE AS_NOBODY: a game finishes there; its score is shown next time.
check() {
    out=$(run "$2" "$finish")
    status=$?
    [ "$status" -eq 0 ] || fail "the game ended with status $status (124: it froze)"
    grep -q '"LastNotice": "A tabela de recordes .*pelmar.Dat não pôde ser lida' <<<"$out" ||
        fail "the player was not told: $out"
    out=$(run "$2" "$look")
    grep -q '"Júlia          "' <<<"$out" && grep -q '"4321"' <<<"$out" ||
        fail "the score is not shown on the next start: $out"
}

printf '\x89PNG\r\n\x1a\n not a table' >"$work/foreign.bin"

case=foreign
dir=$work/$case && mkdir "$dir" && cp "$work/foreign.bin" "$dir/pelmar.Dat"
check $case no
cmp -s "$work/foreign.bin" "$dir/pelmar.Dat.bad" || fail "not kept byte for byte"

case=unreadable
dir=$work/$case && mkdir "$dir"
# A real table of one record, made by the game.
(cd "$dir" && printf 'set Score 9000\nset Lives 0\ntimer\ntext BestForm.Text1 Ana\nyes\nclick BestForm.Command1\n' | "$sim" >/dev/null)
cp "$dir/pelmar.Dat" "$work/table" && rm "$dir"/pelmar.Dat*
cp "$work/table" "$dir/pelmar.Dat" && chmod 0200 "$dir/pelmar.Dat"
[ "$(id -u)" = 0 ] && chown -R 65534:65534 "$dir"
check $case yes
# Set aside as it was, unreadable: read it here as its owner may.
chmod u+r "$dir/pelmar.Dat.bad"
cmp -s "$work/table" "$dir/pelmar.Dat.bad" || fail "not kept byte for byte"

case=pipe
dir=$work/$case && mkdir "$dir" && mkfifo "$dir/pelmar.Dat"
check $case no
[ -p "$dir/pelmar.Dat.bad" ] || fail "the pipe was not set aside"

case=folder
dir=$work/$case && mkdir -p "$dir/pelmar.Dat" && touch "$dir/pelmar.Dat/inside"
check $case no
[ -f "$dir/pelmar.Dat.bad/inside" ] || fail "the folder was not kept"

case=link
dir=$work/$case && mkdir "$dir" && cp "$work/table" "$work/target.Dat"
ln -s "$work/target.Dat" "$dir/pelmar.Dat"
run no "${finish%get LastNotice}" >/dev/null || fail "the game ended with status $?"
out=$(run no "$look")
grep -q '"4321"' <<<"$out" || fail "the score is not shown on the next start: $out"
cmp -s "$work/table" "$work/target.Dat" || fail "written through the link"
[ -f "$dir/pelmar.Dat" ] && [ ! -L "$dir/pelmar.Dat" ] || fail "the link was not replaced"

# A table as an older copy or a hand may leave it: a line of table 4, junk
# after the digits, a short last line without CR LF. Its records are shown
# and kept by the next save; the table 4 line is dropped.
case=odd
dir=$work/$case && mkdir "$dir"
python3 - "$dir/pelmar.Dat" <<'END'
import sys
flip = lambda line: bytes((256 - c) % 256 for c in line)
lines = [b"\x04\x05Other table     99999", b"\x01\x09Ana             5000pts",
         b"\x01\x07Caio            100", b"\x01\x03Bia"]
open(sys.argv[1], "wb").write(b"\r\n".join(flip(line) for line in lines))
END
out=$(run no "$look")
grep -q '"5000"' <<<"$out" || fail "Ana's points are not shown: $out"
run no "${finish%get LastNotice}" >/dev/null || fail "the game ended with status $?"
[ ! -e "$dir/pelmar.Dat.bad" ] || fail "the table was set aside"
saved=$(python3 - "$dir/pelmar.Dat" <<'END'
import sys
data = open(sys.argv[1], "rb").read()
for line in data.split(b"\r\n")[:-1]:
    line = bytes((256 - c) % 256 for c in line)
    print(line[0], line[1], line[2:17].decode("cp1252").rstrip(), line[17:].decode().strip())
END
)
want='1 9 Ana 5000
1 1 Júlia 4321
1 7 Caio 100
1 3 Bia 0'
[ "$saved" = "$want" ] || fail "saved as: $saved"

[ "$failed" -eq 0 ] && echo "ok"
exit "$failed"

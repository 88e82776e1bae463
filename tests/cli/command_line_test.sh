#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program's command line without any display: --version and --help print
# and succeed, an unknown option is refused with one line and the usage, and
# the game itself says in one line that it has no display.
#   command_line_test.sh PROGRAM VERSION
set -uo pipefail
program=$1
version=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
run() {
    env -u WAYLAND_DISPLAY ${wayland:+WAYLAND_DISPLAY="$wayland"} LC_ALL="$desktop" LANG="$desktop" \
        LANGUAGE= DISPLAY="${DISPLAY-}" QT_QPA_PLATFORM="${QT_QPA_PLATFORM-}" "$program" "$@"
}
unset DISPLAY QT_QPA_PLATFORM
# A Wayland display, where one is named below.
wayland=
# An English desktop, but for the checks of the player's language below.
desktop=en_GB.UTF-8
# A fresh config folder, where --lang is never kept.
export XDG_CONFIG_HOME
XDG_CONFIG_HOME=$(mktemp -d)
out=$(mktemp) err=$(mktemp)
trap 'rm -rf "$out" "$err" "$XDG_CONFIG_HOME"' EXIT

run --version >"$out" 2>"$err"
status=$?
[ "$status" -eq 0 ] || fail "--version exits $status"
[ "$(cat "$out")" = "pelmar $version" ] || fail "--version prints '$(cat "$out")'"
[ ! -s "$err" ] || fail "--version writes to stderr: $(cat "$err")"

# Qt's own options, with one dash, are left to Qt, with or without a value.
run -qmljsdebugger=port:1234 -fontengine freetype -platform offscreen -reverse --version >"$out" 2>"$err"
status=$?
[ "$status" -eq 0 ] || fail "Qt's options with --version exit $status: $(cat "$err")"
[ "$(cat "$out")" = "pelmar $version" ] || fail "Qt's options with --version print '$(cat "$out")'"

run --help >"$out" 2>"$err"
status=$?
[ "$status" -eq 0 ] || fail "--help exits $status"
grep -q '^Usage: pelmar' "$out" || fail "--help shows no usage line"
for option in --help --version --lang; do
    grep -qe "$option" "$out" || fail "--help does not list $option"
done
grep -q "Qt's own" "$out" || fail "--help does not say where Qt's options go"
grep -q "^High scores: .*/pelmar.Dat\$" "$out" ||
    fail "--help does not say where the high scores are: $(tail -n1 "$out")"
[ ! -s "$err" ] || fail "--help writes to stderr: $(cat "$err")"
# On a Portuguese desktop the help is Portuguese.
desktop=pt_BR.UTF-8 run --help >"$out" 2>&1
grep -q '^Uso: pelmar \[opções\]' "$out" || fail "--help on a Portuguese desktop: $(head -n1 "$out")"
grep -q "^Recordes: .*/pelmar.Dat\$" "$out" || fail "the Portuguese --help: $(tail -n1 "$out")"
# A language the game does not speak: one warning line, the game in the
# desktop's language.
desktop=pt_BR.UTF-8 run --lang fr --version >"$out" 2>"$err"
[ "$(wc -l <"$err")" -eq 1 ] && grep -q '^pelmar: o jogo não fala "fr"; ele fica em português.$' "$err" ||
    fail "--lang fr on a Portuguese desktop: '$(cat "$err")'"
[ "$(cat "$out")" = "pelmar $version" ] || fail "--lang fr --version prints '$(cat "$out")'"
run --lang fr --version >"$out" 2>"$err"
grep -q '^pelmar: the game does not speak "fr"; it stays in English.$' "$err" ||
    fail "--lang fr on an English desktop: '$(cat "$err")'"
# --lang is for one run: the next speaks the desktop's language again.
run --lang pt --version >"$out" 2>"$err"
desktop=en_GB.UTF-8 run --help >"$out" 2>&1
grep -q '^Usage: pelmar' "$out" || fail "--lang pt was kept: $(head -n1 "$out")"

run --bogus >"$out" 2>"$err"
status=$?
[ "$status" -eq 2 ] || fail "--bogus exits $status"
[ ! -s "$out" ] || fail "--bogus writes to stdout"
[ "$(grep -c 'pelmar:' "$err")" -eq 1 ] || fail "no single error line: $(cat "$err")"
head -n1 "$err" | grep -q "^pelmar: .*bogus" || fail "the first line does not name the option"
grep -q '^Usage: pelmar' "$err" || fail "--bogus does not show the usage"
# No display: one line that says so, and status 1, not Qt's abort. A Wayland
# display that cannot be reached is no display either, whether Qt would try
# it of itself or is told to.
no_display() {
    local why=$1
    shift
    "$@" >"$out" 2>"$err"
    status=$?
    [ "$status" -eq 1 ] || fail "without a display ($why) it exits $status: $(cat "$err")"
    [ ! -s "$out" ] || fail "without a display ($why) it writes to stdout"
    [ "$(wc -l <"$err")" -eq 1 ] || fail "not one line on stderr ($why): $(cat "$err")"
    grep -q "^pelmar: no display could be opened" "$err" || fail "unclear ($why): $(cat "$err")"
}
# A display number nothing answers on: none of its socket or lock is there.
absent=77
while [ -e "/tmp/.X11-unix/X$absent" ] || [ -e "/tmp/.X$absent-lock" ]; do
    absent=$((absent + 1))
done
for display in "" ":$absent"; do
    DISPLAY=$display no_display "DISPLAY='$display'" run
    DISPLAY=$display wayland=/nonexistent no_display "DISPLAY='$display', a Wayland socket missing" run
    grep -q "Wayland display /nonexistent" "$err" || fail "the Wayland display is not named: $(cat "$err")"
done
QT_QPA_PLATFORM=wayland wayland=/nonexistent no_display "QT_QPA_PLATFORM=wayland" run
QT_QPA_PLATFORM="wayland;xcb" DISPLAY=":$absent" wayland=/nonexistent no_display "wayland;xcb" run
# --help and --version still need none.
wayland=/nonexistent run --version >"$out" 2>"$err" && [ "$(cat "$out")" = "pelmar $version" ] ||
    fail "--version with a Wayland display missing: $(cat "$err")"
echo "--version, --help, --bogus and no display behave"

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real window in the desktop's language: on an English desktop English
# menus and dialogs, on a Portuguese one the game's own texts with Qt's
# buttons in Portuguese too ("Cancelar", "Sim", "Não"); --lang overrides the
# desktop for its run alone; a language chosen in the menu is spoken at once
# and kept. The texts are read from what Qt shows, through the state file.
#   languages.sh PROGRAM
# With PELMAR_SCREENSHOTS=DIR it leaves a picture of each dialog there
# (with imagemagick's import).
source "$(dirname "$0")/xsession.sh"
program=$(own_copy "$1")
shots=${PELMAR_SCREENSHOTS:-}
start_display

shot() {
    [ -n "$shots" ] || return 0
    sleep 1.5 # the dialog is painted a moment after it opens
    import -window root "$shots/$1.png" || echo "no screenshot $1 (imagemagick's import)" >&2
}

# expect NAME PYTHON-EXPRESSION EXPECTED: the expression on the latest state
# (`s` is what Qt shows) must print EXPECTED.
expect() {
    local got
    got=$(python3 -c 'import json,sys; d=json.load(open(sys.argv[1])); s=d["Shown"]; print(eval(sys.argv[2]))' \
        "$workdir/state.json" "$2")
    [ "$got" = "$3" ] || fail "$1: expected '$3', Qt shows '$got'"
}

# start LANG [OPTION...]: the game on a desktop in LANG.
start() {
    local lang=$1
    shift
    rm -f "$workdir/state.json"
    env -u LANGUAGE -u LC_ALL -u LC_MESSAGES LANG="$lang" PELMAR_STATE_FILE="$workdir/state.json" \
        HOME="$workdir" XDG_DATA_HOME="$workdir/data" "$program" "$@" &
    game_pid=$!
    window=$(xdotool search --sync --onlyvisible --name "Vulcro Pelmar" | head -n 1)
    xdotool windowfocus --sync "$window"
    wait_for_state
}

conf=$XDG_CONFIG_HOME/pelmar/pelmar.conf

# choose_language MENU ENTRY CHOICE: the access keys of the view menu, its
# language entry and the choice in it.
choose_language() {
    xdotool windowfocus --sync "$window"
    open_menu "$1"
    open_menu "$2" 2
    xdotool key "$3"
}

buttons='"|".join(sorted(b.replace("&", "") for b in s["Dialog"]["Buttons"]))'

# open_start_level_dialog TITLE: the first menu's second entry.
open_start_level_dialog() {
    xdotool windowfocus --sync "$window"
    open_menu alt+o
    xdotool key Down Return
    wait_until "d['Shown'].get('Dialog', {}).get('Title') == '$1'" 10
}

# Level 99 ends at once with no points: only the play-again question comes.
end_the_game() {
    xdotool type --delay 50 99
    xdotool key Return
    wait_until "d['Shown'].get('Dialog', {}).get('Title') == '$1'" 10
}

# Without a window manager nobody gives the focus back after a dialog: the
# player clicks the window first.
play_again() {
    answer_question Return
    wait_until 'd["controls"]["cfrm"]["Enabled"] and d["Lives"] == 50 and "Dialog" not in d["Shown"]' 5
    xdotool windowfocus --sync "$window"
}

start en_US.UTF-8
expect "language" 's["Language"]' "en"
expect "title" 's["Title"]' "Vulcro Pelmar"
expect "menus" 's["Menus"]' "[['&Options', '&New Game\\tF2', '&Level...', '&Simple Display', '&Minimize', \"&Cook's Speed...\", 'S&ound\\tM', '&Quit\\tCtrl+Q'], ['&View', 'Size &1x', 'Size &2x', 'Zoom &In\\tCtrl++', 'Zoom &Out\\tCtrl+-', '&Full Screen\\tF11', '&Pause\\tP', '&Language'], ['&Help', '&About the Game...', '&Best Scores...', '&How to Play...\\tF1']]"
open_start_level_dialog "Level:"
expect "start level prompt" 's["Dialog"]["Text"]' "Enter the level to start the game at:"
expect "start level buttons" "$buttons" "Cancel|OK"
shot english_level_dialog
end_the_game "Game Over"
expect "question" 's["Dialog"]["Text"]' "Do you want to play again?"
expect "question buttons" "$buttons" "No|Yes"
shot english_play_again
play_again
quit_through_menu q
echo "English desktop: English menus, dialogs and buttons"

start pt_BR.UTF-8
expect "language" 's["Language"]' "pt"
expect "title" 's["Title"]' "Vulcro Pelmar"
expect "menus" 's["Menus"]' "[['&Opções', 'Jogo &Novo\\tF2', 'Fase ...', 'Display &Simples', '&Minimizar', 'Vel. Dirovid ...', 'S&om\\tM', 'Sai&r\\tCtrl+Q'], ['&Exibir', 'Tamanho &1x', 'Tamanho &2x', 'A&mpliar\\tCtrl++', '&Reduzir\\tCtrl+-', 'Tela &cheia\\tF11', '&Pausa\\tP', '&Idioma'], ['&Ajuda', 'Sobre o Jogo...', 'Os Melhores...', 'Como jogar...\\tF1']]"
open_start_level_dialog "Fase:"
expect "start level prompt" 's["Dialog"]["Text"]' " Entre Com A Fase para iniciar o jogo:"
expect "start level buttons" "$buttons" "Cancelar|OK"
shot portuguese_level_dialog
end_the_game "Fim do Jogo."
expect "question" 's["Dialog"]["Text"]' "Deseja jogar novamente?"
expect "question buttons" "$buttons" "Não|Sim"
shot portuguese_play_again
play_again
quit_through_menu r
echo "Portuguese desktop: the game's own texts, Qt's buttons in Portuguese"

start C
expect "plain C desktop" 's["Menus"][0][0]' "&Opções"
quit_through_menu r
start pt_BR.UTF-8 --lang en
expect "--lang en on a Portuguese desktop" 's["Menus"][0][0]' "&Options"
quit_through_menu q
start pt_BR.UTF-8 --lang xx
expect "--lang xx on a Portuguese desktop" 's["Menus"][0][0]' "&Opções"
quit_through_menu r
start en_US.UTF-8 --lang pt
expect "--lang pt on an English desktop" 's["Menus"][-1][0]' "&Ajuda"
# The language shown, chosen in the menu: kept for the next runs.
choose_language alt+e i p
quit_through_menu r
grep -qx 'language=pt' "$conf" || fail "Português chosen in the menu is not kept: $(cat "$conf")"
echo "a plain desktop speaks Portuguese; --lang overrides the desktop for its run alone"

start en_US.UTF-8
expect "Português kept on an English desktop" 's["Menus"][0][0]' "&Opções"
# Another language is spoken at once, the desktop's menu entries too.
choose_language alt+e i s
wait_until "d['Shown']['Language'] == 'en' and d['Shown']['Menus'][1][0] == '&View'" 10
expect "the game's menu in the language chosen" 's["Menus"][0][-1].replace("\t", " ")' '&Quit Ctrl+Q'
choose_language alt+v l e
quit_through_menu q
grep -qx 'language=en' "$conf" || fail "English chosen in the menu is not kept: $(cat "$conf")"
start pt_BR.UTF-8
expect "English kept on a Portuguese desktop" 's["Menus"][0][0]' "&Options"
choose_language alt+v l s
wait_until "d['Shown']['Menus'][0][0] == '&Opções'" 10
quit_through_menu r
grep -q '^language' "$conf" && fail "the desktop's language chosen, but one is still kept: $(cat "$conf")"
echo "the language chosen in the menu is spoken at once and kept for the next start"

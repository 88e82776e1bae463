// SPDX-License-Identifier: GPL-3.0-or-later
// Score, level and lives: digit pictures, or zero-padded text in the simple display.
#include "game/Game.h"
#include "ui/NumberText.h"
#include "ui/Translate.h"

namespace game {

namespace {

std::string WholeText(double value) {
    return ui::WholeNumberText(value);
}

std::string LastChars(const std::string& text, std::size_t n) {
    return text.size() <= n ? text : text.substr(text.size() - n);
}

void ShowDigit(ui::Control& place, const ui::PictureRef& digit) {
    place.SetPicture(digit);
    place.SetWidth(195);
    place.SetHeight(345);
}

} // namespace

void Game::ShowScore() {
    if (cfrm.MenuDisplay->Checked()) {
        cfrm.LabelPto->SetAlignment(ui::Alignment::Center);
        cfrm.LabelPto->SetCaption(LastChars("00000000000" + WholeText(Int(Score)), 11));
        return;
    }
    std::string drawn;
    for (char ch : ScoreText) {
        if (ch != ' ') {
            drawn += ch;
        }
    }
    const std::string old = LastChars(std::string(11, ' ') + drawn, 11);
    double c = Int(Score);
    for (int i = 0; i <= 10; ++i) {
        const char shown = old[static_cast<std::size_t>(10 - i)];
        if (c != 0 || i == 0) {
            const int d = static_cast<int>(c - Int(c / 10) * 10);
            if (shown != static_cast<char>('0' + d)) {
                ShowDigit(*cfrm.Pto[i], windows::At(Figform.Num, d, "Num").Picture());
            }
            c = Int(c / 10);
        } else if (shown != ' ') {
            ShowDigit(*cfrm.Pto[i], windows::At(Figform.Num, 10, "Num").Picture());
        }
    }
    ScoreText = ' ' + WholeText(Int(Score));
}

namespace {

void ShowTwoDigits(int value, ui::Control& label, const windows::ControlArray<2>& places,
                   const windows::FigForm& store, bool simple) {
    if (simple) {
        label.SetCaption(LastChars("00" + std::to_string(value), 2));
        return;
    }
    int n = value;
    int i = 0;
    do {
        ShowDigit(*places[static_cast<std::size_t>(i)],
                  windows::At(store.Num, n % 10, "Num").Picture());
        n /= 10;
        ++i;
    } while (n > 0 && i < 2);
    if (i == 1) {
        ShowDigit(*places[1], windows::At(store.Num, 10, "Num").Picture());
    }
}

} // namespace

void Game::ShowLevel() {
    ShowTwoDigits(Level, *cfrm.LabelFase, cfrm.fase, Figform, cfrm.MenuDisplay->Checked());
}

void Game::ShowLives() {
    ShowTwoDigits(Lives, *cfrm.LabelVidas, cfrm.Vidas, Figform, cfrm.MenuDisplay->Checked());
}

void Game::ApplyDisplayMode() {
    const bool simple = cfrm.MenuDisplay->Checked();
    if (simple) {
        for (ui::Control* place : cfrm.Pto) {
            place->SetVisible(false);
        }
        for (int i = 0; i <= 1; ++i) {
            cfrm.Vidas[i]->SetVisible(false);
            cfrm.fase[i]->SetVisible(false);
        }
        for (ui::Control* label : {cfrm.LabelPto, cfrm.LabelVidas, cfrm.LabelFase}) {
            label->SetCaption("");
        }
        for (ui::Control* label : {cfrm.LabelPto, cfrm.LabelVidas, cfrm.LabelFase}) {
            label->SetVisible(true);
        }
    } else {
        for (ui::Control* label : {cfrm.LabelPto, cfrm.LabelVidas, cfrm.LabelFase}) {
            label->SetVisible(false);
        }
        for (ui::Control* place : cfrm.Pto) {
            place->SetVisible(true);
        }
        for (int i = 0; i <= 1; ++i) {
            cfrm.Vidas[i]->SetVisible(true);
            cfrm.fase[i]->SetVisible(true);
        }
    }
    ShowScore();
    ShowLives();
    ShowLevel();
    cfrm.MenuDisplay->SetCaption(simple ? PELMAR_TR("pelmar", "Display &Arrojado")
                                        : PELMAR_TR("pelmar", "Display &Simples"));
}

} // namespace game

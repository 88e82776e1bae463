// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's events and menu entries.
#include "windows/Forms.h"

namespace windows {

void CentreOnScreen(ui::Form& form, const ui::ScreenSize& screen) {
    form.Move((screen.widthTwips - form.Width()) / 2, (screen.heightTwips - form.Height()) / 2);
}

void Cfrm::Form_Load() {
    SetHeight(5580);
    CentreOnScreen(*this, game->platform().Screen());
    game->NewGame();
}

void Cfrm::Form_Paint() {
    game->FinishPendingGameOver();
}

void Cfrm::Form_LostFocus() {
    if (Enabled() && !Timer1->Enabled()) {
        Timer1->SetEnabled(true);
    }
}

void Cfrm::Form_Unload() {
    game->EndProgram();
}

void Cfrm::KeyDown(int keyCode) {
    game->KeyDown(keyCode);
}
void Cfrm::KeyUp(int keyCode) {
    game->KeyUp(keyCode);
}
void Cfrm::Timer1_Timer() {
    game->GameTick();
}

void Cfrm::MenuNovo_Click() {
    game->NewGame();
}
void Cfrm::MenuFase_Click() {
    game->AskStartLevel();
}

void Cfrm::MenuDisplay_Click() {
    MenuDisplay->SetChecked(!MenuDisplay->Checked());
    game->ApplyDisplayMode();
}

void Cfrm::MenuMinimizar_Click() {
    SetWindowState(1);
}
void Cfrm::MenuVel_Click() {
    game->AskCookSpeed();
}
// Sound on or off for the rest of the run; the game asks for no sound while off.
void Cfrm::MenuSom_Click() {
    MenuSom->SetChecked(!MenuSom->Checked());
}
void Cfrm::MenuSair_Click() {
    Form_Unload();
}

// A paused game stays paused behind the About and the table windows; a
// running one goes on.
void Cfrm::MenuSobre_Click() {
    SetEnabled(false);
    about->Show();
}

void Cfrm::MenuMelhores_Click() {
    SetEnabled(false);
    game->BestOpenedFromMenu();
    best->Show();
}

void Cfrm::MenuAjuda_Click() {
    game->platform().OpenHelp("Pelmar.htm");
}

} // namespace windows

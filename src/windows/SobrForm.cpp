// The About window.
#include "game/Game.h"
#include "windows/Forms.h"

namespace windows {

void SobrForm::Form_Load() {
    CentreOnScreen(*this, game->platform().Screen());
}

void SobrForm::Command1_click() {
    game->windows().cfrm.SetEnabled(true);
    Hide();
}

} // namespace windows

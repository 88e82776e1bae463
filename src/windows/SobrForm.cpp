// SPDX-License-Identifier: GPL-3.0-or-later
// The About window.
#include "windows/Forms.h"

namespace windows {

void SobrForm::Form_Load() {
    CentreOnScreen(*this, game->platform().Screen());
}

void SobrForm::Command1_click() {
    owner->SetEnabled(true);
    Hide();
}

} // namespace windows

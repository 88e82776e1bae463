// SPDX-License-Identifier: GPL-3.0-or-later
// The high-score window: its events go to the game module, which keeps the
// table's rules.
#include "windows/Forms.h"

namespace windows {

void BestForm::Form_Load() {
    CentreOnScreen(*this, game->platform().Screen());
}

} // namespace windows

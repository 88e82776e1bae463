// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/Controls.h"

#include <QHash>

class QAction;
class QMenuBar;

namespace qt {

// The real menu bar of a form, built from its menu items.
class MenuBar {
public:
    MenuBar(QMenuBar& bar, ui::Form& form);
    // Caption, check mark, enabled state and visibility of one item.
    void Sync(ui::Control& item);

private:
    ui::Form& form_;
    QHash<ui::Control*, QAction*> actions_;
};

} // namespace qt

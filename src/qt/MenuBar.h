// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "host/Host.h"
#include "ui/Controls.h"

#include <QHash>

class QAction;
class QMenu;
class QMenuBar;

namespace qt {

// A tab and the keys as a menu shows them beside an entry; empty for none.
QString KeyColumn(const std::string& keys);

// The real menu bar of a form, built from its menu items.
class MenuBar {
public:
    // A chosen entry goes to the host as input.
    MenuBar(QMenuBar& bar, ui::Form& form, host::Host& host);
    // Caption, check mark, enabled state and visibility of one item.
    void Sync(ui::Control& item);
    // Every title and entry again, in the language installed now.
    void Retranslate();

private:
    // The caption in the player's language, and the key that does the same.
    QString EntryText(const ui::Control& item) const;

    ui::Form& form_;
    host::Host& host_;
    QHash<ui::Control*, QAction*> actions_;
    QHash<ui::Control*, QMenu*> menus_;
};

} // namespace qt

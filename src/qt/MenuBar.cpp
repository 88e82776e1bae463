// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/MenuBar.h"

#include "qt/Language.h"

#include <QAction>
#include <QMenuBar>

namespace qt {

QString KeyColumn(const std::string& keys) {
    // After a tab the menu shows the key in its own column, as it shows a
    // shortcut of its own; the key stays the host's to handle.
    if (keys.empty()) {
        return {};
    }
    return QLatin1Char('\t') +
           QKeySequence(QString::fromStdString(keys), QKeySequence::PortableText)
               .toString(QKeySequence::NativeText);
}

QString MenuBar::EntryText(const ui::Control& item) const {
    return Translated(item.Caption()) + KeyColumn(host_.ShortcutOf(item));
}

MenuBar::MenuBar(QMenuBar& bar, ui::Form& form, host::Host& host) : form_(form), host_(host) {
    for (ui::Control* top : form_.children()) {
        if (top->kind() != ui::Kind::Menu) {
            continue;
        }
        QMenu* menu = bar.addMenu(Translated(top->Caption()));
        menus_.insert(top, menu);
        for (ui::Control* item : top->children()) {
            if (item->separator) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(EntryText(*item));
            if (!item->shortcut.empty()) {
                action->setShortcut(QKeySequence(QString::fromStdString(item->shortcut)));
                action->setShortcutContext(Qt::WindowShortcut);
            }
            QObject::connect(action, &QAction::triggered, &bar, [this, item] {
                host_.Click(*item);
                Sync(*item);
            });
            actions_.insert(item, action);
            Sync(*item);
        }
    }
}

void MenuBar::Retranslate() {
    for (auto it = menus_.cbegin(); it != menus_.cend(); ++it) {
        it.value()->setTitle(Translated(it.key()->Caption()));
    }
    for (ui::Control* item : actions_.keys()) {
        Sync(*item);
    }
}

void MenuBar::Sync(ui::Control& item) {
    QAction* action = actions_.value(&item);
    if (action == nullptr) {
        return;
    }
    action->setText(EntryText(item));
    action->setCheckable(item.Checked());
    action->setChecked(item.Checked());
    action->setEnabled(item.Enabled());
    action->setVisible(item.Visible());
}

} // namespace qt

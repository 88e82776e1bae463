// SPDX-License-Identifier: GPL-3.0-or-later
// The menu entries that keys stand for: a key clicks its entry, and the
// entry shows its key, both from the one table of bindings.
#include "host/Host.h"

namespace host {

ui::Control* Host::MenuOf(Action action) const {
    const windows::Cfrm& cfrm = windows_.cfrm;
    switch (action) {
    case Action::NewGame:
        return cfrm.MenuNovo;
    case Action::Help:
        return cfrm.MenuAjuda;
    case Action::Quit:
        return cfrm.MenuSair;
    case Action::Mute:
        return cfrm.MenuSom;
    default:
        return nullptr;
    }
}

std::string Host::ShortcutOf(const ui::Control& item) const {
    for (const Action action : {Action::NewGame, Action::Help, Action::Quit, Action::Mute}) {
        if (MenuOf(action) == &item) {
            return bindings_.KeysOf(action);
        }
    }
    return {};
}

} // namespace host

// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/KeyMap.h"

#include "ui/KeyCodes.h"

#include <Qt>

namespace qt {

int GameKeyCode(int qtKey) {
    namespace keys = ui::keys;
    switch (qtKey) {
    case Qt::Key_Left:
        return keys::Left;
    case Qt::Key_Up:
        return keys::Up;
    case Qt::Key_Right:
        return keys::Right;
    case Qt::Key_Down:
        return keys::Down;
    case Qt::Key_Control:
        return keys::Ctrl;
    case Qt::Key_Shift:
        return keys::Shift;
    case Qt::Key_Alt:
        return keys::Alt;
    case Qt::Key_Space:
        return keys::Space;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return keys::Enter;
    case Qt::Key_Escape:
        return keys::Escape;
    case Qt::Key_Pause:
        return keys::Pause;
    case Qt::Key_Tab:
        return keys::Tab;
    case Qt::Key_Backspace:
        return keys::Backspace;
    case Qt::Key_PageUp:
        return keys::PageUp;
    case Qt::Key_PageDown:
        return keys::PageDown;
    case Qt::Key_End:
        return keys::End;
    case Qt::Key_Home:
        return keys::Home;
    case Qt::Key_Insert:
        return keys::Insert;
    case Qt::Key_Delete:
        return keys::Delete;
    default:
        break;
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
        return keys::F1 + (qtKey - Qt::Key_F1);
    }
    // Letters and digits have the same codes in both; the rest keep Qt's.
    return qtKey & 0xFFFF;
}

} // namespace qt

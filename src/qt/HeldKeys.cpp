// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/HeldKeys.h"

#include <QGuiApplication>
#include <QKeyEvent>

#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>

namespace qt {

std::optional<bool> StillHeld(const QKeyEvent& release) {
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    const quint32 code = release.nativeScanCode();
    if (x11 == nullptr || x11->connection() == nullptr || code == 0 || code > 255) {
        return std::nullopt;
    }
    xcb_connection_t* connection = x11->connection();
    const std::unique_ptr<xcb_query_keymap_reply_t, decltype(&std::free)> keymap(
        xcb_query_keymap_reply(connection, xcb_query_keymap(connection), nullptr), &std::free);
    if (!keymap) {
        return std::nullopt;
    }
    return (keymap->keys[code / 8] & (1u << (code % 8))) != 0;
}

} // namespace qt

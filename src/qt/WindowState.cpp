// SPDX-License-Identifier: GPL-3.0-or-later
// A window's place, visibility, enabled and minimised state, kept in step
// with its form both ways.
#include "qt/FormWindow.h"

#include "qt/Language.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QTimer>
#include <QWindow>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <utility>
#include <xcb/xcb.h>

namespace qt {

void FormWindow::OfferNoMaximise() {
    // The window keeps a fixed size, so a maximise button would do nothing.
    // Qt asks the window manager for a title without naming the buttons;
    // this names them: move, minimise and close only.
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->connection() == nullptr) {
        return;
    }
    xcb_connection_t* connection = x11->connection();
    constexpr char Name[] = "_MOTIF_WM_HINTS";
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, sizeof Name - 1, Name), nullptr);
    if (atom == nullptr) {
        return;
    }
    enum : std::uint32_t { Functions = 1, Decorations = 2 };
    enum : std::uint32_t { Move = 4, Minimise = 8, Close = 32 };
    enum : std::uint32_t { Border = 2, Title = 8, Menu = 16, MinimiseButton = 32 };
    const std::array<std::uint32_t, 5> hints{Functions | Decorations, Move | Minimise | Close,
                                             Border | Title | Menu | MinimiseButton, 0, 0};
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(winId()),
                        atom->atom, atom->atom, 32, hints.size(), hints.data());
    xcb_flush(connection);
    std::free(atom);
}

void FormWindow::SetOwner(FormWindow& main) {
    owner_ = &main;
    main.winId();
    winId();
    windowHandle()->setTransientParent(main.windowHandle());
}

void FormWindow::SyncWindow() {
    if (applyingState_) {
        return;
    }
    if (zoomWhenShown_ != 0 && form_.Visible()) {
        // Laid out at the game's factor first; SetZoom ends here again.
        SetZoom(std::exchange(zoomWhenShown_, 0));
        return;
    }
    applyingState_ = true;
    setWindowTitle(Translated(form_.Caption()));
    setEnabled(form_.Enabled());
    const QPoint place = PlaceOnScreen();
    if (place != placed_ && !fullScreen_) {
        placed_ = place;
        move(place);
    }
    if (form_.Visible()) {
        if (form_.WindowState() == 1) {
            if (!isMinimized()) {
                showMinimized();
            }
        } else if (!isVisible() || isMinimized()) {
            showNormal();
            raise();
            activateWindow();
        }
    } else if (isVisible()) {
        hide();
    }
    applyingState_ = false;
}

void FormWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        Retranslate();
        return;
    }
    if (applyingState_) {
        return;
    }
    if (event->type() == QEvent::WindowStateChange) {
        const int state = isMinimized() ? 1 : 0;
        if (state != form_.WindowState()) {
            applyingState_ = true;
            host_.SetWindowState(form_, state);
            applyingState_ = false;
            if (state == 0) {
                // A window shown again repaints, which finishes a pending game over.
                QTimer::singleShot(0, this, [this] { host_.Paint(form_); });
            }
        }
    } else if (event->type() == QEvent::ActivationChange && !isActiveWindow() && isVisible()) {
        QTimer::singleShot(0, this, [this] { host_.LostFocus(form_); });
    } else if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        // A click on the main window brings its open dialog back to the front.
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<FormWindow*>(window);
            if (dialog != nullptr && dialog->owner_ == this && dialog->isVisible()) {
                dialog->raise();
                dialog->activateWindow();
            }
        }
    }
}

} // namespace qt

// SPDX-License-Identifier: GPL-3.0-or-later
// A window's place, visibility, enabled and minimised state, kept in step
// with its form both ways.
#include "qt/FormWindow.h"

#include "qt/Language.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWindow>

namespace qt {

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

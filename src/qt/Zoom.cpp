// SPDX-License-Identifier: GPL-3.0-or-later
// The main window at whole factors, in a window or filling the screen.
#include "qt/Canvas.h"
#include "qt/FormWindow.h"

#include <QLayout>
#include <QMenuBar>
#include <QScreen>

#include <algorithm>

namespace qt {

namespace {

constexpr int MostZoom = 4;

QRect AvailableArea(const QWidget& window) {
    const QScreen* screen = window.screen();
    return screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

} // namespace

int FormWindow::zoom() const {
    return canvas_->zoom();
}

int FormWindow::WindowHeightAt(int factor) const {
    // The frame around the client area and the menu bar do not grow with the
    // factor. Before the window manager has framed the window, a usual title
    // bar is reckoned with.
    constexpr int UsualFrame = 32;
    const int frame =
        isVisible() ? std::max(frameGeometry().height() - geometry().height(), 0) : UsualFrame;
    return canvas_->BaseSize().height() * factor +
           (menuBar()->isVisible() || !isVisible() ? menuBar()->sizeHint().height() : 0) + frame;
}

std::vector<int> FormWindow::FittingZooms() const {
    const QRect area = AvailableArea(*this);
    std::vector<int> fitting{1};
    for (int factor = 2; factor <= MostZoom; ++factor) {
        if (canvas_->BaseSize().width() * factor <= area.width() &&
            WindowHeightAt(factor) <= area.height()) {
            fitting.push_back(factor);
        }
    }
    return fitting;
}

int FormWindow::StartingZoom() const {
    // 2x on a laptop's 1366x768 as on 1920x1080; a larger factor only where
    // a tenth of the screen stays free around the window.
    const QRect area = AvailableArea(*this);
    int chosen = 1;
    for (int factor : FittingZooms()) {
        if (factor <= 2 || (canvas_->BaseSize().width() * factor <= area.width() * 9 / 10 &&
                            WindowHeightAt(factor) <= area.height() * 9 / 10)) {
            chosen = factor;
        }
    }
    return chosen;
}

void FormWindow::ApplyZoom(int factor) {
    canvas_->SetZoom(factor);
    for (auto it = widgets_.begin(); it != widgets_.end(); ++it) {
        SyncWidget(*it.key());
    }
    emit zoomChanged(zoom());
}

void FormWindow::SetZoom(int factor) {
    const std::vector<int> fitting = FittingZooms();
    factor = std::clamp(factor, 1, fitting.back());
    if (fullScreen_) {
        windowedZoom_ = factor;
        return;
    }
    ApplyZoom(factor);
    adjustSize();
    placed_ = QPoint(-1, -1);
    SyncWindow();
}

void FormWindow::FollowZoom(int factor) {
    if (isVisible()) {
        zoomWhenShown_ = 0;
        SetZoom(factor);
    } else {
        zoomWhenShown_ = factor;
    }
}

QPoint FormWindow::PlaceOnScreen() const {
    const int px = ui::TwipsPerPixel;
    QPoint place(form_.Left() / px, form_.Top() / px);
    // The form is placed for 1x: a larger window keeps the same centre.
    const QSize grown = canvas_->BaseSize() * (zoom() - 1);
    place -= QPoint(grown.width() / 2, grown.height() / 2);
    const QRect area = AvailableArea(*this);
    const QSize outer = frameGeometry().size().expandedTo(size());
    place.setX(std::clamp(place.x(), area.left(),
                          std::max(area.left(), area.right() + 1 - outer.width())));
    place.setY(std::clamp(place.y(), area.top(),
                          std::max(area.top(), area.bottom() + 1 - outer.height())));
    return place;
}

void FormWindow::SetFullScreen(bool on) {
    if (on == fullScreen_) {
        return;
    }
    fullScreen_ = on;
    if (on) {
        windowedZoom_ = zoom();
        windowedClient_ = geometry();
        const QRect screen =
            this->screen() != nullptr ? this->screen()->geometry() : QRect(0, 0, 1024, 768);
        const QSize base = canvas_->BaseSize();
        const int fits = std::max(
            1, std::min(screen.width() / base.width(),
                        (screen.height() - menuBar()->sizeHint().height()) / base.height()));
        layout()->setSizeConstraint(QLayout::SetDefaultConstraint);
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        ApplyZoom(fits);
        showFullScreen();
        // Without a window manager to honour the request, take the screen ourselves.
        setGeometry(screen);
    } else {
        ApplyZoom(windowedZoom_);
        showNormal();
        layout()->setSizeConstraint(QLayout::SetFixedSize);
        adjustSize();
        if (size() == windowedClient_.size()) {
            // Back where it stood: the client area's place, which does not
            // depend on how the window manager framed the window.
            setGeometry(windowedClient_);
            placed_ = PlaceOnScreen();
        } else {
            placed_ = QPoint(-1, -1);
        }
        SyncWindow();
    }
}

} // namespace qt

// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/Backend.h"

#include "qt/Canvas.h"
#include "qt/FormWindow.h"
#include "qt/Language.h"
#include "qt/QtPlatform.h"
#include "qt/Style.h"
#include "qt/ViewMenu.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QInputDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTimer>
#include <algorithm>
#include <cstdio>

namespace qt {

namespace {

// The texts on the screen as Qt shows them: the language, the main window's
// menus (each its title, then its entries), the menus open and the open
// dialog, if any.
QJsonObject ShownTexts(FormWindow& main) {
    QJsonArray menus;
    for (const QAction* top : main.menuBar()->actions()) {
        if (top->menu() == nullptr) {
            continue;
        }
        QJsonArray menu{top->text()};
        for (const QAction* entry : top->menu()->actions()) {
            if (!entry->isSeparator()) {
                menu.append(entry->text());
            }
        }
        menus.append(menu);
    }
    QJsonObject shown{
        {"Language", CurrentLanguage()}, {"Title", main.windowTitle()}, {"Menus", menus}};
    // The open menus, the outermost first: a submenu's parent is its menu.
    QJsonArray popups;
    for (QWidget* widget = QApplication::activePopupWidget();
         qobject_cast<QMenu*>(widget) != nullptr; widget = widget->parentWidget()) {
        popups.prepend(static_cast<QMenu*>(widget)->title());
    }
    if (!popups.isEmpty()) {
        shown.insert("OpenMenus", popups);
    }
    QWidget* dialog = QApplication::activeModalWidget();
    if (dialog != nullptr && qobject_cast<FormWindow*>(dialog) == nullptr) {
        QString text;
        if (const auto* input = qobject_cast<QInputDialog*>(dialog)) {
            text = input->labelText();
        } else if (const auto* box = qobject_cast<QMessageBox*>(dialog)) {
            text = box->text();
        }
        QJsonArray buttons;
        for (const QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
            if (button->isVisible()) {
                buttons.append(button->text());
            }
        }
        shown.insert(
            "Dialog",
            QJsonObject{{"Title", dialog->windowTitle()}, {"Text", text}, {"Buttons", buttons}});
    }
    return shown;
}

} // namespace

Backend::Backend(host::Host& host, QtPlatform& platform) : host_(host), platform_(platform) {
    for (ui::Form* form : host.ShownForms()) {
        windows_.push_back(
            std::make_unique<FormWindow>(*form, pictures_, form == &host.MainForm(), host));
    }
    FormWindow& main = WindowOf(host.MainForm());
    for (auto& window : windows_) {
        if (window.get() != &main) {
            window->SetOwner(main);
        }
    }
    view_ = new ViewMenu(main, host);
    for (auto& window : windows_) {
        connect(window.get(), &FormWindow::actionAsked, view_,
                [this](int action) { view_->Do(static_cast<host::Action>(action)); });
    }
    // The other windows and the dialogs come at the game's size.
    connect(&main, &FormWindow::zoomChanged, this, [this, &main, &platform](int factor) {
        platform.zoom = factor;
        for (auto& window : windows_) {
            if (window.get() != &main) {
                window->FollowZoom(factor);
            }
        }
    });
    main.SetZoom(main.StartingZoom());
    main.canvas().SetEffects(&host.Effects(), [&host] { return host.BlinkStrong(); });
    // The icon's seven sizes take a few milliseconds to read, and as many
    // again for each window made while it is set: they come after the
    // first frame, and every window takes them then.
    main.canvas().AfterFirstPaint([] { QApplication::setWindowIcon(GameIcon()); });
    platform.onPause = [this, &main](bool paused) {
        main.canvas().ShowPauseSign(paused);
        view_->ShowPaused(paused);
    };
    platform.onWake = [this] { Frame(); };
}

void Backend::Frame() {
    host_.Wake();
    for (auto& window : windows_) {
        window->canvas().PaintChanges();
    }
}

Backend::~Backend() = default;

FormWindow& Backend::WindowOf(const ui::Form& form) {
    for (auto& window : windows_) {
        if (&window->form() == &form) {
            return *window;
        }
    }
    throw std::out_of_range("no window for " + form.name());
}

void Backend::ShowReplaySign() {
    WindowOf(host_.MainForm()).canvas().ShowReplaySign(true);
}

void Backend::StartStateFile(const QString& path, int milliseconds) {
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, [this, path] {
        // Written beside and renamed over, so a reader never sees half a
        // file; no sync to disk, this is a test hook.
        QFile file(path + ".new");
        if (file.open(QIODevice::WriteOnly)) {
            FormWindow& window = WindowOf(host_.MainForm());
            const Canvas& main = window.canvas();
            // QByteArray's numbers ignore the locale: a Portuguese desktop
            // writes a comma into std::to_string's. The tick clock is when
            // the last tick ended: a state written between two ticks shows
            // the places of that moment.
            const std::string dump = host_.Dump(
                false,
                {{"TickClock", QByteArray::number(host_.tickClock(), 'f', 3).toStdString()},
                 {"Canvas",
                  QStringLiteral("[%1,%2]").arg(main.width()).arg(main.height()).toStdString()},
                 {"Paints", std::to_string(main.paints())},
                 {"FirstPaintEpochMs", std::to_string(main.firstPaintEpochMs())},
                 {"Wakes", std::to_string(host_.wakes())},
                 {"Shown",
                  QJsonDocument(ShownTexts(window)).toJson(QJsonDocument::Compact).toStdString()}},
                window.zoom());
            file.write(QByteArray::fromStdString(dump + "\n"));
            file.close();
            std::rename(QFile::encodeName(file.fileName()).constData(),
                        QFile::encodeName(path).constData());
        }
    });
    timer->start(std::max(milliseconds, 10));
}

} // namespace qt

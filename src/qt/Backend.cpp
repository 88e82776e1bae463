// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/Backend.h"

#include "game/Dump.h"
#include "game/Game.h"
#include "qt/Canvas.h"
#include "qt/FormWindow.h"
#include "qt/Language.h"
#include "qt/QtPlatform.h"
#include "qt/Timers.h"
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
// menus (each its title, then its entries) and the open dialog, if any.
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

Backend::Backend(windows::Windows& windows, game::Game& game, QtPlatform& platform)
    : game_(game), platform_(platform) {
    // The picture store is never shown, so it gets no window.
    windows_.push_back(std::make_unique<FormWindow>(windows.best, pictures_, false));
    windows_.push_back(std::make_unique<FormWindow>(windows.cfrm, pictures_, true));
    windows_.push_back(std::make_unique<FormWindow>(windows.sobr, pictures_, false));
    FormWindow& main = *windows_[1];
    windows_[0]->SetOwner(main);
    windows_[2]->SetOwner(main);
    view_ = new ViewMenu(main, game);
    main.SetZoom(main.StartingZoom());
    platform.onEffects = [&main](const ui::Effects& effects) { main.canvas().SetEffects(effects); };
    platform.onPause = [this](bool paused) {
        for (auto& window : windows_) {
            window->SetTimersRunning(!paused);
        }
        WindowOf(game_.windows().cfrm).canvas().ShowPauseSign(paused);
        view_->ShowPaused(paused);
    };
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

void Backend::StartStateFile(const QString& path, int milliseconds) {
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, [this, path] {
        // Written beside and renamed over, so a reader never sees half a
        // file; no sync to disk, this is a test hook.
        QFile file(path + ".new");
        if (file.open(QIODevice::WriteOnly)) {
            FormWindow& window = WindowOf(game_.windows().cfrm);
            const Canvas& main = window.canvas();
            game::DumpExtras extras;
            extras.zoom = window.zoom();
            std::string dump = game::DumpJson(game_, extras);
            dump.pop_back();
            // QByteArray's numbers ignore the locale: a Portuguese desktop
            // writes a comma into std::to_string's.
            dump += ",\"TickClock\":" + QByteArray::number(tickClock_, 'f', 3).toStdString();
            dump += ",\"Canvas\":[" + std::to_string(main.width()) + "," +
                    std::to_string(main.height()) + "]";
            dump += ",\"Paints\":" + std::to_string(main.paints()) +
                    ",\"FirstPaintEpochMs\":" + std::to_string(main.firstPaintEpochMs()) +
                    ",\"Shown\":" +
                    QJsonDocument(ShownTexts(window)).toJson(QJsonDocument::Compact).toStdString() +
                    "}\n";
            file.write(QByteArray::fromStdString(dump));
            file.close();
            std::rename(QFile::encodeName(file.fileName()).constData(),
                        QFile::encodeName(path).constData());
        }
    });
    timer->start(std::max(milliseconds, 10));
    WindowOf(game_.windows().cfrm).timers().afterEvent = [this](const ui::Control& fired) {
        if (&fired == game_.windows().cfrm.Timer1) {
            tickClock_ = platform_.Clock();
        }
    };
}

} // namespace qt

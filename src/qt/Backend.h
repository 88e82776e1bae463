// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "qt/FormPainter.h"
#include "windows/Forms.h"

#include <QObject>
#include <memory>
#include <vector>

namespace game {
class Game;
}

namespace qt {

class FormWindow;
class QtPlatform;
class ViewMenu;

// The real windows of the game: one per form that is ever shown.
class Backend : public QObject {
    Q_OBJECT
public:
    Backend(windows::Windows& windows, game::Game& game, QtPlatform& platform);
    ~Backend() override;

    FormWindow& WindowOf(const ui::Form& form);

    // For end-to-end tests and measurements: writes the game's dump to
    // `path` every `milliseconds`, replacing the file whole each time.
    void StartStateFile(const QString& path, int milliseconds);

private:
    game::Game& game_;
    QtPlatform& platform_;
    // The clock when the game's tick last ended: a state written between
    // two ticks shows the places of that moment, not of the clock's.
    double tickClock_ = 0;
    // Declared before the windows, which paint from it.
    PictureCache pictures_;
    std::vector<std::unique_ptr<FormWindow>> windows_;
    ViewMenu* view_ = nullptr;
};

} // namespace qt

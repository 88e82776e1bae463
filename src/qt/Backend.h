// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "host/Host.h"
#include "qt/FormPainter.h"

#include <QObject>
#include <memory>
#include <vector>

namespace qt {

class FormWindow;
class QtPlatform;
class ViewMenu;

// The real windows of the game, one per form that is ever shown, woken by
// the host: each wake-up runs the ticks due, then paints what changed.
class Backend : public QObject {
    Q_OBJECT
public:
    Backend(host::Host& host, QtPlatform& platform);
    ~Backend() override;

    FormWindow& WindowOf(const ui::Form& form);

    // For end-to-end tests and measurements: writes the game's dump to
    // `path` every `milliseconds`, replacing the file whole each time.
    void StartStateFile(const QString& path, int milliseconds);
    // The main window shows that a record plays.
    void ShowReplaySign();

private:
    void Frame();
    host::Host& host_;
    QtPlatform& platform_;
    // Declared before the windows, which paint from it.
    PictureCache pictures_;
    std::vector<std::unique_ptr<FormWindow>> windows_;
    ViewMenu* view_ = nullptr;
};

} // namespace qt

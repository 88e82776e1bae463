#include "qt/Backend.h"

#include "game/Dump.h"
#include "game/Game.h"
#include "qt/FormWindow.h"

#include <QSaveFile>
#include <QTimer>

namespace qt {

Backend::Backend(windows::Windows& windows, game::Game& game) : game_(game) {
    // The picture store is never shown, so it gets no window.
    windows_.push_back(std::make_unique<FormWindow>(windows.best, false));
    windows_.push_back(std::make_unique<FormWindow>(windows.cfrm, true));
    windows_.push_back(std::make_unique<FormWindow>(windows.sobr, false));
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

void Backend::StartStateFile(const QString& path) {
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, [this, path] {
        QSaveFile file(path);
        if (file.open(QIODevice::WriteOnly)) {
            file.write(QByteArray::fromStdString(game::DumpJson(game_, {}) + "\n"));
            file.commit();
        }
    });
    timer->start(100);
}

} // namespace qt

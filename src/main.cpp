// Vulcro Pelmar: make the Qt backend, run the game's Main, then the event loop.
#include "game/Game.h"
#include "qt/Backend.h"
#include "qt/CommandLine.h"
#include "qt/QtPlatform.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>

int main(int argc, char* argv[]) {
    if (const auto status = qt::HandleCommandLine(argc, argv)) {
        return *status;
    }
    // Pixel art scales by whole factors only, so it stays crisp.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::Round);
    QApplication app(argc, argv);
    QApplication::setApplicationName("pelmar");
    QApplication::setWindowIcon(QIcon(":/pictures/icon.png"));
    // Files named without a path are looked for beside the program.
    QDir::setCurrent(QCoreApplication::applicationDirPath());

    qt::QtPlatform platform;
    windows::Windows windows;
    game::Game game(windows, platform);
    // An installed game writes nothing beside itself: its table lives in the
    // user's data directory even when the program's directory could be written.
    if (QFileInfo::exists(QCoreApplication::applicationDirPath() + "/../share/pelmar/Pelmar.htm")) {
        const auto own = windows::scores::Store::DefaultFallbackDir();
        windows.best.store = windows::scores::Store(own, own);
    }
    qt::Backend backend(windows, game);
    if (const QByteArray stateFile = qgetenv("PELMAR_STATE_FILE"); !stateFile.isEmpty()) {
        const int every = qEnvironmentVariableIntValue("PELMAR_STATE_MS");
        backend.StartStateFile(QString::fromLocal8Bit(stateFile), every > 0 ? every : 100);
    }
    game.Main();
    if (game.Ended()) {
        return 0;
    }
    return QApplication::exec();
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Vulcro Pelmar: make the Qt backend, run the game's Main, then the event loop.
#include "game/Game.h"
#include "qt/Backend.h"
#include "qt/CommandLine.h"
#include "qt/Language.h"
#include "qt/QtPlatform.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[]) {
    QString language;
    if (const auto status = qt::HandleCommandLine(argc, argv, language)) {
        return *status;
    }
    // Pixel art scales by whole factors only, so it stays crisp.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::Round);
    QApplication app(argc, argv);
    QApplication::setApplicationName("pelmar");
    QApplication::setWindowIcon(QIcon(":/pictures/icon.png"));
    qt::InstallTranslations(qt::ChooseLanguage(language, QLocale::system()));

    qt::QtPlatform platform(qt::TableFoldersForThisBuild());
    windows::Windows windows;
    game::Game game(windows, platform);
    qt::Backend backend(windows, game, platform);
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

// SPDX-License-Identifier: GPL-3.0-or-later
// Vulcro Pelmar: make the Qt backend, run the game's Main, then the event loop.
#include "host/Host.h"
#include "host/RecordFile.h"
#include "qt/Backend.h"
#include "qt/CommandLine.h"
#include "qt/Language.h"
#include "qt/QtPlatform.h"
#include "qt/Style.h"

#include <QApplication>
#include <QFile>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <variant>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace {

int Run(int argc, char* argv[]) {
    QString language;
    QString replay;
    if (const auto status = qt::HandleCommandLine(argc, argv, language, replay)) {
        return *status;
    }
    // A record that cannot be read ends the program before any window shows.
    std::optional<std::variant<std::string, std::string>> record;
    if (!replay.isEmpty()) {
        record = host::ReadRecordFile(QFile::encodeName(replay).toStdString());
        if (!host::IsRead(*record)) {
            qCritical("pelmar: %s: %s", qPrintable(replay), std::get<1>(*record).c_str());
            return 2;
        }
    }
    // Pixel art scales by whole factors only, so it stays crisp.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::Round);
    QApplication app(argc, argv);
    QApplication::setApplicationName("pelmar");
    // A lone Alt leaves the arrows with the game; Alt with a letter still
    // opens a menu.
    QApplication::setStyle(new qt::GameStyle);
    qt::InstallTranslations(qt::ChooseLanguage(language, QLocale::system()));

    qt::QtPlatform platform(qt::TableFoldersForThisBuild(), replay.isEmpty());
    host::Host host(platform);
    qt::Backend backend(host, platform);
    if (const QByteArray stateFile = qgetenv("PELMAR_STATE_FILE"); !stateFile.isEmpty()) {
        const int every = qEnvironmentVariableIntValue("PELMAR_STATE_MS");
        backend.StartStateFile(QString::fromLocal8Bit(stateFile), every > 0 ? every : 100);
    }
    if (!replay.isEmpty()) {
        if (!record || !host.Replay(std::get<0>(*record))) {
            qCritical("pelmar: %s is not a recorded game", qPrintable(replay));
            return 2;
        }
        backend.ShowReplaySign();
    } else {
        // The clock starts at the time of day; the draws from there.
        const std::int64_t startOfDay = qt::QtPlatform::StartOfDay();
        host.SetWallClock(static_cast<double>(startOfDay) / 10);
        host.Seed(startOfDay);
        host.recorder().on = true;
        host.Start();
    }
    if (host.Ended()) {
        return 0;
    }
    return QApplication::exec();
}

} // namespace

int main(int argc, char* argv[]) {
    const int status = Run(argc, argv);
    // By now every window is closed and every file written. Qt Multimedia's
    // PulseAudio backend drops its connection to the sound server in static
    // destructors without taking its own lock, while its thread may still be
    // reading a message from the server; now and then that aborts the
    // program as it ends. So the program ends here, without them.
    std::fflush(nullptr);
#if defined(__SANITIZE_ADDRESS__)
    __lsan_do_leak_check();
#endif
    std::_Exit(status);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/CommandLine.h"

#include "game/ScoreFormat.h"
#include "qt/Settings.h"
#include "qt/Storage.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHash>
#include <QStringList>

#include <cstdio>
#include <xcb/xcb.h>

namespace qt {

namespace {

// The game's own options; any other with one dash (-platform xcb,
// -qmljsdebugger=..., -fontengine freetype) is Qt's and goes to Qt untouched.
bool IsOwnOption(const QString& argument) {
    static const QStringList own{QStringLiteral("h"),    QStringLiteral("help"),
                                 QStringLiteral("v"),    QStringLiteral("version"),
                                 QStringLiteral("lang"), QStringLiteral("replay")};
    return own.contains(argument.mid(1).section(QLatin1Char('='), 0, 0));
}

// Without a QCoreApplication the parser does not know the program's name.
QString Usage(const QCommandLineParser& parser) {
    QString text = parser.helpText();
    return text.replace(QStringLiteral("<executable_name>"), QCoreApplication::applicationName());
}

void Print(std::FILE* to, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), to);
}

// Why no window could be shown on the platforms Qt would try, or nothing
// when one of them can show it. Qt itself would abort with several lines.
std::optional<QString> NoDisplay(const QString& platforms, const QString& display) {
    const QString wayland = qEnvironmentVariable("WAYLAND_DISPLAY");
    // Qt picks Wayland when its socket is named, else X.
    QStringList tried = platforms.split(';', Qt::SkipEmptyParts);
    if (tried.isEmpty()) {
        tried = wayland.isEmpty() ? QStringList{"xcb"} : QStringList{"wayland", "xcb"};
    }
    QString why;
    for (const QString& entry : tried) {
        const QString name = entry.section(':', 0, 0);
        if (name == QLatin1String("xcb")) {
            if (display.isEmpty()) {
                why = QStringLiteral("DISPLAY is not set");
                continue;
            }
            xcb_connection_t* connection = xcb_connect(display.toLocal8Bit().constData(), nullptr);
            const bool connected = xcb_connection_has_error(connection) == 0;
            xcb_disconnect(connection);
            if (connected) {
                return std::nullopt;
            }
            why = QStringLiteral("cannot connect to the X display %1").arg(display);
        } else if (name.startsWith(QLatin1String("wayland"))) {
            if (!wayland.isEmpty()) {
                return std::nullopt;
            }
            why = QStringLiteral("WAYLAND_DISPLAY is not set");
        } else {
            // offscreen, minimal, vnc, eglfs, linuxfb...: no display server needed.
            return std::nullopt;
        }
    }
    return why;
}

} // namespace

std::optional<int> HandleCommandLine(int argc, char* argv[], QString& language, QString& replay) {
    QCoreApplication::setApplicationName(QStringLiteral("pelmar"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PELMAR_VERSION));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Vulcro Pelmar"));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.vulcropelmar.pelmar"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Vulcro Pelmar, an arcade game in a two-room kitchen.\n"
                       "Options with one dash other than these (-platform, -style, -display...)\n"
                       "are Qt's own and go to Qt."));
    // -lang, -help and -version read as --lang, --help and --version.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and exit."));
    const QCommandLineOption lang(
        QStringLiteral("lang"),
        QStringLiteral("Show the game in LANG (pt or en) instead of the desktop's language."),
        QStringLiteral("LANG"));
    const QCommandLineOption replayOption(
        QStringLiteral("replay"),
        QStringLiteral("Play the recorded game FILE back in real time (Esc ends it; the "
                       "high-score table is not written). The game records each session in "
                       "the records folder of its data folder."),
        QStringLiteral("FILE"));
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(lang);
    parser.addOption(replayOption);

    // The game takes no arguments, so a word after one of Qt's options is its value.
    QStringList arguments{QString::fromLocal8Bit(argv[0])};
    // Qt's options by name, with their values: -platform and -display say
    // where the window would go.
    QHash<QString, QString> qtValues;
    for (int i = 1; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        const bool qtOption = argument.size() > 1 && argument.startsWith(QLatin1Char('-')) &&
                              !argument.startsWith(QLatin1String("--")) && !IsOwnOption(argument);
        if (!qtOption) {
            arguments << argument;
            continue;
        }
        const QString name = argument.mid(1).section(QLatin1Char('='), 0, 0);
        if (argument.contains(QLatin1Char('='))) {
            qtValues.insert(name, argument.section(QLatin1Char('='), 1));
        } else if (i + 1 < argc && argv[i + 1][0] != '-') {
            qtValues.insert(name, QString::fromLocal8Bit(argv[++i]));
        } else {
            qtValues.insert(name, QString());
        }
    }
    QString error;
    if (!parser.parse(arguments)) {
        error = parser.errorText();
    } else if (!parser.positionalArguments().isEmpty()) {
        error =
            QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first());
    }
    if (!error.isEmpty()) {
        Print(stderr, QStringLiteral("pelmar: %1\n").arg(error));
        Print(stderr, Usage(parser));
        return 2;
    }
    if (parser.isSet(help)) {
        Print(stdout, Usage(parser));
        const auto folder = host::TableStorage::FolderFor(TableFoldersForThisBuild());
        Print(stdout, folder
                          ? QStringLiteral("\nHigh scores: %1/%2\n")
                                .arg(QString::fromStdString(*folder), game::scores::FileName)
                          : QStringLiteral("\nHigh scores: not kept, no folder can be written\n"));
        return 0;
    }
    if (parser.isSet(version)) {
        Print(stdout, QStringLiteral("%1 %2\n").arg(QCoreApplication::applicationName(),
                                                    QCoreApplication::applicationVersion()));
        return 0;
    }
    const QString platform = qtValues.contains(QStringLiteral("platform"))
                                 ? qtValues.value(QStringLiteral("platform"))
                                 : qEnvironmentVariable("QT_QPA_PLATFORM");
    const QString display = qtValues.contains(QStringLiteral("display"))
                                ? qtValues.value(QStringLiteral("display"))
                                : qEnvironmentVariable("DISPLAY");
    if (const auto why = NoDisplay(platform, display)) {
        Print(stderr, QStringLiteral("pelmar: no display could be opened: %1.\n").arg(*why));
        return 1;
    }
    language = KeptLanguage(parser.value(lang));
    replay = parser.value(replayOption);
    return std::nullopt;
}

} // namespace qt

// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/CommandLine.h"

#include "game/ScoreFormat.h"
#include "qt/Storage.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>

#include <cstdio>
#include <xcb/xcb.h>

namespace qt {

namespace {

// Options QGuiApplication and QApplication take themselves; accepted here so
// that a session manager or a user can still hand them on.
const char* const kQtOptionsWithValue[] = {
    "platform",    "platformpluginpath", "platformtheme", "plugin", "display",  "session",
    "style",       "stylesheet",         "name",          "title",  "geometry", "qwindowgeometry",
    "qwindowicon", "qwindowtitle",
};
const char* const kQtFlags[] = {"reverse", "nograb", "dograb", "sync", "widgetcount"};

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

std::optional<int> HandleCommandLine(int argc, char* argv[], QString& language) {
    QCoreApplication::setApplicationName(QStringLiteral("pelmar"));
    QCoreApplication::setApplicationVersion(QStringLiteral("5.00"));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Vulcro Pelmar"));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.vulcropelmar.pelmar"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Vulcro Pelmar, an arcade game in a two-room kitchen."));
    // Qt's own options come with one dash: -platform, -style.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and exit."));
    const QCommandLineOption lang(
        QStringLiteral("lang"),
        QStringLiteral("Show the game in LANG (pt or en) instead of the desktop's language."),
        QStringLiteral("LANG"));
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(lang);
    for (const char* name : kQtOptionsWithValue) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : kQtFlags) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
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
    language = parser.value(lang);
    const QString platform = parser.isSet(QStringLiteral("platform"))
                                 ? parser.value(QStringLiteral("platform"))
                                 : qEnvironmentVariable("QT_QPA_PLATFORM");
    const QString display = parser.isSet(QStringLiteral("display"))
                                ? parser.value(QStringLiteral("display"))
                                : qEnvironmentVariable("DISPLAY");
    if (const auto why = NoDisplay(platform, display)) {
        Print(stderr, QStringLiteral("pelmar: no display could be opened: %1.\n").arg(*why));
        return 1;
    }
    return std::nullopt;
}

} // namespace qt

// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/CommandLine.h"

#include "qt/Settings.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>

#include <cstdio>

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
    for (int i = 1; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        const bool qtOption = argument.size() > 1 && argument.startsWith(QLatin1Char('-')) &&
                              !argument.startsWith(QLatin1String("--")) && !IsOwnOption(argument);
        if (!qtOption) {
            arguments << argument;
        } else if (i + 1 < argc && argv[i + 1][0] != '-') {
            ++i;
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
        return 0;
    }
    if (parser.isSet(version)) {
        Print(stdout, QStringLiteral("%1 %2\n").arg(QCoreApplication::applicationName(),
                                                    QCoreApplication::applicationVersion()));
        return 0;
    }
    language = KeptLanguage(parser.value(lang));
    replay = parser.value(replayOption);
    return std::nullopt;
}

} // namespace qt

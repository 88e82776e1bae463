// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/CommandLine.h"

#include "game/ScoreFormat.h"
#include "qt/Display.h"
#include "qt/Language.h"
#include "qt/Settings.h"
#include "qt/Storage.h"
#include "ui/Translate.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHash>
#include <QLocale>
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

// The value of --lang or -lang, read ahead of the parser so that the help
// and the warnings speak the player's language.
QString AskedLanguage(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        QString argument = QString::fromLocal8Bit(argv[i]);
        if (argument.startsWith(QLatin1String("--"))) {
            argument.remove(0, 1);
        }
        if (argument == QLatin1String("-lang") && i + 1 < argc) {
            return QString::fromLocal8Bit(argv[i + 1]);
        }
        if (argument.startsWith(QLatin1String("-lang="))) {
            return argument.section(QLatin1Char('='), 1);
        }
    }
    return {};
}

struct Option {
    const char* names;
    const char* text;
};

// The usage in the player's language, options aligned.
QString Usage(const QString& language) {
    const auto say = [&language](const char* text) { return TranslatedFor(language, text); };
    const Option options[] = {
        {"-h, --help", PELMAR_TR("pelmar", "Mostra esta ajuda e sai.")},
        {"-v, --version", PELMAR_TR("pelmar", "Mostra a versão e sai.")},
        {PELMAR_TR("pelmar", "--lang <LÍNGUA>"),
         PELMAR_TR("pelmar", "Mostra o jogo em LÍNGUA (pt ou en) só desta vez.")},
        {PELMAR_TR("pelmar", "--replay <ARQUIVO>"),
         PELMAR_TR("pelmar", "Reproduz em tempo real o jogo gravado em ARQUIVO (Esc termina; a "
                             "tabela de recordes não é gravada). O jogo grava cada sessão na "
                             "pasta records da sua pasta de dados.")},
    };
    QString text = say(PELMAR_TR("pelmar", "Uso: %1 [opções]")).arg(QStringLiteral("pelmar"));
    text += QStringLiteral("\n") +
            say(PELMAR_TR("pelmar", "Vulcro Pelmar, um jogo de arcade numa cozinha de dois "
                                    "andares.")) +
            QStringLiteral("\n") +
            say(PELMAR_TR("pelmar", "Outras opções de um traço (-platform, -style, -display...) "
                                    "são do Qt e vão para o Qt.")) +
            QStringLiteral("\n\n") + say(PELMAR_TR("pelmar", "Opções:")) + QStringLiteral("\n");
    for (const Option& option : options) {
        text += QStringLiteral("  %1\n      %2\n").arg(say(option.names), say(option.text));
    }
    return text;
}

void Print(std::FILE* to, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), to);
}

// Qt's options by name, with their values (-platform and -display say
// where the window would go); the rest go to `arguments`. The game takes no
// arguments, so a word after one of Qt's options is its value.
QHash<QString, QString> SplitQtOptions(int argc, char* argv[], QStringList& arguments) {
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
    return qtValues;
}

// False, once the error and the usage are said, for a command line the game
// does not take.
bool Parsed(QCommandLineParser& parser, const QStringList& arguments, const QString& language) {
    QString error;
    if (!parser.parse(arguments)) {
        error = parser.errorText();
    } else if (!parser.positionalArguments().isEmpty()) {
        error =
            QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first());
    }
    if (!error.isEmpty()) {
        Print(stderr, QStringLiteral("pelmar: %1\n").arg(error));
        Print(stderr, Usage(language));
    }
    return error.isEmpty();
}

// The usage, then where the high scores are kept.
void PrintHelp(const QString& language) {
    const auto say = [&language](const char* text) { return TranslatedFor(language, text); };
    Print(stdout, Usage(language));
    const auto folder = host::TableStorage::FolderFor(TableFoldersForThisBuild());
    Print(stdout,
          QStringLiteral("\n") +
              (folder ? say(PELMAR_TR("pelmar", "Recordes: %1/%2"))
                            .arg(QString::fromStdString(*folder), game::scores::FileName)
                      : say(PELMAR_TR("pelmar", "Recordes: não guardados, nenhuma pasta pode ser "
                                                "gravada"))) +
              QStringLiteral("\n"));
}

// False, once said in one line, where no window can be shown.
bool DisplayReached(const QHash<QString, QString>& qtValues) {
    const QString platform = qtValues.contains(QStringLiteral("platform"))
                                 ? qtValues.value(QStringLiteral("platform"))
                                 : qEnvironmentVariable("QT_QPA_PLATFORM");
    const QString display = qtValues.contains(QStringLiteral("display"))
                                ? qtValues.value(QStringLiteral("display"))
                                : qEnvironmentVariable("DISPLAY");
    if (const auto why = ChooseDisplay(platform, display)) {
        Print(stderr, QStringLiteral("pelmar: no display could be opened: %1.\n").arg(*why));
        return false;
    }
    return true;
}

// Without a home (and no absolute XDG folder in its place) nothing is kept
// between runs: said once, in one line, rather than lost without a word.
void SayWhatIsNotKept(const QString& language, bool recording) {
    const auto say = [&language](const char* text) { return TranslatedFor(language, text); };
    const bool settings = !host::UserConfigFolder(), records = recording && !host::UserDataFolder();
    if (settings && records) {
        Print(stderr, say(PELMAR_TR("pelmar", "pelmar: sem pasta pessoal (HOME), as preferências e "
                                              "os registros das partidas não são guardados.\n")));
    } else if (settings) {
        Print(stderr, say(PELMAR_TR("pelmar", "pelmar: sem pasta pessoal (HOME), as preferências "
                                              "não são guardadas.\n")));
    } else if (records) {
        Print(stderr, say(PELMAR_TR("pelmar", "pelmar: sem pasta pessoal (HOME), os registros das "
                                              "partidas não são guardados.\n")));
    }
}

} // namespace

std::optional<int> HandleCommandLine(int argc, char* argv[], QString& chosenLanguage,
                                     QString& replay) {
    QCoreApplication::setApplicationName(QStringLiteral("pelmar"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PELMAR_VERSION));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Vulcro Pelmar"));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.vulcropelmar.pelmar"));

    // --lang is for this run alone; one the game does not speak counts as
    // not given: the player's choice in the menu, else the desktop's.
    const QString asked = AskedLanguage(argc, argv);
    const QString language =
        ChooseLanguage(KnowsLanguage(asked) ? asked : KeptLanguage(), QLocale::system());
    const auto say = [&language](const char* text) { return TranslatedFor(language, text); };

    QCommandLineParser parser;
    // -lang, -help and -version read as --lang, --help and --version.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    // Their descriptions are the usage's, in the player's language.
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    const QCommandLineOption lang(QStringLiteral("lang"), QString(), QStringLiteral("LANG"));
    const QCommandLineOption replayOption(QStringLiteral("replay"), QString(),
                                          QStringLiteral("FILE"));
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(lang);
    parser.addOption(replayOption);

    QStringList arguments{QString::fromLocal8Bit(argv[0])};
    const QHash<QString, QString> qtValues = SplitQtOptions(argc, argv, arguments);
    if (!Parsed(parser, arguments, language)) {
        return 2;
    }
    // A language the game does not speak is said once.
    if (parser.isSet(lang) && !KnowsLanguage(parser.value(lang))) {
        const char* name = language == QLatin1String("pt") ? PELMAR_TR("pelmar", "português")
                                                           : PELMAR_TR("pelmar", "inglês");
        Print(stderr, say(PELMAR_TR("pelmar", "pelmar: o jogo não fala \"%1\"; ele fica em %2.\n"))
                          .arg(parser.value(lang), say(name)));
    }
    chosenLanguage = language;
    if (parser.isSet(help)) {
        PrintHelp(language);
        return 0;
    }
    if (parser.isSet(version)) {
        Print(stdout, QStringLiteral("%1 %2\n").arg(QCoreApplication::applicationName(),
                                                    QCoreApplication::applicationVersion()));
        return 0;
    }
    if (!DisplayReached(qtValues)) {
        return 1;
    }
    replay = parser.value(replayOption);
    SayWhatIsNotKept(language, replay.isEmpty());
    return std::nullopt;
}

} // namespace qt

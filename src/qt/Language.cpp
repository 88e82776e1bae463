// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/Language.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QTranslator>

namespace qt {

namespace {

constexpr char Context[] = "pelmar";
const QString Portuguese = QStringLiteral("pt");
const QString English = QStringLiteral("en");

QString& Installed() {
    static QString language = Portuguese;
    return language;
}

// "pt_BR.UTF-8", "pt-BR" and "PT" all name "pt".
QString BaseLanguage(const QString& name) {
    QString base = name.trimmed().toLower();
    const qsizetype cut = base.indexOf(QRegularExpression(QStringLiteral("[-_.@]")));
    return cut < 0 ? base : base.left(cut);
}

QString GameTranslation(const QString& language) {
    return QStringLiteral(":/i18n/pelmar_%1.qm").arg(language);
}

// The desktop's choice for one of its languages, or nothing to look further.
QString Fitting(const QString& name) {
    const QString base = BaseLanguage(name);
    if (base == Portuguese || base == QLatin1String("c") || base == QLatin1String("posix")) {
        return Portuguese;
    }
    return HasLanguage(base) ? base : QString();
}

} // namespace

bool KnowsLanguage(const QString& asked) {
    return !Fitting(asked).isEmpty();
}

QString TranslatedFor(const QString& language, const char* text) {
    if (language == Portuguese) {
        return QString::fromUtf8(text);
    }
    static QTranslator translator;
    static QString loaded;
    if (loaded != language) {
        loaded = language;
        if (!translator.load(GameTranslation(language))) {
            return QString::fromUtf8(text);
        }
    }
    const QString found = translator.translate(Context, text);
    return found.isEmpty() ? QString::fromUtf8(text) : found;
}

bool HasLanguage(const QString& language) {
    return language == Portuguese || QFileInfo::exists(GameTranslation(language));
}

QString ChooseLanguage(const QString& asked, const QLocale& desktop) {
    if (const QString fitting = Fitting(asked); !asked.isEmpty() && !fitting.isEmpty()) {
        return fitting;
    }
    if (desktop.language() == QLocale::C) {
        return Portuguese;
    }
    for (const QString& name : desktop.uiLanguages()) {
        if (const QString fitting = Fitting(name); !fitting.isEmpty()) {
            return fitting;
        }
    }
    return English;
}

void InstallTranslations(const QString& language) {
    static bool done = false;
    if (done || QCoreApplication::instance() == nullptr) {
        return;
    }
    done = true;
    Installed() = language;
    auto* app = QCoreApplication::instance();
    if (language != Portuguese) {
        auto* game = new QTranslator(app);
        if (game->load(GameTranslation(language))) {
            QCoreApplication::installTranslator(game);
        }
    }
    // Qt speaks English by itself. Its words for the game's other languages:
    // the few the game shows are embedded; Debian's full set, where it is
    // installed, covers the rest.
    if (language != English) {
        auto* system = new QTranslator(app);
        if (system->load(QLocale(language), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            QCoreApplication::installTranslator(system);
        }
        // Installed last, so it is asked first.
        auto* own = new QTranslator(app);
        if (own->load(QStringLiteral(":/i18n/qt_%1.qm").arg(language))) {
            QCoreApplication::installTranslator(own);
        }
    }
}

QString CurrentLanguage() {
    return Installed();
}

QString Translated(const std::string& text) {
    return QCoreApplication::translate(Context, text.c_str());
}

QString TranslatedLines(const std::string& text) {
    const QString source = QString::fromStdString(text);
    const QString whole = Translated(text);
    if (whole != source || !source.contains(QLatin1String("\r\n"))) {
        return whole;
    }
    QStringList lines = source.split(QStringLiteral("\r\n"));
    for (QString& line : lines) {
        line = Translated(line.toStdString());
    }
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace qt

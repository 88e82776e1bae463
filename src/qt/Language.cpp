// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/Language.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

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
    // A plain search: a regular expression costs the start a compile.
    const auto cut = std::find_if(base.cbegin(), base.cend(), [](QChar c) {
        return c == u'-' || c == u'_' || c == u'.' || c == u'@';
    });
    return base.left(cut - base.cbegin());
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
    auto* app = QCoreApplication::instance();
    if (app == nullptr) {
        return;
    }
    // Those of the language spoken so far go; each change tells every
    // window, which shows its texts again.
    static std::vector<QPointer<QTranslator>> loaded;
    for (const QPointer<QTranslator>& old : std::exchange(loaded, {})) {
        if (old) {
            QCoreApplication::removeTranslator(old);
            old->deleteLater();
        }
    }
    Installed() = language;
    const auto install = [app](const std::function<bool(QTranslator&)>& load) {
        auto* translator = new QTranslator(app);
        if (load(*translator)) {
            QCoreApplication::installTranslator(translator);
            loaded.emplace_back(translator);
        } else {
            translator->deleteLater();
        }
    };
    if (language != Portuguese) {
        install([&](QTranslator& t) { return t.load(GameTranslation(language)); });
    }
    // Qt speaks English by itself. Its words for the game's other languages:
    // the few the game shows are embedded; Debian's full set, where it is
    // installed, covers the rest.
    if (language != English) {
        install([&](QTranslator& t) {
            return t.load(QLocale(language), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath));
        });
        // Installed last, so it is asked first.
        install([&](QTranslator& t) {
            return t.load(QStringLiteral(":/i18n/qt_%1.qm").arg(language));
        });
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

// SPDX-License-Identifier: GPL-3.0-or-later
// The language the game speaks on this desktop. The game's own texts are
// Portuguese; a translation of them (translations/pelmar_LANG.ts, embedded
// as :/i18n/pelmar_LANG.qm) and Qt's words for the same language are loaded
// at start or when the player chooses another, and the front end translates
// each text where it shows it.
#pragma once

#include <QLocale>
#include <QString>

#include <string>

namespace qt {

// "pt" for the game's own texts, or a language with a translation ("en").
// `asked` (from --lang or the menu, may be empty) wins over the desktop
// where the game speaks it; a Portuguese or plain C/POSIX desktop gets
// Portuguese, any other gets its own translation where there is one, else
// English.
QString ChooseLanguage(const QString& asked, const QLocale& desktop);

// Whether a --lang value names one of the game's languages.
bool KnowsLanguage(const QString& asked);
// `text` in `language`, before any application exists: for the command line.
QString TranslatedFor(const QString& language, const char* text);

// Whether the game has a translation into `language` ("pt" always counts).
bool HasLanguage(const QString& language);

// Loads the translations for `language` into the running application: the
// game's texts and Qt's own words (buttons, a text box's menu), in place of
// those loaded before. Every window is told, and shows its texts again.
void InstallTranslations(const QString& language);

// The language installed, "pt" before any.
QString CurrentLanguage();

// The whole text in the installed language, or the text itself where it has
// no translation (numbers, names, the order lines).
QString Translated(const std::string& text);

// A text of several lines (CR LF between them): the whole where it has a
// translation, else each line by itself.
QString TranslatedLines(const std::string& text);

} // namespace qt

// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/Settings.h"

#include "host/Files.h"
#include "qt/Language.h"

#include <QSettings>

#include <algorithm>
#include <memory>

namespace qt {

namespace {

// Named by path, so it works before the application object exists (the
// command line is read first). Not Qt's own choice of folder: without a home
// that is one under "/". Nothing without a folder: nothing is kept.
std::unique_ptr<QSettings> Kept() {
    const QString file = SettingsFile();
    return file.isEmpty() ? nullptr : std::make_unique<QSettings>(file, QSettings::IniFormat);
}

const QString ZoomKey = QStringLiteral("view/zoom");
const QString FullScreenKey = QStringLiteral("view/fullScreen");
const QString SoundOffKey = QStringLiteral("sound/off");
const QString LanguageKey = QStringLiteral("language");

} // namespace

QString SettingsFile() {
    const auto folder = host::UserConfigFolder();
    return folder ? QString::fromStdString(*folder) + QStringLiteral("/pelmar.conf") : QString();
}

KeptView LoadKeptView() {
    const auto settings = Kept();
    KeptView view;
    if (!settings) {
        return view;
    }
    bool number = false;
    // A hand-edited or damaged file gives the defaults, never a crash.
    if (const int zoom = settings->value(ZoomKey).toInt(&number); number && zoom >= 1) {
        view.zoom = zoom;
    }
    view.fullScreen = settings->value(FullScreenKey, false).toBool();
    view.soundOff = settings->value(SoundOffKey, false).toBool();
    return view;
}

void KeepView(const KeptView& view) {
    const auto settings = Kept();
    if (!settings) {
        return;
    }
    if (view.zoom) {
        settings->setValue(ZoomKey, *view.zoom);
    }
    settings->setValue(FullScreenKey, view.fullScreen);
    settings->setValue(SoundOffKey, view.soundOff);
}

QString KeptLanguage() {
    const auto settings = Kept();
    if (!settings) {
        return {};
    }
    // Only a language's short name, and one the game speaks: anything else
    // in a hand-edited file is the desktop's choice.
    const QString kept = settings->value(LanguageKey).toString();
    const bool shortName =
        (kept.size() == 2 || kept.size() == 3) &&
        std::all_of(kept.cbegin(), kept.cend(), [](QChar c) { return c >= u'a' && c <= u'z'; });
    return shortName && HasLanguage(kept) ? kept : QString();
}

void KeepLanguage(const QString& language) {
    if (const auto settings = Kept()) {
        if (language.isEmpty()) {
            settings->remove(LanguageKey);
        } else {
            settings->setValue(LanguageKey, language);
        }
    }
}

} // namespace qt

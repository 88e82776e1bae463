// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/Settings.h"

#include <QSettings>

namespace qt {

namespace {

// Named in full, so it works before the application object exists (the
// command line is read first) and lands in the same file either way.
QSettings Kept() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("pelmar"),
                     QStringLiteral("pelmar"));
}

const QString ZoomKey = QStringLiteral("view/zoom");
const QString FullScreenKey = QStringLiteral("view/fullScreen");
const QString SoundOffKey = QStringLiteral("sound/off");
const QString LanguageKey = QStringLiteral("language");

} // namespace

KeptView LoadKeptView() {
    QSettings settings = Kept();
    KeptView view;
    bool number = false;
    // A hand-edited or damaged file gives the defaults, never a crash.
    if (const int zoom = settings.value(ZoomKey).toInt(&number); number && zoom >= 1) {
        view.zoom = zoom;
    }
    view.fullScreen = settings.value(FullScreenKey, false).toBool();
    view.soundOff = settings.value(SoundOffKey, false).toBool();
    return view;
}

void KeepView(const KeptView& view) {
    QSettings settings = Kept();
    if (view.zoom) {
        settings.setValue(ZoomKey, *view.zoom);
    }
    settings.setValue(FullScreenKey, view.fullScreen);
    settings.setValue(SoundOffKey, view.soundOff);
}

QString KeptLanguage(const QString& asked) {
    QSettings settings = Kept();
    if (!asked.isEmpty()) {
        settings.setValue(LanguageKey, asked);
        return asked;
    }
    return settings.value(LanguageKey).toString();
}

} // namespace qt

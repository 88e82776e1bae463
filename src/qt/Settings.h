// SPDX-License-Identifier: GPL-3.0-or-later
// The player's desktop choices kept between runs, in the XDG config folder
// ($XDG_CONFIG_HOME/pelmar/pelmar.conf, else ~/.config/pelmar/pelmar.conf;
// none without a home, and then nothing is kept): the zoom, full screen, the sound
// switched off, and the language chosen in the menu. The game itself
// starts as always; the front end applies these after it, as the player would.
#pragma once

#include <QString>

#include <optional>

namespace qt {

struct KeptView {
    std::optional<int> zoom; // the windowed zoom factor
    bool fullScreen = false;
    bool soundOff = false;
};

// The file the choices are kept in; empty when there is none.
QString SettingsFile();

KeptView LoadKeptView();
void KeepView(const KeptView& view);

// The language chosen in the menu: "pt" or one with a translation; empty
// for the desktop's, also where the file holds anything else.
QString KeptLanguage();
// Keeps that choice for the next runs; empty keeps the desktop's.
void KeepLanguage(const QString& language);

} // namespace qt

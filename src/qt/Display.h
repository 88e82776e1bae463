// SPDX-License-Identifier: GPL-3.0-or-later
// Where the window can go, decided before the application object exists:
// Qt, finding no display it can use, aborts with several lines.
#pragma once

#include <QString>

#include <optional>

namespace qt {

// Nothing when a window can be shown, else why not, in a few words.
// `platforms` is what the player named (-platform or QT_QPA_PLATFORM, each
// of "a;b" tried in turn), `display` the X display (-display or DISPLAY).
// Where no platform was named, the one that can be reached (X or Wayland)
// is named in QT_QPA_PLATFORM, so Qt never tries one that cannot work.
std::optional<QString> ChooseDisplay(const QString& platforms, const QString& display);

} // namespace qt

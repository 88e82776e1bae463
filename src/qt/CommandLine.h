// SPDX-License-Identifier: GPL-3.0-or-later
// The program's command line, read before any window or display is needed.
#pragma once

#include <QString>

#include <optional>

namespace qt {

// Names the application (name, version, display name, desktop file) and reads
// the command line. --help and --version print to standard output and give 0;
// an unknown option or an argument prints an error and the usage to standard
// error and gives 2. Where no display can be opened for the window it says
// so in one line on standard error and gives 1 (where no platform is named,
// it names the one that can be reached for Qt). Nothing is returned when the
// game should start; where nothing can be kept between runs (no home) it has
// said so in one line on standard error.
// Any option with one dash that is not the game's is Qt's own (-platform,
// -style, -session...), and passes through to QApplication with its value.
// `language` gets the value of --lang LANG (kept for the next runs), or the
// one kept from an earlier run, or stays empty; `replay` gets the value of
// --replay FILE, or stays empty.
std::optional<int> HandleCommandLine(int argc, char* argv[], QString& language, QString& replay);

} // namespace qt

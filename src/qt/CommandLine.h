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
// so in one line on standard error and gives 1. Nothing is returned when the
// game should start.
// Qt's own options (-platform, -style, -session...) pass through to QApplication.
// `language` gets the value of --lang LANG, or stays empty.
std::optional<int> HandleCommandLine(int argc, char* argv[], QString& language);

} // namespace qt

// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/Storage.h"

#include <QCoreApplication>

namespace qt {

host::TableFolders TableFoldersForThisBuild() {
    // The command line is read before the application object exists.
    const std::string program = QCoreApplication::instance() != nullptr
                                    ? QCoreApplication::applicationDirPath().toStdString()
                                    : host::ProgramFolder();
#ifdef PELMAR_INSTALLED_LAYOUT
    const bool installed = true;
#else
    // A portable copy installed under /usr anyway (a plain cmake --install)
    // is an installed game all the same: its folder is the system's.
    const bool installed = program.rfind("/usr/", 0) == 0;
#endif
    // Not QStandardPaths: without a home it answers a folder under "/".
    return {program, host::UserDataFolder(), installed};
}

} // namespace qt

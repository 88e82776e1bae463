// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/Storage.h"

#include <QCoreApplication>

namespace qt {

host::TableFolders TableFoldersForThisBuild() {
#ifdef PELMAR_INSTALLED_LAYOUT
    const bool installed = true;
#else
    const bool installed = false;
#endif
    // The command line is read before the application object exists.
    const std::string program = QCoreApplication::instance() != nullptr
                                    ? QCoreApplication::applicationDirPath().toStdString()
                                    : host::ProgramFolder();
    // Not QStandardPaths: without a home it answers a folder under "/".
    return {program, host::UserDataFolder(), installed};
}

} // namespace qt

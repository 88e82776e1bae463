// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "host/TableStorage.h"

namespace qt {

// The folders the desktop game may keep its table in: an installed game the
// user's data folder only; a portable one beside the program first.
host::TableFolders TableFoldersForThisBuild();

} // namespace qt

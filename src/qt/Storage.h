// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <string>

namespace qt {

// Where the game keeps its files on the desktop. An installed game keeps
// them in the user's data directory; a portable one beside the program, or,
// where that folder cannot be written, in the user's data directory from
// then on.
class Storage {
public:
    Storage(QString programFolder, QString dataFolder, bool installed);
    // The layout this build was made for: installed or portable.
    static Storage ForThisBuild();
    // $XDG_DATA_HOME/pelmar, by default ~/.local/share/pelmar.
    static QString UserDataFolder();

    // A missing file reads as empty and is created empty where it can be.
    std::string Read(const QString& name);
    // Written under a temporary name of its own and renamed over the old file.
    bool Replace(const QString& name, const std::string& bytes);
    QString PathOf(const QString& name) const;

private:
    bool ProgramFolderWritable() const;

    QString programFolder_;
    QString dataFolder_;
    bool usingData_;
};

} // namespace qt

// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/Storage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace qt {

namespace {

// The game's files are small: more than this is never read.
constexpr qint64 MostBytes = 1 << 20;

} // namespace

Storage::Storage(QString programFolder, QString dataFolder, bool installed)
    : programFolder_(std::move(programFolder)), dataFolder_(std::move(dataFolder)),
      usingData_(installed) {}

Storage Storage::ForThisBuild() {
#ifdef PELMAR_INSTALLED_LAYOUT
    const bool installed = true;
#else
    const bool installed = false;
#endif
    return Storage(QCoreApplication::applicationDirPath(), UserDataFolder(), installed);
}

QString Storage::UserDataFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/pelmar";
}

bool Storage::ProgramFolderWritable() const {
    return !usingData_ && QFileInfo(programFolder_).isWritable();
}

QString Storage::PathOf(const QString& name) const {
    return (ProgramFolderWritable() ? programFolder_ : dataFolder_) + "/" + name;
}

std::string Storage::Read(const QString& name) {
    QString path = programFolder_ + "/" + name;
    if (!ProgramFolderWritable()) {
        // The user's own copy wins over one shipped beside the program.
        const QString own = dataFolder_ + "/" + name;
        if (usingData_ || QFileInfo::exists(own) || !QFileInfo::exists(path)) {
            path = own;
        }
    }
    QFile file(path);
    if (!file.exists()) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        file.open(QIODevice::Append);
        return {};
    }
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.read(MostBytes).toStdString();
}

bool Storage::Replace(const QString& name, const std::string& bytes) {
    auto write = [&](const QString& folder) {
        QDir().mkpath(folder);
        QSaveFile file(folder + "/" + name);
        return file.open(QIODevice::WriteOnly) &&
               file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
                   static_cast<qint64>(bytes.size()) &&
               file.commit();
    };
    if (ProgramFolderWritable() && write(programFolder_)) {
        return true;
    }
    if (write(dataFolder_)) {
        usingData_ = true;
        return true;
    }
    return false;
}

} // namespace qt

// SPDX-License-Identifier: GPL-3.0-or-later
// Where the desktop game keeps its table, and how it replaces it.
#include "qt/Storage.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <thread>

namespace {

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(Storage, AnInstalledGameKeepsItsTableInTheUsersDataFolderOnly) {
    QTemporaryDir program, data;
    qt::Storage storage(program.path(), data.path() + "/pelmar", true);
    EXPECT_EQ(storage.Read("pelmar.Dat"), "");
    ASSERT_TRUE(storage.Replace("pelmar.Dat", "table"));
    EXPECT_EQ(Contents(data.path() + "/pelmar/pelmar.Dat"), "table");
    EXPECT_FALSE(QFile::exists(program.path() + "/pelmar.Dat"));
    EXPECT_EQ(storage.Read("pelmar.Dat"), "table");
}

TEST(Storage, APortableGameKeepsItsTableBesideTheProgram) {
    QTemporaryDir program, data;
    qt::Storage storage(program.path(), data.path() + "/pelmar", false);
    ASSERT_TRUE(storage.Replace("pelmar.Dat", "table"));
    EXPECT_EQ(Contents(program.path() + "/pelmar.Dat"), "table");
    EXPECT_FALSE(QDir(data.path() + "/pelmar").exists());
    EXPECT_EQ(qt::Storage(program.path(), data.path(), false).Read("pelmar.Dat"), "table");
}

TEST(Storage, TwoGamesSavingAtOnceNeverMixTheirTablesNorLeaveFilesBehind) {
    QTemporaryDir program, data;
    const std::string first(60000, '1'), second(80000, '2');
    auto saveMany = [&](const std::string& table) {
        qt::Storage storage(program.path(), data.path(), false);
        for (int i = 0; i < 100; ++i) {
            EXPECT_TRUE(storage.Replace("pelmar.Dat", table));
        }
    };
    std::thread one(saveMany, first), two(saveMany, second);
    one.join();
    two.join();
    const std::string last = Contents(program.path() + "/pelmar.Dat").toStdString();
    EXPECT_TRUE(last == first || last == second);
    EXPECT_EQ(QDir(program.path()).entryList(QDir::Files), QStringList{"pelmar.Dat"});
}

} // namespace

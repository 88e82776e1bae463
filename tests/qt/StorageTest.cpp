// SPDX-License-Identifier: GPL-3.0-or-later
// Where the desktop game keeps its table, how it replaces it, and the
// notices the player is given without the game stopping.
#include "qt/Storage.h"
#include "game/ScoreFormat.h"
#include "qt/QtPlatform.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <thread>

namespace {

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A table of one place, as the game writes it.
std::string Table(const std::string& name) {
    return game::scores::Write({{1, 3, name, 1000}});
}

host::TableFolders Folders(const QString& program, const QString& data, bool installed) {
    return {program.toStdString(), data.toStdString(), installed};
}

TEST(Storage, AnInstalledGameKeepsItsTableInTheUsersDataFolderOnly) {
    QTemporaryDir program, data;
    qt::QtPlatform platform(Folders(program.path(), data.path() + "/pelmar", true));
    EXPECT_EQ(platform.ReadFile("pelmar.Dat"), "");
    ASSERT_TRUE(platform.ReplaceFile("pelmar.Dat", Table("table")));
    EXPECT_EQ(Contents(data.path() + "/pelmar/pelmar.Dat").toStdString(), Table("table"));
    EXPECT_FALSE(QFile::exists(program.path() + "/pelmar.Dat"));
    EXPECT_EQ(platform.ReadFile("pelmar.Dat"), Table("table"));
}

TEST(Storage, APortableGameKeepsItsTableBesideTheProgram) {
    QTemporaryDir program, data;
    {
        qt::QtPlatform platform(Folders(program.path(), data.path() + "/pelmar", false));
        ASSERT_TRUE(platform.ReplaceFile("pelmar.Dat", Table("table")));
    }
    EXPECT_EQ(Contents(program.path() + "/pelmar.Dat").toStdString(), Table("table"));
    EXPECT_FALSE(QDir(data.path() + "/pelmar").exists());
    qt::QtPlatform again(Folders(program.path(), data.path(), false));
    EXPECT_EQ(again.ReadFile("pelmar.Dat"), Table("table"));
}

TEST(Storage, TwoGamesSavingAtOnceNeverMixTheirTablesNorLeaveFilesBehind) {
    QTemporaryDir program, data;
    const std::string first = Table("1"), second = Table("22");
    qt::QtPlatform one(Folders(program.path(), data.path(), false));
    qt::QtPlatform two(Folders(program.path(), data.path(), false));
    auto saveMany = [&](qt::QtPlatform& platform, const std::string& table) {
        for (int i = 0; i < 100; ++i) {
            EXPECT_TRUE(platform.ReplaceFile("pelmar.Dat", table));
        }
    };
    std::thread a(saveMany, std::ref(one), first), b(saveMany, std::ref(two), second);
    a.join();
    b.join();
    const std::string last = Contents(program.path() + "/pelmar.Dat").toStdString();
    EXPECT_TRUE(last == first || last == second);
    EXPECT_EQ(QDir(program.path()).entryList(QDir::Files),
              (QStringList{"pelmar.Dat", "pelmar.Dat.lock"}));
}

TEST(Storage, ThisBuildsLayoutDecidesWhereTheTableIsKept) {
    const host::TableFolders folders = qt::TableFoldersForThisBuild();
    const std::string program = QCoreApplication::applicationDirPath().toStdString();
    EXPECT_EQ(folders.program, program);
    // A portable copy under /usr is taken for an installed one.
    EXPECT_EQ(folders.installed, PELMAR_BUILT_INSTALLED || program.rfind("/usr/", 0) == 0);
    EXPECT_EQ(folders.data, host::UserDataFolder());
}

TEST(Storage, ANoticeIsAMessageBoxThatDoesNotWait) {
    QTemporaryDir program;
    // A table that is not one: set aside at start, and the player is told.
    std::ofstream((program.path() + "/pelmar.Dat").toStdString(), std::ios::binary)
        << "not a table";
    qt::QtPlatform platform(host::TableFolders{program.path().toStdString(), std::nullopt});
    // Told as soon as there is a game to tell it.
    host::Host game(platform);
    QMessageBox* shown = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(window); box != nullptr && box->isVisible()) {
            shown = box;
        }
    }
    ASSERT_NE(shown, nullptr);
    EXPECT_FALSE(shown->isModal());
    EXPECT_TRUE(shown->text().contains(program.path() + "/pelmar.Dat.bad"))
        << shown->text().toStdString();
    EXPECT_TRUE(shown->text().contains("o conteúdo não é uma tabela de recordes inteira"));
    ASSERT_TRUE(game.LastNotice().has_value());
    shown->close();
    QCoreApplication::processEvents();
    EXPECT_TRUE(QFile::exists(program.path() + "/pelmar.Dat.bad"));
}

} // namespace

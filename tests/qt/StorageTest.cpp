// SPDX-License-Identifier: GPL-3.0-or-later
// Where the desktop game keeps its table, its records and its settings, how
// it replaces them, and the notices the player is given without the game
// stopping.
#include "qt/Storage.h"
#include "game/ScoreFormat.h"
#include "host/RecordStorage.h"
#include "qt/QtPlatform.h"
#include "qt/Settings.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <map>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A table of one place, as the game writes it.
std::string Table(const std::string& name) {
    return game::scores::Write({{1, 3, name, 1000}});
}

// Sets the environment for a test, and puts it back after.
class Environment {
public:
    void Set(const char* name, const char* value) {
        if (!saved_.contains(name)) {
            const char* old = std::getenv(name);
            saved_[name] = old != nullptr ? std::optional<std::string>(old) : std::nullopt;
        }
        value != nullptr ? setenv(name, value, 1) : unsetenv(name);
    }
    ~Environment() {
        for (const auto& [name, value] : saved_) {
            value ? setenv(name.c_str(), value->c_str(), 1) : unsetenv(name.c_str());
        }
    }

private:
    std::map<std::string, std::optional<std::string>> saved_;
};

// The visible message boxes that say `text`.
QList<QMessageBox*> BoxesSaying(const QString& text) {
    QList<QMessageBox*> boxes;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(window);
            box != nullptr && box->isVisible() && box->text().contains(text)) {
            boxes << box;
        }
    }
    return boxes;
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

// A record is written as the table is: a link in its place is replaced, what
// it pointed to stays; a folder in its place is told once a run, at the start
// of a session played live.
TEST(Storage, ARecordReplacesALinkInItsPlaceAndAFolderThereIsToldOnce) {
    QTemporaryDir data, elsewhere;
    const QString records = data.path() + "/records";
    ASSERT_TRUE(QDir().mkpath(records));
    const QString outside = elsewhere.path() + "/outside.sim";
    std::ofstream(outside.toStdString()) << "the player's own";
    ASSERT_TRUE(QFile::link(outside, records + "/last.sim"));
    {
        qt::QtPlatform platform(Folders(data.path(), data.path(), true), true);
        host::Host game(platform);
        platform.KeepRecord(std::nullopt, "begin 10 10\n");
        EXPECT_EQ(Contents(outside), "the player's own");
        EXPECT_FALSE(QFileInfo(records + "/last.sim").isSymLink());
        EXPECT_EQ(Contents(records + "/last.sim"), "begin 10 10\n");
        EXPECT_FALSE(game.LastNotice().has_value());
    }
    ASSERT_TRUE(QFile::remove(records + "/last.sim"));
    ASSERT_TRUE(QDir().mkpath(records + "/last.sim"));
    const std::string told = "O registro das partidas não pode ser guardado em " +
                             records.toStdString() + "/last.sim: não é um arquivo comum.";
    {
        // A game played back keeps no record: nothing to tell.
        qt::QtPlatform replay(Folders(data.path(), data.path(), true));
        host::Host game(replay);
        EXPECT_FALSE(game.LastNotice().has_value());
    }
    qt::QtPlatform live(Folders(data.path(), data.path(), true), true);
    host::Host game(live);
    ASSERT_TRUE(game.LastNotice().has_value());
    EXPECT_EQ(game.LastNotice()->Filled(), told);
    live.KeepRecord(std::nullopt, "begin 20 20\n");
    live.KeepRecord(250, "begin 20 20\n");
    const auto boxes = BoxesSaying(records);
    EXPECT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes.value(0)->windowTitle(), QGuiApplication::applicationDisplayName());
    EXPECT_TRUE(QFileInfo(records + "/last.sim").isDir());
    EXPECT_EQ(QDir(records).entryList(QDir::Files).size(), 1) << "the game's record was kept";
    qDeleteAll(boxes);
}

TEST(Storage, OnlyTheNewestFiftyScoreRecordsAreKeptAndNoOtherFileIsTouched) {
    Environment environment;
    environment.Set("TZ", "UTC");
    tzset();
    QTemporaryDir data;
    const std::string folder = data.path().toStdString();
    const std::time_t start = 1700000000;
    EXPECT_EQ(host::RecordStorage::NameFor(1234, start), "1234-2023-11-14-221320.sim");
    EXPECT_EQ(host::RecordStorage::NameFor(std::nullopt, start), "last.sim");
    auto put = [&](const std::string& name, std::time_t when) {
        const std::string path = folder + "/" + name;
        std::ofstream(path) << name;
        const timespec times[2] = {{when, 0}, {when, 0}};
        ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    };
    std::vector<std::string> scored;
    for (int i = 0; i < 55; ++i) {
        scored.push_back(host::RecordStorage::NameFor(i % 2 == 0 ? i : -i, start + i * 60));
        put(scored.back(), start + i * 60);
    }
    // The player's own files, older than any record.
    const std::vector<std::string> others{"friend-game.sim",          "last.sim",
                                          "12-2023-11-14-2213.sim",   "x12-2023-11-14-221320.sim",
                                          "12-2023-11-14-221320.txt", "1-2-2023-11-14-221320.sim"};
    for (const std::string& name : others) {
        put(name, start - 3600);
    }
    host::RecordStorage records(folder, nullptr);
    ASSERT_TRUE(records.Keep(-40, "begin 1 1\n", start + 55 * 60));
    for (int i = 0; i < 55; ++i) {
        EXPECT_EQ(QFile::exists(QString::fromStdString(folder + "/" + scored[i])), i >= 6)
            << scored[i];
    }
    EXPECT_EQ(Contents(QString::fromStdString(folder + "/-40-2023-11-14-230820.sim")),
              "begin 1 1\n");
    for (const std::string& name : others) {
        EXPECT_EQ(Contents(QString::fromStdString(folder + "/" + name)).toStdString(), name);
    }
    environment.Set("TZ", nullptr);
    tzset();
}

TEST(Storage, ARecordThatCannotBeWrittenIsToldOnceAndTheOldOneStays) {
    QTemporaryDir data;
    const std::string folder = data.path().toStdString();
    std::ofstream(folder + "/last.sim") << "old";
    std::vector<std::string> told;
    const auto tell = [&told](const ui::Notice& notice) { told.push_back(notice.Filled()); };
    host::RecordStorage full(folder, tell, [](int, const void*, std::size_t) -> ssize_t {
        errno = ENOSPC;
        return -1;
    });
    EXPECT_FALSE(full.Keep(std::nullopt, "new", 0));
    EXPECT_FALSE(full.Keep(100, "new", 0));
    EXPECT_EQ(Contents(data.path() + "/last.sim"), "old");
    EXPECT_EQ(QDir(data.path()).entryList(QDir::Files), QStringList{"last.sim"});
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0], "O registro das partidas não pode ser guardado em " + folder +
                           ": o disco está cheio.");
    // A file where the folder should be.
    told.clear();
    host::RecordStorage(folder + "/last.sim/records", tell).Check();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0], "O registro das partidas não pode ser guardado em " + folder +
                           "/last.sim/records: não é uma pasta.");
}

TEST(Storage, AHomeThatCannotBeWrittenIsToldAtTheStartOfASession) {
    QTemporaryDir dir;
    const std::string home = dir.path().toStdString() + "/home";
    ASSERT_EQ(mkdir(home.c_str(), 0555), 0);
    ASSERT_EQ(chmod(home.c_str(), 0555), 0);
    ASSERT_EQ(chmod(dir.path().toUtf8().constData(), 0755), 0);
    const std::string records = home + "/.local/share/pelmar/records";
    // Root writes anywhere: the check runs as nobody where the test is root.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) {
            _exit(3);
        }
        std::vector<std::string> told;
        host::RecordStorage storage(
            records, [&told](const ui::Notice& notice) { told.push_back(notice.Filled()); });
        storage.Check();
        const bool toldAtStart = told.size() == 1;
        const bool kept = storage.Keep(std::nullopt, "begin 1 1\n", 0);
        _exit(toldAtStart && !kept && told.size() == 1 &&
                      told[0] == "O registro das partidas não pode ser guardado em " + records +
                                     ": falta permissão."
                  ? 0
                  : 4);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(home + "/.local")));
}

// The settings follow the XDG rules: a relative folder is ignored as if
// unset, and without a home they are kept nowhere, never under "/".
TEST(Storage, TheSettingsFollowTheXdgRulesAndWithoutAHomeAreKeptNowhere) {
    Environment environment;
    QTemporaryDir config, home;
    environment.Set("HOME", home.path().toUtf8().constData());
    environment.Set("XDG_CONFIG_HOME", config.path().toUtf8().constData());
    EXPECT_EQ(qt::SettingsFile(), config.path() + "/pelmar/pelmar.conf");
    qt::KeepView({3, false, true});
    EXPECT_TRUE(QFile::exists(config.path() + "/pelmar/pelmar.conf"));
    EXPECT_EQ(qt::LoadKeptView().zoom, 3);
    // The language chosen in the menu; a hand-edited one the game does not
    // speak is the desktop's, and so is choosing the desktop's again.
    EXPECT_EQ(qt::KeptLanguage(), QString());
    qt::KeepLanguage("en");
    EXPECT_EQ(qt::KeptLanguage(), "en");
    for (const char* bad : {"fr", "../en", "en\nzoom=9", "pt_BR", "C"}) {
        QSettings(qt::SettingsFile(), QSettings::IniFormat).setValue("language", bad);
        EXPECT_EQ(qt::KeptLanguage(), QString()) << bad;
    }
    qt::KeepLanguage("pt");
    EXPECT_EQ(qt::KeptLanguage(), "pt");
    qt::KeepLanguage(QString());
    EXPECT_EQ(qt::KeptLanguage(), QString());
    environment.Set("XDG_CONFIG_HOME", "config");
    environment.Set("XDG_DATA_HOME", "data");
    EXPECT_EQ(qt::SettingsFile(), home.path() + "/.config/pelmar/pelmar.conf");
    EXPECT_EQ(host::UserDataFolder(), home.path().toStdString() + "/.local/share/pelmar");
    environment.Set("HOME", nullptr);
    EXPECT_TRUE(qt::SettingsFile().isEmpty());
    EXPECT_FALSE(host::UserConfigFolder().has_value());
    EXPECT_FALSE(qt::TableFoldersForThisBuild().data.has_value());
    qt::KeepView({2, true, false});
    EXPECT_FALSE(qt::LoadKeptView().zoom.has_value());
    qt::KeepLanguage("en");
    EXPECT_EQ(qt::KeptLanguage(), QString()) << "kept nowhere";
}

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
#include "Fixture.h"

#include "game/ScoreFormat.h"
#include "host/TableStorage.h"

#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>

#include <csignal>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace scores = game::scores;

namespace {

std::string Bytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

TEST(ScoreFile, EveryByteIsFlippedAndLinesEndInAPlainCrLf) {
    const std::string file = scores::Write({{1, 1, "Ana", 0}, {1, 99, "", 10}});
    ASSERT_EQ(file.size(), 2 * (17 + 2 + 2) + 1);
    EXPECT_EQ(static_cast<unsigned char>(file[0]), 255) << "table 1";
    EXPECT_EQ(static_cast<unsigned char>(file[1]), 255) << "level 1";
    EXPECT_EQ(static_cast<unsigned char>(file[2]), 256 - 'A');
    EXPECT_EQ(static_cast<unsigned char>(file[5]), 224) << "a space of the padded name";
    EXPECT_EQ(static_cast<unsigned char>(file[17]), 224) << "the points' leading space";
    EXPECT_EQ(static_cast<unsigned char>(file[18]), 208) << "the digit 0";
    EXPECT_EQ(file.substr(19, 2), "\r\n");
    EXPECT_EQ(static_cast<unsigned char>(file[22]), 157) << "level 99";
}

TEST(ScoreFile, ATableReadsBackAsItWasWritten) {
    const std::vector<scores::Record> table{{1, 12, "Maria José     ", 9999999999},
                                            {1, 3, "Ã Ç É Ó Ö ão   ", 2147483648},
                                            {2, 255, "ôó ö           ", -7},
                                            {3, 1, "Vencedor       ", 0}};
    const std::string bytes = scores::Write(table);
    const auto back = scores::Read(bytes);
    ASSERT_EQ(back.size(), table.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(back[i].table, table[i].table);
        EXPECT_EQ(back[i].level, table[i].level);
        EXPECT_EQ(back[i].name, table[i].name);
        EXPECT_EQ(back[i].points, table[i].points);
    }
    EXPECT_EQ(scores::Write(back), bytes) << "byte for byte";
}

TEST(ScoreFile, ANameWhoseFlippedBytesHoldALineEndStillReadsBack) {
    // ó flips to CR and ö to LF; apart they do not end a line.
    const std::string name = "ó x ö xö ó     ";
    const auto back = scores::Read(scores::Write({{1, 5, name, 42}}));
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].name, name);
    EXPECT_EQ(back[0].points, 42);
}

TEST(ScoreFile, TheNameBoxRefusesOnlyWhatTheFileCannotHold) {
    EXPECT_TRUE(scores::NameFits("João Ção ö ó"));
    EXPECT_TRUE(scores::NameFits("€‰ŒŸ"));
    EXPECT_FALSE(scores::NameFits("óö")) << "a CR LF pair once flipped";
    EXPECT_FALSE(scores::NameFits("日本"));
    EXPECT_FALSE(scores::NameFits("tab\there"));
    EXPECT_FALSE(scores::NameFits(std::string("\xC3", 1))) << "not UTF-8";
}

TEST(ScoreFile, ReadingTakesEveryLineOfTablesOneToThreeAndSkipsTheRest) {
    std::string odd;
    odd += "\r\n";                                              // an empty line
    odd += "\x01\r\n";                                          // one character
    odd += std::string("\xFF\xFF\0abc", 6) + "\r\n";            // a byte 0
    odd += scores::Flip(std::string("\x04\x05name")) + "\r\n";  // table 4
    odd += scores::Flip(std::string("\x09\x05name")) + "\r\n";  // table 9
    odd += scores::Flip(std::string("\x01\x07short")) + "\r\n"; // no points
    odd += scores::Flip(std::string("\x01\x08") + std::string(15, 'n') + "   12abc") + "\r\n";
    odd +=
        scores::Flip(std::string("\x01\x09") + std::string(15, 'n') + " 99999999999999999999999") +
        "\n"; // no CR
    odd += scores::Flip(std::string("\x01\x0A") + std::string(15, 'n') + " -2.5") + "\r\n";
    odd += scores::Flip(std::string("\x02\x0B") + "Last line      " + " 90"); // no line end
    const auto records = scores::Read(odd);
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0].level, 7);
    EXPECT_EQ(records[0].name, "short");
    EXPECT_EQ(records[0].points, 0);
    EXPECT_EQ(records[1].points, 12) << "junk after the digits";
    EXPECT_EQ(records[2].level, 9) << "without CR the LF does not end the line";
    EXPECT_EQ(records[3].table, 2);
    EXPECT_EQ(records[3].points, 90) << "the last line needs no CR LF";
    EXPECT_TRUE(scores::HoldsATable(odd));
    EXPECT_EQ(scores::ReadPoints("  3.5"), 4);
    EXPECT_EQ(scores::ReadPoints("2.5"), 2);
    EXPECT_EQ(scores::ReadPoints("x12"), 0);
    EXPECT_EQ(scores::ReadPoints(std::string(5000, '9')), 9007199254740992);
}

TEST(ScoreFile, OnlyAFileWithNoRecordAtAllIsNoTable) {
    const std::string file = scores::Write({{1, 9, "Bia", 12000}, {1, 7, "Ana", 9000}});
    EXPECT_TRUE(scores::HoldsATable(file));
    EXPECT_TRUE(scores::HoldsATable(""));
    EXPECT_TRUE(scores::HoldsATable(file + scores::Flip("\x04\x01x") + "\r\n")) << "table 4";
    EXPECT_TRUE(scores::HoldsATable(file.substr(0, file.size() - 4))) << "cut in the points";
    EXPECT_FALSE(scores::HoldsATable("PK\x03\x04 not a table\r\n")) << "a foreign file";
    EXPECT_FALSE(scores::HoldsATable("just some text\nof two lines\n"));
    EXPECT_FALSE(scores::HoldsATable(scores::Flip(std::string("\x04\x01x")) + "\r\n"));
    // Random bytes, however they fall, hold no line the game could have written.
    std::mt19937 draw(7);
    for (int i = 0; i < 200; ++i) {
        std::string noise(1 + draw() % 4000, '\0');
        for (char& c : noise) {
            c = static_cast<char>(draw());
        }
        EXPECT_FALSE(scores::HoldsATable(noise)) << "draw " << i;
    }
}

TEST(ScoreFile, ATableWhoseLineEndsBecameLfReadsEveryRecordAndWritesBackInCrLf) {
    // ö flips to the byte LF: inside a name it does not end the line.
    const std::vector<scores::Record> table{{1, 9, "Bia            ", 12000},
                                            {1, 7, "Zoë ö          ", 9000},
                                            {2, 3, "Ana            ", -7}};
    const std::string crlf = scores::Write(table);
    std::string lf;
    for (std::size_t at = 0; at < crlf.size(); ++at) {
        if (crlf.compare(at, 2, "\r\n") == 0) {
            lf += '\n';
            ++at;
        } else {
            lf += crlf[at];
        }
    }
    const auto back = scores::Read(lf);
    ASSERT_EQ(back.size(), 3u);
    EXPECT_EQ(back[1].name, "Zoë ö          ");
    EXPECT_EQ(back[2].points, -7);
    EXPECT_TRUE(scores::HoldsATable(lf));
    EXPECT_EQ(scores::Write(back), crlf) << "saved again in the game's own line ends";
}

TEST(ScoreFile, AVeryLargeFileIsReadOnlyAsFarAsTheFormatNeeds) {
    const std::string line = scores::Write({{1, 1, "x", 1}});
    std::string huge;
    while (huge.size() < 4 * scores::MostBytesRead) {
        huge += line;
    }
    // The line the limit cuts through is not read.
    EXPECT_EQ(scores::Read(huge).size(), scores::MostBytesRead / line.size());
    EXPECT_TRUE(scores::HoldsATable(huge));
}

namespace {

// A table of seven places whose names all start with `name`.
std::string SevenPlaces(const std::string& name) {
    std::vector<scores::Record> records;
    for (int p = 1; p <= scores::Places; ++p) {
        records.push_back({1, p, name + std::to_string(p), 1000 - p});
    }
    return scores::Write(records);
}

// A store of the table in `folder` (and `data`), keeping what it tells.
struct Store {
    std::vector<std::string> told;
    host::TableStorage storage;
    Store(const std::filesystem::path& folder, std::optional<std::string> data,
          host::TableStorage::System system = host::TableStorage::RealSystem())
        : storage(
              {folder.string(), std::move(data)},
              [this](const ui::Notice& notice) { told.push_back(notice.Filled()); },
              std::move(system)) {}
};

std::vector<std::string> FileNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

void Put(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

} // namespace

TEST(ScoreStore, AReaderSeesTheOldTableOrTheNewOneWholeEvenWhenAWriterIsKilled) {
    TempDir dir;
    const std::string a = SevenPlaces("a"), b = SevenPlaces("bb");
    Store store(dir.path(), std::nullopt);
    ASSERT_TRUE(store.storage.Replace("pelmar.Dat", a));
    const pid_t writer = fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
        Store own(dir.path(), std::nullopt);
        for (int i = 0;; ++i) {
            own.storage.Replace("pelmar.Dat", i % 2 == 0 ? b : a);
        }
    }
    for (int i = 0; i < 300; ++i) {
        const std::string seen = store.storage.Read("pelmar.Dat");
        ASSERT_TRUE(seen == a || seen == b) << "read " << seen.size() << " bytes";
    }
    kill(writer, SIGKILL);
    waitpid(writer, nullptr, 0);
    const std::string last = store.storage.Read("pelmar.Dat");
    EXPECT_TRUE(last == a || last == b) << "a save cut off leaves one table whole";
    EXPECT_TRUE(store.told.empty());
}

TEST(ScoreStore, ASaveRemovesTheTemporaryFilesOfKilledSavesButNotOfRunningOnes) {
    TempDir dir;
    Put(dir.path() / "pelmar.Dat.4242-0.tmp", "killed long ago");
    Put(dir.path() / "pelmar.Dat.4343-0.tmp", "being written now");
    Put(dir.path() / "pelmar.Dat.backup", "the player's own");
    const timespec old[2] = {{time(nullptr) - 3600, 0}, {time(nullptr) - 3600, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, (dir.path() / "pelmar.Dat.4242-0.tmp").c_str(), old, 0), 0);
    Store store(dir.path(), std::nullopt);
    ASSERT_TRUE(store.storage.Replace("pelmar.Dat", SevenPlaces("x")));
    EXPECT_EQ(FileNames(dir.path()),
              (std::vector<std::string>{"pelmar.Dat", "pelmar.Dat.4343-0.tmp", "pelmar.Dat.backup",
                                        "pelmar.Dat.lock"}));
}

TEST(ScoreStore, TwoGamesSavingAtOnceNeverMixTheirTables) {
    TempDir dir;
    const std::string first = SevenPlaces("1"), second = SevenPlaces("22");
    auto saveMany = [&](const std::string& table) {
        Store store(dir.path(), std::nullopt);
        for (int i = 0; i < 100; ++i) {
            EXPECT_TRUE(store.storage.Replace("pelmar.Dat", table));
        }
    };
    std::thread one(saveMany, first), two(saveMany, second);
    one.join();
    two.join();
    const std::string last = Bytes(dir.path() / "pelmar.Dat");
    EXPECT_TRUE(last == first || last == second);
    EXPECT_EQ(FileNames(dir.path()), (std::vector<std::string>{"pelmar.Dat", "pelmar.Dat.lock"}))
        << "a temporary file was left behind";
}

TEST(ScoreStore, AMissingFileIsCreatedEmpty) {
    TempDir dir;
    Store store(dir.path(), std::nullopt);
    EXPECT_EQ(store.storage.Read("pelmar.Dat"), "");
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "pelmar.Dat"));
    EXPECT_EQ(std::filesystem::file_size(dir.path() / "pelmar.Dat"), 0u);
}

TEST(ScoreStore, TheUsersCopyWinsOverAShippedOneWhenTheProgramsDirectoryIsReadOnly) {
    TempDir dir;
    const auto missing = dir.path() / "no-such-directory";
    Store store(missing, (dir.path() / "data").string());
    EXPECT_TRUE(store.storage.Replace("pelmar.Dat", SevenPlaces("mine")));
    EXPECT_EQ(Bytes(dir.path() / "data" / "pelmar.Dat"), SevenPlaces("mine"));
    EXPECT_EQ(store.storage.Read("pelmar.Dat"), SevenPlaces("mine"));
    EXPECT_EQ(store.storage.Folder(), (dir.path() / "data").string());
}

TEST(ScoreStore, NowhereToSaveIsNotACrashAndIsTold) {
    Store store("/proc/self", std::nullopt);
    EXPECT_FALSE(store.storage.Folder().has_value());
    EXPECT_FALSE(store.storage.Replace("pelmar.Dat", "lost"));
    EXPECT_EQ(store.storage.Read("pelmar.Dat"), "");
    ASSERT_EQ(store.told.size(), 1u);
    EXPECT_EQ(store.told[0], "O recorde não pôde ser guardado em /proc/self: a pasta do jogo não "
                             "aceita escrita e não há pasta do usuário. A tabela antiga ficou como "
                             "estava.");
}

TEST(ScoreStore, WithoutAHomeThereIsNoUsersFolderUnderTheRoot) {
    const std::string home = getenv("HOME") != nullptr ? getenv("HOME") : "";
    const std::string xdg = getenv("XDG_DATA_HOME") != nullptr ? getenv("XDG_DATA_HOME") : "";
    unsetenv("HOME");
    unsetenv("XDG_DATA_HOME");
    EXPECT_FALSE(host::UserDataFolder().has_value());
    setenv("HOME", "/home/ana", 1);
    EXPECT_EQ(host::UserDataFolder(), "/home/ana/.local/share/pelmar");
    setenv("XDG_DATA_HOME", "/data", 1);
    EXPECT_EQ(host::UserDataFolder(), "/data/pelmar");
    home.empty() ? unsetenv("HOME") : setenv("HOME", home.c_str(), 1);
    xdg.empty() ? unsetenv("XDG_DATA_HOME") : setenv("XDG_DATA_HOME", xdg.c_str(), 1);
}

TEST(ScoreStore, AFullDiskKeepsTheOldTableByteForByteAndSaysSo) {
    TempDir dir;
    const std::string old = SevenPlaces("old");
    Put(dir.path() / "pelmar.Dat", old);
    auto system = host::TableStorage::RealSystem();
    // The disk takes ten bytes, then is full.
    system.write = [](int fd, const void* data, std::size_t size) -> ssize_t {
        if (lseek(fd, 0, SEEK_CUR) >= 10) {
            errno = ENOSPC;
            return -1;
        }
        return write(fd, data, std::min<std::size_t>(size, 10));
    };
    Store store(dir.path(), (dir.path() / "data").string(), system);
    EXPECT_FALSE(store.storage.Replace("pelmar.Dat", SevenPlaces("new")));
    EXPECT_EQ(Bytes(dir.path() / "pelmar.Dat"), old);
    EXPECT_EQ(FileNames(dir.path()), (std::vector<std::string>{"pelmar.Dat", "pelmar.Dat.lock"}));
    ASSERT_EQ(store.told.size(), 1u);
    EXPECT_EQ(store.told[0], "O recorde não pôde ser guardado em " + dir.path().string() +
                                 ": o disco está cheio. A tabela antiga ficou como estava.");
}

TEST(ScoreStore, ATableThatCannotBeReadIsSetAsideOnceNeverOverwritten) {
    TempDir dir;
    const std::string mine = SevenPlaces("mine");
    Put(dir.path() / "pelmar.Dat", mine);
    auto system = host::TableStorage::RealSystem();
    // As a file of mode 0200 reads for anyone but root.
    system.openToRead = [](const char* path, int flags) {
        if (std::string_view(path).ends_with("/pelmar.Dat")) {
            errno = EACCES;
            return -1;
        }
        return open(path, flags);
    };
    Store store(dir.path(), std::nullopt, system);
    EXPECT_EQ(store.storage.Folder(), dir.path().string());
    EXPECT_EQ(Bytes(dir.path() / "pelmar.Dat.bad"), mine);
    ASSERT_EQ(store.told.size(), 1u);
    const std::string file = (dir.path() / "pelmar.Dat").string();
    EXPECT_EQ(store.told[0], "A tabela de recordes " + file +
                                 " não pôde ser lida (falta "
                                 "permissão). Ela foi guardada como " +
                                 file + ".bad e o jogo começa com uma tabela vazia.");
    // Once aside, another unreadable table stays where it is.
    Put(dir.path() / "pelmar.Dat", "second");
    EXPECT_FALSE(store.storage.Replace("pelmar.Dat", SevenPlaces("new")));
    EXPECT_EQ(Bytes(dir.path() / "pelmar.Dat"), "second");
    EXPECT_EQ(Bytes(dir.path() / "pelmar.Dat.bad"), mine);
}

TEST(ScoreStore, AFileOfMode0200IsSetAsideForAPlayerWhoCannotReadIt) {
    TempDir dir;
    Put(dir.path() / "pelmar.Dat", SevenPlaces("mine"));
    ASSERT_EQ(chmod((dir.path() / "pelmar.Dat").c_str(), 0200), 0);
    // Root reads any file: the check runs as nobody where the test is root.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (geteuid() == 0 && (chown(dir.path().c_str(), 65534, 65534) != 0 ||
                               chown((dir.path() / "pelmar.Dat").c_str(), 65534, 65534) != 0 ||
                               setgid(65534) != 0 || setuid(65534) != 0)) {
            _exit(3);
        }
        Store store(dir.path(), std::nullopt);
        const bool saved = store.storage.Replace("pelmar.Dat", SevenPlaces("new"));
        _exit(saved && store.told.size() == 1 ? 0 : 4);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);
    // Set aside as it was, unreadable: read it here as its owner may.
    ASSERT_EQ(chmod((dir.path() / "pelmar.Dat.bad").c_str(), 0600), 0);
    EXPECT_EQ(Bytes(dir.path() / "pelmar.Dat.bad"), SevenPlaces("mine")) << "kept whole";
    EXPECT_EQ(Bytes(dir.path() / "pelmar.Dat"), SevenPlaces("new"));
    struct stat st {};
    ASSERT_EQ(stat((dir.path() / "pelmar.Dat").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0600, 0600u) << "the new table can be read";
}

TEST(ScoreStore, AFifoOrAFolderNamedLikeTheTableIsNeverOpenedAndMovedAside) {
    for (const bool fifo : {true, false}) {
        TempDir dir;
        const auto path = dir.path() / "pelmar.Dat";
        ASSERT_EQ(fifo ? mkfifo(path.c_str(), 0644) : mkdir(path.c_str(), 0755), 0);
        Store store(dir.path(), std::nullopt);
        EXPECT_EQ(store.storage.Read("pelmar.Dat"), "");
        EXPECT_TRUE(store.storage.Replace("pelmar.Dat", SevenPlaces("new")));
        EXPECT_EQ(Bytes(path), SevenPlaces("new"));
        struct stat st {};
        ASSERT_EQ(lstat((dir.path() / "pelmar.Dat.bad").c_str(), &st), 0);
        EXPECT_TRUE(fifo ? S_ISFIFO(st.st_mode) : S_ISDIR(st.st_mode));
        ASSERT_EQ(store.told.size(), 1u);
        EXPECT_NE(store.told[0].find("não é um arquivo comum"), std::string::npos);
    }
}

TEST(ScoreStore, ALinkIsReadThroughAndReplacedAsALinkItsTargetUntouched) {
    TempDir dir;
    const std::string shared = SevenPlaces("shared");
    Put(dir.path() / "elsewhere.Dat", shared);
    std::filesystem::create_symlink(dir.path() / "elsewhere.Dat", dir.path() / "pelmar.Dat");
    Store store(dir.path(), std::nullopt);
    EXPECT_EQ(store.storage.Read("pelmar.Dat"), shared);
    ASSERT_TRUE(store.storage.Replace("pelmar.Dat", SevenPlaces("new")));
    EXPECT_EQ(Bytes(dir.path() / "elsewhere.Dat"), shared);
    EXPECT_FALSE(std::filesystem::is_symlink(dir.path() / "pelmar.Dat"));
    EXPECT_EQ(Bytes(dir.path() / "pelmar.Dat"), SevenPlaces("new"));
}

TEST(ScoreStore, AnInstalledGameKeepsItsTableInTheUsersFolderOnly) {
    TempDir dir;
    const auto program = dir.path() / "program";
    std::filesystem::create_directories(program);
    Put(program / "pelmar.Dat", SevenPlaces("shipped"));
    const host::TableFolders folders{program.string(), (dir.path() / "data").string(), true};
    EXPECT_EQ(host::TableStorage::FolderFor(folders), (dir.path() / "data").string());
    host::TableStorage installed(folders, {});
    EXPECT_EQ(installed.Read("pelmar.Dat"), "");
    ASSERT_TRUE(installed.Replace("pelmar.Dat", SevenPlaces("mine")));
    EXPECT_EQ(Bytes(program / "pelmar.Dat"), SevenPlaces("shipped"));
    EXPECT_EQ(Bytes(dir.path() / "data" / "pelmar.Dat"), SevenPlaces("mine"));
    EXPECT_EQ(host::TableStorage::FolderFor({program.string(), std::nullopt}), program.string())
        << "a portable game keeps it beside the program";
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "Fixture.h"

#include "FolderStorage.h"
#include "game/ScoreFormat.h"

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

TEST(ScoreFile, ReadingToleratesAnyFile) {
    std::string odd;
    odd += "\r\n";                                              // an empty line
    odd += "\x01\r\n";                                          // one character
    odd += std::string("\xFF\xFF\0abc", 6) + "\r\n";            // a byte 0
    odd += scores::Flip(std::string("\x04\x05name")) + "\r\n";  // table 4
    odd += scores::Flip(std::string("\x01\x07short")) + "\r\n"; // no points
    odd += scores::Flip(std::string("\x01\x08") + std::string(15, 'n') + "   12abc") + "\r\n";
    odd +=
        scores::Flip(std::string("\x01\x09") + std::string(15, 'n') + " 99999999999999999999999") +
        "\n"; // no CR
    odd += scores::Flip(std::string("\x01\x0A") + std::string(15, 'n') + " -2.5") + "\r\n";
    const auto records = scores::Read(odd);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].level, 7);
    EXPECT_EQ(records[0].name, "short");
    EXPECT_EQ(records[0].points, 0);
    EXPECT_EQ(records[1].points, 12);
    EXPECT_EQ(records[2].level, 9) << "without CR the LF does not end the line";
    EXPECT_EQ(scores::ReadPoints("  3.5"), 4);
    EXPECT_EQ(scores::ReadPoints("2.5"), 2);
    EXPECT_EQ(scores::ReadPoints("x12"), 0);
    EXPECT_EQ(scores::ReadPoints(std::string(5000, '9')), 9007199254740992);
}

TEST(ScoreFile, ARecordCutShortIsNotARecordAndItsFileIsNotWhole) {
    const std::string file = scores::Write({{1, 9, "Bia", 12000}, {1, 7, "Ana", 9000}});
    const std::string cut = file.substr(0, file.size() - 4); // "Ana" ends at " 90"
    const auto records = scores::Read(cut);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].points, 12000);
    EXPECT_FALSE(scores::IsWholeTable(cut));
    EXPECT_TRUE(scores::IsWholeTable(file));
    EXPECT_TRUE(scores::IsWholeTable(""));
    EXPECT_FALSE(scores::IsWholeTable("PK\x03\x04 not a table\r\n")) << "a foreign file";
    EXPECT_FALSE(scores::IsWholeTable(file + scores::Flip("\x04\x01x") + "\r\n")) << "table 4";
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
    EXPECT_TRUE(scores::IsWholeTable(lf));
    EXPECT_EQ(scores::Write(back), crlf) << "saved again in the game's own line ends";
}

TEST(ScoreFile, AVeryLargeFileIsReadOnlyAsFarAsTheFormatNeeds) {
    const std::string line = scores::Write({{1, 1, "x", 1}});
    std::string huge;
    while (huge.size() < 4 * scores::MostBytesRead) {
        huge += line;
    }
    // The line the limit cuts through is a record cut short.
    EXPECT_EQ(scores::Read(huge).size(), scores::MostBytesRead / line.size());
    EXPECT_FALSE(scores::IsWholeTable(huge));
}

TEST(ScoreStore, AReaderSeesTheOldTableOrTheNewOneWholeEvenWhenAWriterIsKilled) {
    TempDir dir;
    const std::string a(100000, 'a'), b(150000, 'b');
    sim::FolderStorage store(dir.path(), dir.path() / "data");
    ASSERT_TRUE(store.Replace("pelmar.Dat", a));
    const pid_t writer = fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
        sim::FolderStorage own(dir.path(), dir.path() / "data");
        for (int i = 0;; ++i) {
            own.Replace("pelmar.Dat", i % 2 == 0 ? b : a);
        }
    }
    for (int i = 0; i < 300; ++i) {
        const std::string seen = store.Read("pelmar.Dat");
        ASSERT_TRUE(seen == a || seen == b) << "read " << seen.size() << " bytes";
    }
    kill(writer, SIGKILL);
    waitpid(writer, nullptr, 0);
    const std::string last = store.Read("pelmar.Dat");
    EXPECT_TRUE(last == a || last == b) << "a save cut off leaves one table whole";
}

TEST(ScoreStore, TwoGamesSavingAtOnceNeverMixTheirTables) {
    TempDir dir;
    const std::string first(50000, '1'), second(70000, '2');
    auto saveMany = [&](const std::string& table) {
        sim::FolderStorage store(dir.path(), dir.path() / "data");
        for (int i = 0; i < 100; ++i) {
            EXPECT_TRUE(store.Replace("pelmar.Dat", table));
        }
    };
    std::thread one(saveMany, first), two(saveMany, second);
    one.join();
    two.join();
    const std::string last = Bytes(dir.path() / "pelmar.Dat");
    EXPECT_TRUE(last == first || last == second);
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        EXPECT_EQ(entry.path().filename(), "pelmar.Dat") << "a temporary file was left behind";
        ++files;
    }
    EXPECT_EQ(files, 1);
}

TEST(ScoreStore, AMissingFileIsCreatedEmpty) {
    TempDir dir;
    sim::FolderStorage store(dir.path(), dir.path() / "data");
    EXPECT_EQ(store.Read("pelmar.Dat"), "");
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "pelmar.Dat"));
    EXPECT_EQ(std::filesystem::file_size(dir.path() / "pelmar.Dat"), 0u);
}

TEST(ScoreStore, TheUsersCopyWinsOverAShippedOneWhenTheProgramsDirectoryIsReadOnly) {
    TempDir dir;
    const auto missing = dir.path() / "no-such-directory";
    sim::FolderStorage store(missing, dir.path() / "data");
    EXPECT_TRUE(store.Replace("pelmar.Dat", "mine"));
    EXPECT_EQ(Bytes(dir.path() / "data" / "pelmar.Dat"), "mine");
    EXPECT_EQ(store.Read("pelmar.Dat"), "mine");
    EXPECT_EQ(store.PathOf("pelmar.Dat"), dir.path() / "data" / "pelmar.Dat");
}

TEST(ScoreStore, NowhereToSaveIsNotACrash) {
    sim::FolderStorage store("/proc/self", "/proc/self/nothing");
    EXPECT_FALSE(store.Replace("pelmar.Dat", "lost"));
    EXPECT_EQ(store.Read("pelmar.Dat"), "");
}

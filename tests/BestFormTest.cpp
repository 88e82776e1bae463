// SPDX-License-Identifier: GPL-3.0-or-later
#include "Fixture.h"

#include "game/ScoreFormat.h"

namespace scores = game::scores;

namespace {

class BestFormTest : public GameTest {
protected:
    windows::BestForm& best = sim.windows.best;
    std::filesystem::path File() const { return dir.path() / "pelmar.Dat"; }
    std::string Bytes() const {
        std::ifstream in(File(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    void Table(const std::vector<std::int64_t>& points) {
        std::vector<scores::Record> records;
        int level = 20;
        for (std::int64_t p : points) {
            records.push_back({1, level--, "P" + std::to_string(p), p});
        }
        std::ofstream(File(), std::ios::binary) << scores::Write(records);
    }
    // The game ends with this score.
    void GameOverWith(double score) {
        g.Score = score;
        g.Level = 4;
        g.Lives = 0;
        Tick();
    }
};

} // namespace

TEST_F(BestFormTest, WithoutAFileTheTableIsEmptyAndTheFileIsCreated) {
    cfrm.MenuMelhores->onClick();
    EXPECT_TRUE(best.Visible());
    EXPECT_FALSE(cfrm.Enabled());
    EXPECT_TRUE(std::filesystem::exists(File()));
    EXPECT_EQ(best.Lugar[0]->Caption(), "1º");
    EXPECT_EQ(best.Nome[0]->Caption(), "NOME");
    EXPECT_EQ(best.Picture1->Picture(), best.melhores->Picture());
    EXPECT_FALSE(best.Text1->Visible());
    best.Command1->onClick();
    EXPECT_TRUE(cfrm.Enabled());
    EXPECT_FALSE(best.Visible());
}

TEST_F(BestFormTest, NoPointsNeverEnterAnEmptyTable) {
    platform.scripted().yesNo = {true};
    GameOverWith(0);
    EXPECT_FALSE(best.Visible()) << "gone at once; only the question remains";
    ASSERT_TRUE(platform.scripted().lastMessageBox.has_value());
    EXPECT_EQ(platform.scripted().lastMessageBox->prompt, "Deseja jogar novamente?");
    EXPECT_EQ(platform.scripted().lastMessageBox->title, "Fim do Jogo.");
    EXPECT_EQ(Bytes(), "") << "not rewritten";
    EXPECT_TRUE(cfrm.Enabled());
    EXPECT_EQ(g.Lives, 50) << "Yes starts a new game";
    EXPECT_TRUE(cfrm.Timer1->Enabled());
}

TEST_F(BestFormTest, AResultAboveTheFifthTakesItsPlaceAndTheSeventhIsDropped) {
    Table({700, 600, 500, 400, 300, 200, 100});
    platform.scripted().yesNo = {true};
    GameOverWith(350);
    ASSERT_TRUE(best.Visible());
    EXPECT_EQ(best.Picture1->Picture(), best.entre->Picture());
    EXPECT_EQ(best.BestRow, 5);
    EXPECT_TRUE(best.Text1->Visible());
    EXPECT_EQ(best.Text1->Top(), best.Nome[4]->Top());
    EXPECT_EQ(best.Text1->Text(), "Vencedor");
    EXPECT_EQ(best.Pontos[4]->Caption(), "350");
    EXPECT_EQ(best.Sequencia[4]->Caption(), "4");
    EXPECT_EQ(best.Pontos[5]->Caption(), "300");
    EXPECT_EQ(best.Pontos[6]->Caption(), "200");
    sim.Execute("text BestForm.Text1 Zé Ninguém", std::cout);
    best.Command1->onClick();
    const auto saved = scores::Read(Bytes());
    ASSERT_EQ(saved.size(), 7u);
    EXPECT_EQ(saved[4].name, "Zé Ninguém     ") << "trailing spaces are stored";
    EXPECT_EQ(saved[4].points, 350);
    EXPECT_EQ(saved[6].points, 200);
}

TEST_F(BestFormTest, AnEqualScoreRanksBelow) {
    Table({700, 600, 500});
    GameOverWith(500);
    EXPECT_EQ(best.BestRow, 4);
}

TEST_F(BestFormTest, TheBoxNamesTheNewPlaceEvenIfItAlreadyReadVencedor) {
    Table({700});
    GameOverWith(800);
    best.Command1->onClick();
    const auto saved = scores::Read(Bytes());
    ASSERT_EQ(saved.size(), 2u);
    EXPECT_EQ(saved[0].name, "Vencedor       ");
    EXPECT_EQ(saved[1].name, "P700           ");
}

TEST_F(BestFormTest, AnEmptiedNameIsSavedAsFifteenSpaces) {
    GameOverWith(10);
    sim.Execute("text BestForm.Text1 ", std::cout);
    best.Command1->onClick();
    EXPECT_EQ(scores::Read(Bytes())[0].name, std::string(15, ' '));
}

TEST_F(BestFormTest, NoEndsTheProgramWithoutAnythingFurther) {
    Table({700, 600, 500, 400, 300, 200, 100});
    const std::string before = Bytes();
    platform.scripted().yesNo = {false};
    GameOverWith(5);
    EXPECT_TRUE(platform.Ended());
    EXPECT_EQ(Bytes(), before);
    EXPECT_FALSE(cfrm.Enabled()) << "nothing more runs";
}

TEST_F(BestFormTest, PointsAboveTheThirtyTwoBitRangeAreKeptExactly) {
    GameOverWith(9999999999.0);
    best.Command1->onClick();
    EXPECT_EQ(scores::Read(Bytes())[0].points, 9999999999);
    cfrm.MenuMelhores->onClick();
    EXPECT_EQ(best.Pontos[0]->Caption(), "9999999999");
}

TEST_F(BestFormTest, TheNameBoxTakesAtMostFifteenCharactersOfTheCodePage) {
    GameOverWith(10);
    best.Text1->SetText("Ana");
    best.Text1->SetText("ÁÉÍÓÚáéíóúçÇãõüXYZ");
    EXPECT_EQ(best.Text1->Text(), "ÁÉÍÓÚáéíóúçÇãõü");
    best.Text1->SetText("日本");
    EXPECT_EQ(best.Text1->Text(), "ÁÉÍÓÚáéíóúçÇãõü") << "refused as if not typed";
    EXPECT_EQ(best.BestName[1][1], "ÁÉÍÓÚáéíóúçÇãõü");
}

TEST_F(BestFormTest, OpenedFromTheMenuTheTimerComesBackAsItWas) {
    cfrm.MenuMelhores->onClick();
    EXPECT_TRUE(best.TimerWasOn);
    EXPECT_TRUE(cfrm.Timer1->Enabled()) << "the game goes on behind the window";
    best.Command1->onClick();
    EXPECT_TRUE(cfrm.Timer1->Enabled());
}

TEST_F(BestFormTest, AGameEndingBehindTheOpenTableStillEntersIt) {
    cfrm.MenuMelhores->onClick();
    GameOverWith(300);
    EXPECT_TRUE(best.Text1->Visible());
    EXPECT_EQ(best.BestRow, 1);
    best.Command1->onClick();
    EXPECT_EQ(scores::Read(Bytes())[0].points, 300);
}

TEST_F(BestFormTest, TwoGamesFinishingTogetherBothKeepTheirScores) {
    Table({700, 500, 300});
    sim::Simulator other;
    other.frontEnd.UseFolders({dir.path(), std::nullopt});
    // Both windows have read the table before either saves.
    GameOverWith(600);
    other.game.Score = 400;
    other.game.Level = 2;
    other.game.Lives = 0;
    other.Step(1);
    ASSERT_EQ(other.windows.best.BestRow, 3);
    best.Text1->SetText("Ana");
    other.windows.best.Text1->SetText("Bia");
    best.Command1->onClick();
    other.windows.best.Command1->onClick();
    std::vector<std::string> names;
    for (const scores::Record& r : scores::Read(Bytes())) {
        names.push_back(r.name + std::to_string(r.points));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"P700           700", "Ana            600",
                                               "P500           500", "Bia            400",
                                               "P300           300"}));
    EXPECT_EQ(other.windows.best.BestRow, 4) << "Bia's place in what was saved";
    EXPECT_EQ(other.windows.best.BestPoints[2][1], 600);
}

TEST_F(BestFormTest, AFullDiskKeepsTheOldTableAndTellsThePlayer) {
    Table({700, 500});
    const std::string before = Bytes();
    auto system = host::TableStorage::RealSystem();
    system.write = [](int, const void*, std::size_t) -> ssize_t {
        errno = ENOSPC;
        return -1;
    };
    sim.frontEnd.UseFolders({dir.path(), std::nullopt}, system);
    GameOverWith(600);
    best.Command1->onClick();
    EXPECT_EQ(Bytes(), before) << "byte for byte";
    ASSERT_TRUE(platform.LastNotice().has_value());
    EXPECT_EQ(platform.LastNotice()->Filled(),
              "O recorde não pôde ser guardado em " + dir.path().string() +
                  ": o disco está cheio. A tabela antiga ficou como estava.");
    EXPECT_NE(sim.Dump().find("\"LastNotice\":\"O recorde não pôde ser guardado em "),
              std::string::npos);
    EXPECT_TRUE(cfrm.Enabled()) << "the game goes on";
}

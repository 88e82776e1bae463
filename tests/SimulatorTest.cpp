// SPDX-License-Identifier: GPL-3.0-or-later
#include "Fixture.h"

#include "game/Json.h"

#include <algorithm>
#include <sstream>

#include <regex>

namespace {

std::string RunScript(const std::string& script, int* status = nullptr,
                      std::string* errors = nullptr) {
    sim::Simulator s;
    std::istringstream in(script);
    std::ostringstream out, err;
    const int rc = s.Run(in, out, err);
    if (status != nullptr)
        *status = rc;
    if (errors != nullptr)
        *errors = err.str();
    return out.str();
}

} // namespace

TEST(Simulator, GetPrintsOneJsonLinePerName) {
    const std::string out = RunScript("get Lives\nget KeyStart(1)\nget OrderSlot(3,2)\n"
                                      "get HighlightColour(2,-1)\nget cfrm.forno(2).Top\n"
                                      "get cfrm.Enabled\nget BestForm.Visible\nget CrLf\n");
    EXPECT_EQ(out, "{\"Lives\": 50}\n{\"KeyStart(1)\": 0}\n{\"OrderSlot(3,2)\": 0}\n"
                   "{\"HighlightColour(2,-1)\": 255}\n{\"cfrm.forno(2).Top\": 3990}\n"
                   "{\"cfrm.Enabled\": true}\n{\"BestForm.Visible\": false}\n"
                   "{\"CrLf\": \"\\r\\n\"}\n");
}

TEST(Simulator, SetChangesOnlyWhatItNames) {
    const std::string out = RunScript("set Lives 7\nset cfrm.selec(0).Caption   two  words\n"
                                      "set cfrm.pelmar.Visible false\nset OrderDeck 123\n"
                                      "get Lives\nget cfrm.selec(0).Caption\n"
                                      "get cfrm.pelmar.Visible\nget OrderDeck\n"
                                      "get cfrm.Vidas(0).Picture\n");
    EXPECT_EQ(out, "{\"Lives\": 7}\n{\"cfrm.selec(0).Caption\": \"  two  words\"}\n"
                   "{\"cfrm.pelmar.Visible\": false}\n{\"OrderDeck\": \"123\"}\n"
                   "{\"cfrm.Vidas(0).Picture\": \"Figform.Num(0)\"}\n")
        << "the lives display still shows 50: setting a variable runs nothing";
}

TEST(Simulator, CallRunsProceduresWithWholeNumberArguments) {
    EXPECT_EQ(RunScript("call AddScore 10\ncall AddLives -60\nget Score\nget Lives\n"),
              "{\"Score\": 10}\n{\"Lives\": 0}\n");
}

TEST(Simulator, RunMovesTheClockAndFiresTheTimer) {
    const std::string out = RunScript("run 50 5\nget TickSinceKey\n"
                                      "keydown 65\nget TickSinceKey\n");
    EXPECT_NE(out.find("{\"TickSinceKey\": -1}\n{\"TickSinceKey\": 0}"), std::string::npos) << out;
}

TEST(Simulator, DumpListsEveryVariableAndEveryControl) {
    sim::Simulator s;
    const std::string dump = s.Dump();
    ASSERT_EQ(dump.find('\n'), std::string::npos);
    // Every listed variable is a key of the dump, in list order, before the controls.
    std::size_t last = 0;
    int listed = 0;
    s.game.ForEachVariable([&](const game::VariableInfo& info, const auto&) {
        const std::size_t at = dump.find("\"" + std::string(info.name) + "\":");
        EXPECT_NE(at, std::string::npos) << info.name;
        EXPECT_GT(at, last) << info.name;
        last = at;
        ++listed;
    });
    EXPECT_LT(last, dump.find("\"controls\":"));
    EXPECT_GT(listed, 40);
    for (ui::Form* form : s.windows.All()) {
        EXPECT_NE(dump.find("\"" + form->name() + "\":{\"Left\""), std::string::npos);
        for (const auto& c : form->controls()) {
            EXPECT_NE(dump.find("\"" + c->FullName() + "\":{"), std::string::npos) << c->FullName();
        }
    }
    for (const char* key :
         {"\"HighlightColour\":[[65280,13696976],[255,13684991],"
          "[16711680,16765136]]",
          "\"KeyStart\":[0,0,0,0]", "\"LastInputBox\":null", "\"LastMessageBox\":null",
          "\"HelpOpened\":0", "\"Clock\":3600000", "\"cfrm.pelmar\":{\"Left\":2685,\"Top\":1365",
          "\"Picture\":\"Figform.pelmar(2)\"", "\"BestForm\":{\"BestName\":[[",
          "\"cfrm.MenuDisplay\":{", "\"Checked\":false", "\"WindowState\":0"}) {
        EXPECT_NE(dump.find(key), std::string::npos) << key;
    }
}

TEST(Simulator, EveryListedVariableCanBeReadAndSetByName) {
    sim::Simulator s;
    s.game.ForEachVariable([&](const game::VariableInfo& info, const auto& variable) {
        const std::string name(info.name);
        std::ostringstream out;
        s.Execute("get " + name, out);
        EXPECT_EQ(out.str().rfind("{\"" + name + "\": ", 0), 0u) << out.str();
        // A whole variable, or the first element of an array.
        std::string target = name;
        if constexpr (requires { variable.lower; }) {
            target += "(" + std::to_string(variable.lower) + ")";
        } else if constexpr (requires { variable.lower1; }) {
            target +=
                "(" + std::to_string(variable.lower1) + "," + std::to_string(variable.lower2) + ")";
        }
        const bool text = std::is_same_v<std::decay_t<decltype(variable)>, std::string>;
        // 7, or the nearest value the list allows (a flag takes -1 or 0).
        const std::string seven =
            text ? "7" : game::JsonNumber(std::clamp(7.0, info.lowest, info.highest));
        std::ostringstream back;
        s.Execute("set " + target + " " + seven, back);
        s.Execute("get " + target, back);
        EXPECT_EQ(back.str(), "{\"" + target + "\": " + (text ? "\"7\"" : seven) + "}\n");
    });
}

TEST(Simulator, SetRefusesAValueOutsideTheVariablesRangeAndLeavesItAsItWas) {
    sim::Simulator s;
    const std::string before = s.Dump();
    for (const char* bad : {"set Level 256", "set Level 0", "set Score 1e308", "set Score -1",
                            "set GameOverPending 1", "set Lives 100", "set ItemKind 6",
                            "set SandwichFilling(3) 32", "set HighlightColour(1,0) 16777216"}) {
        std::ostringstream out;
        EXPECT_THROW(s.Execute(bad, out), sim::ScriptError) << bad;
        EXPECT_EQ(out.str(), "") << bad;
    }
    EXPECT_EQ(s.Dump(), before) << "nothing was touched";
    int status = 0;
    std::string errors;
    RunScript("set Level 256\n", &status, &errors);
    EXPECT_EQ(status, 2);
    EXPECT_EQ(errors, "line 1: cannot set 'Level' to '256'\n");
    EXPECT_EQ(RunScript("set Level 99\nset Score 9999999999\nget Level\nget Score\n"),
              "{\"Level\": 99}\n{\"Score\": 9999999999}\n")
        << "the ends of a range are taken";
}

TEST(Simulator, AMalformedLineStopsWithStatusTwoAndNamesTheLine) {
    for (const char* bad : {"bogus", "get NoSuchName", "advance ten", "call NoSuchProcedure",
                            "call AddScore", "keydown", "set Lives many", "rnd 1.5",
                            "get cfrm.nothing.Left", "menu MenuNada", "begin 3.6e79 150"}) {
        int status = 0;
        std::string errors;
        RunScript(std::string("get Lives\n# comment\n\n") + bad + "\nget Lives\n", &status,
                  &errors);
        EXPECT_EQ(status, 2) << bad;
        EXPECT_NE(errors.find("line 4"), std::string::npos) << bad << ": " << errors;
    }
}

TEST(Simulator, EndingTheProgramStopsTheScript) {
    EXPECT_EQ(RunScript("menu MenuSair\nget Lives\n"), "{\"ended\": true}\n");
}

TEST(Simulator, KeysAndMenusAreDroppedWhileTheMainWindowIsDisabled) {
    EXPECT_EQ(RunScript("menu MenuSobre\nmenu MenuSair\nget cfrm.Enabled\n"
                        "click SobrForm.Command1\nget cfrm.Enabled\n"),
              "{\"cfrm.Enabled\": false}\n{\"cfrm.Enabled\": true}\n");
}

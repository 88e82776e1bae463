// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/Controls.h"
#include "ui/Platform.h"

#include <array>
#include <cstdint>
#include <string>

namespace windows {

using ui::Control;

// What the windows' handlers ask of the game module, which answers them all.
// The windows know nothing more of the game than this.
class GameEvents {
public:
    virtual ~GameEvents() = default;
    virtual ui::Platform& platform() = 0;

    virtual void NewGame() = 0;
    virtual void AskStartLevel() = 0;
    virtual void AskCookSpeed() = 0;
    virtual void ApplyDisplayMode() = 0;
    virtual void KeyDown(int keyCode) = 0;
    virtual void KeyUp(int keyCode) = 0;
    virtual void GameTick() = 0;
    // A game over put off while the window was minimised runs now.
    virtual void FinishPendingGameOver() = 0;
    virtual void EndProgram() = 0;

    // The high-score window: opened from the menu, shown, its name typed, closed.
    virtual void BestOpenedFromMenu() = 0;
    virtual void ShowBestTable() = 0;
    virtual void BestNameTyped() = 0;
    virtual void CloseBestTable() = 0;
};

class BestForm;
class SobrForm;

// Index arrays of controls keep the game's own index values: `forno[1]` is
// the green oven, `Sandest[7]` the seventh belt picture. Unused slots are null.
template <std::size_t N> using ControlArray = std::array<Control*, N>;

// Looks up an element that must exist; a missing one is a programming error.
Control& Element(const Control* const* elements, std::size_t size, int index, const char* what);
template <std::size_t N> Control& At(const ControlArray<N>& array, int index, const char* what) {
    return Element(array.data(), N, index, what);
}

// The main window: the kitchen, the order panel, the counters and the menus.
class Cfrm : public ui::Form {
public:
    Cfrm();

    Control* Lista;
    ControlArray<3> selec{};
    Control* eleme2;
    Control* Picture4;
    ControlArray<11> Pto{};
    Control* LabelPto;
    Control* pelmar;
    Control* Picture3;
    ControlArray<2> fase{};
    ControlArray<2> Vidas{};
    Control* LabelVidas;
    Control* LabelFase;
    Control* Timer1;
    Control* fundo;
    Control* LimEsteira;
    ControlArray<8> Sandest{};
    Control* esteira;
    Control* fogo;
    Control* Picture1;
    Control* eleme;
    Control* Picture2;
    Control* fundo2;
    ControlArray<4> forno{};

    Control* MenuOpcoes;
    Control* MenuNovo;
    Control* MenuFase;
    Control* MenuDisplay;
    Control* MenuMinimizar;
    Control* MenuVel;
    Control* MenuSom;
    Control* traco1;
    Control* MenuSair;
    Control* MenuSobre1;
    Control* MenuSobre;
    Control* MenuMelhores;
    Control* MenuAjuda;

    GameEvents* game = nullptr;
    BestForm* best = nullptr;
    SobrForm* about = nullptr;

    void Form_Load() override;
    void Form_Paint() override;
    void Form_LostFocus() override;
    void Form_Unload() override;
    void KeyDown(int keyCode) override;
    void KeyUp(int keyCode) override;
    void Timer1_Timer();

    void MenuNovo_Click();
    void MenuFase_Click();
    void MenuDisplay_Click();
    void MenuMinimizar_Click();
    void MenuVel_Click();
    void MenuSom_Click();
    void MenuSair_Click();
    void MenuSobre_Click();
    void MenuMelhores_Click();
    void MenuAjuda_Click();

private:
    // The parts of the window, made in z-order, back to front.
    void AddRooms();
    void AddOrderLines();
    void AddCounters();
    void AddMenus();
};

// The hidden window that only stores the pictures the game swaps in.
class FigForm : public ui::Form {
public:
    FigForm();

    ControlArray<64> pelmar{};   // cook pictures by code
    ControlArray<11> Num{};      // digits, 10 = blank
    ControlArray<16> Picture1{}; // items 1..5, broken items 11..15
    ControlArray<4> Picture2{};  // small sandwiches: 0 falling, 1..3 in an oven
    ControlArray<32> Sanduba{};  // belt sandwiches by contents, 0 = empty plate
};

// The high-score window.
class BestForm : public ui::Form {
public:
    BestForm();

    Control* Picture1;
    Control* melhores;
    Control* entre;
    Control* Command1;
    Control* Text1;
    ControlArray<8> Lugar{};
    ControlArray<8> Nome{};
    ControlArray<8> Pontos{};
    ControlArray<8> Sequencia{};

    // The table, by place 1..7 and table 1..3 (index 0 unused).
    template <class T> using Table = std::array<std::array<T, 4>, 8>;
    Table<std::string> BestName{};
    Table<std::int64_t> BestPoints{};
    Table<std::int16_t> BestLevel{};
    std::array<std::int16_t, 4> BestCount{};
    std::int16_t BestTable = 0;
    std::int16_t BestRow = 0;
    bool NotEntered = false;
    bool TimerWasOn = false;

    GameEvents* game = nullptr;

    void Form_Load() override;
    void Form_Activate() override { game->ShowBestTable(); }
    void Command1_click() { game->CloseBestTable(); }
    void Text1_Change() { game->BestNameTyped(); }
};

// The About window.
class SobrForm : public ui::Form {
public:
    SobrForm();

    Control* Command1;
    Control* Label1;

    GameEvents* game = nullptr;
    ui::Form* owner = nullptr;

    void Form_Load() override;
    void Command1_click();
};

// The four windows, loaded once and living for the whole run.
struct Windows {
    BestForm best;
    Cfrm cfrm;
    FigForm fig;
    SobrForm sobr;

    Windows();
    Windows(const Windows&) = delete;
    Windows& operator=(const Windows&) = delete;
    // The game module answers every window's events from now on.
    void Attach(GameEvents& game);

    // Every form by the name the game gives it.
    std::array<ui::Form*, 4> All() { return {&best, &cfrm, &fig, &sobr}; }
    ui::Form* FindForm(std::string_view name);
};

// Puts a window in the middle of the screen, by its outer size.
void CentreOnScreen(ui::Form& form, const ui::ScreenSize& screen);

// Outer frame sizes in twips: a title bar with a menu, or a thin border only.
inline constexpr int MainFrameWidth = 90;
inline constexpr int ThinFrame = 30;

} // namespace windows

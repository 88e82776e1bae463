// SPDX-License-Identifier: GPL-3.0-or-later
// The stored layout of the four windows: every control at its place as the
// window looks right after loading.
#include "windows/Forms.h"

#include "ui/Translate.h"

#include <stdexcept>
#include <string_view>

namespace windows {

using ui::Colour;
using ui::Kind;

namespace {

constexpr Colour White = 0xFFFFFF;
constexpr Colour Black = 0x000000;
constexpr Colour DarkGrey = 0x404040;
constexpr Colour LightGrey = 0xC0C0C0;
constexpr Colour Red = 0x0000FF;
constexpr Colour Navy = 0x800000;

struct Box {
    int left, top, width, height;
};

ui::PictureRef OwnPicture(const Control& owner, std::string resource, int w, int h) {
    return std::make_shared<const ui::Picture>(
        ui::Picture{owner.FullName(), std::move(resource), w, h});
}

Control& Place(ui::Form& form, Kind kind, const char* name, int index, Control* parent, Box box) {
    Control& c = form.Add(kind, name, index, parent);
    c.Move(box.left, box.top, box.width, box.height);
    return c;
}

Control& PictureBox(ui::Form& form, const char* name, int index, Control* parent, Box box,
                    const char* resource, int w, int h) {
    Control& c = Place(form, Kind::PictureBox, name, index, parent, box);
    c.SetBackColor(White);
    if (resource != nullptr) {
        c.SetPicture(OwnPicture(c, resource, w, h));
    }
    return c;
}

Control& Menu(ui::Form& form, const char* name, const char* caption, Control* parent) {
    Control& m = form.Add(Kind::Menu, name, -1, parent);
    m.SetCaption(caption);
    return m;
}

// A window with a thin border only, around a client area of the given size.
void ThinFramed(ui::Form& form, int width, int height) {
    form.clientWidth = width;
    form.clientHeight = height;
    form.Move(0, 0, width + ThinFrame, height + ThinFrame);
}

// Units digit on the right: each place 195 twips left of the previous,
// with a 180-twip step between places 7 and 8.
constexpr std::array<int, 11> ScoreDigitLeft{1935, 1740, 1545, 1350, 1155, 960,
                                             765,  570,  390,  195,  0};

} // namespace

Control& Element(const Control* const* elements, std::size_t size, int index, const char* what) {
    if (index < 0 || static_cast<std::size_t>(index) >= size || elements[index] == nullptr) {
        throw std::out_of_range(std::string("no element ") + std::to_string(index) + " in " + what);
    }
    return *const_cast<Control*>(elements[index]);
}

Cfrm::Cfrm() : ui::Form("cfrm") {
    SetCaption("Vulcro Pelmar");
    clientWidth = 5700;
    clientHeight = 4890;
    Move(1185, 1635, clientWidth + MainFrameWidth, 5580);
    SetBackColor(White);
    SetForeColor(White);

    AddRooms();
    AddOrderLines();
    AddCounters();
    eleme2 =
        &PictureBox(*this, "eleme2", -1, nullptr, {2745, 4215, 435, 255}, "eleme2.png", 29, 17);
    eleme2->SetEnabled(false);
    Picture2 = &PictureBox(*this, "Picture2", -1, nullptr, {720, 1110, 4305, 465}, "picture2.png",
                           301, 31);
    Picture2->SetEnabled(false);
    pelmar =
        &PictureBox(*this, "pelmar", -1, nullptr, {2880, 1440, 465, 735}, "pelmar.png", 30, 50);
    pelmar->SetVisible(false);
    pelmar->SetEnabled(false);

    AddMenus();
}

// Back to front: the two room pages, then what lies over them.
void Cfrm::AddRooms() {
    fundo2 =
        &PictureBox(*this, "fundo2", -1, nullptr, {-15, -15, 5730, 5415}, "fundo2.png", 380, 359);
    fundo2->bordered = true;
    for (int i = 1; i <= 3; ++i) {
        static constexpr std::array<int, 4> ovenLeft{0, 915, 2355, 3765};
        forno[i] = &PictureBox(*this, "forno", i, fundo2, {ovenLeft[i], 1905, 945, 2115},
                               i == 1   ? "forno_1.png"
                               : i == 2 ? "forno_2.png"
                                        : "forno_3.png",
                               63, 141);
        forno[i]->SetEnabled(false);
    }

    fundo = &PictureBox(*this, "fundo", -1, nullptr, {0, 0, 5700, 4515}, "fundo.png", 380, 301);
    fundo->SetEnabled(false);
    LimEsteira = &PictureBox(*this, "LimEsteira", -1, fundo, {0, 1290, 960, 2700}, nullptr, 0, 0);
    LimEsteira->SetBackColor(LightGrey);
    esteira =
        &PictureBox(*this, "esteira", -1, LimEsteira, {0, -480, 945, 3375}, "esteira.png", 63, 225);
    for (int k = 1; k <= 7; ++k) {
        Sandest[k] = &PictureBox(*this, "Sandest", k, LimEsteira, {200, -480, 570, 315},
                                 "sanduba_0.png", 38, 21);
        Sandest[k]->SetBackColor(LightGrey);
        Sandest[k]->SetVisible(false);
    }
    fogo = &PictureBox(*this, "fogo", -1, fundo, {2895, 240, 360, 375}, "fogo.png", 24, 25);
    fogo->SetEnabled(false);
    Picture1 =
        &PictureBox(*this, "Picture1", -1, fundo, {4815, 1590, 930, 2415}, "picture1.png", 62, 161);
    Picture1->SetEnabled(false);
    eleme = &PictureBox(*this, "eleme", -1, fundo, {4818, 2460, 1995, 1095}, "eleme.png", 133, 73);
    eleme->SetEnabled(false);
    eleme->autoSize = true;
}

// The order panel: three lines of ticks on a grid.
void Cfrm::AddOrderLines() {
    Lista = &PictureBox(*this, "Lista", -1, nullptr, {0, 3990, 5700, 930}, "lista.png", 380, 72);
    Lista->SetEnabled(false);
    for (int i = 0; i < 3; ++i) {
        selec[i] = &Place(*this, Kind::Label, "selec", i, Lista, {585, 330 + 180 * i, 4455, 195});
        selec[i]->SetEnabled(false);
        selec[i]->bordered = true;
        selec[i]->gridText = true;
        selec[i]->SetBackColor(ui::SystemWindow);
        selec[i]->SetForeColor(ui::SystemWindowText);
    }
}

// The level, lives and score, as digit pictures, or as red labels in the
// simple display.
void Cfrm::AddCounters() {
    Picture3 =
        &PictureBox(*this, "Picture3", -1, nullptr, {4815, 0, 900, 1560}, "picture3.png", 59, 107);
    Picture3->SetEnabled(false);
    for (int i = 0; i < 2; ++i) {
        const int left = i == 0 ? 435 : 255;
        fase[i] = &Place(*this, Kind::Image, "fase", i, Picture3, {left, 285, 210, 345});
        Vidas[i] = &Place(*this, Kind::Image, "Vidas", i, Picture3, {left, 1080, 210, 345});
        for (Control* digit : {fase[i], Vidas[i]}) {
            digit->SetEnabled(false);
            digit->SetPicture(OwnPicture(*digit, "num_10.png", 13, 23));
        }
    }
    LabelVidas = &Place(*this, Kind::Label, "LabelVidas", -1, Picture3, {255, 1080, 390, 345});
    LabelFase = &Place(*this, Kind::Label, "LabelFase", -1, Picture3, {255, 285, 390, 345});
    for (Control* label : {LabelVidas, LabelFase}) {
        label->SetAlignment(ui::Alignment::Center);
    }

    Picture4 =
        &PictureBox(*this, "Picture4", -1, nullptr, {0, 0, 2145, 660}, "picture4.png", 143, 62);
    Picture4->SetEnabled(false);
    for (int i = 0; i <= 10; ++i) {
        Pto[i] = &Place(*this, Kind::Image, "Pto", i, Picture4, {ScoreDigitLeft[i], 315, 210, 345});
        Pto[i]->SetEnabled(false);
        Pto[i]->SetPicture(OwnPicture(*Pto[i], "num_10.png", 13, 23));
    }
    LabelPto = &Place(*this, Kind::Label, "LabelPto", -1, Picture4, {15, 300, 2145, 375});
    LabelPto->SetAlignment(ui::Alignment::Right);
    for (Control* label : {LabelPto, LabelVidas, LabelFase}) {
        label->SetBackColor(Black);
        label->SetForeColor(Red);
    }
}

// The play timer, the menus and what each entry does.
void Cfrm::AddMenus() {
    Timer1 = &Add(Kind::Timer, "Timer1");
    Timer1->SetInterval(0);

    MenuOpcoes = &Menu(*this, "MenuOpcoes", PELMAR_TR("pelmar", "&Opções"), nullptr);
    MenuNovo = &Menu(*this, "MenuNovo", PELMAR_TR("pelmar", "Jogo &Novo"), MenuOpcoes);
    MenuNovo->shortcut = "F2";
    MenuFase = &Menu(*this, "MenuFase", PELMAR_TR("pelmar", "Fase ..."), MenuOpcoes);
    MenuDisplay = &Menu(*this, "MenuDisplay", PELMAR_TR("pelmar", "Display Simples"), MenuOpcoes);
    MenuMinimizar = &Menu(*this, "MenuMinimizar", PELMAR_TR("pelmar", "&Minimizar"), MenuOpcoes);
    MenuVel = &Menu(*this, "MenuVel", PELMAR_TR("pelmar", "Vel. Dirovid ..."), MenuOpcoes);
    // "Display &Simples" has the S, so the sound switch takes the O.
    MenuSom = &Menu(*this, "MenuSom", PELMAR_TR("pelmar", "S&om"), MenuOpcoes);
    MenuSom->SetChecked(true);
    traco1 = &Menu(*this, "traco1", "-", MenuOpcoes);
    traco1->separator = true;
    MenuSair = &Menu(*this, "MenuSair", PELMAR_TR("pelmar", "Sai&r"), MenuOpcoes);
    MenuSobre1 = &Menu(*this, "MenuSobre1", PELMAR_TR("pelmar", "&Ajuda"), nullptr);
    MenuSobre = &Menu(*this, "MenuSobre", PELMAR_TR("pelmar", "Sobre o Jogo..."), MenuSobre1);
    MenuMelhores = &Menu(*this, "MenuMelhores", PELMAR_TR("pelmar", "Os Melhores..."), MenuSobre1);
    MenuAjuda = &Menu(*this, "MenuAjuda", PELMAR_TR("pelmar", "Como jogar..."), MenuSobre1);

    using Handler = void (Cfrm::*)();
    const std::pair<Control*, Handler> handlers[] = {
        {MenuNovo, &Cfrm::MenuNovo_Click},
        {MenuFase, &Cfrm::MenuFase_Click},
        {MenuDisplay, &Cfrm::MenuDisplay_Click},
        {MenuMinimizar, &Cfrm::MenuMinimizar_Click},
        {MenuVel, &Cfrm::MenuVel_Click},
        {MenuSom, &Cfrm::MenuSom_Click},
        {MenuSair, &Cfrm::MenuSair_Click},
        {MenuSobre, &Cfrm::MenuSobre_Click},
        {MenuMelhores, &Cfrm::MenuMelhores_Click},
        {MenuAjuda, &Cfrm::MenuAjuda_Click},
        {Timer1, &Cfrm::Timer1_Timer},
    };
    for (const auto& [control, handler] : handlers) {
        control->onClick = [this, handler = handler] { (this->*handler)(); };
    }
}

FigForm::FigForm() : ui::Form("Figform") {
    SetCaption("FigForm");
    clientWidth = 7155;
    clientHeight = 4260;
    Move(0, 0, clientWidth + MainFrameWidth, clientHeight + 405);
    SetBackColor(White);

    auto store = [this](const char* array, int index, int boxW, int boxH, std::string resource,
                        int w, int h) -> Control* {
        Control& c = Place(*this, Kind::PictureBox, array, index, nullptr, {0, 0, boxW, boxH});
        c.SetPicture(OwnPicture(c, std::move(resource), w, h));
        return &c;
    };

    for (int load = 0; load <= 6; ++load) {
        for (int facing = load == 0 ? 0 : 1; facing <= 3; ++facing) {
            const int code = 10 * load + facing;
            // A loaded cook seen from the side holds his load out beside him.
            const bool wide = load > 0 && facing != 2;
            pelmar[code] = store("pelmar", code, wide ? 675 : 465, 735,
                                 "cook_" + std::to_string(code) + ".png", wide ? 45 : 31, 49);
        }
    }
    for (int d = 0; d <= 10; ++d) {
        Num[d] = store("Num", d, 195, 375, "num_" + std::to_string(d) + ".png", 13, 23);
    }
    static constexpr std::array<std::array<int, 2>, 6> itemSize{
        {{0, 0}, {29, 20}, {30, 22}, {30, 22}, {29, 21}, {29, 11}}};
    for (int kind = 1; kind <= 5; ++kind) {
        const auto [w, h] = itemSize[kind];
        Picture1[kind] =
            store("Picture1", kind, w * 15, h * 15, "item_" + std::to_string(kind) + ".png", w, h);
        Picture1[kind + 10] = store("Picture1", kind + 10, 31 * 15, 24 * 15,
                                    "item_" + std::to_string(kind + 10) + ".png", 31, 24);
    }
    for (int i = 0; i <= 3; ++i) {
        Picture2[i] =
            store("Picture2", i, 435, 255, "small_sandwich_" + std::to_string(i) + ".png", 29, 17);
    }
    for (int v = 0; v <= 31; v += v == 0 ? 1 : 2) {
        Sanduba[v] = store("Sanduba", v, 570, 315, "sanduba_" + std::to_string(v) + ".png", 38, 21);
    }
}

BestForm::BestForm() : ui::Form("BestForm") {
    SetCaption("");
    ThinFramed(*this, 4335, 3030);
    SetBackColor(DarkGrey);
    SetForeColor(Black);

    Picture1 = &PictureBox(*this, "Picture1", -1, nullptr, {0, 0, 4335, 495}, nullptr, 0, 0);
    Picture1->SetEnabled(false);
    Picture1->SetBackColor(DarkGrey);
    melhores = &Place(*this, Kind::Image, "melhores", -1, Picture1, {0, 0, 4335, 495});
    melhores->SetPicture(OwnPicture(*melhores, "melhores.png", 289, 33));
    melhores->SetVisible(false);
    entre = &Place(*this, Kind::Image, "entre", -1, Picture1, {0, 0, 4335, 495});
    entre->SetPicture(OwnPicture(*entre, "entre.png", 289, 33));
    entre->SetVisible(false);

    const ui::Font courier{"Courier", 9.75, false, false};
    for (int r = 0; r <= 7; ++r) {
        const int top = 600 + 240 * r;
        Lugar[r] = &Place(*this, Kind::Label, "Lugar", r, nullptr, {120, top, 255, 255});
        Nome[r] = &Place(*this, Kind::Label, "Nome", r, nullptr, {480, top, 1815, 255});
        Pontos[r] = &Place(*this, Kind::Label, "Pontos", r, nullptr, {2400, top, 1215, 255});
        Sequencia[r] = &Place(*this, Kind::Label, "Sequencia", r, nullptr, {3720, top, 495, 255});
        Pontos[r]->SetAlignment(ui::Alignment::Right);
        Sequencia[r]->SetAlignment(ui::Alignment::Center);
        for (Control* label : {Lugar[r], Nome[r], Pontos[r], Sequencia[r]}) {
            label->SetBackColor(DarkGrey);
            label->SetForeColor(White);
            label->font = courier;
        }
    }
    Lugar[0]->SetCaption(PELMAR_TR("pelmar", "1º"));
    Nome[0]->SetCaption(PELMAR_TR("pelmar", "NOME"));
    Pontos[0]->SetCaption(PELMAR_TR("pelmar", "PONTOS"));
    Sequencia[0]->SetCaption(PELMAR_TR("pelmar", "SS"));

    Command1 = &Place(*this, Kind::Button, "Command1", -1, nullptr, {1560, 2640, 1215, 375});
    Command1->SetCaption(PELMAR_TR("pelmar", "Ok"));
    Command1->SetBackColor(DarkGrey);
    Command1->isDefault = true;
    Text1 = &Place(*this, Kind::TextBox, "Text1", -1, nullptr, {480, 2640, 1815, 255});
    Text1->maxLength = 15;
    Text1->SetText("Vencedor");
    Text1->SetBackColor(DarkGrey);
    Text1->SetForeColor(LightGrey);
    Text1->font = courier;
    Text1->SetVisible(false);
    Text1->SetEnabled(false);

    Command1->onClick = [this] { Command1_click(); };
    Text1->onChange = [this] { Text1_Change(); };
}

SobrForm::SobrForm() : ui::Form("SobrForm") {
    SetCaption("");
    ThinFramed(*this, 4320, 2955);
    SetBackColor(White);
    SetPicture(OwnPicture(*this, "sobre.png", 288, 197));

    Command1 = &Place(*this, Kind::Button, "Command1", -1, nullptr, {1635, 2280, 1215, 375});
    Command1->SetCaption(PELMAR_TR("pelmar", "Ok"));
    Command1->isDefault = true;
    Command1->isCancel = true;
    Label1 = &Place(*this, Kind::Label, "Label1", -1, nullptr, {2280, 840, 480, 195});
    Label1->SetCaption(PELMAR_VERSION);
    Label1->SetForeColor(Navy);
    Label1->transparent = true;
    Label1->font = ui::Font{"MS Sans Serif", 8.25, true, true};

    Command1->onClick = [this] { Command1_click(); };
}

Windows::Windows() {
    cfrm.best = &best;
    cfrm.about = &sobr;
    sobr.owner = &cfrm;
}

void Windows::Attach(GameEvents& game) {
    cfrm.game = &game;
    best.game = &game;
    sobr.game = &game;
}

ui::Form* Windows::FindForm(std::string_view name) {
    for (ui::Form* form : All()) {
        if (form->name() == name) {
            return form;
        }
    }
    return nullptr;
}

} // namespace windows

// SPDX-License-Identifier: GPL-3.0-or-later
// The kitchen machinery: orders, the belt, the dispenser, the room switch
// and the sandwich's fall into the ovens.
#include "game/Game.h"

#include "game/Layout.h"

#include <bit>

namespace game {

namespace {

using layout::SandwichSpacing;
constexpr int BeltCycle = 7 * SandwichSpacing;
// The dispenser's items stand one above the other, this far apart.
constexpr int DispenserRow = 480;
// Where a small sandwich shows inside its oven.
constexpr int SandwichIntoOven = 255;

} // namespace

// ---------------------------------------------------------------- orders

void Game::StepOrders() {
    if (OrderSlot(1, 1) == 0) {
        NewOrder();
    }
    if (BlinkLine(1) != 0) {
        BlinkPhase = Not(BlinkPhase);
        ui::Control& line = windows::At(cfrm.selec, BlinkLine(1) - 1, "selec");
        line.SetBackColor(
            static_cast<ui::Colour>(HighlightColour(BlinkLine(2), ToFlag(BlinkPhase != 0))));
        line.Refresh();
    }
}

void Game::NewOrder() {
    if (OrderDeck.empty()) {
        return;
    }
    if (OrderSlot(3, 1) > 0) {
        RemoveOrder(1);
    }
    std::string notChosen = "1234";
    OrderSlot(3, 1) = 1;
    platform_.Randomize(Now() * static_cast<float>(platform_.Random()));
    const bool atLeastOne = Int(platform_.Random() * 4) != 0;
    const int most = (Level - 1) % 4 + 1;
    const int count = static_cast<int>(Int(platform_.Random() * most)) + (atLeastOne ? 1 : 0);
    for (int i = 0; i < count && !notChosen.empty(); ++i) {
        const auto r = static_cast<std::size_t>(Int(platform_.Random() * notChosen.size()));
        const int ingredient = notChosen[r] - '0';
        OrderSlot(3, 1) = static_cast<Integer>(OrderSlot(3, 1) | (1 << ingredient));
        notChosen.erase(r, 1);
    }
    // One column per ingredient: a tick under each one wanted.
    std::string caption = "    ";
    for (int x = OrderSlot(3, 1); x > 0;) {
        x /= 2;
        caption += x % 2 == 1 ? "            V" : "              ";
    }
    ui::Control& line = *cfrm.selec[2];
    line.SetCaption(caption);
    const auto r = static_cast<std::size_t>(Int(platform_.Random() * OrderDeck.size()));
    OrderSlot(3, 2) = static_cast<Integer>(OrderDeck[r] - '0');
    OrderDeck.erase(r, 1);
    line.SetBackColor(static_cast<ui::Colour>(HighlightColour(OrderSlot(3, 2), True)));
}

void Game::RemoveOrder(int line) {
    for (int i = line; i <= 2; ++i) {
        ui::Control& to = *cfrm.selec[static_cast<std::size_t>(i - 1)];
        const ui::Control& from = *cfrm.selec[static_cast<std::size_t>(i)];
        to.SetCaption(from.Caption());
        to.SetBackColor(from.BackColor());
        OrderSlot(i, 1) = OrderSlot(i + 1, 1);
        OrderSlot(i, 2) = OrderSlot(i + 1, 2);
    }
    OrderSlot(3, 1) = 0;
    OrderSlot(3, 2) = 0;
    cfrm.selec[2]->SetCaption("");
    cfrm.selec[2]->SetBackColor(layout::White);
}

// ---------------------------------------------------------------- rooms

void Game::SwitchRoom() {
    ui::Control& cook = *cfrm.pelmar;
    const int half = cook.Height() / 2;
    // Each switch lands the cook exactly on the other threshold, so he never
    // switches straight back.
    if (cook.Top() < cfrm.fundo2->Top() - half) {
        ShowRoom(false);
        cfrm.fundo->Cls();
        cook.SetTop(cfrm.Lista->Top() - half);
        KeyStart(3) = 0;
        WalkUp();
    } else if (cook.Top() > cfrm.Lista->Top() - half) {
        ShowRoom(true);
        cfrm.fundo2->Cls();
        cook.SetTop(cfrm.fundo2->Top() - half);
        KeyStart(4) = 0;
        WalkDown();
    }
    if (ItemState == 4) {
        ItemState = 0;
    }
}

// ---------------------------------------------------------------- belt

void Game::StepConveyor() {
    const double now = Now();
    if (BeltClock == 0) {
        BeltClock = now;
    }
    // Recomputed from the elapsed time, so the tick rate does not matter.
    BeltOffset = BeltOffset < 0 ? (now - BeltClock) * BeltSpeed - 9800 : 0;
    if (SandwichPos(BeltNewest) + BeltOffset > 0) {
        if (--BeltNewest == 0) {
            BeltNewest = 1;
        }
    }
    if (BeltOldest > 0) {
        // At most one sandwich passes the end per tick.
        if (cfrm.LimEsteira->Height() - 200 < SandwichPos(BeltOldest) + BeltOffset) {
            if (SandwichFilling(BeltOldest) != 0) {
                Sound("belt");
                AddLives(-10);
            }
            --BeltOldest;
        }
        while (BeltOldest > 0 && SandwichFilling(BeltOldest) == 0) {
            --BeltOldest;
        }
    }
    if (BeltOffset >= 0) {
        BeltClock = 0;
    }
    // The remainder keeps the sign of the offset, so the texture's Top stays
    // within one spacing below 0.
    cfrm.esteira->SetTop(
        static_cast<double>(static_cast<long long>(Int(BeltOffset)) % SandwichSpacing));
    for (Idx = 1; Idx <= 7; ++Idx) {
        ui::Control& plate = *cfrm.Sandest[static_cast<std::size_t>(Idx)];
        if (plate.Top() > cfrm.LimEsteira->Height()) {
            SandestSlot(Idx, 2) = static_cast<Integer>(SandestSlot(Idx, 2) - BeltCycle);
            SandestSlot(Idx, 1) = static_cast<Integer>(SandestSlot(Idx, 1) - 7);
            const bool real = SandestSlot(Idx, 1) >= 1 && SandestSlot(Idx, 1) <= 12;
            plate.SetPicture(windows::At(Figform.Sanduba, real ? 1 : 0, "Sanduba").Picture());
        }
        plate.SetTop(Int(SandestSlot(Idx, 2) + BeltOffset));
    }
}

// ---------------------------------------------------------------- dispenser

void Game::DispenseIngredient() {
    if (ItemState == 0 && LowerRoom == 0) {
        DropStep = static_cast<Integer>(std::abs(DropStep));
        ItemState = 1;
        platform_.Randomize(Now() * static_cast<float>(platform_.Random()));
        ItemKind = static_cast<Integer>(Int(platform_.Random() * 4 + 1));
        if (LastItemNotToken != 0) {
            // The take token comes whenever a sandwich on the belt (or the
            // next to come) equals an order.
            bool token = false;
            for (int v = BeltNewest; v <= BeltOldest && !token; ++v) {
                for (int line = 1; line <= 3; ++line) {
                    if (SandwichFilling(v) != 0 && SandwichFilling(v) == OrderSlot(line, 1)) {
                        ItemKind = 5;
                        token = true;
                        break;
                    }
                }
            }
            // One time in five: what order line 1 still needs on the oldest
            // sandwich that has part of it.
            if (Int(platform_.Random() * 5) == 0 && ItemKind != 5) {
                for (int v = BeltOldest; v >= BeltNewest && v >= 1; --v) {
                    const int wanted = OrderSlot(1, 1);
                    const int filling = SandwichFilling(v);
                    const int missing = wanted & ~filling & ~1;
                    if ((wanted & filling) != 0 && missing != 0) {
                        ItemKind = static_cast<Integer>(
                            std::bit_width(static_cast<unsigned>(missing)) - 1);
                        break;
                    }
                }
            }
        }
        LastItemNotToken = ToFlag(ItemKind != 5);
        ItemClock = Now();
        cfrm.eleme->SetLeft(cfrm.Picture1->Left());
        ItemLeft = cfrm.eleme->Left();
        cfrm.eleme->SetPicture(windows::At(Figform.Picture1, ItemKind, "Picture1").Picture());
        cfrm.eleme->SetTop(ItemKind * DispenserRow - DispenserRow + cfrm.Picture1->Top() + 100);
    } else if (ItemState == 1) {
        // Kicked back, the item flies ten times as fast.
        const double speed = DropStep <= 0 ? DropStep * 10.0 : DropStep;
        const double x = ItemLeft - (Now() - ItemClock) * speed / 10;
        if (x <= cfrm.LimEsteira->Width()) {
            DropIngredient();
        } else if (x > cfrm.Picture1->Left()) {
            ItemState = 0;
        } else {
            cfrm.eleme->SetLeft(x);
        }
    }
}

// ---------------------------------------------------------------- ovens

void Game::StepSandwichDrop() {
    if ((LowerRoom & ActionKey) != 0 && ItemState == 3 && SandwichDropClock == 0) {
        ThrowSandwich();
    }
    if (SandwichDropClock == 0) {
        return;
    }
    ui::Control& sandwich = *cfrm.eleme2;
    const int counterTop = cfrm.Picture2->Top();
    sandwich.SetTop((Now() - SandwichDropClock) * 7 + SandwichDropTop);
    if (sandwich.Top() < counterTop - 423) {
        MissDrop();
        return;
    }
    if (sandwich.Top() <= counterTop - sandwich.Height()) {
        // The decision band: which oven holds it, and does that deliver an order?
        if (!SandwichMeetsAnOrder()) {
            MissDrop();
        }
        return;
    }
    const int o = SandwichDropOven;
    if (o < 1 || o > 3) {
        // Past the band without a decision (ticks too far apart): a miss.
        MissDrop();
        return;
    }
    ui::Control& oven = *cfrm.forno[static_cast<std::size_t>(o)];
    if (sandwich.Top() >= counterTop && sandwich.Top() < oven.Top() - layout::OvenStep) {
        sandwich.SetPicture(windows::At(Figform.Picture2, o, "Picture2").Picture());
        sandwich.SetLeft(oven.Left() + SandwichIntoOven);
    } else if (sandwich.Top() >= oven.Top() - layout::OvenStep) {
        SandwichDropClock = 0;
        oven.SetTop(oven.Top() - layout::OvenStep);
        sandwich.Move(cfrm.Picture2->Left(), counterTop);
        Sound("deliver");
        AddScore(100);
        if (BeltOldest <= 0) {
            ItemState = 4;
        }
    }
}

void Game::ThrowSandwich() {
    ui::Control& sandwich = *cfrm.eleme2;
    ui::Control& cook = *cfrm.pelmar;
    Sound("throw");
    sandwich.SetPicture(windows::At(Figform.Picture2, 0, "Picture2").Picture());
    SandwichDropClock = Now();
    SandwichDropTop = cook.Top() + 330;
    if (CookPose % 10 == 3) {
        sandwich.Move(cook.Left() + cook.Width() - sandwich.Width(), SandwichDropTop);
    } else {
        sandwich.Move(cook.Left(), SandwichDropTop);
    }
    if (BeltOldest > 0) {
        ItemState = 4;
    }
    CookLoad = 0;
    if (CookPose % 10 == 1) {
        WalkOrigin(1) = WalkOrigin(1) + layout::LoadReach;
        cook.SetLeft(cook.Left() + layout::LoadReach);
    }
    ShowCookFrame();
}

bool Game::SandwichMeetsAnOrder() {
    ui::Control& sandwich = *cfrm.eleme2;
    const int counterTop = cfrm.Picture2->Top();
    SandwichDropOven = 0;
    for (int i = 1; i <= 3; ++i) {
        const ui::Control& oven = *cfrm.forno[static_cast<std::size_t>(i)];
        if (sandwich.Left() > oven.Left() &&
            oven.Left() + oven.Width() > sandwich.Left() + sandwich.Width()) {
            SandwichDropOven = static_cast<Integer>(i);
            break;
        }
    }
    for (int line = 1; line <= 3; ++line) {
        if (CarriedFilling == OrderSlot(line, 1) && SandwichDropOven == OrderSlot(line, 2)) {
            if (BlinkLine(1) > 0) {
                windows::At(cfrm.selec, BlinkLine(1) - 1, "selec")
                    .SetBackColor(static_cast<ui::Colour>(HighlightColour(BlinkLine(2), True)));
                BlinkLine(1) = 0;
            }
            RemoveOrder(line);
            NewOrder();
            sandwich.SetTop(counterTop - sandwich.Height() + 1);
            SandwichDropTop = sandwich.Top();
            SandwichDropClock = Now();
            return true;
        }
    }
    return false;
}

void Game::MissDrop() {
    Sound("miss");
    cfrm.eleme2->SetPicture(windows::At(Figform.Picture1, 15, "Picture1").Picture());
    // The sandwich goes back to the counter at once; where it fell, it shows
    // broken a moment.
    Splash(*cfrm.eleme2, cfrm.eleme2->Picture());
    cfrm.fundo2->Cls();
    AddLives(-5);
    SandwichDropClock = 0;
    cfrm.eleme2->Move(cfrm.Picture2->Left(), cfrm.Picture2->Top());
    if (BlinkLine(1) > 0) {
        windows::At(cfrm.selec, BlinkLine(1) - 1, "selec")
            .SetBackColor(static_cast<ui::Colour>(HighlightColour(BlinkLine(2), True)));
        BlinkLine(1) = 0;
    }
    if (BeltOldest > 0) {
        ItemState = 4;
    }
}

} // namespace game

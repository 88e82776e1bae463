// The cook: keys, walks, pictures, catching items and working at the belt.
#include "game/Game.h"

namespace game {

namespace {

constexpr int CodeCtrl = 17;
constexpr int CodeSpace = 32;
constexpr int CodeLeft = 37;
constexpr int CodeUp = 38;
constexpr int CodeRight = 39;
constexpr int CodeDown = 40;

// A loaded cook facing left holds his load out on the left: turning to or
// from the left shifts him by this much.
constexpr int LoadReach = 255;

} // namespace

void Game::KeyDown(int keyCode) {
    switch (keyCode) {
    case CodeCtrl:
    case CodeSpace:
        ActionKey = True;
        break;
    case CodeLeft:
        WalkLeft();
        break;
    case CodeUp:
        WalkUp();
        break;
    case CodeRight:
        WalkRight();
        break;
    case CodeDown:
        WalkDown();
        break;
    default:
        break;
    }
    // Keys arriving faster than the timer drive ticks of their own.
    if (TickSinceKey == 0) {
        GameTick();
    }
    TickSinceKey = False;
}

void Game::KeyUp(int keyCode) {
    switch (keyCode) {
    case CodeCtrl:
    case CodeSpace:
        ActionKey = False;
        break;
    case CodeLeft:
        KeyStart(1) = 0;
        break;
    case CodeUp:
        KeyStart(3) = 0;
        break;
    case CodeRight:
        KeyStart(2) = 0;
        break;
    case CodeDown:
        KeyStart(4) = 0;
        break;
    default:
        break;
    }
}

void Game::WalkLeft() {
    const auto pose = static_cast<Integer>(10 * CookLoad + 1);
    if (CookPose != pose) {
        CookPose = pose;
        if (CookLoad != 0) {
            cfrm.pelmar->SetLeft(cfrm.pelmar->Left() - LoadReach);
        }
        ShowCookFrame();
    }
    if (KeyStart(1) != 0) {
        return;
    }
    KeyStart(2) = 0;
    KeyStart(1) = -1;
    WalkOrigin(1) = cfrm.pelmar->Left() - CookSpeed;
}

void Game::WalkRight() {
    const auto pose = static_cast<Integer>(10 * CookLoad + 3);
    if (CookPose != pose) {
        const Integer old = CookPose;
        CookPose = pose;
        if (old % 10 == 1 && CookLoad != 0) {
            cfrm.pelmar->SetLeft(cfrm.pelmar->Left() + LoadReach);
        }
        ShowCookFrame();
    }
    if (KeyStart(2) != 0) {
        return;
    }
    KeyStart(1) = 0;
    KeyStart(2) = -1;
    WalkOrigin(1) = cfrm.pelmar->Left() + CookSpeed;
}

void Game::WalkUp() {
    // A sideways walk keeps the sideways picture.
    if (KeyStart(1) + KeyStart(2) == 0 && CookPose != 0) {
        const Integer old = CookPose;
        CookPose = 0;
        if (old % 10 == 1 && CookLoad != 0) {
            cfrm.pelmar->SetLeft(cfrm.pelmar->Left() + LoadReach);
        }
        ShowCookFrame();
    }
    if (KeyStart(3) != 0) {
        return;
    }
    KeyStart(4) = 0;
    KeyStart(3) = -1;
    WalkOrigin(2) = cfrm.pelmar->Top() - CookSpeed;
}

void Game::WalkDown() {
    if (KeyStart(1) + KeyStart(2) == 0) {
        const auto pose = static_cast<Integer>(10 * CookLoad + 2);
        if (CookPose != pose) {
            const Integer old = CookPose;
            CookPose = pose;
            if (old % 10 == 1 && CookLoad != 0) {
                cfrm.pelmar->SetLeft(cfrm.pelmar->Left() + LoadReach);
            }
            ShowCookFrame();
        }
    }
    if (KeyStart(4) != 0) {
        return;
    }
    KeyStart(3) = 0;
    KeyStart(4) = -1;
    WalkOrigin(2) = cfrm.pelmar->Top() + CookSpeed;
}

void Game::MoveCook() {
    ui::Control& cook = *cfrm.pelmar;
    double y = cook.Top();
    double x = cook.Left();
    // Positions come from the time since each walk began; a limit clamps the
    // shown place only, never the walk's origin.
    if (KeyStart(3) != 0) {
        if (KeyStart(1) + KeyStart(2) == 0 && CookPose % 10 != 0) {
            WalkUp();
        }
        if (KeyStart(3) == -1) {
            KeyStart(3) = Now();
        }
        y = WalkOrigin(2) - CookSpeed / 10.0 * (Now() - KeyStart(3));
        if (y < cfrm.LimEsteira->Top() && LowerRoom == 0) {
            y = cfrm.LimEsteira->Top();
        }
    } else if (KeyStart(4) != 0) {
        if (KeyStart(1) + KeyStart(2) == 0 && CookPose % 10 != 2) {
            WalkDown();
        }
        if (KeyStart(4) == -1) {
            KeyStart(4) = Now();
        }
        y = WalkOrigin(2) + CookSpeed / 10.0 * (Now() - KeyStart(4));
        if (cook.Height() + y > cfrm.Lista->Top() && CookLoad != 1 && LowerRoom == 0) {
            y = cfrm.Lista->Top() - cook.Height();
        } else if (y > cfrm.Picture2->Top() - 752 && LowerRoom != 0) {
            y = cfrm.Picture2->Top() - 752;
        }
    }
    if (KeyStart(1) != 0) {
        if (KeyStart(1) == -1) {
            KeyStart(1) = Now();
        }
        x = WalkOrigin(1) - CookSpeed / 10.0 * (Now() - KeyStart(1));
        const int reach = CookLoad > 0 ? 200 : 0;
        if (x < cfrm.LimEsteira->Width() - reach) {
            x = cfrm.LimEsteira->Width() - reach;
        }
    } else if (KeyStart(2) != 0) {
        if (KeyStart(2) == -1) {
            KeyStart(2) = Now();
        }
        x = WalkOrigin(1) + CookSpeed / 10.0 * (Now() - KeyStart(2));
        if (cook.Width() + x > cfrm.Picture1->Left()) {
            x = cfrm.Picture1->Left() - cook.Width();
        }
    }
    cook.Move(x, y);
}

void Game::ShowCookFrame() {
    if (RoundPhase + GameOverPending != 0) {
        return;
    }
    CookPose = static_cast<Integer>(CookPose % 10 + 10 * CookLoad);
    if (CookPose % 10 == 0) {
        CookPose = 0;
    }
    const ui::Control& frame = windows::At(Figform.pelmar, CookPose, "Figform.pelmar");
    cfrm.pelmar->SetPicture(frame.Picture());
    cfrm.pelmar->SetWidth(frame.Width());
}

void Game::CatchIngredient() {
    if (ItemState != 1) {
        return;
    }
    const ui::Control& item = *cfrm.eleme;
    const ui::Control& cook = *cfrm.pelmar;
    // Closed rectangles: touching counts as meeting.
    const double vertical = double(item.Top() - cook.Top() + item.Height()) *
                            double(cook.Top() - item.Top() + cook.Height());
    const double horizontal = double(item.Left() - cook.Left() + item.Width()) *
                              double(cook.Left() - item.Left() + cook.Width());
    if (vertical < 0 || horizontal < 0) {
        return;
    }
    // Hands are below the top 217 twips of the cook.
    const bool lowEnough = item.Top() - cook.Top() > 217;
    if (CookPose % 10 == 1) {
        if (!(item.Left() < cook.Left()) || !lowEnough) {
            DropIngredient();
            return;
        }
    } else {
        if (!lowEnough) {
            DropIngredient();
            return;
        }
        if (ActionKey != 0) {
            CookPose = static_cast<Integer>(10 * CookLoad + 3);
            DropStep = static_cast<Integer>(-std::abs(DropStep));
            ItemClock = Now();
            ItemLeft = item.Left();
            ShowCookFrame();
            return;
        }
    }
    ItemState = 2;
    CookLoad = static_cast<Integer>(ItemKind + 1);
    cfrm.eleme->SetLeft(cfrm.Picture1->Left());
    ShowCookFrame();
}

void Game::DropIngredient() {
    cfrm.eleme->SetPicture(windows::At(Figform.Picture1, ItemKind + 10, "Picture1").Picture());
    ClearShownPage();
    AddLives(-1);
    ItemState = 0;
}

void Game::WorkAtBelt() {
    if (!(BeltWidth > cfrm.pelmar->Left()) || ItemState != 2) {
        return;
    }
    LoopVar = (cfrm.pelmar->Top() + 550 - (cfrm.LimEsteira->Top() + BeltOffset)) / 480 - 7;
    // Hands between two sandwiches.
    if (LoopVar - Int(LoopVar) < 0.4) {
        return;
    }
    const double slot = Int(LoopVar);
    if (slot < 1 || slot > 12) {
        return;
    }
    const int k = static_cast<int>(slot);
    if (SandwichFilling(k) != 0 && CookLoad == 6) {
        ItemState = 3;
        CarriedFilling = SandwichFilling(k);
        for (int line = 1; line <= 3; ++line) {
            if (OrderSlot(line, 1) == CarriedFilling) {
                BlinkLine(2) = OrderSlot(line, 2);
                BlinkLine(1) = static_cast<Integer>(line);
                break;
            }
        }
        SandwichFilling(k) = 0;
        ShowBeltSandwich(k, 0);
        CookLoad = 1;
        ShowCookFrame();
    } else if (SandwichFilling(k) != 0) {
        ItemState = 0;
        const auto bit = static_cast<Integer>(1 << (CookLoad - 1));
        const bool isNew = (SandwichFilling(k) & bit) == 0;
        SandwichFilling(k) = static_cast<Integer>(SandwichFilling(k) | bit);
        ShowBeltSandwich(k, SandwichFilling(k));
        CookLoad = 0;
        cfrm.pelmar->SetLeft(cfrm.pelmar->Left() + LoadReach);
        ShowCookFrame();
        if (isNew) {
            AddScore(10);
        }
    }
}

void Game::ShowBeltSandwich(int sandwich, int filling) {
    windows::At(cfrm.Sandest, (sandwich + 1) % 7 + 1, "Sandest")
        .SetPicture(windows::At(Figform.Sanduba, filling, "Sanduba").Picture());
}

} // namespace game

// SPDX-License-Identifier: GPL-3.0-or-later
// The cook: keys, walks, pictures, catching items and working at the belt.
#include "game/Game.h"

#include "game/Layout.h"
#include "ui/KeyCodes.h"

namespace game {

using layout::LoadReach;
namespace keys = ui::keys;

namespace {

// The walk an arrow key drives: KeyStart(1) left, (2) right, (3) up, (4) down; 0 for another key.
int WalkOfKey(int keyCode) {
    switch (keyCode) {
    case keys::Left:
        return 1;
    case keys::Right:
        return 2;
    case keys::Up:
        return 3;
    case keys::Down:
        return 4;
    default:
        return 0;
    }
}

bool IsActionKey(int keyCode) {
    return keyCode == keys::Ctrl || keyCode == keys::Space;
}

} // namespace

void Game::KeyDown(int keyCode) {
    // The paused game takes no keys; a key held across the pause walks on
    // from where it stood.
    if (paused_) {
        return;
    }
    if (IsActionKey(keyCode)) {
        ActionKey = True;
    }
    switch (WalkOfKey(keyCode)) {
    case 1:
        WalkLeft();
        break;
    case 2:
        WalkRight();
        break;
    case 3:
        WalkUp();
        break;
    case 4:
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
    if (IsActionKey(keyCode)) {
        ActionKey = False;
    } else if (const int walk = WalkOfKey(keyCode); walk != 0) {
        KeyStart(walk) = 0;
    }
}

void Game::Walk(int key, int opposite, int axis, int pose, int sign) {
    ui::Control& cook = *cfrm.pelmar;
    // A sideways walk keeps the sideways picture.
    if ((axis == 1 || KeyStart(1) + KeyStart(2) == 0) && CookPose != pose) {
        const Integer old = CookPose;
        CookPose = static_cast<Integer>(pose);
        if (CookLoad != 0 && pose % 10 == 1) {
            cook.SetLeft(cook.Left() - LoadReach);
        } else if (CookLoad != 0 && old % 10 == 1) {
            cook.SetLeft(cook.Left() + LoadReach);
        }
        ShowCookFrame();
    }
    if (KeyStart(key) != 0) {
        return;
    }
    KeyStart(opposite) = 0;
    KeyStart(key) = -1;
    WalkOrigin(axis) = (axis == 1 ? cook.Left() : cook.Top()) + sign * CookSpeed;
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
        } else if (y > cfrm.Picture2->Top() - layout::CookAboveCounter && LowerRoom != 0) {
            y = cfrm.Picture2->Top() - layout::CookAboveCounter;
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
            // The item still touches the cook for a few ticks after a kick:
            // one kick, one sound.
            if (DropStep > 0) {
                Sound("kick");
            }
            CookPose = static_cast<Integer>(10 * CookLoad + 3);
            DropStep = static_cast<Integer>(-std::abs(DropStep));
            ItemClock = Now();
            ItemLeft = item.Left();
            ShowCookFrame();
            return;
        }
    }
    Sound("catch");
    ItemState = 2;
    CookLoad = static_cast<Integer>(ItemKind + 1);
    cfrm.eleme->SetLeft(cfrm.Picture1->Left());
    ShowCookFrame();
}

void Game::DropIngredient() {
    Sound("drop");
    cfrm.eleme->SetPicture(windows::At(Figform.Picture1, ItemKind + 10, "Picture1").Picture());
    // The next item covers it at once; the broken one stays on screen a moment.
    Splash(*cfrm.eleme, cfrm.eleme->Picture());
    ClearShownPage();
    AddLives(-1);
    ItemState = 0;
}

void Game::WorkAtBelt() {
    if (!(BeltWidth > cfrm.pelmar->Left()) || ItemState != 2) {
        return;
    }
    LoopVar = (cfrm.pelmar->Top() + 550 - (cfrm.LimEsteira->Top() + BeltOffset)) /
                  layout::SandwichSpacing -
              7;
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
        Sound("lift");
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
        Sound("put");
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

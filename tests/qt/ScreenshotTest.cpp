// SPDX-License-Identifier: GPL-3.0-or-later
// The main window rendered at fixed, scripted states and compared with the
// reference images in tests/screenshots. Set PELMAR_UPDATE_SCREENSHOTS=1 to
// write the references anew (then look at each one before committing it).
#include "Simulator.h"
#include "qt/Canvas.h"
#include "qt/FormPainter.h"

#include <QDir>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>
#include <sstream>

namespace {

void CompareImage(const QImage& actual, const std::string& name);

// The form as the window paints it, with the effects over it where given.
QImage Render(const ui::Form& form, const ui::Effects* effects = nullptr) {
    QImage image(form.clientWidth / 15, form.clientHeight / 15, QImage::Format_RGB32);
    QPainter painter(&image);
    qt::PictureCache pictures;
    qt::PaintForm(painter, qt::Painting{pictures, effects}, form, image.rect());
    return image;
}

void Compare(const ui::Form& form, const std::string& name, const ui::Effects* effects = nullptr) {
    CompareImage(Render(form, effects), name);
}

void CompareImage(const QImage& actual, const std::string& name) {
    const QString reference =
        QString(PELMAR_SCREENSHOTS) + "/" + QString::fromStdString(name) + ".png";
    if (qEnvironmentVariableIntValue("PELMAR_UPDATE_SCREENSHOTS") == 1) {
        ASSERT_TRUE(actual.save(reference));
        GTEST_SKIP() << "wrote " << reference.toStdString();
    }
    const QImage expected = QImage(reference).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(expected.isNull()) << "no reference " << reference.toStdString();
    ASSERT_EQ(actual.size(), expected.size());
    int differing = 0;
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            differing += actual.pixel(x, y) != expected.pixel(x, y);
        }
    }
    // Text may be drawn a little differently by another font version.
    if (differing > 0) {
        actual.save(QDir::currentPath() + "/" + QString::fromStdString(name) + ".actual.png");
    }
    EXPECT_LE(differing, actual.width() * actual.height() / 200)
        << name << ": " << differing << " pixels differ";
}

class ScreenshotTest : public ::testing::Test {
protected:
    sim::Simulator sim;
    game::Game& g = sim.game;
    windows::Cfrm& cfrm = sim.windows.cfrm;
    void Run(int ticks) {
        for (int i = 0; i < ticks; ++i) {
            sim.Step(1);
        }
    }
};

TEST_F(ScreenshotTest, LevelStartInTheUpperRoom) {
    Run(250);
    Compare(cfrm, "level_start");
    // Played on by script to a moment a broken item lies on the floor; the
    // browser's test plays the same lines and compares its canvas with this.
    std::ostringstream out;
    for (const char* line : {"keydown 39", "play 600", "keyup 39", "play 450"}) {
        ASSERT_TRUE(sim.Execute(line, out)) << line << out.str();
    }
    ASSERT_EQ(sim.platform.Effects().splashes.size(), 1u);
    Compare(cfrm, "played_to_a_splash", &sim.platform.Effects());
}

TEST_F(ScreenshotTest, LowerRoomWithRaisedOvensAndASandwichFalling) {
    Run(5);
    g.OrderSlot(1, 1) = 3;
    g.OrderSlot(1, 2) = 2;
    cfrm.forno[1]->SetTop(cfrm.forno[1]->Top() - 1050);
    cfrm.forno[2]->SetTop(cfrm.forno[2]->Top() - 525);
    g.ItemState = 3;
    g.CookLoad = 1;
    g.CarriedFilling = 3;
    cfrm.pelmar->SetTop(3624);
    g.SwitchRoom();
    g.ReleaseKeys();
    cfrm.pelmar->Move(2355 + 255, 358);
    g.ActionKey = game::True;
    g.StepSandwichDrop();
    g.ActionKey = game::False;
    // Past the chute strip, where the sandwich shows inside its oven.
    for (int i = 0; i < 130; ++i) {
        sim.platform.MoveClock(1);
        g.StepSandwichDrop();
    }
    Compare(cfrm, "lower_room_falling");
}

TEST_F(ScreenshotTest, EndOfLevelCountDown) {
    Run(5);
    cfrm.forno[3]->SetTop(cfrm.forno[3]->Top() - 1575);
    g.BeltOldest = 0;
    g.ItemState = 0;
    while (g.RoundPhase != 2) {
        Run(1);
    }
    Compare(cfrm, "end_of_level");
}

TEST_F(ScreenshotTest, PictureDisplayAtItsLimits) {
    g.Score = 9999999999.0;
    g.Lives = 0;
    g.Level = 99;
    g.ShowScore();
    g.ShowLives();
    g.ShowLevel();
    Compare(cfrm, "display_pictures");
}

TEST_F(ScreenshotTest, SimpleDisplayAtItsLimits) {
    g.Score = 9999999999.0;
    g.Lives = 0;
    g.Level = 99;
    cfrm.MenuDisplay->onClick();
    Compare(cfrm, "display_simple");
}

} // namespace

TEST_F(ScreenshotTest, TwiceTheSizeEveryPixelASquareAndThePauseSign) {
    Run(250);
    qt::PictureCache pictures;
    qt::Canvas canvas(nullptr, cfrm, pictures);
    canvas.SetZoom(2);
    const QImage doubled = canvas.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage single = Render(cfrm);
    ASSERT_EQ(doubled.size(), single.size() * 2);
    // Each pixel of 1x is a 2 x 2 square, the labels' text included.
    int unlike = 0;
    for (int y = 0; y < doubled.height(); ++y) {
        for (int x = 0; x < doubled.width(); ++x) {
            unlike += doubled.pixel(x, y) != single.pixel(x / 2, y / 2);
        }
    }
    EXPECT_EQ(unlike, 0);
    canvas.ShowPauseSign(true);
    CompareImage(canvas.grab().toImage().convertToFormat(QImage::Format_RGB32), "paused_2x");
}

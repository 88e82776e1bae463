// SPDX-License-Identifier: GPL-3.0-or-later
// The effects as a player sees them: the real game in its real window on an
// X server, running on its own timer and clock, while the screen's pixels are
// read back every 2 ms. A loss shows its broken picture where it happened
// for about 0.4 s; the carried order's line blinks strong and pale in turn.
#include "Simulator.h"
#include "game/Game.h"
#include "qt/Backend.h"
#include "qt/Canvas.h"
#include "qt/FormPainter.h"
#include "qt/FormWindow.h"
#include "qt/QtPlatform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int Px = ui::TwipsPerPixel;

// One reading of the screen: when (ms since the reading began) and what it saw.
struct Sample {
    qint64 ms;
    int seen;
};

// A run of equal readings: what was seen, from when, until the next run
// began, and the longest wait between two of its readings.
struct Stretch {
    int seen;
    qint64 from;
    qint64 until;
    qint64 longestWait = 0;
};

std::vector<Stretch> Stretches(const std::vector<Sample>& samples) {
    std::vector<Stretch> runs;
    qint64 last = 0;
    for (const Sample& s : samples) {
        if (!runs.empty()) {
            runs.back().longestWait = std::max(runs.back().longestWait, s.ms - last);
        }
        last = s.ms;
        if (runs.empty() || runs.back().seen != s.seen) {
            if (!runs.empty()) {
                runs.back().until = s.ms;
            }
            runs.push_back({s.seen, s.ms, s.ms});
        }
    }
    if (!runs.empty()) {
        runs.back().until = samples.back().ms;
    }
    return runs;
}

std::string Describe(const std::vector<Stretch>& runs) {
    std::string text;
    for (const Stretch& r : runs) {
        text += std::to_string(r.seen) + ":" + std::to_string(r.until - r.from) + "ms ";
    }
    return text;
}

class EffectsOnScreen : public ::testing::Test {
protected:
    QTemporaryDir dir;
    qt::QtPlatform frontEnd{host::TableFolders{dir.path().toStdString(), dir.path().toStdString()}};
    host::Host platform{frontEnd};
    windows::Windows& windows = platform.windows();
    game::Game& g = platform.game();
    std::unique_ptr<qt::Backend> backend;
    windows::Cfrm& cfrm = windows.cfrm;
    qt::FormWindow* main = nullptr;

    void SetUp() override {
        ASSERT_EQ(QGuiApplication::platformName(), "xcb")
            << "these tests read an X server's screen";
        backend = std::make_unique<qt::Backend>(platform, frontEnd);
        main = &backend->WindowOf(cfrm);
        platform.Start();
        QElapsedTimer shown;
        shown.start();
        while (!(main->isVisible() && main->windowHandle() != nullptr &&
                 main->windowHandle()->isExposed()) &&
               shown.elapsed() < 10000) {
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        ASSERT_TRUE(main->windowHandle() != nullptr && main->windowHandle()->isExposed());
        // The first frames, and a first item under way.
        Wait(300);
    }

    void TearDown() override { backend.reset(); }

    static void Wait(int ms) {
        QEventLoop loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
    }

    // The canvas pixels of a rectangle given in canvas pixels at 1x.
    QImage Grab(const QRect& at1x) const {
        const qt::Canvas& canvas = main->canvas();
        const int zoom = canvas.zoom();
        const QPoint origin = canvas.mapToGlobal(QPoint(0, 0));
        return canvas.screen()
            ->grabWindow(0, origin.x() + at1x.x() * zoom, origin.y() + at1x.y() * zoom,
                         at1x.width() * zoom, at1x.height() * zoom)
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }

    // Runs the game for `ms`, reading `look` from the screen every 2 ms;
    // `start` runs once the reading has begun.
    std::vector<Sample> Watch(int ms, const std::function<void()>& start,
                              const std::function<int()>& look) {
        std::vector<Sample> samples;
        QElapsedTimer clock;
        QEventLoop loop;
        QTimer every;
        every.setTimerType(Qt::PreciseTimer);
        QObject::connect(&every, &QTimer::timeout, [&] {
            samples.push_back({clock.elapsed(), look()});
            if (clock.elapsed() >= ms) {
                loop.quit();
            }
        });
        clock.start();
        every.start(2);
        QTimer::singleShot(20, start);
        loop.exec();
        return samples;
    }

    // 1 where the broken picture of `kind` shows, 0 elsewhere: nine pixels in
    // ten of it exactly on screen, at the place of the game's first splash
    // of that picture.
    std::function<int()> BrokenPicture(int kind) {
        const QString resource = "item_" + QString::number(kind) + ".png";
        const QImage picture =
            QImage(":/pictures/" + resource).convertToFormat(QImage::Format_RGB32);
        return [this, resource, picture] {
            if (!splash) {
                for (const auto& s : g.effects().splashes) {
                    if (QString::fromStdString(s.picture->resource) == resource) {
                        splash = s;
                    }
                }
                if (!splash) {
                    return 0;
                }
            }
            const auto room = splash->container->ShownRect();
            if (!room) {
                ADD_FAILURE() << "the splash's room is not shown";
                return 0;
            }
            const QRect place(ui::FloorPixels(room->left) + ui::FloorPixels(splash->left),
                              ui::FloorPixels(room->top) + ui::FloorPixels(splash->top),
                              picture.width(), picture.height());
            const QRect clip =
                QRect(QPoint(ui::FloorPixels(room->left), ui::FloorPixels(room->top)),
                      QPoint(ui::CeilPixels(room->right) - 1, ui::CeilPixels(room->bottom) - 1)) &
                place;
            if (clip.width() * clip.height() < picture.width() * picture.height() / 2) {
                ADD_FAILURE() << "the splash is mostly outside its room";
                return 0;
            }
            const QImage shown = Grab(clip);
            const int zoom = main->canvas().zoom();
            int same = 0;
            for (int y = 0; y < clip.height(); ++y) {
                for (int x = 0; x < clip.width(); ++x) {
                    same += shown.pixel(x * zoom, y * zoom) ==
                            picture.pixel(clip.x() - place.x() + x, clip.y() - place.y() + y);
                }
            }
            return same * 10 >= clip.width() * clip.height() * 9 ? 1 : 0;
        };
    }
    // Where the game said the broken picture went.
    std::optional<ui::Effects::Splash> splash;

    // An item of `kind` thrown just now from (left, top).
    void Thrown(int kind, int left, int top) {
        g.ItemState = 1;
        g.ItemKind = static_cast<game::Integer>(kind);
        cfrm.eleme->SetPicture(windows.fig.Picture1[static_cast<std::size_t>(kind)]->Picture());
        cfrm.eleme->Move(left, top);
        g.ItemClock = platform.Clock();
        g.ItemLeft = left;
    }

    // The one time the picture showed: from its first reading on screen to
    // the first reading after it had gone.
    static qint64 ShownFor(const std::vector<Sample>& samples) {
        const std::vector<Stretch> runs = Stretches(samples);
        int shown = 0;
        qint64 length = 0;
        for (const Stretch& r : runs) {
            if (r.seen == 1) {
                ++shown;
                length = r.until - r.from;
            }
        }
        EXPECT_EQ(shown, 1) << Describe(runs);
        std::printf("on screen: %s\n", Describe(runs).c_str());
        EXPECT_EQ(runs.back().seen, 0) << "still shown at the end: " << Describe(runs);
        return length;
    }
    static void ExpectShownForAboutFourTenths(const std::vector<Sample>& samples) {
        const qint64 shown = ShownFor(samples);
        EXPECT_GE(shown, 300);
        EXPECT_LE(shown, 500);
    }
};

TEST_F(EffectsOnScreen, AnItemThatReachesTheBeltShowsBrokenThereForAboutFourTenths) {
    const int left = 1000, top = 2000;
    const auto samples = Watch(
        1000,
        [&] {
            // An ingredient a few twips short of the belt.
            Thrown(3, left, top);
        },
        BrokenPicture(13));
    ASSERT_TRUE(splash.has_value());
    EXPECT_EQ(splash->container, cfrm.eleme->parent());
    EXPECT_LT(splash->left, left) << "it broke on the way";
    EXPECT_EQ(splash->top, top);
    ExpectShownForAboutFourTenths(samples);
}

TEST_F(EffectsOnScreen, AnItemThatMeetsTheCookHighShowsBrokenOverHimForAboutFourTenths) {
    const int left = cfrm.pelmar->Left() + 100, top = cfrm.pelmar->Top() + 100;
    const int lives = g.Lives;
    const auto samples = Watch(
        1000,
        [&] {
            // Far above his hands: it breaks on him at the next tick.
            Thrown(1, left, top);
        },
        BrokenPicture(11));
    ASSERT_TRUE(splash.has_value());
    EXPECT_NEAR(splash->left, left, 15) << "where it met him, a tick later at most";
    EXPECT_EQ(splash->top, top);
    EXPECT_EQ(g.Lives, lives - 1);
    ExpectShownForAboutFourTenths(samples);
}

TEST_F(EffectsOnScreen, AMissedThrowShowsTheBrokenSandwichWhereItFellForAboutFourTenths) {
    // The cook at the counter in the lower room with a sandwich no order wants.
    // He walks off the bottom of the upper room, and stops over oven 1.
    g.ItemState = 3;
    g.CarriedFilling = 3;
    g.CookLoad = 1;
    cfrm.pelmar->Move(915 + 255, 3624);
    Wait(100);
    ASSERT_EQ(g.LowerRoom, game::True);
    g.ReleaseKeys();
    for (int line = 1; line <= 3; ++line) {
        if (g.OrderSlot(line, 1) == 3) {
            g.OrderSlot(line, 1) = 5;
        }
    }
    g.CookPose = 12;
    g.ShowCookFrame();
    cfrm.pelmar->Move(915 + 255, 358);
    Wait(100);
    const int lives = g.Lives;
    // Thrown facing down from the cook's left edge, it falls from there.
    const int left = cfrm.pelmar->Left(), top = cfrm.pelmar->Top() + 330;
    const auto samples = Watch(
        1600, [&] { g.ActionKey = game::True; }, BrokenPicture(15));
    ASSERT_TRUE(splash.has_value());
    EXPECT_EQ(splash->container, cfrm.eleme2->parent());
    EXPECT_EQ(splash->left, left);
    EXPECT_EQ(splash->top, top);
    EXPECT_EQ(g.Lives, lives - 5) << "a miss";
    ExpectShownForAboutFourTenths(samples);
}

// Each colour stays at least 170 ms: under three flashes a second.
TEST_F(EffectsOnScreen, TheCarriedOrdersLineBlinksInRunsOfAboutASixthOfASecond) {
    const ui::Control& line = *cfrm.selec[1];
    const auto shownRect = line.ShownRect();
    ASSERT_TRUE(shownRect.has_value());
    const QRect box(
        QPoint(ui::FloorPixels(shownRect->left), ui::FloorPixels(shownRect->top)),
        QPoint(ui::CeilPixels(shownRect->right) - 1, ui::CeilPixels(shownRect->bottom) - 1));
    const auto samples = Watch(
        3000,
        [&] {
            g.BlinkLine(1) = 2;
            g.BlinkLine(2) = 3;
        },
        [&] {
            // 1 strong, 2 pale, by most of the line's pixels; 0 for neither.
            const QRgb strong = qt::ToQColor(g.effects().strong).rgb();
            const QRgb pale = qt::ToQColor(g.effects().pale).rgb();
            const QImage shown = Grab(box);
            int strongs = 0, pales = 0;
            for (int y = 0; y < shown.height(); ++y) {
                for (int x = 0; x < shown.width(); ++x) {
                    strongs += shown.pixel(x, y) == strong;
                    pales += shown.pixel(x, y) == pale;
                }
            }
            const int half = shown.width() * shown.height() / 2;
            return strongs > half ? 1 : pales > half ? 2 : 0;
        });
    ASSERT_EQ(g.effects().blinkLine, &line);
    std::vector<Stretch> runs = Stretches(samples);
    // The first run is the line before it blinked; the last is cut short.
    ASSERT_GE(runs.size(), 14u) << Describe(runs);
    std::printf("on screen: %s\n", Describe(runs).c_str());
    const std::vector<Stretch> whole(runs.begin() + 2, runs.end() - 1);
    // A run during which the whole program stood still (the machine gave it
    // no time: no reading for 20 ms) says nothing of the pace, nor does the
    // next, which began as late as that one ended; a few runs must be timed,
    // however busy the machine.
    std::size_t timed = 0;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        EXPECT_NE(whole[i].seen, 0) << Describe(runs);
        if (i > 0) {
            EXPECT_NE(whole[i].seen, whole[i - 1].seen);
        }
        if (whole[i].longestWait > 20 || (i > 0 && whole[i - 1].longestWait > 20)) {
            continue;
        }
        ++timed;
        EXPECT_GE(whole[i].until - whole[i].from, 150) << Describe(runs);
        EXPECT_LE(whole[i].until - whole[i].from, 210) << Describe(runs);
    }
    EXPECT_GE(timed, 3u) << Describe(runs);
}

// The game time from the end of a level with 20 lives to the next level.
TEST_F(EffectsOnScreen, TheCountDownAtTheEndOfALevelTakesTheSimulatorsGameTime) {
    auto countDown = [](game::Game& game, ui::Platform& clock, const std::function<void()>& wait) {
        game.Lives = 20;
        game.RoundPhase = -1;
        const double start = clock.Clock();
        for (int i = 0; i < 20000 && game.RoundPhase != 0; ++i) {
            wait();
        }
        EXPECT_EQ(game.RoundPhase, 0);
        return clock.Clock() - start;
    };
    // Here the window's own wake-ups run the ticks; the state is looked at
    // every millisecond, so the end is seen within a frame of it.
    const double shown = countDown(g, platform, [] { Wait(1); });
    sim::Simulator sim;
    std::ostringstream out;
    const double played = countDown(sim.game, sim.platform, [&] { sim.Execute("play 0.1", out); });
    std::printf("count-down of 20 lives: %.1f hundredths in the window, %.1f in play\n", shown,
                played);
    EXPECT_GT(played, 300) << "20 lives a tenth apart, then the ovens";
    EXPECT_NEAR(shown, played, played * 0.01);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/FormPainter.h"
#include "windows/Forms.h"

#include <QFile>
#include <QImage>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

// Stated backgrounds, by the picture's owner (0x00BBGGRR as the game writes colours).
std::optional<ui::Colour> Background(const std::string& owner) {
    static const std::map<std::string, ui::Colour> exact{
        {"Figform.Picture1(4)", 0x000000}, {"Figform.Picture2(0)", 0xFFFFFF},
        {"Figform.Picture2(1)", 0x00FF00}, {"Figform.Picture2(2)", 0x0000FF},
        {"Figform.Picture2(3)", 0xFF0000}, {"cfrm.eleme2", 0x000080},
        {"cfrm.fogo", 0x000000},           {"cfrm.pelmar", 0xFFFFFF},
    };
    if (auto it = exact.find(owner); it != exact.end()) {
        return it->second;
    }
    static const std::vector<std::pair<std::string, ui::Colour>> byArray{
        {"Figform.pelmar(", 0xFFFFFF},   {"Figform.Num(", 0x000000},
        {"Figform.Picture1(", 0xFFFFFF}, {"Figform.Sanduba(", 0xC0C0C0},
        {"cfrm.Sandest(", 0xC0C0C0},     {"cfrm.Pto(", 0x000000},
        {"cfrm.fase(", 0x000000},        {"cfrm.Vidas(", 0x000000}};
    for (const auto& [prefix, colour] : byArray) {
        if (owner.rfind(prefix, 0) == 0) {
            return colour;
        }
    }
    return std::nullopt;
}

TEST(Pictures, EveryPictureIsThereAtItsSizeOpaqueOnItsBackground) {
    windows::Windows windows;
    int checked = 0;
    for (ui::Form* form : windows.All()) {
        std::vector<const ui::Control*> owners{form};
        for (const auto& c : form->controls()) {
            owners.push_back(c.get());
        }
        for (const ui::Control* c : owners) {
            if (!c->Picture()) {
                continue;
            }
            const ui::Picture& picture = *c->Picture();
            SCOPED_TRACE(c->FullName() + " " + picture.resource);
            const QImage image(QString::fromStdString(":/pictures/" + picture.resource));
            ASSERT_FALSE(image.isNull()) << "missing";
            EXPECT_EQ(image.width(), picture.widthPx);
            EXPECT_EQ(image.height(), picture.heightPx);
            const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
            bool opaque = true;
            for (int y = 0; y < argb.height() && opaque; ++y) {
                for (int x = 0; x < argb.width() && opaque; ++x) {
                    opaque = qAlpha(argb.pixel(x, y)) == 255;
                }
            }
            EXPECT_TRUE(opaque);
            if (const auto colour = Background(c->FullName())) {
                EXPECT_EQ(qt::ToQColor(*colour).rgb(), argb.pixel(0, 0) | 0xFF000000u);
            }
            ++checked;
        }
    }
    EXPECT_GT(checked, 80);
}

// The fire is shown and hidden on every tick; the room under it must show a
// different fire, or the flicker cannot be seen.
TEST(Pictures, TheRoomUnderTheFireShowsAnotherFire) {
    windows::Windows windows;
    const ui::Control& fogo = *windows.cfrm.fogo;
    const ui::Control& fundo = *windows.cfrm.fundo;
    ASSERT_EQ(fogo.parent(), &fundo);
    ASSERT_TRUE(fogo.Picture() && fundo.Picture());
    auto load = [](const ui::Control& c) {
        return QImage(QString::fromStdString(":/pictures/" + c.Picture()->resource))
            .convertToFormat(QImage::Format_RGB32);
    };
    const QImage room = load(fundo);
    const QImage fire = load(fogo);
    ASSERT_FALSE(room.isNull());
    ASSERT_FALSE(fire.isNull());
    const int left = fogo.Left() / ui::TwipsPerPixel, top = fogo.Top() / ui::TwipsPerPixel;
    ASSERT_LE(left + fire.width(), room.width());
    ASSERT_LE(top + fire.height(), room.height());
    int differing = 0;
    for (int y = 0; y < fire.height(); ++y) {
        for (int x = 0; x < fire.width(); ++x) {
            differing += room.pixel(left + x, top + y) != fire.pixel(x, y);
        }
    }
    EXPECT_GE(differing, fire.width() * fire.height() / 4);
}

// The desktop's icons: every size drawn in the 32-px art's colours, never
// blended, with clear corners around the head; the larger sizes are drawn
// anew, not the small art scaled up; and a scalable one of the same size grid.
TEST(Pictures, EveryIconSizeIsThereDrawnAnewWithClearCorners) {
    const auto load = [](int size) {
        return QImage(QStringLiteral(PELMAR_ICONS "/pelmar_%1.png").arg(size))
            .convertToFormat(QImage::Format_ARGB32);
    };
    const QImage base = load(32);
    ASSERT_EQ(base.size(), QSize(32, 32));
    std::set<QRgb> palette;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            palette.insert(base.pixel(x, y));
        }
    }
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        SCOPED_TRACE(size);
        const QImage icon = load(size);
        ASSERT_EQ(icon.size(), QSize(size, size));
        int foreign = 0, clear = 0, scaledCopy = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                foreign += palette.count(icon.pixel(x, y)) == 0;
                clear += qAlpha(icon.pixel(x, y)) == 0;
                if (size % 32 == 0) {
                    scaledCopy += icon.pixel(x, y) == base.pixel(x * 32 / size, y * 32 / size);
                }
            }
        }
        EXPECT_EQ(foreign, 0) << "colours the 32-px art does not have";
        for (const QPoint corner : {QPoint(0, 0), QPoint(size - 1, 0)}) {
            EXPECT_EQ(qAlpha(icon.pixel(corner)), 0) << "an opaque corner";
        }
        EXPECT_GT(clear, size * size / 20) << "hardly anything clear around the head";
        if (size > 32) {
            EXPECT_LT(scaledCopy, size * size * 9 / 10) << "the 32-px art scaled up";
        }
    }
    QFile svg(QStringLiteral(PELMAR_ICONS "/pelmar.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&svg);
    ASSERT_TRUE(xml.readNextStartElement());
    EXPECT_EQ(xml.name(), QLatin1String("svg"));
    EXPECT_EQ(xml.attributes().value(QLatin1String("viewBox")), QLatin1String("0 0 32 32"));
    int shapes = 0;
    while (!xml.atEnd()) {
        shapes += xml.readNext() == QXmlStreamReader::StartElement;
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_GT(shapes, 10);
}

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/FormPainter.h"

#include "qt/Language.h"
#include "ui/Paint.h"

#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QPainter>
#include <QPalette>

#include <algorithm>
#include <cstring>

namespace qt {

namespace {

constexpr int Px = ui::TwipsPerPixel;

QRect ToQRect(const ui::PixelBox& b) {
    return {b.x, b.y, b.w, b.h};
}

// The walk's drawing calls carried out by a QPainter.
class QtCanvas final : public ui::Canvas {
public:
    QtCanvas(QPainter& p, PictureCache* pictures) : p_(p), pictures_(pictures) {}
    void Clip(const ui::PixelBox& area) override { p_.setClipRect(ToQRect(area)); }
    void Unclip() override { p_.setClipping(false); }
    void Fill(const ui::PixelBox& box, ui::Colour colour, int alpha) override {
        QColor shade = ToQColor(colour);
        shade.setAlpha(alpha);
        p_.fillRect(ToQRect(box), shade);
    }
    void Picture(const ui::PictureRef& picture, int x, int y) override {
        const QImage* image = pictures_ != nullptr ? &pictures_->Of(picture) : nullptr;
        if (image != nullptr && !image->isNull()) {
            p_.drawImage(QPoint(x, y), *image);
        }
    }
    void Text(const ui::PixelBox& box, const ui::TextCall& text) override {
        p_.setFont(FontOf(text));
        p_.setPen(ToQColor(text.colour));
        const int across = text.align == ui::Alignment::Center  ? Qt::AlignHCenter
                           : text.align == ui::Alignment::Right ? Qt::AlignRight
                                                                : Qt::AlignLeft;
        const int down = text.middle ? Qt::AlignVCenter : Qt::AlignTop;
        p_.drawText(ToQRect(box), across | down | Qt::TextSingleLine, Translated(text.text));
    }
    int TextWidth(const ui::TextCall& text) override {
        return QFontMetrics(FontOf(text)).horizontalAdvance(Translated(text.text));
    }
    int TextHeight(const ui::TextCall& text) override {
        return QFontMetrics(FontOf(text)).height();
    }

private:
    static QFont FontOf(const ui::TextCall& text) {
        QFont font = ToQFont(text.font);
        font.setPixelSize(text.pixels);
        if (text.spacing != 0) {
            font.setLetterSpacing(QFont::AbsoluteSpacing, text.spacing);
        }
        return font;
    }
    QPainter& p_;
    // None for a paint that shows no pictures.
    PictureCache* pictures_;
};

} // namespace

QColor ToQColor(ui::Colour colour) {
    if (colour == ui::SystemWindow) {
        return QGuiApplication::palette().color(QPalette::Base);
    }
    if (colour == ui::SystemWindowText) {
        return QGuiApplication::palette().color(QPalette::Text);
    }
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

QFont ToQFont(const ui::Font& font) {
    QFont q;
    const bool mono = ui::Monospaced(font);
    q.setFamilies(mono ? QStringList{QString::fromStdString(font.family), "Courier New",
                                     "DejaVu Sans Mono", "Liberation Mono", "Monospace"}
                       : QStringList{QString::fromStdString(font.family), "DejaVu Sans",
                                     "Liberation Sans", "Sans Serif"});
    q.setStyleHint(mono ? QFont::TypeWriter : QFont::SansSerif);
    q.setPixelSize(ui::FontPixels(font));
    q.setBold(font.bold);
    q.setItalic(font.italic);
    return q;
}

const QImage& PictureCache::Of(const ui::PictureRef& picture) {
    // A picture with words in it has its own copy in each language.
    const QString name = QString::fromStdString(picture->resource);
    const QString local = ":/pictures/" + CurrentLanguage() + "/" + name;
    auto it = images_.find(local);
    if (it == images_.end()) {
        QImage image(QFile::exists(local) ? local : ":/pictures/" + name);
        if (!image.isNull()) {
            image = image.convertToFormat(QImage::Format_RGB32);
        }
        it = images_.insert(local, image);
    }
    return *it;
}

void PaintForm(QPainter& p, const Painting& with, const ui::Form& form, const QRect& area) {
    QtCanvas canvas(p, &with.pictures);
    ui::PaintForm(canvas, form, {area.x(), area.y(), area.width(), area.height()},
                  {with.effects, with.blinkStrong});
}

void PaintForm(QPainter& p, PictureCache& pictures, const ui::Form& form, const QRect& area) {
    PaintForm(p, Painting{pictures}, form, area);
}

void PaintForm(QPainter& p, PictureCache& pictures, const ui::Form& form) {
    PaintForm(p, pictures, form, QRect(0, 0, form.clientWidth / Px, form.clientHeight / Px));
}

void ScaleUp(const QImage& single, const QRect& part, int factor, QImage& scaled) {
    // Each pixel widened once into the first row of its squares, that row
    // then copied down: cheaper than a scaled draw.
    const int width = part.width();
    for (int y = part.top(); y <= part.bottom(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(single.constScanLine(y)) + part.left();
        auto* first = reinterpret_cast<QRgb*>(scaled.scanLine(y * factor)) + part.left() * factor;
        if (factor == 2) {
            for (int x = 0; x < width; ++x) {
                first[2 * x] = from[x];
                first[2 * x + 1] = from[x];
            }
        } else {
            for (int x = 0; x < width; ++x) {
                std::fill_n(first + x * factor, factor, from[x]);
            }
        }
        for (int row = 1; row < factor; ++row) {
            std::memcpy(reinterpret_cast<QRgb*>(scaled.scanLine(y * factor + row)) +
                            part.left() * factor,
                        first, sizeof(QRgb) * static_cast<std::size_t>(width * factor));
        }
    }
}

void PaintReplaySign(QPainter& p, const QSize& client) {
    QtCanvas canvas(p, nullptr);
    ui::PaintReplaySign(canvas, client.width(), client.height());
}

void PaintPauseSign(QPainter& p, const QSize& client) {
    QtCanvas canvas(p, nullptr);
    ui::PaintPauseSign(canvas, ui::PauseSignBox(canvas, client.width(), client.height()));
}

} // namespace qt

// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/FormPainter.h"

#include "qt/Language.h"

#include <QCoreApplication>
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

QRect PixelRect(const ui::Control& c, QPoint origin) {
    return {origin.x() + ui::FloorPixels(c.Left()), origin.y() + ui::FloorPixels(c.Top()),
            c.Width() / Px, c.Height() / Px};
}

void DrawPicture(QPainter& p, const Painting& with, const ui::Control& c, const QRect& box) {
    if (!c.Picture()) {
        return;
    }
    const QImage& image = with.pictures.Of(c.Picture());
    if (!image.isNull()) {
        // Shown from the top-left corner at its own size; the box clips it.
        p.drawImage(box.topLeft(), image);
    }
}

void DrawBorder(QPainter& p, const QRect& box) {
    p.setPen(Qt::black);
    p.setBrush(Qt::NoBrush);
    p.drawRect(box.adjusted(0, 0, -1, -1));
}

// Order lines lay their ticks on a grid: a blank is 4 pixels, any other
// character sits centred in 8, so the ticks stand under the column icons.
void DrawGridText(QPainter& p, const QString& text, const QRect& box) {
    int x = box.left() + 1;
    const QFontMetrics metrics = p.fontMetrics();
    for (const QChar ch : text) {
        if (ch == ' ') {
            x += 4;
            continue;
        }
        const int w = metrics.horizontalAdvance(ch);
        p.drawText(x + (8 - w) / 2, box.top() + metrics.ascent(), QString(ch));
        x += 8;
    }
}

void DrawLabel(QPainter& p, const Painting& with, const ui::Control& c, const QRect& box) {
    if (!c.transparent) {
        // The blinking line shows the colour of the moment, not of the last tick.
        const bool blinking = with.effects != nullptr && with.effects->blinkLine == &c;
        const ui::Colour colour =
            blinking ? (with.blinkStrong ? with.effects->strong : with.effects->pale)
                     : c.BackColor();
        p.fillRect(box, ToQColor(colour));
    }
    if (!c.Caption().empty()) {
        p.setFont(ToQFont(c.font));
        p.setPen(c.Enabled() ? ToQColor(c.ForeColor()) : QColor(128, 128, 128));
        const QString text = Translated(c.Caption());
        if (c.gridText) {
            DrawGridText(p, text, box);
        } else {
            const int align = c.GetAlignment() == ui::Alignment::Center  ? Qt::AlignHCenter
                              : c.GetAlignment() == ui::Alignment::Right ? Qt::AlignRight
                                                                         : Qt::AlignLeft;
            p.drawText(box.adjusted(1, 0, -1, 0), align | Qt::AlignTop | Qt::TextSingleLine, text);
        }
    }
    if (c.bordered) {
        DrawBorder(p, box);
    }
}

void PaintChildren(QPainter& p, const Painting& with, const ui::Control& container, QPoint origin,
                   const QRect& clip);

// A form's or a picture box's own colour and picture, within `clip`.
void PaintSurface(QPainter& p, const Painting& with, const ui::Control& c, const QRect& box,
                  const QRect& clip) {
    p.setClipRect(clip);
    p.fillRect(box, ToQColor(c.BackColor()));
    DrawPicture(p, with, c, box);
}

void PaintPictureBox(QPainter& p, const Painting& with, const ui::Control& c, QPoint origin,
                     const QRect& clip) {
    const QRect box = PixelRect(c, origin);
    const QRect visible = box & clip;
    if (visible.isEmpty()) {
        return;
    }
    PaintSurface(p, with, c, box, visible);
    if (c.bordered) {
        DrawBorder(p, box);
    }
    PaintChildren(p, with, c, box.topLeft(), visible);
}

void PaintChildren(QPainter& p, const Painting& with, const ui::Control& container, QPoint origin,
                   const QRect& clip) {
    // Labels and images lie on the container's surface, under its picture boxes.
    for (const ui::Control* child : container.children()) {
        if (!child->Visible()) {
            continue;
        }
        if (child->kind() == ui::Kind::Image || child->kind() == ui::Kind::Label) {
            const QRect box = PixelRect(*child, origin);
            const QRect visible = box & clip;
            if (visible.isEmpty()) {
                continue;
            }
            p.setClipRect(visible);
            child->kind() == ui::Kind::Image ? DrawPicture(p, with, *child, box)
                                             : DrawLabel(p, with, *child, box);
        }
    }
    for (const ui::Control* child : container.children()) {
        if (child->Visible() && child->kind() == ui::Kind::PictureBox) {
            PaintPictureBox(p, with, *child, origin, clip);
        }
    }
}

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
    const bool mono = font.family.rfind("Courier", 0) == 0;
    q.setFamilies(mono ? QStringList{QString::fromStdString(font.family), "Courier New",
                                     "DejaVu Sans Mono", "Liberation Mono", "Monospace"}
                       : QStringList{QString::fromStdString(font.family), "DejaVu Sans",
                                     "Liberation Sans", "Sans Serif"});
    q.setStyleHint(mono ? QFont::TypeWriter : QFont::SansSerif);
    q.setPixelSize(static_cast<int>(font.points * 96.0 / 72.0 + 0.5) - (mono ? 1 : 0));
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
    const QRect client(0, 0, form.clientWidth / Px, form.clientHeight / Px);
    const QRect clip = client & area;
    if (!clip.isEmpty()) {
        PaintSurface(p, with, form, client, clip);
    }
    PaintChildren(p, with, form, QPoint(0, 0), clip);
    p.setClipping(false);
}

void PaintForm(QPainter& p, PictureCache& pictures, const ui::Form& form, const QRect& area) {
    PaintForm(p, Painting{pictures}, form, area);
}

void PaintForm(QPainter& p, PictureCache& pictures, const ui::Form& form) {
    PaintForm(p, pictures, form, QRect(0, 0, form.clientWidth / Px, form.clientHeight / Px));
}

void PaintSplashes(QPainter& p, const Painting& with, const QRect& area) {
    if (with.effects == nullptr) {
        return;
    }
    for (const auto& splash : with.effects->splashes) {
        const auto shown =
            splash.container != nullptr ? splash.container->ShownRect() : std::nullopt;
        if (!shown || !splash.picture) {
            continue;
        }
        // Drawn over its room only, where the item broke.
        const QRect room(
            QPoint(ui::FloorPixels(shown->left), ui::FloorPixels(shown->top)),
            QPoint(ui::CeilPixels(shown->right) - 1, ui::CeilPixels(shown->bottom) - 1));
        const QRect clip = room & area;
        if (clip.isEmpty()) {
            continue;
        }
        p.setClipRect(clip);
        // Placed in the container's own coordinates; a window's are its client area's.
        const QPoint origin(ui::FloorPixels(shown->left), ui::FloorPixels(shown->top));
        p.drawImage(origin + QPoint(ui::FloorPixels(splash.left), ui::FloorPixels(splash.top)),
                    with.pictures.Of(splash.picture));
    }
    p.setClipping(false);
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
    p.setClipping(false);
    QFont font = ToQFont(ui::Font{"MS Sans Serif", 8.25, true, false});
    font.setPixelSize(10);
    p.setFont(font);
    const QString text = QCoreApplication::translate("pelmar", "REPETIÇÃO");
    const QSize box(p.fontMetrics().horizontalAdvance(text) + 8, p.fontMetrics().height() + 2);
    // In the upper room's far corner, clear of the counters and the lines.
    const QRect sign(QPoint(client.width() / 5, client.height() / 5), box);
    p.fillRect(sign, QColor(0, 0, 0, 160));
    p.setPen(QColor(255, 220, 64));
    p.drawText(sign, Qt::AlignCenter, text);
}

void PaintPauseSign(QPainter& p, const QSize& client) {
    p.setClipping(false);
    QFont font = ToQFont(ui::Font{"MS Sans Serif", 8.25, true, false});
    font.setPixelSize(22);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 3);
    p.setFont(font);
    const QString text = QCoreApplication::translate("pelmar", "PAUSA");
    const QSize box(p.fontMetrics().horizontalAdvance(text) + 36, p.fontMetrics().height() + 14);
    // Over the middle of the kitchen, above the order lines.
    const QRect sign(
        QPoint((client.width() - box.width()) / 2, client.height() * 2 / 5 - box.height() / 2),
        box);
    p.fillRect(sign, QColor(0, 0, 0, 190));
    p.setPen(QPen(QColor(255, 220, 64), 2));
    p.drawRect(sign.adjusted(1, 1, -2, -2));
    p.setPen(Qt::white);
    p.drawText(sign, Qt::AlignCenter, text);
}

} // namespace qt

// SPDX-License-Identifier: GPL-3.0-or-later
// pelmar-screenshot OUT.png -- the main window a few seconds into level 1,
// painted by the game's own painter, doubled pixel for pixel and centred on
// a grey canvas, for the software centres.
#include "Simulator.h"
#include "qt/FormPainter.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: pelmar-screenshot OUT.png\n");
        return 2;
    }
    // The scripted clock makes every run paint the same picture.
    sim::Simulator sim;
    for (int tick = 0; tick < 420; ++tick) {
        sim.Step(1);
    }
    const ui::Form& form = sim.windows.cfrm;
    QImage window(form.clientWidth / 15, form.clientHeight / 15, QImage::Format_RGB32);
    {
        QPainter painter(&window);
        qt::PictureCache pictures;
        qt::PaintForm(painter, pictures, form);
    }

    constexpr int kScale = 2;
    constexpr int kMargin = 32;
    const QImage doubled =
        window.scaled(window.size() * kScale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    QImage canvas(doubled.width() + 2 * kMargin, doubled.height() + 2 * kMargin,
                  QImage::Format_RGB32);
    canvas.fill(QColor(0x8c, 0x8c, 0x8c));
    {
        QPainter painter(&canvas);
        painter.drawImage(kMargin, kMargin, doubled);
    }
    if (!canvas.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "pelmar-screenshot: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}

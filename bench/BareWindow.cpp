// SPDX-License-Identifier: GPL-3.0-or-later
// The least a Qt window that shows a moving picture can cost: a window of
// the game's size at 1x, woken by a 16 ms timer, that repaints itself fully
// each time. The whole-program benchmark measures the game beside it.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTimer>
#include <QWidget>

namespace {

class BareWindow : public QWidget {
public:
    BareWindow() : picture_(380, 326, QImage::Format_RGB32) {
        setFixedSize(picture_.size());
        setAttribute(Qt::WA_OpaquePaintEvent);
        connect(&timer_, &QTimer::timeout, this, [this] {
            ++frame_;
            update();
        });
        timer_.start(16);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        // A picture that changes every frame, drawn whole.
        picture_.fill(QColor::fromHsv(frame_ % 360, 128, 200));
        QPainter painter(this);
        painter.drawImage(0, 0, picture_);
    }

private:
    QImage picture_;
    QTimer timer_;
    int frame_ = 0;
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    BareWindow window;
    window.setWindowTitle(QStringLiteral("bare window"));
    window.show();
    return QApplication::exec();
}

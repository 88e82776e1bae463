// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/FormWindow.h"

#include "qt/Canvas.h"
#include "qt/FormPainter.h"
#include "qt/HeldKeys.h"
#include "qt/KeyMap.h"
#include "qt/Language.h"
#include "qt/MenuBar.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QToolTip>
#include <QValidator>

#include <functional>
#include <utility>

namespace qt {

namespace {

constexpr int Px = ui::TwipsPerPixel;

// A text the box's control would refuse never reaches the box: the key
// changes nothing, so the text and its selection stay as they were and the
// next key still types over the selected name.
class Refusing : public QValidator {
public:
    Refusing(const ui::Control& box, std::function<void()> refused, QObject* parent)
        : QValidator(parent), box_(box), refused_(std::move(refused)) {}
    State validate(QString& input, int&) const override {
        if (!box_.accepts || box_.accepts(input.toStdString())) {
            return Acceptable;
        }
        refused_();
        return Invalid;
    }

private:
    const ui::Control& box_;
    std::function<void()> refused_;
};

} // namespace

FormWindow::FormWindow(ui::Form& form, PictureCache& pictures, bool mainWindow, host::Host& host)
    : form_(form), canvas_(nullptr), host_(host), mainWindow_(mainWindow) {
    // The canvas sits centred on a black stage, which only shows in full screen.
    auto* stage = new QWidget(this);
    stage->setAutoFillBackground(true);
    QPalette black = stage->palette();
    black.setColor(QPalette::Window, Qt::black);
    stage->setPalette(black);
    auto* grid = new QGridLayout(stage);
    grid->setContentsMargins(0, 0, 0, 0);
    canvas_ = new Canvas(stage, form, pictures);
    grid->addWidget(canvas_, 0, 0, Qt::AlignCenter);
    setCentralWidget(stage);
    setWindowTitle(Translated(form.Caption()));
    // A fixed frame with a title and no buttons: the menus minimise and close.
    // The other windows are the main window's dialogs: a window manager keeps
    // them above it.
    Qt::WindowFlags flags = (mainWindow ? Qt::Window : Qt::Dialog) | Qt::CustomizeWindowHint |
                            Qt::MSWindowsFixedSizeDialogHint;
    if (!form.Caption().empty()) {
        flags |= Qt::WindowTitleHint;
    }
    setWindowFlags(flags);
    menus_ = std::make_unique<MenuBar>(*menuBar(), form_, host_);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    for (const auto& control : form_.controls()) {
        ui::Control& c = *control;
        if (c.kind() == ui::Kind::TextBox) {
            auto* edit = new QLineEdit(canvas_);
            edit->setFrame(false);
            edit->installEventFilter(this);
            // A refused character is not simply lost: the box says why.
            edit->setValidator(new Refusing(
                c,
                [edit] {
                    QToolTip::showText(edit->mapToGlobal(QPoint(0, edit->height())),
                                       QCoreApplication::translate(
                                           "pelmar", "Só cabem letras, algarismos e sinais do "
                                                     "alfabeto latino: sem emojis nem ideogramas."),
                                       edit);
                },
                edit));
            connect(edit, &QLineEdit::textEdited, this,
                    [this, &c](const QString& text) { host_.Type(c, text.toStdString()); });
            widgets_.insert(&c, edit);
            SyncWidget(c);
        } else if (c.kind() == ui::Kind::Button) {
            auto* button = new QPushButton(canvas_);
            button->setFocusPolicy(Qt::StrongFocus);
            connect(button, &QPushButton::clicked, this, [this, &c] { host_.Click(c); });
            widgets_.insert(&c, button);
            SyncWidget(c);
        }
    }
    form_.SetHost(this);
    SyncWindow();
}

FormWindow::~FormWindow() {
    form_.SetHost(nullptr);
}

void FormWindow::Invalidate() {
    canvas_->ScheduleFrame();
}

void FormWindow::SyncMenu(ui::Control& item) {
    menus_->Sync(item);
}

void FormWindow::SyncWidget(ui::Control& c) {
    QWidget* widget = widgets_.value(&c);
    if (widget == nullptr) {
        return;
    }
    const int zoom = canvas_->zoom();
    widget->setGeometry(c.Left() / Px * zoom, c.Top() / Px * zoom, c.Width() / Px * zoom,
                        c.Height() / Px * zoom);
    QFont font = ToQFont(c.font);
    font.setPixelSize(font.pixelSize() * zoom);
    widget->setFont(font);
    widget->setEnabled(c.Enabled());
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setMaxLength(c.maxLength > 0 ? c.maxLength : 32767);
        const QString text = QString::fromStdString(c.Text());
        if (edit->text() != text) {
            edit->setText(text);
        }
        QPalette palette = edit->palette();
        palette.setColor(QPalette::Base, ToQColor(c.BackColor()));
        palette.setColor(QPalette::Text, ToQColor(c.ForeColor()));
        edit->setPalette(palette);
        if (c.selectionPending) {
            c.selectionPending = false;
            edit->selectAll();
        }
    } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
        button->setText(Translated(c.Caption()));
        button->setDefault(c.isDefault);
    }
    widget->setVisible(c.Visible());
    if (c.Visible() && c.Enabled() && c.kind() == ui::Kind::TextBox) {
        widget->setFocus();
    }
}

void FormWindow::Retranslate() {
    setWindowTitle(Translated(form_.Caption()));
    menus_->Retranslate();
    for (auto it = widgets_.cbegin(); it != widgets_.cend(); ++it) {
        if (auto* button = qobject_cast<QPushButton*>(it.value().data())) {
            button->setText(Translated(it.key()->Caption()));
        }
    }
    // Labels are translated as they are painted, pictures with words chosen.
    canvas_->update();
    emit languageChanged();
}

bool FormWindow::eventFilter(QObject* watched, QEvent* event) {
    // A key held down as the box takes the focus keeps repeating into it:
    // only presses made since then reach it, so the selected name is typed
    // over whole.
    if (event->type() == QEvent::FocusIn) {
        freshFocus_ = true;
    } else if (event->type() == QEvent::KeyPress && freshFocus_) {
        if (static_cast<QKeyEvent*>(event)->isAutoRepeat()) {
            return true;
        }
        freshFocus_ = false;
    }
    return QMainWindow::eventFilter(watched, event);
}

void FormWindow::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers held = event->modifiers();
    const std::optional<host::Action> action =
        host_.KeyIn(form_, GameKeyCode(event->key()),
                    {(held & Qt::ControlModifier) != 0, (held & Qt::AltModifier) != 0,
                     (held & Qt::ShiftModifier) != 0},
                    event->isAutoRepeat());
    if (!action) {
        QMainWindow::keyPressEvent(event);
    } else if (*action != host::Action::None) {
        emit actionAsked(static_cast<int>(*action));
    }
}

void FormWindow::keyReleaseEvent(QKeyEvent* event) {
    // A release that only belongs to auto-repeat is not a key-up.
    if (event->isAutoRepeat() || !form_.Enabled() || !form_.keyPreview) {
        QMainWindow::keyReleaseEvent(event);
        return;
    }
    // Auto-repeat sends a release before each repeated press, and a busy
    // machine may deliver the press late, so Qt cannot always tell: the host
    // waits a moment, and the X server says where it can.
    host_.KeyUp(GameKeyCode(event->key()), StillHeld(*event));
}

void FormWindow::closeEvent(QCloseEvent* event) {
    // Only the main window can be closed, and closing it ends the program.
    event->ignore();
    if (mainWindow_ && host_.Replaying()) {
        QCoreApplication::quit();
    } else if (mainWindow_) {
        host_.Close(form_);
    }
}

void FormWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (mainWindow_ && !fullScreen_) {
        OfferNoMaximise();
    }
    QTimer::singleShot(0, this, [this] { host_.Paint(form_); });
}

} // namespace qt

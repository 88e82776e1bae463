#include "qt/FormWindow.h"

#include "qt/FormPainter.h"

#include <QAction>
#include <QCloseEvent>
#include <QDateTime>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWindow>

namespace qt {

// The client area: painted from the model, never more than once a frame.
class Canvas : public QWidget {
public:
    Canvas(FormWindow& window, ui::Form& form) : QWidget(&window), window_(window), form_(form) {
        setFixedSize(form.clientWidth / ui::TwipsPerPixel, form.clientHeight / ui::TwipsPerPixel);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFocusPolicy(Qt::StrongFocus);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        if (window_.paints_++ == 0) {
            window_.firstPaintEpochMs_ = QDateTime::currentMSecsSinceEpoch();
        }
        QPainter painter(this);
        for (const QRect& area : event->region()) {
            PaintForm(painter, form_, area);
        }
    }

private:
    FormWindow& window_;
    ui::Form& form_;
};

namespace {

constexpr int Px = ui::TwipsPerPixel;

int FloorPixels(int twips) {
    return twips >= 0 ? twips / Px : -((-twips + Px - 1) / Px);
}
int CeilPixels(int twips) {
    return -FloorPixels(-twips);
}

int FrameMilliseconds(const QWidget& widget) {
    const QScreen* screen = widget.screen();
    const double rate = screen != nullptr && screen->refreshRate() > 1 ? screen->refreshRate() : 60;
    return static_cast<int>(1000.0 / rate);
}

} // namespace

FormWindow::FormWindow(ui::Form& form, bool mainWindow)
    : form_(form), canvas_(new Canvas(*this, form)), frame_(new QTimer(this)),
      mainWindow_(mainWindow) {
    setCentralWidget(canvas_);
    setWindowTitle(QString::fromStdString(form.Caption()));
    // A fixed frame with a title and no buttons: the menus minimise and close.
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint;
    if (!form.Caption().empty()) {
        flags |= Qt::WindowTitleHint;
    }
    setWindowFlags(flags);
    BuildMenus();
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    frame_->setSingleShot(true);
    frame_->setTimerType(Qt::PreciseTimer);
    connect(frame_, &QTimer::timeout, this, [this] {
        // Only what changed is painted again.
        QRegion changed;
        for (const ui::Rect& r : form_.TakeDirty()) {
            changed += QRect(QPoint(FloorPixels(r.left), FloorPixels(r.top)),
                             QPoint(CeilPixels(r.right) - 1, CeilPixels(r.bottom) - 1));
        }
        if (!changed.isEmpty()) {
            sinceLastPaint_.restart();
            canvas_->update(changed);
        }
    });
    sinceLastPaint_.start();

    for (const auto& control : form_.controls()) {
        ui::Control& c = *control;
        if (c.kind() == ui::Kind::Timer) {
            auto* timer = new QTimer(this);
            timer->setTimerType(Qt::PreciseTimer);
            connect(timer, &QTimer::timeout, this, [&c] {
                if (c.onClick) {
                    c.onClick(); // the timer's event
                }
            });
            timers_.insert(&c, timer);
            SyncTimer(c);
        } else if (c.kind() == ui::Kind::TextBox) {
            auto* edit = new QLineEdit(canvas_);
            edit->setFrame(false);
            connect(edit, &QLineEdit::textEdited, this,
                    [&c](const QString& text) { c.SetText(text.toStdString()); });
            widgets_.insert(&c, edit);
            SyncWidget(c);
        } else if (c.kind() == ui::Kind::Button) {
            auto* button = new QPushButton(canvas_);
            button->setFocusPolicy(Qt::StrongFocus);
            connect(button, &QPushButton::clicked, this, [&c] {
                if (c.onClick) {
                    c.onClick();
                }
            });
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

void FormWindow::BuildMenus() {
    for (ui::Control* top : form_.children()) {
        if (top->kind() != ui::Kind::Menu) {
            continue;
        }
        QMenu* menu = menuBar()->addMenu(QString::fromStdString(top->Caption()));
        for (ui::Control* item : top->children()) {
            if (item->separator) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(QString::fromStdString(item->Caption()));
            if (!item->shortcut.empty()) {
                action->setShortcut(QKeySequence(QString::fromStdString(item->shortcut)));
                action->setShortcutContext(Qt::WindowShortcut);
            }
            connect(action, &QAction::triggered, this, [this, item] {
                if (item->onClick && form_.Enabled()) {
                    item->onClick();
                }
                SyncMenu(*item);
            });
            actions_.insert(item, action);
            SyncMenu(*item);
        }
    }
}

void FormWindow::Invalidate() {
    // Coalesce every change until the next display frame.
    if (frame_->isActive()) {
        return;
    }
    const int wait = FrameMilliseconds(*this) - static_cast<int>(sinceLastPaint_.elapsed());
    frame_->start(std::max(wait, 0));
}

void FormWindow::Notify(ui::Control& control, ui::Change what) {
    switch (what) {
    case ui::Change::Window:
        SyncWindow();
        break;
    case ui::Change::Menu:
        SyncMenu(control);
        break;
    case ui::Change::Timer:
        SyncTimer(control);
        break;
    case ui::Change::Widget:
        SyncWidget(control);
        break;
    }
}

void FormWindow::SyncWindow() {
    if (applyingState_) {
        return;
    }
    applyingState_ = true;
    setWindowTitle(QString::fromStdString(form_.Caption()));
    setEnabled(form_.Enabled());
    const QPoint place(form_.Left() / Px, form_.Top() / Px);
    if (place != placed_) {
        placed_ = place;
        move(place);
    }
    if (form_.Visible()) {
        if (form_.WindowState() == 1) {
            if (!isMinimized()) {
                showMinimized();
            }
        } else if (!isVisible() || isMinimized()) {
            showNormal();
            raise();
            activateWindow();
        }
    } else if (isVisible()) {
        hide();
    }
    applyingState_ = false;
}

void FormWindow::SyncMenu(ui::Control& item) {
    QAction* action = actions_.value(&item);
    if (action == nullptr) {
        return;
    }
    action->setText(QString::fromStdString(item.Caption()));
    action->setCheckable(item.Checked());
    action->setChecked(item.Checked());
    action->setEnabled(item.Enabled());
    action->setVisible(item.Visible());
}

void FormWindow::SyncTimer(ui::Control& control) {
    QTimer* timer = timers_.value(&control);
    if (timer == nullptr) {
        return;
    }
    if (control.Enabled() && control.Interval() > 0) {
        if (!timer->isActive() || timer->interval() != control.Interval()) {
            timer->start(control.Interval());
        }
    } else {
        timer->stop();
    }
}

void FormWindow::SyncWidget(ui::Control& c) {
    QWidget* widget = widgets_.value(&c);
    if (widget == nullptr) {
        return;
    }
    widget->setGeometry(c.Left() / Px, c.Top() / Px, c.Width() / Px, c.Height() / Px);
    widget->setFont(ToQFont(c.font));
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
        button->setText(QString::fromStdString(c.Caption()));
        button->setDefault(c.isDefault);
    }
    widget->setVisible(c.Visible());
    if (c.Visible() && c.Enabled() && c.kind() == ui::Kind::TextBox) {
        widget->setFocus();
    }
}

int FormWindow::KeyCode(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Alt:
        return 18;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Tab:
        return 9;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_End:
        return 35;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return 46;
    default:
        break;
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
        return 112 + (qtKey - Qt::Key_F1);
    }
    // Letters and digits have the same codes in both; the rest keep Qt's.
    return qtKey & 0xFFFF;
}

void FormWindow::keyPressEvent(QKeyEvent* event) {
    if (!form_.Enabled()) {
        return;
    }
    if (form_.keyPreview) {
        // An auto-repeated press arrives as another key-down, as the game expects.
        form_.KeyDown(KeyCode(event->key()));
        return;
    }
    // Enter and Escape press the default and cancel buttons.
    for (const auto& control : form_.controls()) {
        ui::Control& c = *control;
        const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        if (c.kind() == ui::Kind::Button && c.Visible() && c.Enabled() && c.onClick &&
            ((enter && c.isDefault) || (event->key() == Qt::Key_Escape && c.isCancel))) {
            c.onClick();
            return;
        }
    }
    QMainWindow::keyPressEvent(event);
}

void FormWindow::keyReleaseEvent(QKeyEvent* event) {
    // A release that only belongs to auto-repeat is not a key-up.
    if (event->isAutoRepeat() || !form_.Enabled() || !form_.keyPreview) {
        QMainWindow::keyReleaseEvent(event);
        return;
    }
    form_.KeyUp(KeyCode(event->key()));
}

void FormWindow::closeEvent(QCloseEvent* event) {
    // Only the main window can be closed, and closing it ends the program.
    event->ignore();
    if (mainWindow_) {
        form_.Form_Unload();
    }
}

void FormWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (applyingState_) {
        return;
    }
    if (event->type() == QEvent::WindowStateChange) {
        const int state = isMinimized() ? 1 : 0;
        if (state != form_.WindowState()) {
            applyingState_ = true;
            form_.SetWindowState(state);
            applyingState_ = false;
            if (state == 0) {
                // A window shown again repaints, which finishes a pending game over.
                QTimer::singleShot(0, this, [this] { form_.Form_Paint(); });
            }
        }
    } else if (event->type() == QEvent::ActivationChange && !isActiveWindow() && isVisible()) {
        QTimer::singleShot(0, this, [this] { form_.Form_LostFocus(); });
    }
}

void FormWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    QTimer::singleShot(0, this, [this] { form_.Form_Paint(); });
}

} // namespace qt

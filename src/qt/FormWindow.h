#pragma once

#include "ui/Controls.h"

#include <QElapsedTimer>
#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include <memory>
#include <vector>

class QAction;
class QTimer;

namespace qt {

class Canvas;

// One form of the model as a real window: painting from the control tree,
// real widgets for text boxes and buttons, the menu bar and the timers.
class FormWindow : public QMainWindow, public ui::FormHost {
    Q_OBJECT
public:
    // `mainWindow`: closing it ends the program; the others cannot be closed.
    FormWindow(ui::Form& form, bool mainWindow);
    ~FormWindow() override;

    ui::Form& form() { return form_; }

    void Invalidate() override;
    void Notify(ui::Control& control, ui::Change what) override;

    // Key codes of the game for a Qt key: arrows 37..40, Ctrl 17, Space 32.
    static int KeyCode(int qtKey);

    // For the whole-program measurements: paints so far, and when the first
    // one happened (milliseconds since the epoch, 0 before it).
    long long paints() const { return paints_; }
    qint64 firstPaintEpochMs() const { return firstPaintEpochMs_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildMenus();
    void SyncWindow();
    void SyncMenu(ui::Control& item);
    void SyncTimer(ui::Control& timer);
    void SyncWidget(ui::Control& control);
    void PaintNextFrame();

    ui::Form& form_;
    Canvas* canvas_;
    QHash<ui::Control*, QAction*> actions_;
    QHash<ui::Control*, QTimer*> timers_;
    QHash<ui::Control*, QPointer<QWidget>> widgets_;
    QTimer* frame_;
    QElapsedTimer sinceLastPaint_;
    bool mainWindow_;
    long long paints_ = 0;
    qint64 firstPaintEpochMs_ = 0;
    bool applyingState_ = false;
    QPoint placed_{-1, -1};

    friend class Canvas;
};

} // namespace qt

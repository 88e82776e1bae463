// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "host/Host.h"
#include "ui/Controls.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QSet>

class QTimer;

#include <memory>
#include <vector>

namespace qt {

class Canvas;
class MenuBar;
class PictureCache;

// One form of the model as a real window: the canvas painted from the
// control tree, real widgets for text boxes and buttons, and the menu bar;
// what the player does goes to the host.
class FormWindow : public QMainWindow, public ui::FormHost {
    Q_OBJECT
public:
    // `mainWindow`: closing it ends the program; the others cannot be closed.
    FormWindow(ui::Form& form, PictureCache& pictures, bool mainWindow, host::Host& host);
    ~FormWindow() override;

    ui::Form& form() { return form_; }
    const Canvas& canvas() const { return *canvas_; }

    void Invalidate() override;
    void SyncWindow() override;
    void SyncMenu(ui::Control& item) override;
    void SyncWidget(ui::Control& control) override;

    // Keeps the windows that are not the main window above it.
    void SetOwner(FormWindow& main);

    // The main window at a whole factor; the window keeps a fixed size.
    void SetZoom(int factor);
    // The game's factor for another window: at once while it shows, else
    // as it is shown (nothing need be laid out for a window never seen).
    void FollowZoom(int factor);
    int zoom() const;
    // The factors whose window fits the screen's available area.
    std::vector<int> FittingZooms() const;
    // The largest factor whose framed window fits the screen's available
    // area, 3x and more only with room to spare around it; at least 1.
    int StartingZoom() const;
    // Full screen: the largest whole factor that fits, centred on black.
    // Leaving it gives back the zoom the player had.
    void SetFullScreen(bool on);
    bool fullScreen() const { return fullScreen_; }
    Canvas& canvas() { return *canvas_; }

signals:
    // The factor the window is shown at changed, full screen included.
    void zoomChanged(int factor);
    // Another language was installed; the window shows its texts in it.
    void languageChanged();
    // A key asked the front end to do something (a host::Action's number):
    // zoom, full screen, or the end of a replay.
    void actionAsked(int action);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Takes the maximise button and action away, on X11.
    void OfferNoMaximise();
    // Where the window goes: the form's place, kept centred on the same spot
    // at a larger factor, and never partly off the screen's available area.
    QPoint PlaceOnScreen() const;
    int WindowHeightAt(int factor) const;
    // Shows the canvas and its widgets at a factor.
    void ApplyZoom(int factor);
    // The title, menus, buttons and painted texts in the language installed now.
    void Retranslate();

    ui::Form& form_;
    Canvas* canvas_;
    host::Host& host_;
    std::unique_ptr<MenuBar> menus_;
    QHash<ui::Control*, QPointer<QWidget>> widgets_;
    bool mainWindow_;
    bool applyingState_ = false;
    bool freshFocus_ = false;
    bool fullScreen_ = false;
    // The factor a hidden window takes as it shows; 0 when none waits.
    int zoomWhenShown_ = 0;
    int windowedZoom_ = 1;
    // The client area before full screen.
    QRect windowedClient_;
    QPointer<FormWindow> owner_;
    QPoint placed_{-1, -1};
};

} // namespace qt

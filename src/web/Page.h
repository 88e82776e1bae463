// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Painter.h"
#include "host/Host.h"
#include "ui/Controls.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace web {

class Page;

// One form of the model in the page: a canvas painted from the control
// tree, HTML elements for its text boxes and buttons, and, for the main
// window, the menu bar. Controls are known to the page by their number.
class FormView : public ui::FormHost {
public:
    FormView(Page& page, ui::Form& form, int id, bool mainWindow);
    ~FormView() override;

    ui::Form& form() { return form_; }
    int id() const { return id_; }

    void Invalidate() override;
    void SyncWindow() override;
    void SyncMenu(ui::Control& item) override;
    void SyncWidget(ui::Control& control) override;

    // Paints what changed since the last frame; false when nothing did.
    bool PaintChanges();
    // While the game is paused the effects stand still, and the main window
    // shows the pause sign over its picture.
    void SetPaused(bool paused);
    // The control with this number, or null.
    ui::Control* ControlOf(int number) const;
    int NumberOf(const ui::Control& control) const;

private:
    Page& page_;
    ui::Form& form_;
    int id_;
    bool shown_ = false;
    bool paused_ = false;
    bool mainWindow_;
    // Where the pause sign was last painted, while it shows.
    std::optional<Box> sign_;
};

// The windows in the page, woken by the host: each wake-up runs the ticks
// due, then paints what changed.
class Page {
public:
    explicit Page(host::Host& host);
    host::Host& host() { return host_; }

    FormView* ViewOf(int id);
    FormView& Main() { return *views_[1]; }
    // The visible window in front: a dialog over the main window, else the
    // main window.
    FormView& Front();
    const std::vector<std::unique_ptr<FormView>>& views() const { return views_; }

    // A display frame: the ticks due, then the paint of what changed.
    void Frame();

    long long paints() const { return paints_; }
    // Whether a frame is running: what changes in it is painted before it ends.
    bool InFrame() const { return inFrame_; }

    // The page's own "Exibir" menu, beside the game's menus: zoom, full
    // screen and the player's pause. Its pause entry's check mark follows
    // the game, which ends the pause by itself.
    void ShowPaused(bool paused);

private:
    host::Host& host_;
    std::vector<std::unique_ptr<FormView>> views_;
    long long paints_ = 0;
    bool inFrame_ = false;
};

} // namespace web

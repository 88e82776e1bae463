// SPDX-License-Identifier: GPL-3.0-or-later
#include "Page.h"

#include "Painter.h"

#include <emscripten.h>

namespace {

EM_JS(void, page_add_form, (int id, int width, int height, int mainWindow),
      { PelmarPage.addForm(id, width, height, mainWindow != 0); });
EM_JS(void, page_sync_window,
      (int id, const char* caption, int visible, int minimised, int enabled), {
          PelmarPage.syncWindow(id, UTF8ToString(caption), visible != 0, minimised != 0,
                                enabled != 0);
      });
EM_JS(void, page_add_widget, (int form, int number, int button),
      { PelmarPage.addWidget(form, number, button != 0); });
EM_JS(void, page_sync_widget,
      (int form, int number, int x, int y, int w, int h, int visible, int enabled, const char* text,
       int maxLength, int isDefault, const char* font, const char* back, const char* fore,
       int selectAll),
      {
          PelmarPage.syncWidget(form, number, x, y, w, h, visible != 0, enabled != 0,
                                UTF8ToString(text), maxLength, isDefault != 0, UTF8ToString(font),
                                UTF8ToString(back), UTF8ToString(fore), selectAll != 0);
      });
EM_JS(void, page_add_menu,
      (int number, int parent, const char* caption, int separator, const char* shortcut), {
          PelmarPage.addMenu(number, parent, UTF8ToString(caption), separator != 0,
                             UTF8ToString(shortcut));
      });
EM_JS(void, page_sync_menu,
      (int number, const char* caption, int checked, int enabled, int visible), {
          PelmarPage.syncMenu(number, UTF8ToString(caption), checked != 0, enabled != 0,
                              visible != 0);
      });
EM_JS(void, page_schedule_paint, (int form), { PelmarPage.schedulePaint(form); });
// The page's "Exibir" menu, with the keys of its entries' actions.
EM_JS(void, page_add_view_menu,
      (const char* zoomIn, const char* zoomOut, const char* fullScreen, const char* pause), {
          PelmarPage.addViewMenu({
              ZoomIn : UTF8ToString(zoomIn),
              ZoomOut : UTF8ToString(zoomOut),
              FullScreen : UTF8ToString(fullScreen),
              Pause : UTF8ToString(pause)
          });
      });
EM_JS(void, page_show_paused, (int paused), { PelmarPage.showPaused(paused != 0); });

constexpr int Px = ui::TwipsPerPixel;

} // namespace

namespace web {

FormView::FormView(Page& page, ui::Form& form, int id, bool mainWindow)
    : page_(page), form_(form), id_(id), mainWindow_(mainWindow) {
    page_add_form(id_, form.clientWidth / Px, form.clientHeight / Px, mainWindow ? 1 : 0);
    for (const auto& control : form_.controls()) {
        Breathe();
        ui::Control& c = *control;
        if (c.kind() == ui::Kind::TextBox || c.kind() == ui::Kind::Button) {
            page_add_widget(id_, NumberOf(c), c.kind() == ui::Kind::Button ? 1 : 0);
            SyncWidget(c);
        } else if (mainWindow && c.kind() == ui::Kind::Menu) {
            const int parent = c.parent() == &form_ ? -1 : NumberOf(*c.parent());
            // Beside an entry, the key that does what it does, as the host binds it.
            page_add_menu(NumberOf(c), parent, c.Caption().c_str(), c.separator ? 1 : 0,
                          page_.host().ShortcutOf(c).c_str());
            SyncMenu(c);
        }
    }
    form_.SetHost(this);
    SyncWindow();
}

FormView::~FormView() {
    form_.SetHost(nullptr);
}

int FormView::NumberOf(const ui::Control& control) const {
    const auto& all = form_.controls();
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i].get() == &control) {
            return id_ * 1000 + static_cast<int>(i);
        }
    }
    return -1;
}

ui::Control* FormView::ControlOf(int number) const {
    const int index = number - id_ * 1000;
    const auto& all = form_.controls();
    if (index < 0 || index >= static_cast<int>(all.size())) {
        return nullptr;
    }
    return all[static_cast<std::size_t>(index)].get();
}

void FormView::Invalidate() {
    // The game marks the kitchen at every tick of a frame: the frame paints
    // those marks itself, so only a change outside one asks for a frame.
    if (!page_.InFrame()) {
        page_schedule_paint(id_);
    }
}

void FormView::SyncWindow() {
    const bool visible = form_.Visible();
    page_sync_window(id_, form_.Caption().c_str(), visible ? 1 : 0,
                     form_.WindowState() == 1 ? 1 : 0, form_.Enabled() ? 1 : 0);
    if (visible && form_.WindowState() == 0 && !shown_) {
        // A window shown repaints, as a desktop window does once it is up.
        form_.MarkAllDirty();
        EM_ASM(
            {
                setTimeout(
                    function() { PelmarPage.paintEvent($0); }, 0);
            },
            id_);
    }
    shown_ = visible && form_.WindowState() == 0;
}

void FormView::SyncWidget(ui::Control& c) {
    Breathe();
    const int number = NumberOf(c);
    const bool selectAll = c.selectionPending;
    c.selectionPending = false;
    page_sync_widget(id_, number, c.Left() / Px, c.Top() / Px, c.Width() / Px, c.Height() / Px,
                     c.Visible() ? 1 : 0, c.Enabled() ? 1 : 0,
                     (c.kind() == ui::Kind::Button ? c.Caption() : c.Text()).c_str(), c.maxLength,
                     c.isDefault ? 1 : 0, CssFont(c.font).c_str(), CssColour(c.BackColor()).c_str(),
                     CssColour(c.ForeColor()).c_str(), selectAll ? 1 : 0);
}

void FormView::SyncMenu(ui::Control& item) {
    Breathe();
    page_sync_menu(NumberOf(item), item.Caption().c_str(), item.Checked() ? 1 : 0,
                   item.Enabled() ? 1 : 0, item.Visible() ? 1 : 0);
}

void FormView::SetPaused(bool paused) {
    paused_ = paused;
    if (!paused && sign_) {
        // What lay under the sign shows again at the next frame.
        form_.MarkDirty(
            {sign_->x * Px, sign_->y * Px, (sign_->x + sign_->w) * Px, (sign_->y + sign_->h) * Px});
        sign_.reset();
    }
    // The sign comes or goes at the next frame, even where nothing else moves.
    page_schedule_paint(id_);
}

bool FormView::PaintChanges() {
    const std::vector<ui::Rect> dirty = form_.TakeDirty();
    const bool signDue = paused_ && mainWindow_ && !sign_;
    if ((dirty.empty() && !signDue) || !form_.Visible()) {
        return false;
    }
    // The line shows its strong colour while paused, as the desktop's does.
    host::Host& host = page_.host();
    const Painting with{&host.Effects(), paused_ || host.BlinkStrong()};
    for (const ui::Rect& r : dirty) {
        const int left = ui::FloorPixels(r.left);
        const int top = ui::FloorPixels(r.top);
        PaintForm(id_, form_,
                  {left, top, ui::CeilPixels(r.right) - left, ui::CeilPixels(r.bottom) - top},
                  with);
    }
    if (paused_ && mainWindow_) {
        // The sign's shade falls on the picture beneath it, never on an
        // earlier sign: what lies under it is painted afresh first.
        const Box sign = PauseSignBox(id_, form_.clientWidth / Px, form_.clientHeight / Px);
        PaintForm(id_, form_, sign, with);
        PaintPauseSign(id_, sign);
        sign_ = sign;
    }
    return true;
}

Page::Page(host::Host& host) : host_(host) {
    // Each view's number is its place in the list; the page knows the main
    // window as 1.
    int id = 0;
    for (ui::Form* form : host.ShownForms()) {
        Breathe();
        views_.push_back(std::make_unique<FormView>(*this, *form, id++, form == &host.MainForm()));
    }
    const host::Bindings& keys = host.bindings();
    page_add_view_menu(
        keys.KeysOf(host::Action::ZoomIn).c_str(), keys.KeysOf(host::Action::ZoomOut).c_str(),
        keys.KeysOf(host::Action::FullScreen).c_str(), keys.KeysOf(host::Action::Pause).c_str());
}

void Page::ShowPaused(bool paused) {
    page_show_paused(paused ? 1 : 0);
}

FormView* Page::ViewOf(int id) {
    return id >= 0 && id < static_cast<int>(views_.size())
               ? views_[static_cast<std::size_t>(id)].get()
               : nullptr;
}

FormView& Page::Front() {
    for (int id : {0, 2}) {
        if (views_[static_cast<std::size_t>(id)]->form().Visible()) {
            return *views_[static_cast<std::size_t>(id)];
        }
    }
    return Main();
}

void Page::Frame() {
    inFrame_ = true;
    host_.Wake();
    inFrame_ = false;
    for (auto& view : views_) {
        paints_ += view->PaintChanges() ? 1 : 0;
    }
}

} // namespace web

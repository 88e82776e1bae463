// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Controls.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>

namespace ui {

namespace {

// Positions arrive as Doubles and are held in whole twips, halves to even.
int ToTwips(double v) {
    if (std::isnan(v)) {
        return 0;
    }
    constexpr double lo = std::numeric_limits<int>::min() / 2;
    constexpr double hi = std::numeric_limits<int>::max() / 2;
    return static_cast<int>(std::nearbyint(std::clamp(v, lo, hi)));
}

} // namespace

Rect Rect::Intersected(const Rect& o) const {
    return {std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
            std::min(bottom, o.bottom)};
}

Rect Rect::United(const Rect& o) const {
    return {std::min(left, o.left), std::min(top, o.top), std::max(right, o.right),
            std::max(bottom, o.bottom)};
}

bool Rect::Touches(const Rect& o) const {
    return left <= o.right && o.left <= right && top <= o.bottom && o.top <= bottom;
}

Control::Control(Form* form, Control* parent, Kind kind, std::string name, int index)
    : form_(form), parent_(parent), kind_(kind), name_(std::move(name)), index_(index) {}

std::string Control::FullName() const {
    if (kind_ == Kind::Form) {
        return name_;
    }
    std::string full = form_->name();
    full.append(".").append(name_);
    if (index_ >= 0) {
        full.append("(").append(std::to_string(index_)).append(")");
    }
    return full;
}

std::optional<Rect> Control::ShownRect() const {
    if (kind_ == Kind::Timer || kind_ == Kind::Menu) {
        return std::nullopt;
    }
    if (kind_ == Kind::Form) {
        const auto* f = static_cast<const Form*>(this);
        return Rect{0, 0, f->clientWidth, f->clientHeight};
    }
    if (!visible_) {
        return std::nullopt;
    }
    Rect shown{left_, top_, left_ + width_, top_ + height_};
    for (const Control* c = parent_; c != nullptr && c->kind_ != Kind::Form; c = c->parent_) {
        if (!c->visible_) {
            return std::nullopt;
        }
        shown = Rect{shown.left + c->left_, shown.top + c->top_, shown.right + c->left_,
                     shown.bottom + c->top_}
                    .Intersected({c->left_, c->top_, c->left_ + c->width_, c->top_ + c->height_});
        if (shown.Empty()) {
            return std::nullopt;
        }
    }
    return shown;
}

void Control::Invalidate() {
    if (form_ != nullptr && form_->host() != nullptr) {
        if (const auto shown = ShownRect()) {
            form_->MarkDirty(*shown);
        }
    }
}

template <class F> void Control::Reshape(F&& change) {
    Invalidate();
    change();
    Invalidate();
}

void FormHost::Notify(Control& control, Change what) {
    switch (what) {
    case Change::Window:
        SyncWindow();
        break;
    case Change::Menu:
        SyncMenu(control);
        break;
    case Change::Timer:
        break;
    case Change::Widget:
        SyncWidget(control);
        break;
    }
}

void Control::Tell(Change what) {
    if (what == Change::Timer) {
        ++timerChanges_;
    }
    if (form_ != nullptr) {
        form_->NotifyHost(*this, what);
    }
}

void Control::SetLeft(double v) {
    Move(v, top_);
}
void Control::SetTop(double v) {
    Move(left_, v);
}
void Control::SetWidth(double v) {
    Move(left_, top_, v, height_);
}
void Control::SetHeight(double v) {
    Move(left_, top_, width_, v);
}
void Control::Move(double left, double top) {
    Move(left, top, width_, height_);
}

void Control::Move(double left, double top, double width, double height) {
    const int l = ToTwips(left), t = ToTwips(top);
    const int w = std::max(0, ToTwips(width)), h = std::max(0, ToTwips(height));
    if (l == left_ && t == top_ && w == width_ && h == height_) {
        return;
    }
    if (kind_ == Kind::Form) {
        // A form's place is its frame's; its client area does not change.
        left_ = l;
        top_ = t;
        width_ = w;
        height_ = h;
        Tell(Change::Window);
        return;
    }
    // Shown in whole pixels: a move within the same pixel needs no repaint.
    auto pixel = [](int twips) {
        return twips >= 0 ? twips / TwipsPerPixel : -((-twips + TwipsPerPixel - 1) / TwipsPerPixel);
    };
    const bool samePixels = pixel(l) == pixel(left_) && pixel(t) == pixel(top_) &&
                            w / TwipsPerPixel == width_ / TwipsPerPixel &&
                            h / TwipsPerPixel == height_ / TwipsPerPixel;
    auto change = [&] {
        left_ = l;
        top_ = t;
        width_ = w;
        height_ = h;
    };
    if (samePixels) {
        change();
    } else {
        Reshape(change);
    }
    if (kind_ == Kind::TextBox || kind_ == Kind::Button) {
        Tell(Change::Widget);
    }
}

namespace {

// Sets a field; true if its value changed.
template <class T> bool Replace(T& field, T value) {
    return field != value && (field = value, true);
}

// What the host is told when a control of each kind changes, in the order
// of Kind; nothing for a control that is only painted.
constexpr std::array<std::optional<Change>, 8> HostChanges{
    Change::Window, std::nullopt,   std::nullopt,  std::nullopt,
    Change::Widget, Change::Widget, Change::Timer, Change::Menu};

} // namespace

void Control::SetFlag(bool& flag, bool value, bool repaintAlways) {
    if (!Replace(flag, value)) {
        return;
    }
    const auto change = HostChanges[static_cast<std::size_t>(kind_)];
    if (change) {
        Tell(*change);
    }
    if (repaintAlways || !change) {
        Invalidate();
    }
}

void Control::SetVisible(bool v) {
    SetFlag(visible_, v, true);
}

void Control::SetEnabled(bool v) {
    SetFlag(enabled_, v, false);
}

void Control::SetPicture(PictureRef picture) {
    if (picture_ == picture) {
        return;
    }
    Invalidate();
    picture_ = std::move(picture);
    if (autoSize && picture_) {
        Move(left_, top_, picture_->widthPx * TwipsPerPixel, picture_->heightPx * TwipsPerPixel);
    }
    Invalidate();
}

void Control::SetCaption(std::string caption) {
    if (caption_ == caption) {
        return;
    }
    caption_ = std::move(caption);
    if (kind_ == Kind::Menu) {
        Tell(Change::Menu);
    } else if (kind_ == Kind::Form) {
        Tell(Change::Window);
    } else if (kind_ == Kind::Button) {
        Tell(Change::Widget);
    }
    Invalidate();
}

void Control::SetText(std::string text) {
    if (maxLength > 0) {
        // Count characters, not bytes: cut after maxLength UTF-8 sequences.
        int count = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && count++ == maxLength) {
                text.resize(i);
                break;
            }
        }
    }
    if (text_ == text) {
        return;
    }
    if (accepts && !accepts(text)) {
        Tell(Change::Widget); // the widget shows the kept text again
        return;
    }
    text_ = std::move(text);
    Tell(Change::Widget);
    Invalidate();
    if (onChange) {
        onChange();
    }
}

void Control::AssignText(std::string text) {
    if (text_ != text) {
        text_ = std::move(text);
        Tell(Change::Widget);
        Invalidate();
    }
}

void Control::SetChecked(bool v) {
    if (Replace(checked_, v)) {
        Tell(Change::Menu);
    }
}

void Control::SetInterval(int ms) {
    ms = std::max(ms, 0);
    if (interval_ != ms) {
        interval_ = ms;
        Tell(Change::Timer);
    }
}

void Control::Cls() {
    // Nothing is drawn on a control at run time, so there is nothing to erase.
}

void Control::ZOrder() {
    if (parent_ == nullptr || kind_ == Kind::Form) {
        return;
    }
    auto& siblings = parent_->children_;
    auto it = std::find(siblings.begin(), siblings.end(), this);
    if (it != siblings.end() && it + 1 != siblings.end()) {
        std::rotate(it, it + 1, siblings.end());
        Invalidate();
    }
}

void Control::Refresh() {
    Invalidate();
}

void Control::SelectAll() {
    selectionPending = true;
    Tell(Change::Widget);
}

void Control::SetFocus() {
    Tell(Change::Widget);
}

} // namespace ui

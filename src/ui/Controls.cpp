#include "ui/Controls.h"

#include <algorithm>
#include <cmath>
#include <limits>
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

void Control::Tell(Change what) {
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

void Control::SetVisible(bool v) {
    if (visible_ == v) {
        return;
    }
    visible_ = v;
    switch (kind_) {
    case Kind::Form:
        Tell(Change::Window);
        break;
    case Kind::Menu:
        Tell(Change::Menu);
        break;
    case Kind::TextBox:
    case Kind::Button:
        Tell(Change::Widget);
        break;
    default:
        break;
    }
    Invalidate();
}

void Control::SetEnabled(bool v) {
    if (enabled_ == v) {
        return;
    }
    enabled_ = v;
    switch (kind_) {
    case Kind::Form:
        Tell(Change::Window);
        break;
    case Kind::Menu:
        Tell(Change::Menu);
        break;
    case Kind::Timer:
        Tell(Change::Timer);
        break;
    case Kind::TextBox:
    case Kind::Button:
        Tell(Change::Widget);
        break;
    default:
        Invalidate();
        break;
    }
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

void Control::SetBackColor(Colour c) {
    if (backColor_ != c) {
        backColor_ = c;
        Invalidate();
    }
}

void Control::SetForeColor(Colour c) {
    if (foreColor_ != c) {
        foreColor_ = c;
        Invalidate();
    }
}

void Control::SetAlignment(Alignment a) {
    if (alignment_ != a) {
        alignment_ = a;
        Invalidate();
    }
}

void Control::SetChecked(bool v) {
    if (checked_ != v) {
        checked_ = v;
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
    ++clearCount;
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
    selectionStart = 0;
    selectionLength = static_cast<int>(text_.size());
    selectionPending = true;
    Tell(Change::Widget);
}

void Control::SetFocus() {
    Tell(Change::Widget);
}

std::vector<std::string_view> Control::PropertyNames() const {
    std::vector<std::string_view> names{"Left", "Top", "Width", "Height", "Visible", "Enabled"};
    switch (kind_) {
    case Kind::Form:
        names.insert(names.end(), {"Picture", "Caption", "WindowState"});
        break;
    case Kind::PictureBox:
        names.insert(names.end(), {"Picture", "BackColor"});
        break;
    case Kind::Image:
        names.emplace_back("Picture");
        break;
    case Kind::Label:
        names.insert(names.end(), {"Caption", "BackColor", "Alignment"});
        break;
    case Kind::TextBox:
        names.insert(names.end(), {"Text", "BackColor"});
        break;
    case Kind::Button:
        names.emplace_back("Caption");
        break;
    case Kind::Timer:
        names.emplace_back("Interval");
        break;
    case Kind::Menu:
        names.insert(names.end(), {"Caption", "Checked"});
        break;
    }
    return names;
}

std::optional<PropertyValue> Control::Get(std::string_view property) const {
    const auto names = PropertyNames();
    if (std::find(names.begin(), names.end(), property) == names.end()) {
        return std::nullopt;
    }
    if (property == "Left")
        return double(left_);
    if (property == "Top")
        return double(top_);
    if (property == "Width")
        return double(width_);
    if (property == "Height")
        return double(height_);
    if (property == "Visible")
        return visible_;
    if (property == "Enabled")
        return enabled_;
    if (property == "Picture") {
        return picture_ ? PropertyValue{picture_->name} : PropertyValue{};
    }
    if (property == "Caption")
        return caption_;
    if (property == "Text")
        return text_;
    if (property == "BackColor")
        return double(backColor_);
    if (property == "Alignment")
        return double(static_cast<int>(alignment_));
    if (property == "Checked")
        return checked_;
    if (property == "Interval")
        return double(interval_);
    if (property == "WindowState")
        return double(static_cast<const Form*>(this)->WindowState());
    return std::nullopt;
}

bool Control::Set(std::string_view property, const PropertyValue& value) {
    const auto names = PropertyNames();
    if (std::find(names.begin(), names.end(), property) == names.end() || property == "Picture") {
        return false;
    }
    if (const auto* b = std::get_if<bool>(&value)) {
        if (property == "Visible")
            visible_ = *b;
        else if (property == "Enabled")
            enabled_ = *b;
        else if (property == "Checked")
            checked_ = *b;
        else
            return false;
    } else if (const auto* n = std::get_if<double>(&value)) {
        if (property == "Left")
            left_ = ToTwips(*n);
        else if (property == "Top")
            top_ = ToTwips(*n);
        else if (property == "Width")
            width_ = std::max(0, ToTwips(*n));
        else if (property == "Height")
            height_ = std::max(0, ToTwips(*n));
        else if (property == "BackColor")
            backColor_ = static_cast<Colour>(ToTwips(*n));
        else if (property == "Alignment" && *n >= 0 && *n <= 2)
            alignment_ = Alignment(int(*n));
        else if (property == "Interval")
            interval_ = std::max(0, ToTwips(*n));
        else if (property == "WindowState")
            static_cast<Form*>(this)->SetWindowState(*n != 0 ? 1 : 0);
        else
            return false;
    } else if (const auto* s = std::get_if<std::string>(&value)) {
        if (property == "Caption")
            caption_ = *s;
        else if (property == "Text")
            text_ = *s;
        else
            return false;
    } else {
        return false;
    }
    // Setting a property does only that: no event runs, but the screen follows.
    if (form_ != nullptr) {
        form_->MarkAllDirty();
    }
    Tell(kind_ == Kind::Form    ? Change::Window
         : kind_ == Kind::Menu  ? Change::Menu
         : kind_ == Kind::Timer ? Change::Timer
                                : Change::Widget);
    Invalidate();
    return true;
}

Form::Form(std::string name) : Control(this, nullptr, Kind::Form, std::move(name), -1) {
    SetVisible(false);
}

void Form::SetHost(FormHost* host) {
    host_ = host;
    dirty_.clear();
    MarkAllDirty();
}

Control& Form::Add(Kind kind, std::string name, int index, Control* parent) {
    Control* container = parent != nullptr ? parent : this;
    controls_.push_back(std::make_unique<Control>(this, container, kind, std::move(name), index));
    Control& control = *controls_.back();
    container->children_.push_back(&control);
    return control;
}

Control* Form::Find(std::string_view name, int index) const {
    for (const auto& c : controls_) {
        if (c->name() == name && c->index() == index) {
            return c.get();
        }
    }
    return nullptr;
}

void Form::SetWindowState(int state) {
    state = state != 0 ? 1 : 0;
    if (windowState_ != state) {
        windowState_ = state;
        Tell(Change::Window);
    }
}

void Form::Show() {
    const bool wasHidden = !Visible();
    SetVisible(true);
    if (wasHidden) {
        // Showing a window makes it the active one.
        Form_Activate();
    }
}

void Form::Hide() {
    SetVisible(false);
}

std::vector<Rect> Form::TakeDirty() {
    return std::exchange(dirty_, {});
}

void Form::MarkAllDirty() {
    MarkDirty({0, 0, clientWidth, clientHeight});
}

void Form::MarkDirty(const Rect& area) {
    const Rect client{0, 0, clientWidth, clientHeight};
    const Rect shown = area.Intersected(client);
    if (shown.Empty() && clientWidth > 0) {
        return;
    }
    const bool wasClean = dirty_.empty();
    // A few rectangles at most: one that touches another joins it.
    Rect merged = shown;
    for (auto it = dirty_.begin(); it != dirty_.end();) {
        if (it->Touches(merged)) {
            merged = merged.United(*it);
            it = dirty_.erase(it);
        } else {
            ++it;
        }
    }
    if (dirty_.size() >= 6) {
        merged = merged.United(dirty_.back());
        dirty_.pop_back();
    }
    dirty_.push_back(merged);
    if (wasClean && host_ != nullptr) {
        host_->Invalidate();
    }
}

void Form::NotifyHost(Control& control, Change what) {
    if (host_ != nullptr) {
        host_->Notify(control, what);
    }
}

} // namespace ui

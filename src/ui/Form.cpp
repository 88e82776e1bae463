// SPDX-License-Identifier: GPL-3.0-or-later
// A window of the model: its controls, its state and what needs repainting.
#include "ui/Controls.h"

#include <utility>

namespace ui {

Form::Form(std::string name) : Control(this, nullptr, Kind::Form, std::move(name), -1) {
    SetVisible(false);
}

void Form::SetHost(FormHost* host) {
    host_ = host;
    dirty_.clear();
    MarkAllDirty();
}

namespace {
void (*buildStep)() = nullptr;
} // namespace

void Form::SetBuildStep(void (*step)()) {
    buildStep = step;
}

Control& Form::Add(Kind kind, std::string name, int index, Control* parent) {
    if (buildStep != nullptr) {
        buildStep();
    }
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

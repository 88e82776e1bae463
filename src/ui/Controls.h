// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/Picture.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace ui {

enum class Kind { Form, PictureBox, Image, Label, TextBox, Button, Timer, Menu };

// 0 left, 1 right, 2 centred: the values the game assigns.
enum class Alignment : int { Left = 0, Right = 1, Center = 2 };

// 0x00BBGGRR; the two values with the top bit set stand for the desktop's
// window background and window text colours.
using Colour = std::uint32_t;
inline constexpr Colour SystemWindow = 0x80000005;
inline constexpr Colour SystemWindowText = 0x80000008;

struct Font {
    std::string family = "MS Sans Serif";
    double points = 8.25;
    bool bold = true;
    bool italic = false;
};

using PropertyValue = std::variant<std::monostate, bool, double, std::string>;

class Control;
class Form;

// A run-time property as the simulator and tests name it. `set` is the same
// setter the game calls, so the screen follows; it runs no event.
struct Property {
    std::string_view name;
    PropertyValue (*get)(const Control&);
    bool (*set)(Control&, const PropertyValue&);
};

// A rectangle in a form's client area, in twips; right and bottom excluded.
struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool Empty() const { return right <= left || bottom <= top; }
    Rect Intersected(const Rect& o) const;
    Rect United(const Rect& o) const;
    bool Touches(const Rect& o) const;
};

// What a backend is told when the model changes.
enum class Change {
    Window, // shown, hidden, enabled, state, caption or place of a form
    Menu,   // caption, check mark or enabled state of a menu item
    Timer,  // a timer's interval or enabled state
    Widget, // a text box or button: text, place, visibility, focus, selection
};

class FormHost {
public:
    virtual ~FormHost() = default;
    // Something drawn changed; the host repaints what changed at its next
    // frame (Form::TakeDirty).
    virtual void Invalidate() = 0;
    // The form was shown, hidden, enabled, moved, retitled or changed state.
    virtual void SyncWindow() = 0;
    virtual void SyncMenu(Control& item) = 0;
    virtual void SyncWidget(Control& control) = 0;
    // Hands a change to the one of those it is for; a timer's is the game
    // host's, which fires the timers.
    void Notify(Control& control, Change what);
};

class Control {
public:
    Control(Form* form, Control* parent, Kind kind, std::string name, int index);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    Kind kind() const { return kind_; }
    const std::string& name() const { return name_; }
    int index() const { return index_; }
    // "cfrm.selec(0)", or the form's own name for a form.
    std::string FullName() const;
    Form* form() const { return form_; }
    Control* parent() const { return parent_; }
    // Back to front.
    const std::vector<Control*>& children() const { return children_; }

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(double v);
    void SetTop(double v);
    void SetWidth(double v);
    void SetHeight(double v);
    void Move(double left, double top);
    void Move(double left, double top, double width, double height);

    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);

    const PictureRef& Picture() const { return picture_; }
    // A control that sizes itself takes the picture's size.
    void SetPicture(PictureRef picture);

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);
    const std::string& Text() const { return text_; }
    // As typing would: cut to the length limit, then the change event runs.
    void SetText(std::string text);
    // The text alone, as a stored property is set: no event runs.
    void AssignText(std::string text);

    Colour BackColor() const { return backColor_; }
    void SetBackColor(Colour c) { Repaint(backColor_, c); }
    Colour ForeColor() const { return foreColor_; }
    void SetForeColor(Colour c) { Repaint(foreColor_, c); }
    Alignment GetAlignment() const { return alignment_; }
    void SetAlignment(Alignment a) { Repaint(alignment_, a); }

    bool Checked() const { return checked_; }
    void SetChecked(bool v);
    int Interval() const { return interval_; }
    void SetInterval(int ms);
    // A timer runs while enabled with an interval above 0. This count grows
    // at every change of either, so whoever drives the timer can tell a
    // restart (off and on again within one event) from no change at all.
    unsigned TimerChanges() const { return timerChanges_; }
    bool TimerRunning() const { return kind_ == Kind::Timer && enabled_ && interval_ > 0; }

    // Erases run-time drawing; the background picture and children stay.
    // Nothing is drawn at run time, so nothing needs repainting.
    void Cls();
    // Brings the control to the front of its container.
    void ZOrder();
    void Refresh();
    // Text box: select the whole text, take the focus.
    void SelectAll();
    void SetFocus();

    // Where the control shows in its form's client area, clipped by its
    // containers; nothing when it or a container is hidden.
    std::optional<Rect> ShownRect() const;

    // The properties this kind of control has, in a fixed order.
    std::vector<const Property*> Properties() const;
    const Property* FindProperty(std::string_view name) const;

    // Stored style, fixed after load.
    bool bordered = false;
    bool autoSize = false;
    bool isDefault = false;
    bool isCancel = false;
    bool separator = false;
    bool transparent = false;
    // Caption laid on a fixed grid (order lines: ticks under column icons).
    bool gridText = false;
    int maxLength = 0;
    Font font;
    std::string shortcut;
    // Set by SelectAll until the backend has selected the widget's text.
    bool selectionPending = false;

    std::function<void()> onClick;
    std::function<void()> onChange;
    // A text box refuses a text this says no to, as if the key was not typed.
    std::function<bool(const std::string&)> accepts;

protected:
    // Marks what the control covers as needing a repaint.
    void Invalidate();
    void Tell(Change what);
    // Runs a change that may move or hide the control, repainting both places.
    template <class F> void Reshape(F&& change);
    // Sets Visible or Enabled and tells the host; a change of Visible always
    // repaints.
    void SetFlag(bool& flag, bool value, bool repaintAlways);
    // Sets a drawn property, repainting the control when it changed.
    template <class T> void Repaint(T& field, T value) {
        if (field != value) {
            field = value;
            Invalidate();
        }
    }

private:
    friend class Form;
    Form* form_;
    Control* parent_;
    Kind kind_;
    std::string name_;
    int index_;
    std::vector<Control*> children_;

    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    PictureRef picture_;
    std::string caption_;
    std::string text_;
    Colour backColor_ = SystemWindow;
    Colour foreColor_ = SystemWindowText;
    Alignment alignment_ = Alignment::Left;
    bool checked_ = false;
    int interval_ = 0;
    unsigned timerChanges_ = 0;
};

class Form : public Control {
public:
    explicit Form(std::string name);

    Control& Add(Kind kind, std::string name, int index = -1, Control* parent = nullptr);
    // Called before each control is added to any form: a front end that
    // builds the windows a little at a time (a browser page, to let the page
    // take its turn) says what to do there. Nothing by default.
    static void SetBuildStep(void (*step)());
    Control* Find(std::string_view name, int index = -1) const;
    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }

    int WindowState() const { return windowState_; }
    void SetWindowState(int state);
    bool keyPreview = false;
    int clientWidth = 0;
    int clientHeight = 0;

    void Show();
    void Hide();

    // A new host starts by painting everything.
    void SetHost(FormHost* host);
    FormHost* host() const { return host_; }
    // The host takes what needs repainting since it last asked.
    std::vector<Rect> TakeDirty();
    void MarkDirty(const Rect& area);
    void MarkAllDirty();
    void NotifyHost(Control& control, Change what);

    // Events, as the window system delivers them.
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_Paint() {}
    virtual void Form_LostFocus() {}
    virtual void Form_Unload() {}
    virtual void KeyDown(int /*keyCode*/) {}
    virtual void KeyUp(int /*keyCode*/) {}

private:
    std::vector<std::unique_ptr<Control>> controls_;
    FormHost* host_ = nullptr;
    std::vector<Rect> dirty_;
    int windowState_ = 0;
};

} // namespace ui

// SPDX-License-Identifier: GPL-3.0-or-later
// The run-time properties of every kind of control, as one table.
#include "ui/Controls.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace ui {

namespace {

template <class T> const T* As(const PropertyValue& value) {
    return std::get_if<T>(&value);
}

// Kinds as bits, to say which kinds have a property.
constexpr unsigned Bit(Kind kind) {
    return 1u << static_cast<unsigned>(kind);
}
constexpr unsigned AllKinds = 0xFFu;

struct Entry {
    unsigned kinds;
    Property property;
};

// Every run-time property, in the order the dump lists them.
const std::array<Entry, 14> PropertyTable{{
    {AllKinds,
     {"Left", [](const Control& c) { return PropertyValue{double(c.Left())}; },
      [](Control& c, const PropertyValue& v) {
          const auto* n = As<double>(v);
          return n != nullptr && (c.SetLeft(*n), true);
      }}},
    {AllKinds,
     {"Top", [](const Control& c) { return PropertyValue{double(c.Top())}; },
      [](Control& c, const PropertyValue& v) {
          const auto* n = As<double>(v);
          return n != nullptr && (c.SetTop(*n), true);
      }}},
    {AllKinds,
     {"Width", [](const Control& c) { return PropertyValue{double(c.Width())}; },
      [](Control& c, const PropertyValue& v) {
          const auto* n = As<double>(v);
          return n != nullptr && (c.SetWidth(*n), true);
      }}},
    {AllKinds,
     {"Height", [](const Control& c) { return PropertyValue{double(c.Height())}; },
      [](Control& c, const PropertyValue& v) {
          const auto* n = As<double>(v);
          return n != nullptr && (c.SetHeight(*n), true);
      }}},
    {AllKinds,
     {"Visible", [](const Control& c) { return PropertyValue{c.Visible()}; },
      [](Control& c, const PropertyValue& v) {
          const auto* b = As<bool>(v);
          return b != nullptr && (c.SetVisible(*b), true);
      }}},
    {AllKinds,
     {"Enabled", [](const Control& c) { return PropertyValue{c.Enabled()}; },
      [](Control& c, const PropertyValue& v) {
          const auto* b = As<bool>(v);
          return b != nullptr && (c.SetEnabled(*b), true);
      }}},
    // A picture is only ever taken from another control, never set by name.
    {Bit(Kind::Form) | Bit(Kind::PictureBox) | Bit(Kind::Image),
     {"Picture",
      [](const Control& c) {
          return c.Picture() ? PropertyValue{c.Picture()->name} : PropertyValue{};
      },
      [](Control&, const PropertyValue&) { return false; }}},
    {Bit(Kind::Form) | Bit(Kind::Label) | Bit(Kind::Button) | Bit(Kind::Menu),
     {"Caption", [](const Control& c) { return PropertyValue{c.Caption()}; },
      [](Control& c, const PropertyValue& v) {
          const auto* s = As<std::string>(v);
          return s != nullptr && (c.SetCaption(*s), true);
      }}},
    {Bit(Kind::TextBox),
     {"Text", [](const Control& c) { return PropertyValue{c.Text()}; },
      [](Control& c, const PropertyValue& v) {
          const auto* s = As<std::string>(v);
          return s != nullptr && (c.AssignText(*s), true);
      }}},
    {Bit(Kind::PictureBox) | Bit(Kind::Label) | Bit(Kind::TextBox),
     {"BackColor", [](const Control& c) { return PropertyValue{double(c.BackColor())}; },
      [](Control& c, const PropertyValue& v) {
          const auto* n = As<double>(v);
          if (n == nullptr || !(*n >= 0 && *n <= 0xFFFFFFFF)) {
              return false;
          }
          c.SetBackColor(static_cast<Colour>(std::nearbyint(*n)));
          return true;
      }}},
    {Bit(Kind::Label),
     {"Alignment",
      [](const Control& c) { return PropertyValue{double(static_cast<int>(c.GetAlignment()))}; },
      [](Control& c, const PropertyValue& v) {
          const auto* n = As<double>(v);
          if (n == nullptr || !(*n == 0 || *n == 1 || *n == 2)) {
              return false;
          }
          c.SetAlignment(Alignment(static_cast<int>(*n)));
          return true;
      }}},
    {Bit(Kind::Menu),
     {"Checked", [](const Control& c) { return PropertyValue{c.Checked()}; },
      [](Control& c, const PropertyValue& v) {
          const auto* b = As<bool>(v);
          return b != nullptr && (c.SetChecked(*b), true);
      }}},
    {Bit(Kind::Timer),
     {"Interval", [](const Control& c) { return PropertyValue{double(c.Interval())}; },
      [](Control& c, const PropertyValue& v) {
          const auto* n = As<double>(v);
          if (n == nullptr || std::isnan(*n)) {
              return false;
          }
          c.SetInterval(static_cast<int>(std::nearbyint(std::clamp(*n, 0.0, 2147483647.0))));
          return true;
      }}},
    {Bit(Kind::Form),
     {"WindowState",
      [](const Control& c) {
          return PropertyValue{double(static_cast<const Form&>(c).WindowState())};
      },
      [](Control& c, const PropertyValue& v) {
          const auto* n = As<double>(v);
          return n != nullptr && (static_cast<Form&>(c).SetWindowState(*n != 0 ? 1 : 0), true);
      }}},
}};

} // namespace

std::vector<const Property*> Control::Properties() const {
    std::vector<const Property*> properties;
    for (const Entry& entry : PropertyTable) {
        if ((entry.kinds & Bit(kind_)) != 0) {
            properties.push_back(&entry.property);
        }
    }
    return properties;
}

const Property* Control::FindProperty(std::string_view name) const {
    for (const Property* property : Properties()) {
        if (property->name == name) {
            return property;
        }
    }
    return nullptr;
}

} // namespace ui

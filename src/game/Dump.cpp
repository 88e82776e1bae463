#include "game/Dump.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace game {

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        switch (ch) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
                out += buffer;
            } else {
                out += ch;
            }
        }
    }
    return out + "\"";
}

std::string JsonNumber(double value) {
    if (!std::isfinite(value)) {
        return "null";
    }
    char buffer[40];
    if (value == std::floor(value) && std::fabs(value) < 1e17) {
        std::snprintf(buffer, sizeof buffer, "%.0f", value);
    } else {
        std::snprintf(buffer, sizeof buffer, "%.17g", value);
    }
    return buffer;
}

std::string JsonValue(const ui::PropertyValue& value) {
    if (const auto* b = std::get_if<bool>(&value)) {
        return *b ? "true" : "false";
    }
    if (const auto* n = std::get_if<double>(&value)) {
        return JsonNumber(*n);
    }
    if (const auto* s = std::get_if<std::string>(&value)) {
        return JsonString(*s);
    }
    return "null";
}

namespace {

using Type = Game::Variable::Type;

std::string ElementJson(const Game::Variable& v, std::size_t offset) {
    switch (v.type) {
    case Type::Integer:
        return JsonNumber(static_cast<const Integer*>(v.data)[offset]);
    case Type::Single:
        return JsonNumber(static_cast<const float*>(v.data)[offset]);
    case Type::Double:
        return JsonNumber(static_cast<const double*>(v.data)[offset]);
    case Type::String:
        return JsonString(static_cast<const std::string*>(v.data)[offset]);
    }
    return "null";
}

int Columns(const Game::Variable& v) {
    return v.upper2 >= v.lower2 ? v.upper2 - v.lower2 + 1 : 1;
}

std::string WholeJson(const Game::Variable& v) {
    if (v.upper1 < v.lower1) {
        return ElementJson(v, 0);
    }
    std::string out = "[";
    for (int i = v.lower1; i <= v.upper1; ++i) {
        if (i > v.lower1)
            out += ",";
        if (v.upper2 < v.lower2) {
            out += ElementJson(v, static_cast<std::size_t>(i - v.lower1));
            continue;
        }
        out += "[";
        for (int j = v.lower2; j <= v.upper2; ++j) {
            if (j > v.lower2)
                out += ",";
            out += ElementJson(
                v, static_cast<std::size_t>((i - v.lower1) * Columns(v) + (j - v.lower2)));
        }
        out += "]";
    }
    return out + "]";
}

bool ParseInt(std::string_view text, int& out) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    const auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && p == text.data() + text.size();
}

// Finds "Name" or "Name(i)" or "Name(i,j)"; offset of the element, or whole.
struct Located {
    const Game::Variable* variable = nullptr;
    std::optional<std::size_t> offset;
};

Located Locate(Game& game, std::string_view name) {
    const auto open = name.find('(');
    const std::string_view base = name.substr(0, open);
    for (const auto& v : game.Variables()) {
        if (v.name != base) {
            continue;
        }
        if (open == std::string_view::npos) {
            return {&v, std::nullopt};
        }
        if (name.back() != ')' || v.upper1 < v.lower1) {
            return {};
        }
        const std::string_view inside = name.substr(open + 1, name.size() - open - 2);
        const auto comma = inside.find(',');
        int i = 0, j = 0;
        if (!ParseInt(inside.substr(0, comma), i) || i < v.lower1 || i > v.upper1) {
            return {};
        }
        const bool twoDims = v.upper2 >= v.lower2;
        if (twoDims != (comma != std::string_view::npos)) {
            return {};
        }
        if (twoDims && (!ParseInt(inside.substr(comma + 1), j) || j < v.lower2 || j > v.upper2)) {
            return {};
        }
        const std::size_t offset =
            static_cast<std::size_t>((i - v.lower1) * Columns(v) + (twoDims ? j - v.lower2 : 0));
        return {&v, offset};
    }
    return {};
}

} // namespace

std::optional<std::string> VariableJson(Game& game, std::string_view name) {
    const Located found = Locate(game, name);
    if (found.variable == nullptr) {
        return std::nullopt;
    }
    return found.offset ? ElementJson(*found.variable, *found.offset) : WholeJson(*found.variable);
}

bool SetVariable(Game& game, std::string_view name, const std::string& text) {
    const Located found = Locate(game, name);
    if (found.variable == nullptr) {
        return false;
    }
    const Game::Variable& v = *found.variable;
    const bool array = v.upper1 >= v.lower1;
    if (array && !found.offset) {
        return false;
    }
    const std::size_t offset = found.offset.value_or(0);
    if (v.type == Type::String) {
        static_cast<std::string*>(v.data)[offset] = text;
        return true;
    }
    double value = 0;
    const auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || p != text.data() + text.size() || !std::isfinite(value)) {
        return false;
    }
    switch (v.type) {
    case Type::Integer:
        if (value < -32768 || value > 32767 || value != std::floor(value)) {
            return false;
        }
        static_cast<Integer*>(v.data)[offset] = static_cast<Integer>(value);
        return true;
    case Type::Single:
        static_cast<float*>(v.data)[offset] = static_cast<float>(value);
        return true;
    case Type::Double:
        static_cast<double*>(v.data)[offset] = value;
        return true;
    case Type::String:
        break;
    }
    return false;
}

std::string DumpJson(Game& game, const DumpExtras& extras) {
    std::string out = "{";
    for (const auto& v : game.Variables()) {
        out += JsonString(v.name) + ":" + WholeJson(v) + ",";
    }
    out += "\"controls\":{";
    bool first = true;
    for (ui::Form* form : game.windows().All()) {
        auto add = [&](const ui::Control& c) {
            out += first ? "" : ",";
            first = false;
            out += JsonString(c.FullName()) + ":{";
            bool firstProperty = true;
            for (std::string_view property : c.PropertyNames()) {
                out += firstProperty ? "" : ",";
                firstProperty = false;
                out += JsonString(std::string(property)) + ":" + JsonValue(*c.Get(property));
            }
            out += "}";
        };
        add(*form);
        for (const auto& control : form->controls()) {
            add(*control);
        }
    }
    out += "},\"LastInputBox\":";
    if (extras.lastInputBox) {
        out += "{\"Prompt\":" + JsonString(extras.lastInputBox->prompt) +
               ",\"Title\":" + JsonString(extras.lastInputBox->title) +
               ",\"Default\":" + JsonString(extras.lastInputBox->defaultAnswer) + "}";
    } else {
        out += "null";
    }
    out += ",\"LastMessageBox\":";
    if (extras.lastMessageBox) {
        out += "{\"Prompt\":" + JsonString(extras.lastMessageBox->first) +
               ",\"Title\":" + JsonString(extras.lastMessageBox->second) + "}";
    } else {
        out += "null";
    }
    out += ",\"BestForm\":" + game.windows().best.StateJson();
    out += ",\"HelpOpened\":" + std::to_string(extras.helpOpened);
    out += ",\"Clock\":" + JsonNumber(game.platform().Clock());
    return out + "}";
}

} // namespace game

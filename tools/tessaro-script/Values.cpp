// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/tessaro-script/Values.h"

#include <array>
#include <charconv>
#include <utility>

#include "tools/tessaro-script/ScriptError.h"

namespace script {

namespace {

template <typename T>
bool ParseDecimal(std::string_view word, T& value) {
    if (word.empty()) return false;
    // from_chars accepts a minus sign for signed types only; a plus sign never.
    auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    return error == std::errc() && end == word.data() + word.size();
}

}  // namespace

std::int32_t ParseInteger(std::string_view word) {
    std::int32_t value = 0;
    if (!ParseDecimal(word, value)) throw ScriptError("not an integer: " + std::string(word));
    return value;
}

std::uint64_t ParseCount(std::string_view word) {
    std::uint64_t value = 0;
    if (word.starts_with('-') || !ParseDecimal(word, value)) throw ScriptError("not a count: " + std::string(word));
    return value;
}

canvas::Colour ParseColour(std::string_view word) {
    std::array<int, 3> parts{};
    std::string_view rest = word;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::size_t comma = rest.find(',');
        const bool last = i + 1 == parts.size();
        if (last != (comma == std::string_view::npos)) throw ScriptError("not a colour R,G,B: " + std::string(word));
        const std::string_view part = last ? rest : rest.substr(0, comma);
        int value = 0;
        if (part.starts_with('-') || !ParseDecimal(part, value) || value > 255)
            throw ScriptError("not a colour R,G,B (each 0..255): " + std::string(word));
        parts[i] = value;
        if (!last) rest.remove_prefix(comma + 1);
    }
    return canvas::Rgb(parts[0], parts[1], parts[2]);
}

ShiftState ParseMods(std::string_view word) {
    static constexpr std::array<std::pair<std::string_view, ShiftKey>, 7> Names = {{
        {"left", ShiftKey::Left},
        {"right", ShiftKey::Right},
        {"middle", ShiftKey::Middle},
        {"shift", ShiftKey::Shift},
        {"ctrl", ShiftKey::Ctrl},
        {"alt", ShiftKey::Alt},
        {"double", ShiftKey::Double},
    }};
    if (word == "none") return {};
    ShiftState mods;
    std::string_view rest = word;
    while (true) {
        const std::size_t plus = rest.find('+');
        const std::string_view name = rest.substr(0, plus);
        ShiftKey key{};
        bool found = false;
        for (const auto& [n, k] : Names) {
            if (n == name) {
                key = k;
                found = true;
            }
        }
        if (!found)
            throw ScriptError("not a key or button in MODS: \"" + std::string(name) + "\" (in " + std::string(word) +
                              ")");
        if (mods.Has(key)) throw ScriptError(std::string(name) + " twice in MODS: " + std::string(word));
        mods = mods.With(key);
        if (plus == std::string_view::npos) break;
        rest.remove_prefix(plus + 1);
    }
    return mods;
}

bool ParseYesNo(std::string_view word) {
    if (word == "yes") return true;
    if (word == "no") return false;
    throw ScriptError("expected yes or no, not " + std::string(word));
}

std::string RgbText(canvas::Colour c) {
    return std::to_string(canvas::RedOf(c)) + "," + std::to_string(canvas::GreenOf(c)) + "," +
           std::to_string(canvas::BlueOf(c));
}

std::string YesNo(bool b) { return b ? "yes" : "no"; }

std::string Quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default: out += c;
        }
    }
    out += '"';
    return out;
}

}  // namespace script

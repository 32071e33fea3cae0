// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/PreferencesFile.h"

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <span>
#include <system_error>
#include <vector>

#include "formats/PictureReadError.h"
#include "io/AtomicFile.h"
#include "io/RegularFile.h"

#ifdef _WIN32
#include "io/windows/Win32Files.h"
#endif

namespace preferences {

namespace {

// A few dozen short lines; a palette path may be long.
constexpr std::size_t MaxBytes = 64 * 1024;

constexpr const char* FileName = "tessaro.conf";

// The path as the system names it, from UTF-8 on every system.
std::filesystem::path SystemPath(const std::string& utf8) {
    return std::filesystem::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

std::optional<int> Number(std::string_view text) {
    int n = 0;
    if (text.empty() || text.size() > 6) return std::nullopt;
    const char* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, n);
    if (error != std::errc() || at != end) return std::nullopt;
    return n;
}

std::optional<WindowPlace> PlaceOf(std::string_view text) {
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    const auto x = Number(text.substr(0, comma));
    const auto y = Number(text.substr(comma + 1));
    if (!x || !y) return std::nullopt;
    return WindowPlace{*x, *y};
}

std::string PlaceText(const WindowPlace& p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

// One line's value into `p`; false when the value is not one the key takes.
// An unknown key is passed over.
bool TakeValue(std::string_view key, std::string_view value, Preferences& p) {
    bool known = false, valid = false;
    ForEachOption(p.options, [&](std::string_view name, auto& field, int lo, int hi) {
        if (known || key != name) return;
        known = true;
        if constexpr (std::is_same_v<std::remove_cvref_t<decltype(field)>, bool>) {
            valid = value == "on" || value == "off";
            if (valid) field = value == "on";
        } else {
            const auto n = Number(value);
            valid = n && *n >= lo && *n <= hi;
            if (valid) field = *n;
        }
    });
    if (known) return valid;
    if (key == "undo") {
        const auto n = Number(value);
        if (!n || *n < 1 || *n > 256) return false;
        p.undoLimit = *n;
    } else if (key == "undomemory") {
        const auto n = Number(value);
        if (!n || *n < 1 || *n > History::MaxMemoryMiB) return false;
        p.undoMemoryMiB = *n;
    } else if (key == "boardzoom") {
        const auto n = Number(value);
        if (!n || *n < 1 || *n > 4) return false;
        p.boardZoom = *n;
    } else if (key == "chip") {
        const auto n = Number(value);
        if (!n) return false;
        p.sheet.chipSize = *n;
    } else if (key == "sheet") {
        const std::size_t x = value.find('x');
        if (x == std::string_view::npos) return false;
        const auto cols = Number(value.substr(0, x));
        const auto rows = Number(value.substr(x + 1));
        if (!cols || !rows) return false;
        p.sheet.cols = *cols;
        p.sheet.rows = *rows;
    } else if (key == "userpalette") {
        p.userPaletteFile = std::string(value);
    } else if (key == "tilewindow" || key == "boardwindow") {
        const auto place = PlaceOf(value);
        if (!place) return false;
        (key == "tilewindow" ? p.tileWindow : p.boardWindow) = place;
    }
    return true;
}

}  // namespace

std::string DefaultFile() {
#ifdef _WIN32
    const wchar_t* appData = ::_wgetenv(L"APPDATA");
    if (!appData || !appData[0]) return {};
    return win32::Utf8Of(appData) + "\\Tessaro\\" + FileName;
#else
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/') return std::string(config) + "/tessaro/" + FileName;
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return std::string(home) + "/.config/tessaro/" + FileName;
    return {};
#endif
}

std::string Encode(const Preferences& p) {
    std::string text = "# Tessaro's remembered settings, written by the editor\n";
    ForEachOption(p.options, [&](std::string_view name, const auto& field, int, int) {
        text += std::string(name) + "=";
        if constexpr (std::is_same_v<std::remove_cvref_t<decltype(field)>, bool>)
            text += field ? "on" : "off";
        else
            text += std::to_string(field);
        text += "\n";
    });
    text += "undo=" + std::to_string(p.undoLimit) + "\n";
    text += "undomemory=" + std::to_string(p.undoMemoryMiB) + "\n";
    text += "boardzoom=" + std::to_string(p.boardZoom) + "\n";
    text += "chip=" + std::to_string(p.sheet.chipSize) + "\n";
    text += "sheet=" + std::to_string(p.sheet.cols) + "x" + std::to_string(p.sheet.rows) + "\n";
    // A name with a line break in it can't be a line of its own: not kept.
    if (!p.userPaletteFile.empty() && p.userPaletteFile.find_first_of("\r\n") == std::string::npos)
        text += "userpalette=" + p.userPaletteFile + "\n";
    if (p.tileWindow) text += "tilewindow=" + PlaceText(*p.tileWindow) + "\n";
    if (p.boardWindow) text += "boardwindow=" + PlaceText(*p.boardWindow) + "\n";
    return text;
}

std::optional<Preferences> Decode(std::string_view text, Preferences base) {
    if (text.size() > MaxBytes || text.find('\0') != std::string_view::npos) return std::nullopt;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty() || line.front() == '#') continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) return std::nullopt;
        if (!TakeValue(line.substr(0, equals), line.substr(equals + 1), base)) return std::nullopt;
    }
    // The chip size and the grid are two lines, so they are judged together.
    if (!sheet::Fits(base.sheet)) return std::nullopt;
    return base;
}

Preferences WithChanges(const Preferences& kept, const Preferences& before, const Preferences& after) {
    const std::string old = Encode(before);
    const std::string now = Encode(after);
    std::string changed;
    std::string_view lines = now;
    while (!lines.empty()) {
        const std::size_t end = lines.find('\n');
        const std::string_view line = lines.substr(0, end + 1);
        lines.remove_prefix(line.size());
        // A line as it was, whole, is one that did not change.
        const bool same = old.starts_with(line) || old.find("\n" + std::string(line)) != std::string::npos;
        if (!same) changed += line;
    }
    return Decode(changed, kept).value_or(after);
}

ReadResult Read(const std::string& file, const Preferences& base) {
    std::error_code error;
    if (std::filesystem::symlink_status(SystemPath(file), error).type() == std::filesystem::file_type::not_found)
        return {ReadResult::Outcome::Missing, base};
    std::vector<std::uint8_t> bytes;
    try {
        bytes = ReadFileStart(file, MaxBytes + 1);
    } catch (const PictureReadError&) {
        return {ReadResult::Outcome::Damaged, base};
    }
    const std::optional<Preferences> read =
        Decode(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), base);
    if (!read) return {ReadResult::Outcome::Damaged, base};
    return {ReadResult::Outcome::Read, *read};
}

void Write(const std::string& file, const Preferences& preferences) {
    std::error_code error;
    std::filesystem::create_directories(SystemPath(file).parent_path(), error);
    // A folder that could not be made fails the write, which names the file.
    const std::string text = Encode(preferences);
    WriteFileAtomically(file, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

std::string AbsoluteName(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(SystemPath(path), error);
    if (error) return path;
    const std::u8string name = absolute.lexically_normal().u8string();
    return std::string(reinterpret_cast<const char*>(name.data()), name.size());
}

bool Remove(const std::string& file) {
    std::error_code error;
    std::filesystem::remove(SystemPath(file), error);
    return !error;
}

}  // namespace preferences

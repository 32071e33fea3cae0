// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file read at start-up: lines of key and value that preset the
// view settings through the same handlers as the menus.
#include <array>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "core/Translation.h"
#include "io/FormWithFiles.h"

namespace {

// A settings file is a few short lines. Anything larger is not one: it is
// refused whole, like a file that cannot be opened, rather than read in part,
// since a value cut at the limit could still be accepted as another value.
constexpr std::uintmax_t MaxSettingsBytes = 1 << 20;

// The whole file, or nothing when it is not a regular file (a directory, a
// pipe, a device), cannot be read, or is larger than the limit.
std::optional<std::string> ReadWholeFile(const std::string& fileName) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(fileName, error)) return std::nullopt;
    std::ifstream in(fileName, std::ios::binary);
    if (!in) return std::nullopt;
    std::string text(MaxSettingsBytes + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad()) return std::nullopt;
    const auto got = static_cast<std::uintmax_t>(in.gcount());
    if (got > MaxSettingsBytes) return std::nullopt;
    text.resize(static_cast<std::size_t>(got));
    return text;
}

// Lines end at CR, LF or CR LF; a last line without an end counts too.
std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
    }
    return lines;
}

// The keys in the order they are looked for; "size=", "chrs=" and "palette="
// are recognised and then ignored.
enum Key {
    Size,
    Chrs,
    Line,
    Zoom,
    Pen,
    Box,
    Resize,
    Palette,
    Wrap,
    Transparent,
    StrokeKey,
    UndoKey,
    KeysKey,
    Wide,
    UserPaletteKey,
    Lang,
    BlockKey,
    ChipKey,
    SheetKey,
    UndoMemoryKey,
    DoubleKey,
    DuplicatesKey,
    KeyCount
};
constexpr std::array<std::string_view, KeyCount> Keys = {
    "size=",  "chrs=", "line=",   "zoom=",       "pen=",    "box=",       "resize=",      "palette=",
    "wrap=",  "key=",  "stroke=", "undo=",       "keys=",   "wide=",      "userpalette=", "lang=",
    "block=", "chip=", "sheet=",  "undomemory=", "double=", "duplicates="};

// "R,G,B" with three decimal components of 0 to 255, nothing else.
std::optional<TColor> ColourValue(std::string_view value) {
    int parts[3] = {0, 0, 0};
    std::size_t at = 0;
    for (int i = 0; i < 3; ++i) {
        if (i > 0) {
            if (at >= value.size() || value[at] != ',') return std::nullopt;
            ++at;
        }
        const std::size_t start = at;
        while (at < value.size() && value[at] >= '0' && value[at] <= '9' && at - start < 3)
            parts[i] = parts[i] * 10 + (value[at++] - '0');
        if (at == start || parts[i] > 255) return std::nullopt;
    }
    if (at != value.size()) return std::nullopt;
    return canvas::Rgb(parts[0], parts[1], parts[2]);
}

// "1" to "256" in plain digits, without a sign or leading zeros.
std::optional<int> UndoLimitOf(std::string_view value) {
    if (value.empty() || value.size() > 3 || value[0] == '0') return std::nullopt;
    int n = 0;
    for (char c : value) {
        if (c < '0' || c > '9') return std::nullopt;
        n = n * 10 + (c - '0');
    }
    if (n > History::MaxLimit) return std::nullopt;
    return n;
}

// The history's memory in MiB: "1" to "4096" in plain digits.
std::optional<std::size_t> UndoMemoryOf(std::string_view value) {
    if (value.empty() || value.size() > 4 || value[0] == '0') return std::nullopt;
    std::size_t n = 0;
    for (char c : value) {
        if (c < '0' || c > '9') return std::nullopt;
        n = n * 10 + static_cast<std::size_t>(c - '0');
    }
    if (n > static_cast<std::size_t>(History::MaxMemoryMiB)) return std::nullopt;
    return n << 20;
}

// "WxH", each 1 to the largest block side, in single digits.
std::optional<std::pair<int, int>> BlockSizeOf(std::string_view value) {
    auto side = [](char c) { return c >= '1' && c <= '0' + EditorOptions::MaxBlockSide ? c - '0' : 0; };
    if (value.size() != 3 || value[1] != 'x' || !side(value[0]) || !side(value[2])) return std::nullopt;
    return std::pair{side(value[0]), side(value[2])};
}

// A whole number of 1 to 2 digits without a sign or leading zeros.
std::optional<int> SmallNumberOf(std::string_view value) {
    if (value.empty() || value.size() > 2 || value[0] == '0') return std::nullopt;
    int n = 0;
    for (char c : value) {
        if (c < '0' || c > '9') return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

// The sheet's shape from "chip=N" and "sheet=CxR", over the shape it has;
// nothing when neither key is there or the shape is not one the editor holds.
std::optional<SheetGeometry> SheetShapeOf(std::string_view chip, std::string_view sheetValue, SheetGeometry shape) {
    if (chip.empty() && sheetValue.empty()) return std::nullopt;
    if (!chip.empty()) {
        const std::optional<int> side = SmallNumberOf(chip);
        if (!side) return std::nullopt;
        shape.chipSize = *side;
    }
    if (!sheetValue.empty()) {
        const std::size_t x = sheetValue.find('x');
        if (x == std::string_view::npos) return std::nullopt;
        const std::optional<int> cols = SmallNumberOf(sheetValue.substr(0, x));
        const std::optional<int> rows = SmallNumberOf(sheetValue.substr(x + 1));
        if (!cols || !rows) return std::nullopt;
        shape.cols = *cols;
        shape.rows = *rows;
    }
    if (!sheet::Fits(shape)) return std::nullopt;
    return shape;
}

template <std::size_t N>
std::optional<ControlId> ItemFor(std::string_view value, const std::array<std::string_view, N>& values,
                                 ControlId first) {
    for (std::size_t i = 0; i < N; ++i)
        if (value == values[i]) return static_cast<ControlId>(static_cast<std::size_t>(first) + i);
    return std::nullopt;
}

}  // namespace

void FormWithFiles::ReadSettings(const std::string& fileName) {
    const std::optional<std::string> text = ReadWholeFile(fileName);
    if (!text) {
        platform.ShowMessage(Tr(TSR_MESSAGE("Settings", "ﾌｧｲﾙ %1 は開けません"), {fileName}));
        return;
    }

    std::array<std::string_view, KeyCount> values{};
    for (std::string_view line : SplitLines(*text)) {
        for (std::size_t k = 0; k < KeyCount; ++k) {
            if (line.starts_with(Keys[k])) values[k] = line.substr(Keys[k].size());
        }
    }

    // The language first, so that whatever the other keys bring up speaks it.
    if (values[Lang] == "en" || values[Lang] == "ja") SetEnglish(values[Lang] == "en");
    // The sheet's shape before the zoom, whose range follows the chip size.
    if (const auto shape = SheetShapeOf(values[ChipKey], values[SheetKey], project.Sheet.Geometry()))
        Relayout(shape->chipSize, shape->cols, shape->rows);

    constexpr std::array<std::string_view, 5> colours = {"white", "red", "green", "blue", "gray"};
    if (auto item = ItemFor(values[Line], colours, ControlId::WhiteMenu))
        LineColor(*item);
    else if (values[Line] == "no")
        LineColor(ControlId::UnMenu);

    constexpr std::array<std::string_view, 9> zooms = {"2", "3", "4", "5", "6", "7", "8", "9", "10"};
    if (auto item = ItemFor(values[Zoom], zooms, ControlId::mZoom2)) mZoomClick(*item);

    constexpr std::array<std::string_view, 4> pens = {"1", "2", "3", "4"};
    if (auto item = ItemFor(values[Pen], pens, ControlId::mPSize1)) mPSize1Click(*item);

    // The click handlers flip their check mark, so it is set to the opposite
    // of the wanted state first.
    // The sheet frame's handler lays the sheet out again, so it runs even
    // when the frame stays as it is.
    if (values[Box] == "on" || values[Box] == "off") {
        Def.SheetGridShown = values[Box] == "off";
        wakuMenuClick();
    }
    if (values[Resize] == "on" || values[Resize] == "off") Options.resizePerChip = values[Resize] == "on";
    if (values[Wrap] == "on" || values[Wrap] == "off") Options.wrapDrawing = values[Wrap] == "on";
    if (values[Transparent] == "none")
        project.Sheet.TransparentColor.reset();
    else if (const auto colour = ColourValue(values[Transparent]))
        project.Sheet.TransparentColor = *colour;

    if (values[StrokeKey] == "on" || values[StrokeKey] == "off") Options.strokeJoin = values[StrokeKey] == "on";
    if (const std::optional<int> steps = UndoLimitOf(values[UndoKey])) SetUndoLimit(*steps);
    if (const std::optional<std::size_t> bytes = UndoMemoryOf(values[UndoMemoryKey]))
        project.history.SetMemoryLimit(*bytes);
    if (values[KeysKey] == "on" || values[KeysKey] == "off") Options.keys = values[KeysKey] == "on";
    if (values[DoubleKey] == "on" || values[DoubleKey] == "off") Options.doublePress = values[DoubleKey] == "on";
    if (values[DuplicatesKey] == "on" || values[DuplicatesKey] == "off")
        Options.duplicates = values[DuplicatesKey] == "on";
    // The user palette option, with the palette file it shows. A file that
    // can't be read leaves the option on with no loaded palette, without a
    // word, as the other keys' unreadable values are passed over.
    if (!values[UserPaletteKey].empty()) {
        Options.userPalette = true;
        (void)LoadUserPalette(std::string(values[UserPaletteKey]));
        DrawPaletteView();
    }
    ShowOptions();
    // The block option, with its size; the size wins over a block that the
    // remembered preferences turned on.
    if (const auto block = BlockSizeOf(values[BlockKey])) {
        if (!Options.block) {
            Options.blockCols = block->first;
            Options.blockRows = block->second;
            BlockMenuClick();
        } else {
            SelectBlock(CurCol, CurRow, block->first, block->second);
        }
    }
    // The roomy layout is off at start unless the remembered preferences
    // turned it on; "off" turns it off again.
    if (values[Wide] == "on" && !WideLayoutOn()) WideMenuClick();
    if (values[Wide] == "off" && WideLayoutOn()) WideMenuClick();
}

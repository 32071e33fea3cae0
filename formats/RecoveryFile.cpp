// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/RecoveryFile.h"

#include <algorithm>
#include <array>
#include <map>
#include <string_view>

namespace recovery {

namespace {

constexpr std::string_view Magic = "tessaro-recovery 1\n";
// Room for the longest path (hex, twice its bytes), every setting and the
// largest board (four hex digits a cell, and one for its orientation).
constexpr std::size_t MaxHeadBytes = 64 * 1024 + 5 * 256 * 256;
constexpr std::size_t MaxPathBytes = 4095;
constexpr std::size_t BmpHeaderBytes = 54;

using Head = std::map<std::string, std::string, std::less<>>;

[[noreturn]] void Refuse(const std::string& why) { throw FormatError("not a recovery copy: " + why); }

std::string Hex(const std::string& text) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : text) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

std::string FromHex(std::string_view hex) {
    auto value = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        Refuse("a bad file name");
    };
    if (hex.size() % 2 != 0 || hex.size() > 2 * MaxPathBytes) Refuse("a bad file name");
    std::string out;
    for (std::size_t i = 0; i < hex.size(); i += 2) out += static_cast<char>(value(hex[i]) * 16 + value(hex[i + 1]));
    return out;
}

// The sheet's file as a save may write it: empty, or an absolute path. A
// relative one (which earlier copies may hold) names another file in each
// folder the editor starts in: it is dropped, and the save asks for a name.
std::string FileName(const Head& head) {
    const auto it = head.find("file");
    const std::string path = it == head.end() ? std::string() : FromHex(it->second);
    if (path.find('\0') != std::string::npos) Refuse("a NUL in the file name");
    return path.starts_with('/') ? path : std::string();
}

int Number(const Head& head, std::string_view key, int lo, int hi) {
    const auto it = head.find(key);
    if (it == head.end()) Refuse(std::string(key) + " missing");
    const std::string& s = it->second;
    if (s.empty() || s.size() > 10) Refuse(std::string(key) + " out of range");
    long long n = 0;
    for (char c : s) {
        if (c < '0' || c > '9') Refuse(std::string(key) + " not a number");
        n = n * 10 + (c - '0');
    }
    if (n < lo || n > hi) Refuse(std::string(key) + " out of range");
    return static_cast<int>(n);
}

bool Flag(const Head& head, std::string_view key) { return Number(head, key, 0, 1) == 1; }

Head ReadHead(std::string_view text) {
    Head head;
    for (std::size_t at = Magic.size(); at < text.size();) {
        const std::size_t eol = text.find('\n', at);
        const std::string_view entry = text.substr(at, eol - at);
        const std::size_t eq = entry.find('=');
        if (eq == std::string_view::npos) Refuse("a line without a value");
        if (!head.emplace(std::string(entry.substr(0, eq)), std::string(entry.substr(eq + 1))).second)
            Refuse("a key given twice");
        at = eol + 1;
    }
    return head;
}

// The board's cells: each four hex digits, its chip's slot + 1 (0: empty).
std::string CellsText(const std::vector<int>& cells) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    out.reserve(cells.size() * 4);
    for (int cell : cells) {
        const unsigned v = static_cast<unsigned>(cell + 1);
        for (int shift = 12; shift >= 0; shift -= 4) out += digits[(v >> shift) & 15];
    }
    return out;
}

std::vector<int> CellsOf(const Head& head, std::size_t count, int slots) {
    const auto it = head.find("board");
    if (it == head.end() || it->second.size() != count * 4) Refuse("board cells missing or of the wrong count");
    std::vector<int> cells(count);
    for (std::size_t i = 0; i < count; ++i) {
        int v = 0;
        for (char c : std::string_view(it->second).substr(i * 4, 4)) {
            if (c >= '0' && c <= '9')
                v = v * 16 + (c - '0');
            else if (c >= 'a' && c <= 'f')
                v = v * 16 + (c - 'a' + 10);
            else
                Refuse("a board cell not a number");
        }
        if (v > slots) Refuse("a board cell out of range");
        cells[i] = v - 1;
    }
    return cells;
}

// The board's orientations: a digit 0..7 a cell.
std::string TurnsText(const std::vector<std::uint8_t>& turns) {
    std::string out;
    // A value past 7 is written as 8, which no reader takes.
    for (std::uint8_t t : turns) out += static_cast<char>('0' + std::min<int>(t, 8));
    return out;
}

std::vector<std::uint8_t> TurnsOf(const Head& head, std::size_t count) {
    const auto it = head.find("boardturns");
    if (it == head.end()) return {};
    if (it->second.size() != count) Refuse("board orientations of the wrong count");
    std::vector<std::uint8_t> turns(count);
    for (std::size_t i = 0; i < count; ++i) {
        const char c = it->second[i];
        if (c < '0' || c > '7') Refuse("a board orientation out of range");
        turns[i] = static_cast<std::uint8_t>(c - '0');
    }
    return turns;
}

// Each terrain "SC.SR.DC.DR.NAME" (the name in hex), joined by ';'.
std::string TerrainsText(const std::vector<Record::Session::Terrain>& terrains) {
    std::string out;
    for (const auto& t : terrains)
        out += (out.empty() ? "" : ";") + std::to_string(t.sourceCol) + "." + std::to_string(t.sourceRow) + "." +
               std::to_string(t.areaCol) + "." + std::to_string(t.areaRow) + "." + Hex(t.name);
    return out;
}

std::vector<Record::Session::Terrain> TerrainsOf(const Head& head, const Limits& limits) {
    std::vector<Record::Session::Terrain> terrains;
    const auto it = head.find("terrains");
    if (it == head.end() || it->second.empty()) return terrains;
    std::string_view rest = it->second;
    while (true) {
        const std::size_t end = std::min(rest.find(';'), rest.size());
        std::string_view part = rest.substr(0, end);
        std::array<int, 4> n{};
        for (std::size_t k = 0; k < n.size(); ++k) {
            const std::size_t dot = part.find('.');
            if (dot == std::string_view::npos || dot == 0 || dot > 3) Refuse("a bad terrain");
            int v = 0;
            for (char c : part.substr(0, dot)) {
                if (c < '0' || c > '9') Refuse("a bad terrain");
                v = v * 10 + (c - '0');
            }
            if (v >= (k % 2 == 0 ? limits.maxCols : limits.maxRows)) Refuse("a terrain out of range");
            n[k] = v;
            part.remove_prefix(dot + 1);
        }
        terrains.push_back({FromHex(part), n[0], n[1], n[2], n[3]});
        if (end == rest.size()) break;
        rest.remove_prefix(end + 1);
    }
    return terrains;
}

Record::Session ReadSession(const Head& head, const Limits& limits) {
    Record::Session s;
    s.left = static_cast<canvas::Colour>(Number(head, "left", 0, 0xFFFFFF));
    s.right = static_cast<canvas::Colour>(Number(head, "right", 0, 0xFFFFFF));
    if (head.contains("transparent"))
        s.transparent = static_cast<canvas::Colour>(Number(head, "transparent", 0, 0xFFFFFF));
    s.boardCols = Number(head, "boardcols", 1, limits.maxBoardSide);
    s.boardRows = Number(head, "boardrows", 1, limits.maxBoardSide);
    s.boardZoom = Number(head, "boardzoom", 1, limits.maxBoardZoom);
    s.boardCells = CellsOf(head, static_cast<std::size_t>(s.boardCols) * static_cast<std::size_t>(s.boardRows),
                           limits.maxCols * limits.maxRows);
    s.boardTurns = TurnsOf(head, s.boardCells.size());
    s.terrains = TerrainsOf(head, limits);
    return s;
}

constexpr std::string_view OptionPrefix = "option.";

// The options that copies of earlier versions kept under keys of their own.
constexpr std::pair<std::string_view, std::string_view> OlderOptionKeys[] = {
    {"wrap", "wrapDrawing"},
    {"tilepreview", "tilePreview"},
    {"tileneighbours", "tileNeighbours"},
    {"tilezoom", "tileZoom"},
    {"boardshown", "boardShown"},
    {"strokejoin", "strokeJoin"},
    {"keys", "keys"},
    {"wide", "wide"},
};

std::map<std::string, int, std::less<>> ReadOptions(const Head& head, const Limits& limits) {
    std::map<std::string, int, std::less<>> options;
    for (const auto& [key, value] : head) {
        if (!key.starts_with(OptionPrefix)) continue;
        const std::string name = key.substr(OptionPrefix.size());
        if (name.empty() || name.size() > 32 ||
            name.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ") != std::string::npos)
            Refuse("a bad option name");
        options[name] = Number(head, key, 0, limits.maxOption);
    }
    for (const auto& [older, name] : OlderOptionKeys)
        if (head.contains(older) && !options.contains(name))
            options[std::string(name)] = Number(head, older, 0, limits.maxOption);
    return options;
}

// Colours as six hex digits each, red first.
std::string ColoursText(const std::vector<canvas::Colour>& colours) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (canvas::Colour c : colours)
        for (int shift : {4, 0, 12, 8, 20, 16}) out += digits[(c >> shift) & 15];
    return out;
}

std::vector<canvas::Colour> ColoursOf(const Head& head, std::string_view key, int most) {
    const auto it = head.find(key);
    if (it == head.end()) Refuse(std::string(key) + " missing");
    const std::string& text = it->second;
    if (text.size() % 6 != 0 || text.size() / 6 > static_cast<std::size_t>(most))
        Refuse(std::string(key) + " of the wrong length");
    std::vector<canvas::Colour> colours;
    for (std::size_t at = 0; at < text.size(); at += 6) {
        unsigned v[6];
        for (int i = 0; i < 6; ++i) {
            const char c = text[at + static_cast<std::size_t>(i)];
            if (c >= '0' && c <= '9')
                v[i] = static_cast<unsigned>(c - '0');
            else if (c >= 'a' && c <= 'f')
                v[i] = static_cast<unsigned>(c - 'a' + 10);
            else
                Refuse(std::string(key) + " not a colour");
        }
        colours.push_back(canvas::Rgb(static_cast<int>(v[0] * 16 + v[1]), static_cast<int>(v[2] * 16 + v[3]),
                                      static_cast<int>(v[4] * 16 + v[5])));
    }
    return colours;
}

// "slot:frames:ms" entries joined by ','; empty for none.
std::string AnimationsText(const std::vector<Record::Work::Animation>& animations) {
    std::string out;
    for (const auto& a : animations) {
        if (!out.empty()) out += ',';
        out += std::to_string(a.slot) + ":" + std::to_string(a.frames) + ":" + std::to_string(a.frameMs);
    }
    return out;
}

std::vector<Record::Work::Animation> AnimationsOf(const Head& head, const Limits& limits) {
    const auto it = head.find("animations");
    if (it == head.end()) Refuse("animations missing");
    std::vector<Record::Work::Animation> animations;
    std::string_view text = it->second;
    const int slots = limits.maxCols * limits.maxRows;
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        const std::string_view entry = text.substr(0, comma);
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
        // Each number as a head line of its own, so that one rule checks them.
        Head parts;
        std::string_view rest = entry;
        for (const char* name : {"slot", "frames", "ms"}) {
            const std::size_t colon = rest.find(':');
            parts[name] = std::string(rest.substr(0, colon));
            rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
        }
        if (animations.size() >= static_cast<std::size_t>(slots)) Refuse("too many animations");
        animations.push_back({Number(parts, "slot", 0, slots - 1), Number(parts, "frames", 2, limits.maxFrames),
                              Number(parts, "ms", 1, limits.maxFrameMs)});
    }
    return animations;
}

Record::Work ReadWork(const Head& head, const Limits& limits) {
    Record::Work w;
    w.colourTable = ColoursOf(head, "colourtable", limits.maxPalette);
    w.userPalette = ColoursOf(head, "userpalette", limits.maxPalette);
    w.animations = AnimationsOf(head, limits);
    w.undoLimit = Number(head, "undolimit", 1, limits.maxUndoLimit);
    w.undoMemoryMiB = Number(head, "undomemory", 1, limits.maxUndoMemoryMiB);
    return w;
}

std::uint32_t Get32(std::span<const std::uint8_t> b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
std::uint32_t Get16(std::span<const std::uint8_t> b, std::size_t at) { return b[at] | b[at + 1] << 8; }

std::size_t StrideOf(int width) { return (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4; }

std::vector<std::uint8_t> EncodeSheet(const canvas::Picture& picture) {
    const int width = picture.Width(), height = picture.Height();
    const std::size_t stride = StrideOf(width);
    std::vector<std::uint8_t> out(BmpHeaderBytes + stride * static_cast<std::size_t>(height), 0);
    auto put = [&out](std::size_t at, std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) out[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    out[0] = 'B';
    out[1] = 'M';
    put(2, static_cast<std::uint32_t>(out.size()), 4);
    put(10, BmpHeaderBytes, 4);
    put(14, 40, 4);
    put(18, static_cast<std::uint32_t>(width), 4);
    put(22, static_cast<std::uint32_t>(height), 4);
    put(26, 1, 2);
    put(28, 24, 2);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* dst = out.data() + BmpHeaderBytes + static_cast<std::size_t>(height - 1 - y) * stride;
        for (canvas::Colour c : picture.Row(y)) {
            *dst++ = static_cast<std::uint8_t>(canvas::BlueOf(c));
            *dst++ = static_cast<std::uint8_t>(canvas::GreenOf(c));
            *dst++ = static_cast<std::uint8_t>(canvas::RedOf(c));
        }
    }
    return out;
}

// Only the one BMP layout EncodeSheet writes, of exactly the size the head
// gives: the bytes are checked whole before the picture is allocated.
canvas::Picture DecodeSheet(std::span<const std::uint8_t> bmp, int width, int height) {
    const std::size_t stride = StrideOf(width);
    if (bmp.size() != BmpHeaderBytes + stride * static_cast<std::size_t>(height)) Refuse("a sheet of the wrong size");
    if (bmp[0] != 'B' || bmp[1] != 'M' || Get32(bmp, 2) != bmp.size() || Get32(bmp, 10) != BmpHeaderBytes ||
        Get32(bmp, 14) != 40 || Get32(bmp, 18) != static_cast<std::uint32_t>(width) ||
        Get32(bmp, 22) != static_cast<std::uint32_t>(height) || Get16(bmp, 26) != 1 || Get16(bmp, 28) != 24 ||
        Get32(bmp, 30) != 0)
        Refuse("a sheet not as the editor writes it");
    canvas::Picture sheet(width, height);
    std::vector<canvas::Colour> row(static_cast<std::size_t>(width));
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* src = bmp.data() + BmpHeaderBytes + static_cast<std::size_t>(height - 1 - y) * stride;
        for (canvas::Colour& c : row) {
            c = canvas::Rgb(src[2], src[1], src[0]);
            src += 3;
        }
        sheet.SetRow(y, row);
    }
    return sheet;
}

}  // namespace

std::vector<std::uint8_t> Encode(const Record& r) {
    std::string head(Magic);
    auto line = [&head](const char* key, const std::string& value) { head += std::string(key) + "=" + value + "\n"; };
    auto flag = [](bool b) { return std::string(b ? "1" : "0"); };
    line("file", Hex(r.file));
    line("zoom", std::to_string(r.zoom));
    line("chipsize", std::to_string(r.chipSize));
    line("cols", std::to_string(r.cols));
    line("rows", std::to_string(r.rows));
    line("tool", std::to_string(r.tool));
    line("gridcolour", std::to_string(r.gridColour & 0xFFFFFF));
    line("sheetgrid", flag(r.sheetGrid));
    line("col", std::to_string(r.col));
    line("row", std::to_string(r.row));
    line("pen", std::to_string(r.pen));
    line("gridhidden", flag(r.gridHidden));
    line("resizeperchip", flag(r.resizePerChip));
    if (const auto& s = r.session) {
        line("left", std::to_string(s->left & 0xFFFFFF));
        line("right", std::to_string(s->right & 0xFFFFFF));
        if (s->transparent) line("transparent", std::to_string(*s->transparent & 0xFFFFFF));
        line("boardcols", std::to_string(s->boardCols));
        line("boardrows", std::to_string(s->boardRows));
        line("boardzoom", std::to_string(s->boardZoom));
        line("board", CellsText(s->boardCells));
        if (!s->boardTurns.empty()) line("boardturns", TurnsText(s->boardTurns));
        if (!s->terrains.empty()) line("terrains", TerrainsText(s->terrains));
    }
    for (const auto& [name, value] : r.options) line((std::string(OptionPrefix) + name).c_str(), std::to_string(value));
    if (const auto& w = r.work) {
        line("colourtable", ColoursText(w->colourTable));
        line("userpalette", ColoursText(w->userPalette));
        line("animations", AnimationsText(w->animations));
        line("undolimit", std::to_string(w->undoLimit));
        line("undomemory", std::to_string(w->undoMemoryMiB));
    }
    head += "\n";
    std::vector<std::uint8_t> bytes(head.begin(), head.end());
    const std::vector<std::uint8_t> sheet = EncodeSheet(r.sheet);
    bytes.insert(bytes.end(), sheet.begin(), sheet.end());
    return bytes;
}

Record Decode(std::span<const std::uint8_t> bytes, const Limits& limits) {
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (!text.starts_with(Magic)) Refuse("no recovery head");
    const std::size_t end = text.substr(0, MaxHeadBytes).find("\n\n");
    if (end == std::string_view::npos) Refuse("no end of the head");
    const Head head = ReadHead(text.substr(0, end + 1));
    Record r;
    r.file = FileName(head);
    r.zoom = Number(head, "zoom", limits.minZoom, limits.maxZoom);
    r.chipSize = Number(head, "chipsize", limits.minChipSize, limits.maxChipSize);
    r.cols = Number(head, "cols", 1, std::min(limits.maxCols, limits.maxSide / r.chipSize));
    r.rows = Number(head, "rows", 1, std::min(limits.maxRows, limits.maxSide / r.chipSize));
    r.tool = Number(head, "tool", 0, limits.maxTool);
    r.gridColour = static_cast<canvas::Colour>(Number(head, "gridcolour", 0, 0xFFFFFF));
    r.sheetGrid = Flag(head, "sheetgrid");
    r.col = Number(head, "col", 0, r.cols - 1);
    r.row = Number(head, "row", 0, r.rows - 1);
    r.pen = Number(head, "pen", 1, limits.maxPen);
    r.gridHidden = Flag(head, "gridhidden");
    r.resizePerChip = Flag(head, "resizeperchip");
    // Written with the rest of the session since this key came in.
    if (head.contains("left")) r.session = ReadSession(head, limits);
    r.options = ReadOptions(head, limits);
    if (head.contains("undolimit")) r.work = ReadWork(head, limits);
    r.sheet = DecodeSheet(bytes.subspan(end + 2), r.cols * r.chipSize, r.rows * r.chipSize);
    return r;
}

std::size_t MaxBytes(const Limits& limits) {
    const int width = std::min(limits.maxCols * limits.maxChipSize, limits.maxSide);
    const int height = std::min(limits.maxRows * limits.maxChipSize, limits.maxSide);
    return MaxHeadBytes + 2 + BmpHeaderBytes + StrideOf(width) * static_cast<std::size_t>(height);
}

}  // namespace recovery

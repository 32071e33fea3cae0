// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/PaletteFile.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <unordered_set>

#include "formats/PictureFormats.h"
#include "formats/PictureLimits.h"
#include "formats/PictureReadError.h"

namespace palette_file {
namespace {

[[noreturn]] void Refuse(std::size_t line, const std::string& why) { throw PaletteFileError(line, why); }

// The file's lines, without their line ends (LF, CRLF or CR alone: old Mac
// files) and without a UTF-8 byte order mark before the first. A byte that
// no text file holds refuses the file at its line: a binary file is not
// taken for a palette of whatever its bytes happen to spell.
std::vector<std::string_view> Lines(std::span<const std::uint8_t> bytes) {
    std::vector<std::string_view> lines;
    std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(start, end - start);
        for (const char c : line)
            if (static_cast<unsigned char>(c) < 0x20 && c != '\t')
                Refuse(lines.size() + 1, "a control byte: not a text file");
        lines.push_back(line);
        start = end + (text.substr(end).starts_with("\r\n") ? 2 : 1);
    }
    return lines;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// The next word of `s`, which moves past it.
std::string_view Word(std::string_view& s) {
    s = Trim(s);
    std::size_t end = 0;
    while (end < s.size() && s[end] != ' ' && s[end] != '\t') ++end;
    const std::string_view word = s.substr(0, end);
    s.remove_prefix(end);
    return word;
}

int Level(std::string_view word, std::size_t line) {
    int v = -1;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), v);
    if (word.empty() || error != std::errc() || end != word.data() + word.size() || v < 0 || v > 255)
        Refuse(line, "\"" + std::string(word) + "\" is not a colour level from 0 to 255");
    return v;
}

// "R G B" and, where `rest` allows it, a name after them.
canvas::Colour LevelsColour(std::string_view text, std::size_t line, bool rest) {
    const int r = Level(Word(text), line), g = Level(Word(text), line), b = Level(Word(text), line);
    if (!rest && !Trim(text).empty()) Refuse(line, "more than three colour levels");
    return canvas::Rgb(r, g, b);
}

std::uint32_t Hex(std::string_view digits, std::size_t line) {
    std::uint32_t v = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), v, 16);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
        Refuse(line, "\"" + std::string(digits) + "\" is no hexadecimal colour");
    return v;
}

void Add(Palette& palette, canvas::Colour colour, std::size_t line) {
    if (palette.size() == MaxColours) Refuse(line, "more than 256 colours");
    palette.push_back(colour);
}

Palette Done(Palette palette) {
    if (palette.empty()) Refuse(0, "no colours");
    return palette;
}

Palette ParseGpl(const std::vector<std::string_view>& lines) {
    if (lines.empty() || Trim(lines[0]) != "GIMP Palette") Refuse(1, "no \"GIMP Palette\" header");
    Palette palette;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string_view line = Trim(lines[i]);
        if (line.empty() || line.front() == '#' || line.starts_with("Name:") || line.starts_with("Columns:")) continue;
        Add(palette, LevelsColour(line, i + 1, true), i + 1);
    }
    return Done(std::move(palette));
}

Palette ParseJasc(const std::vector<std::string_view>& lines) {
    if (lines.empty() || Trim(lines[0]) != "JASC-PAL") Refuse(1, "no \"JASC-PAL\" header");
    if (lines.size() < 2 || Trim(lines[1]) != "0100") Refuse(2, "not version 0100");
    if (lines.size() < 3) Refuse(3, "no colour count");
    std::size_t count = 0;
    const std::string_view countText = Trim(lines[2]);
    const auto [end, error] = std::from_chars(countText.data(), countText.data() + countText.size(), count);
    if (error != std::errc() || end != countText.data() + countText.size() || count == 0 || count > MaxColours)
        Refuse(3, "\"" + std::string(countText) + "\" is no colour count from 1 to 256");
    Palette palette;
    std::size_t i = 3;
    for (; palette.size() < count; ++i) {
        if (i >= lines.size()) Refuse(i + 1, "the file ends before colour " + std::to_string(palette.size() + 1));
        palette.push_back(LevelsColour(lines[i], i + 1, false));
    }
    for (; i < lines.size(); ++i)
        if (!Trim(lines[i]).empty()) Refuse(i + 1, "more colours than the count says");
    return palette;
}

// AARRGGBB a line; ';' starts a comment line.
Palette ParsePaintNet(const std::vector<std::string_view>& lines, ReadNotes* notes) {
    Palette palette;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = Trim(lines[i]);
        if (line.empty() || line.front() == ';') continue;
        if (line.size() != 8) Refuse(i + 1, "\"" + std::string(line) + "\" is not AARRGGBB");
        const std::uint32_t v = Hex(line, i + 1);
        Add(palette, canvas::Rgb(static_cast<int>(v >> 16), static_cast<int>(v >> 8), static_cast<int>(v)), i + 1);
        if (notes && v >> 24 != 0xFF) ++notes->droppedAlpha;
    }
    return Done(std::move(palette));
}

Palette ParseHex(const std::vector<std::string_view>& lines) {
    Palette palette;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view line = Trim(lines[i]);
        if (line.empty()) continue;
        if (line.front() == '#') line.remove_prefix(1);
        if (line.size() != 6) Refuse(i + 1, "\"" + std::string(lines[i]) + "\" is not RRGGBB");
        const std::uint32_t v = Hex(line, i + 1);
        Add(palette, canvas::Rgb(static_cast<int>(v >> 16), static_cast<int>(v >> 8), static_cast<int>(v)), i + 1);
    }
    return Done(std::move(palette));
}

Palette ParseAct(std::span<const std::uint8_t> bytes) {
    std::size_t count = 256;
    if (bytes.size() == 772) {
        count = static_cast<std::size_t>(bytes[768]) << 8 | bytes[769];
        if (count == 0 || count > MaxColours) Refuse(0, "colour count " + std::to_string(count) + " is not 1 to 256");
    }
    Palette palette;
    for (std::size_t i = 0; i < count; ++i)
        palette.push_back(canvas::Rgb(bytes[3 * i], bytes[3 * i + 1], bytes[3 * i + 2]));
    return palette;
}

std::uint32_t Little(std::span<const std::uint8_t> bytes, std::size_t at, int size) {
    std::uint32_t v = 0;
    for (int i = size - 1; i >= 0; --i) v = v << 8 | bytes[at + static_cast<std::size_t>(i)];
    return v;
}

bool IsRiffPalette(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= 12 && std::memcmp(bytes.data(), "RIFF", 4) == 0 &&
           std::memcmp(bytes.data() + 8, "PAL ", 4) == 0;
}

// Microsoft's palette: RIFF chunks after "PAL "; the "data" chunk holds a
// version, the colour count and four bytes a colour (red, green, blue and
// flags, which are not kept). Other chunks are passed over.
Palette ParseRiff(std::span<const std::uint8_t> bytes) {
    for (std::size_t at = 12; at < bytes.size();) {
        if (bytes.size() - at < 8) Refuse(0, "a RIFF chunk header cut short at byte " + std::to_string(at));
        const std::size_t length = Little(bytes, at + 4, 4);
        if (length > bytes.size() - at - 8)
            Refuse(0, "a RIFF chunk at byte " + std::to_string(at) + " runs past the end of the file");
        if (std::memcmp(bytes.data() + at, "data", 4) == 0) {
            const std::size_t count = length >= 4 ? Little(bytes, at + 10, 2) : 0;
            if (count == 0 || count > MaxColours || 4 + 4 * count > length)
                Refuse(0, "the RIFF palette's colour count does not fit its data");
            Palette palette;
            for (std::size_t i = 0, p = at + 12; i < count; ++i, p += 4)
                palette.push_back(canvas::Rgb(bytes[p], bytes[p + 1], bytes[p + 2]));
            return palette;
        }
        at += 8 + length + (length & 1);
    }
    Refuse(0, "a RIFF file without a palette's \"data\" chunk");
}

// Through resize and memcpy: GCC 12 at -O3 takes vector::insert of a
// string's bytes for an overflow (-Wstringop-overflow) and fails the build.
void Append(std::vector<std::uint8_t>& out, std::string_view text) {
    if (text.empty()) return;
    const std::size_t at = out.size();
    out.resize(at + text.size());
    std::memcpy(out.data() + at, text.data(), text.size());
}

std::string Levels(canvas::Colour c) {
    return std::to_string(canvas::RedOf(c)) + " " + std::to_string(canvas::GreenOf(c)) + " " +
           std::to_string(canvas::BlueOf(c));
}

}  // namespace

std::optional<Format> FormatOf(std::string_view path) {
    const std::string ext = LowerExtension(path);
    if (ext == ".gpl") return Format::Gpl;
    if (ext == ".pal") return Format::JascPal;
    if (ext == ".txt") return Format::PaintNet;
    if (ext == ".hex") return Format::Hex;
    if (ext == ".act") return Format::Act;
    return std::nullopt;
}

bool Writable(Format format) { return format == Format::Gpl || format == Format::JascPal || format == Format::Hex; }

void CheckFileSize(Format format, std::uint64_t fileBytes) {
    if (format == Format::Act && fileBytes != 768 && fileBytes != 772)
        Refuse(0, "an Adobe colour table is 768 or 772 bytes, not " + std::to_string(fileBytes));
    if (fileBytes > MaxTextBytes) Refuse(0, "larger than any palette file (" + std::to_string(fileBytes) + " bytes)");
}

Palette Parse(std::span<const std::uint8_t> bytes, Format format, ReadNotes* notes) {
    CheckFileSize(format, bytes.size());
    if (notes) *notes = {};
    switch (format) {
        case Format::Gpl: return ParseGpl(Lines(bytes));
        case Format::JascPal: return IsRiffPalette(bytes) ? ParseRiff(bytes) : ParseJasc(Lines(bytes));
        case Format::PaintNet: return ParsePaintNet(Lines(bytes), notes);
        case Format::Hex: return ParseHex(Lines(bytes));
        case Format::Act: return ParseAct(bytes);
    }
    Refuse(0, "unknown palette format");
}

std::vector<std::uint8_t> Write(const Palette& palette, Format format) {
    std::vector<std::uint8_t> out;
    char hex[8];
    switch (format) {
        case Format::Gpl:
            Append(out, "GIMP Palette\nName: Tessaro\nColumns: 16\n#\n");
            for (const canvas::Colour c : palette) Append(out, Levels(c) + "\n");
            break;
        case Format::JascPal:
            // JASC files are DOS text.
            Append(out, "JASC-PAL\r\n0100\r\n" + std::to_string(palette.size()) + "\r\n");
            for (const canvas::Colour c : palette) Append(out, Levels(c) + "\r\n");
            break;
        case Format::Hex:
            for (const canvas::Colour c : palette) {
                std::snprintf(hex, sizeof hex, "%02x%02x%02x", canvas::RedOf(c), canvas::GreenOf(c), canvas::BlueOf(c));
                Append(out, std::string(hex) + "\n");
            }
            break;
        case Format::PaintNet:
        case Format::Act: throw std::logic_error("palette format not written");
    }
    return out;
}

Palette FromTable(const std::vector<canvas::Colour>& table) {
    if (table.empty() || table.size() > MaxColours) Refuse(0, "no usable colour table");
    return table;
}

Palette FromPicture(const PictureWithAlpha& picture) {
    if (picture.table) return FromTable(*picture.table);
    Palette palette;
    std::unordered_set<canvas::Colour> seen;
    const canvas::Picture& p = picture.colours;
    for (int y = 0; y < p.Height(); ++y)
        for (const canvas::Colour c : p.Row(y)) {
            if (!seen.insert(c).second) continue;
            if (palette.size() == MaxColours) Refuse(0, "more than 256 colours");
            palette.push_back(c);
        }
    return Done(std::move(palette));
}

Palette FromPictureFile(ByteSource& file, const PictureFormat& format) {
    const PictureHeader header = format.readHeader(file);
    if (header.table) return FromTable(*header.table);
    if (std::int64_t{header.width} * header.height > MaxPicturePixels)
        throw PictureReadError("a picture of " + std::to_string(header.width) + "x" + std::to_string(header.height) +
                                   " pixels that is not indexed; its colours are read up to " +
                                   std::to_string(MaxPicturePixels) + " pixels",
                               PictureReadReason::TooLarge);
    return FromPicture(format.decode(file, picture_limits::MaxSide, picture_limits::MaxSide));
}

}  // namespace palette_file

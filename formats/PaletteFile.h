// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "canvas/Colour.h"
#include "formats/ByteSource.h"
#include "formats/PictureWithAlpha.h"

struct PictureFormat;

// Palette files: bytes <-> a plain list of colours, in their order.
//
// Read: GIMP (.gpl), JASC (.pal), Microsoft's RIFF palette (.pal too,
// told by its "RIFF....PAL " start), Paint.NET (.txt, AARRGGBB; the alpha
// is dropped and counted), .hex (one RRGGBB a line) and Adobe colour tables
// (.act: 768 bytes, or 772 with the colour count and the transparent index,
// which is not kept). Text files may start with a UTF-8 byte order mark and
// end their lines with LF, CRLF or CR alone. Written: .gpl, .pal (JASC) and
// .hex. A picture file gives its colour table when it is indexed, else its
// distinct colours in reading order.
namespace palette_file {

constexpr std::size_t MaxColours = 256;
// No text palette of 256 colours comes near this, names and comments
// included; a longer file is refused before it is read.
constexpr std::size_t MaxTextBytes = std::size_t{1} << 20;

using Palette = std::vector<canvas::Colour>;

enum class Format { Gpl, JascPal, PaintNet, Hex, Act };

// Why a palette file was refused; `line` is the 1-based line of a text file
// the fault lies in (0 for the file as a whole). Nothing has changed when it
// is thrown.
class PaletteFileError : public std::runtime_error {
public:
    PaletteFileError(std::size_t line, const std::string& detail) : std::runtime_error(detail), line_(line) {}
    std::size_t Line() const { return line_; }

private:
    std::size_t line_;
};

// The palette format a name's extension stands for; none for every other
// name, which is read as a picture file.
std::optional<Format> FormatOf(std::string_view path);
// Whether the format can be written (GIMP, JASC and .hex).
bool Writable(Format format);

// What a read passed over without refusing the file.
struct ReadNotes {
    // Colours whose alpha was not opaque: a palette holds opaque colours.
    std::size_t droppedAlpha = 0;
};

// Refuses a file of `fileBytes` bytes that no palette file of the format
// can be, before it is read; the message gives the file's own size.
void CheckFileSize(Format format, std::uint64_t fileBytes);

// At least one and at most MaxColours colours, or PaletteFileError.
Palette Parse(std::span<const std::uint8_t> bytes, Format format, ReadNotes* notes = nullptr);
// The file's bytes; `format` is one of the writable ones. The palette has at
// most MaxColours colours.
std::vector<std::uint8_t> Write(const Palette& palette, Format format);

// A picture's colours: its colour table when it has one, else its distinct
// colours in reading order (top row first), refused past MaxColours.
Palette FromPicture(const PictureWithAlpha& picture);
// A picture's colour table as a palette: refused when empty or past
// MaxColours.
Palette FromTable(const std::vector<canvas::Colour>& table);

// A picture that is not indexed is decoded whole for its colours; one of
// more pixels than this (a 2048 x 2048 picture, 20 MiB with its alpha) is
// refused before it is decoded, so that a small file claiming a huge
// picture costs neither gigabytes nor seconds.
constexpr std::int64_t MaxPicturePixels = std::int64_t{1} << 22;

// The colours of a picture file of `format`: its colour table, read from the
// header without a pixel decoded, when it is indexed; else its distinct
// colours, a picture past MaxPicturePixels refused as too large
// (PictureReadError) before it is decoded.
Palette FromPictureFile(ByteSource& file, const PictureFormat& format);

}  // namespace palette_file

// SPDX-License-Identifier: GPL-3.0-or-later
// palette and indexed: the sheet's own palette written as a palette file,
// and the sheet saved indexed with a palette of its own or of a palette
// file. The indexing and the files are the editor's (formats/OwnPalette,
// io/PaletteFiles).
#include <string>

#include "core/Form.h"
#include "formats/OwnPalette.h"
#include "io/AtomicFile.h"
#include "io/PaletteFiles.h"
#include "tools/tessaro-cli/Session.h"

namespace cli {
namespace {

Refusal TooManyColours(const std::string& path, std::size_t count) {
    return Refusal(path + ": the sheet has " + std::to_string(count) + " colours, more than the " +
                   std::to_string(palette_file::MaxColours) + " a palette holds; nothing was written");
}

palette_file::Palette ReadPalette(Session& s, const std::string& path) {
    try {
        palette_file::ReadNotes notes;
        palette_file::Palette palette = ReadPaletteFile(path, &notes);
        if (notes.droppedAlpha > 0)
            s.Note(path + ": the alpha of " + std::to_string(notes.droppedAlpha) +
                   (notes.droppedAlpha == 1 ? " colour" : " colours") + " was dropped; a palette holds opaque colours");
        return palette;
    } catch (const palette_file::PaletteFileError& e) {
        const std::string line = e.Line() > 0 ? "line " + std::to_string(e.Line()) + ": " : std::string();
        throw Refusal(path + ": cannot read the palette: " + line + e.what());
    } catch (const PictureReadError& e) {
        throw Refusal(path + ": cannot read the palette: " + ReasonOf(e));
    }
}

}  // namespace

int RunPalette(Session& s) {
    const std::string& in = s.invocation.operands[0];
    const std::string& out = *s.invocation.output;
    LoadSheet(s, in);
    // The table of an indexed file, else the colours in reading order.
    palette_file::Palette palette = s.sheet.ColourTable;
    if (palette.empty()) {
        std::size_t count = 0;
        palette = own_palette::SheetColours(ComposedSheet(s), std::nullopt, count);
        if (palette.empty()) throw TooManyColours(in, count);
    }
    try {
        WritePaletteFile(out, palette);
    } catch (const palette_file::PaletteFileError& e) {
        throw Refusal("cannot write " + out + ": " + e.what() + "; nothing was written");
    } catch (const FileWriteError& e) {
        throw UnwritableFile(e);
    }
    return 0;
}

int RunIndexed(Session& s) {
    const std::string& in = s.invocation.operands[0];
    const std::string& out = *s.invocation.output;
    const std::optional<std::string>& paletteFile = s.invocation.palette;
    // A palette file that can't be read is refused before the sheet is.
    const palette_file::Palette given = paletteFile ? ReadPalette(s, *paletteFile) : palette_file::Palette{};
    LoadSheet(s, in);
    const canvas::Picture sheetPicture = ComposedSheet(s);
    const palette_file::Palette& table = paletteFile ? given : s.sheet.ColourTable;
    const own_palette::Indexing indexing =
        table.empty() ? own_palette::IndexWithOwnColours(sheetPicture, s.sheet.TransparentColor)
                      : own_palette::IndexWithPalette(sheetPicture, table);
    if (const std::optional<canvas::Point> p = indexing.offTable)
        throw Refusal(in + ": pixel " + std::to_string(p->x) + "," + std::to_string(p->y) + " has the colour " +
                      ColourText(sheetPicture.GetPixel(p->x, p->y)) + ", which is not in the palette of " +
                      (paletteFile ? *paletteFile : in) + "; nothing was written");
    if (indexing.Refused()) throw TooManyColours(in, indexing.colourCount);
    try {
        WriteFileAtomically(out, EncodeOwnPaletteFile(out, indexing.picture, indexing.palette, s.sheet.TransparentColor,
                                                      s.sheet.Geometry().chipSize));
    } catch (const FileWriteError& e) {
        throw UnwritableFile(e);
    }
    return 0;
}

}  // namespace cli

// reduce216, palette256 and check: the sheet through the editor's two
// palette writers, and the list of its pixels outside the fixed table.
#include <string>

#include "core/FixedPalette.h"
#include "formats/PaletteBmp.h"
#include "io/AtomicFile.h"
#include "io/FileMessages.h"
#include "io/PictureSave.h"
#include "tools/tessaro-cli/Session.h"

namespace cli {
namespace {

// The most off-table pixels that check lists.
constexpr std::size_t CheckLimit = 100;

std::string PixelText(canvas::Point p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

std::string ColourOf(const canvas::Picture& picture, canvas::Point p) {
    const canvas::Colour c = picture.GetPixel(p.x, p.y);
    return std::to_string(canvas::RedOf(c)) + "," + std::to_string(canvas::GreenOf(c)) + "," +
           std::to_string(canvas::BlueOf(c));
}

// The palette writers' file of `picture` to the second operand.
void Write(Session& s, const palette_bmp::IndexedPicture& picture) {
    const std::string& path = s.invocation.operands[1];
    try {
        WriteFileAtomically(path, EncodePaletteFile(path, picture, FixedPaletteTable(), s.sheet.TransparentColor));
    } catch (const FileWriteError& e) {
        throw UnwritableFile(e);
    }
}

}  // namespace

int RunReduce216(Session& s) {
    LoadSheet(s, s.invocation.operands[0]);
    // The reduction never refuses.
    Write(s, palette_bmp::Index216Colours(ComposedSheet(s)));
    return 0;
}

int RunPalette256(Session& s) {
    const std::string& in = s.invocation.operands[0];
    LoadSheet(s, in);
    const canvas::Picture sheetPicture = ComposedSheet(s);
    const std::array<std::uint32_t, 256> table = FixedPaletteTable();
    std::optional<canvas::Point> offTable;
    const palette_bmp::IndexedPicture picture = palette_bmp::Index256Colours(sheetPicture, table, offTable);
    if (!offTable) {
        Write(s, picture);
        return 0;
    }
    std::size_t count = 0;
    palette_bmp::OffTablePixels(sheetPicture, table, 1, count);
    throw Refusal({in + ": pixel " + PixelText(*offTable) + " has the colour " + ColourOf(sheetPicture, *offTable) +
                       ", which is not in the 256-colour table (" + std::to_string(count) +
                       " such pixels); nothing was written",
                   in + ": " + OffTableText(*offTable)});
}

int RunCheck(Session& s) {
    const std::string& in = s.invocation.operands[0];
    LoadSheet(s, in);
    // What the 256-colour writer reads: the sheet composed from its chips.
    const canvas::Picture sheetPicture = ComposedSheet(s);
    std::size_t count = 0;
    const auto off = palette_bmp::OffTablePixels(sheetPicture, FixedPaletteTable(), CheckLimit, count);
    for (const canvas::Point p : off) s.out << PixelText(p) << ' ' << ColourOf(sheetPicture, p) << '\n';
    if (count == 0) return 0;
    const std::string n = std::to_string(count);
    const std::string shown = count > off.size() ? std::to_string(off.size()) : std::string();
    throw Refusal({in + ": " + n + " pixels have colours outside the 256-colour table" +
                       (shown.empty() ? "" : " (the first " + shown + " listed)"),
                   in + ": パレット以外の色が" + n + "画素にあります" +
                       (shown.empty() ? "" : "（最初の" + shown + "画素を表示）")});
}

}  // namespace cli

// SPDX-License-Identifier: GPL-3.0-or-later
// reduce216, palette256 and check: the sheet through the editor's two
// palette writers, and the list of its pixels outside the fixed table with
// what an indexed save would make of the sheet.
#include <string>

#include "core/FixedPalette.h"
#include "core/Form.h"
#include "formats/OwnPalette.h"
#include "formats/PaletteBmp.h"
#include "io/AtomicFile.h"
#include "io/PictureSave.h"
#include "tools/tessaro-cli/Session.h"

namespace cli {
namespace {

// The most off-table pixels that check lists.
constexpr std::size_t CheckLimit = 100;

std::string PixelText(canvas::Point p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

std::string ColourOf(const canvas::Picture& picture, canvas::Point p) { return ColourText(picture.GetPixel(p.x, p.y)); }

// The palette writers' file of `picture` to the second operand.
void Write(Session& s, const palette_bmp::IndexedPicture& picture) {
    const std::string& path = s.invocation.operands[1];
    try {
        WriteFileAtomically(path, EncodePaletteFile(path, picture, FixedPaletteTable(), s.sheet.TransparentColor,
                                                    s.sheet.Geometry().chipSize));
    } catch (const FileWriteError& e) {
        throw UnwritableFile(e);
    }
}

// The sheet's colours and table, as the indexed saves see them: how many
// colours, whether it came from an indexed file, and whether that table's
// first entry is the transparent colour (a transparent entry of a PNG takes
// the transparent colour when it is read).
std::string ColourSummary(const Session& s, const canvas::Picture& sheetPicture) {
    std::size_t count = 0;
    own_palette::SheetColours(sheetPicture, std::nullopt, count);
    std::string text = std::to_string(count) + (count == 1 ? " colour; " : " colours; ");
    const std::vector<canvas::Colour>& table = s.sheet.ColourTable;
    if (table.empty()) return text + "not indexed";
    text += "indexed, " + std::to_string(table.size()) + " table entries; ";
    const std::optional<canvas::Colour> t = s.sheet.TransparentColor;
    if (!t) return text + "no transparent colour is set";
    return text + "index 0 " + (table[0] == *t ? "is" : "is not") + " the transparent colour " + ColourText(*t);
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
    throw Refusal(in + ": pixel " + PixelText(*offTable) + " has the colour " + ColourOf(sheetPicture, *offTable) +
                  ", which is not in the 256-colour table (" + std::to_string(count) +
                  " such pixels); nothing was written");
}

int RunCheck(Session& s) {
    const std::string& in = s.invocation.operands[0];
    const canvas::Point size = LoadSheet(s, in);
    if (s.invocation.chip) {
        // The shape the picture divides into, and what is left over.
        const SheetGeometry& g = s.sheet.Geometry();
        s.err << "tessaro-cli: " << in << ": " << size.x << " x " << size.y << " pixels: " << g.cols << " x " << g.rows
              << " chips of " << g.chipSize << " x " << g.chipSize;
        if (size.x != g.Width() || size.y != g.Height())
            s.err << " (" << size.x - g.Width() << " x " << size.y - g.Height() << " pixels left over)";
        s.err << '\n';
    }
    // What the 256-colour writer reads: the sheet composed from its chips.
    const canvas::Picture sheetPicture = ComposedSheet(s);
    // The summary is the command's report, not a note: --quiet keeps it.
    s.err << "tessaro-cli: " << in << ": " << ColourSummary(s, sheetPicture) << '\n';
    bool overBudget = false;
    if (const std::optional<int> budget = s.invocation.budget) {
        const duplicates::Report report = duplicates::Find(s.sheet);
        const int unique = s.invocation.exact ? report.uniqueExact : report.uniqueOriented;
        s.err << "tessaro-cli: " << in << ": " << CountsText(report) << '\n';
        if (unique > *budget) {
            overBudget = true;
            s.err << "tessaro-cli: " << in << ": " << unique << (unique == 1 ? " unique chip" : " unique chips")
                  << (s.invocation.exact ? "" : " up to orientation") << ", over the budget of " << *budget << '\n';
        }
    }
    std::size_t count = 0;
    const auto off = palette_bmp::OffTablePixels(sheetPicture, FixedPaletteTable(), CheckLimit, count);
    for (const canvas::Point p : off) s.out << PixelText(p) << ' ' << ColourOf(sheetPicture, p) << '\n';
    if (count == 0) return overBudget ? 1 : 0;
    const std::string n = std::to_string(count);
    const std::string shown = count > off.size() ? std::to_string(off.size()) : std::string();
    throw Refusal(in + ": " + n + " pixels have colours outside the 256-colour table" +
                  (shown.empty() ? "" : " (the first " + shown + " listed)"));
}

}  // namespace cli

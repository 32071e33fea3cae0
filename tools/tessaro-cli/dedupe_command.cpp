// SPDX-License-Identifier: GPL-3.0-or-later
// dedupe: the sheet with each chip once, up to orientation or exactly, and
// a map that uses it rewritten to the new chips with Tiled's orientation
// flags, so that it shows as before.
#include <filesystem>
#include <string>
#include <vector>

#include "core/ChipDuplicates.h"
#include "core/TryOutBoard.h"
#include "formats/TiledKeep.h"
#include "formats/TiledMap.h"
#include "io/AtomicFile.h"
#include "io/DedupedMap.h"
#include "io/PictureSave.h"
#include "io/RegularFile.h"
#include "tools/tessaro-cli/OutputNames.h"
#include "tools/tessaro-cli/Session.h"

namespace cli {
namespace {

// Larger than any map file ReadMap takes.
constexpr std::size_t MapFileLimit = std::size_t{8} << 20;

std::string MapRefusalText(tiled::Refusal why) {
    using enum tiled::Refusal;
    switch (why) {
        case Unreadable: return "the file can't be read";
        case TooLarge: return "the map or its tileset is too large";
        case NotAMap: return "not a Tiled map";
        case NotOrthogonal: return "not an orthogonal map";
        case TileSize: return "its tiles are not the size of the sheet's chips";
        case Infinite: return "an infinite map";
        case Layers: return "not exactly one tile layer";
        case LayerLook: return "its layer is hidden, see-through or offset";
        case Size: return "not 1 to " + std::to_string(TryOutBoard::MaxSide) + " cells each way";
        case Tileset:
            return "its tileset is not the sheet (one tileset of the sheet's shape; --chip N reads the sheet in the "
                   "picture's own shape)";
        case Encoding: return "its tile data are encoded or compressed in a way Tessaro does not read";
        case Data: return "its tile data are broken";
        case TileOutsideSheet: return "a cell uses a tile that is not on the sheet";
        case OutsideFolder: return "its tileset or its picture lies outside the map's folder";
    }
    return "it can't be used";
}

}  // namespace

// "N chips, U unique exactly, O unique up to orientation"
std::string CountsText(const duplicates::Report& report) {
    return std::to_string(report.geometry.ChipCount()) + " chips, " + std::to_string(report.uniqueExact) +
           " unique exactly, " + std::to_string(report.uniqueOriented) + " unique up to orientation";
}

int RunDedupe(Session& s) {
    const Invocation& inv = s.invocation;
    const std::string& in = inv.operands[0];
    LoadSheet(s, in);
    const duplicates::Report report = duplicates::Find(s.sheet);
    const duplicates::Packing packing = duplicates::Pack(s.sheet, report, inv.exact);

    const std::string& out = *inv.output;
    std::vector<PendingFile> files{
        {out, EncodePictureFile(out, packing.Compose(s.sheet), s.sheet.TransparentColor, packing.geometry.chipSize)}};
    if (inv.map) {
        const SheetGeometry& g = s.sheet.Geometry();
        const tiled::SheetShape shape{g.chipSize, g.cols, g.rows, TryOutBoard::MaxSide};
        tiled::BoardMap map;
        try {
            map = tiled::ReadMap(*inv.map, shape);
        } catch (const tiled::MapRefused& e) {
            throw Refusal(*inv.map + ": " + MapRefusalText(e.why) + "; nothing was written");
        }
        if (!SameFile(map.sheetImagePath, in))
            throw Refusal(*inv.map + ": its tileset shows " + map.sheetImagePath + ", not " + in +
                          "; nothing was written");
        // Animation frames and terrain tiles name chips as they are; merged
        // and turned chips would change what they show.
        if (!map.animations.empty() || !map.wangsets.empty())
            throw Refusal(*inv.map +
                          ": its tileset has animations or terrain sets, which dedupe does not rewrite; "
                          "nothing was written");
        const std::vector<tiled::MapCell> cells = DedupedCells(map.cells, packing);
        const std::string tsx = DedupedTilesetPath(*inv.mapOutput);
        const std::string tsxName = std::filesystem::path(tsx).filename().string();
        // The rest of the old map (its properties, names and attributes)
        // stays as it was; ReadMap took it, so it is a map of bounded size.
        const std::vector<std::uint8_t> oldMap = ReadFileStart(*inv.map, MapFileLimit);
        const std::string mapText =
            tiled::MapTextOver(std::string_view(reinterpret_cast<const char*>(oldMap.data()), oldMap.size()), map.cols,
                               map.rows, cells, shape, tsxName);
        const std::string tilesetText =
            tiled::TilesetText(std::filesystem::path(out).stem().string(), ImageNameFor(tsx, out), shape, {}, {},
                               map.transparent ? map.transparent : s.sheet.TransparentColor);
        files.push_back({*inv.mapOutput, std::vector<std::uint8_t>(mapText.begin(), mapText.end())});
        files.push_back({tsx, std::vector<std::uint8_t>(tilesetText.begin(), tilesetText.end())});
    }
    try {
        // The sheet, its map and tileset together or none of them.
        WriteFilesAllOrNone(files);
    } catch (const FileWriteError& e) {
        throw UnwritableFile(e);
    }
    s.out << CountsText(report) << '\n';
    return 0;
}

}  // namespace cli

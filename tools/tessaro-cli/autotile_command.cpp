// SPDX-License-Identifier: GPL-3.0-or-later
// autotile: a terrain's 47 chips written from its source block, the sheet
// saved, and optionally a Tiled tileset of it with the terrain set.
#include <filesystem>
#include <string>
#include <vector>

#include "core/Terrain.h"
#include "formats/TiledMap.h"
#include "io/AtomicFile.h"
#include "io/PictureSave.h"
#include "io/TerrainSets.h"
#include "tools/tessaro-cli/Session.h"

namespace cli {
namespace {

std::string ProblemText(TerrainProblem problem) {
    switch (problem) {
        case TerrainProblem::NoName: return "the terrain needs a name";
        case TerrainProblem::SourceOutside: return "the source block (2 x 3 chips) does not lie on the sheet";
        case TerrainProblem::AreaOutside: return "the target area (8 x 6 chips) does not lie on the sheet";
        case TerrainProblem::Overlap: return "the source block and the target area overlap";
        case TerrainProblem::Taken: return "the terrain overlaps another one";
        case TerrainProblem::OddChipSize: return "chips of an odd size can't be cut into quarters";
    }
    return "";
}

}  // namespace

int RunAutotile(Session& s) {
    const Invocation& inv = s.invocation;
    LoadSheet(s, inv.operands[0]);
    const Terrain terrain{inv.name.value_or("terrain"), {inv.source->col, inv.source->row}, {inv.to->col, inv.to->row}};
    const SheetGeometry& g = s.sheet.Geometry();
    if (const auto problem = ProblemOf(terrain, {}, g.cols, g.rows, g.chipSize))
        throw Refusal(ProblemText(*problem) + "; nothing was written");
    s.sheet.PutTerrain(terrain);

    const std::string& out = *inv.output;
    std::vector<PendingFile> files{
        {out, EncodePictureFile(out, ComposedSheet(s), s.sheet.TransparentColor, g.chipSize)}};
    if (inv.tsx) {
        const tiled::SheetShape shape{g.chipSize, g.cols, g.rows, 256};
        const std::vector<tiled::WangSet> sets{WangSetOf(terrain, s.sheet.Chips(), g.cols)};
        const std::string text = tiled::TilesetText(std::filesystem::path(out).stem().string(),
                                                    ImageNameFor(*inv.tsx, out), shape, {}, sets);
        files.push_back({*inv.tsx, std::vector<std::uint8_t>(text.begin(), text.end())});
    }
    try {
        // The sheet and its tileset together or neither.
        WriteFilesAllOrNone(files);
    } catch (const FileWriteError& e) {
        throw UnwritableFile(e);
    }
    return 0;
}

}  // namespace cli

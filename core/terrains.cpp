// SPDX-License-Identifier: GPL-3.0-or-later
// Terrains made from their source blocks: the autotile dialog, and the live
// chips that follow every change of a block.
#include <algorithm>
#include <string>

#include "core/Form.h"
#include "core/Translation.h"

namespace {

std::string ProblemText(TerrainProblem problem) {
    switch (problem) {
        case TerrainProblem::NoName: return Tr(TSR_MESSAGE("Terrain", "地形の名前を入れてください"));
        case TerrainProblem::SourceOutside:
            return Tr(TSR_MESSAGE("Terrain", "素材（横2×縦3チップ）がシートからはみ出します"));
        case TerrainProblem::AreaOutside:
            return Tr(TSR_MESSAGE("Terrain", "書き出し先（横8×縦6チップ）がシートからはみ出します"));
        case TerrainProblem::Overlap: return Tr(TSR_MESSAGE("Terrain", "素材と書き出し先が重なっています"));
        case TerrainProblem::Taken: return Tr(TSR_MESSAGE("Terrain", "ほかの地形の素材か書き出し先と重なっています"));
        case TerrainProblem::OddChipSize:
            return Tr(TSR_MESSAGE("Terrain", "地形はチップの大きさが偶数のときだけ作れます"));
    }
    return "";
}

// The written chips drawn again on the sheet view, and in the edit area
// when one of them is being edited.
void ShowWrittenChips(TForm1& form, const std::vector<ChipRef>& written) {
    if (written.empty()) return;
    ChipRef low = written.front(), high = written.front();
    for (const ChipRef& chip : written) {
        low = {std::min(low.col, chip.col), std::min(low.row, chip.row)};
        high = {std::max(high.col, chip.col), std::max(high.row, chip.row)};
    }
    form.ShowChipsOnSheet(low.col, low.row, high.col - low.col + 1, high.row - low.row + 1);
    if (low.col < form.CurCol + form.EditCols() && form.CurCol <= high.col && low.row < form.CurRow + form.EditRows() &&
        form.CurRow <= high.row)
        form.RefreshEditArea();
}

}  // namespace

void TForm1::AutotileMenuClick() {
    const std::vector<Terrain>& terrains = project.Sheet.Terrains();
    Platform::AutotileAnswer start{{CurCol, CurRow}, {CurCol + autotile::SourceCols, CurRow}, {}};
    if (!terrains.empty()) start = {terrains.back().source, terrains.back().area, terrains.back().name};
    const auto answer = platform.AutotileDialog(start);
    if (!answer) return;
    const Terrain terrain{answer->name, answer->source, answer->area};
    if (const auto problem = ProblemOf(terrain, terrains, Def.SheetCols, Def.SheetRows, Def.ChipSize)) {
        platform.ShowMessage(ProblemText(*problem));
        return;
    }
    // The chips the area held before come back with one undo.
    project.RecordBlock({terrain.area.col, terrain.area.row}, autotile::AreaCols, autotile::AreaRows,
                        History::OneLevel::Kept);
    project.Sheet.PutTerrain(terrain);
    std::vector<ChipRef> written;
    for (int i = 0; i < autotile::ChipCount; ++i) written.push_back(terrain.PlaceOf(i));
    ShowWrittenChips(*this, written);
    Modified = true;
}

void TForm1::FollowTerrains() { ShowWrittenChips(*this, project.Sheet.FollowTerrains()); }

// SPDX-License-Identifier: GPL-3.0-or-later
// The check marks of the option items, shown from the options store and the
// state that has its own home (the sheet frame, the board's zoom, the undo
// history).
#include <array>

#include "core/Form.h"
#include "core/ViewMenuItems.h"

namespace {

using enum ControlId;

constexpr std::array<ControlId, 4> TileZoomItems{TileZoom1, TileZoom2, TileZoom3, TileZoom4};
constexpr std::array<ControlId, 4> BoardZoomItems{BoardZoom1, BoardZoom2, BoardZoom3, BoardZoom4};

}  // namespace

void TForm1::ShowOptions() {
    const EditorOptions& o = Options;
    if (o.editGridHidden) {
        controls.SetChecked(UnMenu, true);
    } else if (const auto item = GridColourItemOf(Def.GridLineColor)) {
        controls.SetChecked(*item, true);
    } else {
        controls.SetChecked(UnMenu, false);
    }
    controls.SetChecked(wakuMenu, Def.SheetGridShown);
    controls.SetChecked(chrSMenu, o.resizePerChip);
    controls.SetChecked(WrapMenu, o.wrapDrawing);
    controls.SetChecked(TileViewMenu, o.tilePreview);
    controls.SetChecked(o.tileBoard ? TileBoardMenu : o.tileNeighbours ? TileNeighbourMenu : TileRepeatMenu, true);
    if (o.tileZoom >= 1 && o.tileZoom <= 4)
        controls.SetChecked(TileZoomItems[static_cast<std::size_t>(o.tileZoom - 1)], true);
    controls.SetChecked(BoardMenu, o.boardShown);
    controls.SetChecked(BoardZoomItems[static_cast<std::size_t>(project.Board.Zoom() - 1)], true);
    controls.SetChecked(LangEnMenu, o.english);
    controls.SetChecked(StrokeMenu, o.strokeJoin);
    controls.SetChecked(KeysMenu, o.keys);
    controls.SetChecked(WideMenu, o.wide);
    controls.SetChecked(DoublePressMenu, o.doublePress);
    controls.SetChecked(UserPaletteMenu, o.userPalette);
    controls.SetChecked(AnimMenu, o.animation);
    controls.SetChecked(BlockMenu, o.block);
    controls.SetChecked(DuplicatesMenu, o.duplicates);
    controls.SetChecked(HistoryMenu, project.history.On());
    controls.SetVisible(RedoMenu, project.history.On());
}

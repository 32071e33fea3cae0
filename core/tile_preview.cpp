// The tile preview: its check item, the mode and zoom items of its own menu,
// and bringing its view up to date at the end of every event.
#include "core/Form.h"

namespace {

using enum ControlId;

int TileZoom(const Controls& controls) {
    constexpr ControlId items[] = {TileZoom1, TileZoom2, TileZoom3, TileZoom4};
    for (int i = 0; i < 4; ++i)
        if (controls.Checked(items[i])) return i + 1;
    return 2;
}

}  // namespace

void TForm1::TileViewMenuClick() {
    controls.SetChecked(TileViewMenu, !controls.Checked(TileViewMenu));
    // A hidden preview did not follow: it is drawn afresh when shown.
    tilePreview.Forget();
    UpdateTilePreview();
}

void TForm1::TileMenuClick(ControlId Sender) {
    controls.SetChecked(Sender, true);
    UpdateTilePreview();
}

void TForm1::TileFormClose() { controls.SetChecked(TileViewMenu, false); }

void TForm1::UpdateTilePreview() {
    if (!controls.Checked(TileViewMenu)) return;
    TilePreview::Sources sources{};
    const bool neighbours = controls.Checked(TileNeighbourMenu);
    for (int place = 0; place < TilePreview::Places; ++place) {
        const int col = CurCol + place % TilePreview::Side - 1;
        const int row = CurRow + place / TilePreview::Side - 1;
        if (!neighbours)
            sources[static_cast<std::size_t>(place)] = &Chip(CurCol, CurRow);
        else if (col >= 0 && row >= 0 && col < Def.SheetCols && row < Def.SheetRows)
            sources[static_cast<std::size_t>(place)] = &Chip(col, row);
    }
    tilePreview.Show(sources, Def.ChipSize, TileZoom(controls), TileI);
}

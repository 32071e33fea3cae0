// The tile preview: its check item, the mode and zoom items of its own menu,
// and bringing its view up to date at the end of every event.
#include "core/Form.h"

namespace {

using enum ControlId;

constexpr ControlId TileZoomItems[] = {TileZoom1, TileZoom2, TileZoom3, TileZoom4};

}  // namespace

void TForm1::TileViewMenuClick() {
    Options.tilePreview = !Options.tilePreview;
    ShowOptions();
    // A hidden preview did not follow: it is drawn afresh when shown.
    tilePreview.Forget();
    UpdateTilePreview();
}

void TForm1::TileMenuClick(ControlId Sender) {
    if (Sender == TileRepeatMenu || Sender == TileNeighbourMenu) Options.tileNeighbours = Sender == TileNeighbourMenu;
    for (int i = 0; i < 4; ++i)
        if (Sender == TileZoomItems[i]) Options.tileZoom = i + 1;
    ShowOptions();
    UpdateTilePreview();
}

void TForm1::TileFormClose() {
    Options.tilePreview = false;
    ShowOptions();
}

void TForm1::UpdateTilePreview() {
    if (!Options.tilePreview) return;
    TilePreview::Sources sources{};
    const bool neighbours = Options.tileNeighbours;
    for (int place = 0; place < TilePreview::Places; ++place) {
        const int col = CurCol + place % TilePreview::Side - 1;
        const int row = CurRow + place / TilePreview::Side - 1;
        auto& source = sources[static_cast<std::size_t>(place)];
        if (!neighbours)
            source = {&Chip(CurCol, CurRow), Sheet.Version(CurCol, CurRow)};
        else if (col >= 0 && row >= 0 && col < Def.SheetCols && row < Def.SheetRows)
            source = {&Chip(col, row), Sheet.Version(col, row)};
    }
    tilePreview.Show(sources, Def.ChipSize, Options.tileZoom, TileI);
}

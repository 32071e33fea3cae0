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
    auto shown = [this](std::size_t slot) -> TilePreview::Source {
        const std::size_t frame = ShownSlots[slot];
        return {&Sheet.Chips()[frame], Sheet.Versions()[frame]};
    };
    // Any frame of an animated chip shows the animation in the middle.
    const std::optional<ChipRef> animated =
        Options.animation ? Sheet.Animations.Holding({CurCol, CurRow}) : std::nullopt;
    const ChipRef middle = animated.value_or(ChipRef{CurCol, CurRow});
    for (int place = 0; place < TilePreview::Places; ++place) {
        const int col = CurCol + place % TilePreview::Side - 1;
        const int row = CurRow + place / TilePreview::Side - 1;
        auto& source = sources[static_cast<std::size_t>(place)];
        if (!neighbours || (col == CurCol && row == CurRow))
            source = shown(sheet::SlotOf(middle.col, middle.row));
        else if (col >= 0 && row >= 0 && col < Def.SheetCols && row < Def.SheetRows)
            source = shown(sheet::SlotOf(col, row));
    }
    tilePreview.Show(sources, Def.ChipSize, Options.tileZoom, TileI);
}

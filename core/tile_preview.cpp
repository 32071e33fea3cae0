// SPDX-License-Identifier: GPL-3.0-or-later
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
    if (Sender == TileRepeatMenu || Sender == TileNeighbourMenu || Sender == TileBoardMenu) {
        Options.tileNeighbours = Sender != TileRepeatMenu;
        Options.tileBoard = Sender == TileBoardMenu;
    }
    for (int i = 0; i < 4; ++i)
        if (Sender == TileZoomItems[i]) Options.tileZoom = i + 1;
    ShowOptions();
    UpdateTilePreview();
}

void TForm1::TileFormClose() {
    Options.tilePreview = false;
    ShowOptions();
}

void TForm1::ShowBoardNeighbours(std::vector<TilePreview::Source>& sources, ChipRef middle) const {
    // The board's neighbourhood of the first cell holding the chip, seen as
    // the chip lies: the middle is the chip as it is edited, and the
    // neighbours turn with it, each in its own orientation besides. Without
    // such a cell the neighbours are black.
    const std::optional<BoardCell> cell = project.Board.FirstHolding(middle);
    const canvas::Orientation back =
        cell ? canvas::Inverse(project.Board.Held(*cell)->orientation) : canvas::Orientation::AsIs;
    for (int place = 0; place < TilePreview::Side * TilePreview::Side; ++place) {
        const int c = place % TilePreview::Side, r = place / TilePreview::Side;
        if (c == 1 && r == 1) continue;
        auto& source = sources[static_cast<std::size_t>(place)];
        source = {};
        if (!cell) continue;
        const canvas::Point from = canvas::SourceOf(back, c, r, TilePreview::Side, TilePreview::Side);
        const std::optional<PlacedChip> held = project.Board.Held({cell->col + from.x - 1, cell->row + from.y - 1});
        if (!held) continue;
        const std::size_t frame = ShownSlots[sheet::SlotOf(held->chip.col, held->chip.row)];
        source = {&project.Sheet.Chips()[frame], project.Sheet.Versions()[frame],
                  canvas::Then(held->orientation, back)};
    }
}

void TForm1::UpdateTilePreview() {
    if (!Options.tilePreview) return;
    const bool neighbours = Options.tileNeighbours;
    auto shown = [this](std::size_t slot) -> TilePreview::Source {
        const std::size_t frame = ShownSlots[slot];
        return {&project.Sheet.Chips()[frame], project.Sheet.Versions()[frame]};
    };
    // Any frame of an animated chip shows the animation in the middle.
    const std::optional<ChipRef> animated =
        Options.animation ? project.Sheet.Animations.Holding({CurCol, CurRow}) : std::nullopt;
    const ChipRef middle = animated.value_or(ChipRef{CurCol, CurRow});
    // The chip, or the block, in the middle, and as much again on every side.
    const int cols = EditCols(), rows = EditRows();
    const int across = TilePreview::Side * cols, down = TilePreview::Side * rows;
    TilePreview::Sources sources(static_cast<std::size_t>(across * down));
    for (int place = 0; place < across * down; ++place) {
        const int c = place % across - cols, r = place / across - rows;
        const int col = CurCol + c, row = CurRow + r;
        auto& source = sources[static_cast<std::size_t>(place)];
        const bool inBlock = c >= 0 && r >= 0 && c < cols && r < rows;
        if (BlockEditing() && (inBlock || !neighbours))
            // Repeated, the block's chip at this place of the block.
            source = shown(sheet::SlotOf(CurCol + (c + cols) % cols, CurRow + (r + rows) % rows));
        else if (!neighbours || inBlock)
            source = shown(sheet::SlotOf(middle.col, middle.row));
        else if (col >= 0 && row >= 0 && col < Def.SheetCols && row < Def.SheetRows)
            source = shown(sheet::SlotOf(col, row));
    }
    if (TileBoardNeighbours()) ShowBoardNeighbours(sources, middle);
    tilePreview.Show(sources, across, Def.ChipSize, Options.tileZoom, TileI);
}

// SPDX-License-Identifier: GPL-3.0-or-later
// A new sheet of any shape the editor can hold: chips of 8 to 64 pixels,
// up to 64 x 64 of them and 2048 x 2048 pixels.
#include <memory>
#include <string>

#include "core/Form.h"
#include "core/Translation.h"

namespace {

constexpr SourceText ShapeRefused =
    TSR_MESSAGE("NewSheet", "チップは%1～%2ピクセル、シートは%3列・%4行まで、%5×%5ピクセルまでです");
constexpr SourceText DiscardQuestion =
    TSR_MESSAGE("NewSheet", "保存していない変更を破棄して、新しいシートを作りますか？");

}  // namespace

void TForm1::NewSheetMenuClick() {
    const std::optional<SheetGeometry> shape = platform.NewSheetDialog(project.Sheet.Geometry());
    if (!shape) return;
    if (!sheet::Fits(*shape)) {
        platform.ShowMessage(Tr(ShapeRefused, {std::to_string(sheet::MinChipSize), std::to_string(sheet::MaxChipSize),
                                               std::to_string(sheet::MaxCols), std::to_string(sheet::MaxRows),
                                               std::to_string(sheet::MaxSide)}));
        return;
    }
    if (Modified && !platform.AskQuestion(Tr(DiscardQuestion))) return;
    MakeNewSheet(*shape);
}

bool TForm1::MakeNewSheet(const SheetGeometry& shape) {
    if (!sheet::Fits(shape)) return false;
    DropPendingPoint();
    // One step with the history on, which gives the old shape, colour table
    // and animations back too.
    auto tables = std::make_unique<CommandGroup>();
    tables->Add(KeepPart(
        project, [](auto& p) -> auto& { return p.Sheet.ColourTable; }));
    tables->Add(KeepPart(
        project, [](auto& p) -> auto& { return p.Sheet.Animations; }));
    project.RecordSheet({CurCol, CurRow}, std::move(tables));
    project.Sheet.Reshape(shape);
    for (int c = 0; c < shape.cols; ++c) {
        for (int r = 0; r < shape.rows; ++r) {
            canvas::Picture& chip = ChangeChip(c, r);
            chip.SetBrushColour(canvas::Black);
            chip.FillRect({0, 0, shape.chipSize, shape.chipSize});
        }
    }
    project.Sheet.ColourTable.clear();
    project.Sheet.Animations.Clear();
    ShowAnimationAt(AnimationMs);
    CurCol = 0;
    CurRow = 0;
    project.FileName.clear();
    ShowFileNameInCaption();
    // Modified stays as it was: an undo may give the unsaved sheet back.
    Relayout(shape.chipSize, shape.cols, shape.rows);
    if (Options.userPalette) DrawPaletteView();
    return true;
}

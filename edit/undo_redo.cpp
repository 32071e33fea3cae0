// The undo history: every change of a chip's pixels is a step that undo
// takes back and redo brings again, across chips, up to the limit.
#include "edit/undo_redo.h"

namespace {

bool HistoryOn(const TForm1& form) { return form.History.Limit() > 1; }

// The views show every chip, so a step of any chip shows after a relayout.
void ShowStep(TForm1& form) { form.Relayout(form.Def.ChipSize, form.Def.SheetCols, form.Def.SheetRows); }

}  // namespace

bool TForm1::RecordUndoStep(std::int32_t col, std::int32_t row) {
    if (!HistoryOn(*this)) return false;
    History.Record(col, row, Chip(col, row));
    return true;
}

bool UndoFromHistory(TForm1& form) {
    if (!HistoryOn(form)) return false;
    if (form.History.Undo([&form](int c, int r) -> canvas::Picture& { return form.Chip(c, r); })) ShowStep(form);
    return true;
}

void TForm1::Redo() {
    if (!HistoryOn(*this)) return;
    if (History.Redo([this](int c, int r) -> canvas::Picture& { return Chip(c, r); })) ShowStep(*this);
}

int TForm1::UndoSteps() const {
    if (HistoryOn(*this)) return History.UndoCount();
    return UndoAvailable ? 1 : 0;
}

int TForm1::RedoSteps() const { return HistoryOn(*this) ? History.RedoCount() : 0; }

void TForm1::ForgetUndo() {
    UndoAvailable = false;
    History.Clear();
}

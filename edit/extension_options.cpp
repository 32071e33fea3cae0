// The check items of ExtMenu: joined pen strokes, the undo history and the
// shortcut keys. Each is off at start; tsr.def may turn it on.
#include "core/Form.h"

void TForm1::StrokeMenuClick() {
    StrokeJoin = !StrokeJoin;
    controls.SetChecked(ControlId::StrokeMenu, StrokeJoin);
}

void TForm1::HistoryMenuClick() { SetUndoLimit(History.Limit() > 1 ? 1 : UndoHistory::OnLimit); }

void TForm1::SetUndoLimit(int steps) {
    const bool wasOn = History.Limit() > 1;
    History.SetLimit(steps);
    const bool on = History.Limit() > 1;
    if (on != wasOn) {
        // Switching over keeps what can be undone now: the one-level copy
        // becomes the first step, and off again the history is given up.
        History.Clear();
        if (on && UndoAvailable) History.Record(CurCol, CurRow, UndoImage);
        UndoAvailable = false;
    }
    controls.SetChecked(ControlId::HistoryMenu, on);
    controls.SetVisible(ControlId::RedoMenu, on);
}

void TForm1::KeysMenuClick() {
    KeysOn = !KeysOn;
    controls.SetChecked(ControlId::KeysMenu, KeysOn);
}

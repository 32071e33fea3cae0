// SPDX-License-Identifier: GPL-3.0-or-later
// The check items of ExtMenu: English texts, joined pen strokes, the undo
// history, the shortcut keys and quick second presses. Each is off at start; tsr.def may turn it on.
#include "core/Form.h"

void TForm1::LangEnMenuClick() { SetEnglish(!Options.english); }

void TForm1::SetEnglish(bool english) {
    Options.english = english;
    ShowOptions();
    platform.ShowLanguage(english);
}

void TForm1::StrokeMenuClick() {
    Options.strokeJoin = !Options.strokeJoin;
    ShowOptions();
}

void TForm1::HistoryMenuClick() { SetUndoLimit(project.history.On() ? 1 : History::OnLimit); }

void TForm1::SetUndoLimit(int steps) {
    project.history.SetLimit(steps, {CurCol, CurRow});
    ShowOptions();
}

void TForm1::KeysMenuClick() {
    Options.keys = !Options.keys;
    ShowOptions();
}

void TForm1::DoublePressMenuClick() {
    Options.doublePress = !Options.doublePress;
    ShowOptions();
}

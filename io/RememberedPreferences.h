// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Preferences.h"

class FormWithFiles;
class TForm1;

// The editor's preferences kept between runs in its file
// (FormWithFiles::Remembered.file; nothing is kept when it is empty).

// What the editor shows now of the kept preferences.
Preferences PreferencesOf(const FormWithFiles& form);
// The options as a whole (the preferences' or a recovery copy's): those
// whose change shows in the window (the language, the edit grid, the layout,
// the block) through their handlers, then every option at once, and what
// shows the options told once.
void ApplyOptions(TForm1& form, const EditorOptions& wanted);
// Shows `preferences` through the handlers and setters that a user's change
// of each would run.
void ApplyPreferences(FormWithFiles& form, const Preferences& preferences);
// At start-up, before tsr.def: the file's preferences over the defaults. A
// damaged file is passed over with one notice, and written anew once
// start-up is over.
void ReadPreferences(FormWithFiles& form);
// At the end of start-up: from now on a change is kept, and only the change:
// what tsr.def set at start is shown for this run, not kept.
void StartKeepingPreferences(FormWithFiles& form);
// What the editor shows now counts as the start's, not as a change to keep
// (the command line's language, taken after start-up).
void ShowAsStarted(FormWithFiles& form);
// Writes `wanted` as the file's preferences.
void WriteKept(FormWithFiles& form, const Preferences& wanted);
// After every event: writes the file when what it keeps has changed. A
// failure is told once until a write succeeds again.
void KeepPreferences(FormWithFiles& form);

// SPDX-License-Identifier: GPL-3.0-or-later
// The preferences kept between runs: read at start before tsr.def, written
// whole whenever one of them changes, forgotten by ResetSettingsMenu.
#include "io/RememberedPreferences.h"

#include "core/Translation.h"
#include "core/ViewMenuItems.h"
#include "io/FileMessages.h"
#include "io/FileWriteError.h"
#include "io/FormWithFiles.h"
#include "io/PreferencesFile.h"

Preferences PreferencesOf(const FormWithFiles& form) {
    Preferences p;
    p.options = form.Options;
    p.undoLimit = form.project.history.Limit();
    p.undoMemoryMiB = form.project.history.MemoryMiB();
    p.userPaletteFile = form.Remembered.userPaletteFile;
    p.boardZoom = form.project.Board.Zoom();
    p.sheet = form.project.Sheet.Geometry();
    p.tileWindow = form.Remembered.tileWindow;
    p.boardWindow = form.Remembered.boardWindow;
    return p;
}

void ApplyOptions(TForm1& form, const EditorOptions& wanted) {
    // The language first, so that whatever follows speaks it.
    if (wanted.english != form.Options.english) form.SetEnglish(wanted.english);
    if (wanted.editGridHidden != form.Options.editGridHidden) {
        if (wanted.editGridHidden)
            form.LineColor(ControlId::UnMenu);
        else if (const auto item = GridColourItemOf(form.Def.GridLineColor))
            form.LineColor(*item);
    }
    if (wanted.wide != form.Options.wide) form.WideMenuClick();
    if (wanted.block != form.Options.block) {
        form.Options.blockCols = wanted.blockCols;
        form.Options.blockRows = wanted.blockRows;
        form.BlockMenuClick();
    } else if (wanted.block) {
        form.SelectBlock(form.CurCol, form.CurRow, wanted.blockCols, wanted.blockRows);
    }
    form.Options = wanted;
    form.ShowOptions();
    form.DrawPaletteView();
    form.ShowAnimationAt(form.AnimationMs);
    form.tilePreview.Forget();
    form.UpdateTilePreview();
}

void ApplyPreferences(FormWithFiles& form, const Preferences& p) {
    // The shape first: the block and the zoom's range follow the chip size.
    if (p.sheet != form.project.Sheet.Geometry()) form.Relayout(p.sheet.chipSize, p.sheet.cols, p.sheet.rows);
    if (p.userPaletteFile != form.Remembered.userPaletteFile && !p.userPaletteFile.empty()) {
        // A palette file that can't be read now is passed over without a
        // word, as tsr.def's is, and kept: it may be back at the next start.
        (void)form.LoadUserPalette(p.userPaletteFile);
    }
    form.Remembered.userPaletteFile = p.userPaletteFile;
    form.Remembered.tileWindow = p.tileWindow;
    form.Remembered.boardWindow = p.boardWindow;
    form.project.history.SetMemoryLimit(static_cast<std::size_t>(p.undoMemoryMiB) << 20);
    if (p.undoLimit != form.project.history.Limit()) form.SetUndoLimit(p.undoLimit);
    form.project.Board.SetZoom(p.boardZoom);
    ApplyOptions(form, p.options);
}

void ReadPreferences(FormWithFiles& form) {
    PreferencesState& state = form.Remembered;
    if (state.file.empty()) return;
    const Preferences defaults = PreferencesOf(form);
    const preferences::ReadResult read = preferences::Read(state.file, defaults);
    state.kept = defaults;
    state.damaged = false;
    switch (read.outcome) {
        case preferences::ReadResult::Outcome::Missing: return;
        case preferences::ReadResult::Outcome::Damaged:
            state.damaged = true;
            form.platform.ShowMessage(Tr(
                TSR_MESSAGE("Preferences", "設定ファイル %1 は壊れているため読み込みませんでした。初期設定で始めます"),
                {state.file}));
            return;
        case preferences::ReadResult::Outcome::Read: break;
    }
    ApplyPreferences(form, read.preferences);
    state.kept = read.preferences;
}

void StartKeepingPreferences(FormWithFiles& form) {
    PreferencesState& state = form.Remembered;
    if (state.file.empty()) return;
    state.started = true;
    ShowAsStarted(form);
    // With no file there is nothing to keep until something changes: a
    // start alone leaves no file behind. A damaged one is written anew now,
    // with the defaults.
    if (state.damaged && state.kept) WriteKept(form, *state.kept);
}

void ShowAsStarted(FormWithFiles& form) { form.Remembered.shown = PreferencesOf(form); }

void KeepPreferences(FormWithFiles& form) {
    PreferencesState& state = form.Remembered;
    if (state.file.empty() || !state.started || !state.kept) return;
    Preferences now = PreferencesOf(form);
    if (state.shown == now) return;
    Preferences wanted = state.shown ? preferences::WithChanges(*state.kept, *state.shown, now) : now;
    state.shown = std::move(now);
    if (wanted != state.kept || state.damaged) WriteKept(form, wanted);
}

void WriteKept(FormWithFiles& form, const Preferences& wanted) {
    PreferencesState& state = form.Remembered;
    // Not tried again until the next change, and a failure told once.
    state.kept = wanted;
    state.damaged = false;
    try {
        preferences::Write(state.file, wanted);
    } catch (const FileWriteError& e) {
        if (state.failureTold) return;
        state.failureTold = true;
        form.platform.ShowMessage(Tr(TSR_MESSAGE("Preferences", "設定を %1 に保存できませんでした（%2）"),
                                     {state.file, SystemReasonText(e.SystemError())}));
        return;
    }
    state.failureTold = false;
}

void FormWithFiles::ResetSettingsMenuClick() {
    // Back to the start-up's defaults, and the file goes: the next start is
    // as without one. The sheet being drawn keeps its shape.
    Preferences defaults;
    defaults.boardZoom = TryOutBoard{}.Zoom();
    defaults.sheet = project.Sheet.Geometry();
    ApplyPreferences(*this, defaults);
    if (Remembered.file.empty()) return;
    if (!preferences::Remove(Remembered.file)) {
        platform.ShowMessage(
            Tr(TSR_MESSAGE("Preferences", "設定ファイル %1 を削除できませんでした"), {Remembered.file}));
    }
    Remembered.kept = PreferencesOf(*this);
    Remembered.shown = Remembered.kept;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <future>
#include <optional>
#include <string>
#include <vector>

#include "core/Controls.h"
#include "core/Form.h"
#include "core/Preferences.h"
#include "core/SheetGeometry.h"

struct PictureLoad;
struct TransparencyNotice;
class PictureReadError;

// The form with its files: the handlers of TForm1's window that read and
// write files (start-up and closing, the File and Help menus, the palette
// files, the clipboard, dropped files, the board's files, the kept
// preferences and the recovery copy), each defined in the io/ file its group
// names, and the state only they use.
class FormWithFiles : public TForm1 {
public:
    using TForm1::TForm1;
    // An editor that ends without a close leaves its recovery copy behind.
    ~FormWithFiles();

    // ---- io/startup.cpp, io/closing.cpp ----
    void FormCreate();
    void FormClose(TCloseAction& Action);

    // ---- io/settings_file.cpp ----
    void ReadSettings(const std::string& fileName);

    // ---- io/palette_file_menu.cpp ----
    // Reads the palette file into UserPalette; what to tell the user: the
    // reason for a refusal, or what of the file was not taken.
    std::optional<std::string> LoadUserPalette(const std::string& path);
    void PaletteLoadMenuClick();
    void PaletteSaveMenuClick();

    // ---- io/sheet_files.cpp, io/help_menu.cpp, io/numbered_save.cpp ----
    void FileMenuClick(ControlId Sender);
    void FileMenuSet();
    void helpMenuClick(ControlId Sender);
    // True when the picture was read and cut into the chips.
    bool LoadSheetFile(const std::string& path);
    bool LoadChipFile(const std::string& path, std::int32_t col, std::int32_t row);
    // A picture read for the sheet becomes the sheet and shows: every
    // whole-sheet load and paste ends here.
    // A shape given reshapes the sheet before the picture is cut into it,
    // in the same undo step.
    void TakeSheet(const PictureLoad& read, std::optional<SheetGeometry> shape = std::nullopt);
    // The shape a whole-sheet picture of width x height brings: the user is
    // asked whether the sheet takes the picture's whole chips, but only when
    // the sheet already has a shape other than the default; none keeps it.
    std::optional<SheetGeometry> AskPictureShape(int width, int height);
    // The message of a refused read (faulty JPEG data leave as an
    // EditorError for the generic error handler), and of what a read did to
    // transparent pixels.
    void ReportReadRefusal(const PictureReadError& refusal);
    void ShowTransparencyNotice(const TransparencyNotice& notice);
    static std::string NumberedChipName(const std::string& base, int n);

    // ---- io/palette_writers.cpp, io/own_palette_saves.cpp ----
    void Save256ColourBmp();
    void Save216ColourBmp();
    // The sheet as an 8-bit BMP or indexed PNG with the colour table it was
    // loaded with, with a table of its own colours, or with the palette file
    // loaded as the user palette (every pixel exactly one of its colours).
    void SaveWithSheetPalette();
    void SaveWithSheetColours();
    void SaveWithUserPalette();

    // ---- io/clipboard.cpp, io/dropped_files.cpp ----
    void Edit1Click();
    void EditMenuClick(ControlId Sender);
    void WMDropFiles(const std::vector<std::string>& paths);

    // ---- io/board_files.cpp: BoardLoadMenu and BoardSaveMenu ----
    void BoardFileClick(ControlId Sender);

    // ---- io/remembered_preferences.cpp ----
    // The preferences kept between runs, and ResetSettingsMenu, which
    // forgets them.
    PreferencesState Remembered;
    void ResetSettingsMenuClick();

    // ---- io/recovery_copy.cpp ----
    // The recovery copy of unsaved changes. Kept by a timer of the window
    // (every 2 s while there are changes), dropped on saves and a normal
    // close, offered at start-up when another editor left one behind. The
    // state is taken on the calling thread; it is encoded and written on a
    // worker.
    void KeepRecoveryCopy();   // written before it returns
    void StartRecoveryCopy();  // the timer's: returns at once
    // Takes in a finished write (waiting for one under way when `wait`).
    void FinishRecoveryCopy(bool wait);
    void TellRecoveryFailure(int error);
    void DropRecoveryCopy();
    void OfferRecoveryCopies();
    // This editor's recovery copy.
    struct RecoveryState {
        std::string copyPath;  // empty until the first copy is written
        int lockFd = -1;       // held for the editor's life once it has a copy
        std::uint64_t writtenSum = 0;
        bool written = false;
        bool off = false;          // the folder can't be used: no copies, told once
        bool failureTold = false;  // a failed write was told; again only after one succeeds
        // What a write on the worker thread came to.
        struct Outcome {
            std::uint64_t sum = 0;
            int error = 0;  // errno of a failed write
            bool wrote = false;
        };
        std::future<Outcome> pending;  // the write under way, if any
    } Recovery;
};

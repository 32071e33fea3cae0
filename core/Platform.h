// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "canvas/Picture.h"
#include "core/ChipAnimations.h"
#include "core/Controls.h"
#include "core/SheetGeometry.h"

// The one door through which the editor reaches the outside: message boxes,
// dialogs, pop-up menus, the clipboard and the web browser. The Qt window
// implements it with real dialogs; the scenario driver and the unit tests
// with scripted answers. No code outside ui/ shows a dialog itself.
class Platform {
public:
    virtual ~Platform() = default;

    // A plain message box titled with the application title, button "OK".
    virtual void ShowMessage(const std::string& text) = 0;
    // The about box: a plain message that may also show the application's icon.
    virtual void ShowAbout(const std::string& text) { ShowMessage(text); }
    // A warning box titled "警告" with "OK" and "ｷｬﾝｾﾙ"; true only for "OK".
    virtual bool AskQuestion(const std::string& text) = 0;
    // The question at start-up about a recovery copy that an editor which is
    // gone left behind: restore it, throw it away, or decide at a later
    // start (the copy stays). By default the warning box: OK restores.
    enum class RestoreAnswer { Restore, Discard, Later };
    virtual RestoreAnswer AskRestore(const std::string& text) {
        return AskQuestion(text) ? RestoreAnswer::Restore : RestoreAnswer::Later;
    }

    // BMPLoadDialog, BMPSaveDialog and the plain numbered-save SaveDialog;
    // each returns the chosen path, or nothing when cancelled.
    virtual std::optional<std::string> PictureOpenDialog() = 0;
    virtual std::optional<std::string> PictureSaveDialog() = 0;
    virtual std::optional<std::string> NumberedSaveDialog() = 0;
    // The palette files' open and save dialogs (PaletteLoadMenu,
    // PaletteSaveMenu); by default the picture dialogs, whose answers suit
    // them (a palette may be read from a picture too).
    virtual std::optional<std::string> PaletteOpenDialog() { return PictureOpenDialog(); }
    virtual std::optional<std::string> PaletteSaveDialog() { return PictureSaveDialog(); }

    // ColorDialog1: opens at `start`, or without one with the colour last
    // chosen in it.
    virtual std::optional<canvas::Colour> ColourDialog(std::optional<canvas::Colour> start) = 0;

    // Opens `menu` (ScreenMenu or mPen) modally with its top-left corner at
    // (x, y) in the client coordinates of `origin`; returns the item chosen,
    // or nothing when closed without a choice. Enabled states are read from
    // the editor's Controls at the moment it opens.
    virtual std::optional<ControlId> PopupMenu(ControlId menu, ControlId origin, int x, int y) = 0;

    virtual bool ClipboardHasBitmap() = 0;
    // The picture goes on as a bitmap and, besides it, as the PNG file `png`
    // (with alpha where the transparent colour is set).
    virtual void ClipboardPut(const canvas::Picture& picture, const std::vector<std::uint8_t>& png) = 0;
    // The clipboard's bitmap converted to 24-bit colours, or nothing.
    virtual std::optional<canvas::Picture> ClipboardTake() = 0;

    // The board size dialog: two numbers, columns and rows of the try-out
    // board, opened with the current ones; nothing when cancelled. The
    // editor keeps what it gets within its limits.
    struct BoardSize {
        int cols = 0;
        int rows = 0;
    };
    virtual std::optional<BoardSize> BoardSizeDialog(int cols, int rows) = 0;
    // The frames of an animated chip: how many chips from it along its row
    // (1: still) and the frame time, opened with `current`; nothing when
    // cancelled. The editor keeps what it gets within its limits.
    virtual std::optional<ChipAnimation> AnimationDialog(ChipAnimation current) {
        (void)current;
        return std::nullopt;
    }
    // The autotile dialog: the source block's top-left chip, the target
    // area's top-left chip and the terrain's name, opened with `start`;
    // nothing when cancelled. The editor checks what it gets.
    struct AutotileAnswer {
        ChipRef source;
        ChipRef area;
        std::string name;
    };
    virtual std::optional<AutotileAnswer> AutotileDialog(const AutotileAnswer& start) {
        (void)start;
        return std::nullopt;
    }
    // The new-sheet dialog: chip size, columns and rows, opened with the
    // sheet's own; nothing when cancelled. The editor refuses a shape that
    // does not fit (sheet::Fits).
    virtual std::optional<SheetGeometry> NewSheetDialog(const SheetGeometry& current) {
        (void)current;
        return std::nullopt;
    }
    // Open and save dialogs for the board's Tiled map files (*.tmx).
    virtual std::optional<std::string> MapOpenDialog() = 0;
    virtual std::optional<std::string> MapSaveDialog() = 0;

    // Opens a web address with the default browser; failures are not reported.
    virtual void OpenUrl(const std::string& url) = 0;

    // Opens a local file with the program the desktop has for its kind (the
    // web browser for the manual); failures are not reported.
    virtual void OpenFile(const std::string& path) { OpenUrl("file://" + path); }

    // The folder of the running program, where the files that come with it
    // lie; empty where there is none (scripted runs).
    virtual std::string ProgramFolder() { return {}; }

    // Shows every text from now on in English, or again in the source
    // language (Japanese): the window translates its menus, hints, panels
    // and open windows at once. Without a window there is nothing to show.
    virtual void ShowLanguage(bool /*english*/) {}

    // Asks the main window to close, which runs FormClose.
    virtual void RequestClose() = 0;
};

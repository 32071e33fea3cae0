// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include "core/EditorOptions.h"
#include "core/SheetGeometry.h"

// A tool window's place on the screen: the top-left corner of its frame.
struct WindowPlace {
    int x = 0;
    int y = 0;
    friend bool operator==(const WindowPlace&, const WindowPlace&) = default;
};

// What the editor keeps for the user between runs: the options as a whole,
// the undo history's limit, the user palette's file, the board's zoom, the
// shape of the sheet last made or loaded (the next start opens one of it) and
// where the tool windows were (nothing: where they first open).
struct Preferences {
    EditorOptions options;
    SheetGeometry sheet;
    int undoLimit = 1;
    std::string userPaletteFile;
    int boardZoom = 1;
    std::optional<WindowPlace> tileWindow;
    std::optional<WindowPlace> boardWindow;
    friend bool operator==(const Preferences&, const Preferences&) = default;
};

// The editor's side of the kept preferences.
struct PreferencesState {
    // The file they are kept in; empty keeps nothing (an editor that a test
    // makes for itself). The window and tessaro-script set it before start-up.
    std::string file;
    // What the file holds as far as this editor knows; nothing when that is
    // unknown (a damaged file), so the next look writes it.
    std::optional<Preferences> kept;
    // Changes are kept once start-up is over: what tsr.def sets at start is
    // not written back.
    bool started = false;
    bool failureTold = false;
    // What the editor shows but does not keep elsewhere: the palette file
    // last read into the user palette, and where the window last saw the
    // tool windows.
    std::string userPaletteFile;
    std::optional<WindowPlace> tileWindow;
    std::optional<WindowPlace> boardWindow;
};

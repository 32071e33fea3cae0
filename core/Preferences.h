// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include "core/EditorOptions.h"
#include "core/History.h"
#include "core/SheetGeometry.h"

// A tool window's place on the screen: the top-left corner of its frame.
struct WindowPlace {
    int x = 0;
    int y = 0;
    friend bool operator==(const WindowPlace&, const WindowPlace&) = default;
};

// What the editor keeps for the user between runs: the options as a whole,
// the undo history's limits (steps and MiB), the user palette's file, the
// board's zoom, the shape of the sheet last made or loaded (the next start
// opens one of it) and where the tool windows were (nothing: where they first open).
struct Preferences {
    EditorOptions options;
    SheetGeometry sheet;
    int undoLimit = 1;
    int undoMemoryMiB = static_cast<int>(History::DefaultMemoryLimit >> 20);
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
    // What the file holds, over the defaults (the defaults alone while there
    // is no file); nothing before start-up has read it.
    std::optional<Preferences> kept;
    // What the editor showed at the last look: a change is what differs from
    // it. What tsr.def and the command line set at start is shown, not kept.
    std::optional<Preferences> shown;
    // A damaged file is written anew once start-up is over.
    bool damaged = false;
    bool started = false;
    bool failureTold = false;
    // What the editor shows but does not keep elsewhere: the palette file
    // last read into the user palette, and where the window last saw the
    // tool windows.
    std::string userPaletteFile;
    std::optional<WindowPlace> tileWindow;
    std::optional<WindowPlace> boardWindow;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The editor's options: what the check items of the settings, 拡張 and tile
// preview menus stand for. Handlers and the settings file change this store
// and then show it in the menus (TForm1::ShowOptions); no check mark is ever
// read back as state. The view record (TDef: zoom, grid colour, sheet frame,
// tool), the pen width, the board's size and zoom, the undo history's limit
// and the transparent colour keep their own homes.
struct EditorOptions {
    bool editGridHidden = false;  // UnMenu: the edit area without grid lines
    bool resizePerChip = true;    // chrSMenu
    bool wrapDrawing = false;     // WrapMenu: the tools continue at the opposite edge
    bool tilePreview = false;     // TileViewMenu: the tile preview is shown
    bool tileNeighbours = false;  // TileNeighbourMenu or TileBoardMenu, else TileRepeatMenu
    bool tileBoard = false;       // TileBoardMenu: the neighbours as the board has them
    int tileZoom = 2;             // TileZoom1 to TileZoom4
    bool boardShown = false;      // BoardMenu: the try-out board is shown
    bool strokeJoin = false;      // StrokeMenu: a pen drag paints the line between its positions
    bool keys = false;            // KeysMenu: the shortcut keys run their items' handlers
    bool wide = false;            // WideMenu: the roomy layout
    bool userPalette = false;     // UserPaletteMenu: the palette view shows the user's palette
    bool animation = false;       // AnimMenu: the tile preview and the board play animated chips
    bool english = false;         // LangEnMenu: every text in English instead of Japanese
    bool block = false;           // BlockMenu: the edit area shows a block of chips
    bool doublePress = false;     // DoublePressMenu: a double click's second press draws and picks
    bool duplicates = false;      // DuplicatesMenu: the sheet view marks chips that repeat earlier ones
    int blockCols = 2;            // the block's size in chips, 1 to MaxBlockSide each way
    int blockRows = 2;
    static constexpr int MaxBlockSide = 4;

    friend bool operator==(const EditorOptions&, const EditorOptions&) = default;
};

// Every option with its name and range, the one list of them: whatever keeps
// the options (the recovery copy) goes through it, so an option added here
// is kept everywhere. `visit(name, field, lo, hi)` gets a bool or an int.
template <typename Options, typename Visit>
void ForEachOption(Options& o, Visit&& visit) {
    visit("editGridHidden", o.editGridHidden, 0, 1);
    visit("resizePerChip", o.resizePerChip, 0, 1);
    visit("wrapDrawing", o.wrapDrawing, 0, 1);
    visit("tilePreview", o.tilePreview, 0, 1);
    visit("tileNeighbours", o.tileNeighbours, 0, 1);
    visit("tileBoard", o.tileBoard, 0, 1);
    visit("tileZoom", o.tileZoom, 1, 4);
    visit("boardShown", o.boardShown, 0, 1);
    visit("strokeJoin", o.strokeJoin, 0, 1);
    visit("keys", o.keys, 0, 1);
    visit("wide", o.wide, 0, 1);
    visit("userPalette", o.userPalette, 0, 1);
    visit("animation", o.animation, 0, 1);
    visit("english", o.english, 0, 1);
    visit("block", o.block, 0, 1);
    visit("doublePress", o.doublePress, 0, 1);
    visit("duplicates", o.duplicates, 0, 1);
    visit("blockCols", o.blockCols, 1, EditorOptions::MaxBlockSide);
    visit("blockRows", o.blockRows, 1, EditorOptions::MaxBlockSide);
}

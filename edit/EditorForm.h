// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "canvas/Orientation.h"
#include "core/Controls.h"
#include "core/SheetGeometry.h"
#include "core/ShiftState.h"
#include "core/TryOutBoard.h"
#include "io/FormWithFiles.h"

// The editor: the form with its files and the editing handlers (the
// dispatch of every control, presses and moves in the views, the transforms,
// the tools, the pop-up menu, the terrain brush and the keys), each defined
// in the edit/ file its group names. The window, the scenario driver and the
// tests hold this class.
class EditorForm : public FormWithFiles {
public:
    using FormWithFiles::FormWithFiles;

    // ---- edit/control_dispatch.cpp: what the window and the driver call ----
    // Runs the click handler of a menu item, speed button or push button.
    void Click(ControlId control);
    // Runs the open handler of FileMenu, EditMenu or ScreenMenu.
    void OpenMenu(ControlId menu);

    // ---- edit/drawing_tools.cpp ----
    void EditIMouseDown(MouseButton Button, ShiftState Shift, int X, int Y);
    void EditIMouseMove(ShiftState Shift, int X, int Y);
    // The pen's last position in the drag going on, for joined strokes and
    // for the undo step a stroke makes; open from a pen press (or the first
    // painting move) until a move without a button.
    struct PenTrail {
        bool open = false;
        int x = 0, y = 0;
    } PenTrail;

    // ---- edit/sheet_interaction.cpp ----
    void ScreenIMouseDown(MouseButton Button, ShiftState Shift, int X, int Y);
    void ScreenIMouseMove(ShiftState Shift, int X, int Y);
    // With the block option on, a drag with Shift and the left button on the
    // sheet selects a block, from the chip it started on to the chip under
    // the pointer, up to the largest block each way.
    std::optional<ChipRef> BlockDragStart;
    void DragBlock(int col, int row);

    // ---- edit/palette_choice.cpp, edit/palette_swap.cpp ----
    void PalleteMouseMove(ShiftState Shift, int X, int Y);
    void PalleteMouseDown(MouseButton Button, ShiftState Shift, int X, int Y);
    void ColorSelect(ControlId Sender);
    // The entry takes a new colour from the colour dialog, and so does every
    // pixel of the sheet that had its colour.
    void SwapPaletteEntry(std::size_t entry);

    // ---- edit/transforms.cpp, edit/tool_buttons.cpp ----
    void MoveMenuClick(ControlId Sender);
    void ToolButtonClick(ControlId Sender);

    // ---- edit/popup_menu.cpp ----
    void ScreenMenuPopup();
    void popMenuClick(ControlId Sender);

    // ---- edit/tile_view_mouse.cpp ----
    void TileIMouseDown(MouseButton Button, ShiftState Shift, int X, int Y);
    void TileIMouseMove(ShiftState Shift, int X, int Y);
    // The drag going on in the preview began on a neighbour (it draws on
    // the sheet, not in the edit area).
    bool TileDragOnSheet = false;

    // ---- edit/terrain_brush.cpp ----
    // TerrainBrushMenu: the left button on the board paints the next terrain
    // (after the last: stamps again).
    void TerrainBrushMenuClick();
    // Board cell (col, row) holds a chip of terrain `terrain`.
    bool CellHasTerrain(BoardCell cell, std::size_t terrain) const;
    // Marks the cell as the terrain (or as not) and gives it and its
    // neighbours the chips their neighbours call for.
    void PaintTerrain(BoardCell cell, std::size_t terrain, bool on);

    // ---- edit/board_stamping.cpp ----
    // Left stamps the chip being edited, right chooses the cell's chip as a
    // left press on the sheet does, middle empties the cell.
    void BoardIMouseDown(MouseButton Button, ShiftState Shift, int X, int Y);
    void BoardIMouseMove(ShiftState Shift, int X, int Y);
    // StampMirrorXMenu, StampMirrorYMenu, StampTurnMenu and StampAsIsMenu
    // lay the stamp anew; BoardStampPanel shows how it lies.
    void StampOrientationClick(ControlId Sender);
    // How the chip or block stamps onto the board: a block turns as a whole.
    canvas::Orientation StampOrientation = canvas::Orientation::AsIs;

    // ---- edit/shortcut_keys.cpp ----
    // A key combination ("ctrl+shift+z", "p", "plus", "left"); runs the
    // handler of its item or button while the keys are on. Returns whether
    // the key is one of them and ran.
    bool ShortcutKey(const std::string& keys);
    static const std::vector<std::string>& ShortcutKeyNames();
};

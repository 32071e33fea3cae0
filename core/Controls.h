// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "canvas/Colour.h"

// Every control of the main window that the editor names: menus and their
// items in menu order, pop-up menus, buttons, panels, the views. Handlers
// that serve several controls tell them apart by this id (the sender).
// clang-format off
enum class ControlId : std::uint16_t {
    Form1,
    MainMenu1,
    // File menu
    FileMenu, LoadMenu, chrLoadMenu, SaveMenu, OSaveMenu, chrSaveMenu, renMenu, mem256S, N216R1, N1, ExitMenu,
    SheetPaletteSaveMenu, SheetColoursSaveMenu, UserPaletteSaveMenu, PaletteLoadMenu, PaletteSaveMenu, NewSheetMenu,
    // Edit menu
    EditMenu, AllCopyMenu, chrCopyMenu, PasteChrMenu, ReplaceMenu, UndoMenu, RedoMenu,
    // Settings menu
    DefMenu,
    LColorMenu, WhiteMenu, RedMenu, GreenMenu, BlueMenu, GrayMenu, N3, UnMenu,
    Z1, mZoom2, mZoom3, mZoom4, mZoom5, mZoom6, mZoom7, mZoom8, mZoom9, mZoom10,
    B1, mPSize1, mPSize2, mPSize3, mPSize4,
    wakuMenu, chrSMenu,
    // Settings menu: what Tessaro adds (transparent colour, tiles in context,
    // the extension options)
    N4, KeyPickMenu, KeyNoneMenu, N5, TileViewMenu, WrapMenu, BoardMenu, N6,
    ExtMenu, LangEnMenu, StrokeMenu, HistoryMenu, KeysMenu, WideMenu, ResetSettingsMenu, DoublePressMenu,
    UserPaletteMenu, AnimMenu, AnimFramesMenu, BlockMenu, AutotileMenu, DuplicatesMenu,
    // Move/Transform menu
    MoveMenu, UpMenu, RightMenu, DownMenu, LeftMenu, XYMenu, N2, UpsetMenu, VrevMenu,
    // Help menu
    helpMenu, ManualMenu, aboutMenu, mGo,
    // Pop-up menus
    ScreenMenu, popCopyMenu, popPasteMenu, popLoadMenu, popSaveMenu, pop256SaveMenu,
    mPen, mPen1, mPen2, mPen3, mPen4,
    // Controls on the window
    Screen, ScreenI, Panel1, Pallete, ScrollBox1, EditI,
    pRate, udRate, PenB, FillB, CircleB, LineB, EditPos,
    lbP, rbP, lbcP, rbcP, MemSaveB, MemLoadB, clP,

    // The tile preview window and its controls
    TileForm, TileMenuBar, TileMenu, TileRepeatMenu, TileNeighbourMenu, TileBoardMenu, TileN1,
    TileZoom1, TileZoom2, TileZoom3, TileZoom4, TileI,

    // The try-out board window and its controls
    BoardForm, BoardMainMenu, BoardPlaceMenu,
    BoardLoadMenu, BoardSaveMenu, BoardClearMenu, BoardN1, BoardSizeMenu, BoardN2,
    BoardZoom1, BoardZoom2, BoardZoom3, BoardZoom4, BoardN3, TerrainBrushMenu,
    BoardI,
    // The stamp's orientation: its items and the line that shows it
    StampMenu, StampMirrorXMenu, StampMirrorYMenu, StampTurnMenu, StampAsIsMenu, BoardStampPanel,

    Count
};
// clang-format on

constexpr std::size_t ControlCount = static_cast<std::size_t>(ControlId::Count);

enum class ControlKind : std::uint8_t {
    Form,
    MainMenu,
    Menu,
    MenuItem,
    Separator,
    PopupMenu,
    SpeedButton,
    Button,
    Panel,
    ScrollBox,
    Image,
    UpDown,
};

enum class Alignment : std::uint8_t { Left, Right, Centre };

// What the window is built from: one row per control.
struct ControlInfo {
    ControlId id;
    std::string_view name;
    ControlKind kind;
    ControlId parent;  // menu of an item; container of a control
    int radioGroup;    // 0: none; items with the same number form one group
    std::string_view caption;
    std::string_view hint;
    int left, top, width, height;  // client coordinates of the parent
    bool bordered;                 // panels and scroll boxes with a single border
    Alignment alignment;
};

// The cursor shown over the edit area.
enum class EditCursor : std::uint8_t { Arrow, Hand };

// The state that lives in controls: check marks, enabled flags, captions,
// panel colours, the pressed speed button, the up-down position and the edit
// area's cursor. Checking an item of a radio group unchecks the others.
//
// Every change marks its control dirty, so the window updates only what a
// handler changed.
class Controls {
public:
    Controls();

    bool Checked(ControlId id) const { return checked_[Index(id)]; }
    void SetChecked(ControlId id, bool checked);

    bool Enabled(ControlId id) const { return enabled_[Index(id)]; }
    void SetEnabled(ControlId id, bool enabled);

    // Menu items can be hidden (RedoMenu shows only while the undo history is on).
    bool Visible(ControlId id) const { return !hidden_[Index(id)]; }
    void SetVisible(ControlId id, bool visible);

    const std::string& Caption(ControlId id) const { return captions_[Index(id)]; }
    void SetCaption(ControlId id, std::string caption);

    canvas::Colour Colour(ControlId id) const { return colours_[Index(id)]; }
    void SetColour(ControlId id, canvas::Colour colour);

    // The pressed button of the tool group (PenB, FillB, CircleB, LineB).
    ControlId PressedTool() const { return pressedTool_; }
    void SetPressedTool(ControlId id);

    // udRate: minimum 2, no wrap; the maximum is 10 unless the editor sets
    // another (a chip smaller than 16 pixels can be shown larger).
    int Position() const { return position_; }
    void SetPosition(int position);
    int PositionTop() const { return positionTop_; }
    void SetPositionTop(int top);

    EditCursor Cursor() const { return cursor_; }
    void SetCursor(EditCursor cursor);

    bool IsDirty(ControlId id) const { return dirty_[Index(id)]; }
    bool AnyDirty() const { return dirty_.any(); }
    void ClearDirty() { dirty_.reset(); }

private:
    static std::size_t Index(ControlId id) { return static_cast<std::size_t>(id); }
    void Touch(ControlId id) { dirty_.set(Index(id)); }

    std::bitset<ControlCount> checked_;
    std::bitset<ControlCount> enabled_;
    std::bitset<ControlCount> hidden_;
    std::array<std::string, ControlCount> captions_;
    std::array<canvas::Colour, ControlCount> colours_{};
    ControlId pressedTool_ = ControlId::PenB;
    int position_ = 5;
    int positionTop_ = 10;
    EditCursor cursor_ = EditCursor::Arrow;
    std::bitset<ControlCount> dirty_;
};

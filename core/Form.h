// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "canvas/Picture.h"
#include "core/ChipDuplicates.h"
#include "core/Controls.h"
#include "core/EditorOptions.h"
#include "core/Platform.h"
#include "core/Preferences.h"
#include "core/Project.h"
#include "core/SheetGeometry.h"
#include "core/ShiftState.h"
#include "core/TilePreview.h"
#include "core/ToolMode.h"
#include "core/TryOutBoard.h"
#include "core/WindowLayout.h"

using TColor = canvas::Colour;

// The view record: copied as a whole into the memory snapshot and back.
// The sheet's file is the project's (Project::FileName); the snapshot keeps
// it beside.
struct TDef {
    std::int32_t Zoom = 5;
    std::int32_t ChipSize = 16;
    std::int32_t SheetCols = 30;
    std::int32_t SheetRows = 16;
    // A tool_mode:: value (core/ToolMode.h).
    std::int32_t ToolMode = tool_mode::Pen;
    TColor GridLineColor = 0xFFFFFF;
    bool SheetGridShown = true;
};

// What the memory button stores and the replay button restores.
struct TMemorySnapshot {
    TDef MemDef;
    std::string MemFileName;
    std::int32_t MemCurCol = 0;
    std::int32_t MemCurRow = 0;
    std::int32_t MemPenSize = 1;
    bool MemGridHidden = false;
    bool MemModified = false;
    bool MemResizePerChip = true;
    canvas::Picture MemSheetImage;
};

enum class TCloseAction { caNone, caFree };

// The main window's fields, named as the window names them, and the handlers
// that need nothing but them (defined here in core/, one file per area). The
// handlers that read and write files are io/FormWithFiles.h's, the editing
// ones edit/EditorForm.h's: each layer's class adds its own to the one below.
// Handlers take what the event gives: the sender, the button, the shift
// state, the position in the control's pixels.
class TForm1 {
public:
    static constexpr const char* ApplicationTitle = "Velmira";
    static constexpr const char* HelpFile = "Tsr.hlp";
    static constexpr const char* ProductName = "Tessaro";
    static constexpr const char* MakerUrl = "https://tessaro.example.org/";

    explicit TForm1(Platform& p) : platform(p) {}
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    // ---- State (the chip sheet model) ----
    // Everything the artist makes, and its one history.
    Project project;
    canvas::Picture SheetImage;      // whole sheet after ComposeSheet; otherwise scratch
    canvas::Picture PreviewImage;    // rubber-band copy of the chip
    canvas::Picture PalettePicture;  // 32 x 8, one pixel per palette entry
    // Colour-table entries as stored in a BMP: blue | green << 8 | red << 16.
    std::array<std::uint32_t, 256> Palette256{};
    TDef Def;
    std::int32_t CurCol = 0;
    std::int32_t CurRow = 0;
    // The project's drawing colours, under the window's names.
    TColor& LeftColor = project.Drawing.left;
    TColor& RightColor = project.Drawing.right;
    std::int32_t PenSize = 1;
    bool Modified = false;
    std::int32_t StartX = 0;
    std::int32_t StartY = 0;
    bool LineLeftButton = false;
    std::int32_t PopupCol = 0;
    std::int32_t PopupRow = 0;
    TMemorySnapshot MemorySnapshot;

    // ---- Views and the state held by controls ----
    canvas::Picture ScreenI;  // sheet view
    canvas::Picture EditI;    // edit area
    canvas::Picture Pallete;  // palette view, 512 x 96
    Controls controls;
    Platform& platform;

    const canvas::Picture& Chip(int col, int row) const { return project.Sheet.Chip(col, row); }
    // The chip about to change (its version moves on).
    canvas::Picture& ChangeChip(int col, int row) { return project.Sheet.ChangeChip(col, row); }
    // The one-level undo: the chip before the last change it takes back, and
    // whether undo can still use it.
    const canvas::Picture& UndoImage() const { return project.history.OneLevelCopy(); }
    bool UndoAvailable() const { return project.history.OneLevelAvailable(); }

    // ---- core/fixed_palette.cpp ----
    void BuildFixedPalette();  // PalettePicture and Palette256
    void DrawPaletteView();    // PalettePicture stretched over the palette view

    // ---- core/user_palette.cpp ----
    // What the palette view shows with the user palette option on: the
    // loaded palette, else the colour table of the indexed file the sheet came
    // from; none (the fixed palette) with the option off or neither there.
    const std::vector<canvas::Colour>* ShownUserPalette() const;
    // The entry under (X, Y) of the palette view; none past the palette's end.
    std::optional<std::size_t> UserPaletteEntryAt(int X, int Y) const;
    void UserPaletteMenuClick();

    // ---- core/rendering.cpp ----
    // Lays the views out for a sheet of the given shape; a shape other than
    // the sheet's (one that fits) reshapes the sheet first (ReshapeSheet).
    void Relayout(std::int32_t size, std::int32_t cols, std::int32_t rows);
    // The sheet takes a new shape (one that fits), and the board and the
    // chip being edited follow the sheet's shape; the views follow at the
    // next Relayout.
    void ReshapeSheet(const SheetGeometry& geometry);
    void DrawSheetFrame();
    void DrawEditGrid(std::int32_t n);
    // The lines between the chips of a block, with grid lines or without.
    void DrawChipBorders(std::int32_t n, bool doubled);
    void DrawChip(std::int32_t c, std::int32_t r, bool withFrame);
    void RefreshEditArea();
    void ComposeSheet();
    // core/snapshot.cpp: the sheet (composed) and the view settings as the
    // memory button and the recovery copy keep them.
    TMemorySnapshot Snapshot();
    // The inverse: every chip of the grid from its place in sheet.
    void CutIntoChips(const canvas::Picture& sheet);

    // ---- core/panels.cpp: state shown in controls ----
    void SetLeftColor(TColor c);   // LeftColor, lbP and lbcP
    void SetRightColor(TColor c);  // RightColor, rbP and rbcP
    void ShowFileNameInCaption();  // "Tessaro " + FileName
    // A pending first point of an ellipse or line is dropped (WithoutPendingPoint).
    void DropPendingPoint();

    // ---- core/view_settings.cpp ----
    void LineColor(ControlId Sender);
    void mZoomClick(ControlId Sender);
    void udRateMouseUp();
    void mPSize1Click(ControlId Sender);
    void PenBMouseDown(MouseButton Button, ShiftState Shift, int X, int Y);
    void mPenClick(ControlId Sender);
    void wakuMenuClick();
    void chrSMenuClick();

    // What a left press on a chip of the sheet does: it becomes the chip
    // being edited (core/rendering.cpp; undo and redo use it too).
    void ChooseChip(int col, int row);

    // ---- core/undo.cpp, core/memory_snapshot.cpp ----
    // The undo step of the chip being edited before a change that the
    // one-level undo takes back.
    void TakeUndoCopy();
    void Undo();
    void MemoriseSnapshot();
    void ReplaySnapshot();

    // ---- the transparent colour and PNG ----
    // core/transparent_colour.cpp. T (project.Sheet.TransparentColor): the colour
    // that stands for transparent pixels in PNG files; none at start.
    void KeyPickMenuClick();  // the colour dialog chooses T
    void KeyNoneMenuClick();  // T becomes none
    // One of the two items checked: 透明色を選ぶ while T is set, else 透明色なし.
    void ShowTransparentColour();
    // The message of a load that turned alpha into colours (formats/Transparency.h),
    // empty when there is nothing to say.
    static std::string TransparencyMessage(bool chosen, TColor transparent, std::int64_t partlyTransparent);

    // ---- the tile preview and wrap-around drawing ----
    // (core/tile_preview.cpp, core/wrap_option.cpp)
    canvas::Picture TileI;    // the tile preview's view
    TilePreview tilePreview;  // what TileI shows, kept so only changes are redrawn
    void TileViewMenuClick();
    void TileMenuClick(ControlId Sender);  // mode and zoom items of the preview's menu
    void TileFormClose();                  // the preview's window closed by the user
    // Brings TileI up to the chip being edited, its neighbours and their
    // pixels; the window and the scenario driver call it at the end of every
    // event. Does nothing while the preview is hidden.
    void UpdateTilePreview();
    // The preview shows the chip among its neighbours on the board (a block
    // is shown among its neighbours on the sheet).
    bool TileBoardNeighbours() const { return Options.tileNeighbours && Options.tileBoard && !BlockEditing(); }
    // The eight places round the middle of the preview's sources (3 x 3)
    // taken from the board round the chip `middle`.
    void ShowBoardNeighbours(std::vector<TilePreview::Source>& sources, ChipRef middle) const;
    void WrapMenuClick();
    bool WrapDrawing() const { return Options.wrapDrawing; }

    // ---- the try-out board and its Tiled files ----
    // core/board_view.cpp: BoardMenu shows or hides the board window (its
    // check mark says which); the window's own close unchecks it.
    void BoardMenuClick();
    void BoardFormClose();
    // Zoom items, the size dialog and clearing; a clear or a smaller size
    // that would drop placed cells asks first.
    void BoardViewClick(ControlId Sender);
    // Marks the board cells whose chips changed; the window calls it after
    // every handler, before it shows the board's changes.
    void FollowChipsOnBoard();

    // ---- animated chips (core/chip_animation.cpp) ----
    void AnimMenuClick();
    // Gives the chip being edited its frames and frame time (a dialog).
    void AnimFramesMenuClick();
    // The frames due `elapsedMs` after the animations started, for the tile
    // preview and the board; every chip itself while the option is off.
    void ShowAnimationAt(std::int64_t elapsedMs);
    std::int64_t AnimationMs = 0;
    ChipAnimations::ShownSlots ShownSlots = ChipAnimations::Still();
    // ---- block editing (core/block_editing.cpp) ----
    // With BlockMenu on, the edit area shows a block of chips whose top-left
    // chip is (CurCol, CurRow), and the tools, transforms, undo, clipboard,
    // tile preview and board stamps take the block as one picture.
    void BlockMenuClick();
    // More than one chip is being edited.
    bool BlockEditing() const;
    // The chips the edit area shows across and down: 1 and 1 without a
    // block; a block is cut where the sheet ends.
    int EditCols() const;
    int EditRows() const;
    int EditWidth() const { return EditCols() * Def.ChipSize; }
    int EditHeight() const { return EditRows() * Def.ChipSize; }
    // The edit area's zoom: Def.Zoom, or for a block the largest zoom at which
    // it fits the edit area of the window's layout.
    int EditZoom() const;
    // The block of cols x rows chips at (col, row) becomes the one being
    // edited, moved left and up as far as needed to lie on the sheet.
    void SelectBlock(int col, int row, int cols, int rows);
    // What the edit area shows as one picture: the chip being edited, or the
    // block's chips composed.
    canvas::Picture EditedPicture() const;
    // A pixel of it; black outside.
    canvas::Colour EditedPixel(int x, int y) const;
    // Runs `change` on what the edit area shows: on the chip itself, or on
    // the block composed, whose changed chips then take its pixels (only
    // they get new versions).
    void ChangeEdited(const std::function<void(canvas::Picture&)>& change);
    // The undo step before a change of what the edit area shows: the chip's
    // own step, or one step for the whole block.
    void RecordEditedStep(History::OneLevel oneLevel);
    // The chips being edited drawn again on the sheet view, framed.
    void ShowEditedOnSheet();
    // The chips of the cols x rows block at (col, row) drawn again on the
    // sheet view with the lines over them, as DrawSheetFrame leaves them,
    // without drawing the whole frame.
    void ShowChipsOnSheet(int col, int row, int cols, int rows);
    void FrameEditedOnSheet();

    // ---- terrains (core/terrains.cpp) ----
    // AutotileMenu: a terrain from its source block, its 47 chips written
    // into its area as one undo step.
    void AutotileMenuClick();
    // Writes again the chips of every terrain whose block changed and shows
    // them; the window and the scenario driver call it at the end of every
    // event, before the views follow, so the change and its chips are one step.
    void FollowTerrains();
    // The terrain the board's buttons paint, an index of Sheet.Terrains().
    std::optional<std::size_t> TerrainBrush;

    // ---- duplicate chips (core/duplicate_marks.cpp) ----
    // DuplicatesMenu: the sheet view marks every chip that repeats an
    // earlier one, exactly or mirrored and turned.
    void DuplicatesMenuClick();
    // Brings the marks up to the chips: the window and the scenario driver
    // call it at the end of every event. Takes the marks away with the
    // option off.
    void FollowDuplicates();
    // The earlier chip that chip (col, row) repeats and how, as the sheet's
    // hover text says it; empty when the option is off or the chip repeats
    // none.
    std::string DuplicateText(int col, int row);
    // The duplicates of the sheet as it is now (found again only for chips
    // that changed).
    const duplicates::Report& Duplicates() { return DuplicateFinder.Update(project.Sheet); }
    duplicates::Finder DuplicateFinder;
    // What the sheet view shows, per chip in reading order, and for which
    // shape of sheet.
    std::vector<duplicates::Kind> DuplicateMarks;
    SheetGeometry DuplicateMarksGeometry;

    // ---- sheets of other shapes (core/new_sheet.cpp) ----
    // A new black sheet of the shape the dialog gives, as one undo step.
    void NewSheetMenuClick();
    // The same without the dialog and its questions: true when the shape fits.
    bool MakeNewSheet(const SheetGeometry& shape);

    // ---- the extension options: strokes, undo history, keys, recovery ----
    // The options of the menus (core/option_marks.cpp shows them).
    EditorOptions Options;
    void ShowOptions();
    // core/extension_options.cpp: the check items of ExtMenu.
    void LangEnMenuClick();
    // English (true) or the source language; the window shows every text anew.
    void SetEnglish(bool english);
    void StrokeMenuClick();
    void HistoryMenuClick();
    void KeysMenuClick();
    // The second press of a double click draws and picks in the edit area and
    // on the sheet as any press does (off: it does nothing there).
    void DoublePressMenuClick();
    // The keys and buttons of a press as the edit area and the sheet take it.
    ShiftState PressShift(ShiftState Shift) const {
        return Options.doublePress ? Shift.Without(ShiftKey::Double) : Shift;
    }
    void SetUndoLimit(int steps);  // 1 to 256; above 1 the history is on
    // core/undo.cpp. Before every change of a chip's pixels that the
    // one-level undo does not take back: a step while the history is on.
    void RecordUndoStep(std::int32_t col, std::int32_t row);
    void Redo();
    int UndoSteps() const;  // how far undo can go now (0 or 1 with the history off)
    int RedoSteps() const;
    // Whole-sheet loads and replays: neither undo level survives them.
    void ForgetUndo();
    // core/memory_snapshot.cpp: the replay's work, without its question.
    void RestoreSnapshot(const TMemorySnapshot& m);

    // ---- the roomy layout ----
    // Where the window's controls lie and how large the views show; the
    // window re-places its controls when LayoutChanged and clears it.
    WindowLayout Layout = FixedLayout();
    bool LayoutChanged = false;
    // Device pixels per logical pixel of the window's screen (the Qt scale
    // factor); 1 where there is no screen.
    double DeviceRatio = 1;
    void SetDeviceRatio(double ratio);
    // The client area the window's screen has room for, in logical pixels;
    // 0 where there is no screen. The fixed window keeps within it.
    int ScreenWidth = 0, ScreenHeight = 0;
    void SetScreenArea(int width, int height);
    std::int32_t ZoomBeforeWide = 5;
    bool WideLayoutOn() const { return Options.wide; }
    void WideMenuClick();
    // The window's client area became width x height (only the roomy layout
    // follows it).
    void ResizeClient(int width, int height);
    void ApplyLayout(const WindowLayout& layout);
    // The chip zoom at which the block being edited shows at zoom 4, that
    // the roomy layout makes room for; 0 without a block.
    int RoomyZoomForBlock() const;
    // The largest zoom the window's layout holds: the zoom menu's in the
    // fixed window, the layout's own in the roomy one.
    int ZoomWithinLayout(int zoom) const;
    int LargestZoom() const;
    // The largest zoom at which the chip fits the fixed window's edit box.
    int LargestFixedZoom() const;
    // Shows the edit area at a zoom chosen by the zoom menu, the up-down
    // control or its keys, within what the fixed window holds.
    void ChooseZoom(int zoom);
    // The edit box of the fixed window: a 16-pixel chip at zoom 10.
    static constexpr int FixedEditSide = 160;
    // The roomy layout for the sheet and chips as they are now.
    WindowLayout RoomyLayoutFor(int width, int height, double ratio) const;
    // The zoom items, the up-down control and the rate text for Def.Zoom.
    void ShowZoomChoice();
    // The edit area sized for Def.Zoom and drawn anew (core/rendering.cpp).
    void SizeEditArea();
};

// The colour text of a panel: "255,0,51".
std::string ColourText(TColor c);

#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "canvas/Picture.h"
#include "core/Controls.h"
#include "core/Platform.h"
#include "core/ShiftState.h"
#include "core/TilePreview.h"
#include "core/ToolMode.h"
#include "core/TryOutBoard.h"
#include "core/UndoHistory.h"
#include "core/WindowLayout.h"

using TColor = canvas::Colour;

// The view record: copied as a whole into the memory snapshot and back.
struct TDef {
    std::string FileName;
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
    std::int32_t MemCurCol = 0;
    std::int32_t MemCurRow = 0;
    std::int32_t MemPenSize = 1;
    bool MemGridHidden = false;
    bool MemModified = false;
    bool MemResizePerChip = true;
    canvas::Picture MemSheetImage;
};

enum class TCloseAction { caNone, caFree };

struct PictureReadResult {
    bool ok = false;
    bool jpeg = false;
    // What the read did to transparent pixels, for the user once the picture
    // shows; empty when there is nothing to say.
    std::string transparencyNotice;
};

// The editor: every field of the main window and every handler, named as the
// window names them. The class is declared here once; its member functions
// are defined in the directory of the subsystem they belong to, one file per
// area (core/, edit/, io/). Handlers take what the event gives: the sender,
// the button, the shift state, the position in the control's pixels.
class TForm1 {
public:
    static constexpr int MaxCols = 30;
    static constexpr int MaxRows = 16;
    static constexpr int ChipSlots = MaxCols * MaxRows;
    static constexpr const char* ApplicationTitle = "Velmira";
    static constexpr const char* HelpFile = "Tsr.hlp";
    static constexpr const char* ProductName = "Tessaro";
    static constexpr const char* MakerUrl = "https://tessaro.example.org/";

    explicit TForm1(Platform& platform);
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    // ---- State (the chip sheet model) ----
    // Slot of chip (col, row) is col * 16 + row, whatever the number of rows.
    std::array<canvas::Picture, ChipSlots> Chips;
    canvas::Picture SheetImage;      // whole sheet after ComposeSheet; otherwise scratch
    canvas::Picture PreviewImage;    // rubber-band copy of the chip
    canvas::Picture UndoImage;       // the chip before the last undoable edit
    canvas::Picture PalettePicture;  // 32 x 8, one pixel per palette entry
    // Colour-table entries as stored in a BMP: blue | green << 8 | red << 16.
    std::array<std::uint32_t, 256> Palette256{};
    TDef Def;
    std::int32_t CurCol = 0;
    std::int32_t CurRow = 0;
    TColor LeftColor = 0xFFFFFF;
    TColor RightColor = 0x000000;
    std::int32_t PenSize = 1;
    bool Modified = false;
    bool UndoAvailable = false;
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

    canvas::Picture& Chip(int col, int row) { return Chips[static_cast<std::size_t>(col * MaxRows + row)]; }
    const canvas::Picture& Chip(int col, int row) const { return Chips[static_cast<std::size_t>(col * MaxRows + row)]; }

    // ---- core/startup.cpp, core/closing.cpp, core/fixed_palette.cpp ----
    void FormCreate();
    void FormClose(TCloseAction& Action);
    void BuildFixedPalette();  // PalettePicture and Palette256
    void DrawPaletteView();    // PalettePicture stretched over the palette view

    // ---- core/rendering.cpp ----
    void Relayout(std::int32_t size, std::int32_t cols, std::int32_t rows);
    void DrawSheetFrame();
    void DrawEditGrid(std::int32_t n);
    void DrawChip(std::int32_t c, std::int32_t r, bool withFrame);
    void RefreshEditArea();
    void ComposeSheet();
    // The inverse: every chip of the grid from its place in sheet.
    void CutIntoChips(const canvas::Picture& sheet);

    // ---- core/panels.cpp: state shown in controls ----
    void SetLeftColor(TColor c);   // LeftColor, lbP and lbcP
    void SetRightColor(TColor c);  // RightColor, rbP and rbcP
    void ShowFileNameInCaption();  // "Tessaro " + FileName
    void ShowZoomInRate();         // pRate: "×" + position + " "
    // A pending first point of an ellipse or line is dropped (WithoutPendingPoint).
    void DropPendingPoint();

    // ---- core/settings_file.cpp, core/view_settings.cpp ----
    void ReadSettings(const std::string& fileName);
    void LineColor(ControlId Sender);
    void mZoomClick(ControlId Sender);
    void udRateMouseUp();
    void mPSize1Click(ControlId Sender);
    void PenBMouseDown(MouseButton Button, ShiftState Shift, int X, int Y);
    void mPenClick(ControlId Sender);
    void wakuMenuClick();
    void chrSMenuClick();

    // ---- core/control_dispatch.cpp: what the window and the driver call ----
    // Runs the click handler of a menu item, speed button or push button.
    void Click(ControlId control);
    // Runs the open handler of FileMenu, EditMenu or ScreenMenu.
    void OpenMenu(ControlId menu);

    // ---- edit/drawing_tools.cpp ----
    void EditIMouseDown(MouseButton Button, ShiftState Shift, int X, int Y);
    void EditIMouseMove(ShiftState Shift, int X, int Y);

    // ---- edit/sheet_interaction.cpp ----
    void ScreenIMouseDown(MouseButton Button, ShiftState Shift, int X, int Y);
    void ScreenIMouseMove(ShiftState Shift, int X, int Y);

    // ---- edit/palette_choice.cpp ----
    void PalleteMouseMove(ShiftState Shift, int X, int Y);
    void PalleteMouseDown(MouseButton Button, ShiftState Shift, int X, int Y);
    void ColorSelect(ControlId Sender);

    // ---- edit/transforms.cpp ----
    void MoveMenuClick(ControlId Sender);

    // ---- edit/tool_buttons.cpp, edit/undo.cpp, edit/memory_snapshot.cpp ----
    void ToolButtonClick(ControlId Sender);
    void TakeUndoCopy();
    void Undo();
    void MemoriseSnapshot();
    void ReplaySnapshot();

    // ---- io/sheet_files.cpp, io/help_menu.cpp ----
    void FileMenuClick(ControlId Sender);
    void FileMenuSet();
    void helpMenuClick(ControlId Sender);
    PictureReadResult ReadPictureFile(const std::string& path);
    // True when the picture was read and cut into the chips.
    bool LoadSheetFile(const std::string& path);
    bool LoadChipFile(const std::string& path, std::int32_t col, std::int32_t row);
    // The work picture cut into every chip of the grid (sheet loads and pastes).
    void CutSheetIntoChips();
    static std::string NumberedChipName(const std::string& base, int n);

    // ---- io/palette_writers.cpp ----
    void Save256ColourBmp();
    void Save216ColourBmp();

    // ---- io/clipboard.cpp, io/popup_menu.cpp, io/dropped_files.cpp ----
    void Edit1Click();
    void EditMenuClick(ControlId Sender);
    void ScreenMenuPopup();
    void popMenuClick(ControlId Sender);
    void WMDropFiles(const std::vector<std::string>& paths);

    // ---- the transparent colour and PNG ----
    // core/transparent_colour.cpp. T: the colour that stands for transparent
    // pixels in PNG files; none at start.
    std::optional<TColor> TransparentColor;
    void KeyPickMenuClick();  // the colour dialog chooses T
    void KeyNoneMenuClick();  // T becomes none
    // One of the two items checked: 透明色を選ぶ while T is set, else 透明色なし.
    void ShowTransparentColour();
    // The message of a load that turned alpha into colours (io/Transparency.h),
    // empty when there is nothing to say.
    static std::string TransparencyMessage(bool chosen, TColor transparent, std::int64_t partlyTransparent);

    // ---- the tile preview and wrap-around drawing ----
    // (core/tile_preview.cpp, edit/wrap_drawing.cpp)
    canvas::Picture TileI;    // the tile preview's view
    TilePreview tilePreview;  // what TileI shows, kept so only changes are redrawn
    void TileViewMenuClick();
    void TileMenuClick(ControlId Sender);  // mode and zoom items of the preview's menu
    void TileFormClose();                  // the preview's window closed by the user
    // Brings TileI up to the chip being edited, its neighbours and their
    // pixels; the window and the scenario driver call it at the end of every
    // event. Does nothing while the preview is hidden.
    void UpdateTilePreview();
    void TileIMouseDown(MouseButton Button, ShiftState Shift, int X, int Y);
    void TileIMouseMove(ShiftState Shift, int X, int Y);
    void WrapMenuClick();
    bool WrapDrawing() const { return controls.Checked(ControlId::WrapMenu); }

    // ---- the try-out board and its Tiled files ----
    TryOutBoard Board;
    // core/board_view.cpp: BoardMenu shows or hides the board window (its
    // check mark says which); the window's own close unchecks it.
    void BoardMenuClick();
    void BoardFormClose();
    // Zoom items, the size dialog and clearing.
    void BoardViewClick(ControlId Sender);
    // Marks the board cells whose chips changed; the window calls it after
    // every handler, before it shows the board's changes.
    void FollowChipsOnBoard();
    // edit/board_stamping.cpp: left stamps the chip being edited, right
    // chooses the cell's chip as a left press on the sheet does, middle
    // empties the cell.
    void BoardIMouseDown(MouseButton Button, ShiftState Shift, int X, int Y);
    void BoardIMouseMove(ShiftState Shift, int X, int Y);
    // io/board_files.cpp: BoardLoadMenu and BoardSaveMenu.
    void BoardFileClick(ControlId Sender);

    // ---- the extension options: strokes, undo history, keys, recovery ----
    // ExtMenu's options, off at start (tsr.def: stroke=, undo=, keys=).
    bool StrokeJoin = false;  // a pen drag paints the line between its positions
    bool KeysOn = false;      // the shortcut keys run their items' handlers
    // Steps of the undo history, in use while its limit is above 1; at 1 the
    // one-level undo (UndoImage, UndoAvailable) works as it always has.
    UndoHistory History;
    // The pen's last position in the drag going on, for joined strokes and
    // for the undo step a stroke makes; open from a pen press (or the first
    // painting move) until a move without a button.
    struct PenTrail {
        bool open = false;
        int x = 0, y = 0;
    } PenTrail;
    // This editor's recovery copy (io/recovery_copy.cpp).
    struct RecoveryState {
        std::string copyPath;  // empty until the first copy is written
        int lockFd = -1;       // held for the editor's life once it has a copy
        std::uint64_t writtenSum = 0;
        bool written = false;
    } Recovery;

    // edit/extension_options.cpp: the check items of ExtMenu.
    void StrokeMenuClick();
    void HistoryMenuClick();
    void KeysMenuClick();
    void SetUndoLimit(int steps);  // 1 to 256; above 1 the history is on
    // edit/undo_history.cpp. The entry point of every change of a chip's
    // pixels: call it before the change. With the history on it records a
    // step for chip (col, row) and returns true; otherwise it does nothing
    // and returns false (the one-level undo has its own rules).
    bool RecordUndoStep(std::int32_t col, std::int32_t row);
    void Redo();
    int UndoSteps() const;  // how far undo can go now (0 or 1 with the history off)
    int RedoSteps() const;
    // Whole-sheet loads and replays: neither undo level survives them.
    void ForgetUndo();
    // core/shortcut_keys.cpp: a key combination ("ctrl+shift+z", "p", "plus",
    // "left"); runs the handler of its item or button while the keys are on.
    // Returns whether the key is one of them and ran.
    bool ShortcutKey(const std::string& keys);
    static const std::vector<std::string>& ShortcutKeyNames();
    // io/recovery_copy.cpp: the recovery copy of unsaved changes. Kept by a
    // timer of the window (at most every 30 s), dropped on saves and a normal
    // close, offered at start-up when another editor left one behind.
    void KeepRecoveryCopy();
    void DropRecoveryCopy();
    void OfferRecoveryCopies();
    ~TForm1();
    // edit/memory_snapshot.cpp: the replay's work, without its question.
    void RestoreSnapshot(const TMemorySnapshot& m);

    // ---- the roomy layout ----
    // Where the window's controls lie and how large the views show; the
    // window re-places its controls when LayoutChanged and clears it.
    WindowLayout Layout = FixedLayout();
    bool LayoutChanged = false;
    std::int32_t ZoomBeforeWide = 5;
    bool WideLayoutOn() const;
    void WideMenuClick();
    // The window's client area became width x height (only the roomy layout
    // follows it).
    void ResizeClient(int width, int height);
    void ApplyLayout(const WindowLayout& layout);
    // The largest zoom the window's layout holds: the zoom menu's in the
    // fixed window, the layout's own in the roomy one.
    int ZoomWithinLayout(int zoom) const;
    // The zoom items, the up-down control and the rate text for Def.Zoom.
    void ShowZoomChoice();
    // The edit area sized for Def.Zoom and drawn anew (core/rendering.cpp).
    void SizeEditArea();
};

// The colour text of a panel: "255,0,51".
std::string ColourText(TColor c);

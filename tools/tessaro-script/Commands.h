// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "canvas/Colour.h"
#include "core/Controls.h"
#include "core/Platform.h"
#include "core/SheetGeometry.h"
#include "core/ShiftState.h"

namespace script {

// A picture a script can look at: a chip of the table, one of the three
// views, the editor's scratch and undo pictures, or the clipboard's bitmap.
struct Target {
    enum class Kind { Chip, SheetView, EditView, PaletteView, SheetImage, UndoImage, Clipboard, BoardView, TileView };
    Kind kind = Kind::Chip;
    int col = 0;
    int row = 0;
};

// The controls that take mouse events in a script.
enum class View { Edit, Sheet, Palette, PenB, Board, Tile };

// Fields of the editor that `expect NAME VALUE` reads.
// clang-format off
enum class StateField {
    Modified, UndoAvailable, SheetGridShown,
    ToolMode, Zoom, PenSize, ChipSize, SheetCols, SheetRows, CurCol, CurRow, PopupCol, PopupRow, StartX, StartY,
    LeftColor, RightColor, GridLineColor,
    FileName, Caption,
    Closed,
    BoardCols, BoardRows,
    WrapDrawing,
    TransparentColor,
    StrokeJoin, KeysOn, UndoSteps, RedoSteps,
    RecoveryCopy,  // yes while this editor keeps a recovery copy on the disk
    WideLayout,
};
// clang-format on

// What `expect checked|enabled|... NAME VALUE` reads of a control.
enum class ControlCheck { Checked, Enabled, Pressed, Text, Colour, Position, Cursor };

namespace cmd {

struct Start {};
struct Write {
    std::string path;
    std::string text;
};
struct Remove {
    std::string path;
};

// ok and cancel answer any question; discard only the restore question.
enum class AnswerKind { Ok, Cancel, Discard };
struct Answer {
    AnswerKind kind = AnswerKind::Cancel;
};
struct Choose {
    std::optional<std::string> path;
};
struct PickColour {
    std::optional<canvas::Colour> colour;
};
struct Popup {
    std::optional<ControlId> item;
};
struct BoardSizeAnswer {
    std::optional<std::pair<int, int>> size;
};
// Frames and frame time, or nothing for a cancelled dialog.
struct FramesAnswer {
    std::optional<std::pair<int, int>> frames;
};
struct NewSheetAnswer {
    std::optional<SheetGeometry> shape;
};

struct Mouse {
    bool press = false;  // press, or move
    View view = View::Edit;
    int x = 0;
    int y = 0;
    ShiftState mods;
};
struct Click {
    ControlId control{};
};
struct Open {
    ControlId menu{};
};
struct DoubleClick {
    ControlId panel{};
};
struct UpDown {
    bool up = false;
};
struct Drop {
    std::vector<std::string> paths;
};
struct Close {};
// A shortcut key: modifiers and key joined by "+", as EditorForm::ShortcutKey names them.
struct Key {
    std::string keys;
};
// The window's timer of the recovery copy fires.
struct RecoveryTimer {};
struct Resize {
    int width = 0;
    int height = 0;
};

// A path puts that picture file on the clipboard; nothing leaves no bitmap
// (the clipboard empty or holding text only).
struct SetClipboard {
    std::optional<std::string> path;
};
struct SaveClipboard {
    std::string path;
};
struct Dump {
    Target target;
    std::string path;
};

// Checks. Expected values of fields and controls are held as the text the
// driver prints for an actual value, so that comparing and reporting agree.
struct ExpectState {
    StateField field{};
    std::string expected;
};
struct ExpectControl {
    ControlCheck check{};
    ControlId control{};
    std::string expected;
};
struct ExpectPixel {
    Target target;
    int x = 0;
    int y = 0;
    canvas::Colour colour = 0;
};
struct ExpectSize {
    Target target;
    int width = 0;
    int height = 0;
};
struct ExpectSame {
    Target first;
    Target second;
};
struct ExpectMessage {
    enum class Kind { Message, AnyMessage, Question };
    Kind kind = Kind::Message;
    std::string text;
};
struct ExpectExists {
    std::string path;
    bool exists = false;
};
struct ExpectFileSize {
    std::string path;
    std::uint64_t size = 0;
};
struct ExpectOpened {
    std::string url;
};
// The chip in board cell (col, row), or none for an empty cell; with its
// orientation when `orientation` is given: "-" as is, else Tiled's flags as
// letters in the order h, v, d.
struct ExpectCell {
    int col = 0;
    int row = 0;
    std::optional<std::pair<int, int>> chip;
    std::optional<std::string> orientation;
};
// Board cell (col, row) holds a chip of the terrain brush's terrain.
struct ExpectTerrain {
    int col = 0;
    int row = 0;
    bool marked = false;
};
// The autotile dialog's answer: block, area and name, or a cancel.
struct AutotileAnswer {
    std::optional<Platform::AutotileAnswer> answer;
};
// A picture file read whole (BMP, JPEG or PNG; alpha 255 where the format has
// none): a pixel's colour or alpha, or the picture's size.
// Chip (col, row) starts an animation of that many frames of that frame
// time; 1 frame of 0 ms when it starts none.
struct ExpectFrames {
    int col = 0;
    int row = 0;
    std::string expected;
};
struct ExpectFilePicture {
    enum class Kind { Pixel, Alpha, Size };
    Kind kind = Kind::Pixel;
    std::string path;
    int x = 0;  // the width for Size
    int y = 0;  // the height for Size
    std::string expected;
};

}  // namespace cmd

using Command =
    std::variant<cmd::Start, cmd::Write, cmd::Remove, cmd::Answer, cmd::Choose, cmd::PickColour, cmd::Popup, cmd::Mouse,
                 cmd::Click, cmd::Open, cmd::DoubleClick, cmd::UpDown, cmd::Drop, cmd::Close, cmd::Key,
                 cmd::RecoveryTimer, cmd::Resize, cmd::SetClipboard, cmd::SaveClipboard, cmd::Dump, cmd::ExpectState,
                 cmd::ExpectControl, cmd::ExpectPixel, cmd::ExpectSize, cmd::ExpectSame, cmd::ExpectMessage,
                 cmd::ExpectExists, cmd::ExpectFileSize, cmd::ExpectOpened, cmd::BoardSizeAnswer, cmd::ExpectCell,
                 cmd::ExpectFilePicture, cmd::FramesAnswer, cmd::ExpectFrames, cmd::ExpectTerrain, cmd::AutotileAnswer,
                 cmd::NewSheetAnswer>;

// True for the `expect` commands: each one is one check.
bool IsCheck(const Command& command);

}  // namespace script

// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/tessaro-script/ScriptParser.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

#include "core/ControlTable.h"
#include "core/Form.h"
#include "tools/tessaro-script/ScriptError.h"
#include "tools/tessaro-script/Values.h"

namespace script {

namespace {

enum class ValueType { Bool, Int, Colour, String, ColourOrNone };

struct StateFieldName {
    std::string_view name;
    StateField field;
    ValueType type;
};

constexpr std::array<StateFieldName, 31> StateFields = {{
    {"Modified", StateField::Modified, ValueType::Bool},
    {"UndoAvailable", StateField::UndoAvailable, ValueType::Bool},
    {"SheetGridShown", StateField::SheetGridShown, ValueType::Bool},
    {"ToolMode", StateField::ToolMode, ValueType::Int},
    {"Zoom", StateField::Zoom, ValueType::Int},
    {"PenSize", StateField::PenSize, ValueType::Int},
    {"ChipSize", StateField::ChipSize, ValueType::Int},
    {"SheetCols", StateField::SheetCols, ValueType::Int},
    {"SheetRows", StateField::SheetRows, ValueType::Int},
    {"CurCol", StateField::CurCol, ValueType::Int},
    {"CurRow", StateField::CurRow, ValueType::Int},
    {"PopupCol", StateField::PopupCol, ValueType::Int},
    {"PopupRow", StateField::PopupRow, ValueType::Int},
    {"StartX", StateField::StartX, ValueType::Int},
    {"StartY", StateField::StartY, ValueType::Int},
    {"LeftColor", StateField::LeftColor, ValueType::Colour},
    {"RightColor", StateField::RightColor, ValueType::Colour},
    {"GridLineColor", StateField::GridLineColor, ValueType::Colour},
    {"FileName", StateField::FileName, ValueType::String},
    {"caption", StateField::Caption, ValueType::String},
    {"closed", StateField::Closed, ValueType::Bool},
    {"BoardCols", StateField::BoardCols, ValueType::Int},
    {"BoardRows", StateField::BoardRows, ValueType::Int},
    {"WrapDrawing", StateField::WrapDrawing, ValueType::Bool},
    {"TransparentColor", StateField::TransparentColor, ValueType::ColourOrNone},
    {"StrokeJoin", StateField::StrokeJoin, ValueType::Bool},
    {"KeysOn", StateField::KeysOn, ValueType::Bool},
    {"UndoSteps", StateField::UndoSteps, ValueType::Int},
    {"RedoSteps", StateField::RedoSteps, ValueType::Int},
    {"RecoveryCopy", StateField::RecoveryCopy, ValueType::Bool},
    {"WideLayout", StateField::WideLayout, ValueType::Bool},
}};

// Reads the arguments of one command from left to right.
class Arguments {
public:
    Arguments(const std::vector<Token>& tokens, std::string_view command) : tokens_(tokens), command_(command) {}

    bool AtEnd() const { return next_ >= tokens_.size(); }
    // The next argument, unquoted; what names its role for the error text.
    const std::string& Word(std::string_view what) {
        const Token& t = Take(what);
        if (t.quoted) Fail(std::string(what) + " is a word, not a string");
        return t.text;
    }
    const std::string& String(std::string_view what) {
        const Token& t = Take(what);
        if (!t.quoted) Fail(std::string(what) + " must be a string in double quotes");
        return t.text;
    }
    // A path may be written bare or quoted (for blanks).
    std::string Path(std::string_view what = "PATH") {
        const Token& t = Take(what);
        if (t.text.empty()) Fail("empty " + std::string(what));
        return t.text;
    }
    bool PeekIs(std::string_view word) const {
        return !AtEnd() && !tokens_[next_].quoted && tokens_[next_].text == word;
    }
    int Integer(std::string_view what) { return ParseInteger(Word(what)); }
    ControlId Control(std::string_view what = "NAME") {
        const std::string& name = Word(what);
        const auto id = ControlByName(name);
        if (!id) Fail("no control is named " + name);
        return *id;
    }
    void End() {
        if (!AtEnd()) Fail("unexpected argument \"" + tokens_[next_].text + "\"");
    }
    [[noreturn]] void Fail(const std::string& reason) const { throw ScriptError(command_ + ": " + reason); }

private:
    const Token& Take(std::string_view what) {
        if (AtEnd()) Fail("missing " + std::string(what));
        return tokens_[next_++];
    }

    const std::vector<Token>& tokens_;
    std::string command_;
    std::size_t next_ = 1;
};

Target ParseTarget(Arguments& args) {
    const std::string& name = args.Word("TARGET");
    using K = Target::Kind;
    if (name == "chip") {
        Target t;
        t.col = args.Integer("C");
        t.row = args.Integer("R");
        // Whether the sheet has the chip is known when the check runs.
        if (t.col < 0 || t.col >= sheet::MaxCols || t.row < 0 || t.row >= sheet::MaxRows)
            args.Fail("no chip at column " + std::to_string(t.col) + ", row " + std::to_string(t.row) +
                      " (columns 0.." + std::to_string(sheet::MaxCols - 1) + ", rows 0.." +
                      std::to_string(sheet::MaxRows - 1) + ")");
        return t;
    }
    if (name == "sheetview") return Target{K::SheetView, 0, 0};
    if (name == "editview") return Target{K::EditView, 0, 0};
    if (name == "paletteview") return Target{K::PaletteView, 0, 0};
    if (name == "SheetImage") return Target{K::SheetImage, 0, 0};
    if (name == "UndoImage") return Target{K::UndoImage, 0, 0};
    if (name == "clipboard") return Target{K::Clipboard, 0, 0};
    if (name == "boardview") return Target{K::BoardView, 0, 0};
    if (name == "tileview") return Target{K::TileView, 0, 0};
    args.Fail("not a picture: " + name +
              " (chip C R, sheetview, editview, paletteview, SheetImage, UndoImage, clipboard, boardview, "
              "tileview)");
}

View ParseView(Arguments& args) {
    const std::string& name = args.Word("VIEW");
    if (name == "edit") return View::Edit;
    if (name == "sheet") return View::Sheet;
    if (name == "palette") return View::Palette;
    if (name == "PenB") return View::PenB;
    if (name == "board") return View::Board;
    if (name == "tile") return View::Tile;
    args.Fail("not a view: " + name + " (edit, sheet, palette, PenB, board, tile)");
}

std::string CanonicalValue(Arguments& args, ValueType type) {
    switch (type) {
        case ValueType::Bool: return YesNo(ParseYesNo(args.Word("VALUE")));
        case ValueType::Int: return std::to_string(args.Integer("VALUE"));
        case ValueType::Colour: return RgbText(ParseColour(args.Word("VALUE")));
        case ValueType::String: return Quoted(args.String("VALUE"));
        case ValueType::ColourOrNone: {
            const std::string& word = args.Word("R,G,B|none");
            return word == "none" ? word : RgbText(ParseColour(word));
        }
    }
    args.Fail("unknown value type");
}

Command ParseControlCheck(Arguments& args, ControlCheck check) {
    cmd::ExpectControl c;
    c.check = check;
    c.control = args.Control();
    switch (check) {
        case ControlCheck::Checked:
        case ControlCheck::Enabled: c.expected = YesNo(ParseYesNo(args.Word("yes|no"))); break;
        case ControlCheck::Pressed:
            if (InfoOf(c.control).kind != ControlKind::SpeedButton)
                args.Fail(std::string(NameOf(c.control)) + " is not a speed button");
            c.expected = YesNo(ParseYesNo(args.Word("yes|no")));
            break;
        case ControlCheck::Text: c.expected = Quoted(args.String("TEXT")); break;
        case ControlCheck::Colour: c.expected = RgbText(ParseColour(args.Word("R,G,B"))); break;
        case ControlCheck::Position:
            if (c.control != ControlId::udRate) args.Fail("only udRate has a position");
            c.expected = std::to_string(args.Integer("N"));
            break;
        case ControlCheck::Cursor: {
            if (c.control != ControlId::EditI) args.Fail("only EditI has a cursor");
            const std::string& cursor = args.Word("arrow|hand");
            if (cursor != "arrow" && cursor != "hand") args.Fail("cursor is arrow or hand, not " + cursor);
            c.expected = cursor;
            break;
        }
    }
    return c;
}

Command ParseExpect(Arguments& args) {
    const std::string& what = args.Word("what to expect");
    if (what == "checked") return ParseControlCheck(args, ControlCheck::Checked);
    if (what == "enabled") return ParseControlCheck(args, ControlCheck::Enabled);
    if (what == "pressed") return ParseControlCheck(args, ControlCheck::Pressed);
    if (what == "text") return ParseControlCheck(args, ControlCheck::Text);
    if (what == "color") return ParseControlCheck(args, ControlCheck::Colour);
    if (what == "position") return ParseControlCheck(args, ControlCheck::Position);
    if (what == "cursor") return ParseControlCheck(args, ControlCheck::Cursor);
    if (what == "pixel") {
        cmd::ExpectPixel c;
        c.target = ParseTarget(args);
        c.x = args.Integer("X");
        c.y = args.Integer("Y");
        c.colour = ParseColour(args.Word("R,G,B"));
        return c;
    }
    if (what == "size") {
        cmd::ExpectSize c;
        c.target = ParseTarget(args);
        c.width = args.Integer("W");
        c.height = args.Integer("H");
        return c;
    }
    if (what == "same") {
        cmd::ExpectSame c;
        c.first = ParseTarget(args);
        c.second = ParseTarget(args);
        return c;
    }
    if (what == "message") {
        if (args.PeekIs("any")) {
            args.Word("any");
            return cmd::ExpectMessage{cmd::ExpectMessage::Kind::AnyMessage, {}};
        }
        return cmd::ExpectMessage{cmd::ExpectMessage::Kind::Message, args.String("TEXT")};
    }
    if (what == "question") return cmd::ExpectMessage{cmd::ExpectMessage::Kind::Question, args.String("TEXT")};
    if (what == "exists") {
        cmd::ExpectExists c;
        c.path = args.Path();
        c.exists = ParseYesNo(args.Word("yes|no"));
        return c;
    }
    if (what == "filesize") {
        cmd::ExpectFileSize c;
        c.path = args.Path();
        c.size = ParseCount(args.Word("N"));
        return c;
    }
    if (what == "opened") return cmd::ExpectOpened{args.String("URL")};
    if (what == "cell") {
        cmd::ExpectCell c;
        c.col = args.Integer("C");
        c.row = args.Integer("R");
        if (args.PeekIs("empty")) {
            args.Word("empty");
            return c;
        }
        const std::string& chip = args.Word("COL,ROW|empty");
        const auto comma = chip.find(',');
        if (comma == std::string::npos) args.Fail("the chip is COL,ROW or empty, not " + chip);
        c.chip = std::pair{ParseInteger(chip.substr(0, comma)), ParseInteger(chip.substr(comma + 1))};
        if (!args.AtEnd()) {
            const std::string& orientation = args.Word("ORIENT");
            constexpr std::array<std::string_view, 8> Orientations{"-", "h", "v", "hv", "d", "hd", "vd", "hvd"};
            if (std::ranges::find(Orientations, orientation) == Orientations.end())
                args.Fail("the orientation is - or Tiled's flags h, v, d in that order, not " + orientation);
            c.orientation = orientation;
        }
        return c;
    }
    if (what == "frames") {
        cmd::ExpectFrames c;
        c.col = args.Integer("C");
        c.row = args.Integer("R");
        const int n = args.Integer("N");
        c.expected = std::to_string(n) + " " + std::to_string(args.Integer("MS"));
        return c;
    }
    if (what == "terrain") {
        cmd::ExpectTerrain c;
        c.col = args.Integer("C");
        c.row = args.Integer("R");
        c.marked = ParseYesNo(args.Word("yes|no"));
        return c;
    }
    if (what == "filepixel" || what == "filealpha" || what == "filesizepx") {
        cmd::ExpectFilePicture c;
        c.kind = what == "filepixel"   ? cmd::ExpectFilePicture::Kind::Pixel
                 : what == "filealpha" ? cmd::ExpectFilePicture::Kind::Alpha
                                       : cmd::ExpectFilePicture::Kind::Size;
        c.path = args.Path();
        c.x = args.Integer(c.kind == cmd::ExpectFilePicture::Kind::Size ? "W" : "X");
        c.y = args.Integer(c.kind == cmd::ExpectFilePicture::Kind::Size ? "H" : "Y");
        if (c.kind == cmd::ExpectFilePicture::Kind::Pixel) c.expected = RgbText(ParseColour(args.Word("R,G,B")));
        if (c.kind == cmd::ExpectFilePicture::Kind::Alpha) {
            const std::int32_t alpha = args.Integer("A");
            if (alpha < 0 || alpha > 255) args.Fail("alpha is 0 to 255");
            c.expected = std::to_string(alpha);
        }
        if (c.kind == cmd::ExpectFilePicture::Kind::Size) c.expected = std::to_string(c.x) + " " + std::to_string(c.y);
        return c;
    }
    for (const StateFieldName& f : StateFields)
        if (f.name == what) return cmd::ExpectState{f.field, CanonicalValue(args, f.type)};
    args.Fail("nothing named " + what + " can be expected");
}

Command ParseMouse(Arguments& args, bool press) {
    cmd::Mouse c;
    c.press = press;
    c.view = ParseView(args);
    c.x = args.Integer("X");
    c.y = args.Integer("Y");
    c.mods = ParseMods(args.Word("MODS"));
    if (press && c.view == View::Palette) {
        const int buttons =
            int(c.mods.Has(ShiftKey::Left)) + int(c.mods.Has(ShiftKey::Right)) + int(c.mods.Has(ShiftKey::Middle));
        if (buttons != 1) args.Fail("a press on the palette names exactly one mouse button in MODS");
    }
    return c;
}

// A key as the editor names it: the modifiers ctrl and shift (in any order
// and case in the script) before the key, in that order.
std::string KeyName(const std::string& word, Arguments& args) {
    std::string text;
    for (char ch : word) text += static_cast<char>(ch >= 'A' && ch <= 'Z' ? ch - 'A' + 'a' : ch);
    bool ctrl = false, shift = false;
    std::string key;
    std::size_t at = 0;
    while (true) {
        const std::size_t plus = text.find('+', at);
        const std::string part = text.substr(at, plus == std::string::npos ? std::string::npos : plus - at);
        if (plus == std::string::npos) {
            key = part;
            break;
        }
        if (part == "ctrl")
            ctrl = true;
        else if (part == "shift")
            shift = true;
        else
            args.Fail("a key's modifier is ctrl or shift, not " + part);
        at = plus + 1;
    }
    if (key.empty()) args.Fail("a key is missing in " + word);
    return std::string(ctrl ? "ctrl+" : "") + (shift ? "shift+" : "") + key;
}

Command ParseArguments(const std::string& verb, Arguments& args) {
    if (verb == "start") return cmd::Start{};
    if (verb == "write") {
        cmd::Write c;
        c.path = args.Path();
        c.text = args.String("TEXT");
        return c;
    }
    if (verb == "remove") return cmd::Remove{args.Path()};
    if (verb == "answer") {
        const std::string& a = args.Word("ok|cancel|discard");
        if (a == "ok") return cmd::Answer{cmd::AnswerKind::Ok};
        if (a == "cancel") return cmd::Answer{cmd::AnswerKind::Cancel};
        if (a == "discard") return cmd::Answer{cmd::AnswerKind::Discard};
        args.Fail("the answer is ok, cancel or discard, not " + a);
    }
    if (verb == "choose") {
        if (args.PeekIs("cancel")) {
            args.Word("cancel");
            return cmd::Choose{};
        }
        return cmd::Choose{args.Path()};
    }
    if (verb == "pickcolor") {
        const std::string& w = args.Word("R,G,B|cancel");
        if (w == "cancel") return cmd::PickColour{};
        return cmd::PickColour{ParseColour(w)};
    }
    if (verb == "popup") {
        if (args.PeekIs("none")) {
            args.Word("none");
            return cmd::Popup{};
        }
        const ControlId item = args.Control("ITEM");
        if (InfoOf(item).kind != ControlKind::MenuItem) args.Fail(std::string(NameOf(item)) + " is not a menu item");
        return cmd::Popup{item};
    }
    if (verb == "boardsize") {
        if (args.PeekIs("cancel")) {
            args.Word("cancel");
            return cmd::BoardSizeAnswer{};
        }
        const int w = args.Integer("W");
        return cmd::BoardSizeAnswer{std::pair{w, args.Integer("H")}};
    }
    if (verb == "frames") {
        if (args.PeekIs("cancel")) {
            args.Word("cancel");
            return cmd::FramesAnswer{};
        }
        const int n = args.Integer("N");
        return cmd::FramesAnswer{std::pair{n, args.Integer("MS")}};
    }
    if (verb == "autotile") {
        if (args.PeekIs("cancel")) {
            args.Word("cancel");
            return cmd::AutotileAnswer{};
        }
        Platform::AutotileAnswer a;
        a.source.col = args.Integer("SC");
        a.source.row = args.Integer("SR");
        a.area.col = args.Integer("DC");
        a.area.row = args.Integer("DR");
        a.name = args.Path("NAME");
        return cmd::AutotileAnswer{a};
    }
    if (verb == "newsheet") {
        if (args.PeekIs("cancel")) {
            args.Word("cancel");
            return cmd::NewSheetAnswer{};
        }
        const int size = args.Integer("SIZE");
        const int cols = args.Integer("COLS");
        return cmd::NewSheetAnswer{SheetGeometry{size, cols, args.Integer("ROWS")}};
    }
    if (verb == "press") return ParseMouse(args, true);
    if (verb == "move") return ParseMouse(args, false);
    if (verb == "click") return cmd::Click{args.Control()};
    if (verb == "open") {
        // Every menu can open; only FileMenu, EditMenu and ScreenMenu have
        // an open handler, and the Help menu runs its own click.
        const ControlId menu = args.Control("MENU");
        const ControlKind kind = InfoOf(menu).kind;
        if (kind != ControlKind::Menu && kind != ControlKind::PopupMenu)
            args.Fail(std::string(NameOf(menu)) + " is not a menu");
        return cmd::Open{menu};
    }
    if (verb == "dblclick") {
        const ControlId panel = args.Control();
        if (panel != ControlId::lbP && panel != ControlId::rbP) args.Fail("a double click goes to lbP or rbP");
        return cmd::DoubleClick{panel};
    }
    if (verb == "updown") {
        const std::string& d = args.Word("up|down");
        if (d != "up" && d != "down") args.Fail("the arrow is up or down, not " + d);
        return cmd::UpDown{d == "up"};
    }
    if (verb == "drop") {
        cmd::Drop c;
        c.paths.push_back(args.Path());
        while (!args.AtEnd()) c.paths.push_back(args.Path());
        return c;
    }
    if (verb == "close") return cmd::Close{};
    if (verb == "key") return cmd::Key{KeyName(args.Word("KEYS"), args)};
    if (verb == "timer") {
        const std::string& which = args.Word("recovery");
        if (which != "recovery") args.Fail("the timer is recovery, not " + which);
        return cmd::RecoveryTimer{};
    }
    if (verb == "resize") {
        cmd::Resize c;
        c.width = args.Integer("W");
        c.height = args.Integer("H");
        return c;
    }
    if (verb == "clipboard") {
        if (args.PeekIs("empty")) {
            args.Word("empty");
            return cmd::SetClipboard{};
        }
        if (args.PeekIs("text")) {
            args.Word("text");
            args.String("TEXT");
            return cmd::SetClipboard{};
        }
        return cmd::SetClipboard{args.Path()};
    }
    if (verb == "saveclipboard") return cmd::SaveClipboard{args.Path()};
    if (verb == "dump") {
        cmd::Dump c;
        c.target = ParseTarget(args);
        c.path = args.Path();
        return c;
    }
    if (verb == "expect") return ParseExpect(args);
    throw ScriptError("unknown command " + verb);
}

}  // namespace

Command ParseCommand(const std::vector<Token>& tokens) {
    if (tokens.empty()) throw ScriptError("empty command");
    if (tokens[0].quoted) throw ScriptError("a line begins with a command, not a string");
    const std::string& verb = tokens[0].text;
    Arguments args(tokens, verb);
    Command command = ParseArguments(verb, args);
    args.End();
    return command;
}

std::optional<Command> ParseLine(std::string_view line) {
    const std::vector<Token> tokens = Tokenize(line);
    if (tokens.empty()) return std::nullopt;
    return ParseCommand(tokens);
}

bool IsCheck(const Command& command) {
    return std::holds_alternative<cmd::ExpectState>(command) || std::holds_alternative<cmd::ExpectControl>(command) ||
           std::holds_alternative<cmd::ExpectPixel>(command) || std::holds_alternative<cmd::ExpectSize>(command) ||
           std::holds_alternative<cmd::ExpectSame>(command) || std::holds_alternative<cmd::ExpectMessage>(command) ||
           std::holds_alternative<cmd::ExpectExists>(command) || std::holds_alternative<cmd::ExpectFileSize>(command) ||
           std::holds_alternative<cmd::ExpectOpened>(command) || std::holds_alternative<cmd::ExpectCell>(command) ||
           std::holds_alternative<cmd::ExpectFilePicture>(command) ||
           std::holds_alternative<cmd::ExpectFrames>(command) || std::holds_alternative<cmd::ExpectTerrain>(command);
}

}  // namespace script

// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/tessaro-script/Checks.h"

#include <filesystem>
#include <system_error>

#include "edit/EditorForm.h"
#include "io/FormWithFiles.h"
#include "io/PictureFile.h"
#include "tools/tessaro-script/ScriptError.h"
#include "tools/tessaro-script/Targets.h"
#include "tools/tessaro-script/Values.h"

namespace script {

namespace {

CheckOutcome Compare(const std::string& expected, std::string actual) {
    return {expected == actual, std::move(actual)};
}

std::string StateText(StateField field, const Session& s) {
    const EditorForm& f = s.form;
    switch (field) {
        case StateField::Modified: return YesNo(f.Modified);
        case StateField::UndoAvailable: return YesNo(f.UndoAvailable());
        case StateField::SheetGridShown: return YesNo(f.Def.SheetGridShown);
        case StateField::ToolMode: return std::to_string(f.Def.ToolMode);
        case StateField::Zoom: return std::to_string(f.Def.Zoom);
        case StateField::PenSize: return std::to_string(f.PenSize);
        case StateField::ChipSize: return std::to_string(f.Def.ChipSize);
        case StateField::SheetCols: return std::to_string(f.Def.SheetCols);
        case StateField::SheetRows: return std::to_string(f.Def.SheetRows);
        case StateField::CurCol: return std::to_string(f.CurCol);
        case StateField::CurRow: return std::to_string(f.CurRow);
        case StateField::PopupCol: return std::to_string(f.PopupCol);
        case StateField::PopupRow: return std::to_string(f.PopupRow);
        case StateField::StartX: return std::to_string(f.StartX);
        case StateField::StartY: return std::to_string(f.StartY);
        case StateField::LeftColor: return RgbText(f.LeftColor);
        case StateField::RightColor: return RgbText(f.RightColor);
        case StateField::GridLineColor: return RgbText(f.Def.GridLineColor);
        case StateField::FileName: return Quoted(f.project.FileName);
        case StateField::Caption: return Quoted(f.controls.Caption(ControlId::Form1));
        case StateField::WideLayout: return YesNo(f.WideLayoutOn());
        case StateField::Closed: return YesNo(s.platform.Closed());
        case StateField::BoardCols: return std::to_string(f.project.Board.Cols());
        case StateField::BoardRows: return std::to_string(f.project.Board.Rows());
        case StateField::WrapDrawing: return YesNo(f.WrapDrawing());
        case StateField::TransparentColor:
            return f.project.Sheet.TransparentColor ? RgbText(*f.project.Sheet.TransparentColor) : "none";
        case StateField::StrokeJoin: return YesNo(f.Options.strokeJoin);
        case StateField::KeysOn: return YesNo(f.Options.keys);
        case StateField::UndoSteps: return std::to_string(f.UndoSteps());
        case StateField::RedoSteps: return std::to_string(f.RedoSteps());
        case StateField::RecoveryCopy: return YesNo(f.Recovery.written);
    }
    return "?";
}

std::string ControlText(ControlCheck check, ControlId id, const Session& s) {
    const Controls& c = s.form.controls;
    switch (check) {
        case ControlCheck::Checked: return YesNo(c.Checked(id));
        case ControlCheck::Enabled: return YesNo(c.Enabled(id));
        case ControlCheck::Pressed: return YesNo(c.PressedTool() == id);
        case ControlCheck::Text: return Quoted(c.Caption(id));
        case ControlCheck::Colour: return RgbText(c.Colour(id));
        case ControlCheck::Position: return std::to_string(c.Position());
        case ControlCheck::Cursor: return c.Cursor() == EditCursor::Hand ? "hand" : "arrow";
    }
    return "?";
}

std::string SizeText(const canvas::Picture& p) { return std::to_string(p.Width()) + "x" + std::to_string(p.Height()); }

constexpr const char* NoClipboardBitmap = "no bitmap on the clipboard";

CheckOutcome Check(const cmd::ExpectState& c, Session& s) { return Compare(c.expected, StateText(c.field, s)); }

CheckOutcome Check(const cmd::ExpectControl& c, Session& s) {
    return Compare(c.expected, ControlText(c.check, c.control, s));
}

CheckOutcome Check(const cmd::ExpectPixel& c, Session& s) {
    const canvas::Picture* p = FindPicture(c.target, s);
    if (p == nullptr) return {false, NoClipboardBitmap};
    if (!p->Contains(c.x, c.y)) {
        std::string why = "(";
        why += std::to_string(c.x);
        why += ", ";
        why += std::to_string(c.y);
        why += ") outside the ";
        why += SizeText(*p);
        why += " picture";
        return {false, why};
    }
    return Compare(RgbText(c.colour), RgbText(p->GetPixel(c.x, c.y)));
}

CheckOutcome Check(const cmd::ExpectSize& c, Session& s) {
    const canvas::Picture* p = FindPicture(c.target, s);
    if (p == nullptr) return {false, NoClipboardBitmap};
    return Compare(std::to_string(c.width) + " " + std::to_string(c.height),
                   std::to_string(p->Width()) + " " + std::to_string(p->Height()));
}

CheckOutcome Check(const cmd::ExpectSame& c, Session& s) {
    const canvas::Picture* a = FindPicture(c.first, s);
    const canvas::Picture* b = FindPicture(c.second, s);
    if (a == nullptr || b == nullptr) return {false, NoClipboardBitmap};
    if (a->Width() != b->Width() || a->Height() != b->Height())
        return {false, "sizes " + SizeText(*a) + " and " + SizeText(*b)};
    for (int y = 0; y < a->Height(); ++y) {
        const auto rowA = a->Row(y);
        const auto rowB = b->Row(y);
        for (int x = 0; x < a->Width(); ++x) {
            if (rowA[x] != rowB[x])
                return {false, "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") " + RgbText(rowA[x]) +
                                   " and " + RgbText(rowB[x])};
        }
    }
    return {true, {}};
}

CheckOutcome Check(const cmd::ExpectMessage& c, Session& s) {
    const auto logged = s.platform.TakeMessage();
    if (!logged) return {false, "no message"};
    const std::string got = (logged->question ? "question " : "message ") + Quoted(logged->text);
    switch (c.kind) {
        case cmd::ExpectMessage::Kind::AnyMessage: return {!logged->question, got};
        case cmd::ExpectMessage::Kind::Message: return {!logged->question && logged->text == c.text, got};
        case cmd::ExpectMessage::Kind::Question: return {logged->question && logged->text == c.text, got};
    }
    return {false, got};
}

CheckOutcome Check(const cmd::ExpectExists& c, Session&) {
    std::error_code error;
    const bool exists = std::filesystem::exists(c.path, error);
    return Compare(YesNo(c.exists), YesNo(exists));
}

CheckOutcome Check(const cmd::ExpectFileSize& c, Session&) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(c.path, error);
    if (error) return {false, "no file (" + error.message() + ")"};
    return Compare(std::to_string(c.size), std::to_string(size));
}

CheckOutcome Check(const cmd::ExpectOpened& c, Session& s) {
    const auto& url = s.platform.LastOpenedUrl();
    if (!url) return {false, "no address opened"};
    return Compare(Quoted(c.url), Quoted(*url));
}

CheckOutcome Check(const cmd::ExpectCell& c, Session& s) {
    const TryOutBoard& board = s.form.project.Board;
    if (c.col < 0 || c.row < 0 || c.col >= board.Cols() || c.row >= board.Rows())
        return {false, "no cell (" + std::to_string(c.col) + ", " + std::to_string(c.row) + ") on the " +
                           std::to_string(board.Cols()) + " x " + std::to_string(board.Rows()) + " board"};
    const auto held = board.Held({c.col, c.row});
    auto text = [](const std::optional<std::pair<int, int>>& p) {
        return p ? std::to_string(p->first) + "," + std::to_string(p->second) : std::string("empty");
    };
    // Tiled's flags as letters, in the order h, v, d.
    auto letters = [](canvas::Orientation o) {
        std::string flags;
        if (canvas::Has(o, canvas::Orientation::Horizontal)) flags += 'h';
        if (canvas::Has(o, canvas::Orientation::Vertical)) flags += 'v';
        if (canvas::Has(o, canvas::Orientation::Diagonal)) flags += 'd';
        return flags.empty() ? std::string("-") : flags;
    };
    const std::string got = text(held ? std::optional(std::pair{held->chip.col, held->chip.row}) : std::nullopt) +
                            (c.orientation && held ? " " + letters(held->orientation) : "");
    return Compare(text(c.chip) + (c.orientation ? " " + *c.orientation : ""), got);
}

CheckOutcome Check(const cmd::ExpectFrames& c, Session& s) {
    if (!s.form.project.Sheet.Geometry().Contains(c.col, c.row))
        return {false, "no chip at column " + std::to_string(c.col) + ", row " + std::to_string(c.row)};
    const std::optional<ChipAnimation> animation = s.form.project.Sheet.Animations.Of({c.col, c.row});
    return Compare(c.expected, animation ? std::to_string(animation->frames) + " " + std::to_string(animation->frameMs)
                                         : std::string("1 0"));
}

CheckOutcome Check(const cmd::ExpectTerrain& c, Session& s) {
    const TryOutBoard& board = s.form.project.Board;
    if (c.col < 0 || c.row < 0 || c.col >= board.Cols() || c.row >= board.Rows())
        return {false, "no cell (" + std::to_string(c.col) + ", " + std::to_string(c.row) + ") on the " +
                           std::to_string(board.Cols()) + " x " + std::to_string(board.Rows()) + " board"};
    if (s.form.project.Sheet.Terrains().empty()) return {false, "no terrain"};
    // Without the brush, the first terrain.
    const bool marked = s.form.CellHasTerrain({c.col, c.row}, s.form.TerrainBrush.value_or(0));
    return Compare(c.marked ? "yes" : "no", marked ? "yes" : "no");
}

CheckOutcome Check(const cmd::ExpectFilePicture& c, Session&) {
    PictureWithAlpha picture;
    try {
        picture = LoadPictureWithAlpha(c.path);
    } catch (const std::exception& e) {
        return {false, std::string("no picture (") + e.what() + ")"};
    }
    const canvas::Picture& p = picture.colours;
    if (c.kind == cmd::ExpectFilePicture::Kind::Size)
        return Compare(c.expected, std::to_string(p.Width()) + " " + std::to_string(p.Height()));
    if (!p.Contains(c.x, c.y))
        return {false,
                "(" + std::to_string(c.x) + ", " + std::to_string(c.y) + ") outside the " + SizeText(p) + " picture"};
    if (c.kind == cmd::ExpectFilePicture::Kind::Pixel) return Compare(c.expected, RgbText(p.GetPixel(c.x, c.y)));
    const std::size_t at =
        static_cast<std::size_t>(c.y) * static_cast<std::size_t>(p.Width()) + static_cast<std::size_t>(c.x);
    return Compare(c.expected, std::to_string(picture.HasTransparency() ? picture.alpha[at] : 255));
}

}  // namespace

CheckOutcome RunCheck(const Command& check, Session& session) {
    return std::visit(
        [&](const auto& c) -> CheckOutcome {
            if constexpr (requires { Check(c, session); })
                return Check(c, session);
            else
                throw ScriptError("not a check");
        },
        check);
}

}  // namespace script

// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/tessaro-script/Actions.h"

#include <filesystem>
#include <span>
#include <stdexcept>
#include <system_error>
#include <utility>

#include "core/ControlTable.h"
#include "edit/EditorForm.h"
#include "formats/BmpWriter.h"
#include "io/AtomicFile.h"
#include "io/FormWithFiles.h"
#include "io/PictureFile.h"
#include "io/RememberedPreferences.h"
#include "tools/tessaro-script/ScriptError.h"
#include "tools/tessaro-script/Targets.h"
#include "tools/tessaro-script/Values.h"

namespace script {

namespace {

void RequireOpenWindow(const Session& s) {
    if (s.platform.Closed()) throw ScriptError("the main window is closed");
}

// Edit area, sheet view and pen button take the button too, though only the
// shift state decides there; the palette's button is the one in MODS.
MouseButton ButtonOf(ShiftState mods) {
    if (mods.Has(ShiftKey::Left)) return MouseButton::Left;
    if (mods.Has(ShiftKey::Right)) return MouseButton::Right;
    if (mods.Has(ShiftKey::Middle)) return MouseButton::Middle;
    return MouseButton::Left;
}

void WriteFile(const std::string& path, std::span<const std::uint8_t> bytes) {
    try {
        WriteFileAtomically(path, bytes);
    } catch (const std::exception& e) {
        throw ScriptError("cannot write " + path + ": " + e.what());
    }
}

void WriteBmp(const std::string& path, const canvas::Picture& picture) {
    const std::vector<std::uint8_t> bytes = bmp::Encode24(picture);
    WriteFile(path, bytes);
}

void Run(const cmd::Start&, Session& s) {
    if (s.started) throw ScriptError("start may come only once");
    s.started = true;
    RunAtEventBoundary(s, [&] { s.form.FormCreate(); });
    // As the window does once it is up.
    RunAtEventBoundary(s, [&] { s.form.OfferRecoveryCopies(); });
}

void Run(const cmd::Write& c, Session&) {
    const auto* data = reinterpret_cast<const std::uint8_t*>(c.text.data());
    WriteFile(c.path, std::span<const std::uint8_t>(data, c.text.size()));
}

void Run(const cmd::Remove& c, Session&) {
    std::error_code error;
    std::filesystem::remove(c.path, error);
    if (error) throw ScriptError("cannot remove " + c.path + ": " + error.message());
}

void Run(const cmd::Answer& c, Session& s) { s.platform.QueueAnswer(c.kind); }
void Run(const cmd::Choose& c, Session& s) { s.platform.QueueChoice(c.path); }
void Run(const cmd::PickColour& c, Session& s) { s.platform.QueueColour(c.colour); }
void Run(const cmd::Popup& c, Session& s) { s.platform.QueuePopup(c.item); }
void Run(const cmd::AutotileAnswer& c, Session& s) { s.platform.QueueAutotile(c.answer); }

void Run(const cmd::BoardSizeAnswer& c, Session& s) {
    if (c.size)
        s.platform.QueueBoardSize(Platform::BoardSize{c.size->first, c.size->second});
    else
        s.platform.QueueBoardSize(std::nullopt);
}

void Run(const cmd::FramesAnswer& c, Session& s) {
    if (c.frames)
        s.platform.QueueFrames(ChipAnimation{c.frames->first, c.frames->second});
    else
        s.platform.QueueFrames(std::nullopt);
}

void Run(const cmd::NewSheetAnswer& c, Session& s) { s.platform.QueueNewSheet(c.shape); }

void Run(const cmd::Mouse& c, Session& s) {
    RequireOpenWindow(s);
    EditorForm& f = s.form;
    const MouseButton button = ButtonOf(c.mods);
    // Positions are in the shown view's pixels; a view shown larger in the
    // roomy layout hands its own pixels to the handler, as in the window.
    auto at = [&](ControlId view) {
        return std::pair{f.Layout.PictureCoordinate(view, c.x), f.Layout.PictureCoordinate(view, c.y)};
    };
    RunAtEventBoundary(s, [&] {
        switch (c.view) {
            case View::Edit:
                if (c.press)
                    f.EditIMouseDown(button, c.mods, c.x, c.y);
                else
                    f.EditIMouseMove(c.mods, c.x, c.y);
                break;
            case View::Sheet: {
                const auto [x, y] = at(ControlId::ScreenI);
                if (c.press)
                    f.ScreenIMouseDown(button, c.mods, x, y);
                else
                    f.ScreenIMouseMove(c.mods, x, y);
                break;
            }
            case View::Palette: {
                const auto [x, y] = at(ControlId::Pallete);
                if (c.press)
                    f.PalleteMouseDown(button, c.mods, x, y);
                else
                    f.PalleteMouseMove(c.mods, x, y);
                break;
            }
            case View::PenB:
                // The pen button has no handler for moves.
                if (c.press) f.PenBMouseDown(button, c.mods, c.x, c.y);
                break;
            case View::Board:
                if (c.press)
                    f.BoardIMouseDown(button, c.mods, c.x, c.y);
                else
                    f.BoardIMouseMove(c.mods, c.x, c.y);
                break;
            case View::Tile:
                if (c.press)
                    f.TileIMouseDown(button, c.mods, c.x, c.y);
                else
                    f.TileIMouseMove(c.mods, c.x, c.y);
                break;
        }
    });
}

void Run(const cmd::Click& c, Session& s) {
    RequireOpenWindow(s);
    RunAtEventBoundary(s, [&] {
        try {
            s.form.Click(c.control);
        } catch (const std::invalid_argument&) {
            throw ScriptError(std::string(NameOf(c.control)) + " has no click handler");
        }
    });
}

void Run(const cmd::Open& c, Session& s) {
    RequireOpenWindow(s);
    RunAtEventBoundary(s, [&] {
        switch (c.menu) {
            case ControlId::FileMenu:
            case ControlId::EditMenu:
            case ControlId::ScreenMenu: s.form.OpenMenu(c.menu); break;
            // As in the window, where the Help menu's click comes as it opens.
            case ControlId::helpMenu: s.form.Click(c.menu); break;
            default: break;  // a menu without a handler of its own
        }
    });
}

void Run(const cmd::DoubleClick& c, Session& s) {
    RequireOpenWindow(s);
    RunAtEventBoundary(s, [&] { s.form.ColorSelect(c.panel); });
}

void Run(const cmd::UpDown& c, Session& s) {
    RequireOpenWindow(s);
    Controls& controls = s.form.controls;
    controls.SetPosition(controls.Position() + (c.up ? 1 : -1));
    RunAtEventBoundary(s, [&] { s.form.udRateMouseUp(); });
}

void Run(const cmd::Key& c, Session& s) {
    RequireOpenWindow(s);
    RunAtEventBoundary(s, [&] { s.form.ShortcutKey(c.keys); });
}

void Run(const cmd::RecoveryTimer&, Session& s) {
    RequireOpenWindow(s);
    RunAtEventBoundary(s, [&] { s.form.KeepRecoveryCopy(); });
}

void Run(const cmd::Drop& c, Session& s) {
    RequireOpenWindow(s);
    RunAtEventBoundary(s, [&] { s.form.WMDropFiles(c.paths); });
}

void Run(const cmd::Close&, Session& s) {
    RequireOpenWindow(s);
    RunAtEventBoundary(s, [&] { s.platform.RequestClose(); });
}

void Run(const cmd::Resize& c, Session& s) {
    RequireOpenWindow(s);
    if (!s.form.WideLayoutOn()) throw ScriptError("resize needs the roomy layout (WideMenu)");
    if (c.width <= 0 || c.height <= 0) throw ScriptError("a window size is positive");
    RunAtEventBoundary(s, [&] { s.form.ResizeClient(c.width, c.height); });
}

void Run(const cmd::SetClipboard& c, Session& s) {
    if (!c.path) {
        s.platform.SetClipboard(std::nullopt);
        return;
    }
    try {
        s.platform.SetClipboard(LoadPictureFile(*c.path));
    } catch (const std::exception& e) {
        throw ScriptError("cannot load " + *c.path + " for the clipboard: " + e.what());
    }
}

void Run(const cmd::SaveClipboard& c, Session& s) {
    const auto& clip = s.platform.Clipboard();
    if (!clip) throw ScriptError("no bitmap on the clipboard to save");
    WriteBmp(c.path, *clip);
}

void Run(const cmd::Dump& c, Session& s) {
    const canvas::Picture* picture = FindPicture(c.target, s);
    if (picture == nullptr) throw ScriptError("no bitmap on the clipboard to dump");
    if (picture->IsEmpty()) throw ScriptError(TargetName(c.target) + " is an empty picture");
    WriteBmp(c.path, *picture);
}

}  // namespace

void RunAtEventBoundary(Session& session, const std::function<void()>& handler) {
    try {
        handler();
    } catch (const ScriptError&) {
        throw;
    } catch (const std::exception& e) {
        session.platform.LogError(e.what());
    }
    // As the window does before it shows the changes of an event.
    session.form.FollowTerrains();
    session.form.UpdateTilePreview();
    session.form.FollowDuplicates();
    session.form.ShowTransparentColour();
    KeepPreferences(session.form);
    if (auto swallowed = session.platform.TakePendingError()) throw ScriptError(*swallowed);
}

void RunAction(const Command& action, Session& session) {
    std::visit(
        [&](const auto& c) {
            if constexpr (requires { Run(c, session); })
                Run(c, session);
            else
                throw ScriptError("a check is not an action");
        },
        action);
}

}  // namespace script

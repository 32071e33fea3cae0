// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/tessaro-script/ScriptedPlatform.h"

#include <filesystem>
#include <system_error>

#include "core/ControlTable.h"
#include "core/Form.h"
#include "edit/EditorForm.h"
#include "io/FormWithFiles.h"
#include "tools/tessaro-script/ScriptError.h"
#include "tools/tessaro-script/Values.h"

namespace script {

namespace {

std::string Plural(std::size_t n, const char* word) { return std::to_string(n) + " " + word + (n == 1 ? "" : "s"); }

bool HasExtension(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const auto dot = path.find_last_of('.');
    return dot != std::string::npos && (slash == std::string::npos || dot > slash);
}

// The picture dialogs have the default extension "bmp" (the map dialogs
// "tmx"): a name typed without an extension gets it, as in the window. The
// open dialog takes an existing file (or directory) by the name typed first.
std::optional<std::string> WithDefaultExtension(std::optional<std::string> path, bool open,
                                                const char* extension = ".bmp") {
    if (!path || HasExtension(*path)) return path;
    std::error_code error;
    if (open && std::filesystem::exists(*path, error)) return path;
    if (!open && std::filesystem::is_directory(*path, error)) return path;
    return *path + extension;
}

}  // namespace

void ScriptedPlatform::Fail(const std::string& reason) {
    if (!pendingError_) pendingError_ = reason;
    throw ScriptError(reason);
}

std::optional<std::string> ScriptedPlatform::TakePendingError() {
    std::optional<std::string> error = std::move(pendingError_);
    pendingError_.reset();
    return error;
}

std::optional<ScriptedPlatform::LoggedMessage> ScriptedPlatform::TakeMessage() {
    if (messages_.empty()) return std::nullopt;
    LoggedMessage m = std::move(messages_.front());
    messages_.pop_front();
    return m;
}

void ScriptedPlatform::Log(LoggedMessage message) {
    shown_.push_back(message);
    messages_.push_back(std::move(message));
}

void ScriptedPlatform::ShowMessage(const std::string& text) { Log({false, text}); }

cmd::AnswerKind ScriptedPlatform::TakeAnswer(const std::string& question) {
    Log({true, question});
    if (answers_.empty()) Fail("the question " + Quoted(question) + " had no answer queued (answer ok|cancel)");
    const cmd::AnswerKind answer = answers_.front();
    answers_.pop_front();
    return answer;
}

bool ScriptedPlatform::AskQuestion(const std::string& text) {
    const cmd::AnswerKind answer = TakeAnswer(text);
    if (answer == cmd::AnswerKind::Discard)
        Fail("the question " + Quoted(text) + " has only OK and Cancel, not discard");
    return answer == cmd::AnswerKind::Ok;
}

Platform::RestoreAnswer ScriptedPlatform::AskRestore(const std::string& text) {
    switch (TakeAnswer(text)) {
        case cmd::AnswerKind::Ok: return RestoreAnswer::Restore;
        case cmd::AnswerKind::Discard: return RestoreAnswer::Discard;
        case cmd::AnswerKind::Cancel: break;
    }
    return RestoreAnswer::Later;
}

std::optional<std::string> ScriptedPlatform::TakeChoice(const char* dialog) {
    if (choices_.empty()) Fail(std::string("the ") + dialog + " had no choice queued (choose PATH|cancel)");
    std::optional<std::string> choice = std::move(choices_.front());
    choices_.pop_front();
    return choice;
}

std::optional<std::string> ScriptedPlatform::PictureOpenDialog() {
    return WithDefaultExtension(TakeChoice("picture open dialog"), true);
}
std::optional<std::string> ScriptedPlatform::PictureSaveDialog() {
    return WithDefaultExtension(TakeChoice("picture save dialog"), false);
}
std::optional<std::string> ScriptedPlatform::NumberedSaveDialog() { return TakeChoice("numbered save dialog"); }

std::optional<std::string> ScriptedPlatform::MapOpenDialog() {
    return WithDefaultExtension(TakeChoice("map open dialog"), true, ".tmx");
}
std::optional<std::string> ScriptedPlatform::MapSaveDialog() {
    return WithDefaultExtension(TakeChoice("map save dialog"), false, ".tmx");
}

std::optional<Platform::BoardSize> ScriptedPlatform::BoardSizeDialog(int, int) {
    if (boardSizes_.empty()) Fail("the board size dialog had no answer queued (boardsize W H|cancel)");
    const std::optional<BoardSize> size = boardSizes_.front();
    boardSizes_.pop_front();
    return size;
}

std::optional<ChipAnimation> ScriptedPlatform::AnimationDialog(ChipAnimation) {
    if (frames_.empty()) Fail("the animation frames dialog had no answer queued (frames N MS|cancel)");
    const std::optional<ChipAnimation> frames = frames_.front();
    frames_.pop_front();
    return frames;
}

std::optional<Platform::AutotileAnswer> ScriptedPlatform::AutotileDialog(const AutotileAnswer&) {
    if (autotiles_.empty()) Fail("the autotile dialog had no answer queued (autotile SC SR DC DR NAME|cancel)");
    std::optional<AutotileAnswer> answer = std::move(autotiles_.front());
    autotiles_.pop_front();
    return answer;
}

std::optional<SheetGeometry> ScriptedPlatform::NewSheetDialog(const SheetGeometry&) {
    if (newSheets_.empty()) Fail("the new-sheet dialog had no answer queued (newsheet SIZE COLS ROWS|cancel)");
    const std::optional<SheetGeometry> shape = newSheets_.front();
    newSheets_.pop_front();
    return shape;
}

std::optional<canvas::Colour> ScriptedPlatform::ColourDialog(std::optional<canvas::Colour>) {
    if (colours_.empty()) Fail("the colour dialog had no colour queued (pickcolor R,G,B|cancel)");
    const std::optional<canvas::Colour> colour = colours_.front();
    colours_.pop_front();
    return colour;
}

std::optional<ControlId> ScriptedPlatform::PopupMenu(ControlId menu, ControlId, int, int) {
    const std::string menuName(NameOf(menu));
    if (popups_.empty()) Fail("the pop-up menu " + menuName + " had no choice queued (popup ITEM|none)");
    const std::optional<ControlId> item = popups_.front();
    popups_.pop_front();
    if (item) {
        const std::string itemName(NameOf(*item));
        if (InfoOf(*item).parent != menu) Fail("popup " + itemName + ": not an item of the pop-up menu " + menuName);
        if (form_ != nullptr && !form_->controls.Enabled(*item))
            Fail("popup " + itemName + ": the item is disabled when " + menuName + " opens");
    }
    return item;
}

void ScriptedPlatform::RequestClose() {
    if (form_ == nullptr) return;
    TCloseAction action = TCloseAction::caFree;
    form_->FormClose(action);
    if (action != TCloseAction::caNone) closed_ = true;
}

std::string ScriptedPlatform::Leftovers() const {
    std::string text;
    auto add = [&](const std::string& part) { text += (text.empty() ? "" : "; ") + part; };
    if (!answers_.empty()) add(Plural(answers_.size(), "answer") + " left unused");
    if (!choices_.empty()) add(Plural(choices_.size(), "choose answer") + " left unused");
    if (!colours_.empty()) add(Plural(colours_.size(), "pickcolor answer") + " left unused");
    if (!popups_.empty()) add(Plural(popups_.size(), "popup answer") + " left unused");
    if (!boardSizes_.empty()) add(Plural(boardSizes_.size(), "boardsize answer") + " left unused");
    if (!frames_.empty()) add(Plural(frames_.size(), "frames answer") + " left unused");
    if (!autotiles_.empty()) add(Plural(autotiles_.size(), "autotile answer") + " left unused");
    if (!newSheets_.empty()) add(Plural(newSheets_.size(), "newsheet answer") + " left unused");
    if (!messages_.empty()) {
        std::string list;
        for (const LoggedMessage& m : messages_)
            list += std::string(list.empty() ? "" : ", ") + (m.question ? "question " : "message ") + Quoted(m.text);
        add(Plural(messages_.size(), "message") + " left unchecked: " + list);
    }
    return text;
}

}  // namespace script

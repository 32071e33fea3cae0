#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/Platform.h"

namespace cli {

// The Platform of the command line: there is nobody to ask. A save dialog
// is answered with the output path the command was given, the overwrite
// question with yes (outputs of a build are replaced, as make expects), and
// every message is kept for the command to report as an error or a note.
// Nothing else is ever asked for; should it be, it counts as cancelled.
class CliPlatform : public Platform {
public:
    // The answer of the next save dialog, picture or numbered.
    void AnswerNextSave(const std::string& path) { nextSave_ = path; }
    // True when a save dialog took the answer given above.
    bool SaveAnswered() const { return !nextSave_; }
    // The messages shown since the last call, oldest first.
    std::vector<std::string> TakeMessages();

    void ShowMessage(const std::string& text) override { messages_.push_back(text); }
    bool AskQuestion(const std::string& text) override;
    std::optional<std::string> PictureOpenDialog() override { return std::nullopt; }
    std::optional<std::string> PictureSaveDialog() override { return TakeSave(); }
    std::optional<std::string> NumberedSaveDialog() override { return TakeSave(); }
    std::optional<canvas::Colour> ColourDialog(std::optional<canvas::Colour>) override { return std::nullopt; }
    std::optional<ControlId> PopupMenu(ControlId, ControlId, int, int) override { return std::nullopt; }
    std::optional<BoardSize> BoardSizeDialog(int, int) override { return std::nullopt; }
    std::optional<std::string> MapOpenDialog() override { return std::nullopt; }
    std::optional<std::string> MapSaveDialog() override { return std::nullopt; }
    bool ClipboardHasBitmap() override { return false; }
    void ClipboardPut(const canvas::Picture&, const std::vector<std::uint8_t>&) override {}
    std::optional<canvas::Picture> ClipboardTake() override { return std::nullopt; }
    void OpenUrl(const std::string&) override {}
    void RequestClose() override {}

private:
    std::optional<std::string> TakeSave();

    std::optional<std::string> nextSave_;
    std::vector<std::string> messages_;
};

}  // namespace cli

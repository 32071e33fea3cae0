// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <deque>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/Platform.h"

// A Platform for unit tests: answers come from queues filled by the test, and
// everything the editor shows is recorded. An interaction without a queued
// answer fails the test by throwing.
class FakePlatform : public Platform {
public:
    struct Shown {
        bool question;
        std::string text;
    };
    struct PopupCall {
        ControlId menu;
        ControlId origin;
        int x, y;
    };

    std::deque<bool> questionAnswers;
    std::deque<std::optional<std::string>> fileAnswers;
    std::deque<std::optional<canvas::Colour>> colourAnswers;
    std::deque<std::optional<ControlId>> popupAnswers;
    std::deque<std::optional<BoardSize>> boardSizeAnswers;
    std::deque<std::optional<ChipAnimation>> animationAnswers;
    std::optional<canvas::Picture> clipboard;

    std::vector<Shown> shown;
    std::vector<PopupCall> popups;
    std::vector<std::string> openedUrls;
    int closeRequests = 0;

    void ShowMessage(const std::string& text) override { shown.push_back({false, text}); }
    bool AskQuestion(const std::string& text) override {
        shown.push_back({true, text});
        return Take(questionAnswers, "question");
    }
    std::optional<std::string> PictureOpenDialog() override { return Take(fileAnswers, "open dialog"); }
    std::optional<std::string> PictureSaveDialog() override { return Take(fileAnswers, "save dialog"); }
    std::optional<std::string> NumberedSaveDialog() override { return Take(fileAnswers, "numbered save dialog"); }
    std::optional<canvas::Colour> ColourDialog(std::optional<canvas::Colour>) override {
        return Take(colourAnswers, "colour dialog");
    }
    std::optional<ControlId> PopupMenu(ControlId menu, ControlId origin, int x, int y) override {
        popups.push_back({menu, origin, x, y});
        return Take(popupAnswers, "pop-up menu");
    }
    std::optional<BoardSize> BoardSizeDialog(int, int) override { return Take(boardSizeAnswers, "board size dialog"); }
    std::optional<ChipAnimation> AnimationDialog(ChipAnimation) override {
        return Take(animationAnswers, "animation dialog");
    }
    std::optional<std::string> MapOpenDialog() override { return Take(fileAnswers, "map open dialog"); }
    std::optional<std::string> MapSaveDialog() override { return Take(fileAnswers, "map save dialog"); }
    bool ClipboardHasBitmap() override { return clipboard.has_value(); }
    void ClipboardPut(const canvas::Picture& picture, const std::vector<std::uint8_t>&) override {
        clipboard = picture;
    }
    std::optional<canvas::Picture> ClipboardTake() override { return clipboard; }
    void OpenUrl(const std::string& url) override { openedUrls.push_back(url); }
    void RequestClose() override { ++closeRequests; }

private:
    template <typename T>
    static T Take(std::deque<T>& queue, const char* what) {
        if (queue.empty()) throw std::logic_error(std::string("unexpected ") + what);
        T answer = queue.front();
        queue.pop_front();
        return answer;
    }
};

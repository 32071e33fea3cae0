// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/tessaro-cli/Progress.h"

namespace cli {
namespace {
constexpr auto Quiet = std::chrono::seconds(1);
constexpr auto TerminalStep = std::chrono::milliseconds(100);
constexpr auto LogStep = std::chrono::seconds(1);
}  // namespace

void Progress::Update(const std::string& what, std::size_t done, std::size_t total, Clock::time_point now) {
    if (!enabled_) return;
    line_ = "tessaro-cli: " + std::to_string(done) + "/" + std::to_string(total) + " " + what;
    if (now - start_ < Quiet) return;
    if (shown_ && now - lastShown_ < (terminal_ ? TerminalStep : LogStep) && done != total) return;
    Show(now);
}

void Progress::Show(Clock::time_point now) {
    if (line_ == lastLine_) return;
    if (terminal_) {
        // Blanks over what is left of a longer earlier line.
        const std::size_t pad = lastLine_.size() > line_.size() ? lastLine_.size() - line_.size() : 0;
        err_ << '\r' << line_ << std::string(pad, ' ') << std::flush;
    } else {
        err_ << line_ << '\n' << std::flush;
    }
    shown_ = true;
    lastShown_ = now;
    lastLine_ = line_;
}

void Progress::Finish() {
    if (!shown_) return;
    Show(Clock::now());
    if (terminal_) err_ << '\n' << std::flush;
    shown_ = false;
}

}  // namespace cli

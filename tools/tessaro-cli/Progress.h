// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstddef>
#include <ostream>
#include <string>

namespace cli {

// The progress line on standard error: shown only once a command has run
// for a second, so that quick work prints nothing. On a terminal the line is
// rewritten in place; elsewhere (a build log) a line is added at most once a
// second, and once more at the end.
class Progress {
public:
    using Clock = std::chrono::steady_clock;

    Progress(std::ostream& err, bool enabled, bool terminal, Clock::time_point start = Clock::now())
        : err_(err), enabled_(enabled), terminal_(terminal), start_(start) {}

    // `what` names the unit counted ("chips read").
    void Update(const std::string& what, std::size_t done, std::size_t total, Clock::time_point now = Clock::now());
    // Ends the line if one was shown.
    void Finish();

private:
    void Show(Clock::time_point now);

    std::ostream& err_;
    bool enabled_;
    bool terminal_;
    Clock::time_point start_;
    Clock::time_point lastShown_{};
    bool shown_ = false;
    std::string line_;
    std::string lastLine_;
};

}  // namespace cli

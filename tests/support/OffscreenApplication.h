// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QTemporaryDir>

// The application of the window tests and the window benchmarks: Qt's
// offscreen platform (unless QT_QPA_PLATFORM names another), the editor's
// application set-up, and a scratch working directory, so that no ./tsr.def
// changes the window at start-up.
class OffscreenApplication {
public:
    OffscreenApplication(int& argc, char** argv);

    // False when the scratch directory could not be made the working directory.
    bool Ready() const { return ready_; }

private:
    static int& BeforeStart(int& argc);

    QApplication app_;
    QTemporaryDir scratch_;
    bool ready_ = false;
};

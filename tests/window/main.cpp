// SPDX-License-Identifier: GPL-3.0-or-later
// The window tests run the real window on Qt's offscreen platform, in a
// scratch working directory of their own (the editor reads ./tsr.def at
// start-up).
#include <cstdlib>

#include <gtest/gtest.h>
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include "tests/support/OffscreenApplication.h"

namespace {

// A box or menu that no test step answers would wait for a user forever:
// after a while it is closed and the test fails, naming it.
class ModalWatchdog : public ::testing::EmptyTestEventListener {
public:
    ModalWatchdog() {
        timer_.setInterval(20000);
        QObject::connect(&timer_, &QTimer::timeout, [] {
            for (QWidget* stuck : {QApplication::activePopupWidget(), QApplication::activeModalWidget()}) {
                if (!stuck) continue;
                ADD_FAILURE() << "nothing answered " << stuck->metaObject()->className() << " \""
                              << stuck->windowTitle().toStdString() << "\"";
                stuck->close();
            }
        });
    }
    void OnTestStart(const ::testing::TestInfo&) override { timer_.start(); }
    void OnTestEnd(const ::testing::TestInfo&) override { timer_.stop(); }

private:
    QTimer timer_;
};

}  // namespace

int main(int argc, char* argv[]) {
    OffscreenApplication app(argc, argv);
    if (!app.Ready()) return EXIT_FAILURE;
    // Recovery copies stay in the scratch directory: no window sees the
    // user's own. The kept settings are this process's own, so that tests
    // run side by side never start with another's.
    qputenv("XDG_STATE_HOME", QDir::current().absoluteFilePath(QStringLiteral("state")).toUtf8());
    const QTemporaryDir config;
    if (!config.isValid()) return EXIT_FAILURE;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new ModalWatchdog);
    return RUN_ALL_TESTS();
}

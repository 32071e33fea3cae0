// The window tests run the real window on Qt's offscreen platform, in a
// scratch working directory of their own (the editor reads ./tsr.def at
// start-up).
#include <cstdlib>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "ui/Application.h"

namespace {

// The offscreen platform warns about every window feature it lacks (size
// hints, raising, keyboard grabs); that says nothing about the window.
void QuietMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.startsWith(QLatin1String("This plugin does not support"))) return;
    qt_message_output(type, context, text);
}

}  // namespace

int main(int argc, char* argv[]) {
    qInstallMessageHandler(QuietMessages);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ui::SetUpApplication(app);
    QTemporaryDir scratch;
    if (!scratch.isValid() || !QDir::setCurrent(scratch.path())) return EXIT_FAILURE;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

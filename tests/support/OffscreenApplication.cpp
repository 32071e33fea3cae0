// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/OffscreenApplication.h"

#include <QDir>

#include "ui/Application.h"

namespace {

// The offscreen platform warns about every window feature it lacks (size
// hints, raising, keyboard grabs); that says nothing about the window.
void QuietMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.startsWith(QLatin1String("This plugin does not support"))) return;
    qt_message_output(type, context, text);
}

}  // namespace

int& OffscreenApplication::BeforeStart(int& argc) {
    qInstallMessageHandler(QuietMessages);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    return argc;
}

OffscreenApplication::OffscreenApplication(int& argc, char** argv) : app_(BeforeStart(argc), argv) {
    ui::SetUpApplication(app_);
    ready_ = scratch_.isValid() && QDir::setCurrent(scratch_.path());
}

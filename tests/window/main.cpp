// The window tests run the real window on Qt's offscreen platform, in a
// scratch working directory of their own (the editor reads ./tsr.def at
// start-up).
#include <cstdlib>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include "ui/Application.h"

namespace {

// The offscreen platform warns about every window feature it lacks (size
// hints, raising, keyboard grabs); that says nothing about the window.
void QuietMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.startsWith(QLatin1String("This plugin does not support"))) return;
    qt_message_output(type, context, text);
}

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
    qInstallMessageHandler(QuietMessages);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ui::SetUpApplication(app);
    QTemporaryDir scratch;
    if (!scratch.isValid() || !QDir::setCurrent(scratch.path())) return EXIT_FAILURE;
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new ModalWatchdog);
    return RUN_ALL_TESTS();
}

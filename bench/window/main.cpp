// The window benchmarks run the real window on Qt's offscreen platform (unless
// QT_QPA_PLATFORM names another), in a scratch working directory, so that no
// ./tsr.def changes the view they measure.

#include <benchmark/benchmark.h>

#include <cstdlib>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include "ui/Application.h"

namespace {

// The offscreen platform warns on every window it shows that it cannot pass
// size hints on.
void QuietMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.contains(QLatin1String("propagateSizeHints"))) return;
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
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return EXIT_FAILURE;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return EXIT_SUCCESS;
}

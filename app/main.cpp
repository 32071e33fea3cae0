#include <cstdio>
#include <string>
#include <vector>

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>

#include "app/StartupMemory.h"
#include "ui/Application.h"
#include "ui/MainWindow.h"

namespace {

// As Qt's parser with its Japanese translation prints it.
void PrintUsage(const char* program) {
    std::printf(
        "使い方: %s [オプション] [FILE]\n"
        "Tessaro: a pixel editor for the map chips of role-playing games\n"
        "\n"
        "オプション:\n"
        "  -h, --help     Displays help on commandline options.\n"
        "  --help-all     Displays help including Qt specific options.\n"
        "  -v, --version  Displays version information.\n"
        "\n"
        "引数:\n"
        "  FILE           a picture that opens as the sheet\n",
        program);
}

}  // namespace

int main(int argc, char* argv[]) {
    // Answered before the application is made, which needs a display.
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--") break;
        if (arg == "-h" || arg == "--help" || arg == "-?") {
            PrintUsage(argv[0]);
            return 0;
        }
        if (arg == "-v" || arg == "--version") {
            std::printf("tessaro %s\n", TESSARO_VERSION);
            return 0;
        }
    }
    QApplication app(argc, argv);
    ui::SetUpApplication(app);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Tessaro: a pixel editor for the map chips of role-playing games"));
    parser.addHelpOption();
    // Qt's own version option would print the application title, which is
    // not the program's name.
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Displays version information."));
    parser.addOption(version);
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("a picture that opens as the sheet"),
                                 QStringLiteral("[FILE]"));
    parser.process(app);
    if (parser.isSet(version)) {
        std::printf("tessaro %s\n", TESSARO_VERSION);
        return 0;
    }

    ui::MainWindow window;
    ReleaseStartupMemoryAfterFirstPaint(window);
    window.show();
    // A file named on the command line opens as a file dropped onto the
    // window does, by its whole path, once the window is up.
    std::vector<std::string> files;
    for (const QString& name : parser.positionalArguments())
        files.push_back(QFileInfo(name).absoluteFilePath().toStdString());
    window.OpenDroppedFiles(files);
    return QApplication::exec();
}

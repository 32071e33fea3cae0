#include <cstdio>
#include <string>
#include <vector>

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>

#include "app/StartupMemory.h"
#include "ui/Application.h"
#include "ui/MainWindow.h"

int main(int argc, char* argv[]) {
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

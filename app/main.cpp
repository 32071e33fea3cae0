// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>

#include "app/StartupMemory.h"
#include "core/Translation.h"
#include "edit/EditorForm.h"
#include "io/FormWithFiles.h"
#include "io/RememberedPreferences.h"
#include "ui/Application.h"
#include "ui/Language.h"
#include "ui/MainWindow.h"

namespace {

// Laid out as Qt's parser prints its help; in English with "--lang en".
void PrintUsage(const char* program) {
    const std::string usage = Tr(TSR_MESSAGE("main",
                                             "使い方: %1 [オプション] [ファイル]\n"
                                             "Tessaro: RPG のマップチップを描くドットエディタ\n"
                                             "\n"
                                             "オプション:\n"
                                             "  -h, --help     コマンドラインオプションの説明を表示します。\n"
                                             "  --help-all     Qt 固有のオプションも含めて説明を表示します。\n"
                                             "  -v, --version  バージョン情報を表示します。\n"
                                             "  --lang <lang>  表示の言語: 英語 (en) または日本語 (ja)。\n"
                                             "\n"
                                             "引数:\n"
                                             "  ファイル       シートとして開く画像ファイル\n"),
                                 {program});
    std::fputs(usage.c_str(), stdout);
}

// For the help, which is printed before Qt parses the command line: the
// language named by "--lang en" or "--lang=en" (or ja); the last one counts.
std::optional<bool> EnglishOption(int argc, char* argv[]) {
    std::optional<bool> english;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--") break;
        std::string value;
        if (arg == "--lang" && i + 1 < argc)
            value = argv[++i];
        else if (arg.starts_with("--lang="))
            value = arg.substr(7);
        else
            continue;
        if (value == "en" || value == "ja") english = value == "en";
    }
    return english;
}

}  // namespace

int main(int argc, char* argv[]) {
    // Answered before the application is made, which needs a display.
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--") break;
        if (arg == "-h" || arg == "--help" || arg == "-?") {
            // Without a display: the translation needs an application, not a window.
            const std::optional<bool> english = EnglishOption(argc, argv);
            if (english == true) {
                QCoreApplication core(argc, argv);
                ui::UseEnglish(true);
                PrintUsage(argv[0]);
                return 0;
            }
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
    const QCommandLineOption lang(QStringLiteral("lang"), QStringLiteral("Texts in English (en) or Japanese (ja)."),
                                  QStringLiteral("lang"));
    parser.addOption(lang);
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("a picture that opens as the sheet"),
                                 QStringLiteral("[FILE]"));
    parser.process(app);
    if (parser.isSet(version)) {
        std::printf("tessaro %s\n", TESSARO_VERSION);
        return 0;
    }

    std::optional<bool> english;
    if (parser.isSet(lang)) {
        const QString value = parser.value(lang);
        if (value != QStringLiteral("en") && value != QStringLiteral("ja")) {
            std::fprintf(stderr, "%s: unknown language \"%s\" (en or ja)\n", argv[0], value.toUtf8().constData());
            return 2;
        }
        english = value == QStringLiteral("en");
    }

    ui::MainWindow window;
    ReleaseStartupMemoryAfterFirstPaint(window);
    // The command line wins over the settings file, for this run only: the
    // start alone keeps nothing.
    if (english) {
        EditorForm& form = window.Form();
        form.SetEnglish(*english);
        ShowAsStarted(form);
        window.ShowChanges();
    }
    window.show();
    // A file named on the command line opens as a file dropped onto the
    // window does, by its whole path, once the window is up.
    std::vector<std::string> files;
    for (const QString& name : parser.positionalArguments())
        files.push_back(QFileInfo(name).absoluteFilePath().toStdString());
    window.OpenDroppedFiles(files);
    return QApplication::exec();
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Application.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

#include "core/Form.h"
#include "ui/ApplicationIcon.h"
#include "ui/Language.h"

namespace ui {

QString JapaneseFontFamily() {
    QStringList families = QFontDatabase::families(QFontDatabase::Japanese);
    // A system without a Japanese font (Windows without its Japanese
    // support) gets the IPA font that comes with the program there.
    if (families.isEmpty()) {
        const int id = QFontDatabase::addApplicationFont(QCoreApplication::applicationDirPath() + "/fonts/ipagp.ttf");
        if (id >= 0) families = QFontDatabase::applicationFontFamilies(id);
    }
    for (const QString& wanted : {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")})
        if (families.contains(wanted)) return wanted;
    return families.isEmpty() ? QString() : families.first();
}

void SetUpApplication(QApplication& app) {
    // The application name, not its display name: Qt would append a display
    // name to the window's caption.
    QApplication::setApplicationName(QString::fromUtf8(TForm1::ApplicationTitle));
    app.setProperty("helpFile", QString::fromUtf8(TForm1::HelpFile));
    // Every window of the application (dialogs and message boxes too) and
    // the task bar show the icon.
    QApplication::setWindowIcon(ApplicationIcon());
    // The desktop shells find the menu entry, and with it the icon, by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.tessaro"));
    // Qt's own dialogs (file, colour, their questions) speak the window's
    // language, whatever the system's locale; without Qt's Japanese
    // translation installed they stay in English.
    UseEnglish(false);
    QFont font(JapaneseFontFamily());
    font.setPixelSize(12);
    QApplication::setFont(font);
}

}  // namespace ui

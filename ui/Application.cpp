#include "ui/Application.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

#include "core/Form.h"

namespace ui {

QString JapaneseFontFamily() {
    const QStringList families = QFontDatabase::families(QFontDatabase::Japanese);
    for (const QString& wanted : {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")})
        if (families.contains(wanted)) return wanted;
    return families.isEmpty() ? QString() : families.first();
}

void SetUpApplication(QApplication& app) {
    // The application name, not its display name: Qt would append a display
    // name to the window's caption.
    QApplication::setApplicationName(QString::fromUtf8(TForm1::ApplicationTitle));
    app.setProperty("helpFile", QString::fromUtf8(TForm1::HelpFile));
    QFont font(JapaneseFontFamily());
    font.setPixelSize(12);
    QApplication::setFont(font);
}

}  // namespace ui

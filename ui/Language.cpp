// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Language.h"

#include <string>

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

#include "core/Translation.h"
#include "ui/MenuBuilder.h"

namespace ui {

namespace {

std::string TranslateWithQt(const char* context, const char* text) {
    return QCoreApplication::translate(context, text).toStdString();
}

// Loaded on first use and then kept; installed while their language is on.
QTranslator* QtJapanese() {
    static QTranslator* translator = [] {
        auto* t = new QTranslator(QCoreApplication::instance());
        if (!t->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            delete t;
            return static_cast<QTranslator*>(nullptr);
        }
        return t;
    }();
    return translator;
}

QTranslator* English() {
    static QTranslator* translator = [] {
        auto* t = new QTranslator(QCoreApplication::instance());
        const QString file = FindTranslation(QStringLiteral("tessaro_en.qm"));
        if (file.isEmpty() || !t->load(file)) {
            delete t;
            return static_cast<QTranslator*>(nullptr);
        }
        return t;
    }();
    return translator;
}

}  // namespace

QString FindTranslation(const QString& fileName) {
    const QString programDir = QCoreApplication::applicationDirPath();
    const QStringList dirs = {
        programDir + QStringLiteral("/translations"),
        programDir + QStringLiteral("/../share/tessaro/translations"),
#ifdef TESSARO_BUILD_TRANSLATIONS
        QStringLiteral(TESSARO_BUILD_TRANSLATIONS),
#endif
    };
    for (const QString& dir : dirs) {
        const QFileInfo file(dir + QLatin1Char('/') + fileName);
        if (file.isFile()) return file.absoluteFilePath();
    }
    return {};
}

bool UseEnglish(bool english) {
    QTranslator* japanese = QtJapanese();
    QTranslator* own = English();
    const bool found = !english || own;
    const bool toEnglish = english && own;
    if (japanese) {
        if (toEnglish)
            QCoreApplication::removeTranslator(japanese);
        else
            QCoreApplication::installTranslator(japanese);
    }
    if (own) {
        if (toEnglish)
            QCoreApplication::installTranslator(own);
        else
            QCoreApplication::removeTranslator(own);
    }
    SetTranslator(toEnglish ? &TranslateWithQt : nullptr);
    return found;
}

QString CaptionText(std::string_view caption) { return Text(Translated(ControlsContext, caption)); }

}  // namespace ui

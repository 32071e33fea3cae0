// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include <QString>

namespace ui {

// The language the window speaks: Japanese, the language the texts are
// written in, or English from translations/tessaro_en.qm. Qt's own dialogs
// follow (Qt's Japanese translation only while Japanese is chosen).
// Returns false when English was asked for and its translation file was
// not found; the texts then stay Japanese.
bool UseEnglish(bool english);

// Where the translation files are looked for: beside the program (a build),
// in the installed data folder, and in the build folder they were made in.
QString FindTranslation(const QString& fileName);

// A caption or hint of the control table, in the window's language.
QString CaptionText(std::string_view caption);

}  // namespace ui

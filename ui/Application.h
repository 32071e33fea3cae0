// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QApplication;

namespace ui {

// The application-wide settings of the editor: its title (the title of its
// message boxes), its help file name, and the Japanese proportional gothic
// font of 12 pixels.
void SetUpApplication(QApplication& app);

// The family used for the window's texts: IPAPGothic when the system has it,
// otherwise any family that can write Japanese.
QString JapaneseFontFamily();

}  // namespace ui

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FittedPanel.h"

#include <algorithm>

#include <QApplication>
#include <QLabel>

namespace ui {

namespace {

constexpr int SmallestPixelSize = 6;

// The width the label needs for its text in its font: the text, the indent
// on both sides (a label indents both edges when aligned to one) and the frame.
int NeededWidth(const QLabel& panel, const QFont& font) {
    const int indent = std::max(panel.indent(), 0);
    return QFontMetrics(font).horizontalAdvance(panel.text()) + 2 * indent + 2 * panel.frameWidth();
}

}  // namespace

void FitTextInPanel(QLabel& panel, int minWidth, int maxWidth) {
    QFont font = QApplication::font();
    const int normalSize = font.pixelSize() > 0 ? font.pixelSize() : 12;
    font.setPixelSize(normalSize);
    while (NeededWidth(panel, font) > maxWidth && font.pixelSize() > SmallestPixelSize)
        font.setPixelSize(font.pixelSize() - 1);
    if (panel.font() != font) panel.setFont(font);
    const int width = std::clamp(NeededWidth(panel, font), minWidth, std::max(minWidth, maxWidth));
    if (panel.width() != width) panel.resize(width, panel.height());
}

}  // namespace ui

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

// Gives back to the system, once the window has first painted, the memory
// that start-up used only for a while (the icon's pictures handed to the
// window system, font and layout work) and freed, where the C library keeps
// freed pages that are not at the top of its heap.
void ReleaseStartupMemoryAfterFirstPaint(QWidget& window);

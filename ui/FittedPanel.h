// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QLabel;

namespace ui {

// Makes a panel show its whole text: wider than its own width where the text
// needs it (up to maxWidth, never narrower than minWidth), and in a smaller
// font where even that is too narrow. The position text can be long: a drag
// with the mouse captured reports positions far outside the view.
void FitTextInPanel(QLabel& panel, int minWidth, int maxWidth);

}  // namespace ui

// SPDX-License-Identifier: GPL-3.0-or-later
// The wrap-around drawing option: a check item read by the drawing tools and
// the shift commands.
#include "core/Form.h"

void TForm1::WrapMenuClick() {
    Options.wrapDrawing = !Options.wrapDrawing;
    ShowOptions();
}

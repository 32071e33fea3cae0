// SPDX-License-Identifier: GPL-3.0-or-later
// The Help menu: the version message and the maker's web page.
#include "core/Form.h"
#include "core/Translation.h"

void TForm1::helpMenuClick(ControlId Sender) {
    switch (Sender) {
        case ControlId::aboutMenu:
            platform.ShowAbout(
                Tr(TSR_MESSAGE("Help", "Tessaro Version 1.00  16×16 マップチップエディタ  (C) Tessaro Developers")));
            break;
        case ControlId::mGo: platform.OpenUrl(MakerUrl); break;
        default:  // the Help menu's own click
            break;
    }
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The Help menu: the manual, the version message and the maker's web page.
#include "core/Translation.h"
#include "io/FormWithFiles.h"
#include "io/ManualFile.h"

void FormWithFiles::helpMenuClick(ControlId Sender) {
    switch (Sender) {
        case ControlId::ManualMenu: {
            const std::string folder = platform.ProgramFolder();
            if (const auto manual = FindManual(folder))
                platform.OpenFile(*manual);
            else
                platform.ShowMessage(Tr(TSR_MESSAGE("Help", "マニュアルが見つかりません。%1 にあるはずです。"),
                                        {ExpectedManual(folder)}));
            break;
        }
        case ControlId::aboutMenu:
            platform.ShowAbout(
                Tr(TSR_MESSAGE("Help", "Tessaro Version 1.00  16×16 マップチップエディタ  (C) Tessaro Developers")));
            break;
        case ControlId::mGo: platform.OpenUrl(MakerUrl); break;
        default:  // the Help menu's own click
            break;
    }
}

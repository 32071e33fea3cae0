// SPDX-License-Identifier: GPL-3.0-or-later
// Files dropped onto the main window: the first one is loaded as the sheet.
#include "io/FormWithFiles.h"

void FormWithFiles::WMDropFiles(const std::vector<std::string>& paths) {
    // The path is used whole: cutting a long path short would load another
    // file than the one dropped, or none.
    if (paths.empty()) return;
    LoadSheetFile(paths.front());
}

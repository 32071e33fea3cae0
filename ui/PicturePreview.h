// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QFileDialog;
class QLabel;

namespace ui {

// Puts a picture preview beside the file list of a (non-native) file dialog:
// whenever the current file changes, and when the dialog opens on a file,
// the file is read with the editor's own reader at a reduced size and shown
// scaled to fit. Files are decoded away from the event loop, and the
// dialog waits no more than a moment for one. Returns the preview label.
QLabel* AddPicturePreview(QFileDialog& dialog);

}  // namespace ui

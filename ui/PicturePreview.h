#pragma once

class QFileDialog;
class QLabel;

namespace ui {

// Puts a picture preview beside the file list of a (non-native) file dialog:
// whenever the current file changes, and when the dialog opens on a file,
// the file is read with the editor's own reader at a reduced size and shown
// scaled to fit. Large files are decoded away from the event loop, so the
// dialog never waits for them. Returns the preview label.
QLabel* AddPicturePreview(QFileDialog& dialog);

}  // namespace ui

#pragma once

class QFileDialog;
class QLabel;

namespace ui {

// Puts a picture preview beside the file list of a (non-native) file dialog:
// whenever the current file changes, the file is read with the editor's own
// reader and shown scaled to fit. Returns the preview label.
QLabel* AddPicturePreview(QFileDialog& dialog);

}  // namespace ui

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace canvas {
class Picture;
}
class TForm1;

// Puts a picture on the clipboard as a bitmap and as a PNG with the
// transparent colour as alpha.
void PutOnClipboard(TForm1& form, const canvas::Picture& picture);

// The clipboard's bitmap lands in SheetImage, the scratch picture that every
// incoming picture passes through. False, with SheetImage untouched, when the
// clipboard offers none: it may have changed while a menu was open.
bool TakeClipboardIntoSheetImage(TForm1& form);

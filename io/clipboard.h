#pragma once

class TForm1;

// The clipboard's bitmap lands in SheetImage, the scratch picture that every
// incoming picture passes through. False, with SheetImage untouched, when the
// clipboard offers none: it may have changed while a menu was open.
bool TakeClipboardIntoSheetImage(TForm1& form);

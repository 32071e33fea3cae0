// Handlers of this directory that are not built yet. Each one throws a
// NotBuiltYet naming itself; an entry goes when its real definition comes,
// and the file goes with the last entry.
#include "core/Form.h"
#include "core/NotBuiltYet.h"

void TForm1::FileMenuClick(ControlId) { throw NotBuiltYet("FileMenuClick"); }
void TForm1::FileMenuSet() { throw NotBuiltYet("FileMenuSet"); }
void TForm1::helpMenuClick(ControlId) { throw NotBuiltYet("helpMenuClick"); }
PictureReadResult TForm1::ReadPictureFile(const std::string&) { throw NotBuiltYet("ReadPictureFile"); }
void TForm1::LoadSheetFile(const std::string&) { throw NotBuiltYet("LoadSheetFile"); }
bool TForm1::LoadChipFile(const std::string&, std::int32_t, std::int32_t) { throw NotBuiltYet("LoadChipFile"); }
void TForm1::CutSheetIntoChips() { throw NotBuiltYet("CutSheetIntoChips"); }
void TForm1::Save256ColourBmp() { throw NotBuiltYet("Save256ColourBmp"); }
void TForm1::Save216ColourBmp() { throw NotBuiltYet("Save216ColourBmp"); }
std::string TForm1::NumberedChipName(const std::string&, int) { throw NotBuiltYet("NumberedChipName"); }

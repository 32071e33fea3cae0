// Handlers of this directory that are not built yet. Each one throws a
// NotBuiltYet naming itself; an entry goes when its real definition comes,
// and the file goes with the last entry.
#include "core/Form.h"
#include "core/NotBuiltYet.h"

void TForm1::FormCreate() { throw NotBuiltYet("FormCreate"); }
void TForm1::FormClose(TCloseAction&) { throw NotBuiltYet("FormClose"); }
void TForm1::BuildFixedPalette() { throw NotBuiltYet("BuildFixedPalette"); }
void TForm1::DrawPaletteView() { throw NotBuiltYet("DrawPaletteView"); }
void TForm1::Relayout(std::int32_t, std::int32_t, std::int32_t) { throw NotBuiltYet("Relayout"); }
void TForm1::DrawSheetFrame() { throw NotBuiltYet("DrawSheetFrame"); }
void TForm1::DrawEditGrid(std::int32_t) { throw NotBuiltYet("DrawEditGrid"); }
void TForm1::DrawChip(std::int32_t, std::int32_t, bool) { throw NotBuiltYet("DrawChip"); }
void TForm1::RefreshEditArea() { throw NotBuiltYet("RefreshEditArea"); }
void TForm1::ComposeSheet() { throw NotBuiltYet("ComposeSheet"); }
void TForm1::SetLeftColor(TColor) { throw NotBuiltYet("SetLeftColor"); }
void TForm1::SetRightColor(TColor) { throw NotBuiltYet("SetRightColor"); }
void TForm1::ShowFileNameInCaption() { throw NotBuiltYet("ShowFileNameInCaption"); }
void TForm1::ShowZoomInRate() { throw NotBuiltYet("ShowZoomInRate"); }
void TForm1::DropPendingPoint() { throw NotBuiltYet("DropPendingPoint"); }
void TForm1::ReadSettings(const std::string&) { throw NotBuiltYet("ReadSettings"); }
void TForm1::LineColor(ControlId) { throw NotBuiltYet("LineColor"); }
void TForm1::mZoomClick(ControlId) { throw NotBuiltYet("mZoomClick"); }
void TForm1::udRateMouseUp() { throw NotBuiltYet("udRateMouseUp"); }
void TForm1::mPSize1Click(ControlId) { throw NotBuiltYet("mPSize1Click"); }
void TForm1::PenBMouseDown(MouseButton, ShiftState, int, int) { throw NotBuiltYet("PenBMouseDown"); }
void TForm1::mPenClick(ControlId) { throw NotBuiltYet("mPenClick"); }
void TForm1::wakuMenuClick() { throw NotBuiltYet("wakuMenuClick"); }
void TForm1::chrSMenuClick() { throw NotBuiltYet("chrSMenuClick"); }
void TForm1::Click(ControlId) { throw NotBuiltYet("Click"); }
void TForm1::OpenMenu(ControlId) { throw NotBuiltYet("OpenMenu"); }
TForm1::TForm1(Platform& p) : platform(p) {}
std::string ColourText(TColor) { throw NotBuiltYet("ColourText"); }

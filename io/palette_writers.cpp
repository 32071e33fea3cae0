// The sheet (or a chip, from the pop-up menu) as an 8-bit BMP with the fixed
// colour table: exactly, or reduced to the colour cube. Both read SheetImage
// as the caller left it and build the whole file before asking for a name.
#include <string>

#include "core/Form.h"
#include "io/FileMessages.h"
#include "io/PaletteBmp.h"

namespace {

void AskNameAndWrite(Platform& platform, const std::vector<std::uint8_t>& file) {
    const std::optional<std::string> path = platform.PictureSaveDialog();
    if (!path) return;
    // A failed write is the generic handler's to report.
    SaveFile(*path, file);
}

}  // namespace

void TForm1::Save256ColourBmp() {
    std::optional<canvas::Point> offTable;
    const std::vector<std::uint8_t> file = palette_bmp::Build256ColourBmp(SheetImage, Palette256, offTable);
    if (offTable) {
        platform.ShowMessage(std::to_string(offTable->x) + "," + std::to_string(offTable->y) +
                             "にパレット以外の色があります。");
        return;
    }
    AskNameAndWrite(platform, file);
}

void TForm1::Save216ColourBmp() { AskNameAndWrite(platform, palette_bmp::Build216ColourBmp(SheetImage, Palette256)); }

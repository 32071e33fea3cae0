// The transparent colour T: the two items of the settings menu that set it,
// and what a load that met transparent pixels tells the user.
#include <string>

#include "core/Form.h"

void TForm1::KeyPickMenuClick() {
    if (const std::optional<TColor> colour = platform.ColourDialog()) Sheet.TransparentColor = *colour & 0xFFFFFF;
}

void TForm1::KeyNoneMenuClick() { Sheet.TransparentColor.reset(); }

std::string TForm1::TransparencyMessage(bool chosen, TColor transparent, std::int64_t partlyTransparent) {
    std::string text;
    if (chosen) text = "透明色を" + ColourText(transparent) + "にしました。透明な画素はこの色で表します。";
    if (partlyTransparent > 0) {
        if (!text.empty()) text += "\n";
        text += "半透明の画素" + std::to_string(partlyTransparent) + "個は透明色に重ねて読み込みました。";
    }
    return text;
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The transparent colour T: the two items of the settings menu that set it,
// and what a load that met transparent pixels tells the user.
#include <string>

#include "core/Form.h"
#include "core/Translation.h"

namespace {

void ChangeTransparentColour(Project& project, std::optional<TColor> colour) {
    if (project.Sheet.TransparentColor == colour) return;
    project.RecordPart([](auto& p) -> auto& { return p.Sheet.TransparentColor; });
    project.Sheet.TransparentColor = colour;
}

}  // namespace

void TForm1::KeyPickMenuClick() {
    if (const std::optional<TColor> colour = platform.ColourDialog(project.Sheet.TransparentColor))
        ChangeTransparentColour(project, *colour & 0xFFFFFF);
}

void TForm1::KeyNoneMenuClick() { ChangeTransparentColour(project, std::nullopt); }

void TForm1::ShowTransparentColour() {
    // Set by the dialog, the settings file or a load alike, so shown after
    // every event rather than by each of them.
    const bool set = project.Sheet.TransparentColor.has_value();
    controls.SetChecked(ControlId::KeyPickMenu, set);
    controls.SetChecked(ControlId::KeyNoneMenu, !set);
}

std::string TForm1::TransparencyMessage(bool chosen, TColor transparent, std::int64_t partlyTransparent) {
    std::string text;
    if (chosen)
        text = Tr(TSR_MESSAGE("TransparentColour", "透明色を%1にしました。透明な画素はこの色で表します。"),
                  {ColourText(transparent)});
    if (partlyTransparent > 0) {
        if (!text.empty()) text += "\n";
        text += Tr(TSR_MESSAGE("TransparentColour", "半透明の画素%1個は透明色に重ねて読み込みました。"),
                   {std::to_string(partlyTransparent)});
    }
    return text;
}

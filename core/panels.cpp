// SPDX-License-Identifier: GPL-3.0-or-later
// State shown in panels and the caption, and the reset of a pending point.
#include <string>

#include "core/Form.h"

std::string ColourText(TColor c) {
    return std::to_string(canvas::RedOf(c)) + "," + std::to_string(canvas::GreenOf(c)) + "," +
           std::to_string(canvas::BlueOf(c));
}

void TForm1::SetLeftColor(TColor c) {
    LeftColor = c & 0xFFFFFF;
    controls.SetColour(ControlId::lbP, LeftColor);
    controls.SetCaption(ControlId::lbcP, ColourText(LeftColor));
}

void TForm1::SetRightColor(TColor c) {
    RightColor = c & 0xFFFFFF;
    controls.SetColour(ControlId::rbP, RightColor);
    controls.SetCaption(ControlId::rbcP, ColourText(RightColor));
}

void TForm1::ShowFileNameInCaption() {
    controls.SetCaption(ControlId::Form1, std::string(ProductName) + " " + project.FileName);
}

void TForm1::DropPendingPoint() { Def.ToolMode = tool_mode::WithoutPendingPoint(Def.ToolMode); }

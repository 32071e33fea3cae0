// SPDX-License-Identifier: GPL-3.0-or-later
// The palette view and the colour dialog.
#include <gtest/gtest.h>

#include "core/Form.h"
#include "edit/EditorForm.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/StartedEditor.h"

namespace {

using canvas::Colour;
using canvas::Rgb;

class PaletteChoice : public ::testing::Test {
protected:
    void Pick(MouseButton b, int X, int Y, ShiftState s = {}) { form.PalleteMouseDown(b, s, X, Y); }

    StartedEditor started;
    FakePlatform& platform = started.platform;
    EditorForm& form = *started;
};

TEST_F(PaletteChoice, LeftPressPicksTheSwatchUnderThePointer) {
    struct Case {
        int X, Y;
        Colour expected;
    };
    const Case cases[] = {
        {0, 0, Rgb(0, 0, 0)},      {511, 95, Rgb(255, 255, 255)}, {480, 84, Rgb(248, 248, 248)}, {20, 0, Rgb(51, 0, 0)},
        {0, 12, Rgb(102, 255, 0)}, {384, 72, Rgb(0, 0, 0)},       {31, 11, Rgb(51, 0, 0)},       {96, 0, Rgb(0, 51, 0)},
        {64, 12, Rgb(0, 0, 51)},   {0, 84, Rgb(8, 8, 8)},
    };
    for (const Case& c : cases) {
        Pick(MouseButton::Left, c.X, c.Y);
        EXPECT_EQ(form.LeftColor, c.expected) << c.X << "," << c.Y;
        EXPECT_EQ(form.controls.Colour(ControlId::lbP), c.expected);
        EXPECT_EQ(form.controls.Caption(ControlId::lbcP), ColourText(c.expected));
    }
    EXPECT_EQ(form.RightColor, Rgb(0, 0, 0));
}

TEST_F(PaletteChoice, TheButtonDecidesAndModifiersDoNotMatter) {
    Pick(MouseButton::Right, 20, 0, {ShiftKey::Right});
    EXPECT_EQ(form.RightColor, Rgb(51, 0, 0));
    EXPECT_EQ(form.controls.Colour(ControlId::rbP), Rgb(51, 0, 0));
    EXPECT_EQ(form.controls.Caption(ControlId::rbcP), "51,0,0");
    EXPECT_EQ(form.LeftColor, Rgb(255, 255, 255));

    Pick(MouseButton::Left, 100, 40, {ShiftKey::Ctrl, ShiftKey::Left, ShiftKey::Double});
    EXPECT_EQ(form.LeftColor, form.Pallete.GetPixel(100, 40));

    const Colour left = form.LeftColor, right = form.RightColor;
    Pick(MouseButton::Middle, 500, 90, {ShiftKey::Middle});
    EXPECT_EQ(form.LeftColor, left);
    EXPECT_EQ(form.RightColor, right);
}

TEST_F(PaletteChoice, ColourDialogSetsTheColourOfItsSwatch) {
    platform.colourAnswers = {Rgb(10, 20, 30), Rgb(40, 50, 60)};
    form.ColorSelect(ControlId::rbP);
    EXPECT_EQ(form.RightColor, Rgb(10, 20, 30));
    EXPECT_EQ(form.controls.Colour(ControlId::rbP), Rgb(10, 20, 30));
    EXPECT_EQ(form.controls.Caption(ControlId::rbcP), "10,20,30");
    EXPECT_EQ(form.LeftColor, Rgb(255, 255, 255));
    form.ColorSelect(ControlId::lbP);
    EXPECT_EQ(form.LeftColor, Rgb(40, 50, 60));
    EXPECT_EQ(form.controls.Caption(ControlId::lbcP), "40,50,60");
    EXPECT_EQ(form.RightColor, Rgb(10, 20, 30));
    EXPECT_TRUE(platform.colourAnswers.empty());
}

}  // namespace

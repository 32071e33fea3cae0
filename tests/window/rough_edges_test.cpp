// SPDX-License-Identifier: GPL-3.0-or-later
// Faults found in use and mended: the position text always whole, the
// pressed tool button plain to see, the zoom arrows for the left button only.
#include <QLabel>
#include <QToolButton>

#include "ui/UpDown.h"
#include "WindowFixture.h"

namespace {

using enum ControlId;

class RoughEdgesTest : public WindowTest {
protected:
    // The panel shows its whole text when the label's text fits inside the
    // label's contents in the label's font, and the label stays in the window.
    void ExpectWholeText(const char* what) {
        SCOPED_TRACE(what);
        auto* panel = static_cast<QLabel*>(widget(EditPos));
        const int textWidth = panel->fontMetrics().horizontalAdvance(panel->text());
        EXPECT_FALSE(panel->text().isEmpty());
        EXPECT_LE(textWidth + 2 * panel->indent(), panel->contentsRect().width());
        EXPECT_LE(panel->geometry().right(), window->centralWidget()->width() - 1);
        EXPECT_GE(panel->width(), 113);
    }
};

TEST_F(RoughEdgesTest, ThePositionTextFitsItsPanelAtEveryValue) {
    auto* panel = static_cast<QLabel*>(widget(EditPos));
    // The widest texts of the edit area and of the sheet: white pixels.
    form().controls.SetChecked(ControlId::UnMenu, false);
    form().ChangeChip(0, 0).SetPixel(15, 15, 0xFFFFFF);
    Move(EditI, {15 * 5 + 2, 15 * 5 + 2}, Qt::NoButton);
    EXPECT_EQ(panel->text(), "15,15 (255,255,255)");
    ExpectWholeText("edit area");
    form().ChangeChip(29, 15).SetPixel(15, 15, 0xFFFFFF);
    Move(ScreenI, {479, 255}, Qt::NoButton);
    EXPECT_EQ(panel->text(), "479,255 (255,255,255)");
    ExpectWholeText("sheet");
    // A captured drag far left of the edit area, and values no drag reaches.
    Move(EditI, {-100000, -100000}, Qt::LeftButton);
    EXPECT_EQ(panel->text(), "-20000,-20000 (0,0,0)");
    ExpectWholeText("far outside");
    form().controls.SetCaption(EditPos, "-2147483648,-2147483648 (255,255,255)");
    window->ShowChanges();
    ExpectWholeText("extreme");
    // Laid out anew, with no move in between: the roomy layout on, resized, off.
    Choose(WideMenu);
    ExpectWholeText("roomy layout on");
    window->resize(1300, 900);
    QApplication::processEvents();
    ExpectWholeText("resized");
    Choose(WideMenu);
    ExpectWholeText("roomy layout off");
    // A short text gives the panel its own width and font back.
    Move(EditI, {0, 0}, Qt::NoButton);
    EXPECT_EQ(panel->width(), 113);
    EXPECT_EQ(panel->font().pixelSize(), 12);
}

TEST_F(RoughEdgesTest, ThePressedToolButtonStandsOutFromTheOthers) {
    // Away from the glyph, next to the frame: the button face.
    auto face = [&](ControlId id) { return widget(id)->grab().toImage().pixelColor(3, 14); };
    auto distance = [](QColor a, QColor b) {
        return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
    };
    for (ControlId pressed : {PenB, FillB, CircleB, LineB}) {
        SCOPED_TRACE(std::string(NameOf(pressed)));
        static_cast<QToolButton*>(widget(pressed))->click();
        ASSERT_EQ(form().controls.PressedTool(), pressed);
        for (ControlId other : {PenB, FillB, CircleB, LineB}) {
            if (other == pressed) continue;
            EXPECT_GT(distance(face(pressed), face(other)), 100) << NameOf(other);
        }
    }
}

TEST_F(RoughEdgesTest, OnlyTheLeftButtonStepsTheZoomArrows) {
    ui::UpDown* upDown = window->ZoomUpDown();
    const QPoint up = upDown->UpArrowRect().center();
    for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
        QTest::mouseClick(upDown, button, Qt::NoModifier, up);
        QTest::mouseDClick(upDown, button, Qt::NoModifier, up);
    }
    EXPECT_EQ(form().controls.Position(), 5);
    EXPECT_EQ(form().Def.Zoom, 5);
    // A right press while the left is held changes nothing either, and the
    // left button's release still ends its step.
    QTest::mousePress(upDown, Qt::LeftButton, Qt::NoModifier, up);
    QTest::mousePress(upDown, Qt::RightButton, Qt::NoModifier, up);
    QTest::mouseRelease(upDown, Qt::RightButton, Qt::NoModifier, up);
    EXPECT_EQ(form().Def.Zoom, 5);
    QTest::mouseRelease(upDown, Qt::LeftButton, Qt::NoModifier, up);
    EXPECT_EQ(form().Def.Zoom, 6);
}

}  // namespace

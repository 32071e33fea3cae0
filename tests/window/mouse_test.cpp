// SPDX-License-Identifier: GPL-3.0-or-later
// Mouse events reach the three views with the right shift state and
// coordinates (also outside a view while a button is held), and the views
// then show the editor's pictures pixel for pixel, repainting only what
// changed.
#include <QLabel>
#include <QPaintEvent>
#include <QRegion>

#include "ui/ShiftStateOfEvent.h"
#include "ui/UpDown.h"
#include "WindowFixture.h"

namespace {

using enum ControlId;

ShiftState StateOf(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, Qt::KeyboardModifiers keys) {
    const QMouseEvent event(type, QPointF(3, 4), QPointF(3, 4), button, held, keys);
    return ui::ShiftStateOf(event);
}

TEST(ShiftStateOfEvent, HoldsTheButtonsKeysAndTheDoubleClickMark) {
    using K = ShiftKey;
    const auto press = QEvent::MouseButtonPress;
    EXPECT_EQ(StateOf(press, Qt::LeftButton, Qt::LeftButton, {}), (ShiftState{K::Left}));
    // A press holds its own button even when the platform does not say so.
    EXPECT_EQ(StateOf(press, Qt::RightButton, Qt::NoButton, {}), (ShiftState{K::Right}));
    EXPECT_EQ(StateOf(press, Qt::MiddleButton, Qt::MiddleButton | Qt::LeftButton, {}),
              (ShiftState{K::Middle, K::Left}));
    EXPECT_EQ(StateOf(press, Qt::LeftButton, Qt::LeftButton, Qt::ControlModifier), (ShiftState{K::Ctrl, K::Left}));
    EXPECT_EQ(StateOf(press, Qt::RightButton, Qt::RightButton, Qt::ShiftModifier), (ShiftState{K::Shift, K::Right}));
    EXPECT_EQ(StateOf(press, Qt::LeftButton, Qt::LeftButton, Qt::AltModifier | Qt::ShiftModifier),
              (ShiftState{K::Alt, K::Shift, K::Left}));
    EXPECT_EQ(StateOf(QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton, {}),
              (ShiftState{K::Left, K::Double}));
    // A move holds what is held, and nothing when nothing is.
    EXPECT_EQ(StateOf(QEvent::MouseMove, Qt::NoButton, Qt::NoButton, {}), ShiftState{});
    EXPECT_EQ(StateOf(QEvent::MouseMove, Qt::NoButton, Qt::RightButton, Qt::ShiftModifier),
              (ShiftState{K::Shift, K::Right}));
}

TEST(ShiftStateOfEvent, PositionsLeftOfAViewAreNegative) {
    const QMouseEvent moved(QEvent::MouseMove, QPointF(-0.5, -3), QPointF(0, 0), Qt::NoButton, Qt::LeftButton, {});
    EXPECT_EQ(ui::PixelOf(moved), QPoint(-1, -3));
    const QMouseEvent back(QEvent::MouseButtonPress, QPointF(4, 6), QPointF(0, 0), Qt::BackButton, Qt::BackButton, {});
    EXPECT_FALSE(ui::MouseButtonOf(back).has_value());
}

class MouseTest : public WindowTest {
protected:
    canvas::Picture& Chip(int c, int r) { return form().ChangeChip(c, r); }
    QString LabelText(ControlId id) { return static_cast<QLabel*>(widget(id))->text(); }
    // The place of chip pixel (x, y) in the edit area at zoom 5.
    static QPoint Cell(int x, int y) { return {x * 5 + 3, y * 5 + 3}; }
    void PickRightColourFromPalette() { Click(Pallete, {20, 0}, Qt::RightButton); }  // red 51
};

TEST_F(MouseTest, EditAreaPressesDrawOrPickByTheWholeShiftState) {
    Click(EditI, Cell(1, 1));
    EXPECT_EQ(Chip(0, 0).GetPixel(1, 1), canvas::White);
    PickRightColourFromPalette();
    Click(EditI, Cell(2, 1), Qt::RightButton);
    EXPECT_EQ(Chip(0, 0).GetPixel(2, 1), canvas::Rgb(51, 0, 0));

    // Anything but a plain button draws nothing, but marks the sheet changed.
    form().Modified = false;
    Click(EditI, Cell(3, 1), Qt::LeftButton, Qt::ShiftModifier);
    Click(EditI, Cell(4, 1), Qt::LeftButton, Qt::AltModifier);
    Click(EditI, Cell(5, 1), Qt::MiddleButton);
    for (int x : {3, 4, 5}) EXPECT_EQ(Chip(0, 0).GetPixel(x, 1), canvas::Black) << x;
    EXPECT_TRUE(form().Modified);

    // Ctrl picks the chip's colour into the button's colour and its panels.
    Click(EditI, Cell(2, 1), Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(form().LeftColor, canvas::Rgb(51, 0, 0));
    EXPECT_EQ(LabelText(lbcP), "51,0,0");
    EXPECT_EQ(widget(lbP)->palette().color(QPalette::Window), QColor(51, 0, 0));
    Click(EditI, Cell(1, 1), Qt::RightButton, Qt::ControlModifier);
    EXPECT_EQ(form().RightColor, canvas::White);
    EXPECT_EQ(LabelText(rbcP), "255,255,255");
}

TEST_F(MouseTest, SecondPressOfADoubleClickIsMarkedDouble) {
    Click(LineB, {5, 5});
    Click(EditI, Cell(1, 1));  // the line's first point
    ASSERT_EQ(form().Def.ToolMode, 5);
    // The platform's order for a double click: press, release, double click, release.
    QWidget* edit = widget(EditI);
    const QPointF at(Cell(6, 1));
    QMouseEvent dbl(QEvent::MouseButtonDblClick, at, edit->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(edit, &dbl);
    // {left, double} is not {left}: the line is still waiting for its end.
    EXPECT_EQ(form().Def.ToolMode, 5);
    EXPECT_EQ(Chip(0, 0).GetPixel(2, 1), canvas::Black);
    Click(EditI, Cell(6, 1));
    EXPECT_EQ(form().Def.ToolMode, 4);
    EXPECT_EQ(Chip(0, 0).GetPixel(2, 1), canvas::White);
}

TEST_F(MouseTest, AHeldPenFollowsThePointerOutsideTheEditArea) {
    // Through the window system, as a real drag: Qt grabs the mouse on the
    // press, so the edit area gets the moves left of it.
    QWindow* handle = window->windowHandle();
    QWidget* edit = widget(EditI);
    auto inWindow = [&](QPoint p) { return edit->mapTo(window.get(), p); };
    QTest::mousePress(handle, Qt::LeftButton, Qt::NoModifier, inWindow(Cell(5, 5)));
    EXPECT_EQ(Chip(0, 0).GetPixel(5, 5), canvas::White);
    QTest::mouseMove(handle, inWindow({-3, 27}));  // chip column -3 div 5 = 0
    EXPECT_EQ(Chip(0, 0).GetPixel(0, 5), canvas::White);
    // The colour is read before the move paints.
    EXPECT_EQ(LabelText(EditPos), "0,5 (0,0,0)");
    QTest::mouseMove(handle, inWindow({-6, 32}));  // column -1: outside the chip
    EXPECT_EQ(Chip(0, 0).GetPixel(0, 6), canvas::Black);
    EXPECT_EQ(LabelText(EditPos), "-1,6 (0,0,0)");
    QTest::mouseMove(handle, inWindow({3, 90}));  // below the chip: nothing at all
    EXPECT_EQ(LabelText(EditPos), "-1,6 (0,0,0)");
    QTest::mouseRelease(handle, Qt::LeftButton, Qt::NoModifier, inWindow({3, 90}));
    // Without a button, moves outside do not reach the edit area any more.
    QTest::mouseMove(handle, inWindow({-3, 12}));
    EXPECT_EQ(LabelText(EditPos), "-1,6 (0,0,0)");
    EXPECT_EQ(Shown(EditI), Expected(form().EditI));
    EXPECT_EQ(Shown(ScreenI), Expected(form().ScreenI));
}

TEST_F(MouseTest, SheetPressesChooseChipsSetPixelsAndPick) {
    Move(ScreenI, {35, 4}, Qt::NoButton);
    EXPECT_EQ(LabelText(EditPos), "35,4 (0,0,0)");

    Click(ScreenI, {35, 4}, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(Chip(2, 0).GetPixel(3, 4), canvas::White);
    // A drag with Shift and the left button held leaves a pixel at each move.
    Press(ScreenI, {40, 20}, Qt::LeftButton, Qt::ShiftModifier);
    Move(ScreenI, {44, 21}, Qt::LeftButton, Qt::ShiftModifier);
    Move(ScreenI, {47, 22}, Qt::LeftButton);  // Shift let go: no pixel
    Release(ScreenI, {47, 22});
    EXPECT_EQ(Chip(2, 1).GetPixel(8, 4), canvas::White);
    EXPECT_EQ(Chip(2, 1).GetPixel(12, 5), canvas::White);
    EXPECT_EQ(Chip(2, 1).GetPixel(15, 6), canvas::Black);
    EXPECT_EQ(LabelText(EditPos), "47,22 (0,0,0)");

    Click(ScreenI, {44, 21}, Qt::RightButton, Qt::ControlModifier);
    EXPECT_EQ(form().RightColor, canvas::White);

    Click(ScreenI, {50, 40});  // chooses chip (3, 2)
    EXPECT_EQ(form().CurCol, 3);
    EXPECT_EQ(form().CurRow, 2);
    // A move outside the sheet while dragging changes nothing.
    Press(ScreenI, {50, 40});
    Move(ScreenI, {-20, 40}, Qt::LeftButton);
    Release(ScreenI, {-20, 40});
    EXPECT_EQ(LabelText(EditPos), "47,22 (0,0,0)");  // presses do not write it
    EXPECT_EQ(Shown(ScreenI), Expected(form().ScreenI));
    EXPECT_EQ(Shown(EditI), Expected(form().EditI));
}

TEST_F(MouseTest, PalettePressesPickByTheButtonAndHoverShowsTheColour) {
    Move(Pallete, {150, 14}, Qt::NoButton);
    EXPECT_EQ(LabelText(clP), "RGB-255,0,51");
    Click(Pallete, {20, 0});
    EXPECT_EQ(form().LeftColor, canvas::Rgb(51, 0, 0));
    Click(Pallete, {0, 12}, Qt::RightButton, Qt::ControlModifier);  // keys do not matter here
    EXPECT_EQ(form().RightColor, canvas::Rgb(102, 255, 0));
    EXPECT_EQ(LabelText(rbcP), "102,255,0");
    Click(Pallete, {511, 95}, Qt::MiddleButton);
    EXPECT_EQ(form().LeftColor, canvas::Rgb(51, 0, 0));
    EXPECT_EQ(form().RightColor, canvas::Rgb(102, 255, 0));
    EXPECT_EQ(Shown(Pallete), Expected(form().Pallete));
}

// Collects the regions a widget is asked to repaint.
class PaintSpy : public QObject {
public:
    explicit PaintSpy(QWidget* w) { w->installEventFilter(this); }
    QRegion painted;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

TEST_F(MouseTest, APenStrokeRepaintsOnlyTheCellsAndTheChipItTouched) {
    QTest::qWait(20);  // the first full paint is over
    PaintSpy edit(widget(EditI));
    PaintSpy sheet(widget(ScreenI));
    PaintSpy palette(widget(Pallete));
    Press(EditI, Cell(3, 2));
    Move(EditI, Cell(4, 2), Qt::LeftButton);
    Release(EditI, Cell(4, 2));
    QTest::qWait(20);
    // Cells (3, 2) and (4, 2) at zoom 5 inside their grid lines.
    EXPECT_FALSE(edit.painted.isEmpty());
    EXPECT_TRUE(QRegion(16, 11, 9, 4).contains(edit.painted.boundingRect())) << edit.painted.boundingRect().x();
    // Chip (0, 0) with its red frame on the sheet; nothing of the palette.
    EXPECT_FALSE(sheet.painted.isEmpty());
    EXPECT_TRUE(QRect(0, 0, 17, 17).contains(sheet.painted.boundingRect()));
    EXPECT_TRUE(palette.painted.isEmpty());
    EXPECT_EQ(Shown(EditI), Expected(form().EditI));
}

TEST_F(MouseTest, UpDownArrowsStepAtOnceAndRelayOutOnTheRelease) {
    ui::UpDown* upDown = window->ZoomUpDown();
    const QPoint up = upDown->UpArrowRect().center();
    const QPoint down = upDown->DownArrowRect().center();
    QTest::mousePress(upDown, Qt::LeftButton, Qt::NoModifier, up);
    EXPECT_EQ(form().controls.Position(), 6);
    EXPECT_EQ(widget(EditI)->size(), QSize(81, 81));  // the zoom waits for the release
    QTest::mouseRelease(upDown, Qt::LeftButton, Qt::NoModifier, up);
    EXPECT_EQ(form().Def.Zoom, 6);
    EXPECT_EQ(widget(EditI)->size(), QSize(97, 97));
    EXPECT_EQ(LabelText(pRate), "×6 ");
    EXPECT_TRUE(action(mZoom6)->isChecked());

    for (int i = 0; i < 6; ++i) QTest::mouseClick(upDown, Qt::LeftButton, Qt::NoModifier, up);
    EXPECT_EQ(form().Def.Zoom, 10);  // no further than 10
    for (int i = 0; i < 10; ++i) QTest::mouseClick(upDown, Qt::LeftButton, Qt::NoModifier, down);
    EXPECT_EQ(form().Def.Zoom, 2);  // no lower than 2
    EXPECT_EQ(widget(EditI)->size(), QSize(33, 33));
    EXPECT_EQ(Shown(EditI), Expected(form().EditI));
}

}  // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// The board window: BoardMenu shows and hides it, its own menu bar runs the
// board's items, mouse events stamp, and after edits anywhere the view on
// screen equals the board drawn afresh, though it repaints only changed cells.
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPaintEvent>

#include "ui/BoardView.h"
#include "ui/BoardWindow.h"
#include "WindowFixture.h"

namespace {

using enum ControlId;

class BoardWindowTest : public WindowTest {
protected:
    ui::BoardWindow* board() { return window->Board(); }
    ui::BoardView* boardView() { return board()->View(); }

    void Open() {
        Choose(BoardMenu);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(board()));
    }
    // The whole view on screen and the board drawn afresh by the core.
    QImage OnScreen() { return boardView()->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    QImage Afresh() {
        canvas::Picture whole;
        form().project.Board.Draw(whole, {0, 0, form().project.Board.ViewWidth(), form().project.Board.ViewHeight()},
                                  form().project.Sheet.Chips());
        return ui::ImageOfPicture(whole);
    }
    // A press as the platform delivers it (QTest would make a quick second
    // press a double click).
    void Stamp(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), boardView()->mapToGlobal(QPointF(at)), button, button,
                          Qt::NoModifier);
        QApplication::sendEvent(boardView(), &press);
    }
};

// Records the rectangles a widget is asked to paint.
class PaintLog : public QObject {
public:
    explicit PaintLog(QWidget* w) { w->installEventFilter(this); }
    QRegion painted;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

TEST_F(BoardWindowTest, BoardMenuShowsAndTheWindowsCloseHides) {
    EXPECT_FALSE(board()->isVisible());
    Open();
    EXPECT_TRUE(action(BoardMenu)->isChecked());
    EXPECT_EQ(board()->menuBar()->actions().size(), 2);
    EXPECT_EQ(boardView()->size(), QSize(640, 480));
    board()->close();
    EXPECT_FALSE(form().controls.Checked(BoardMenu));
    EXPECT_FALSE(action(BoardMenu)->isChecked());
    Open();
    Choose(BoardMenu);
    EXPECT_FALSE(board()->isVisible());
}

TEST_F(BoardWindowTest, StampsAndShowsEveryChangeAsAFreshDrawing) {
    Open();
    Click(EditI, QPoint(3, 3));  // the pen: chip (0, 0) pixel (0, 0) white
    Stamp(QPoint(5, 5));
    QTest::mousePress(boardView(), Qt::LeftButton, Qt::NoModifier, QPoint(40, 5));
    QTest::mouseMove(boardView(), QPoint(200, 100));
    QTest::mouseRelease(boardView(), Qt::LeftButton, Qt::NoModifier, QPoint(200, 100));
    EXPECT_EQ(form().project.Board.At({0, 0}), (ChipRef{0, 0}));
    EXPECT_EQ(form().project.Board.At({1, 0}), (ChipRef{0, 0}));
    EXPECT_EQ(form().project.Board.At({6, 3}), (ChipRef{0, 0}));
    QApplication::processEvents();
    EXPECT_EQ(OnScreen(), Afresh());

    // An edit repaints the cells of its chip and nothing else.
    PaintLog log(boardView());
    Click(EditI, QPoint(13, 3));
    QApplication::processEvents();
    EXPECT_EQ(log.painted, QRegion(0, 0, 64, 32) + QRegion(192, 96, 32, 32));
    EXPECT_EQ(OnScreen(), Afresh());

    // The board's own menu: zoom, and a right press that takes a cell's chip.
    board()->ActionOf(BoardZoom3)->trigger();
    EXPECT_TRUE(board()->ActionOf(BoardZoom3)->isChecked());
    EXPECT_FALSE(board()->ActionOf(BoardZoom2)->isChecked());
    EXPECT_EQ(boardView()->size(), QSize(960, 720));
    Choose(UpMenu);
    Stamp(QPoint(150, 150), Qt::MiddleButton);
    Click(ScreenI, QPoint(40, 40));  // chip (2, 2)
    ASSERT_EQ(form().project.Board.At({0, 0}), (ChipRef{0, 0}));
    Stamp(QPoint(0, 0), Qt::RightButton);
    EXPECT_EQ(form().CurCol, 0);
    EXPECT_EQ(Shown(EditI), Expected(form().EditI));
    QApplication::processEvents();
    EXPECT_EQ(OnScreen(), Afresh());
    board()->ActionOf(BoardClearMenu)->trigger();
    QApplication::processEvents();
    EXPECT_EQ(OnScreen(), Afresh());
}

// The stamp's menu lists its items with their keys; a key turns the stamp
// and the status line says how it lies.
TEST_F(BoardWindowTest, StampKeysTurnTheStampAndTheLineShowsIt) {
    Open();
    QStringList items;
    for (QAction* a : board()->MenuOf(StampMenu)->actions()) items << a->text() + " " + a->shortcut().toString();
    EXPECT_EQ(items, (QStringList{QString::fromUtf8("左右反転(&X) X"), QString::fromUtf8("上下反転(&Y) Y"),
                                  QString::fromUtf8("右に90°回転(&R) R"), QString::fromUtf8("向きを戻す(&N) ")}));
    board()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(board()));
    QTest::keyClick(boardView(), Qt::Key_R);
    QTest::keyClick(boardView(), Qt::Key_X);
    EXPECT_EQ(form().StampOrientation, canvas::Orientation::Diagonal);
    EXPECT_EQ(board()->StampLine()->text(), QString::fromUtf8("スタンプの向き：左上と右下を結ぶ線で反転"));
}

}  // namespace

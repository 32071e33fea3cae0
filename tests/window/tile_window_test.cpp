// SPDX-License-Identifier: GPL-3.0-or-later
// The tile preview's tool window: shown and hidden by TileViewMenu (and its
// own close box), its menu bar built from the table, and its view showing
// TileI and taking presses.
#include <set>

#include <QElapsedTimer>
#include <QMenuBar>
#include <QSpinBox>

#include "ui/TilePreviewWindow.h"
#include "ui/ToolWindowPlace.h"
#include "WindowFixture.h"

namespace {

using enum ControlId;

class TileWindowTest : public WindowTest {
protected:
    ui::TilePreviewWindow& tile() { return *window->TileWindow(); }
    void Trigger(ControlId item) { tile().ActionOf(item)->trigger(); }
};

TEST_F(TileWindowTest, MenuShowsAndHidesTheWindowWhoseMenuBarComesFromTheTable) {
    EXPECT_FALSE(tile().isVisible());
    Choose(TileViewMenu);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tile()));
    EXPECT_TRUE(action(TileViewMenu)->isChecked());

    QMenuBar* bar = tile().findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->actions().size(), 1);
    QStringList items;
    for (QAction* a : bar->actions().front()->menu()->actions())
        items << (a->isSeparator() ? "-" : a->objectName() + (a->isChecked() ? "*" : ""));
    EXPECT_EQ(items.join(' '),
              "TileRepeatMenu* TileNeighbourMenu TileBoardMenu - TileZoom1 TileZoom2* TileZoom3 TileZoom4");
    // The main menu holds none of the tool window's controls.
    EXPECT_EQ(action(TileZoom1), nullptr);

    Trigger(TileZoom3);
    EXPECT_TRUE(tile().ActionOf(TileZoom3)->isChecked());
    EXPECT_FALSE(tile().ActionOf(TileZoom2)->isChecked());
    EXPECT_EQ(tile().View()->size(), QSize(144, 144));
    // At the smallest zoom the window is still wide enough for its menu.
    Trigger(TileZoom1);
    QApplication::processEvents();
    EXPECT_EQ(tile().View()->size(), QSize(48, 48));
    const QRect menu = bar->actionGeometry(bar->actions().front());
    EXPECT_FALSE(menu.isEmpty());
    EXPECT_LE(menu.right(), bar->width() - 1);

    Choose(TileViewMenu);
    EXPECT_FALSE(tile().isVisible());
    Choose(TileViewMenu);
    EXPECT_TRUE(tile().isVisible());
    // The close box hides it and takes the check mark away.
    tile().close();
    EXPECT_FALSE(form().controls.Checked(TileViewMenu));
    EXPECT_FALSE(action(TileViewMenu)->isChecked());
}

TEST_F(TileWindowTest, ViewShowsTheChipAndFollowsDrawingInTheSameEvent) {
    Choose(TileViewMenu);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tile()));
    Click(EditI, {3, 3});  // pixel (0, 0) white
    QApplication::processEvents();
    const QImage shown = tile().View()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown, Expected(form().TileI).convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(shown.pixel(33, 33), qRgb(255, 255, 255));

    // A press in the middle copy draws on the chip as in the edit area.
    QTest::mouseClick(tile().View(), Qt::LeftButton, Qt::NoModifier, QPoint(32 + 2 * 5, 32 + 2 * 6));
    EXPECT_EQ(form().Chip(0, 0).GetPixel(5, 6), canvas::White);
    EXPECT_EQ(tile().View()->Shown().pixel(2 * 5, 2 * 6), qRgb(255, 255, 255));
}

TEST_F(TileWindowTest, AnAnimatedChipPlaysInThePreviewWhileTheEditAreaKeepsItsChip) {
    const QRgb frames[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)};
    for (int c = 0; c < 3; ++c) {
        canvas::Picture& chip = form().ChangeChip(c, 0);
        chip.SetBrushColour(canvas::Rgb(qRed(frames[c]), qGreen(frames[c]), qBlue(frames[c])));
        chip.FillRect({0, 0, 16, 16});
    }
    form().ChooseChip(0, 0);
    WhenShown<QDialog> answer([](QDialog& dialog) {
        dialog.findChild<QSpinBox*>("AnimationFrames")->setValue(3);
        dialog.findChild<QSpinBox*>("AnimationFrameMs")->setValue(50);
        dialog.accept();
    });
    Choose(AnimFramesMenu);
    ASSERT_TRUE(answer.Acted());
    Choose(AnimMenu);
    Choose(TileViewMenu);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tile()));

    // Every frame comes round within a second; the edit area stays red.
    std::set<QRgb> seen;
    QElapsedTimer clock;
    clock.start();
    while (seen.size() < 3 && clock.elapsed() < 3000) {
        QTest::qWait(10);
        const QImage shown = tile().View()->grab().toImage();
        seen.insert(shown.pixel(shown.width() / 2, shown.height() / 2) | 0xFF000000);
        ASSERT_EQ(Shown(EditI).pixel(7, 7), frames[0]);
    }
    EXPECT_EQ(seen, std::set<QRgb>(std::begin(frames), std::end(frames)));
    // Off: the preview shows the chip being edited and stays.
    Choose(AnimMenu);
    QTest::qWait(120);
    const QImage still = tile().View()->grab().toImage();
    EXPECT_EQ(still.pixel(still.width() / 2, still.height() / 2) | 0xFF000000, frames[0]);
}

}  // namespace

namespace {

TEST_F(TileWindowTest, TheNextStartShowsItAsAndWhereItWas) {
    Choose(TileViewMenu);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tile()));
    Trigger(TileZoom3);
    tile().move(150, 170);
    const QPoint at = tile().pos();
    // The place is kept once the window stays put.
    QTest::qWait(ui::PlaceKeptAfterMs + 200);
    Choose(StrokeMenu);
    window->close();
    window.reset();

    StartWindow();
    QApplication::processEvents();
    ASSERT_TRUE(tile().isVisible());
    EXPECT_EQ(tile().pos(), at);
    EXPECT_TRUE(tile().ActionOf(TileZoom3)->isChecked());
    EXPECT_TRUE(action(StrokeMenu)->isChecked());
}

}  // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// Marks painted over the views, and a 4 x 4 block that the roomy window
// makes room for, its chip borders in two tones without grid lines.
#include "ui/TilePreviewWindow.h"
#include "WindowFixture.h"

namespace {

using enum ControlId;

class ViewMarksTest : public WindowTest {
protected:
    // Whether picture pixel (x, y) of `v` shows some light or some dark device pixel.
    static bool Shows(ui::PictureView& v, int x, int y, bool light) {
        const QImage shown = v.grab().toImage();
        const double f = v.DeviceScale();
        for (int dy = static_cast<int>(y * f); dy < static_cast<int>((y + 1) * f); ++dy)
            for (int dx = static_cast<int>(x * f); dx < static_cast<int>((x + 1) * f); ++dx)
                if (light ? shown.pixelColor(dx, dy).lightness() > 200 : shown.pixelColor(dx, dy).lightness() < 60)
                    return true;
        return false;
    }
};

TEST_F(ViewMarksTest, AnimatedChipsAndTheMiddleOfTheNeighboursAreMarked) {
    form().ChangeChip(3, 0).SetBrushColour(0xFFFFFF);
    form().ChangeChip(3, 0).FillRect({0, 0, 16, 16});
    form().DrawChip(3, 0, false);
    form().project.Sheet.Animations.Set({2, 0}, ChipAnimation{2, 200});  // chips (2, 0) black and (3, 0) white
    window->ShowChanges();
    ui::PictureView& sheet = *view(ScreenI);
    EXPECT_FALSE(Shows(sheet, 2 * 16 + 2, 2, true));
    Choose(AnimMenu);
    EXPECT_TRUE(Shows(sheet, 2 * 16 + 2, 2, true));
    EXPECT_TRUE(Shows(sheet, 3 * 16 + 1, 1, false));
    EXPECT_FALSE(Shows(sheet, 4 * 16 + 2, 2, true));
    EXPECT_EQ(form().ScreenI.GetPixel(2 * 16 + 2, 2), canvas::Black);  // over the view, not in it

    Choose(TileViewMenu);
    form().Click(TileNeighbourMenu);
    window->ShowChanges();
    ui::PictureView& tile = *window->TileWindow()->View();
    // Zoom 2: the middle chip spans 32 to 63; its corners light, just outside dark.
    EXPECT_TRUE(Shows(tile, 32, 32, true) && Shows(tile, 31, 31, false));
    EXPECT_TRUE(Shows(tile, 63, 63, true) && Shows(tile, 64, 63, false));
    EXPECT_FALSE(Shows(tile, 47, 32, true));
    // Repeated, no chip is the middle one.
    form().Click(TileRepeatMenu);
    window->ShowChanges();
    EXPECT_FALSE(Shows(tile, 32, 32, true));
}

TEST_F(ViewMarksTest, TheRoomyWindowMakesRoomForA4By4BlockAtZoom4) {
    form().Options.blockCols = form().Options.blockRows = 4;
    Choose(WideMenu);
    Choose(BlockMenu);
    Choose(UnMenu);
    QApplication::processEvents();
    const int zoom = form().EditZoom();
    // Zoom 4 where the screen has room for it, else the whole screen.
    const WindowLayout& layout = form().Layout;
    EXPECT_TRUE(zoom >= 4 || layout.minClientWidth >= form().ScreenWidth ||
                layout.minClientHeight >= form().ScreenHeight);
    EXPECT_EQ(Text(pRate), "×" + std::to_string(zoom) + " ");
    EXPECT_GE(window->centralWidget()->height(), layout.minClientHeight);
    // Down the border after the first chip column: light and dark in turn.
    EXPECT_TRUE(Shows(*view(EditI), 16 * zoom, 1, true) && Shows(*view(EditI), 16 * zoom, 3, false));
}

}  // namespace

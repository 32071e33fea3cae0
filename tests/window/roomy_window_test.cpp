// SPDX-License-Identifier: GPL-3.0-or-later
// The roomy window and sharp pixels. The three views fill their places in
// the fixed and in the roomy layout, and every chip pixel shows as a block
// of whole device pixels of its own colour; ctest runs this file again under
// QT_SCALE_FACTOR 1.25, 1.5 and 2. The roomy window resizes, places its controls where the editor's
// layout has them and maps presses on the larger views to picture pixels.
#include <cmath>
#include <random>

#include <QMenuBar>

#include "WindowFixture.h"

namespace {

using enum ControlId;

class RoomyWindowTest : public WindowTest {
protected:
    // Every pixel of the sheet a colour of its own, so that a block that
    // bleeds into its neighbour shows.
    void FillSheetWithNoise() {
        std::mt19937 random(15);
        for (int c = 0; c < 30; ++c)
            for (int r = 0; r < 16; ++r)
                for (int y = 0; y < 16; ++y)
                    for (int x = 0; x < 16; ++x) form().ChangeChip(c, r).SetPixel(x, y, random() & 0xFFFFFF);
        form().Relayout(16, 30, 16);
        window->ShowChanges();
    }

    void ResizeClient(int w, int h) {
        window->resize(w, h + window->menuBar()->height());
        QApplication::processEvents();
        window->ShowChanges();
    }

    // Each device pixel shows exactly the colour of the picture pixel whose
    // span holds its centre: pixel p spans [p * f, (p + 1) * f) at f device
    // pixels per pixel, where a chip pixel (one sheet or palette pixel, or
    // zoom edit-area pixels) takes the same whole number of device pixels at
    // any scale factor; the view is as large as that.
    void ExpectWholeBlocks(ControlId id) {
        SCOPED_TRACE(std::string(NameOf(id)));
        ui::PictureView* v = view(id);
        const canvas::Picture& picture = id == ScreenI ? form().ScreenI : id == EditI ? form().EditI : form().Pallete;
        const double ratio = v->devicePixelRatioF();
        const int perChipPixel = id == EditI ? form().Def.Zoom : 1;
        // A fixed window too large for its screen at the nearest whole number
        // takes fewer device pixels, as its layout says.
        const int chosen = form().Layout.devicePixels;
        const double f = chosen > 0
                             ? chosen * form().Layout.ScaleOf(id)
                             : static_cast<double>(WholeDevicePixels(ratio, form().Layout.ScaleOf(id) * perChipPixel)) /
                                   perChipPixel;
        auto logical = [&](int pixels) { return static_cast<int>(std::ceil(pixels * f / ratio - 1e-6)); };
        EXPECT_EQ(v->size(), QSize(logical(picture.Width()), logical(picture.Height())));
        const int width = static_cast<int>(picture.Width() * f), height = static_cast<int>(picture.Height() * f);
        const QImage shown = v->grab().toImage().convertToFormat(QImage::Format_RGB32);
        ASSERT_GE(shown.width(), width);
        ASSERT_GE(shown.height(), height);
        auto pixelOf = [f](int device) { return static_cast<int>(std::floor((device + 0.5) / f)); };
        int wrong = 0;
        for (int y = 0; y < height && wrong < 5; ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(shown.constScanLine(y));
            const auto row = picture.Row(pixelOf(y));
            for (int x = 0; x < width; ++x) {
                const canvas::Colour c = row[static_cast<std::size_t>(pixelOf(x))];
                if (line[x] == qRgb(canvas::RedOf(c), canvas::GreenOf(c), canvas::BlueOf(c))) continue;
                ADD_FAILURE() << "device pixel (" << x << ", " << y << ") is not of picture pixel (" << pixelOf(x)
                              << ", " << pixelOf(y) << ") at " << f << " device pixels per pixel";
                if (++wrong == 5) break;
            }
        }
    }
};

TEST_F(RoomyWindowTest, EveryChipPixelIsAWholeUniformBlockInTheFixedAndTheRoomyWindow) {
    FillSheetWithNoise();
    for (ControlId id : {ScreenI, EditI, Pallete}) ExpectWholeBlocks(id);
    Choose(WideMenu);
    // Room for the sheet at twice its size, not three times, at every scale factor.
    ResizeClient(1900, 1000);
    EXPECT_EQ(form().Layout.sheetScale, 2);
    for (ControlId id : {ScreenI, EditI, Pallete}) ExpectWholeBlocks(id);

    // Smaller, another chip chosen there, larger again: the views show the
    // sheet as it is now, not as they showed it at this size before.
    ResizeClient(1024, 768);
    EXPECT_EQ(form().Layout.sheetScale, 1);
    const double shown = view(ScreenI)->DeviceScale() / view(ScreenI)->devicePixelRatioF();
    Click(ScreenI, QPoint(static_cast<int>((16 * 7 + 5) * shown), static_cast<int>((16 * 5 + 5) * shown)));
    EXPECT_EQ(form().CurCol, 7);
    ResizeClient(1700, 1000);
    for (ControlId id : {ScreenI, EditI, Pallete}) ExpectWholeBlocks(id);
}

TEST_F(RoomyWindowTest, TheRoomyWindowResizesPlacesItsControlsAndPicksInShownPixels) {
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    Choose(WideMenu);
    EXPECT_TRUE(action(WideMenu)->isChecked());
    EXPECT_NE(window->minimumSize(), window->maximumSize());
    ResizeClient(1700, 1000);
    EXPECT_EQ(window->centralWidget()->size(), QSize(1700, 1000));
    const WindowLayout& layout = form().Layout;
    EXPECT_EQ(layout.zoom, 32);
    EXPECT_EQ(form().Def.Zoom, 32);
    for (ControlId id : {Screen, Panel1, ScrollBox1, pRate, PenB, EditPos, lbP, clP, MemLoadB}) {
        const ControlPlace& p = layout.PlaceOf(id);
        EXPECT_EQ(widget(id)->geometry(), QRect(p.left, p.top, p.width, p.height)) << NameOf(id);
    }
    EXPECT_EQ(Text(pRate), "×32 ");

    // Presses on the sheet shown twice as large choose by the shown pixel;
    // a pen press at zoom 32 draws the chip pixel under it.
    const double ratio = view(ScreenI)->devicePixelRatioF();
    const double shown = view(ScreenI)->DeviceScale() / ratio;  // logical pixels per sheet pixel
    Click(ScreenI, QPoint(static_cast<int>((16 * 4 + 5) * shown), static_cast<int>((16 * 3 + 5) * shown)));
    EXPECT_EQ(form().CurCol, 4);
    EXPECT_EQ(form().CurRow, 3);
    const double edit = view(EditI)->DeviceScale() / ratio;
    Click(EditI, QPoint(static_cast<int>((32 * 6 + 10) * edit), static_cast<int>((32 * 2 + 10) * edit)));
    EXPECT_EQ(form().Chip(4, 3).GetPixel(6, 2), canvas::White);
    EXPECT_EQ(form().Chip(4, 3).GetPixel(5, 2), canvas::Black);

    // Off: the fixed window again, at the zoom chosen before.
    Choose(WideMenu);
    QApplication::processEvents();
    // On a screen too small for it, with fewer device pixels per chip pixel.
    const WindowLayout fixed = FixedLayout(ratio, form().ScreenWidth, form().ScreenHeight);
    EXPECT_EQ(window->centralWidget()->size(), QSize(fixed.clientWidth, fixed.clientHeight));
    if (ratio == 1 || (ratio == 2 && fixed.devicePixels == 0)) {
        EXPECT_EQ(fixed.clientWidth, 738);
    }
    const double sheetScale = view(ScreenI)->DeviceScale();
    EXPECT_EQ(sheetScale, std::round(sheetScale));
    if (fixed.devicePixels > 0) {
        EXPECT_EQ(sheetScale, fixed.devicePixels);
    }
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    const ControlPlace& box = fixed.PlaceOf(ScrollBox1);
    EXPECT_EQ(widget(ScrollBox1)->geometry(), QRect(box.left, box.top, box.width, box.height));
    EXPECT_EQ(form().Def.Zoom, 5);
}

}  // namespace

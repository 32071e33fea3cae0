// SPDX-License-Identifier: GPL-3.0-or-later
// The roomy layout over many client sizes: at the fixed size it is the
// described window; it always fits, nothing overlaps, the views' boxes hold
// their scaled pictures, and a larger window never gets a smaller zoom.
#include <gtest/gtest.h>

#include "core/ControlTable.h"
#include "core/WindowLayout.h"

namespace {

using enum ControlId;

constexpr ControlId Placed[] = {Screen,  Panel1, ScrollBox1, pRate, udRate, PenB,     FillB,    CircleB, LineB,
                                EditPos, lbP,    rbP,        lbcP,  rbcP,   MemSaveB, MemLoadB, clP};

bool Overlap(const ControlPlace& a, const ControlPlace& b) {
    return a.left < b.Right() && b.left < a.Right() && a.top < b.Bottom() && b.top < a.Bottom();
}

TEST(WindowLayoutTest, AtTheFixedSizeTheRoomyLayoutIsTheDescribedWindowAtZoom10) {
    const WindowLayout roomy = RoomyLayout(738, 421);
    const WindowLayout fixed = FixedLayout();
    EXPECT_EQ(roomy.zoom, 10);
    EXPECT_EQ(roomy.sheetScale, 1);
    EXPECT_EQ(roomy.paletteScale, 1);
    for (ControlId id : Placed) {
        SCOPED_TRACE(std::string(NameOf(id)));
        const ControlInfo& info = InfoOf(id);
        EXPECT_EQ(fixed.PlaceOf(id), (ControlPlace{info.left, info.top, info.width, info.height}));
        EXPECT_EQ(roomy.PlaceOf(id), fixed.PlaceOf(id));
    }
    // Smaller windows than the fixed one are laid out at the fixed size.
    EXPECT_EQ(RoomyLayout(10, 10).places, fixed.places);
}

TEST(WindowLayoutTest, EverySizeFitsWithoutOverlapsAndTheZoomGrowsWithTheWindow) {
    int checked = 0;
    for (int w = 700; w <= 4000; w += 97) {
        int lastZoom = 0;
        for (int h = 400; h <= 2200; h += 61) {
            const WindowLayout l = RoomyLayout(w, h);
            SCOPED_TRACE(testing::Message() << w << " x " << h);
            ASSERT_GE(l.zoom, 10);
            ASSERT_LE(l.zoom, WindowLayout::MaxZoom);
            ASSERT_GE(l.zoom, lastZoom);
            lastZoom = l.zoom;
            ASSERT_GE(l.paletteScale, 1);
            ASSERT_LE(l.paletteScale, l.sheetScale);
            ASSERT_LE(l.sheetScale, WindowLayout::MaxViewScale);
            // The boxes hold the views: the sheet with its frame line, the
            // palette inside a one-pixel border, the edit area at its zoom.
            EXPECT_GE(l.PlaceOf(Screen).width, 481 * l.sheetScale);
            EXPECT_GE(l.PlaceOf(Screen).height, 257 * l.sheetScale);
            EXPECT_EQ(l.PlaceOf(Panel1).width, 512 * l.paletteScale + 2);
            EXPECT_EQ(l.PlaceOf(Panel1).height, 96 * l.paletteScale + 2);
            EXPECT_GE(l.PlaceOf(ScrollBox1).width, 16 * l.zoom + 1);
            for (ControlId a : Placed) {
                const ControlPlace& p = l.PlaceOf(a);
                EXPECT_LE(p.Right(), l.clientWidth) << NameOf(a);
                EXPECT_LE(p.Bottom(), l.clientHeight) << NameOf(a);
                for (ControlId b : Placed)
                    if (a < b) {
                        EXPECT_FALSE(Overlap(p, l.PlaceOf(b))) << NameOf(a) << " and " << NameOf(b);
                    }
            }
            ++checked;
        }
        EXPECT_EQ(RoomyLayout(w, 2200).zoom, w >= 1100 ? WindowLayout::MaxZoom : lastZoom);
    }
    EXPECT_GT(checked, 1000);
}

TEST(WindowLayoutTest, ShownPositionsFloorToPicturePixels) {
    WindowLayout l = RoomyLayout(1920, 1050);
    ASSERT_EQ(l.sheetScale, 2);
    EXPECT_EQ(l.PictureCoordinate(ScreenI, 0), 0);
    EXPECT_EQ(l.PictureCoordinate(ScreenI, 3), 1);
    EXPECT_EQ(l.PictureCoordinate(ScreenI, -1), -1);
    EXPECT_EQ(l.PictureCoordinate(ScreenI, -2), -1);
    EXPECT_EQ(l.PictureCoordinate(ScreenI, -3), -2);
    EXPECT_EQ(l.PictureCoordinate(EditI, -3), -3);  // the edit area zooms in its picture
}

}  // namespace

TEST(WindowLayoutTest, AFixedWindowTooLargeForItsScreenTakesFewerDevicePixelsPerChipPixel) {
    // 1280 x 1024 at 1.5 is 853 x 682 logical pixels, less the frame and menus.
    const WindowLayout natural = FixedLayout(1.5);
    const WindowLayout fitted = FixedLayout(1.5, 853, 620);
    EXPECT_EQ(natural.devicePixels, 0);
    EXPECT_GT(natural.clientWidth, 853);
    EXPECT_EQ(fitted.devicePixels, 1);
    EXPECT_TRUE(fitted.clientWidth <= 853 && fitted.clientHeight <= 620);
    EXPECT_EQ(fitted.PlaceOf(Screen).width, 320 + 8);  // 480 device pixels, the box's frame round them
    EXPECT_EQ(FixedLayout(1.5, 2000, 2000).places, natural.places);
    EXPECT_EQ(FixedLayout(2, 700, 500).devicePixels, 1);
}

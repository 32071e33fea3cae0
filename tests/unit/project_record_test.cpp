// SPDX-License-Identifier: GPL-3.0-or-later
// The project and the options written as a recovery copy and read back by a
// fresh editor come back equal, for random projects and options.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "core/Form.h"
#include "edit/EditorForm.h"
#include "formats/RecoveryFile.h"
#include "io/RecoveryRecord.h"
#include "io/RememberedPreferences.h"
#include "tests/support/FakePlatform.h"

namespace {

// How many members an aggregate has: the longest brace list it takes.
struct AnyField {
    template <typename T>
    operator T() const;
};
template <typename T, typename... Fields>
constexpr int MemberCount() {
    if constexpr (requires { T{Fields{}..., AnyField{}}; })
        return MemberCount<T, Fields..., AnyField>();
    else
        return static_cast<int>(sizeof...(Fields));
}

int OptionCount() {
    EditorOptions o;
    int n = 0;
    ForEachOption(o, [&n](const char*, auto&, int, int) { ++n; });
    return n;
}

void Randomise(EditorForm& form, std::mt19937& random) {
    auto pick = [&random](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    auto colour = [&] { return static_cast<canvas::Colour>(pick(0, 0xFFFFFF)); };
    Project& project = form.project;
    // A shape that fits, small most of the time so that the test stays quick.
    const bool large = pick(0, 5) == 0;
    const int chipSize = pick(sheet::MinChipSize, large ? sheet::MaxChipSize : 24);
    const int most = std::min(sheet::MaxSide / chipSize, large ? sheet::MaxCols : 8);
    const SheetGeometry g{chipSize, pick(1, most), pick(1, most)};
    if (g != project.Sheet.Geometry()) {
        ASSERT_TRUE(form.MakeNewSheet(g));
    }
    auto chip = [&] { return ChipRef{pick(0, g.cols - 1), pick(0, g.rows - 1)}; };
    for (int n = pick(1, 40); n > 0; --n) {
        const ChipRef c = chip();
        form.ChangeChip(c.col, c.row).SetPixel(pick(0, g.chipSize - 1), pick(0, g.chipSize - 1), colour());
    }
    // Any bytes but NUL, after the "/" that makes the name absolute.
    project.FileName.clear();
    if (pick(0, 3)) {
        project.FileName = "/";
        for (int n = pick(1, 60); n > 0; --n) project.FileName += static_cast<char>(pick(1, 255));
    }
    if (pick(0, 1)) project.Sheet.TransparentColor = colour();
    project.Sheet.ColourTable.resize(static_cast<std::size_t>(pick(0, 256)));
    for (auto& c : project.Sheet.ColourTable) c = colour();
    project.UserPalette.resize(static_cast<std::size_t>(pick(0, 256)));
    for (auto& c : project.UserPalette) c = colour();
    for (int n = pick(0, 6); n > 0; --n)
        project.Sheet.Animations.Set(chip(), ChipAnimation{pick(2, 8), pick(50, 1000)}, g);
    // A terrain whose block and area lie apart, at a random place.
    if (g.chipSize % 2 == 0 && g.cols >= 10 && g.rows >= 6 && pick(0, 1)) {
        const int col = pick(0, g.cols - 10), row = pick(0, g.rows - 6);
        project.Sheet.SetTerrains(
            {Terrain{std::string("t=,:\n") + std::to_string(pick(0, 99)), {col, row}, {col + 2, row}}});
    }
    project.Board.Resize(pick(1, 40), pick(1, 40));
    project.Board.SetZoom(pick(1, 4));
    for (int n = pick(0, 50); n > 0; --n)
        project.Board.Place({pick(0, 39), pick(0, 39)}, chip(),
                            static_cast<canvas::Orientation>(pick(0, canvas::OrientationCount - 1)));
    project.history.SetMemoryLimit(static_cast<std::size_t>(pick(1, History::MaxMemoryMiB)) << 20);
    form.SetUndoLimit(pick(1, History::MaxLimit));
    form.SetLeftColor(colour());
    form.SetRightColor(colour());
    EditorOptions options;
    ForEachOption(options, [&pick](const char*, auto& field, int lo, int hi) {
        field = static_cast<std::remove_cvref_t<decltype(field)>>(pick(lo, hi));
    });
    ApplyOptions(form, options);
    // The block's place as a drag or a click on the sheet leaves it: on the sheet.
    form.SelectBlock(pick(0, g.cols - 1), pick(0, g.rows - 1), options.blockCols, options.blockRows);
    form.Modified = true;
}

void ExpectSameWork(const EditorForm& a, const EditorForm& b) {
    const Project& p = a.project;
    const Project& q = b.project;
    ASSERT_EQ(p.Sheet.Geometry(), q.Sheet.Geometry());
    const SheetGeometry& g = p.Sheet.Geometry();
    for (int c = 0; c < g.cols; ++c)
        for (int r = 0; r < g.rows; ++r) ASSERT_EQ(p.Sheet.Chip(c, r), q.Sheet.Chip(c, r)) << c << "," << r;
    EXPECT_EQ(p.FileName, q.FileName);
    EXPECT_EQ(p.Sheet.TransparentColor, q.Sheet.TransparentColor);
    EXPECT_EQ(p.Sheet.ColourTable, q.Sheet.ColourTable);
    EXPECT_EQ(p.UserPalette, q.UserPalette);
    EXPECT_EQ(p.Sheet.Animations.All(), q.Sheet.Animations.All());
    EXPECT_EQ(p.Sheet.Terrains(), q.Sheet.Terrains());
    ASSERT_EQ(std::tuple(p.Board.Cols(), p.Board.Rows(), p.Board.Zoom()),
              std::tuple(q.Board.Cols(), q.Board.Rows(), q.Board.Zoom()));
    for (int c = 0; c < p.Board.Cols(); ++c)
        for (int r = 0; r < p.Board.Rows(); ++r) EXPECT_EQ(p.Board.Held({c, r}), q.Board.Held({c, r}));
    EXPECT_EQ(p.history.Limit(), q.history.Limit());
    EXPECT_EQ(p.history.MemoryLimit(), q.history.MemoryLimit());
    EXPECT_TRUE(a.Options == b.Options);
    EXPECT_EQ(std::tuple(p.Drawing.left, p.Drawing.right, a.CurCol, a.CurRow, a.EditCols(), a.EditRows()),
              std::tuple(q.Drawing.left, q.Drawing.right, b.CurCol, b.CurRow, b.EditCols(), b.EditRows()));
    EXPECT_EQ(a.Def.ToolMode, b.Def.ToolMode);
    EXPECT_EQ(a.PenSize, b.PenSize);
}

}  // namespace

TEST(ProjectRecord, RandomProjectsAndOptionsComeBackWhole) {
    // An option left out of the one list would be neither written nor read.
    ASSERT_EQ(OptionCount(), MemberCount<EditorOptions>());
    // A part added to the project is written, read and compared below
    // before this count follows it.
    ASSERT_EQ(MemberCount<Project>(), 6);
    std::mt19937 random(33);
    for (int round = 0; round < 24; ++round) {
        SCOPED_TRACE(round);
        FakePlatform platform;
        EditorForm form(platform);
        form.FormCreate();
        ASSERT_NO_FATAL_FAILURE(Randomise(form, random));
        const std::vector<std::uint8_t> bytes = recovery::Encode(recovery::RecordOfEditor(form));

        FakePlatform otherPlatform;
        EditorForm restored(otherPlatform);
        restored.FormCreate();
        recovery::RestoreEditor(restored, recovery::Decode(bytes, recovery::EditorLimits()));
        ExpectSameWork(form, restored);
    }
}

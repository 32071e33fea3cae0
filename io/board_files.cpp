// SPDX-License-Identifier: GPL-3.0-or-later
// The try-out board's files: BoardSaveMenu writes the board as a Tiled map
// beside a tileset for the sheet and the sheet's picture; BoardLoadMenu reads
// such a map (ours or one made in Tiled) with the sheet it uses.
#include <filesystem>
#include <string>
#include <vector>

#include "core/Translation.h"
#include "formats/PictureFormats.h"
#include "formats/PictureReadError.h"
#include "formats/TiledKeep.h"
#include "formats/TiledMap.h"
#include "io/AtomicFile.h"
#include "io/FileWriteError.h"
#include "io/FormWithFiles.h"
#include "io/PictureLoad.h"
#include "io/PictureSave.h"
#include "io/RegularFile.h"
#include "io/TerrainSets.h"

namespace {

constexpr SourceText SaveFailed = TSR_MESSAGE("BoardFiles", "保存できませんでした");
constexpr SourceText LoadRefused = TSR_MESSAGE("BoardFiles", "配置を読み込めません：%1");
constexpr SourceText ForeignMapQuestion = TSR_MESSAGE(
    "BoardFiles", "「%1」はTessaroが保存したマップではありません。Tessaroが使わない内容は残したまま上書きしますか？");
constexpr SourceText DiscardQuestion =
    TSR_MESSAGE("BoardFiles", "保存していない変更を破棄して、配置が使うシートを読み込みますか？");

std::string ReasonText(tiled::Refusal why, const tiled::SheetShape& shape) {
    using R = tiled::Refusal;
    switch (why) {
        case R::Unreadable: return Tr(TSR_MESSAGE("BoardFiles", "ファイルを読み込めません"));
        case R::TooLarge:
            return Tr(
                TSR_MESSAGE("BoardFiles", "ファイルが大きすぎます（マップとタイルセットは4 MiBまで読み込みます）"));
        case R::NotAMap: return Tr(TSR_MESSAGE("BoardFiles", "Tiledのマップ（TMX）ではありません"));
        case R::NotOrthogonal: return Tr(TSR_MESSAGE("BoardFiles", "直交（orthogonal）のマップではありません"));
        case R::TileSize:
            return Tr(TSR_MESSAGE("BoardFiles", "タイルの大きさが%1×%1ではありません"),
                      {std::to_string(shape.tileSide)});
        case R::Infinite: return Tr(TSR_MESSAGE("BoardFiles", "無限マップには対応していません"));
        case R::Layers: return Tr(TSR_MESSAGE("BoardFiles", "タイルレイヤーがちょうど1枚のマップではありません"));
        case R::LayerLook: return Tr(TSR_MESSAGE("BoardFiles", "非表示・半透明・ずらしたレイヤーには対応していません"));
        case R::Size: return Tr(TSR_MESSAGE("BoardFiles", "マップの大きさが横・縦とも1から256の範囲にありません"));
        case R::Tileset:
            return Tr(
                TSR_MESSAGE("BoardFiles", "タイルセットが%1×%1のタイル%2列・%3枚のシートではありません"),
                {std::to_string(shape.tileSide), std::to_string(shape.columns), std::to_string(shape.TileCount())});
        case R::Encoding: return Tr(TSR_MESSAGE("BoardFiles", "タイルデータの形式に対応していません"));
        case R::Data: return Tr(TSR_MESSAGE("BoardFiles", "タイルデータが壊れています"));
        case R::TileOutsideSheet: return Tr(TSR_MESSAGE("BoardFiles", "シートにないタイルが使われています"));
        case R::OutsideFolder:
            return Tr(TSR_MESSAGE("BoardFiles", "マップのフォルダーの外にあるファイルは読み込みません"));
    }
    return "";
}

bool EndsWithMapExtension(const std::string& path) {
    return LowerExtension(std::filesystem::path(path).extension().string()) == ".tmx";
}

// The sheet as the map's tileset, and the board's size limit.
tiled::SheetShape ShapeOf(const SheetGeometry& g) { return {g.chipSize, g.cols, g.rows, TryOutBoard::MaxSide}; }

// The board's cells as tile ids (row x columns + column), and back.
std::vector<tiled::MapCell> TilesOf(const TryOutBoard& board, const tiled::SheetShape& Sheet) {
    std::vector<tiled::MapCell> tiles;
    for (int r = 0; r < board.Rows(); ++r)
        for (int c = 0; c < board.Cols(); ++c) {
            const std::optional<PlacedChip> held = board.Held({c, r});
            tiles.push_back(held ? tiled::MapCell{held->chip.row * Sheet.columns + held->chip.col, held->orientation}
                                 : tiled::MapCell{});
        }
    return tiles;
}

std::vector<std::optional<PlacedChip>> ChipsOf(const std::vector<tiled::MapCell>& tiles,
                                               const tiled::SheetShape& Sheet) {
    std::vector<std::optional<PlacedChip>> chips;
    for (const tiled::MapCell& cell : tiles)
        chips.push_back(
            cell.tile == tiled::EmptyCell
                ? std::nullopt
                : std::optional(PlacedChip{{cell.tile % Sheet.columns, cell.tile / Sheet.columns}, cell.orientation}));
    return chips;
}

std::vector<std::uint8_t> BytesOf(const std::string& text) { return {text.begin(), text.end()}; }

// Animated chips as Tiled's tile animations: the first frame's tile plays
// its frames, each for the frame time.
std::vector<tiled::TileAnimation> TileAnimationsOf(const ChipAnimations& animations, const tiled::SheetShape& Sheet) {
    std::vector<tiled::TileAnimation> tiles;
    for (const auto& [slot, animation] : animations.All()) {
        const auto [col, row] = sheet::ChipOfSlot(slot);
        // An animation left off the sheet by a change of its shape.
        if (row >= Sheet.rows || col + animation.frames > Sheet.columns) continue;
        tiled::TileAnimation tile{row * Sheet.columns + col, {}};
        for (int f = 0; f < animation.frames; ++f) tile.frames.push_back({tile.tile + f, animation.frameMs});
        tiles.push_back(std::move(tile));
    }
    return tiles;
}

// The tileset's animations that the editor can play: frames that follow
// their first tile along its row, all for one frame time within the limits.
// Others (made in Tiled) are left out and stay only in the tileset file.
ChipAnimations ChipAnimationsOf(const std::vector<tiled::TileAnimation>& tiles, const SheetGeometry& geometry) {
    const tiled::SheetShape Sheet = ShapeOf(geometry);
    ChipAnimations animations;
    for (const tiled::TileAnimation& tile : tiles) {
        const int frames = static_cast<int>(tile.frames.size());
        if (frames < ChipAnimation::MinFrames || frames > ChipAnimation::MaxFrames) continue;
        const int col = tile.tile % Sheet.columns, row = tile.tile / Sheet.columns;
        const int frameMs = tile.frames.front().durationMs;
        bool playable = col + frames <= Sheet.columns && frameMs >= ChipAnimation::MinFrameMs &&
                        frameMs <= ChipAnimation::MaxFrameMs;
        for (int f = 0; f < frames && playable; ++f)
            playable = tile.frames[static_cast<std::size_t>(f)] == tiled::AnimationFrame{tile.tile + f, frameMs};
        if (playable && !animations.Holding({col, row}))
            animations.Set({col, row}, ChipAnimation{frames, frameMs}, geometry);
    }
    return animations;
}

// The text of a Tiled file that is already there, so that a save keeps what
// the editor does not use; nothing when there is none (or none that a map's
// reader would take: not a regular file, or too large).
std::optional<std::string> ExistingText(const std::string& path) {
    constexpr std::size_t MaxBytes = 4u << 20;
    std::error_code error;
    if (!std::filesystem::exists(path, error)) return std::nullopt;
    try {
        const std::vector<std::uint8_t> bytes = ReadFileStart(path, MaxBytes + 1);
        if (bytes.size() > MaxBytes) return std::nullopt;
        return std::string(bytes.begin(), bytes.end());
    } catch (const PictureReadError&) {
        return std::nullopt;
    }
}

// Whether the board's save may replace what is at `mapPath`: a map the
// editor did not write is replaced only when the user says so.
bool MayReplaceMap(FormWithFiles& form, const std::string& mapPath, const std::optional<std::string>& existing) {
    std::error_code error;
    if (!std::filesystem::exists(mapPath, error) || (existing && tiled::IsOwnMap(*existing))) return true;
    return form.platform.AskQuestion(Tr(ForeignMapQuestion, {mapPath}));
}

// An animation the editor plays on a sheet of this shape.
bool PlayedAnimation(const tiled::TileAnimation& animation, const SheetGeometry& geometry) {
    return !ChipAnimationsOf(std::vector{animation}, geometry).Empty();
}

std::vector<tiled::WangSet> WangSetsOf(const SheetDocument& document) {
    std::vector<tiled::WangSet> sets;
    for (const Terrain& t : document.Terrains())
        sets.push_back(WangSetOf(t, document.Chips(), document.Geometry().cols));
    return sets;
}

void SaveBoard(FormWithFiles& form, std::string mapPath) {
    // The map always ends in .tmx, so that it never takes the name of the
    // tileset or the picture written beside it.
    if (!EndsWithMapExtension(mapPath)) mapPath += ".tmx";
    const std::filesystem::path map(mapPath);
    const std::string base = map.stem().string();
    const std::string tsxName = base + ".tsx";
    const std::string imageName = base + ".png";
    const tiled::SheetShape Sheet = ShapeOf(form.project.Sheet.Geometry());
    const std::string tsxPath = (map.parent_path() / tsxName).string();
    const std::optional<std::string> oldMap = ExistingText(mapPath), oldTileset = ExistingText(tsxPath);
    if (!MayReplaceMap(form, mapPath, oldMap)) return;
    const std::vector<tiled::MapCell> tiles = TilesOf(form.project.Board, Sheet);
    const std::vector<tiled::TileAnimation> animations = TileAnimationsOf(form.project.Sheet.Animations, Sheet);
    const std::string mapText =
        oldMap
            ? tiled::MapTextOver(*oldMap, form.project.Board.Cols(), form.project.Board.Rows(), tiles, Sheet, tsxName)
            : tiled::MapText(form.project.Board.Cols(), form.project.Board.Rows(), tiles, Sheet, tsxName);
    const std::vector<tiled::WangSet> wangsets = WangSetsOf(form.project.Sheet);
    const std::optional<canvas::Colour> transparent = form.project.Sheet.TransparentColor;
    const SheetGeometry geometry = form.project.Sheet.Geometry();
    const std::string tilesetText =
        oldTileset
            ? tiled::TilesetTextOver(
                  *oldTileset, base, imageName, Sheet, animations,
                  [&](const tiled::TileAnimation& a) { return PlayedAnimation(a, geometry); }, wangsets, transparent)
            : tiled::TilesetText(base, imageName, Sheet, animations, wangsets, transparent);
    form.ComposeSheet();
    try {
        const std::vector<PendingFile> files{
            {(map.parent_path() / imageName).string(),
             EncodePictureFile(imageName, form.SheetImage, form.project.Sheet.TransparentColor, geometry.chipSize)},
            {tsxPath, BytesOf(tilesetText)},
            {mapPath, BytesOf(mapText)},
        };
        // All three or none: a map without its tileset or sheet is no use.
        WriteFilesAllOrNone(files);
    } catch (const FileWriteError&) {
        form.platform.ShowMessage(Tr(SaveFailed));
    }
}

// The map's sheet is the tileset's picture, read as a sheet load reads one:
// its top-left part only, under the same limits, with the transparent colour.
void LoadBoard(FormWithFiles& form, const std::string& path) {
    const SheetGeometry geometry = form.project.Sheet.Geometry();
    const tiled::SheetShape Sheet = ShapeOf(geometry);
    tiled::BoardMap map;
    try {
        map = tiled::ReadMap(path, Sheet);
    } catch (const tiled::MapRefused& e) {
        form.platform.ShowMessage(Tr(LoadRefused, {ReasonText(e.why, Sheet)}));
        return;
    }

    // The colour the board was saved with stands for its transparent pixels
    // in an editor that has none chosen yet.
    const PictureLoad read =
        ReadPictureForSheet(form.project.Sheet.TransparentColor ? form.project.Sheet.TransparentColor : map.transparent,
                            map.sheetImagePath, geometry.Width(), geometry.Height());
    if (!read) {
        form.platform.ShowMessage(
            Tr(LoadRefused, {Tr(TSR_MESSAGE("BoardFiles", "タイルセットの画像を読み込めません"))}));
        return;
    }
    if (read.picture.Width() < geometry.Width() || read.picture.Height() < geometry.Height()) {
        form.platform.ShowMessage(
            Tr(LoadRefused, {Tr(TSR_MESSAGE("BoardFiles", "タイルセットの画像が%1×%2より小さいです"),
                                {std::to_string(geometry.Width()), std::to_string(geometry.Height())})}));
        return;
    }
    if (form.Modified && !form.platform.AskQuestion(Tr(DiscardQuestion))) return;

    form.TakeSheet(read);
    // The overwrite save keeps to files the user chose: the picture that our
    // own board save wrote beside this map (NAME.png for NAME.tmx), and no
    // other file a map may name.
    const std::filesystem::path own = std::filesystem::path(path).replace_extension(".png").lexically_normal();
    form.project.FileName =
        !read.jpeg && std::filesystem::path(map.sheetImagePath) == own ? map.sheetImagePath : std::string();
    form.ShowFileNameInCaption();
    // The chips are now those of the file.
    form.Modified = false;
    form.project.Board.Replace(map.cols, map.rows, ChipsOf(map.cells, Sheet));
    form.project.Sheet.Animations = ChipAnimationsOf(map.animations, geometry);
    // The terrains are the tileset's: its chips as they were saved.
    form.project.Sheet.SetTerrains(TerrainsOf(map.wangsets, Sheet.columns, Sheet.rows));
    form.TerrainBrush.reset();
    form.controls.SetChecked(ControlId::TerrainBrushMenu, false);
    form.ShowAnimationAt(form.AnimationMs);
    form.ShowTransparencyNotice(read.notice);
}

}  // namespace

void FormWithFiles::BoardFileClick(ControlId Sender) {
    if (Sender == ControlId::BoardSaveMenu) {
        if (const auto path = platform.MapSaveDialog()) SaveBoard(*this, *path);
    } else if (Sender == ControlId::BoardLoadMenu) {
        if (const auto path = platform.MapOpenDialog()) LoadBoard(*this, *path);
    }
}

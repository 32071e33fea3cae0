// SPDX-License-Identifier: GPL-3.0-or-later
// The palette files of the File menu: a palette loaded as the user palette,
// and the palette the view shows saved as .gpl, .pal or .hex.
#include <new>

#include "core/Translation.h"
#include "formats/PictureReadError.h"
#include "io/FileMessages.h"
#include "io/FormWithFiles.h"
#include "io/PaletteFiles.h"
#include "io/PreferencesFile.h"

namespace {

std::string RefusalText(const palette_file::PaletteFileError& e) {
    const std::string where =
        e.Line() > 0 ? Tr(TSR_MESSAGE("PaletteFiles", "%1行目: "), {std::to_string(e.Line())}) : std::string();
    return Tr(TSR_MESSAGE("PaletteFiles", "パレットファイルを読み込めません（%1%2）"), {where, e.what()});
}

}  // namespace

std::optional<std::string> FormWithFiles::LoadUserPalette(const std::string& path) {
    palette_file::ReadNotes notes;
    try {
        project.UserPalette = ReadPaletteFile(path, &notes);
    } catch (const palette_file::PaletteFileError& e) {
        return RefusalText(e);
    } catch (const PictureReadError& e) {
        return e.Reason() == PictureReadReason::TooLarge
                   ? Tr(TSR_MESSAGE("PaletteFiles", "画像が大きすぎて読み込めません"))
                   : Tr(TSR_MESSAGE("PaletteFiles", "ファイルの読み込みに失敗しました"));
    } catch (const std::bad_alloc&) {
        // Under a memory limit: refused like any picture too large to read,
        // and nothing else of the start or the menu is lost.
        return Tr(TSR_MESSAGE("PaletteFiles", "画像が大きすぎて読み込めません"));
    }
    Remembered.userPaletteFile = preferences::AbsoluteName(path);
    DrawPaletteView();
    if (notes.droppedAlpha > 0)
        return Tr(TSR_MESSAGE("PaletteFiles", "%1色の不透明度（アルファ）は読み込まず、不透明な色として読み込みました"),
                  {std::to_string(notes.droppedAlpha)});
    return std::nullopt;
}

void FormWithFiles::PaletteLoadMenuClick() {
    const std::optional<std::string> path = platform.PaletteOpenDialog();
    if (!path) return;
    // With the history on, a load that changed the palette is a step: the
    // step keeps the palette from before it.
    const auto part = [](auto& p) -> auto& { return p.UserPalette; };
    std::unique_ptr<Command> step = project.history.On() ? KeepPart(project, part) : nullptr;
    const std::vector<canvas::Colour> before = project.UserPalette;
    const std::optional<std::string> refusal = LoadUserPalette(*path);
    if (step && project.UserPalette != before)
        project.history.Record(project, std::move(step), History::OneLevel::Passed);
    if (refusal) return platform.ShowMessage(*refusal);
    // A palette just loaded is one the artist wants to see and draw with.
    if (!Options.userPalette) UserPaletteMenuClick();
}

void FormWithFiles::PaletteSaveMenuClick() {
    const std::vector<canvas::Colour>* shown = ShownUserPalette();
    palette_file::Palette palette;
    if (shown) {
        palette = *shown;
    } else {
        // The fixed palette, in its table order.
        for (const std::uint32_t entry : Palette256)
            palette.push_back(
                canvas::Rgb(static_cast<int>(entry >> 16), static_cast<int>(entry >> 8), static_cast<int>(entry)));
    }
    const std::optional<std::string> path = platform.PaletteSaveDialog();
    if (!path) return;
    try {
        // A failed write is the generic handler's to report.
        WritePaletteFile(*path, palette);
    } catch (const palette_file::PaletteFileError&) {
        platform.ShowMessage(
            Tr(TSR_MESSAGE("PaletteFiles", "パレットは .gpl、.pal、.hex のいずれかの名前で保存してください。")));
    }
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/tessaro-cli/OutputNames.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "formats/PaletteFile.h"
#include "formats/PictureFormats.h"
#include "io/numbered_save.h"
#include "io/RegularFile.h"

namespace cli {
namespace {

[[noreturn]] void Usage(const std::string& text) { throw UsageError(text); }

// A picture output must be named for what is written: every name but .png
// was once written as BMP, so "out.jpg" made a BMP that no reader takes
// for a JPEG.
void CheckPictureName(const std::string& command, const std::string& path) {
    const std::string ext = LowerExtension(path);
    if (ext != ".bmp" && ext != ".png")
        Usage(command + " writes .bmp or .png files, not \"" + path + "\"; nothing was written");
}

void CheckPaletteName(const std::string& path) {
    const std::optional<palette_file::Format> format = palette_file::FormatOf(path);
    if (!format || !palette_file::Writable(*format))
        Usage("palette writes .gpl, .pal or .hex files, not \"" + path + "\"; nothing was written");
}

}  // namespace

std::string DedupedTilesetPath(const std::string& mapOutput) {
    return std::filesystem::path(mapOutput).replace_extension(".tsx").string();
}

void CheckOutputs(const Invocation& inv) {
    const std::string& c = inv.command;
    std::vector<std::string> inputs = inv.operands, outputs;
    if (c == "check") return;
    if (c == "split") {
        inputs.resize(1);
        // With --chip the picture's size is not known yet: every name the
        // largest sheet of such chips would take.
        const int side = inv.chip.value_or(0);
        const SheetGeometry most = inv.chip ? SheetGeometry{side, std::min(sheet::MaxCols, sheet::MaxSide / side),
                                                            std::min(sheet::MaxRows, sheet::MaxSide / side)}
                                            : sheet::Default;
        for (const NumberedChip& chip : NumberedChips(inv.operands[1], most)) outputs.push_back(chip.name);
    } else if (c == "join" || c == "palette" || c == "indexed" || c == "autotile") {
        outputs.push_back(*inv.output);
        if (inv.tsx) {
            if (LowerExtension(*inv.tsx) != ".tsx")
                Usage("autotile writes its tileset as a .tsx file, not \"" + *inv.tsx + "\"; nothing was written");
            outputs.push_back(*inv.tsx);
        }
        if (c == "palette")
            CheckPaletteName(*inv.output);
        else
            CheckPictureName(c, *inv.output);
    } else if (c == "dedupe") {
        CheckPictureName(c, *inv.output);
        outputs.push_back(*inv.output);
        if (inv.map) {
            inputs.push_back(*inv.map);
            if (LowerExtension(*inv.mapOutput) != ".tmx")
                Usage("dedupe writes its map as a .tmx file, not \"" + *inv.mapOutput + "\"; nothing was written");
            outputs.push_back(*inv.mapOutput);
            outputs.push_back(DedupedTilesetPath(*inv.mapOutput));
        }
    } else {
        // convert, reduce216 and palette256: IN OUT.
        inputs.resize(1);
        outputs.push_back(inv.operands[1]);
        CheckPictureName(c, inv.operands[1]);
    }
    if (inv.palette) inputs.push_back(*inv.palette);
    for (const std::string& out : outputs)
        for (const std::string& in : inputs)
            if (SameFile(out, in)) Usage("the output " + out + " is the input " + in + "; nothing was written");
}

}  // namespace cli

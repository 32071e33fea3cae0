// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "canvas/Picture.h"

// The recovery file: the sheet, the view settings, the options, the colours
// and the try-out board of an editor's unsaved changes. A text head ("tessaro-recovery 1", then "key=value" lines), a
// blank line, then the sheet as a 24-bit BMP exactly as the editor writes it
// (40-byte header, uncompressed, rows bottom-up). Keys a reader does not know
// are passed over, so that later copies with more in them still read.
namespace recovery {

struct Record {
    std::string file;  // the sheet's file: an absolute path, or empty (a relative one reads as empty)
    int zoom = 5;
    int chipSize = 16;
    int cols = 30;
    int rows = 16;
    int tool = 0;  // a tool_mode value
    canvas::Colour gridColour = 0xFFFFFF;
    bool sheetGrid = true;
    int col = 0;  // the chip being edited
    int row = 0;
    int pen = 1;
    bool gridHidden = false;
    bool resizePerChip = true;
    canvas::Picture sheet;  // cols * chipSize by rows * chipSize pixels

    // The rest of the editor's state. Copies of earlier versions have none:
    // then the editor keeps what it has.
    struct Session {
        canvas::Colour left = 0xFFFFFF;
        canvas::Colour right = 0x000000;
        std::optional<canvas::Colour> transparent;
        int boardCols = 20;
        int boardRows = 15;
        int boardZoom = 2;
        // Row by row, boardCols x boardRows: a chip's place in the chip
        // table (column by column), or -1 for an empty cell.
        std::vector<int> boardCells = std::vector<int>(300, -1);
        // The sheet's terrains: each its name, its source block's and its
        // area's top-left chips.
        struct Terrain {
            std::string name;
            int sourceCol = 0, sourceRow = 0, areaCol = 0, areaRow = 0;
            friend bool operator==(const Terrain&, const Terrain&) = default;
        };
        std::vector<Terrain> terrains;
        // Row by row as boardCells, each cell's orientation (0..7, a
        // canvas::Orientation); empty when every cell is as is, as in
        // copies of earlier versions.
        std::vector<std::uint8_t> boardTurns;
        friend bool operator==(const Session&, const Session&) = default;
    };
    std::optional<Session> session;

    // The editor's options by name, each a number within its own range (the
    // editor's list says which); copies of earlier versions have some under
    // older keys, which read as these names.
    std::map<std::string, int, std::less<>> options;

    // The rest of the work: the sheet's colour table, the user palette, the
    // animations and the history's limits. Copies of earlier versions have none.
    struct Work {
        std::vector<canvas::Colour> colourTable;
        std::vector<canvas::Colour> userPalette;
        struct Animation {
            int slot = 0;  // the first frame's chip, column by column
            int frames = 2;
            int frameMs = 200;
            friend bool operator==(const Animation&, const Animation&) = default;
        };
        std::vector<Animation> animations;
        int undoLimit = 1;
        int undoMemoryMiB = 64;
        friend bool operator==(const Work&, const Work&) = default;
    };
    std::optional<Work> work;
};

// What a copy may hold: the editor's own ranges. Every number of a copy is
// checked against them before its picture is allocated.
struct Limits {
    int minChipSize = 16;
    int maxChipSize = 16;
    int maxCols = 30;
    int maxRows = 16;
    int maxSide = 480;  // of the sheet in pixels, each way
    int minZoom = 2;
    int maxZoom = 32;
    int maxTool = 5;
    int maxPen = 4;
    int maxTileZoom = 4;
    int maxBoardSide = 256;
    int maxBoardZoom = 4;
    int maxPalette = 256;
    int maxFrames = 8;
    int maxFrameMs = 1000;
    int maxUndoLimit = 256;
    int maxUndoMemoryMiB = 4096;
    int maxOption = 1000;
};

// Why bytes are not a copy.
class FormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::vector<std::uint8_t> Encode(const Record& record);
// Throws FormatError when the bytes are not a copy within `limits`.
Record Decode(std::span<const std::uint8_t> bytes, const Limits& limits);
// The size of the largest copy within `limits`: no longer file need be read.
std::size_t MaxBytes(const Limits& limits);

}  // namespace recovery

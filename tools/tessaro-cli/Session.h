// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>

#include "canvas/Picture.h"
#include "core/ChipDuplicates.h"
#include "core/Project.h"
#include "formats/PictureReadError.h"
#include "io/FileWriteError.h"
#include "io/PictureLoad.h"
#include "tools/tessaro-cli/CommandLine.h"
#include "tools/tessaro-cli/Progress.h"

namespace cli {

// Input the command refuses, or output it cannot write: exit status 1.
class Refusal : public std::runtime_error {
public:
    explicit Refusal(const std::string& text) : std::runtime_error(text) {}
};

// One run of a command: a sheet, read and written by the editor's own file
// operations, and where the command reports.
struct Session {
    Session(const Invocation& invocation, std::ostream& out, std::ostream& err, bool terminal);

    const Invocation& invocation;
    std::ostream& out;
    std::ostream& err;
    Progress progress;
    Project project;
    SheetDocument& sheet = project.Sheet;

    // A note on standard error (not a failure), unless quiet.
    void Note(const std::string& text);
};

// The whole-sheet load of the File menu; refuses when the file can't be read.
// With --chip the sheet becomes the whole chips of that side the picture
// holds. The size of the picture read.
canvas::Point LoadSheet(Session& s, const std::string& path);
// A chip file into chip (col, row), as the File menu's chip load reads it.
void LoadChip(Session& s, const std::string& path, int col, int row);
// The sheet as one picture, as the saves compose it.
canvas::Picture ComposedSheet(const Session& s);
// The tileset's picture as a tileset at `tsxPath` names it: relative to the
// tileset's folder where it can be.
std::string ImageNameFor(const std::string& tsxPath, const std::string& imagePath);
// The reader's reason, in words ("No such file or directory").
std::string ReasonOf(const PictureReadError& e);
// The refusal of a picture file that could not be read, with the reader's reason.
Refusal UnreadablePicture(const std::string& path, const PictureReadError& e);
// The refusal of an output that could not be written.
Refusal UnwritableFile(const FileWriteError& e);

// The sheet's chips counted: "N chips, U unique exactly, O unique up to
// orientation".
std::string CountsText(const duplicates::Report& report);

// Runs the command named in the invocation; returns the exit status.
int RunSplit(Session& s);
int RunJoin(Session& s);
int RunConvert(Session& s);
int RunReduce216(Session& s);
int RunPalette256(Session& s);
int RunCheck(Session& s);
int RunPalette(Session& s);
int RunIndexed(Session& s);
int RunAutotile(Session& s);
int RunDedupe(Session& s);

}  // namespace cli

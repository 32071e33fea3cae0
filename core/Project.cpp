// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Project.h"

namespace {

std::unique_ptr<Command> WithAlongside(std::unique_ptr<Command> pixels, std::unique_ptr<Command> alongside) {
    if (!alongside) return pixels;
    auto group = std::make_unique<CommandGroup>();
    group->Add(std::move(pixels));
    group->Add(std::move(alongside));
    return group;
}

}  // namespace

void Project::RecordChip(ChipRef chip, History::OneLevel oneLevel, std::unique_ptr<Command> alongside) {
    if (!history.On() && oneLevel != History::OneLevel::Kept) return;
    auto pixels = std::make_unique<ChipPixels>(*this, std::vector<ChipRef>{chip}, chip);
    if (!history.On()) return history.Record(*this, std::move(pixels), oneLevel);
    history.Record(*this, WithAlongside(std::move(pixels), std::move(alongside)), oneLevel);
}

void Project::RecordBlock(ChipRef topLeft, int cols, int rows, History::OneLevel oneLevel) {
    if (!history.On() && oneLevel != History::OneLevel::Kept) return;
    std::vector<ChipRef> chips;
    for (int c = topLeft.col; c < topLeft.col + cols; ++c)
        for (int r = topLeft.row; r < topLeft.row + rows; ++r) chips.push_back({c, r});
    history.Record(*this, std::make_unique<ChipPixels>(*this, std::move(chips), topLeft), oneLevel);
}

void Project::RecordSheet(ChipRef current, std::unique_ptr<Command> alongside) {
    if (!history.On()) return history.Record(*this, nullptr, History::OneLevel::Forgets);
    // Every slot of the chip table, not only the sheet's: a change of shape
    // may resize chips or bring slots outside the sheet into it. What the
    // change leaves as it was drops out when the step settles.
    std::vector<ChipRef> chips;
    chips.reserve(sheet::SlotCount);
    for (int c = 0; c < sheet::MaxCols; ++c)
        for (int r = 0; r < sheet::MaxRows; ++r) chips.push_back({c, r});
    auto step = std::make_unique<CommandGroup>();
    step->Add(std::make_unique<ChipPixels>(*this, std::move(chips), current));
    step->Add(SheetShapeStep());
    history.Record(*this, WithAlongside(std::move(step), std::move(alongside)), History::OneLevel::Forgets);
}

void Project::RecordBoard() {
    if (history.On()) history.Record(*this, BoardStep(), History::OneLevel::Passed);
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Animated chips: the option that plays them in the tile preview and on the
// board, and the frames given to the chip being edited. The edit area and
// the sheet always show the chips themselves, so that the artist draws
// frame by frame while the preview moves.
#include "core/Form.h"

void TForm1::AnimMenuClick() {
    Options.animation = !Options.animation;
    ShowOptions();
    ShowAnimationAt(AnimationMs);
}

void TForm1::AnimFramesMenuClick() {
    const ChipRef chip{CurCol, CurRow};
    const std::optional<ChipAnimation> answer =
        platform.AnimationDialog(project.Sheet.Animations.Of(chip).value_or(ChipAnimation{}));
    if (!answer) return;
    ChipAnimations after = project.Sheet.Animations;
    after.Set(chip, answer, project.Sheet.Geometry());
    if (after.All() == project.Sheet.Animations.All()) return;
    project.RecordPart([](auto& p) -> auto& { return p.Sheet.Animations; });
    project.Sheet.Animations = std::move(after);
    ShowAnimationAt(AnimationMs);
}

void TForm1::ShowAnimationAt(std::int64_t elapsedMs) {
    AnimationMs = elapsedMs;
    if (Options.animation)
        project.Sheet.Animations.ShowAt(elapsedMs, ShownSlots);
    else
        ShownSlots = ChipAnimations::Still();
}

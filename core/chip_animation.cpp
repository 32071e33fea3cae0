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
        platform.AnimationDialog(Sheet.Animations.Of(chip).value_or(ChipAnimation{}));
    if (!answer) return;
    Sheet.Animations.Set(chip, answer, Sheet.Geometry());
    ShowAnimationAt(AnimationMs);
}

void TForm1::ShowAnimationAt(std::int64_t elapsedMs) {
    AnimationMs = elapsedMs;
    if (Options.animation)
        Sheet.Animations.ShowAt(elapsedMs, ShownSlots);
    else
        ShownSlots = ChipAnimations::Still();
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Animated chips: the option that plays them in the tile preview and on the
// board, and the frames given to the chip being edited. The edit area and
// the sheet always show the chips themselves, so that the artist draws
// frame by frame while the preview moves.
#include <string>
#include <vector>

#include "core/Form.h"
#include "core/Translation.h"

void TForm1::AnimMenuClick() {
    Options.animation = !Options.animation;
    ShowOptions();
    ShowAnimationAt(AnimationMs);
}

void TForm1::AnimFramesMenuClick() {
    // A frame inside an animation stands for the animation: the dialog shows
    // and changes the one the chip belongs to.
    const ChipRef chip = project.Sheet.Animations.Holding({CurCol, CurRow}).value_or(ChipRef{CurCol, CurRow});
    const std::optional<ChipAnimation> answer =
        platform.AnimationDialog(project.Sheet.Animations.Of(chip).value_or(ChipAnimation{}));
    if (!answer) return;
    // Frames that reach into another animation end that one, but not unasked.
    const std::vector<ChipRef> dropped = project.Sheet.Animations.Overlapping(chip, answer, project.Sheet.Geometry());
    if (!dropped.empty()) {
        std::string chips;
        for (const ChipRef& c : dropped)
            chips += (chips.empty() ? "" : "、") + std::to_string(c.col) + "," + std::to_string(c.row);
        if (!platform.AskQuestion(
                Tr(TSR_MESSAGE(
                       "Animation",
                       "キャラクタ%1から始まるアニメーションと重なります。そのアニメーションを止めてよろしいですか？"),
                   {chips})))
            return;
    }
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

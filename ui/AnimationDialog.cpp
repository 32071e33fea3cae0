// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/AnimationDialog.h"

#include <QSpinBox>

#include "core/Translation.h"
#include "ui/MenuBuilder.h"
#include "ui/NumberDialog.h"

namespace ui {

namespace {

QString Caption(const char* text) { return Text(Translated("AnimationDialog", text)); }

}  // namespace

std::optional<ChipAnimation> AskAnimation(QWidget* parent, ChipAnimation current) {
    NumberDialog dialog(parent, "AnimationDialog", Caption(TSR_TEXT("AnimationDialog", "アニメーションのコマ")));
    QSpinBox* frames =
        dialog.AddNumber(Caption(TSR_TEXT("AnimationDialog", "コマ数（右へ続くキャラクタ、1で止める）(&N):")),
                         "AnimationFrames", 1, ChipAnimation::MaxFrames, current.frames);
    QSpinBox* frameMs =
        dialog.AddNumber(Caption(TSR_TEXT("AnimationDialog", "1コマの時間（ミリ秒）(&T):")), "AnimationFrameMs",
                         ChipAnimation::MinFrameMs, ChipAnimation::MaxFrameMs, current.frameMs);
    frameMs->setSingleStep(10);
    frames->selectAll();
    if (!dialog.Ask()) return std::nullopt;
    return ChipAnimation{frames->value(), frameMs->value()};
}

}  // namespace ui

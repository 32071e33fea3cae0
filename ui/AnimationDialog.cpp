#include "ui/AnimationDialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>

#include "core/Translation.h"
#include "ui/MenuBuilder.h"
#include "ui/QtPlatform.h"

namespace ui {

std::optional<ChipAnimation> AskAnimation(QWidget* parent, ChipAnimation current) {
    QDialog dialog(parent);
    dialog.setObjectName("AnimationDialog");
    dialog.setWindowTitle(Text(Translated("AnimationDialog", TSR_TEXT("AnimationDialog", "アニメーションのコマ"))));
    auto* layout = new QFormLayout(&dialog);
    auto number = [&](const char* name, int low, int high, int value) {
        auto* box = new QSpinBox(&dialog);
        box->setObjectName(name);
        box->setRange(low, high);
        box->setValue(value);
        return box;
    };
    QSpinBox* frames = number("AnimationFrames", 1, ChipAnimation::MaxFrames, current.frames);
    QSpinBox* frameMs =
        number("AnimationFrameMs", ChipAnimation::MinFrameMs, ChipAnimation::MaxFrameMs, current.frameMs);
    frameMs->setSingleStep(10);
    layout->addRow(
        Text(Translated("AnimationDialog", TSR_TEXT("AnimationDialog", "コマ数（右へ続くチップ、1で止める）(&N):"))),
        frames);
    layout->addRow(Text(Translated("AnimationDialog", TSR_TEXT("AnimationDialog", "1コマの時間（ミリ秒）(&T):"))),
                   frameMs);
    auto* buttons = new QDialogButtonBox(&dialog);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(Text(QtPlatform::Shown(QtPlatform::CancelText)), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addRow(buttons);
    frames->selectAll();
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return ChipAnimation{frames->value(), frameMs->value()};
}

}  // namespace ui

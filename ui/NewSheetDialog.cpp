// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/NewSheetDialog.h"

#include <QComboBox>
#include <QIntValidator>
#include <QLineEdit>
#include <QSpinBox>

#include "core/Translation.h"
#include "ui/MenuBuilder.h"
#include "ui/NumberDialog.h"

namespace ui {

namespace {

QString Caption(const char* text) { return Text(Translated("NewSheetDialog", text)); }

struct Preset {
    const char* name;
    SheetGeometry shape;
};
constexpr Preset Presets[] = {
    {"16 x 16, 30 x 16", {16, 30, 16}},      {"32 x 32, 16 x 16", {32, 16, 16}}, {"48 x 48, 16 x 16", {48, 16, 16}},
    {"48 x 48, 16 x 12 (A2)", {48, 16, 12}}, {"8 x 8, 32 x 32", {8, 32, 32}},
};

}  // namespace

std::optional<SheetGeometry> AskNewSheet(QWidget* parent, const SheetGeometry& current) {
    NumberDialog dialog(parent, "NewSheetDialog", Caption(TSR_TEXT("NewSheetDialog", "新規シート")));
    auto* presets = new QComboBox(&dialog);
    presets->setObjectName("SheetPreset");
    presets->addItem(Caption(TSR_TEXT("NewSheetDialog", "（選んでください）")));
    for (const Preset& p : Presets) presets->addItem(QString::fromLatin1(p.name));
    dialog.AddRow(Caption(TSR_TEXT("NewSheetDialog", "よく使う大きさ(&P):")), presets);

    // Any side of 8 to 64 may be typed; the common ones come first in the list.
    auto* chip = new QComboBox(&dialog);
    chip->setObjectName("ChipSize");
    chip->setEditable(true);
    for (int side : sheet::CommonChipSizes) chip->addItem(QString::number(side));
    chip->lineEdit()->setValidator(new QIntValidator(sheet::MinChipSize, sheet::MaxChipSize, chip));
    chip->setEditText(QString::number(current.chipSize));
    dialog.AddRow(Caption(TSR_TEXT("NewSheetDialog", "チップの大きさ（ピクセル）(&S):")), chip);
    QSpinBox* cols = dialog.AddNumber(Caption(TSR_TEXT("NewSheetDialog", "横（チップ）(&W):")), "SheetCols", 1,
                                      sheet::MaxCols, current.cols);
    QSpinBox* rows = dialog.AddNumber(Caption(TSR_TEXT("NewSheetDialog", "縦（チップ）(&H):")), "SheetRows", 1,
                                      sheet::MaxRows, current.rows);

    QObject::connect(presets, &QComboBox::currentIndexChanged, &dialog, [=](int index) {
        if (index < 1) return;
        const SheetGeometry& shape = Presets[index - 1].shape;
        chip->setEditText(QString::number(shape.chipSize));
        cols->setValue(shape.cols);
        rows->setValue(shape.rows);
    });
    if (!dialog.Ask()) return std::nullopt;
    // The editor says which shapes it refuses.
    return SheetGeometry{chip->currentText().toInt(), cols->value(), rows->value()};
}

}  // namespace ui

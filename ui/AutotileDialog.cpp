// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/AutotileDialog.h"

#include <QLineEdit>
#include <QSpinBox>

#include "core/SheetGeometry.h"
#include "core/Translation.h"
#include "ui/MenuBuilder.h"
#include "ui/NumberDialog.h"

namespace ui {

namespace {

QString Caption(const char* text) { return Text(Translated("AutotileDialog", text)); }

}  // namespace

std::optional<Platform::AutotileAnswer> AskAutotile(QWidget* parent, const Platform::AutotileAnswer& start) {
    NumberDialog dialog(parent, "AutotileDialog", Caption(TSR_TEXT("AutotileDialog", "オートタイル")));
    QSpinBox* sourceCol = dialog.AddNumber(Caption(TSR_TEXT("AutotileDialog", "素材の左上（列）(&C):")),
                                           "AutotileSourceCol", 0, sheet::Cols - 1, start.source.col);
    QSpinBox* sourceRow = dialog.AddNumber(Caption(TSR_TEXT("AutotileDialog", "素材の左上（行）(&R):")),
                                           "AutotileSourceRow", 0, sheet::Rows - 1, start.source.row);
    QSpinBox* areaCol = dialog.AddNumber(Caption(TSR_TEXT("AutotileDialog", "書き出し先の左上（列）(&L):")),
                                         "AutotileAreaCol", 0, sheet::Cols - 1, start.area.col);
    QSpinBox* areaRow = dialog.AddNumber(Caption(TSR_TEXT("AutotileDialog", "書き出し先の左上（行）(&W):")),
                                         "AutotileAreaRow", 0, sheet::Rows - 1, start.area.row);
    QLineEdit* name = dialog.AddText(Caption(TSR_TEXT("AutotileDialog", "地形の名前(&N):")), "AutotileName",
                                     QString::fromStdString(start.name));
    sourceCol->selectAll();
    if (!dialog.Ask()) return std::nullopt;
    return Platform::AutotileAnswer{{sourceCol->value(), sourceRow->value()},
                                    {areaCol->value(), areaRow->value()},
                                    name->text().trimmed().toStdString()};
}

}  // namespace ui

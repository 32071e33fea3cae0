// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/BoardSizeDialog.h"

#include <QSpinBox>

#include "core/Translation.h"
#include "core/TryOutBoard.h"
#include "ui/MenuBuilder.h"
#include "ui/NumberDialog.h"

namespace ui {

namespace {

QString Caption(const char* text) { return Text(Translated("BoardSizeDialog", text)); }

}  // namespace

std::optional<Platform::BoardSize> AskBoardSize(QWidget* parent, int cols, int rows) {
    NumberDialog dialog(parent, "BoardSizeDialog", Caption(TSR_TEXT("BoardSizeDialog", "配置の大きさ")));
    QSpinBox* colsBox = dialog.AddNumber(Caption(TSR_TEXT("BoardSizeDialog", "横（マス）(&W):")), "BoardCols", 1,
                                         TryOutBoard::MaxSide, cols);
    QSpinBox* rowsBox = dialog.AddNumber(Caption(TSR_TEXT("BoardSizeDialog", "縦（マス）(&H):")), "BoardRows", 1,
                                         TryOutBoard::MaxSide, rows);
    colsBox->selectAll();
    if (!dialog.Ask()) return std::nullopt;
    return Platform::BoardSize{colsBox->value(), rowsBox->value()};
}

}  // namespace ui

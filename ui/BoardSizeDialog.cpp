#include "ui/BoardSizeDialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>

#include "core/Translation.h"
#include "core/TryOutBoard.h"
#include "ui/MenuBuilder.h"
#include "ui/QtPlatform.h"

namespace ui {

std::optional<Platform::BoardSize> AskBoardSize(QWidget* parent, int cols, int rows) {
    QDialog dialog(parent);
    dialog.setObjectName("BoardSizeDialog");
    dialog.setWindowTitle(Text(Translated("BoardSizeDialog", TSR_TEXT("BoardSizeDialog", "配置の大きさ"))));
    auto* layout = new QFormLayout(&dialog);
    auto number = [&](const char* name, int value) {
        auto* box = new QSpinBox(&dialog);
        box->setObjectName(name);
        box->setRange(1, TryOutBoard::MaxSide);
        box->setValue(value);
        return box;
    };
    QSpinBox* colsBox = number("BoardCols", cols);
    QSpinBox* rowsBox = number("BoardRows", rows);
    layout->addRow(Text(Translated("BoardSizeDialog", TSR_TEXT("BoardSizeDialog", "横（マス）(&W):"))), colsBox);
    layout->addRow(Text(Translated("BoardSizeDialog", TSR_TEXT("BoardSizeDialog", "縦（マス）(&H):"))), rowsBox);
    auto* buttons = new QDialogButtonBox(&dialog);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(Text(QtPlatform::Shown(QtPlatform::CancelText)), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addRow(buttons);
    colsBox->selectAll();
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return Platform::BoardSize{colsBox->value(), rowsBox->value()};
}

}  // namespace ui

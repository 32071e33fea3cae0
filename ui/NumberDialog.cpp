// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/NumberDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include "ui/MenuBuilder.h"
#include "ui/QtPlatform.h"

namespace ui {

NumberDialog::NumberDialog(QWidget* parent, const char* objectName, const QString& title)
    : QDialog(parent), layout_(new QFormLayout(this)) {
    setObjectName(objectName);
    setWindowTitle(title);
}

QSpinBox* NumberDialog::AddNumber(const QString& caption, const char* name, int low, int high, int value) {
    auto* box = new QSpinBox(this);
    box->setObjectName(name);
    box->setRange(low, high);
    box->setValue(value);
    layout_->addRow(caption, box);
    return box;
}

QLineEdit* NumberDialog::AddText(const QString& caption, const char* name, const QString& value) {
    auto* line = new QLineEdit(value, this);
    line->setObjectName(name);
    layout_->addRow(caption, line);
    return line;
}

bool NumberDialog::Ask() {
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(Text(QtPlatform::Shown(QtPlatform::CancelText)), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout_->addRow(buttons);
    return exec() == QDialog::Accepted;
}

}  // namespace ui

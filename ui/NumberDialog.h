// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QFormLayout;
class QLineEdit;
class QSpinBox;

namespace ui {

// A small dialog of numbers (the board size, an animation's frames): rows of
// spin boxes under a caption each, and "OK" and Cancel below them.
class NumberDialog : public QDialog {
public:
    NumberDialog(QWidget* parent, const char* objectName, const QString& title);
    // A row: `caption`, then a spin box named `name` from low to high.
    QSpinBox* AddNumber(const QString& caption, const char* name, int low, int high, int value);
    // A row: `caption`, then a line of text named `name`.
    QLineEdit* AddText(const QString& caption, const char* name, const QString& value);
    // Adds the buttons and runs the dialog; true for "OK".
    bool Ask();

private:
    QFormLayout* layout_;
};

}  // namespace ui

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QToolButton>

namespace ui {

// A speed button of the tool group. The style draws a pressed tool button
// only a shade darker than the others; this one also fills its face with the
// selection colour of the window's palette and frames it in that colour, so
// that the chosen tool shows at a glance.
class ToolButton : public QToolButton {
    Q_OBJECT
public:
    explicit ToolButton(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace ui

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include <QMainWindow>
#include <QTimer>

#include "core/Form.h"
#include "edit/EditorForm.h"
#include "ui/MenuBuilder.h"

class QLabel;
class QScrollArea;

namespace ui {

class BoardView;

// The try-out board's tool window: its own menu bar from the control table
// and the view BoardI in a scroll area. Every event goes to the editor
// through the main window's event boundary (`run`), which then shows the
// changes of both windows.
class BoardWindow : public QMainWindow {
    Q_OBJECT
public:
    using Runner = std::function<void(const std::function<void()>&)>;

    BoardWindow(EditorForm& form, Runner run, QWidget* parent);

    // Shows what changed: the window shown or hidden as BoardMenu says, its
    // menu items, and the cells of the view to draw again.
    void ShowChanges();
    // Shows the title and the menus in the language chosen now.
    void Retranslate();

    BoardView* View() const { return view_; }
    QAction* ActionOf(ControlId id) const { return menus_.actions[static_cast<std::size_t>(id)]; }
    QMenu* MenuOf(ControlId id) const { return menus_.menus[static_cast<std::size_t>(id)]; }
    // The status line: how the stamp lies.
    QLabel* StampLine() const { return stampLine_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void ApplyItem(ControlId id);
    void FitToBoard();

    EditorForm& form_;
    Runner run_;
    MenuSet menus_;
    QScrollArea* scroll_ = nullptr;
    BoardView* view_ = nullptr;
    QLabel* stampLine_ = nullptr;
    bool placed_ = false;
    // Restarted by each move: the place is kept once the window stays put,
    // not at every step of a drag.
    QTimer placeTimer_;
};

}  // namespace ui

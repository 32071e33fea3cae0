// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include <QTimer>
#include <QWidget>

#include "core/Form.h"
#include "edit/EditorForm.h"
#include "ui/MenuBuilder.h"

namespace ui {

class PictureView;

// The tile preview's tool window: its own menu bar (mode and zoom) and the
// view TileI. A thin view like the main window: events go to the editor's
// handlers through the main window's event boundary, and ShowChanges shows
// what the editor marked changed, including whether the window is shown.
class TilePreviewWindow : public QWidget {
    Q_OBJECT
public:
    // Runs a handler at the main window's event boundary.
    using Runner = std::function<void(const std::function<void()>&)>;

    TilePreviewWindow(EditorForm& form, Runner run, QWidget* owner);

    // Called by the main window before it clears the controls' dirty marks.
    void ShowChanges();
    // Shows the title and the menus in the language chosen now.
    void Retranslate();

    PictureView* View() const { return view_; }
    QAction* ActionOf(ControlId id) const { return menus_.actions[static_cast<std::size_t>(id)]; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void ApplyItem(ControlId id);

    EditorForm& form_;
    Runner run_;
    MenuSet menus_;
    PictureView* view_ = nullptr;
    bool placed_ = false;
    bool markedNeighbours_ = false;
    // Restarted by each move: the place is kept once the window stays put,
    // not at every step of a drag.
    QTimer placeTimer_;
};

}  // namespace ui

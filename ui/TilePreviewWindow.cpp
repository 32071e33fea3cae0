// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TilePreviewWindow.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QVBoxLayout>

#include "core/ControlTable.h"
#include "edit/EditorForm.h"
#include "io/FormWithFiles.h"
#include "ui/ControlAction.h"
#include "ui/Language.h"
#include "ui/PictureView.h"
#include "ui/ToolWindowPlace.h"
#include "ui/ViewMarks.h"

namespace ui {

namespace {

bool InTileMenuBar(ControlId id) { return MenuRootOf(id) == ControlId::TileMenuBar; }

}  // namespace

TilePreviewWindow::TilePreviewWindow(EditorForm& form, Runner run, QWidget* owner)
    : QWidget(owner, Qt::Tool), form_(form), run_(std::move(run)) {
    placeTimer_.setSingleShot(true);
    placeTimer_.setInterval(PlaceKeptAfterMs);
    connect(&placeTimer_, &QTimer::timeout, this,
            [this] { run_([this] { form_.Remembered.tileWindow = PlaceOf(*this); }); });
    setObjectName(Text(NameOf(ControlId::TileForm)));
    setWindowTitle(CaptionText(form_.controls.Caption(ControlId::TileForm)));

    auto* bar = new QMenuBar(this);
    BuildMenuBarOf(ControlId::TileMenuBar, *bar, form_.controls, menus_);
    view_ = new PictureView(form_.TileI, this);
    view_->setObjectName(Text(NameOf(ControlId::TileI)));
    view_->SetOverlay([this](QPainter& painter, qreal pixel) { PaintMiddleChipMarks(painter, pixel, form_); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setMenuBar(bar);
    layout->addWidget(view_, 0, Qt::AlignHCenter);
    // The window is as large as its view and follows the zoom, but never
    // narrower than its menu bar, whose menus would hide behind "»".
    layout->addStrut(bar->sizeHint().width());
    layout->setSizeConstraint(QLayout::SetFixedSize);

    for (std::size_t i = 0; i < ControlCount; ++i) {
        const ControlId id = static_cast<ControlId>(i);
        if (InfoOf(id).kind != ControlKind::MenuItem || !InTileMenuBar(id)) continue;
        connect(menus_.actions[i], &QAction::triggered, this, [this, id] {
            run_([this, id] { form_.Click(id); });
            ApplyItem(id);  // the editor's mark wins over Qt's own toggle
        });
        ApplyItem(id);
    }
    view_->OnPress(
        [this](MouseButton b, ShiftState s, int x, int y) { run_([&] { form_.TileIMouseDown(b, s, x, y); }); });
    view_->OnMove([this](ShiftState s, int x, int y) { run_([&] { form_.TileIMouseMove(s, x, y); }); });
}

void TilePreviewWindow::ApplyItem(ControlId id) { ShowControlOnAction(form_.controls, id, *ActionOf(id)); }

void TilePreviewWindow::Retranslate() {
    setWindowTitle(CaptionText(form_.controls.Caption(ControlId::TileForm)));
    for (std::size_t i = 0; i < ControlCount; ++i)
        if (menus_.actions[i]) ShowControlOnAction(form_.controls, static_cast<ControlId>(i), *menus_.actions[i]);
}

void TilePreviewWindow::ShowChanges() {
    view_->ShowChanges();
    // The middle's marks come and go with the mode, the picture may not change.
    if (form_.Options.tileNeighbours != markedNeighbours_) {
        markedNeighbours_ = form_.Options.tileNeighbours;
        view_->update();
    }
    const Controls& controls = form_.controls;
    for (std::size_t i = 0; i < ControlCount; ++i) {
        const ControlId id = static_cast<ControlId>(i);
        if (controls.IsDirty(id) && InfoOf(id).kind == ControlKind::MenuItem && InTileMenuBar(id)) ApplyItem(id);
    }
    const bool shown = form_.Options.tilePreview;
    if (shown == isVisible()) return;
    if (shown && !placed_) {
        // First shown where it was in the last run, else beside the main
        // window's right edge.
        if (!MoveToKeptPlace(*this, form_.Remembered.tileWindow))
            if (QWidget* owner = parentWidget()) move(owner->frameGeometry().topRight() + QPoint(8, 0));
        placed_ = true;
    }
    setVisible(shown);
}

void TilePreviewWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (isVisible()) placeTimer_.start();
}

void TilePreviewWindow::closeEvent(QCloseEvent* event) {
    // Closed by the user from its title bar: the check item follows.
    if (form_.Options.tilePreview) run_([this] { form_.TileFormClose(); });
    event->accept();
}

}  // namespace ui

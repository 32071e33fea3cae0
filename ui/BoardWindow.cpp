// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/BoardWindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>

#include "core/ControlTable.h"
#include "edit/EditorForm.h"
#include "io/FormWithFiles.h"
#include "ui/BoardView.h"
#include "ui/ControlAction.h"
#include "ui/Language.h"
#include "ui/ToolWindowPlace.h"

namespace ui {

namespace {

using enum ControlId;

bool OfBoardWindow(ControlId id) { return MenuRootOf(id) == BoardMainMenu; }

// The stamp's items take a key of their own while the board window is active.
constexpr std::pair<ControlId, const char*> StampKeys[] = {
    {StampMirrorXMenu, "X"}, {StampMirrorYMenu, "Y"}, {StampTurnMenu, "R"}};

}  // namespace

BoardWindow::BoardWindow(EditorForm& form, Runner run, QWidget* parent)
    : QMainWindow(parent, Qt::Tool), form_(form), run_(std::move(run)) {
    placeTimer_.setSingleShot(true);
    placeTimer_.setInterval(PlaceKeptAfterMs);
    connect(&placeTimer_, &QTimer::timeout, this,
            [this] { run_([this] { form_.Remembered.boardWindow = PlaceOf(*this); }); });
    setObjectName(Text(NameOf(BoardForm)));
    setWindowTitle(CaptionText(form_.controls.Caption(BoardForm)));
    BuildMenuBarOf(BoardMainMenu, *menuBar(), form_.controls, menus_);
    for (std::size_t i = 0; i < ControlCount; ++i) {
        const ControlId id = static_cast<ControlId>(i);
        if (!menus_.actions[i] || InfoOf(id).kind != ControlKind::MenuItem) continue;
        connect(menus_.actions[i], &QAction::triggered, this, [this, id] {
            run_([this, id] { form_.Click(id); });
            // Qt toggles a checkable item by itself; the editor's mark wins.
            ApplyItem(id);
        });
    }

    for (const auto& [id, key] : StampKeys) ActionOf(id)->setShortcut(QKeySequence(QString::fromLatin1(key)));
    stampLine_ = new QLabel(this);
    stampLine_->setObjectName(Text(NameOf(BoardStampPanel)));
    statusBar()->addWidget(stampLine_);
    stampLine_->setText(CaptionText(form_.controls.Caption(BoardStampPanel)));

    // Made on first use, maybe long after its items last changed.
    for (std::size_t i = 0; i < ControlCount; ++i)
        if (menus_.actions[i]) ApplyItem(static_cast<ControlId>(i));

    scroll_ = new QScrollArea(this);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    scroll_->setWidgetResizable(false);
    view_ = new BoardView(form_, nullptr);
    view_->setObjectName(Text(NameOf(BoardI)));
    scroll_->setWidget(view_);
    setCentralWidget(scroll_);
    view_->OnPress(
        [this](MouseButton b, ShiftState s, int x, int y) { run_([&] { form_.BoardIMouseDown(b, s, x, y); }); });
    view_->OnMove([this](ShiftState s, int x, int y) { run_([&] { form_.BoardIMouseMove(s, x, y); }); });
    // The board's cells scrolled into sight are drawn then.
    for (QScrollBar* bar : {scroll_->horizontalScrollBar(), scroll_->verticalScrollBar()})
        connect(bar, &QScrollBar::valueChanged, view_, [this] { view_->update(); });
    FitToBoard();
}

void BoardWindow::FitToBoard() {
    // The whole board when it fits on the screen, else as much as fits.
    const QSize board(view_->width(), view_->height());
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QSize room(screen.width() * 3 / 4, screen.height() * 3 / 4);
    resize(board.boundedTo(room) + QSize(0, menuBar()->sizeHint().height() + statusBar()->sizeHint().height()));
}

void BoardWindow::Retranslate() {
    setWindowTitle(CaptionText(form_.controls.Caption(BoardForm)));
    stampLine_->setText(CaptionText(form_.controls.Caption(BoardStampPanel)));
    for (std::size_t i = 0; i < ControlCount; ++i)
        if (menus_.actions[i]) ShowControlOnAction(form_.controls, static_cast<ControlId>(i), *menus_.actions[i]);
}

void BoardWindow::ShowChanges() {
    const Controls& controls = form_.controls;
    if (controls.IsDirty(BoardMenu) && form_.Options.boardShown != isVisible()) {
        // First shown where it was in the last run.
        if (form_.Options.boardShown && !placed_) {
            MoveToKeptPlace(*this, form_.Remembered.boardWindow);
            placed_ = true;
        }
        setVisible(form_.Options.boardShown);
        if (isVisible()) view_->update();
    }
    for (std::size_t i = 0; i < ControlCount; ++i)
        if (menus_.actions[i] && controls.IsDirty(static_cast<ControlId>(i))) ApplyItem(static_cast<ControlId>(i));
    if (controls.IsDirty(BoardStampPanel)) stampLine_->setText(CaptionText(controls.Caption(BoardStampPanel)));
    const QSize before = view_->size();
    view_->ShowChanges(form_);
    if (view_->size() != before && !isMaximized()) FitToBoard();
}

void BoardWindow::ApplyItem(ControlId id) {
    if (OfBoardWindow(id)) ShowControlOnAction(form_.controls, id, *ActionOf(id));
}

void BoardWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    if (isVisible()) placeTimer_.start();
}

void BoardWindow::closeEvent(QCloseEvent* event) {
    run_([this] { form_.BoardFormClose(); });
    event->accept();
}

}  // namespace ui

// SPDX-License-Identifier: GPL-3.0-or-later
// The window on Qt's offscreen platform: from a mouse event on a view to the
// views repainted. Each round sends the event to the view as the platform
// delivers it, then runs the event loop until every view that the handler
// changed has painted itself.

#include <benchmark/benchmark.h>

#include <initializer_list>
#include <memory>
#include <vector>

#include <QApplication>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTest>

#include "core/Form.h"
#include "edit/EditorForm.h"
#include "ui/BoardView.h"
#include "ui/BoardWindow.h"
#include "ui/MainWindow.h"
#include "ui/PictureView.h"
#include "ui/TilePreviewWindow.h"

namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int Count() const { return count_; }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++count_;
        return false;
    }

private:
    int count_ = 0;
};

// The main window shown, at zoom 10 with pen width 4, editing chip (12, 7).
struct Window {
    std::unique_ptr<ui::MainWindow> window = std::make_unique<ui::MainWindow>();
    QWidget* sheet;
    QWidget* edit;
    PaintCounter sheetPaints;
    PaintCounter editPaints;
    bool exposed = false;

    Window()
        : sheet(window->WidgetOf(ControlId::ScreenI)),
          edit(window->WidgetOf(ControlId::EditI)),
          sheetPaints(sheet),
          editPaints(edit) {
        window->show();
        exposed = QTest::qWaitForWindowExposed(window.get());
        EditorForm& form = window->Form();
        form.Click(ControlId::mZoom10);
        form.Click(ControlId::mPSize4);
        form.ScreenIMouseDown(MouseButton::Left, ShiftState{ShiftKey::Left}, 12 * 16 + 3, 7 * 16 + 3);
        window->ShowChanges();
        QApplication::processEvents();
    }
    ~Window() {
        // No question about unsaved changes on the way out.
        window->Form().Modified = false;
        window->close();
    }

    static void Send(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button) {
        QMouseEvent event(type, QPointF(at), target->mapToGlobal(QPointF(at)), button,
                          type == QEvent::MouseMove ? Qt::MouseButtons(Qt::LeftButton) : Qt::MouseButtons(button),
                          Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }

    // Runs the event loop until both views have painted since the event;
    // false if they never do.
    bool RepaintBoth(int sheetBefore, int editBefore) {
        for (int round = 0; round < 10000; ++round) {
            if (sheetPaints.Count() > sheetBefore && editPaints.Count() > editBefore) return true;
            QApplication::processEvents();
        }
        return false;
    }

    // One event on `target` and the repaint it causes.
    bool Round(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        if (!exposed) return false;
        const int sheetBefore = sheetPaints.Count(), editBefore = editPaints.Count();
        Send(target, type, at, button);
        return RepaintBoth(sheetBefore, editBefore);
    }
};

int EditPosition(int step) { return (step * 3 % 16) * 10 + 5; }

// Pen moves in the edit area, each round ending when the edit area, the
// sheet and every view in `others` have painted. The pen takes the other
// colour than the one under it, so that every move changes the chip and
// the views that show it repaint.
void PenMovesRepainting(benchmark::State& state, Window& w, bool shown,
                        std::initializer_list<const PaintCounter*> others) {
    EditorForm& form = w.window->Form();
    w.Round(w.edit, QEvent::MouseButtonPress, QPoint(5, 5));
    int step = 0;
    const canvas::Picture& chip = form.Chip(form.CurCol, form.CurRow);
    std::vector<int> before(others.size());
    const auto allPainted = [&] {
        std::size_t i = 0;
        for (const PaintCounter* view : others)
            if (view->Count() == before[i++]) return false;
        return true;
    };
    for (auto _ : state) {
        const QPoint at(EditPosition(step), EditPosition(step / 16));
        form.LeftColor = chip.GetPixel(at.x() / 10, at.y() / 10) == canvas::White ? 0x0000FF : canvas::White;
        std::size_t i = 0;
        for (const PaintCounter* view : others) before[i++] = view->Count();
        bool painted = shown && w.Round(w.edit, QEvent::MouseMove, at);
        for (int round = 0; painted && !allPainted(); ++round) {
            if (round == 10000) painted = false;
            QApplication::processEvents();
        }
        if (!painted) {
            state.SkipWithError("the windows were not shown or the views were not repainted");
            break;
        }
        ++step;
    }
}

void WindowPenMove(benchmark::State& state) {
    Window w;
    w.Round(w.edit, QEvent::MouseButtonPress, QPoint(5, 5));
    int step = 0;
    for (auto _ : state) {
        if (!w.Round(w.edit, QEvent::MouseMove, QPoint(EditPosition(step), EditPosition(step / 16)))) {
            state.SkipWithError("the window was not shown or the views were not repainted");
            break;
        }
        ++step;
    }
}
BENCHMARK(WindowPenMove);

// The same pen move with the tile preview shown (repeating the chip at zoom
// 4, so that every move changes all nine copies): the round ends when the
// edit area, the sheet and the preview have all painted.
void WindowPenMoveWithPreview(benchmark::State& state) {
    Window w;
    EditorForm& form = w.window->Form();
    form.Click(ControlId::TileViewMenu);
    form.Click(ControlId::TileZoom4);
    w.window->ShowChanges();
    ui::TilePreviewWindow* preview = w.window->TileWindow();
    const bool previewShown = QTest::qWaitForWindowExposed(preview);
    PaintCounter previewPaints(preview->View());
    PenMovesRepainting(state, w, previewShown, {&previewPaints});
}
BENCHMARK(WindowPenMoveWithPreview);

void WindowRubberBandMove(benchmark::State& state) {
    Window w;
    w.window->Form().Click(ControlId::CircleB);
    w.Round(w.edit, QEvent::MouseButtonPress, QPoint(15, 25));
    int step = 0;
    for (auto _ : state) {
        if (!w.Round(w.edit, QEvent::MouseMove, QPoint(EditPosition(step), EditPosition(step + 5)))) {
            state.SkipWithError("the window was not shown or the views were not repainted");
            break;
        }
        ++step;
    }
}
BENCHMARK(WindowRubberBandMove);

void WindowFillPress(benchmark::State& state) {
    Window w;
    w.window->Form().Click(ControlId::FillB);
    bool left = true;
    for (auto _ : state) {
        if (!w.Round(w.edit, QEvent::MouseButtonPress, QPoint(75, 75), left ? Qt::LeftButton : Qt::RightButton)) {
            state.SkipWithError("the window was not shown or the views were not repainted");
            break;
        }
        left = !left;
    }
}
BENCHMARK(WindowFillPress);

void WindowChooseChip(benchmark::State& state) {
    Window w;
    int chip = 0;
    for (auto _ : state) {
        const int col = chip % 30, row = chip / 30 % 16;
        if (!w.Round(w.sheet, QEvent::MouseButtonPress, QPoint(col * 16 + 8, row * 16 + 8))) {
            state.SkipWithError("the window was not shown or the views were not repainted");
            break;
        }
        chip += 7;
    }
}
BENCHMARK(WindowChooseChip);

// The pen moves as in WindowPenMoveWithPreview, with the tile preview and
// the board window shown: 256 x 256 cells filled with every chip of the
// sheet in turn, at zoom 2, the chip being edited in cells in sight. A round
// ends when the edit area, the sheet view, the preview and the board view
// have all painted.
void WindowPenMoveWithPreviewAndBoard(benchmark::State& state) {
    Window w;
    EditorForm& form = w.window->Form();
    constexpr int side = TryOutBoard::MaxSide;
    form.project.Board.Resize(side, side);
    for (int r = 0; r < side; ++r)
        for (int c = 0; c < side; ++c) {
            const int k = (r * side + c) % sheet::Default.ChipCount();
            form.project.Board.Place({c, r}, ChipRef{k % sheet::Default.cols, k / sheet::Default.cols});
        }
    form.Click(ControlId::TileViewMenu);
    form.Click(ControlId::BoardMenu);
    // The chip of cell (2, 1), taken from the board as the user would.
    form.BoardIMouseDown(MouseButton::Right, ShiftState{ShiftKey::Right}, 2 * 32 + 5, 32 + 5);
    w.window->ShowChanges();
    ui::TilePreviewWindow* preview = w.window->TileWindow();
    ui::BoardWindow* board = w.window->Board();
    const bool shown = QTest::qWaitForWindowExposed(preview) && QTest::qWaitForWindowExposed(board);
    PaintCounter previewPaints(preview->View());
    PaintCounter boardPaints(board->View());
    PenMovesRepainting(state, w, shown, {&previewPaints, &boardPaints});
}
BENCHMARK(WindowPenMoveWithPreviewAndBoard);

// An animation frame change with the tile preview and a 256 x 256 board
// shown: the chip being edited moves through 4 frames and a quarter of the
// cells hold it. A round is one frame change (as the window's animation
// timer makes it) up to the preview and the board view having painted.
void WindowAnimationFrame(benchmark::State& state) {
    Window w;
    EditorForm& form = w.window->Form();
    constexpr int side = TryOutBoard::MaxSide;
    form.project.Board.Resize(side, side);
    for (int r = 0; r < side; ++r)
        for (int c = 0; c < side; ++c)
            form.project.Board.Place(
                {c, r}, (r + c) % 4 == 0 ? ChipRef{form.CurCol, form.CurRow} : ChipRef{(r * side + c) % 8, 0});
    form.project.Sheet.Animations.Set({form.CurCol, form.CurRow}, ChipAnimation{4, ChipAnimation::MinFrameMs});
    for (int f = 1; f < 4; ++f) form.ChangeChip(form.CurCol + f, form.CurRow).SetPixel(f, f, canvas::White);
    form.Click(ControlId::TileViewMenu);
    form.Click(ControlId::BoardMenu);
    form.Click(ControlId::AnimMenu);
    w.window->ShowChanges();
    ui::TilePreviewWindow* preview = w.window->TileWindow();
    ui::BoardWindow* board = w.window->Board();
    const bool shown = QTest::qWaitForWindowExposed(preview) && QTest::qWaitForWindowExposed(board);
    PaintCounter previewPaints(preview->View());
    PaintCounter boardPaints(board->View());
    std::int64_t now = 0;
    for (auto _ : state) {
        const int previewBefore = previewPaints.Count(), boardBefore = boardPaints.Count();
        now += ChipAnimation::MinFrameMs;
        form.ShowAnimationAt(now);
        w.window->ShowChanges();
        bool painted = shown;
        for (int round = 0; painted && (previewPaints.Count() == previewBefore || boardPaints.Count() == boardBefore);
             ++round) {
            if (round == 10000) painted = false;
            QApplication::processEvents();
        }
        if (!painted) {
            state.SkipWithError("the windows were not shown or the views were not repainted");
            break;
        }
    }
}
BENCHMARK(WindowAnimationFrame);

}  // namespace

namespace {

// The roomy window at its largest: zoom 32 with the sheet and the palette
// views three times as large needs a client area of at least 1990 x 1125 (a
// window maximised on a 4K screen has it). Below it, 1024 x 768 lays out at
// zoom 31 with the views at their own size.
const QSize LargestClient(1990, 1125);
const QSize SmallerClient(1024, 768);

bool AtLargest(const WindowLayout& layout) {
    return layout.zoom == WindowLayout::MaxZoom && layout.sheetScale == WindowLayout::MaxViewScale &&
           layout.paletteScale == WindowLayout::MaxViewScale;
}

// The main window in the roomy layout; counts the palette view's paints too.
struct RoomyWindow {
    Window w;
    PaintCounter palettePaints{w.window->WidgetOf(ControlId::Pallete)};

    // Resizes the window's client area to `client` and runs the event loop
    // until the editor has laid the window out for it and the sheet view,
    // the edit area and the palette view have painted; false if that never
    // happens.
    bool ResizeAndRepaint(QSize client) {
        const int sheetBefore = w.sheetPaints.Count(), editBefore = w.editPaints.Count(),
                  paletteBefore = palettePaints.Count();
        w.window->resize(client + QSize(0, w.window->menuBar()->height()));
        const WindowLayout& layout = w.window->Form().Layout;
        for (int round = 0; round < 10000; ++round) {
            if (layout.clientWidth == client.width() && layout.clientHeight == client.height() &&
                w.sheetPaints.Count() > sheetBefore && w.editPaints.Count() > editBefore &&
                palettePaints.Count() > paletteBefore)
                return true;
            QApplication::processEvents();
        }
        return false;
    }

    bool TurnOnAt(QSize client) {
        if (!w.exposed) return false;
        w.window->Form().Click(ControlId::WideMenu);
        w.window->ShowChanges();
        return ResizeAndRepaint(client);
    }
};

// From the resize event to the repainted views, the window growing from
// 1024 x 768 to the largest layout: the edit area is drawn anew at zoom 32
// (from 31) and the sheet and palette views are shown three times as large.
// Only the growing is timed; the shrinking between rounds is not.
void WindowRoomyResizeToLargest(benchmark::State& state) {
    RoomyWindow r;
    bool ok = r.TurnOnAt(SmallerClient);
    for (auto _ : state) {
        ok = ok && r.ResizeAndRepaint(LargestClient) && AtLargest(r.w.window->Form().Layout);
        state.PauseTiming();
        ok = ok && r.ResizeAndRepaint(SmallerClient);
        state.ResumeTiming();
        if (!ok) {
            state.SkipWithError("the roomy window was not laid out at its largest or the views were not repainted");
            break;
        }
    }
}
BENCHMARK(WindowRoomyResizeToLargest);

}  // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MainWindow.h"

#include <algorithm>
#include <exception>
#include <string>
#include <vector>

#include <QButtonGroup>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

#include "core/ControlTable.h"
#include "edit/EditorForm.h"
#include "io/FormWithFiles.h"
#include "io/PreferencesFile.h"
#include "io/RememberedPreferences.h"
#include "ui/ApplicationIcon.h"
#include "ui/BoardWindow.h"
#include "ui/ControlAction.h"
#include "ui/FittedPanel.h"
#include "ui/Language.h"
#include "ui/PictureView.h"
#include "ui/ShiftStateOfEvent.h"
#include "ui/TilePreviewWindow.h"
#include "ui/ToolButton.h"
#include "ui/ToolGlyphs.h"
#include "ui/UpDown.h"
#include "ui/ViewMarks.h"
#include "ui/WindowShortcuts.h"

namespace ui {

namespace {

using enum ControlId;

std::size_t Index(ControlId id) { return static_cast<std::size_t>(id); }

constexpr ControlId ToolButtons[] = {PenB, FillB, CircleB, LineB};
constexpr ControlId Views[] = {ScreenI, EditI, Pallete};

// The copy follows the editing within this; writing it takes the window's
// thread only for the moment its state is copied.
constexpr int RecoveryIntervalMs = 2 * 1000;
constexpr int AnimationTickMs = 10;
// The height of a title bar, for a window whose frame is not known yet.
constexpr int TitleBarGuess = 32;

bool IsSwatch(ControlId id) { return id == lbP || id == rbP; }

Qt::Alignment AlignmentOf(Alignment a) {
    switch (a) {
        case Alignment::Right: return Qt::AlignRight | Qt::AlignVCenter;
        case Alignment::Centre: return Qt::AlignCenter;
        case Alignment::Left: break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

QColor QColorOf(canvas::Colour c) { return QColor(canvas::RedOf(c), canvas::GreenOf(c), canvas::BlueOf(c)); }

}  // namespace

MainWindow::MainWindow() : platform_(*this), form_(std::make_unique<EditorForm>(platform_)) {
    const ControlInfo& form = InfoOf(Form1);
    auto* client = new QWidget(this);
    client->setObjectName("client");
    client->setFixedSize(form.width, form.height);
    setCentralWidget(client);
    setWindowIcon(ApplicationIcon());
    client->installEventFilter(this);  // its resizes lay the roomy window out

    BuildMenus(*menuBar(), *this, form_->controls, menus_);
    BuildControls();
    ConnectMenus();
    ConnectControls();
    tileWindow_ = new TilePreviewWindow(
        *form_, [this](const std::function<void()>& handler) { Run(handler); }, this);

    // A fixed single border: the window is exactly as large as its client
    // area and the menu bar, and cannot be resized.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    setAcceptDrops(true);

    shortcuts_ = AddShortcutKeys(*this, [this](const std::string& keys) {
        Run([&] { form_->ShortcutKey(keys); });
        ApplyToolButtons();
    });
    // The recovery copy of unsaved changes, renewed every 2 s while it changes.
    recoveryTimer_ = new QTimer(this);
    recoveryTimer_->setInterval(RecoveryIntervalMs);
    connect(recoveryTimer_, &QTimer::timeout, this, [this] { Run([this] { form_->StartRecoveryCopy(); }); });
    recoveryTimer_->start();
    // Often enough for the shortest frame time; a tick whose frames are
    // those already shown redraws nothing (the views compare versions).
    animationTimer_ = new QTimer(this);
    animationTimer_->setInterval(AnimationTickMs);
    connect(animationTimer_, &QTimer::timeout, this,
            [this] { Run([this] { form_->ShowAnimationAt(animationClock_.elapsed()); }); });

    form_->Remembered.file = preferences::DefaultFile();
    Run([this] {
        form_->FormCreate();
        // The room on the screen for the client area: its available area
        // less the menu bar and the window's frame (a title bar, while the
        // frame is not known yet).
        if (const QScreen* shown = screen()) {
            const QRect room = shown->availableGeometry();
            const int frameWidth = std::max(0, frameGeometry().width() - width());
            const int frameHeight = std::max(TitleBarGuess, frameGeometry().height() - height());
            form_->SetScreenArea(room.width() - frameWidth,
                                 room.height() - frameHeight - menuBar()->sizeHint().height());
        }
        form_->SetDeviceRatio(devicePixelRatioF());
    });
    // Once the window is up, so that the question has a window over which to show.
    QMetaObject::invokeMethod(
        this, [this] { Run([this] { form_->OfferRecoveryCopies(); }); }, Qt::QueuedConnection);
}

MainWindow::~MainWindow() = default;

BoardWindow* MainWindow::Board() {
    if (!board_)
        board_ = new BoardWindow(
            *form_, [this](const std::function<void()>& handler) { Run(handler); }, this);
    return board_;
}

QWidget* MainWindow::WidgetOf(ControlId id) {
    if (id == Form1) return this;
    return widgets_[Index(id)];
}

QWidget* MainWindow::DialogParent() {
    if (board_ && board_->isVisible() && board_->isActiveWindow()) return board_;
    return this;
}

PictureView* MainWindow::ViewOf(ControlId id) const { return qobject_cast<PictureView*>(widgets_[Index(id)]); }

UpDown* MainWindow::ZoomUpDown() const { return qobject_cast<UpDown*>(widgets_[Index(udRate)]); }

template <typename Handler>
bool MainWindow::Run(Handler&& handler) {
    bool ran = true;
    try {
        handler();
    } catch (const std::exception& e) {
        ran = false;
        platform_.ShowMessage(e.what());
    }
    KeepPreferences(*form_);
    ShowChanges();
    return ran;
}

void MainWindow::BuildControls() {
    toolGroup_ = new QButtonGroup(this);
    toolGroup_->setExclusive(true);
    for (std::size_t i = 0; i < ControlCount; ++i) {
        const ControlInfo& info = InfoOf(static_cast<ControlId>(i));
        QWidget* parent = info.parent == Form1 ? centralWidget() : widgets_[Index(info.parent)];
        if (!parent) continue;  // menus and their items
        if (QWidget* widget = BuildControl(info, parent)) {
            widget->setObjectName(Text(info.name));
            widgets_[i] = widget;
        }
    }
    // Not a control of the table: only the window shows which colour is
    // the transparent one.
    keySwatch_ = new QLabel(centralWidget());
    keySwatch_->setObjectName(QStringLiteral("KeySwatch"));
    keySwatch_->setFrameShape(QFrame::Box);
    keySwatch_->setFrameShadow(QFrame::Plain);
    keySwatch_->setAutoFillBackground(true);
    keySwatch_->hide();
}

void MainWindow::ShowTransparentSwatch() {
    const std::optional<canvas::Colour> key = form_->project.Sheet.TransparentColor;
    // Right of the right-button swatch, centred on it.
    const QRect beside = widgets_[Index(rbP)]->geometry();
    keySwatch_->setGeometry(beside.right() + 1 + KeySwatchGap, beside.center().y() - KeySwatchSize / 2 + 1,
                            KeySwatchSize, KeySwatchSize);
    if (key == shownKey_) return;
    shownKey_ = key;
    keySwatch_->setVisible(key.has_value());
    if (!key) return;
    QPalette palette = keySwatch_->palette();
    palette.setColor(QPalette::Window, QColorOf(*key));
    keySwatch_->setPalette(palette);
    keySwatch_->setToolTip(QString::fromStdString(ColourText(*key)));
}

QWidget* MainWindow::BuildControl(const ControlInfo& info, QWidget* parent) {
    const QRect place(info.left, info.top, info.width, info.height);
    switch (info.kind) {
        case ControlKind::ScrollBox: {
            auto* box = new QScrollArea(parent);
            box->setFrameShape(QFrame::NoFrame);
            box->setWidgetResizable(false);
            box->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            box->setGeometry(place);
            if (info.id == Screen) {
                // The sheet's scroll box has the button-face colour round the view.
                QPalette palette = box->viewport()->palette();
                palette.setColor(QPalette::Window, palette.color(QPalette::Button));
                box->viewport()->setPalette(palette);
                box->viewport()->setAutoFillBackground(true);
            }
            return box;
        }
        case ControlKind::Image: {
            canvas::Picture& picture = info.id == ScreenI ? form_->ScreenI
                                       : info.id == EditI ? form_->EditI
                                                          : form_->Pallete;
            auto* view = new PictureView(picture, nullptr);
            if (auto* box = qobject_cast<QScrollArea*>(parent)) {
                box->setWidget(view);
            } else {
                view->setParent(parent);
                auto* frame = qobject_cast<QFrame*>(parent);
                const QPoint inside = frame ? frame->contentsRect().topLeft() : QPoint();
                view->move(inside + place.topLeft());
            }
            return view;
        }
        case ControlKind::Panel: {
            auto* panel = new QLabel(parent);
            if (info.bordered) {
                panel->setFrameShape(QFrame::Box);
                panel->setFrameShadow(QFrame::Plain);
                panel->setLineWidth(1);
            }
            panel->setAlignment(AlignmentOf(info.alignment));
            panel->setIndent(2);
            panel->setGeometry(place);
            if (IsSwatch(info.id)) {
                panel->setAutoFillBackground(true);
                panel->installEventFilter(this);
            }
            return panel;
        }
        case ControlKind::UpDown: {
            auto* upDown = new UpDown(parent);
            upDown->setGeometry(place);
            return upDown;
        }
        case ControlKind::SpeedButton: {
            auto* button = new ToolButton(parent);
            button->setCheckable(true);
            button->setIcon(QIcon(ToolGlyph(info.id)));
            button->setIconSize(QSize(GlyphSize, GlyphSize));
            button->setToolTip(CaptionText(info.hint));
            button->setFocusPolicy(Qt::NoFocus);
            button->setGeometry(place);
            toolGroup_->addButton(button);
            return button;
        }
        case ControlKind::Button: {
            auto* button = new QPushButton(CaptionText(info.caption), parent);
            button->setGeometry(place);
            return button;
        }
        default: return nullptr;
    }
}

void MainWindow::ConnectMenus() {
    for (std::size_t i = 0; i < ControlCount; ++i) {
        const ControlId id = static_cast<ControlId>(i);
        if (InfoOf(id).kind != ControlKind::MenuItem || !InMainMenu(id)) continue;
        connect(menus_.actions[i], &QAction::triggered, this, [this, id] {
            Run([this, id] { form_->Click(id); });
            // Qt toggles a checkable item by itself; the editor's mark wins.
            ApplyControl(id);
        });
    }
    for (ControlId menu : {FileMenu, EditMenu}) {
        connect(menus_.menus[Index(menu)], &QMenu::aboutToShow, this,
                [this, menu] { Run([this, menu] { form_->OpenMenu(menu); }); });
    }
    // The Help menu's own click comes as it opens.
    connect(menus_.menus[Index(helpMenu)], &QMenu::aboutToShow, this,
            [this] { Run([this] { form_->Click(helpMenu); }); });
}

void MainWindow::ConnectControls() {
    PictureView* sheet = ViewOf(ScreenI);
    sheet->SetOverlay([this](QPainter& painter, qreal pixel) { PaintAnimatedChipMarks(painter, pixel, *form_); });
    sheet->OnPress(
        [this](MouseButton b, ShiftState s, int x, int y) { Run([&] { form_->ScreenIMouseDown(b, s, x, y); }); });
    sheet->OnMove([this](ShiftState s, int x, int y) { Run([&] { form_->ScreenIMouseMove(s, x, y); }); });
    PictureView* edit = ViewOf(EditI);
    edit->OnPress(
        [this](MouseButton b, ShiftState s, int x, int y) { Run([&] { form_->EditIMouseDown(b, s, x, y); }); });
    edit->OnMove([this](ShiftState s, int x, int y) { Run([&] { form_->EditIMouseMove(s, x, y); }); });
    PictureView* palette = ViewOf(Pallete);
    palette->OnPress(
        [this](MouseButton b, ShiftState s, int x, int y) { Run([&] { form_->PalleteMouseDown(b, s, x, y); }); });
    palette->OnMove([this](ShiftState s, int x, int y) { Run([&] { form_->PalleteMouseMove(s, x, y); }); });

    for (ControlId id : ToolButtons) {
        auto* button = static_cast<QToolButton*>(widgets_[Index(id)]);
        connect(button, &QToolButton::clicked, this, [this, id] {
            Run([this, id] { form_->Click(id); });
            // The group pressed the clicked button by itself; the editor's
            // pressed button wins (it may have refused).
            ApplyToolButtons();
        });
    }
    widgets_[Index(PenB)]->installEventFilter(this);

    for (ControlId id : {MemSaveB, MemLoadB}) {
        connect(static_cast<QPushButton*>(widgets_[Index(id)]), &QPushButton::clicked, this,
                [this, id] { Run([this, id] { form_->Click(id); }); });
    }

    UpDown* upDown = ZoomUpDown();
    upDown->OnStep([this](int delta) {
        form_->controls.SetPosition(form_->controls.Position() + delta);
        ShowChanges();
    });
    upDown->OnRelease([this] { Run([this] { form_->udRateMouseUp(); }); });
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == centralWidget() && event->type() == QEvent::Resize && form_->WideLayoutOn()) {
        const QSize size = static_cast<const QResizeEvent&>(*event).size();
        Run([&] { form_->ResizeClient(size.width(), size.height()); });
        return false;
    }
    const bool press = event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick;
    if (watched == widgets_[Index(PenB)] && press) {
        const auto& mouse = static_cast<const QMouseEvent&>(*event);
        if (const auto button = MouseButtonOf(mouse)) {
            const QPoint p = PixelOf(mouse);
            Run([&] { form_->PenBMouseDown(*button, ShiftStateOf(mouse), p.x(), p.y()); });
        }
        return false;  // the button still handles its own press (a left click selects the pen)
    }
    for (ControlId swatch : {lbP, rbP}) {
        if (watched == widgets_[Index(swatch)] && event->type() == QEvent::MouseButtonDblClick) {
            Run([this, swatch] { form_->ColorSelect(swatch); });
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::ShowChanges() {
    if (animationTimer_ && form_->Options.animation != animationTimer_->isActive()) {
        if (form_->Options.animation) {
            animationClock_.start();
            animationTimer_->start();
        } else {
            animationTimer_->stop();
        }
    }
    // The end of an event: terrains follow their blocks, and the tile
    // preview what the event changed.
    form_->FollowTerrains();
    form_->UpdateTilePreview();
    form_->FollowDuplicates();
    form_->ShowTransparentColour();
    if (form_->LayoutChanged) {
        form_->LayoutChanged = false;
        ApplyLayout();
    }
    for (ControlId id : Views) ViewOf(id)->ShowChanges();
    // The sheet's marks of animated chips follow the animations and the option.
    if (form_->Options.animation != markedAnimation_ || form_->project.Sheet.Animations.All() != markedAnimations_) {
        markedAnimation_ = form_->Options.animation;
        markedAnimations_ = form_->project.Sheet.Animations.All();
        ViewOf(ScreenI)->update();
    }
    ShowTransparentSwatch();
    // Until the board is first shown there is no window to follow it.
    if (board_ || form_->Options.boardShown) Board()->ShowChanges();
    if (tileWindow_) tileWindow_->ShowChanges();
    Controls& controls = form_->controls;
    if (!controls.AnyDirty()) return;
    for (std::size_t i = 0; i < ControlCount; ++i)
        if (controls.IsDirty(static_cast<ControlId>(i))) ApplyControl(static_cast<ControlId>(i));
    controls.ClearDirty();
}

void MainWindow::ApplyLayout() {
    const WindowLayout& places = form_->Layout;
    // Every control moves at once: one repaint of the client area afterwards
    // instead of one per control for where it was and where it goes.
    QWidget* client = centralWidget();
    client->setUpdatesEnabled(false);
    for (std::size_t i = 0; i < ControlCount; ++i) {
        const ControlPlace& p = places.places[i];
        if (p.width > 0 && widgets_[i]) widgets_[i]->setGeometry(p.left, p.top, p.width, p.height);
    }
    for (ControlId id : Views) ViewOf(id)->SetDevicePixels(places.devicePixels);
    ViewOf(ScreenI)->SetViewScale(places.sheetScale);
    ViewOf(Pallete)->SetViewScale(places.paletteScale);
    ViewOf(EditI)->SetChipPixelsAcross(form_->EditWidth());
    client->setUpdatesEnabled(true);

    const bool resizable = form_->WideLayoutOn();
    if (resizable != resizable_) {
        resizable_ = resizable;
        if (resizable) {
            client->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
            layout()->setSizeConstraint(QLayout::SetDefaultConstraint);
            setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        } else {
            if (isMaximized() || isFullScreen()) showNormal();
            layout()->setSizeConstraint(QLayout::SetFixedSize);
        }
    }
    // The roomy window is never smaller than its layout allows (more while a
    // block is edited).
    if (resizable && client->minimumSize() != QSize(places.minClientWidth, places.minClientHeight))
        client->setMinimumSize(places.minClientWidth, places.minClientHeight);
    // The fixed window's size follows its views at a scale factor that is not
    // whole, and on a screen too small for it.
    if (!resizable && client->size() != QSize(places.clientWidth, places.clientHeight))
        client->setFixedSize(places.clientWidth, places.clientHeight);
    // The placing above gave the position text its place's width back.
    FitPositionText();
}

void MainWindow::FitPositionText() {
    // The text may run past the panel's width into the free room on its right.
    auto* panel = static_cast<QLabel*>(widgets_[Index(EditPos)]);
    FitTextInPanel(*panel, form_->Layout.PlaceOf(EditPos).width, centralWidget()->width() - panel->x());
}

QMenu* MainWindow::PopupOf(ControlId menu) {
    for (std::size_t i = 0; i < ControlCount; ++i)
        if (InfoOf(static_cast<ControlId>(i)).parent == menu) ApplyControl(static_cast<ControlId>(i));
    return menus_.menus[Index(menu)];
}

void MainWindow::Retranslate() {
    for (std::size_t i = 0; i < ControlCount; ++i) ApplyControl(static_cast<ControlId>(i));
    for (ControlId id : ToolButtons) widgets_[Index(id)]->setToolTip(CaptionText(InfoOf(id).hint));
    if (tileWindow_) tileWindow_->Retranslate();
    if (board_) board_->Retranslate();
}

void MainWindow::ApplyToolButtons() {
    const ControlId pressed = form_->controls.PressedTool();
    for (ControlId id : ToolButtons) widgets_[Index(id)]->setEnabled(form_->controls.Enabled(id));
    // In an exclusive group only pressing one releases the others.
    if (auto* button = qobject_cast<QAbstractButton*>(widgets_[Index(pressed)])) button->setChecked(true);
}

void MainWindow::ApplyControl(ControlId id) {
    // The controls of the tool windows are theirs to show.
    const std::size_t i = Index(id);
    if (id != Form1 && !widgets_[i] && !menus_.actions[i] && !menus_.menus[i]) return;
    const Controls& controls = form_->controls;
    const ControlInfo& info = InfoOf(id);
    const QString caption = CaptionText(controls.Caption(id));
    QWidget* widget = widgets_[Index(id)];
    switch (info.kind) {
        case ControlKind::Form: setWindowTitle(caption); break;
        case ControlKind::Menu:
        case ControlKind::MenuItem:
            ShowControlOnAction(controls, id, *ActionOf(id));
            if (id == KeysMenu)
                for (QShortcut* shortcut : shortcuts_) shortcut->setEnabled(form_->Options.keys);
            break;
        case ControlKind::SpeedButton: ApplyToolButtons(); break;
        case ControlKind::Button:
            static_cast<QPushButton*>(widget)->setText(caption);
            widget->setEnabled(controls.Enabled(id));
            break;
        case ControlKind::Panel: {
            auto* panel = static_cast<QLabel*>(widget);
            panel->setText(caption);
            if (id == EditPos) FitPositionText();
            if (IsSwatch(id)) {
                QPalette palette = panel->palette();
                palette.setColor(QPalette::Window, QColorOf(controls.Colour(id)));
                panel->setPalette(palette);
            }
            break;
        }
        case ControlKind::Image:
            if (id == EditI)
                widget->setCursor(controls.Cursor() == EditCursor::Hand ? Qt::PointingHandCursor : Qt::ArrowCursor);
            break;
        case ControlKind::UpDown: widget->setEnabled(controls.Enabled(id)); break;
        default: break;
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    TCloseAction action = TCloseAction::caFree;
    const bool ran = Run([&] { form_->FormClose(action); });
    // A failed close handler keeps the window, as a refused close does.
    if (!ran || action == TCloseAction::caNone)
        event->ignore();
    else
        event->accept();
}

namespace {

// The local files of a drag, in the order the platform lists them.
std::vector<std::string> DroppedPaths(const QMimeData& data) {
    std::vector<std::string> paths;
    if (!data.hasUrls()) return paths;
    for (const QUrl& url : data.urls())
        if (url.isLocalFile()) paths.push_back(url.toLocalFile().toStdString());
    return paths;
}

// Dropped files are only read: the drag is taken as a copy, so that its
// source never deletes a file because the editor said it moved it.
bool TakeAsCopy(QDropEvent& event) {
    if (!(event.possibleActions() & Qt::CopyAction) || DroppedPaths(*event.mimeData()).empty()) return false;
    event.setDropAction(Qt::CopyAction);
    event.accept();
    return true;
}

}  // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent* event) { TakeAsCopy(*event); }

void MainWindow::dragMoveEvent(QDragMoveEvent* event) { TakeAsCopy(*event); }

void MainWindow::dropEvent(QDropEvent* event) {
    if (!TakeAsCopy(*event)) return;
    // The drop is finished first and the file read afterwards, so that the
    // source of the drag is not kept waiting through the load or its
    // message box.
    OpenDroppedFiles(DroppedPaths(*event->mimeData()));
}

void MainWindow::OpenDroppedFiles(std::vector<std::string> paths) {
    if (paths.empty()) return;
    QMetaObject::invokeMethod(
        this, [this, paths = std::move(paths)] { Run([&] { form_->WMDropFiles(paths); }); }, Qt::QueuedConnection);
}

}  // namespace ui

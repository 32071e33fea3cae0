// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QElapsedTimer>
#include <QMainWindow>

#include "core/Form.h"
#include "edit/EditorForm.h"
#include "ui/MenuBuilder.h"
#include "ui/QtPlatform.h"

class QAbstractButton;
class QButtonGroup;
class QLabel;
class QShortcut;
class QTimer;

namespace ui {

class BoardWindow;
class PictureView;
class TilePreviewWindow;
class UpDown;

// The main window: every control of the control table at its place, the
// menus, and the editor behind them. Each event goes to the editor's
// handler; a failure that leaves a handler is shown as a plain message; then
// the window shows what the handler changed and nothing else.
class MainWindow : public QMainWindow, private PlatformHost {
    Q_OBJECT
public:
    // Creates the editor and runs its start-up before the window is shown.
    MainWindow();
    ~MainWindow() override;

    EditorForm& Form() { return *form_; }
    QtPlatform& Platform() { return platform_; }

    // The widget of a control on the window (views, panels, buttons, ...).
    QWidget* WidgetOf(ControlId id) override;
    // The action of a menu item, separator or (sub)menu.
    QAction* ActionOf(ControlId id) const { return menus_.actions[static_cast<std::size_t>(id)]; }
    QMenu* MenuOf(ControlId id) const { return menus_.menus[static_cast<std::size_t>(id)]; }
    PictureView* ViewOf(ControlId id) const;
    UpDown* ZoomUpDown() const;
    // The board window, made on its first use: most sessions never open it.
    BoardWindow* Board();
    TilePreviewWindow* TileWindow() const { return tileWindow_; }

    // Opens files as a drop onto the window does, once the event loop runs.
    void OpenDroppedFiles(std::vector<std::string> paths);

    // Shows what the editor changed since the last call: the changed part of
    // each view and each control marked changed.
    void ShowChanges() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Dialogs open over the board window while the user works there.
    QWidget* DialogParent() override;
    QMenu* PopupOf(ControlId menu) override;
    void Close() override { close(); }
    void Retranslate() override;

    // Runs a handler at the event boundary: a failure becomes a plain
    // message with its text, and the window shows the changes either way.
    // Returns false when the handler failed.
    template <typename Handler>
    bool Run(Handler&& handler);

    void BuildControls();
    QWidget* BuildControl(const ControlInfo& info, QWidget* parent);
    void ConnectMenus();
    void ConnectControls();
    void ApplyControl(ControlId id);
    void ApplyToolButtons();
    // Puts the controls where the editor's layout has them, scales the views
    // and lets the window be resized only in the roomy layout.
    void ApplyLayout();
    // The position text whole, in the room right of its panel.
    void FitPositionText();
    // The transparent colour's swatch beside the colour panels, while one is set.
    void ShowTransparentSwatch();

    QtPlatform platform_;
    std::unique_ptr<EditorForm> form_;
    std::array<QWidget*, ControlCount> widgets_{};
    MenuSet menus_;
    QButtonGroup* toolGroup_ = nullptr;
    BoardWindow* board_ = nullptr;
    TilePreviewWindow* tileWindow_ = nullptr;
    std::vector<QShortcut*> shortcuts_;
    QTimer* recoveryTimer_ = nullptr;
    // Plays animated chips while the option is on; the time since it started.
    QTimer* animationTimer_ = nullptr;
    QElapsedTimer animationClock_;
    // What the sheet view's marks of animated chips show.
    bool markedAnimation_ = false;
    std::map<std::size_t, ChipAnimation> markedAnimations_;
    bool resizable_ = false;
    static constexpr int KeySwatchSize = 16, KeySwatchGap = 8;
    QLabel* keySwatch_ = nullptr;
    std::optional<canvas::Colour> shownKey_;
};

}  // namespace ui

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include <QKeySequence>
#include <string>
#include <vector>

class QShortcut;
class QWidget;

namespace ui {

// The editor's shortcut keys as shortcuts of the window: each hands its
// key's name (EditorForm::ShortcutKeyNames) to `run`. They start disabled; the
// window enables them while the keys option is on, so that with it off every
// key reaches the controls as before.
std::vector<QShortcut*> AddShortcutKeys(QWidget& window, const std::function<void(const std::string&)>& run);

// The key sequence of a key name: "ctrl+shift+z" is Ctrl+Shift+Z.
QKeySequence KeySequenceOf(const std::string& keys);

}  // namespace ui

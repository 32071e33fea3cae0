// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WindowShortcuts.h"

#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

#include "core/Form.h"
#include "edit/EditorForm.h"

namespace ui {

QKeySequence KeySequenceOf(const std::string& keys) {
    QStringList parts = QString::fromStdString(keys).split(QLatin1Char('+'));
    QString& key = parts.last();
    if (key == QLatin1String("plus"))
        key = QStringLiteral("+");
    else if (key == QLatin1String("minus"))
        key = QStringLiteral("-");
    for (QString& part : parts) {
        if (part.size() > 1 && part != QLatin1String("+"))
            part[0] = part[0].toUpper();
        else
            part = part.toUpper();
    }
    // "Ctrl++" is how Qt writes a plus with a modifier.
    return QKeySequence(parts.join(QLatin1Char('+')), QKeySequence::PortableText);
}

std::vector<QShortcut*> AddShortcutKeys(QWidget& window, const std::function<void(const std::string&)>& run) {
    std::vector<QShortcut*> shortcuts;
    for (const std::string& keys : EditorForm::ShortcutKeyNames()) {
        auto* shortcut = new QShortcut(KeySequenceOf(keys), &window);
        shortcut->setContext(Qt::WindowShortcut);
        shortcut->setAutoRepeat(true);
        shortcut->setEnabled(false);
        QObject::connect(shortcut, &QShortcut::activated, &window, [run, keys] { run(keys); });
        QObject::connect(shortcut, &QShortcut::activatedAmbiguously, &window, [run, keys] { run(keys); });
        shortcuts.push_back(shortcut);
    }
    return shortcuts;
}

}  // namespace ui

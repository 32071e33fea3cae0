// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StartupMemory.h"

#ifdef __linux__
#include <malloc.h>
#endif

#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

namespace {

// glibc (Linux) keeps freed memory for later use until it is asked to give it back;
// the other C libraries (Windows') give it back themselves.
void ReleaseFreeMemory() {
#ifdef __linux__
    malloc_trim(0);
#endif
}

class FirstPaintWatcher : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            // After the paint has been flushed to the screen, not during it.
            QTimer::singleShot(0, [] { ReleaseFreeMemory(); });
            deleteLater();
        }
        return false;
    }
};

}  // namespace

void ReleaseStartupMemoryAfterFirstPaint(QWidget& window) { window.installEventFilter(new FirstPaintWatcher(&window)); }

#include "app/StartupMemory.h"

#include <malloc.h>

#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

namespace {

class FirstPaintWatcher : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            // After the paint has been flushed to the screen, not during it.
            QTimer::singleShot(0, [] { malloc_trim(0); });
            deleteLater();
        }
        return false;
    }
};

}  // namespace

void ReleaseStartupMemoryAfterFirstPaint(QWidget& window) { window.installEventFilter(new FirstPaintWatcher(&window)); }

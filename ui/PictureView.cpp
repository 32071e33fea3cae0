#include "ui/PictureView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>

#include "ui/PictureImage.h"
#include "ui/ShiftStateOfEvent.h"

namespace ui {

PictureView::PictureView(canvas::Picture& picture, QWidget* parent) : QWidget(parent), picture_(picture) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Moves without a button held are reported too: they update the
    // position and colour texts.
    setMouseTracking(true);
    setFixedSize(0, 0);
}

void PictureView::ShowChanges() {
    if (shown_.width() != picture_.Width() || shown_.height() != picture_.Height()) {
        shown_ = ImageOfPicture(picture_);
        setFixedSize(picture_.Width(), picture_.Height());
        update();
    } else if (!picture_.Dirty().IsEmpty()) {
        const QRect changed = QRectOf(picture_.Dirty());
        CopyPictureArea(picture_, changed, shown_);
        update(changed);
    }
    picture_.ClearDirty();
}

void PictureView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(event->rect(), shown_, event->rect());
}

void PictureView::mousePressEvent(QMouseEvent* event) {
    const auto button = MouseButtonOf(*event);
    if (!button || !onPress_) return;
    const QPoint p = PixelOf(*event);
    onPress_(*button, ShiftStateOf(*event), p.x(), p.y());
}

// Qt reports the second press of a double click as a double click instead of
// a press; the editor sees it as a press marked Double.
void PictureView::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void PictureView::mouseMoveEvent(QMouseEvent* event) {
    if (!onMove_) return;
    const QPoint p = PixelOf(*event);
    onMove_(ShiftStateOf(*event), p.x(), p.y());
}

}  // namespace ui

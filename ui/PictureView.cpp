#include "ui/PictureView.h"

#include <cmath>

#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QTimer>

#include "ui/PictureImage.h"

namespace ui {

namespace {

// A ratio a hair under a whole number still counts as that number.
int WholeDevicePixels(qreal ratio, int viewScale) {
    return std::max(1, static_cast<int>(std::floor(ratio * viewScale + 1e-6)));
}

}  // namespace

PictureView::PictureView(canvas::Picture& picture, QWidget* parent) : MouseView(parent), picture_(picture) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Moves without a button held are reported too: they update the
    // position and colour texts.
    setMouseTracking(true);
    setFixedSize(0, 0);
}

void PictureView::SetViewScale(int scale) {
    if (scale == viewScale_) return;
    viewScale_ = scale;
    ShowWhole();
}

void PictureView::ShowWhole() {
    const qreal ratio = devicePixelRatioF();
    deviceScale_ = WholeDevicePixels(ratio, viewScale_);
    const int k = deviceScale_;
    const QSize size(picture_.Width() * k, picture_.Height() * k);
    // What was shown stays current as long as the picture shows no change
    // since: a window grown and shrunk again shows it without building it anew.
    QImage before = picture_.Dirty().IsEmpty() ? std::move(shown_) : QImage();
    if (picture_.IsEmpty()) {
        shown_ = QImage();
    } else if (!spare_.isNull() && spare_.size() == size && spare_.devicePixelRatio() == ratio) {
        shown_ = std::move(spare_);
        if (!picture_.Dirty().IsEmpty()) CopyPictureAreaScaled(picture_, QRectOf(picture_.Dirty()), shown_, k);
    } else {
        shown_ = QImage(size, QImage::Format_RGB32);
        CopyPictureAreaScaled(picture_, QRect(0, 0, picture_.Width(), picture_.Height()), shown_, k);
        shown_.setDevicePixelRatio(ratio);
    }
    spare_ = std::move(before);
    shownRatio_ = ratio;
    setFixedSize(static_cast<int>(std::ceil(picture_.Width() * k / ratio - 1e-6)),
                 static_cast<int>(std::ceil(picture_.Height() * k / ratio - 1e-6)));
    update();
    // The whole picture is shown: what it marked changed is too.
    picture_.ClearDirty();
}

void PictureView::ShowChanges() {
    const int k = deviceScale_;
    if (shown_.width() != picture_.Width() * k || shown_.height() != picture_.Height() * k ||
        devicePixelRatioF() != shownRatio_) {
        ShowWhole();
    } else if (!picture_.Dirty().IsEmpty()) {
        const QRect changed = QRectOf(picture_.Dirty());
        CopyPictureAreaScaled(picture_, changed, shown_, k);
        // The other size no longer shows the picture as it is.
        spare_ = QImage();
        // The changed pixels in the widget's own (logical) coordinates,
        // widened to whole logical pixels.
        const qreal f = k / shownRatio_;
        const QRectF logical(changed.left() * f, changed.top() * f, changed.width() * f, changed.height() * f);
        update(logical.toAlignedRect());
    }
    picture_.ClearDirty();
}

void PictureView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (devicePixelRatioF() != shownRatio_) {
        // The window moved to a screen of another scale factor.
        QTimer::singleShot(0, this, [this] { ShowWhole(); });
    }
    // The image is at the painter's device pixel ratio: drawn unscaled, one
    // image pixel on one device pixel.
    painter.drawImage(QPointF(0, 0), shown_);
    // Rounding the size up to whole logical pixels may leave a sliver.
    const QSizeF image = shown_.deviceIndependentSize();
    const QRegion rest = QRegion(rect()) - QRegion(QRectF(QPointF(0, 0), image).toAlignedRect());
    for (const QRect& r : rest.intersected(event->rect())) painter.fillRect(r, palette().window());
}

QPoint PictureView::PixelUnder(const QMouseEvent& event) const {
    // Floor, not round: a pointer half a pixel left of the view is at -1.
    const qreal f = shownRatio_ / deviceScale_;
    const QPointF p = event.position() * f;
    return QPoint(static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y())));
}

}  // namespace ui

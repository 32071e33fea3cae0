// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PictureView.h"

#include <algorithm>
#include <cmath>

#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QTimer>

#include "core/WindowLayout.h"
#include "ui/PictureImage.h"

namespace ui {

PictureView::PictureView(canvas::Picture& picture, QWidget* parent) : MouseView(parent), picture_(picture) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Moves without a button held are reported too: they update the
    // position and colour texts.
    setMouseTracking(true);
    setFixedSize(0, 0);
}

void PictureView::SetOverlay(Overlay overlay) {
    overlay_ = std::move(overlay);
    update();
}

void PictureView::SetDevicePixels(int devicePixels) {
    if (devicePixels == devicePixels_) return;
    devicePixels_ = devicePixels;
    ShowWhole();
}

void PictureView::SetViewScale(int scale) {
    if (scale == viewScale_) return;
    viewScale_ = scale;
    ShowWhole();
}

void PictureView::SetChipPixelsAcross(int count) {
    if (count == chipPixelsAcross_) return;
    chipPixelsAcross_ = count;
    ShowWhole();
}

double PictureView::DevicePixelsPerPixel(qreal ratio) const {
    if (devicePixels_ > 0) return devicePixels_ * viewScale_;
    const int perChipPixel = chipPixelsAcross_ > 0 ? std::max(1, picture_.Width() / chipPixelsAcross_) : 1;
    return static_cast<double>(WholeDevicePixels(ratio, viewScale_ * perChipPixel)) / perChipPixel;
}

void PictureView::ShowWhole() {
    const qreal ratio = devicePixelRatioF();
    factor_ = DevicePixelsPerPixel(ratio);
    const QSize size = DeviceSize();
    // What was shown stays current as long as the picture shows no change
    // since: a window grown and shrunk again shows it without building it anew.
    QImage before = picture_.Dirty().IsEmpty() ? std::move(shown_) : QImage();
    if (picture_.IsEmpty()) {
        shown_ = QImage();
    } else if (!spare_.isNull() && spare_.size() == size && spare_.devicePixelRatio() == ratio) {
        shown_ = std::move(spare_);
        if (!picture_.Dirty().IsEmpty()) CopyArea(QRectOf(picture_.Dirty()));
    } else {
        shown_ = QImage(size, QImage::Format_RGB32);
        CopyArea(QRect(0, 0, picture_.Width(), picture_.Height()));
        shown_.setDevicePixelRatio(ratio);
    }
    spare_ = std::move(before);
    shownRatio_ = ratio;
    setFixedSize(static_cast<int>(std::ceil(picture_.Width() * factor_ / ratio - 1e-6)),
                 static_cast<int>(std::ceil(picture_.Height() * factor_ / ratio - 1e-6)));
    update();
    // The whole picture is shown: what it marked changed is too.
    picture_.ClearDirty();
}

QSize PictureView::DeviceSize() const {
    return QSize(FirstDeviceCoordinateOf(picture_.Width(), factor_),
                 FirstDeviceCoordinateOf(picture_.Height(), factor_));
}

void PictureView::CopyArea(const QRect& area) {
    const int whole = static_cast<int>(factor_);
    if (whole == factor_)
        CopyPictureAreaScaled(picture_, area, shown_, whole);
    else
        CopyPictureAreaResampled(picture_, area, shown_, factor_);
}

void PictureView::ShowChanges() {
    if (devicePixelRatioF() != shownRatio_ || DevicePixelsPerPixel(shownRatio_) != factor_ ||
        shown_.size() != DeviceSize()) {
        ShowWhole();
    } else if (!picture_.Dirty().IsEmpty()) {
        const QRect changed = QRectOf(picture_.Dirty());
        CopyArea(changed);
        // The other size no longer shows the picture as it is.
        spare_ = QImage();
        // The changed pixels in the widget's own (logical) coordinates,
        // widened to whole logical pixels.
        const qreal f = factor_ / shownRatio_;
        const QRectF logical(changed.left() * f, changed.top() * f, changed.width() * f, changed.height() * f);
        // A device pixel at a span's edge may reach half a pixel past it
        // where the factor is not whole.
        const int reach = factor_ == static_cast<int>(factor_) ? 0 : 1;
        update(logical.toAlignedRect().adjusted(-reach, -reach, reach, reach));
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
    if (overlay_) {
        painter.save();
        overlay_(painter, factor_ / shownRatio_);
        painter.restore();
    }
    // Rounding the size up to whole logical pixels may leave a sliver.
    const QSizeF image = shown_.deviceIndependentSize();
    const QRegion rest = QRegion(rect()) - QRegion(QRectF(QPointF(0, 0), image).toAlignedRect());
    for (const QRect& r : rest.intersected(event->rect())) painter.fillRect(r, palette().window());
}

QPoint PictureView::PixelUnder(const QMouseEvent& event) const {
    // The picture pixel shown on the device pixel under the pointer. Floor,
    // not round: a pointer half a pixel left of the view is at -1.
    const QPointF device = event.position() * shownRatio_;
    return QPoint(PictureCoordinateOf(static_cast<int>(std::floor(device.x())), factor_),
                  PictureCoordinateOf(static_cast<int>(std::floor(device.y())), factor_));
}

}  // namespace ui

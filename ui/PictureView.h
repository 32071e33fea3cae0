// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include <QImage>

#include "canvas/Picture.h"
#include "ui/MouseView.h"

class QPainter;

namespace ui {

// Shows one of the editor's view pictures without smoothing, every picture
// pixel as a block of whole device pixels, and hands its mouse presses and
// moves to the editor in the picture's own pixels. It keeps a copy of the
// picture magnified to device pixels and renews only the part the editor
// marked changed, so that a pen stroke repaints just the cells it touched.
//
// Each chip pixel is shown as a block of whole device pixels, the same for
// every chip pixel: WholeDevicePixels of its logical size (the view scale of
// the layout, times the picture pixels a chip pixel takes in the edit area).
// The view's logical size follows, as the layout's places do. Where a chip
// pixel is several picture pixels (the edit area and its grid lines), a
// picture pixel covers the device pixels of its span (PictureCoordinateOf),
// never a blend of two pixels.
class PictureView : public MouseView {
    Q_OBJECT
public:
    PictureView(canvas::Picture& picture, QWidget* parent);

    // Takes over what changed in the picture since the last call (its size or
    // its dirty rectangle), schedules the repaint of just that, and clears the
    // picture's dirty mark.
    void ShowChanges();

    // The layout's scale of this view (1, 2 or 3); shows the picture anew.
    void SetViewScale(int scale);
    // Device pixels per picture pixel at scale 1 that the layout chose; 0:
    // the whole number nearest to the screen's ratio.
    void SetDevicePixels(int devicePixels);
    // The picture shows this many chip pixels across (the edit area's chip
    // or block width); 0: every picture pixel is one.
    void SetChipPixelsAcross(int count);
    // Device pixels per picture pixel, along each axis (whole at whole
    // screen scale factors).
    double DeviceScale() const { return factor_; }

    // What the view shows now, in device pixels.
    const QImage& Shown() const { return shown_; }

    // Marks painted over the picture (never into it): called at every paint
    // with the logical size of one picture pixel.
    using Overlay = std::function<void(QPainter& painter, qreal pixel)>;
    void SetOverlay(Overlay overlay);

protected:
    void paintEvent(QPaintEvent* event) override;
    QPoint PixelUnder(const QMouseEvent& event) const override;

private:
    void ShowWhole();
    double DevicePixelsPerPixel(qreal ratio) const;
    // The device pixels of the picture's `area` made anew in shown_.
    void CopyArea(const QRect& area);
    QSize DeviceSize() const;

    canvas::Picture& picture_;
    QImage shown_;
    // What was shown before the last ShowWhole() (another size or screen),
    // kept while the picture does not change.
    QImage spare_;
    int viewScale_ = 1;
    int devicePixels_ = 0;
    int chipPixelsAcross_ = 0;
    double factor_ = 1;
    qreal shownRatio_ = 1;
    Overlay overlay_;
};

}  // namespace ui

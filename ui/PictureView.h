#pragma once

#include <QImage>

#include "canvas/Picture.h"
#include "ui/MouseView.h"

namespace ui {

// Shows one of the editor's view pictures without smoothing, every picture
// pixel as a block of whole device pixels, and hands its mouse presses and
// moves to the editor in the picture's own pixels. It keeps a copy of the
// picture magnified to device pixels and renews only the part the editor
// marked changed, so that a pen stroke repaints just the cells it touched.
//
// The view is the picture's size times the view scale of the layout (1 in
// the fixed window) in logical pixels, so it fills the place the layout gave
// it at any screen scale factor. A picture pixel covers the device pixels of
// its span (PictureCoordinateOf): at a factor of 2 a 2 x 2 block, at 1.5
// blocks one or two device pixels wide, never a blend of two pixels.
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
    // Device pixels per picture pixel, along each axis (whole at whole
    // screen scale factors).
    double DeviceScale() const { return factor_; }

    // What the view shows now, in device pixels.
    const QImage& Shown() const { return shown_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    QPoint PixelUnder(const QMouseEvent& event) const override;

private:
    void ShowWhole();
    // The device pixels of the picture's `area` made anew in shown_.
    void CopyArea(const QRect& area);
    QSize DeviceSize() const;

    canvas::Picture& picture_;
    QImage shown_;
    // What was shown before the last ShowWhole() (another size or screen),
    // kept while the picture does not change.
    QImage spare_;
    int viewScale_ = 1;
    double factor_ = 1;
    qreal shownRatio_ = 1;
};

}  // namespace ui

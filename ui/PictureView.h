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
// The block is the view scale of the layout (1 in the fixed window) times
// the screen's scale factor, rounded down to a whole number of device
// pixels (at least one): at a factor of 1.5 a view at scale 1 shows each
// pixel as one device pixel, at scale 2 as three.
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
    // Device pixels per picture pixel, along each axis.
    int DeviceScale() const { return deviceScale_; }

    // What the view shows now, in device pixels.
    const QImage& Shown() const { return shown_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    QPoint PixelUnder(const QMouseEvent& event) const override;

private:
    void ShowWhole();

    canvas::Picture& picture_;
    QImage shown_;
    // What was shown before the last ShowWhole() (another size or screen),
    // kept while the picture does not change.
    QImage spare_;
    int viewScale_ = 1;
    int deviceScale_ = 1;
    qreal shownRatio_ = 1;
};

}  // namespace ui

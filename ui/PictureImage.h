#pragma once

#include <QImage>
#include <QRect>

#include "canvas/Picture.h"

// Conversions between the editor's pictures (red in the low byte) and Qt's
// images (0xffRRGGBB). Both keep every colour exactly.
namespace ui {

QImage ImageOfPicture(const canvas::Picture& picture);
// Copies the part `area` of the picture into the same place of `image`, which
// has the picture's size and Format_RGB32.
void CopyPictureArea(const canvas::Picture& picture, const QRect& area, QImage& image);
// Any image, of any depth: converted to 24-bit colours, alpha dropped.
canvas::Picture PictureOfImage(const QImage& image);

QRect QRectOf(const canvas::Rect& r);

// Copies the part `area` of the picture into `image` magnified by the whole
// factor `scale`: every picture pixel becomes a scale x scale block at
// scale times its place. `image` is Format_RGB32 and scale times as large.
void CopyPictureAreaScaled(const canvas::Picture& picture, const QRect& area, QImage& image, int scale);

}  // namespace ui

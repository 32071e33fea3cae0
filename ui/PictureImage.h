// SPDX-License-Identifier: GPL-3.0-or-later
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

// Device pixels against picture pixels at `factor` (at least 1) device pixels
// per picture pixel: device pixel d shows the picture pixel whose span
// [p * factor, (p + 1) * factor) holds d's centre. So every picture pixel covers whole
// device pixels, as many as its neighbours, or one more or fewer where the
// factor is not whole.
int PictureCoordinateOf(int device, double factor);
// The first device pixel that shows picture pixel `picture`.
int FirstDeviceCoordinateOf(int picture, double factor);
// CopyPictureAreaScaled for any such factor; `image` is as large as the
// first device pixel past the picture.
void CopyPictureAreaResampled(const canvas::Picture& picture, const QRect& area, QImage& image, double factor);

}  // namespace ui

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "canvas/Picture.h"
#include "formats/PictureFormats.h"
#include "formats/PictureLimits.h"
#include "formats/PictureWithAlpha.h"
#include "formats/ReducedPicture.h"

// Reads a picture file of the type its name says (PictureTypeOf,
// formats/PictureFormats.h), with the alpha of a PNG file: its top-left
// keepWidth x keepHeight pixels, or the whole picture where it is smaller; by
// default the whole picture. Only regular files are read (RegularFile.h); the
// header is checked first, and then only what that part needs is read and
// decoded where the format allows. Throws PictureReadError with the reason on
// every failure.
PictureWithAlpha LoadPictureWithAlpha(const std::string& path, int keepWidth = picture_limits::MaxSide,
                                      int keepHeight = picture_limits::MaxSide);

// The same as 24-bit colours, by the transparency rule with no transparent
// colour set yet (formats/Transparency.h): what a load into an editor without
// one shows. For previews and checks.
canvas::Picture LoadPictureFile(const std::string& path, int keepWidth = picture_limits::MaxSide,
                                int keepHeight = picture_limits::MaxSide);

// The whole picture of a picture file for a preview (a PNG's alpha by the
// transparency rule, as LoadPictureFile), at most maxSide
// pixels a side, decoded at that size where the format allows; memory stays
// within a few times the reduced picture (and the JPEG work budget).
ReducedPicture LoadReducedPicture(const std::string& path, int maxSide);

#pragma once

#include <string>

#include "canvas/Picture.h"
#include "io/PictureLimits.h"
#include "io/PictureWithAlpha.h"
#include "io/ReducedPicture.h"

// The kind of picture file a name stands for. This is the one place that
// decides it, for reading and writing alike: the extension, from the last
// "." after the last "/", in any case: ".png" is PNG, ".jpg" JPEG, every
// other name (".jpeg" included) BMP. Saves write PNG for PNG names and
// 24-bit BMP for every other name.
enum class PictureType { Bmp, Jpeg, Png };
PictureType PictureTypeOf(const std::string& path);

// True when PictureTypeOf(path) is JPEG.
bool IsJpegPath(const std::string& path);

// Reads a picture file of the type its name says (PictureTypeOf), with the
// alpha of a PNG file: its top-left keepWidth x keepHeight pixels, or the
// whole picture where it is smaller; by default the whole picture. Only
// regular files are read (RegularFile.h); the header is checked first, and
// then only what that part needs is read and decoded where the format
// allows. Throws PictureReadError with the reason on every failure.
PictureWithAlpha LoadPictureWithAlpha(const std::string& path, int keepWidth = picture_limits::MaxSide,
                                      int keepHeight = picture_limits::MaxSide);

// The same as 24-bit colours, by the transparency rule with no transparent
// colour set yet (io/Transparency.h): what a load into an editor without one
// shows. For previews and checks.
canvas::Picture LoadPictureFile(const std::string& path, int keepWidth = picture_limits::MaxSide,
                                int keepHeight = picture_limits::MaxSide);

// The whole picture of a picture file for a preview (a PNG's alpha by the
// transparency rule, as LoadPictureFile), at most maxSide
// pixels a side, decoded at that size where the format allows; memory stays
// within a few times the reduced picture (and the JPEG work budget).
ReducedPicture LoadReducedPicture(const std::string& path, int maxSide);

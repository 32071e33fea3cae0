#pragma once

#include <string>

#include "canvas/Picture.h"
#include "io/PictureLimits.h"
#include "io/ReducedPicture.h"

// True when the path names a JPEG file: its extension, from the last "."
// after the last "/", equals ".jpg" in any case. Every other file is a BMP.
bool IsJpegPath(const std::string& path);

// Reads a BMP or JPEG file (chosen by IsJpegPath) into a 24-bit picture: its
// top-left keepWidth x keepHeight pixels, or the whole picture where it is
// smaller; by default the whole picture. Only regular files are read
// (RegularFile.h); the header is checked first, and then only what that part
// needs is read and decoded where the format allows. Throws PictureReadError
// with the reason on every failure.
canvas::Picture LoadPictureFile(const std::string& path, int keepWidth = picture_limits::MaxSide,
                                int keepHeight = picture_limits::MaxSide);

// The whole picture of a BMP or JPEG file for a preview, at most maxSide
// pixels a side, decoded at that size where the format allows; memory stays
// within a few times the reduced picture (and the JPEG work budget).
ReducedPicture LoadReducedPicture(const std::string& path, int maxSide);

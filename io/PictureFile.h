#pragma once

#include <string>

#include "canvas/Picture.h"
#include "io/PictureLimits.h"

// True when the path names a JPEG file: its extension, from the last "."
// after the last "/", equals ".jpg" in any case. Every other file is a BMP.
bool IsJpegPath(const std::string& path);

// Reads a BMP or JPEG file (chosen by IsJpegPath) into a 24-bit picture: its
// top-left keepWidth x keepHeight pixels, or the whole picture where it is
// smaller; by default the whole picture. Only what that part needs is read
// and decoded where the format allows. Throws PictureReadError when the file
// can't be opened, isn't a readable BMP or its JPEG header can't be read;
// faulty JPEG image data after a good header throw an EditorError instead.
canvas::Picture LoadPictureFile(const std::string& path, int keepWidth = picture_limits::MaxSide,
                                int keepHeight = picture_limits::MaxSide);

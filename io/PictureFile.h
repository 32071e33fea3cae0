#pragma once

#include <string>

#include "canvas/Picture.h"

// True when the path names a JPEG file: its extension, from the last "."
// after the last "/", equals ".jpg" in any case. Every other file is a BMP.
bool IsJpegPath(const std::string& path);

// Reads a BMP or JPEG file (chosen by IsJpegPath) into a 24-bit picture.
// Throws PictureReadError when the file can't be opened, isn't a readable
// BMP or its JPEG header can't be read; faulty JPEG image data after a good
// header throw an EditorError instead.
canvas::Picture LoadPictureFile(const std::string& path);

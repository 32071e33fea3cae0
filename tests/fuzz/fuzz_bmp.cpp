// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes through the BMP reader (tests/fuzz/FuzzPictureFormat.h).
#include "tests/fuzz/FuzzPictureFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return FuzzPictureFormat(PictureFormatOf("fuzz.bmp"), data, size);
}

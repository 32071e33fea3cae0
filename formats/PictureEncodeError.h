// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>

// A picture that the encoder could not turn into a file (the library
// refused it, or ran out of memory); the text says which and why. Nothing
// has been written when it leaves an encoder.
class PictureEncodeError : public std::runtime_error {
public:
    explicit PictureEncodeError(const std::string& detail) : std::runtime_error(detail) {}
};

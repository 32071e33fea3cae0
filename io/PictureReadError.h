#pragma once

#include <stdexcept>
#include <string>

// A picture file that can't be opened or isn't a readable picture. Callers
// catch it and report the failed read; nothing has changed when it leaves
// a reader.
class PictureReadError : public std::runtime_error {
public:
    explicit PictureReadError(const std::string& text) : std::runtime_error(text) {}
};

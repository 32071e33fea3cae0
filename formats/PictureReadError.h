// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>

// Why a picture file was not read. The readers report one of these and a
// detail in English for diagnostics; the handlers choose what the user sees.
enum class PictureReadReason {
    CannotOpen,   // the system refused to open or read it; systemError says why
    NotAFile,     // a directory, pipe, device or socket: never read
    NotAPicture,  // not a picture this reader knows, or its header contradicts the file
    TooLarge,     // reading it would cost more memory or work than a picture may
    FaultyData,   // JPEG image data broken after a good header, or cut short within the part kept
};

// A picture file that can't be opened or read. Nothing has changed when it
// leaves a reader.
class PictureReadError : public std::runtime_error {
public:
    explicit PictureReadError(const std::string& detail, PictureReadReason reason = PictureReadReason::NotAPicture,
                              int systemError = 0)
        : std::runtime_error(detail), reason_(reason), systemError_(systemError) {}

    PictureReadReason Reason() const { return reason_; }
    // The errno value behind CannotOpen; 0 otherwise.
    int SystemError() const { return systemError_; }

private:
    PictureReadReason reason_;
    int systemError_;
};

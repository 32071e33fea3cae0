// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a recovery copy, at the editor's own limits: a record within
// them (and one that encodes back to the same bytes' meaning), or a
// FormatError; nothing else may leave it.
#include <cstdint>
#include <cstdlib>

#include "formats/RecoveryFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const recovery::Limits limits;
    if (size > recovery::MaxBytes(limits)) return 0;  // the editor reads no more
    try {
        const recovery::Record r = recovery::Decode({data, size}, limits);
        if (r.sheet.Width() != r.cols * r.chipSize || r.sheet.Height() != r.rows * r.chipSize) std::abort();
        if (r.cols > limits.maxCols || r.rows > limits.maxRows || r.chipSize < limits.minChipSize ||
            r.chipSize > limits.maxChipSize)
            std::abort();
        if (!r.file.empty() && r.file.front() != '/') std::abort();
        const recovery::Record again = recovery::Decode(recovery::Encode(r), limits);
        if (!(again.sheet == r.sheet) || again.file != r.file || again.zoom != r.zoom) std::abort();
    } catch (const recovery::FormatError&) {}
    return 0;
}

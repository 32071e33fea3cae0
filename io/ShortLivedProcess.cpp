// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/ShortLivedProcess.h"

#if __has_include(<malloc.h>)
#include <malloc.h>
#endif

void KeepFreedMemoryForReuse() {
#if defined(M_MMAP_THRESHOLD) && defined(M_TRIM_THRESHOLD) && defined(M_TOP_PAD)
    // Pictures up to 32 MiB come from the heap, not from mappings of their
    // own that are unmapped when freed; the heap is not trimmed below 64
    // MiB, and grows 1 MiB at a time.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
    mallopt(M_TOP_PAD, 1 << 20);
#endif
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/TilePreview.h"

void TilePreview::Show(const Sources& sources, int across, int chipSize, int zoom, canvas::Picture& view) {
    const int place = chipSize * zoom;
    const int down = across > 0 ? static_cast<int>(sources.size()) / across : 0;
    const bool all = !valid_ || chipSize != chipSize_ || zoom != zoom_ || shown_.size() != sources.size() ||
                     view.Width() != across * place || view.Height() != down * place;
    if (all) {
        view.SetSize(across * place, down * place);
        black_.SetSize(chipSize, chipSize);
        shown_.assign(sources.size(), Source{});
        chipSize_ = chipSize;
        zoom_ = zoom;
        valid_ = true;
    }
    for (std::size_t i = 0; i < sources.size(); ++i) {
        const Source& source = sources[i];
        Source& shown = shown_[i];
        if (!all && shown.chip == source.chip && shown.version == source.version &&
            shown.orientation == source.orientation)
            continue;
        shown = source;
        const int left = static_cast<int>(i) % across * place, top = static_cast<int>(i) / across * place;
        view.StretchDrawOriented({left, top, left + place, top + place}, source.chip ? *source.chip : black_,
                                 source.orientation);
    }
}

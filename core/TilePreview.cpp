#include "core/TilePreview.h"

void TilePreview::Show(const Sources& sources, int chipSize, int zoom, canvas::Picture& view) {
    const int side = Side * chipSize * zoom;
    const bool all = !valid_ || chipSize != chipSize_ || zoom != zoom_ || view.Width() != side || view.Height() != side;
    if (all) {
        view.SetSize(side, side);
        black_.SetSize(chipSize, chipSize);
        chipSize_ = chipSize;
        zoom_ = zoom;
        valid_ = true;
    }
    const int place = chipSize * zoom;
    for (std::size_t i = 0; i < sources.size(); ++i) {
        const Source& source = sources[i];
        Source& shown = shown_[i];
        if (!all && shown.chip == source.chip && shown.version == source.version) continue;
        shown = source;
        const int left = static_cast<int>(i) % Side * place, top = static_cast<int>(i) / Side * place;
        view.StretchDraw({left, top, left + place, top + place}, source.chip ? *source.chip : black_);
    }
}

// The NC editor's line map.
#include "text/core/NcEditLineMap.h"

#include <algorithm>

void TrackLineMap(std::vector<uint32_t>& map, const LineMapEdit& edit) {
    const int d = edit.LineCount - edit.SavedLineCount;
    if (d > 0) {
        const size_t at = std::clamp<size_t>(size_t(std::max(edit.InsertAt, 0)), 0, map.size());
        map.insert(map.begin() + std::ptrdiff_t(at), size_t(d), 0u);
        return;
    }
    const size_t k = size_t(std::max(edit.CaretLine, 0));
    for (int i = 0; i < -d; ++i) {
        if (k + 1 >= map.size()) break;
        size_t drop;
        if (map[k] == 0)
            drop = k;
        else if (map[k + 1] == 0)
            drop = k + 1;
        else
            drop = edit.SavedCaretLine > int(k) ? k + 1 : k;
        map.erase(map.begin() + std::ptrdiff_t(drop));
    }
}

// Flattening of a view layer's element tree into per-mask lists in painting order.
#include "views/ElemDrawCache.h"

#include "kernel/db/CDtbArc.h"
#include "kernel/db/CDtbLine.h"
#include "kernel/db/CDtbNode.h"
#include "views/model/ElemViewSettings.h"

namespace {

void Flatten(const CDtbElement* e, int mask, uint8_t inherited, bool& pendingBreak, FlatList& out) {
    for (; e; e = e->link.next) {
        if (e->noDisplay) continue;
        if (const auto* node = DtbCast<CDtbNode>(e)) {
            uint8_t flags = inherited | FlatList::kInGroup;
            if (node->Is(kDtbOwnerTessmark, kDtbKindPunch)) flags |= FlatList::kInPunch;
            pendingBreak = true;
            Flatten(node->firstChild, mask, flags, pendingBreak, out);
            pendingBreak = true;
            continue;
        }
        FlatItem item{};
        const CDtbInfo* info = nullptr;
        if (const auto* line = DtbCast<CDtbLine>(e)) {
            info = &line->info;
            item.x1 = line->start.x;
            item.y1 = line->start.y;
            item.x2 = line->end.x;
            item.y2 = line->end.y;
        } else if (const auto* arc = DtbCast<CDtbArc>(e)) {
            info = &arc->info;
            item.arc = arc;
        }
        if (!info || !(info->classBits & mask)) continue;
        item.colour = ColourValue(ViewRgb{info->red, info->green, info->blue});
        // Kinds other than 1 and 2 draw nothing but still end a polyline.
        auto kind = [](int32_t m) -> uint8_t { return m == 1 || m == 2 ? uint8_t(m) : m ? 3 : 0; };
        item.startMark = kind(info->startMark);
        item.endMark = kind(info->endMark);
        item.flags = inherited;
        if (pendingBreak) item.flags |= FlatList::kBreakBefore;
        pendingBreak = false;
        out.items.push_back(item);
    }
}

}  // namespace

const FlatList& ElemDrawCache::For(int mask) {
    auto it = lists_.find(mask);
    if (it != lists_.end()) return it->second;
    FlatList& list = lists_[mask];
    bool pendingBreak = false;
    Flatten(first_, mask, 0, pendingBreak, list);
    return list;
}

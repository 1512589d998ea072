// ElemDrawCache: a large view layer flattened per class mask, for fast repeated painting.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

class CDtbElement;

// One line (or arc) of a layer as the painting walk meets it, in walk order.
struct FlatItem {
    double x1, y1, x2, y2;       // a line's ends in view coordinates
    const CDtbElement* arc;      // the arc, for arcs (null for lines)
    uint32_t colour;             // colour value, components cut to eight bits
    uint8_t startMark, endMark;  // end marks of the element
    uint8_t flags;               // kBreakBefore, kInGroup, kInPunch
};

// Lines and arcs of one class mask. A group boundary before an item starts a new polyline.
struct FlatList {
    static constexpr uint8_t kBreakBefore = 1;  // a group began or ended since the last item
    static constexpr uint8_t kInGroup = 2;      // the item is a child of a group
    static constexpr uint8_t kInPunch = 4;      // inside a "Tessmark" group of kind "Punch"
    std::vector<FlatItem> items;
};

// The flattened lists of one layer, made on first use for each class mask. The owner drops
// the cache whenever the layer changes (its elements may then be gone).
class ElemDrawCache {
public:
    void Reset(const CDtbElement* first) {
        first_ = first;
        lists_.clear();
    }
    const CDtbElement* First() const { return first_; }
    // Visible lines and arcs whose class shares a bit with mask (hidden elements and the
    // children of hidden groups left out).
    const FlatList& For(int mask);

private:
    const CDtbElement* first_ = nullptr;
    std::map<int, FlatList> lists_;
};

// ProjectedLayer: a view layer flattened into one array of runs over one vertex array, in the
// order the painting walk meets its lines and arcs.
#pragma once

#include <cstdint>
#include <vector>

#include "kernel/base/CxyData.h"
#include "views/model/ProjectElements.h"

class CDtbElement;

// One line, divided arc or arc of a layer. A run of n pieces owns the vertices
// [vertex, vertex + n]; consecutive runs share a vertex where one ends exactly where the next
// begins. An arc kept as an arc (a layer that was not projected) has no vertices: it is drawn
// from its element.
struct ProjectedRun {
    static constexpr uint8_t kBreakBefore = 1;  // a group began or ended since the run before
    static constexpr uint8_t kInGroup = 2;      // a child of a group (a divided arc is one)
    static constexpr uint8_t kInPunch = 4;      // inside a "Tessmark" group of kind "Punch"
    static constexpr uint8_t kArc = 8;          // an arc drawn from `source`

    const CDtbElement* source;  // the document's (or the layer's) line or arc
    uint32_t vertex;            // first vertex in ProjectedLayer::Vertices
    int32_t classBits;
    uint32_t colourAndFlags;  // colour value (R + 256 G + 65536 B) in the low 24 bits, flags above
    uint16_t pieces;          // 1 for a line, the piece count of a divided arc, 0 for an arc
    uint8_t startMark;        // 0 none, 1 arrowhead, 2 dot, 3 another kind (draws nothing)
    uint8_t endMark;

    uint32_t Colour() const { return colourAndFlags & 0xFFFFFFu; }
    uint8_t Flags() const { return static_cast<uint8_t>(colourAndFlags >> 24); }
};

// A line segment in view coordinates (direction arrows, A/C head-direction lines).
struct ProjectedSegment {
    double x1, y1, x2, y2;
};

// The drawing form of a layer: what the painting walk of the element tree would meet, without
// the tree. Hidden elements and the content of hidden groups are left out; points are left out.
// Built in one pass over a chain: either projected (lines projected, arcs divided into projected
// pieces, as ProjectElements does) or as it stands (a layer already projected; arcs stay arcs).
class ProjectedLayer {
public:
    // Rebuilds from the chain from first on, projected with projection (its arcs divided).
    void Project(const ViewProjection& projection, const CDtbElement* first);
    // Rebuilds from an already projected chain; arcs stay arcs.
    void Flatten(const CDtbElement* first);
    void Clear();

    const std::vector<ProjectedRun>& Runs() const { return runs_; }
    const std::vector<CxyData>& Vertices() const { return vertices_; }
    bool IsEmpty() const { return runs_.empty(); }

    // The box of every line piece the projected tree would hold, hidden ones included (what
    // CDtbEngine::MinMax of that tree gives): widens the caller's box; 1 when there was any.
    int MinMax(CxyData* min, CxyData* max) const;

    // Bytes held (runs and vertices).
    size_t MemoryBytes() const;

private:
    friend class ProjectedLayerBuilder;
    std::vector<ProjectedRun> runs_;
    std::vector<CxyData> vertices_;
    bool any_ = false;  // a line piece exists (hidden or not)
    CxyData min_, max_;
};

// The direction arrows of a chain projected as ProjectElements projects it, as the arrow walk
// of that projected tree meets them: per element the line whose end carries the arrowhead (for
// a group its last child, for a divided arc its last piece), in view coordinates. onlyFirst
// takes the arrows of first alone (a punch group's own arrows, none for a hit outline).
void CollectEdgeArrows(const ViewProjection& projection, const CDtbElement* first,
                       std::vector<ProjectedSegment>& out, bool onlyFirst = false);
// The A/C head-direction lines of a chain, as ProjectElements makes them into acLayer, in order.
void CollectAcAxisLines(const ViewProjection& projection, const CDtbElement* first,
                        const AcAxisParams& ac, std::vector<ProjectedSegment>& out);

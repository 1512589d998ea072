// The hit test of an element view and the element a hit stands for.
#include "views/model/ElemViewPick.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string_view>

#include "kernel/db/CDtbArc.h"
#include "kernel/db/CDtbNode.h"
#include "platform/Numbers.h"
#include "views/model/ProjectedLayer.h"
#include "views/model/ViewWindow.h"

namespace {

constexpr int kHitPixels = 10;

bool ParentIs(const CDtbElement* e, std::string_view kind) {
    const CDtbNode* parent = e->link.parent;
    return parent && parent->Is(kDtbOwnerTessmark, kind);
}

}  // namespace

int HitTestRun(const ProjectedLayer& layer, const ViewWindow& w, int px, int py) {
    const double cx = ClientToWorldX(w, px), cy = ClientToWorldY(w, py);
    const std::vector<ProjectedRun>& runs = layer.Runs();
    const CxyData* v = layer.Vertices().data();
    // Squared distances: the order is the same, and a piece whose box lies farther than the
    // best so far is passed over without its nearest point (a hover move walks every piece).
    double best = 9999.9999 * 9999.9999;
    int hit = -1;
    for (size_t r = 0; r < runs.size(); ++r) {
        const ProjectedRun& run = runs[r];
        for (uint32_t k = 0; k < run.pieces; ++k) {
            const CxyData& a = v[run.vertex + k];
            const CxyData& b = v[run.vertex + k + 1];
            const double outX =
                std::max(0.0, std::max(std::min(a.x, b.x) - cx, cx - std::max(a.x, b.x)));
            const double outY =
                std::max(0.0, std::max(std::min(a.y, b.y) - cy, cy - std::max(a.y, b.y)));
            if (!(outX * outX + outY * outY < best)) continue;
            // The point of the piece nearest to the cursor's view point.
            const double dx = b.x - a.x, dy = b.y - a.y;
            const double len2 = dx * dx + dy * dy;
            double t = len2 > 0.0 ? ((cx - a.x) * dx + (cy - a.y) * dy) / len2 : 0.0;
            t = t < 0.0 ? 0.0 : t > 1.0 ? 1.0 : t;
            const double nx = a.x + t * dx, ny = a.y + t * dy;
            const double d = (cx - nx) * (cx - nx) + (cy - ny) * (cy - ny);
            if (!(d < best)) continue;
            best = d;
            if (std::abs(WorldToScreenX(w, nx) - px) < kHitPixels &&
                std::abs(WorldToScreenY(w, ny) - py) < kHitPixels)
                hit = static_cast<int>(r);
        }
    }
    return hit;
}

const CDtbElement* HoverTarget(const ProjectedRun& run) {
    const CDtbElement* e = run.source;
    if (!e) return nullptr;
    // A line piece of a divided arc: the group; an arc divided by the projection is its own.
    if (e->IsLine() && ParentIs(e, kDtbKindDevideArc)) e = e->link.parent;
    if (ParentIs(e, kDtbKindPunch1) || ParentIs(e, kDtbKindPunch2)) e = e->link.parent;
    if (ParentIs(e, kDtbKindPunch)) e = e->link.parent;
    return e;
}

bool IsWithin(const CDtbElement* e, const CDtbElement* element) {
    for (; e; e = e->link.parent)
        if (e == element) return true;
    return false;
}

const CDtbElement* TopLevelOf(const CDtbElement* e) {
    while (e && e->link.parent) e = e->link.parent;
    return e;
}

ElemHover RunsOf(const ProjectedLayer& layer, uint32_t at, const CDtbElement* element) {
    const std::vector<ProjectedRun>& runs = layer.Runs();
    ElemHover h;
    if (at >= runs.size() || !IsWithin(runs[at].source, element)) return h;
    h.element = element;
    h.firstRun = at;
    h.endRun = at + 1;
    while (h.firstRun > 0 && IsWithin(runs[h.firstRun - 1].source, element)) --h.firstRun;
    while (h.endRun < runs.size() && IsWithin(runs[h.endRun].source, element)) ++h.endRun;
    return h;
}

ElemHover HoverAt(const ProjectedLayer& layer, const ViewWindow& window, int px, int py) {
    const int run = HitTestRun(layer, window, px, py);
    if (run < 0) return {};
    const uint32_t at = static_cast<uint32_t>(run);
    return RunsOf(layer, at, HoverTarget(layer.Runs()[at]));
}

std::vector<int> ElementLines(const CDtbElement& element) {
    constexpr std::string_view kPrefix = "LineNo=";
    std::vector<int> lines;
    for (std::string_view text : element.attributes)
        if (text.substr(0, kPrefix.size()) == kPrefix)
            lines.push_back(int(platform::ParseLeadingInt(text.substr(kPrefix.size()))));
    return lines;
}

int FirstNumber(const CDtbElement& element, const char* prefix) {
    const std::string_view p(prefix);
    const int i = element.attributes.FindPrefix(p);
    if (i < 0) return -1;
    return static_cast<int>(platform::ParseLeadingInt(
        element.attributes.GetAt(static_cast<size_t>(i)).substr(p.size())));
}

// What a click on an element view picks.
#include "views/model/ElemViewPick.h"

#include <cmath>

#include "kernel/db/CDtbElement.h"
#include "platform/Numbers.h"
#include "views/model/ProjectedLayer.h"
#include "views/model/ViewWindow.h"

namespace {

// Distance in pixels from p to the segment a-b.
double SegmentDistance(double px, double py, double ax, double ay, double bx, double by) {
    const double dx = bx - ax, dy = by - ay;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0.0 ? ((px - ax) * dx + (py - ay) * dy) / len2 : 0.0;
    t = t < 0.0 ? 0.0 : t > 1.0 ? 1.0 : t;
    return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

}  // namespace

const CDtbElement* ElementAtPoint(const ProjectedLayer& layer, const ViewWindow& window, int px,
                                  int py, double tolerance) {
    const std::vector<CxyData>& v = layer.Vertices();
    const CDtbElement* best = nullptr;
    double bestDistance = tolerance;
    for (const ProjectedRun& run : layer.Runs()) {
        for (uint32_t k = 0; k < run.pieces && run.vertex + k + 1 < v.size(); ++k) {
            const CxyData& a = v[run.vertex + k];
            const CxyData& b = v[run.vertex + k + 1];
            const double d =
                SegmentDistance(px, py, WorldToScreenXf(window, a.x), WorldToScreenYf(window, a.y),
                                WorldToScreenXf(window, b.x), WorldToScreenYf(window, b.y));
            if (d <= bestDistance) {
                bestDistance = d;
                best = run.source;
            }
        }
    }
    return best;
}

std::vector<int> ElementLines(const CDtbElement& element) {
    constexpr std::string_view kPrefix = "LineNo=";
    std::vector<int> lines;
    for (std::string_view text : element.attributes)
        if (text.substr(0, kPrefix.size()) == kPrefix)
            lines.push_back(int(platform::ParseLeadingInt(text.substr(kPrefix.size()))));
    return lines;
}

// The trace animation's points along lines and arcs, the punch groups left out of a step and
// the rapids hidden in a skip-log route.
#include "text/core/NcTracePath.h"

#include <cmath>
#include <numbers>

#include "kernel/base/DegreeTrig.h"
#include "kernel/db/CDtbArc.h"
#include "kernel/db/CDtbEngine.h"
#include "kernel/db/CDtbLine.h"
#include "kernel/db/CDtbNode.h"

namespace {

// ceil(length / step), 0 where there is nothing to divide (a zero length would give 0/0).
int Divisions(double length, double step) {
    if (!(length > 0.0) || !(step > 0.0) || !std::isfinite(length) || !std::isfinite(step))
        return 0;
    const double n = std::ceil(length / step);
    // A huge element against a tiny step: bounded, the animation stays finite.
    return n > 1e6 ? 1000000 : static_cast<int>(n);
}

}  // namespace

NcTracePath NcTracePath::Line(const CDtbLine& line, double step) {
    NcTracePath p;
    p.origin_ = line.start;
    const double length = line.GetElementLength();
    p.n_ = Divisions(length, step);
    if (p.n_ > 0) {
        p.seg_ = length / p.n_;
        p.direction_ = line.GetLineAngle();
    }
    return p;
}

NcTracePath NcTracePath::Arc(const CDtbArc& arc, double step) {
    NcTracePath p;
    p.arc_ = true;
    p.origin_ = arc.centre;
    p.radius_ = arc.radius;
    p.angle0_ = arc.direction == 1 ? arc.endAngle : arc.startAngle;
    const double length = arc.GetElementLength();
    // A radius of 0 has no angle to step by: its one point is the centre.
    p.n_ = std::fabs(arc.radius) > 0.0 ? Divisions(length, step) : 0;
    if (p.n_ > 0) {
        const double seg = length / p.n_;
        const double a = seg / (2.0 * std::numbers::pi * arc.radius) * 360.0;
        p.angleStep_ = arc.direction == 1 ? -a : a;
    }
    return p;
}

CxyzData NcTracePath::Point(int i) const {
    if (arc_) {
        const double a = angle0_ + angleStep_ * i;
        return {origin_.x + radius_ * CosDeg(a), origin_.y + radius_ * SinDeg(a), origin_.z};
    }
    const double d = seg_ * i;
    return {origin_.x + d * CosDeg(direction_), origin_.y + d * SinDeg(direction_), origin_.z};
}

int RemovePunchNodes(CDtbEngine* engine, CDtbElement* first) {
    if (!engine) return 0;
    for (CDtbElement* e = first; e != nullptr;) {
        CDtbElement* next = e->link.next;
        if (auto* node = DtbCast<CDtbNode>(e)) {
            if (node->Is(kDtbOwnerTessmark, kDtbKindPunch))
                engine->DeleteDtb(node, node, 1);
            else
                RemovePunchNodes(engine, node->firstChild);
        }
        e = next;
    }
    return 0;
}

int MarkRapidElements(CDtbEngine* engine, int rapidPenKind) {
    if (!engine) return 1;
    for (CDtbElement* e = engine->GetFirstElement(); e != nullptr; e = e->link.next)
        if (auto* line = DtbCast<CDtbLine>(e); line && line->info.penKind == rapidPenKind)
            line->noDisplay = 1;
    return 1;
}

// Element database: attribute filters, transforms and lengths over chains.
#include <cmath>

#include "kernel/base/DegreeTrig.h"
#include "kernel/db/CDtbArc.h"
#include "kernel/db/CDtbEngine.h"
#include "kernel/db/CDtbLine.h"
#include "kernel/db/CDtbPoint.h"

namespace {

// Calls f(info, element) for every line, arc and point of the chain, groups recursively, and
// g(node) for every group met. Returns the sum of f's results.
template <class F, class G>
int ForEachDrawable(CDtbElement* chain, F&& f, G&& g) {
    int count = 0;
    for (CDtbElement* e = chain; e != nullptr; e = e->link.next) {
        if (e->IsNode()) {
            auto* node = static_cast<CDtbNode*>(e);
            g(*node);
            count += ForEachDrawable(node->firstChild, f, g);
        } else if (CDtbInfo* info = DtbInfoOf(e)) {
            count += f(*info, *e);
        }
    }
    return count;
}

void StampOptions(CDtbElement& e, const uint32_t codes[8], const double values[4]) {
    e.SetOptions(codes, values);
}

}  // namespace

int CDtbEngine::ChangeDtbInfo(int red, int green, int blue, int width, int kind, int classBits) {
    return ChangeDtbInfo(head_, red, green, blue, width, kind, classBits);
}

int CDtbEngine::ChangeDtbInfo(CDtbElement* chain, int red, int green, int blue, int width, int kind,
                              int classBits) {
    const bool colour = red != kDtbAny && green != kDtbAny && blue != kDtbAny;
    return ForEachDrawable(
        chain,
        [&](CDtbInfo& info, CDtbElement&) {
            if (colour) {
                info.red = red;
                info.green = green;
                info.blue = blue;
            }
            if (width != kDtbAny) info.penWidth = width;
            if (kind != kDtbAny) info.penKind = kind;
            if (classBits != kDtbAny) info.classBits = classBits;
            return 1;
        },
        [](CDtbNode&) {});
}

int CDtbEngine::NoDispFlagDtb(int red, int green, int blue, int width, int kind, int classBits) {
    return NoDispFlagDtb(head_, red, green, blue, width, kind, classBits);
}

int CDtbEngine::NoDispFlagDtb(CDtbElement* chain, int red, int green, int blue, int width, int kind,
                              int classBits) {
    const DtbFilter filter{red, green, blue, width, kind, classBits};
    return ForEachDrawable(
        chain,
        [&](CDtbInfo& info, CDtbElement& e) {
            if (!filter.Passes(info)) return 0;
            e.noDisplay = 1;
            return 1;
        },
        [](CDtbNode&) {});
}

int CDtbEngine::OptionFlagDtb(const uint32_t codes[8], const double values[4], int red, int green,
                              int blue, int width, int kind, int classBits) {
    return OptionFlagDtb(head_, codes, values, red, green, blue, width, kind, classBits);
}

int CDtbEngine::OptionFlagDtb(CDtbElement* chain, const uint32_t codes[8], const double values[4],
                              int red, int green, int blue, int width, int kind, int classBits) {
    const DtbFilter filter{red, green, blue, width, kind, classBits};
    return ForEachDrawable(
        chain,
        [&](CDtbInfo& info, CDtbElement& e) {
            if (!filter.Passes(info)) return 0;
            StampOptions(e, codes, values);
            return 1;
        },
        [&](CDtbNode& node) { StampOptions(node, codes, values); });
}

int CDtbEngine::Offset(CDtbElement* chain, const CxyzData& v) {
    for (CDtbElement* e = chain; e != nullptr; e = e->link.next) {
        switch (e->GetType()) {
            case kDtbTypeLine:
                *static_cast<CDtbLine*>(e) += v;
                break;
            case kDtbTypeArc:
                *static_cast<CDtbArc*>(e) += v;
                break;
            case kDtbTypePoint:
                *static_cast<CDtbPoint*>(e) += v;
                break;
            case kDtbTypeNode:
                Offset(static_cast<CDtbNode*>(e)->firstChild, v);
                break;
            default:
                break;
        }
    }
    return 1;
}

namespace {

struct Rotation {
    double cx, cy, s, c;
    void Apply(CxyData& p) const {
        const double dx = p.x - cx, dy = p.y - cy;
        p.x = cx + dx * c - dy * s;
        p.y = cy + dx * s + dy * c;
    }
};

void RotateChain(CDtbElement* chain, const Rotation& r, double angle) {
    for (CDtbElement* e = chain; e != nullptr; e = e->link.next) {
        switch (e->GetType()) {
            case kDtbTypeLine: {
                auto* line = static_cast<CDtbLine*>(e);
                r.Apply(line->start);
                r.Apply(line->end);
                break;
            }
            case kDtbTypeArc: {
                auto* arc = static_cast<CDtbArc*>(e);
                r.Apply(arc->centre);
                arc->startAngle += angle;
                arc->endAngle += angle;
                NormalizeArcSweep(1, &arc->startAngle, &arc->endAngle, arc->radius);
                break;
            }
            case kDtbTypePoint:
                r.Apply(static_cast<CDtbPoint*>(e)->point);
                break;
            case kDtbTypeNode:
                RotateChain(static_cast<CDtbNode*>(e)->firstChild, r, angle);
                break;
            default:
                break;
        }
    }
}

}  // namespace

int CDtbEngine::Rotate(CDtbElement* chain, const CxyzData& centre, double angle) {
    if (!std::isfinite(angle)) return 0;
    // Into [-360, 360] by whole turns: above 360 into (0, 360], below -360 into [-360, 0).
    if (angle > 360.0) {
        angle = std::fmod(angle, 360.0);
        if (angle == 0.0) angle = 360.0;
    } else if (angle < -360.0) {
        angle = std::fmod(angle, 360.0);
        if (angle == 0.0) angle = -360.0;
    }
    const Rotation r{centre.x, centre.y, SinDeg(angle), CosDeg(angle)};
    RotateChain(chain, r, angle);
    return 1;
}

namespace {

double ChainLength(const CDtbElement* chain) {
    double sum = 0.0;
    for (const CDtbElement* e = chain; e != nullptr; e = e->link.next) {
        switch (e->GetType()) {
            case kDtbTypeLine:
                sum += static_cast<const CDtbLine*>(e)->GetElementLength3D();
                break;
            case kDtbTypeArc:
                sum += static_cast<const CDtbArc*>(e)->GetElementLength();
                break;
            case kDtbTypeNode:
                sum += ChainLength(static_cast<const CDtbNode*>(e)->firstChild);
                break;
            default:
                break;
        }
    }
    return sum;
}

}  // namespace

int CDtbEngine::GetElementLength1(const CDtbElement* chain, double* length) {
    if (length == nullptr) return 0;
    *length = ChainLength(chain);
    return 1;
}

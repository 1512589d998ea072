// Projection of element chains into view layers, and the division of arcs into line pieces.
#include "views/model/ProjectElements.h"

#include <cmath>
#include <memory>

#include "kernel/base/DegreeTrig.h"
#include "kernel/geom/CVectoMatrix.h"

namespace {

constexpr int kClassRapidOnly = 1;

// s reduced by whole turns until it is no longer above e (one step, however far apart).
double ReduceBelow(double s, double e) {
    if (s <= e) return s;
    return s - 360.0 * std::ceil((s - e) / 360.0);
}

class Walker {
public:
    Walker(const ViewProjection* projection, CDtbEngine& dst, const AcAxisParams* ac)
        : projection_(projection), dst_(dst), ac_(ac) {}

    int Walk(const CDtbElement* e, CDtbEngine* acLayer) {
        int count = 0;
        for (; e != nullptr; e = e->link.next) {
            if (const CDtbNode* node = DtbCast<CDtbNode>(e)) {
                Group(*node, acLayer, count);
            } else if (const CDtbLine* line = DtbCast<CDtbLine>(e)) {
                if (acLayer && line->info.classBits != kClassRapidOnly)
                    AcLine(*acLayer, *line, line->end, line->headAngleA, line->headAngleC);
                auto copy = std::make_unique<CDtbLine>(*line);
                Place(copy->start);
                Place(copy->end);
                dst_.Append(std::move(copy));
                ++count;
            } else if (const CDtbArc* arc = DtbCast<CDtbArc>(e)) {
                if (acLayer && arc->info.classBits != kClassRapidOnly) {
                    CxyzData end;
                    arc->GetEndPoint(end);
                    AcLine(*acLayer, *arc, end, arc->headAngleA, arc->headAngleC);
                }
                if (Pieces(*arc)) ++count;
            }
        }
        return count;
    }

private:
    void Place(CxyzData& p) const {
        if (!projection_) return;
        p = projection_->Project(p);
    }

    void Group(const CDtbNode& node, CDtbEngine* acLayer, int& count) {
        CDtbNode* copy = dst_.Append(std::make_unique<CDtbNode>(node));
        if (acLayer && node.Is(kDtbOwnerTessmark, kDtbKindDevideArc)) {
            const CDtbElement* last = node.GetLastChild();
            if (const CDtbLine* l = DtbCast<CDtbLine>(last)) {
                AcLine(*acLayer, *l, l->end, l->headAngleA, l->headAngleC);
            } else if (const CDtbArc* a = DtbCast<CDtbArc>(last)) {
                CxyzData end;
                a->GetEndPoint(end);
                AcLine(*acLayer, *a, end, a->headAngleA, a->headAngleC);
            }
        }
        // Past the deepest level the children follow the group in the current chain; closing
        // a level that was never opened would end the enclosing group too early.
        const bool opened = dst_.NodeUp(copy) != 0;
        count += Walk(node.firstChild, nullptr);
        if (opened) dst_.NodeDown();
    }

    // Replaces the arc by a group of line pieces. False when it cannot be divided.
    bool Pieces(const CDtbArc& arc) {
        ArcPieces p;
        if (!DivideArc(arc, &p)) return false;
        auto group = std::make_unique<CDtbNode>(kDtbOwnerTessmark.data(), kDtbOwnerTessmark.size(),
                                                kDtbKindDevideArc.data(), kDtbKindDevideArc.size(),
                                                nullptr, 0);
        group->attributes = arc.attributes;
        // A hidden arc stays hidden: the drawing passes over a hidden group whole.
        group->noDisplay = arc.noDisplay;
        CDtbNode* node = dst_.Append(std::move(group));
        const bool opened = dst_.NodeUp(node) != 0;
        const bool forward = arc.direction == 0;
        const double step = (p.e - p.s) / p.pieces;
        for (int i = 0; i < p.pieces; ++i) {
            CxyzData a, b;
            arc.GetAnglePosition(p.s + i * step, a);
            arc.GetAnglePosition(p.s + (i + 1) * step, b);
            Place(a);
            Place(b);
            auto piece = std::make_unique<CDtbLine>(a, b, arc.info, 0.0f, 0.0f);
            piece->info.startMark = 0;
            piece->info.endMark = 0;
            if (i == 0) piece->info.startMark = forward ? arc.info.startMark : arc.info.endMark;
            if (i == p.pieces - 1)
                piece->info.endMark = forward ? arc.info.endMark : arc.info.startMark;
            dst_.Append(std::move(piece));
        }
        if (opened) dst_.NodeDown();
        return true;
    }

    // A line from point along the tool axis, copied from the source element so that it keeps
    // its attribute texts and no-display flag.
    void AcLine(CDtbEngine& acLayer, const CDtbElement& source, const CxyzData& point, float a,
                float c) {
        Vec3 v{};
        CVectoMatrix::ToolDirection(ac_->headType, HeadAngles{c, a}, v);
        CxyzData end(point.x + v[0] * ac_->length, point.y + v[1] * ac_->length,
                     point.z + v[2] * ac_->length);
        auto line = std::make_unique<CDtbLine>();
        line->attributes = source.attributes;
        line->noDisplay = source.noDisplay;
        line->start = point;
        line->end = end;
        line->headAngleA = a;
        line->headAngleC = c;
        if (const CDtbLine* l = DtbCast<CDtbLine>(&source)) line->info = l->info;
        if (const CDtbArc* r = DtbCast<CDtbArc>(&source)) line->info = r->info;
        Place(line->start);
        Place(line->end);
        acLayer.Append(std::move(line));
    }

    const ViewProjection* projection_;
    CDtbEngine& dst_;
    const AcAxisParams* ac_;
};

}  // namespace

bool DivideArc(const CDtbArc& arc, ArcPieces* out) {
    if (!std::isfinite(arc.startAngle) || !std::isfinite(arc.endAngle) ||
        !std::isfinite(arc.radius))
        return false;
    double s, e;
    // A whole number of turns apart is one full circle (two turns stored as 0..720 are drawn
    // once), whichever way the rounding of the angles went.
    const bool full = IsWholeTurn(arc.endAngle - arc.startAngle);
    if (arc.direction == 0) {
        e = arc.endAngle;
        s = full ? e - 360.0 : ReduceBelow(arc.startAngle, e);
    } else {
        s = arc.endAngle;
        e = full ? s - 360.0 : ReduceBelow(arc.startAngle, s);
    }
    const double step = arc.radius > 10.0 ? 7.5 : 15.0;
    const double n = std::fabs(std::trunc((e - s) / step)) + 2.0;
    out->s = s;
    out->e = e;
    out->pieces = n > kMaxArcPieces ? kMaxArcPieces : static_cast<int>(n);
    return true;
}

int ProjectElements(const ViewProjection& projection, CDtbEngine& dst, const CDtbElement* first,
                    CDtbEngine* acLayer, const AcAxisParams& ac) {
    return Walker(&projection, dst, &ac).Walk(first, acLayer);
}

int DivideArcs(CDtbEngine& dst, const CDtbElement* first) {
    return Walker(nullptr, dst, nullptr).Walk(first, nullptr);
}

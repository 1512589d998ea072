// Three-point arcs (G11 / G11.2 then G11.1) and circles (G12, G12.1, G12.2) in space.
#include <cmath>

#include "kernel/base/DegreeTrig.h"
#include "kernel/db/CDtbArc.h"
#include "kernel/db/CDtbEngine.h"
#include "kernel/db/CDtbLine.h"
#include "kernel/db/CDtbNode.h"
#include "kernel/geom/CVectoMatrix.h"
#include "nc/read/CNcRead.h"
#include "nc/read/NcAttributeTexts.h"
#include "nc/read/NcPens.h"
#include "nc/read/NcReadStatus.h"
#include "nc/read/shape/ChordedArc.h"
#include "nc/read/shape/HeadPlane.h"

namespace {

// Heights closer than this make a circle planar: it is drawn as arc elements, else as chords.
constexpr double kPlanarTol = 0.001;

Vec3 V(const CxyzData& p) {
    return {p.x, p.y, p.z};
}

// The circle through three points: its plane (origin the centre, u axis towards the first
// point, normal by the turning sense of the points), radius and form.
struct ThreePointCircle {
    HeadPlane plane;
    double radius = 0.0;
    bool planar = false;     // the points at one height (set by the caller)
    bool clockwise = false;  // the points turn clockwise seen from above
};

enum class FitResult { Fitted, Collinear, NoFrame };

FitResult FitCircle(const CxyzData& a, const CxyzData& b, const CxyzData& c,
                    ThreePointCircle& out) {
    Vec3 centre{};
    if (CVectoMatrix::CircleCenter3P(V(a), V(b), V(c), centre) != 0) return FitResult::Collinear;
    Vec3 unit{};
    double radius = 0.0;
    (void)CVectoMatrix::UnitVector(centre, V(a), unit, radius);
    if (CVectoMatrix::MakeFrame3P(V(a), V(b), V(c), centre, out.plane.frame) != 0) {
        return FitResult::NoFrame;
    }
    out.plane.origin = CxyzData(centre[0], centre[1], centre[2]);
    out.radius = radius;
    out.clockwise = out.plane.frame[2][2] < 0.0;
    return FitResult::Fitted;
}

// One arc piece between two of the points: start angle in the circle's plane (0 at the first
// point) and its sweep in the points' turning sense, with its line number and head angles.
struct ArcPiece {
    CxyzData from;
    CxyzData to;
    double a0 = 0.0;
    double sweep = 0.0;
    int lineNo = 0;
    double headA = 0.0;
    double headC = 0.0;
};

// The piece as an arc element (planar circles) or as a "DevideArc" group of chords.
void AppendPiece(CNcRead& reader, CDtbEngine& db, const ThreePointCircle& circle,
                 const ArcPiece& piece) {
    CNcReadState& st = reader.State;
    const CDtbInfo pen = NcFeedInfo(reader);
    const auto headA = static_cast<float>(piece.headA);
    const auto headC = static_cast<float>(piece.headC);
    const CxyzData& c0 = circle.plane.origin;
    if (circle.planar) {
        // The arc element runs counter-clockwise from start to end angle; a clockwise piece is
        // the counter-clockwise arc from its end point back to its start, travelled backwards.
        // Angles are taken about the circle's centre.
        const double af = Atan2Deg(piece.from.y - c0.y, piece.from.x - c0.x);
        const double at = Atan2Deg(piece.to.y - c0.y, piece.to.x - c0.x);
        double s = circle.clockwise ? at : af;
        double e = circle.clockwise ? af : at;
        if (s >= e - 1e-6) s -= 360.0;
        if (std::fabs((e - s) - piece.sweep) > 1.0) {
            // A sweep so small that the end angle rounded to the wrong side of the start.
            e = s + piece.sweep;
            if (s < 0.0 && e <= 0.0) {
                s += 360.0;
                e += 360.0;
            }
        }
        auto* arc =
            new CDtbArc(c0, circle.radius, s, e, circle.clockwise ? 1 : 0, pen, headA, headC);
        const NcElmInfo info = ArcElmInfo(*arc);
        AddElementTexts(*arc, piece.lineNo, reader.PartNo, &info);
        db.AppendDtb(arc);
        NcCountFeed(st, arc->GetElementLength(), arc->info.classBits);
        return;
    }
    const CDtbLine chordTemplate(CxyzData(), CxyzData(), pen, headA, headC);
    ChordedArcParams params;
    params.radius = circle.radius;
    params.a0 = piece.a0;
    params.a1 = piece.a0 + piece.sweep;
    params.step = ChordStep::Fitted;
    params.normalise = false;
    const ChordedArcResult arc = AppendChordedArc(db, circle.plane, params, chordTemplate,
                                                  {piece.lineNo, reader.LineNo, reader.PartNo}, st);
    AddElmInfoText(arc.node->attributes,
                   DividedArcElmInfo(piece.from, piece.to, c0, circle.radius, arc.total));
}

// The sweep from angle a to angle b in the circle's plane, in (0, 360].
double SweepBetween(double a, double b) {
    const double d = b - a;
    return d > 0.0 ? d : d + 360.0;
}

// G11.1 after G11 or G11.2: the arc from the position before the G11 block through the middle
// point to the block's point, in two halves.
NcHookFlow ThreePointArc(CNcRead& reader, CDtbEngine& db) {
    CNcReadState& st = reader.State;
    const CxyzData p0 = st.LastPos;
    const CxyzData p1 = st.ArcMidPoint;
    const CxyzData p2 = st.TargetPos;
    reader.ArcPoints = {p0, p1, p2};
    ThreePointCircle circle;
    const FitResult fit = FitCircle(p0, p1, p2, circle);
    if (fit == FitResult::NoFrame) return kFlowHeadFrameFailed;
    circle.planar = std::fabs(p0.z - p1.z) < kPlanarTol && std::fabs(p0.z - p2.z) < kPlanarTol;
    if (fit == FitResult::Collinear) {
        // Points on one line: a group of the two straight legs.
        auto* node = new CDtbNode(kDtbOwnerTessmark.data(), kDtbOwnerTessmark.size(),
                                  kDtbKindDevideArc.data(), kDtbKindDevideArc.size(), nullptr, 0);
        AddElementTexts(*node, reader.LineNo, reader.PartNo, nullptr);
        db.AppendDtb(node);
        db.NodeUp(node);
        const CDtbInfo pen = NcFeedInfo(reader);
        for (const auto& [from, to] : {std::pair{p0, p1}, std::pair{p1, p2}}) {
            auto* line = new CDtbLine(from, to, pen, static_cast<float>(st.ModalA),
                                      static_cast<float>(st.ModalC));
            AddElementTexts(*line, reader.LineNo, reader.PartNo, nullptr);
            db.AppendDtb(line);
            NcCountFeed(st, line->GetElementLength3D(), line->info.classBits);
        }
        db.NodeDown();
    } else {
        const double a1 = circle.plane.AngleOf(p1);
        const double a2 = a1 + SweepBetween(a1, circle.plane.AngleOf(p2));
        AppendPiece(reader, db, circle,
                    {p0, p1, 0.0, a1, reader.PrevLineNo, st.PrevA[0], st.PrevC[0]});
        AppendPiece(reader, db, circle, {p1, p2, a1, a2 - a1, reader.LineNo, st.ModalA, st.ModalC});
    }
    st.TargetPos = p2;
    st.LastElementEnd = p2;
    st.PrevCode = 111;
    return kFlowContinue;
}

// G12.2 after G12.1: the full circle through the position before the G12 block and the G12 and
// G12.1 points, in three pieces that follow the turning sense of the points.
NcHookFlow ThreePointFullCircle(CNcRead& reader, CDtbEngine& db) {
    CNcReadState& st = reader.State;
    const CxyzData q1 = st.CirclePoint1;
    const CxyzData q2 = st.CirclePoint2;
    const CxyzData q3 = st.CirclePoint3;
    ThreePointCircle circle;
    // Points on one line (or two of them equal) have no circle and no frame either.
    if (FitCircle(q1, q2, q3, circle) != FitResult::Fitted) return kFlowHeadFrameFailed;
    circle.planar = std::fabs(q1.z - q2.z) < kPlanarTol && std::fabs(q2.z - q3.z) < kPlanarTol;
    const double a2 = circle.plane.AngleOf(q2);
    const double a3 = a2 + SweepBetween(a2, circle.plane.AngleOf(q3));
    AppendPiece(reader, db, circle,
                {q1, q2, 0.0, a2, reader.PrevLineNo2, st.PrevA[0], st.PrevC[0]});
    AppendPiece(reader, db, circle, {q2, q3, a2, a3 - a2, reader.PrevLineNo, st.ModalA, st.ModalC});
    AppendPiece(reader, db, circle,
                {q3, q1, a3, 360.0 - a3, reader.LineNo, st.PrevA[1], st.PrevC[1]});
    st.TargetPos = q1;
    st.LastElementEnd = q1;
    st.PrevCode = 122;
    return kFlowContinue;
}

}  // namespace

// Returns an NcHookFlow: the point-collecting forms (G11, G11.2, G12, G12.1) end without the
// commit (kFlowEndBlock); G11.1 and G12.2 go on (kFlowContinue) or fail with
// kFlowHeadFrameFailed when the points give no circle frame.
int CNcRead::ThreePointShape(CDtbEngine* elements) {
    CNcReadState& st = State;
    CDtbEngine scratch;
    CDtbEngine& db = elements != nullptr ? *elements : scratch;
    const int g11 = ShapeGroups[kShapeG11];
    const int g12 = ShapeGroups[kShapeG12];

    if (g11 == 1 && st.PrevCode == 112) {
        // A G11.1 without its G11 was drawn as a straight cut by the interpreter.
        const NcHookFlow flow = ThreePointArc(*this, db);
        if (flow != kFlowContinue) return flow;
    } else if (g11 == 2) {
        st.ArcMidPoint = st.TargetPos;
        st.PrevCode = 112;
        st.CurrentPos = st.TargetPos;
        return kFlowEndBlock;
    }

    switch (g12) {
        case 0:
            st.CirclePoint1 = st.CurrentPos;
            st.CirclePoint2 = st.TargetPos;
            st.PrevCode = 120;
            st.CurrentPos = st.TargetPos;
            return kFlowEndBlock;
        case 1:
            if (st.PrevCode == 120) {
                st.CirclePoint3 = st.TargetPos;
                st.PrevCode = 121;
            } else {
                st.PrevCode = -1;
            }
            return kFlowEndBlock;
        case 2:
            if (st.PrevCode != 121) {
                st.PrevCode = -1;
                return kFlowContinue;
            }
            return ThreePointFullCircle(*this, db);
        default:
            return kFlowContinue;
    }
}

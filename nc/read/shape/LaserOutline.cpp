// LaserOutline: the nine laser shape outlines in the head plane.
#include "nc/read/shape/LaserOutline.h"

#include <cmath>

#include "kernel/base/DegreeTrig.h"
#include "kernel/db/CDtbEngine.h"
#include "kernel/db/CDtbLine.h"
#include "kernel/db/CDtbNode.h"
#include "kernel/geom/PlaneGeometry.h"
#include "nc/read/CNcReadState.h"
#include "nc/read/NcAttributeTexts.h"
#include "nc/read/NcPens.h"

namespace {

// Sizes below this make no shape; radii of fillets and corners below it are switched off.
constexpr double kSizeTol = 0.001;

bool Positive(double v) {
    return std::isfinite(v) && v >= kSizeTol;
}
bool NotNegative(double v) {
    return std::isfinite(v) && v > -kSizeTol;
}

}  // namespace

LaserOutline::LaserOutline(CDtbEngine& db, const HeadPlane& plane, const CDtbInfo& pen, float headA,
                           float headC, int lineNo, int partNo, CNcReadState& state)
    : db_(db),
      plane_(plane),
      pen_(pen),
      headA_(headA),
      headC_(headC),
      lineNo_(lineNo),
      partNo_(partNo),
      state_(state) {}

OutlineResult LaserOutline::Build(int shapeNo, const LaserShapeDims& d) {
    cur_ = plane_.origin;
    curU_ = 0.0;
    curV_ = 0.0;
    approach_ = nullptr;
    template_ = nullptr;
    switch (shapeNo) {
        case 1:
        case 2:
        case 3:
        case 6:
            return RectangleFamily(shapeNo, d);
        case 4:
        case 8:
            return Keyhole(shapeNo, d);
        case 5:
            return HalfDisc(d);
        case 7:
            return Hexagon(d);
        case 9:
            return SlotWithCircle(d);
        default:
            return OutlineResult::NoShape;
    }
}

bool LaserOutline::Construct(double h, double length, double r, double b0, double b1, double& x,
                             double& t) {
    CxyData p1, p2;
    int count = 0;
    if (LineArcIntersect(CxyData(0.0, h), CxyData(length, h), CxyData(0.0, 0.0), r, {b0, b1}, p1,
                         p2, count) != 0 ||
        count == 0) {
        return false;
    }
    x = p1.x;
    t = Atan2Deg(h, x);
    return true;
}

const CDtbLine& LaserOutline::Approach(double u, double v) {
    auto* line = new CDtbLine(plane_.origin, plane_.ToWorld(u, v), pen_, headA_, headC_);
    const NcElmInfo info = LineElmInfo3(*line);
    AddElementTexts(*line, lineNo_, partNo_, &info);
    db_.AppendDtb(line);
    NcCountPiece(state_, line->GetElementLength3D());
    cur_ = line->end;
    curU_ = u;
    curV_ = v;
    approachU_ = u;
    approachV_ = v;
    approach_ = line;
    template_ = line;
    return *line;
}

const CDtbLine& LaserOutline::LineTo(const CDtbLine& source, double u, double v) {
    auto* line = new CDtbLine(source);
    line->start = cur_;
    line->end = plane_.ToWorld(u, v);
    const NcElmInfo info = LineElmInfo3(*line);
    AddElementTexts(*line, lineNo_, partNo_, &info);
    db_.AppendDtb(line);
    NcCountPiece(state_, line->GetElementLength3D());
    cur_ = line->end;
    curU_ = u;
    curV_ = v;
    return *line;
}

const CDtbLine& LaserOutline::LineBy(const CDtbLine& source, double du, double dv) {
    return LineTo(source, curU_ + du, curV_ + dv);
}

void LaserOutline::Arc(double cu, double cv, double r, double a0, double a1, ChordStep step,
                       bool reversed, bool normalise) {
    ChordedArcParams params;
    params.cu = cu;
    params.cv = cv;
    params.radius = r;
    params.a0 = a0;
    params.a1 = a1;
    params.step = step;
    params.reversed = reversed;
    params.normalise = normalise;
    const CxyzData start = cur_;
    const ChordedArcResult arc =
        AppendChordedArc(db_, plane_, params, *template_, {lineNo_, lineNo_, partNo_}, state_);
    const NcElmInfo info = DividedArcElmInfo(start, arc.end, plane_.ToWorld(cu, cv), r, arc.total);
    AddElmInfoText(arc.node->attributes, info);
    cur_ = arc.end;
    curU_ = arc.endU;
    curV_ = arc.endV;
}

// Shapes 1 (rectangle), 2 (rounded rectangle), 3 (track) and 6 (circle with two flats). The
// first edge line is the template of the later edges and of every chord; the last edge is
// copied from the approach line. The upper edge is cut in two at (0, V/2).
OutlineResult LaserOutline::RectangleFamily(int shapeNo, const LaserShapeDims& d) {
    const double U = d.U, V = d.V, R = d.R;
    double c = 0.0;  // corner radius
    double x6 = 0.0, t = 0.0;
    switch (shapeNo) {
        case 1:
            if (!Positive(U) || !Positive(V)) return OutlineResult::NoShape;
            break;
        case 2:
            if (!Positive(U) || !Positive(V) || !NotNegative(R)) return OutlineResult::NoShape;
            c = R;
            break;
        case 3:
            if (!Positive(U) || !Positive(V)) return OutlineResult::NoShape;
            c = V / 2.0;
            break;
        default:  // 6
            if (!Positive(V) || !Positive(R)) return OutlineResult::NoShape;
            if (!Construct(V / 2.0, R, R, -180.0, 180.0, x6, t)) return OutlineResult::NotFound;
            c = R;
            break;
    }
    // An arc whose radius is exactly 0 is left out (shape 2 with R 0 is the plain rectangle).
    const bool arcs = shapeNo != 1 && c != 0.0;

    const CDtbLine& approach = Approach(0.0, V / 2.0);
    const CDtbLine& first = LineTo(approach, shapeNo == 6 ? -x6 : -U / 2.0 + c, V / 2.0);
    template_ = &first;
    switch (shapeNo) {
        case 1:
        case 2:
            if (arcs) Arc(-U / 2.0 + c, V / 2.0 - c, c, 90.0, 180.0, ChordStep::Fixed);
            LineTo(first, -U / 2.0, -V / 2.0 + c);
            if (arcs) Arc(-U / 2.0 + c, -V / 2.0 + c, c, 180.0, 270.0, ChordStep::Fixed);
            LineTo(first, U / 2.0 - c, -V / 2.0);
            if (arcs) Arc(U / 2.0 - c, -V / 2.0 + c, c, -90.0, 0.0, ChordStep::Fixed);
            LineTo(first, U / 2.0, V / 2.0 - c);
            if (arcs) Arc(U / 2.0 - c, V / 2.0 - c, c, 0.0, 90.0, ChordStep::Fixed);
            break;
        case 3:
            if (arcs) Arc(-U / 2.0 + c, 0.0, c, 90.0, 270.0, ChordStep::Fixed);
            LineTo(first, U / 2.0 - c, -V / 2.0);
            if (arcs) Arc(U / 2.0 - c, 0.0, c, -90.0, -270.0, ChordStep::Fixed);
            break;
        default:  // 6
            Arc(0.0, 0.0, R, 180.0 - t, 180.0 + t, ChordStep::Fitted);
            LineTo(first, x6, -V / 2.0);
            Arc(0.0, 0.0, R, -t, t, ChordStep::Fitted);
            break;
    }
    LineTo(approach, 0.0, V / 2.0);
    return OutlineResult::Drawn;
}

// Shapes 4 (keyhole) and 8 (keyhole with fillets E where the slot meets the circle). The
// approach line is the template of the first slot side and of every chord; the second slot
// side is copied from the first.
OutlineResult LaserOutline::Keyhole(int shapeNo, const LaserShapeDims& d) {
    const double U = d.U, D = d.D, R = d.R, E = d.E;
    if (!Positive(U) || !Positive(D) || !Positive(R)) return OutlineResult::NoShape;
    if (shapeNo == 8 && !NotNegative(E)) return OutlineResult::NoShape;
    double x = 0.0, t = 0.0;
    if (!Construct(D / 2.0, 2.0 * U, R, 0.0, 360.0, x, t)) return OutlineResult::NotFound;
    const CDtbLine& approach = Approach(-R, 0.0);
    const bool fillets = shapeNo == 8 && std::fabs(E) >= kSizeTol;
    if (fillets && !Construct(D / 2.0 + E, 2.0 * U, R + E, 0.0, 90.0, x, t)) {
        return OutlineResult::NotFound;
    }
    Arc(0.0, 0.0, R, -180.0, -t, ChordStep::Fitted);
    if (fillets) Arc(x, -(D / 2.0 + E), E, 90.0, 180.0 - t, ChordStep::Fitted, true);
    const CDtbLine& side = LineTo(approach, U, -D / 2.0);
    Arc(U, 0.0, D / 2.0, -90.0, 90.0, ChordStep::Fitted);
    LineTo(side, x, D / 2.0);
    if (fillets) Arc(x, D / 2.0 + E, E, 180.0 + t, 270.0, ChordStep::Fitted, true);
    Arc(0.0, 0.0, R, t, 180.0, ChordStep::Fitted);
    return OutlineResult::Drawn;
}

// Shape 5: half disc of radius R on the +u side, from (R, 0) round to (0, R), down the
// diameter and round back to (R, 0).
OutlineResult LaserOutline::HalfDisc(const LaserShapeDims& d) {
    const double R = d.R;
    if (!Positive(R)) return OutlineResult::NoShape;
    const CDtbLine& approach = Approach(R, 0.0);
    Arc(0.0, 0.0, R, 0.0, 90.0, ChordStep::Fixed);
    LineTo(approach, 0.0, -R);
    Arc(0.0, 0.0, R, -90.0, 0.0, ChordStep::Fixed);
    return OutlineResult::Drawn;
}

// Shape 7: regular hexagon, V across the flats, flats parallel to u. Its corners are given as
// points so that the seventh line ends exactly where the approach ended.
OutlineResult LaserOutline::Hexagon(const LaserShapeDims& d) {
    const double V = d.V;
    if (!Positive(V)) return OutlineResult::NoShape;
    const double s = TanDeg(30.0) * V;  // side length
    const CDtbLine& approach = Approach(0.0, V / 2.0);
    const double corners[7][2] = {{-s / 2.0, V / 2.0}, {-s, 0.0}, {-s / 2.0, -V / 2.0},
                                  {s / 2.0, -V / 2.0}, {s, 0.0},  {s / 2.0, V / 2.0},
                                  {0.0, V / 2.0}};
    for (const auto& p : corners) LineTo(approach, p[0], p[1]);
    return OutlineResult::Drawn;
}

// Shape 9: slot U x V with corners of radius R and a central circle of diameter D, joined to
// the long sides by fillets of radius R. With |R| below 0.001 the corners and fillets are off
// and the straight sides meet the circle directly.
OutlineResult LaserOutline::SlotWithCircle(const LaserShapeDims& d) {
    const double U = d.U, V = d.V, D = d.D, R = d.R;
    if (!Positive(U) || !Positive(V) || !Positive(D) || !NotNegative(R)) {
        return OutlineResult::NoShape;
    }
    double X = 0.0, t = 0.0;
    if (!Construct(V / 2.0, 2.0 * U, D / 2.0, 0.0, 90.0, X, t)) return OutlineResult::NotFound;
    const CDtbLine& approach = Approach(-U / 2.0, 0.0);
    const bool fillets = std::fabs(R) >= kSizeTol;
    if (fillets && !Construct(V / 2.0 + R, U / 2.0, D / 2.0 + R, 0.0, 90.0, X, t)) {
        return OutlineResult::NotFound;
    }
    const double side = (U / 2.0 - R) - X;  // straight piece between a corner and a fillet
    // The corner arcs use the fixed 5-degree step as given, without the canonical form.
    LineBy(approach, 0.0, -(V / 2.0 - R));
    if (fillets)
        Arc(-(U / 2.0 - R), -(V / 2.0 - R), R, 180.0, 270.0, ChordStep::Fixed, false, false);
    LineBy(approach, side, 0.0);
    if (fillets) Arc(-X, -(V / 2.0 + R), R, t, 90.0, ChordStep::Fitted, true);
    Arc(0.0, 0.0, D / 2.0, 180.0 + t, 360.0 - t, ChordStep::Fitted);
    if (fillets) Arc(X, -(V / 2.0 + R), R, 90.0, 180.0 - t, ChordStep::Fitted, true);
    LineBy(approach, side, 0.0);
    if (fillets) Arc(U / 2.0 - R, -(V / 2.0 - R), R, -90.0, 0.0, ChordStep::Fixed, false, false);
    LineBy(approach, 0.0, V - 2.0 * R);
    if (fillets) Arc(U / 2.0 - R, V / 2.0 - R, R, 0.0, 90.0, ChordStep::Fixed, false, false);
    LineBy(approach, -side, 0.0);
    if (fillets) Arc(X, V / 2.0 + R, R, 180.0 + t, 270.0, ChordStep::Fitted, true);
    Arc(0.0, 0.0, D / 2.0, t, 180.0 - t, ChordStep::Fitted);
    if (fillets) Arc(-X, V / 2.0 + R, R, -90.0, -t, ChordStep::Fitted, true);
    LineBy(approach, -side, 0.0);
    if (fillets) Arc(-(U / 2.0 - R), V / 2.0 - R, R, 90.0, 180.0, ChordStep::Fixed, false, false);
    LineTo(approach, -U / 2.0, 0.0);
    return OutlineResult::Drawn;
}

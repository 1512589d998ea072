// CCalculate: intersections, on-segment and side tests, sweep test, three-point test, offsets.
#include "kernel/geom/CCalculate.h"

#include <cmath>
#include <utility>

#include "kernel/base/DegreeTrig.h"
#include "kernel/base/Tolerance.h"
#include "kernel/db/CDtbArc.h"
#include "kernel/db/CDtbElement.h"
#include "kernel/db/CDtbLine.h"

namespace {

// Two lines whose direction determinant is at most this are parallel (CalcCross2Line).
constexpr double kParallelSegmentsTol = 1e-4;
// Touching circles, a line touching a circle, a tie of distances (CalcCross2Element).
constexpr double kTouchTol = 1e-4;
// A line element up to this long has no direction.
constexpr double kNoDirectionLength = 1e-9;
// Below this radius the sweep tolerance is kLengthTol degrees rather than the angle that
// moves a point of the circle by kLengthTol.
constexpr double kSmallRadius = 0.01;

struct Vec2 {
    double x;
    double y;
};

Vec2 Diff(const CxyData& a, const CxyData& b) {
    return {a.x - b.x, a.y - b.y};
}

double Dot(Vec2 a, Vec2 b) {
    return a.x * b.x + a.y * b.y;
}

double Cross(Vec2 a, Vec2 b) {
    return a.x * b.y - a.y * b.x;
}

double SnapToZero(double v) {
    return std::fabs(v) < kLengthTol ? 0.0 : v;
}

// Brings an angle into [0, 360).
double ReduceTurns(double a) {
    a -= 360.0 * std::floor(a / 360.0);
    return a >= 360.0 ? a - 360.0 : a;
}

// Brings an angle into [from, from + 360).
double ReduceFrom(double a, double from) {
    a -= 360.0 * std::floor((a - from) / 360.0);
    if (a < from) a += 360.0;
    if (a >= from + 360.0) a -= 360.0;
    return a;
}

// Geometry of one element of CalcCross2Element, read once.
struct Shape {
    bool isLine = false;
    CxyData s, e;  // line ends
    CxyData m;     // arc centre
    double r = 0.0, start = 0.0, end = 0.0;
    int direction = 0;
};

bool ReadShape(unsigned type, const CDtbElement* elem, Shape& out) {
    if (type == kCalcTypeLine) {
        const auto* line = DtbCast<CDtbLine>(elem);
        if (line == nullptr) return false;
        out.isLine = true;
        out.s = {line->start.x, line->start.y};
        out.e = {line->end.x, line->end.y};
        return true;
    }
    if (type == kCalcTypeArc) {
        const auto* arc = DtbCast<CDtbArc>(elem);
        if (arc == nullptr) return false;
        out.m = {arc->centre.x, arc->centre.y};
        out.r = arc->radius;
        out.start = arc->startAngle;
        out.end = arc->endAngle;
        out.direction = arc->direction;
        return true;
    }
    return false;
}

// Line-line intersection candidates.
int CrossLines(unsigned mode, const Shape& l1, const Shape& l2, CxyData pts[2]) {
    const Vec2 d1 = Diff(l1.e, l1.s);
    const Vec2 d2 = Diff(l2.e, l2.s);
    const double det = Cross(d1, d2);
    if (std::fabs(det) > kCoincidenceTol) {
        const double t = Cross(Diff(l2.s, l1.s), d2) / det;
        pts[0] = {l1.s.x + t * d1.x, l1.s.y + t * d1.y};
        return 1;
    }
    if ((mode & kCrossOverlap) != 0 && std::fabs(Cross(d1, Diff(l2.s, l1.s))) <= kCoincidenceTol &&
        std::fabs(Cross(d1, Diff(l2.e, l1.s))) <= kCoincidenceTol) {
        pts[0] = l1.e;
        return 1;
    }
    return 0;
}

// Line-circle candidates: the one further along the line first.
int CrossLineCircle(const Shape& line, const Shape& arc, CxyData pts[2]) {
    const Vec2 d = Diff(line.e, line.s);
    const double len = std::hypot(d.x, d.y);  // above 1e-9: checked by the caller
    const Vec2 u{d.x / len, d.y / len};
    const Vec2 sm = Diff(arc.m, line.s);
    const double along = Dot(sm, u);
    const CxyData foot{line.s.x + along * u.x, line.s.y + along * u.y};
    const double dist = std::fabs(Cross(u, sm));
    if (std::fabs(dist - arc.r) <= kTouchTol) {
        pts[0] = foot;
        return 1;
    }
    if (dist - arc.r > kTouchTol) return 0;
    const double h = std::sqrt(std::fmax(0.0, arc.r * arc.r - dist * dist));
    pts[0] = {foot.x + h * u.x, foot.y + h * u.y};
    pts[1] = {foot.x - h * u.x, foot.y - h * u.y};
    return 2;
}

// Circle-circle candidates.
int CrossCircles(unsigned mode, const Shape& a1, const Shape& a2, CxyData pts[2]) {
    const Vec2 dm = Diff(a2.m, a1.m);
    const double d = std::hypot(dm.x, dm.y);
    int n = 0;
    if (d > kCoincidenceTol) {
        const Vec2 u{dm.x / d, dm.y / d};
        const double r1 = a1.r;
        const double r2 = a2.r;
        if (std::fabs(std::fabs(r1 - r2) - d) <= kTouchTol || std::fabs(r1 + r2 - d) <= kTouchTol) {
            pts[n++] = r1 >= r2 ? CxyData{a1.m.x + r1 * u.x, a1.m.y + r1 * u.y}
                                : CxyData{a2.m.x - r2 * u.x, a2.m.y - r2 * u.y};
        } else if (!(r1 + r2 - d <= -kTouchTol || std::fabs(r1 - r2) > d)) {
            const double a = (r1 * r1 - r2 * r2 + d * d) / (2.0 * d);
            const double h = std::sqrt(std::fmax(0.0, r1 * r1 - a * a));
            const CxyData base{a1.m.x + a * u.x, a1.m.y + a * u.y};
            pts[n++] = {base.x + h * u.y, base.y - h * u.x};
            if (h > 0.0) pts[n++] = {base.x - h * u.y, base.y + h * u.x};
        }
    }
    if (n == 0 && (mode & kCrossOverlap) != 0 && d <= kTouchTol &&
        std::fabs(a1.r - a2.r) <= kTouchTol) {
        const double at = a1.direction == 1 ? a1.start : a1.end;  // path end of arc 1
        pts[n++] = {a1.m.x + a1.r * CosDeg(at), a1.m.y + a1.r * SinDeg(at)};
    }
    return n;
}

bool OffShape(const Shape& sh, const CxyData& p) {
    if (sh.isLine) {
        const Vec2 ps = Diff(p, sh.s);
        const Vec2 pe = Diff(p, sh.e);
        return Dot(ps, pe) > 0.0 && Dot(ps, ps) > kCoincidenceTol && Dot(pe, pe) > kCoincidenceTol;
    }
    const double angle = Atan2Deg(p.y - sh.m.y, p.x - sh.m.x);
    return CCalculate::CheckDegree(sh.start, sh.end, angle, sh.r) == 1;
}

// Whether the two points should change places to come in path order along element 1.
bool SwapAlongFirst(const Shape& first, const CxyData pts[2], const uint32_t flags[2]) {
    if (((flags[0] ^ flags[1]) & kCrossOffFirst) != 0) return (flags[0] & kCrossOffFirst) != 0;
    if (first.isLine) {
        const Vec2 q0 = Diff(pts[0], first.s);
        const Vec2 q1 = Diff(pts[1], first.s);
        if (Dot(q0, q1) > 0.0) return Dot(q0, q0) > Dot(q1, q1);
        return Dot(q1, Diff(first.e, first.s)) > 0.0;
    }
    // Angles measured from the path start round in the direction of travel. Each is brought into
    // the turn that begins at the path start, whatever turn the stored angles are in (a start
    // angle below 0 comes from an arc across 0 degrees); travelling clockwise, a point exactly
    // at the start is reached first, so it counts a whole turn up.
    const double s = first.direction == 1 ? first.end : first.start;
    double a0 = ReduceFrom(Atan2Deg(pts[0].y - first.m.y, pts[0].x - first.m.x), s);
    double a1 = ReduceFrom(Atan2Deg(pts[1].y - first.m.y, pts[1].x - first.m.x), s);
    if (first.direction == 1) {
        if (a0 == s) a0 += 360.0;
        if (a1 == s) a1 += 360.0;
        return a0 <= a1;
    }
    return a0 > a1;
}

}  // namespace

int CCalculate::CalcCross2Element(unsigned mode, unsigned type1, const CDtbElement* elem1,
                                  unsigned type2, const CDtbElement* elem2,
                                  const CxyzData* refPoint, unsigned& count,
                                  std::array<CxyzData, 2>& points, std::array<uint32_t, 2>& flags) {
    count = 0;
    for (CxyzData& p : points) p.AssignXY({0.0, 0.0});
    flags = {kCrossNoPoint, kCrossNoPoint};

    Shape sh[2];
    if (!ReadShape(type1, elem1, sh[0]) || !ReadShape(type2, elem2, sh[1])) return 1;
    for (const Shape& s : sh) {
        if (s.isLine) {
            const Vec2 d = Diff(s.e, s.s);
            if (!(std::hypot(d.x, d.y) > kNoDirectionLength)) return 0;
        }
    }

    CxyData pts[2];
    int n = 0;
    if (sh[0].isLine && sh[1].isLine) {
        n = CrossLines(mode, sh[0], sh[1], pts);
    } else if (sh[0].isLine) {
        n = CrossLineCircle(sh[0], sh[1], pts);
    } else if (sh[1].isLine) {
        n = CrossLineCircle(sh[1], sh[0], pts);
    } else {
        n = CrossCircles(mode, sh[0], sh[1], pts);
    }

    uint32_t fl[2] = {0, 0};
    if ((mode & kCrossClassify) != 0) {
        for (int i = 0; i < n; ++i) {
            if (OffShape(sh[0], pts[i])) fl[i] |= kCrossOffFirst;
            if (OffShape(sh[1], pts[i])) fl[i] |= kCrossOffSecond;
        }
    }

    if (n == 2) {
        bool swap = false;
        bool along = (mode & kCrossAlongFirst) != 0;
        if ((mode & kCrossKeepBothOff) != 0 && fl[0] != 0 && fl[1] != 0) {
            along = false;
        } else if ((fl[0] != 0) != (fl[1] != 0)) {
            swap = fl[0] != 0;  // a point on both elements comes first
            along = false;
        } else if ((mode & kCrossNearestToRef) != 0 && refPoint != nullptr) {
            const Vec2 v0 = Diff(pts[0], *refPoint);
            const Vec2 v1 = Diff(pts[1], *refPoint);
            const double d0 = Dot(v0, v0);
            const double d1 = Dot(v1, v1);
            if (std::fabs(d0 - d1) <= kTouchTol) {
                along = true;
            } else {
                swap = d0 > d1;
                along = false;
            }
        }
        if (along) swap = SwapAlongFirst(sh[0], pts, fl);
        if (swap) {
            std::swap(pts[0], pts[1]);
            std::swap(fl[0], fl[1]);
        }
    }

    count = static_cast<unsigned>(n);
    for (int i = 0; i < 2; ++i) {
        if (i < n) {
            points[i].AssignXY(pts[i]);
            flags[i] = fl[i];
        }
    }
    return 0;
}

int CCalculate::CalcOnline(const CxyzData& a, const CxyzData& b, const CxyzData& p) {
    const double dx = SnapToZero(b.x - a.x);
    const double dy = SnapToZero(b.y - a.y);
    if (!(std::fabs(dx * dx + dy * dy) >= kLengthTol)) return 1;
    const Vec2 u{SnapToZero(p.x - a.x), SnapToZero(p.y - a.y)};
    const Vec2 v{SnapToZero(p.x - b.x), SnapToZero(p.y - b.y)};
    if (!(std::fabs(dx * u.y - dy * u.x) < kLengthTol)) return 1;
    return Dot(u, v) <= kCoincidenceTol ? 0 : 1;
}

int CCalculate::CalcCross2Line(const CxyzData& a1, const CxyzData& a2, const CxyzData& b1,
                               const CxyzData& b2, CxyzData& out) {
    const Vec2 da = Diff(a2, a1);
    const Vec2 db = Diff(b2, b1);
    const double det = Cross(da, db);
    if (!(std::fabs(det) > kParallelSegmentsTol)) {
        out.AssignXY({0.0, 0.0});
        return 2;
    }
    const double t = Cross(Diff(b1, a1), db) / det;
    const CxyzData p{a1.x + t * da.x, a1.y + t * da.y, 0.0};
    // The segments are tested before out is written: out may be one of the ends.
    const int off = CalcOnline(a1, a2, p) == 1 || CalcOnline(b1, b2, p) == 1 ? 1 : 0;
    out.AssignXY(p);
    return off;
}

int CCalculate::CalcPositionLength(const CxyzData& a, const CxyzData& b, const CxyzData& p,
                                   int& side) {
    if (std::fabs(a.x - b.x) < kLengthTol && std::fabs(a.y - b.y) < kLengthTol) return 1;
    const double c = (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x);
    if (std::fabs(c) < kLengthTol) {
        side = 0;
    } else {
        side = c > 0.0 ? -1 : 1;
    }
    return 0;
}

int CCalculate::CheckDegree(double start, double end, double angle, double radius) {
    if (!std::isfinite(start) || !std::isfinite(end) || !std::isfinite(angle)) return 1;
    const double t =
        radius > kSmallRadius ? std::asin(kLengthTol / radius) * kRadToDeg : kLengthTol;
    angle = ReduceTurns(angle);
    start = ReduceTurns(start);
    end = ReduceTurns(end);
    if (start >= end) end += 360.0;
    if (std::fabs(end - start) <= t || std::fabs(end - start - 360.0) <= t) return 0;
    if (std::fabs(angle - 360.0) <= t) angle = 0.0;
    if (start - t > angle) angle += 360.0;
    return angle > end + t ? 1 : 0;
}

int CCalculate::Check3Points(const CxyzData& p1, const CxyzData& p2, const CxyzData& p3) {
    const int pairs = (p1 == p2 ? 1 : 0) + (p2 == p3 ? 1 : 0) + (p3 == p1 ? 1 : 0);
    if (pairs == 1) return -2;
    if (pairs > 1) return -3;
    const double v[3] = {p2.x - p1.x, p2.y - p1.y, p2.z - p1.z};
    const double w[3] = {p3.x - p1.x, p3.y - p1.y, p3.z - p1.z};
    const double lv = std::hypot(v[0], v[1], v[2]);
    const double lw = std::hypot(w[0], w[1], w[2]);
    // Not a number never coincides with anything, so such points reach this test.
    if (!(lv > 0.0) || !(lw > 0.0) || !std::isfinite(lv) || !std::isfinite(lw)) return -4;
    bool same = true;
    bool opposite = true;
    for (int i = 0; i < 3; ++i) {
        const double a = v[i] / lv;
        const double b = w[i] / lw;
        if (!(std::fabs(a - b) < kCoincidenceTol)) same = false;
        if (!(std::fabs(a + b) < kCoincidenceTol)) opposite = false;
    }
    return same || opposite ? -1 : 0;
}

int CCalculate::OffsetElement2(unsigned type, CDtbElement* elem, double dist, unsigned side) {
    bool left = side != 0;
    if (dist < 0.0) {
        dist = -dist;
        left = !left;
    }
    if (type == kCalcTypeLine) {
        auto* line = DtbCast<CDtbLine>(elem);
        if (line == nullptr) return 1;
        const double dx = line->end.x - line->start.x;
        const double dy = line->end.y - line->start.y;
        const double len = std::hypot(dx, dy);
        if (!(len > kLengthTol)) return 1;
        const Vec2 n = left ? Vec2{-dy / len, dx / len} : Vec2{dy / len, -dx / len};
        line->start.x += dist * n.x;
        line->start.y += dist * n.y;
        line->end.x += dist * n.x;
        line->end.y += dist * n.y;
        return 0;
    }
    auto* arc = DtbCast<CDtbArc>(elem);
    if (arc == nullptr) return 1;
    // The centre lies to the left of counter-clockwise travel: offsetting to that side shrinks
    // the arc, to the other side grows it.
    const bool outside = left ? arc->direction == 1 : arc->direction == 0;
    if (outside) {
        arc->radius += dist;
        return 0;
    }
    const double r = arc->radius - dist;
    if (r > 0.0) {
        arc->radius = r;
        return 0;
    }
    // Through the centre: the arc comes out on the far side, turned by half a turn.
    const bool full = NormalizedSweep(arc->startAngle, arc->endAngle) == 360.0;
    arc->radius = std::fabs(r);
    arc->startAngle += 180.0;
    arc->endAngle += 180.0;
    if (arc->startAngle > 360.0) arc->startAngle -= 360.0;
    if (arc->endAngle > 360.0) arc->endAngle -= 360.0;
    // Reducing the two angles apart would close a full circle 0..360 to 180..180, which sweeps
    // nothing; it stays a full circle.
    if (full) arc->endAngle = arc->startAngle + 360.0;
    return 2;
}

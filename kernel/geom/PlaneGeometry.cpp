// Plane geometry helpers: rotation, side and sweep tests, intersections, three-point arcs.
#include "kernel/geom/PlaneGeometry.h"

#include <cmath>
#include <numbers>

#include "kernel/base/DegreeTrig.h"
#include "kernel/base/Tolerance.h"

namespace {

// Coincident line ends and "on the line" for the side test: on the unnormalised cross product.
constexpr double kSideTol = 1e-5;
// Slack in degrees at both ends of a sweep when intersection candidates are filtered; wider than
// the coincidence tolerance because the candidates carry the rounding of a square root.
constexpr double kCandidateSweepTol = 1e-4;

bool SameXY(const CxyData& a, const CxyData& b, double tol) {
    return std::fabs(a.x - b.x) < tol && std::fabs(a.y - b.y) < tol;
}

bool IsFullSweep(double start, double end) {
    const double sweep = end - start;
    return std::fabs(sweep) < kCoincidenceTol || IsWholeTurn(sweep);
}

// Adds one turn to a negative angle, as the intersections do with the angles they are given.
double OneTurnUp(double a) {
    return a < 0.0 ? a + 360.0 : a;
}

// Whether angle lies in the counter-clockwise sweep start..end widened by tol at both ends. The
// angle is brought into [start - tol, start - tol + 360) whatever turn it is given in, so a
// negative start (an arc across 0 degrees) is handled as well as a start in [0, 360).
bool InSweep(double start, double end, double angle, double tol) {
    if (!std::isfinite(start) || !std::isfinite(end) || !std::isfinite(angle)) return false;
    if (IsFullSweep(start, end)) return true;
    const double s = start - tol;
    double e = end + tol;
    if (s >= e) e += 360.0;
    angle -= 360.0 * std::floor((angle - s) / 360.0);
    if (angle < s) angle += 360.0;  // rounding of the reduction
    if (angle >= s + 360.0) angle -= 360.0;
    return angle <= e;
}

CxyData PointAt(const CxyData& centre, double radius, double angle) {
    return {centre.x + radius * CosDeg(angle), centre.y + radius * SinDeg(angle)};
}

void SetBoth(CxyData& p1, CxyData& p2, const CxyData& v) {
    p1.AssignXY(v);
    p2.AssignXY(v);
}

}  // namespace

int RotatePoint2D(const CxyData& centre, const CxyData& p, CxyData& out, double angle) {
    const double s = SinDeg(angle);
    const double c = CosDeg(angle);
    const double dx = p.x - centre.x;
    const double dy = p.y - centre.y;
    out.AssignXY({centre.x + dx * c - dy * s, centre.y + dx * s + dy * c});
    return 0;
}

int CheckPointSide(const CxyData& a, const CxyData& b, const CxyData& p, int& side) {
    if (SameXY(a, b, kSideTol)) return 1;
    const double cross = (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x);
    if (std::fabs(cross) < kSideTol) {
        side = 0;
    } else {
        side = cross > 0.0 ? -1 : 1;
    }
    return 0;
}

int CalcPerpendicularFoot(const CxyData& a, const CxyData& b, const CxyData& p, CxyData& foot,
                          double* dist) {
    if (dist != nullptr) *dist = 0.0;
    const double ax = b.x - a.x;
    const double by = b.y - a.y;
    const double c = ax * ax + by * by;
    if (!(std::fabs(c) > kCoincidenceTol)) return -1;  // also a NaN length
    const double d = ((p.x - a.x) * by - (p.y - a.y) * ax) / c;
    if (dist != nullptr) *dist = std::sqrt(c) * std::fabs(d);
    const CxyData f{p.x - by * d, p.y + ax * d};
    const double sign = (f.x - a.x) * (f.x - b.x) + (f.y - a.y) * (f.y - b.y);
    foot.AssignXY(f);
    return sign <= kCoincidenceTol ? 0 : 1;
}

int IsAngleInSweep(double start, double end, double angle) {
    return InSweep(start, end, angle, kCoincidenceTol) ? 0 : 1;
}

int FilterArcIntersections(const CxyData& c1, const CxyData& c2, SweepAngles angles1,
                           SweepAngles angles2, CxyData& p1, CxyData& p2, int& count, int mode) {
    const double a1 = Atan2Deg(p1.y - c1.y, p1.x - c1.x);
    const double a2 = Atan2Deg(p2.y - c1.y, p2.x - c1.x);
    const double b1 = Atan2Deg(p1.y - c2.y, p1.x - c2.x);
    const double b2 = Atan2Deg(p2.y - c2.y, p2.x - c2.x);

    // A full circle is recognised on the angles as given as well: start..start + 360 with a
    // negative start no longer spans 360 once a turn is added to the start alone.
    const auto inArc = [](SweepAngles given, double angle) {
        if (IsFullSweep(given.start, given.end)) return true;
        return InSweep(OneTurnUp(given.start), OneTurnUp(given.end), angle, kCandidateSweepTol);
    };
    const bool in1 = inArc(angles1, a1) && inArc(angles2, b1);
    const bool in2 = inArc(angles1, a2) && inArc(angles2, b2);

    count = 0;
    if (mode == 0) {
        if (in1) {
            count = 1;
            p2.AssignXY(p1);
        }
    } else if (mode == 1) {
        if (in1 && in2) {
            count = 2;
        } else if (in1) {
            count = 1;
            p2.AssignXY(p1);
        } else if (in2) {
            count = 1;
            p1.AssignXY(p2);
        }
    }
    if (count == 0) SetBoth(p1, p2, {0.0, 0.0});
    return 0;
}

int ArcArcIntersect(const CxyData& centre1, const CxyData& centre2, double r1, double r2,
                    SweepAngles angles1, SweepAngles angles2, CxyData& p1, CxyData& p2,
                    int& count) {
    const CxyData c1{centre1.x, centre1.y};  // copies: the outputs may alias the centres
    const CxyData c2{centre2.x, centre2.y};
    count = 0;
    SetBoth(p1, p2, {0.0, 0.0});
    const double s1 = OneTurnUp(angles1.start);
    const double e1 = OneTurnUp(angles1.end);
    const double s2 = OneTurnUp(angles2.start);
    const double e2 = OneTurnUp(angles2.end);
    const bool concentric = SameXY(c1, c2, kCoincidenceTol);

    if (std::fabs(r1 - r2) < kCoincidenceTol && std::fabs(s1 - s2) < kCoincidenceTol &&
        std::fabs(e1 - e2) < kCoincidenceTol && concentric) {
        return 1;
    }
    if (!(r1 > 0.0) || !(r2 > 0.0)) return 1;  // also a NaN radius

    if (concentric) {
        if (std::fabs(r1 - r2) >= kCoincidenceTol) return 0;
        // Two arcs of one circle: they meet where an end of one lies on an end of the other,
        // measured as an arc length.
        const auto endsMeet = [r1](double d) {
            if (std::fabs(d) < kCoincidenceTol || std::fabs(std::fabs(d) - 360.0) < kCoincidenceTol)
                d = 0.0;
            return std::fabs(2.0 * std::numbers::pi * r1 * d / 360.0) < kCoincidenceTol;
        };
        if (endsMeet(s1 - e2)) {
            count = 1;
            SetBoth(p1, p2, PointAt(c1, r1, s1));
        }
        if (endsMeet(e1 - s2)) {
            const CxyData q = PointAt(c1, r1, e1);
            if (count == 1) {
                p2.AssignXY(q);
                count = 2;
            } else {
                SetBoth(p1, p2, q);
                count = 1;
            }
        }
        return 0;
    }

    const double dx = c2.x - c1.x;
    const double dy = c2.y - c1.y;
    const double d = std::sqrt(dx * dx + dy * dy);  // at least 1e-6: not concentric
    const double g = std::fabs(r1 - r2);
    const double u = r1 + r2 - d;

    if (std::fabs(g - d) < kCoincidenceTol || std::fabs(u) < kCoincidenceTol) {
        const CxyData touch = r1 >= r2 ? CxyData{c1.x + dx * r1 / d, c1.y + dy * r1 / d}
                                       : CxyData{c2.x - dx * r2 / d, c2.y - dy * r2 / d};
        SetBoth(p1, p2, touch);
        return FilterArcIntersections(c1, c2, angles1, angles2, p1, p2, count, 0);
    }
    if (u < 0.0 || d < g) return 0;

    const double d2 = d * d;
    const double k = (r1 * r1 - r2 * r2 + d2) / 2.0;
    // Just outside the tangency bound the radicand can round below 0; the circles touch there.
    const double h = std::sqrt(std::fmax(0.0, r1 * r1 * d2 - k * k));
    p1.AssignXY({c1.x + (k * dx + h * dy) / d2, c1.y + (k * dy - h * dx) / d2});
    p2.AssignXY({c1.x + (k * dx - h * dy) / d2, c1.y + (k * dy + h * dx) / d2});
    return FilterArcIntersections(c1, c2, angles1, angles2, p1, p2, count, 1);
}

int LineArcIntersect(const CxyData& from, const CxyData& to, const CxyData& centre, double radius,
                     SweepAngles angles, CxyData& p1, CxyData& p2, int& count) {
    const CxyData a{from.x, from.y};  // copies: the outputs may alias the inputs
    const CxyData b{to.x, to.y};
    const double cx = centre.x;
    const double cy = centre.y;
    count = 0;
    SetBoth(p1, p2, {0.0, 0.0});
    const double start = OneTurnUp(angles.start);
    const double end = OneTurnUp(angles.end);
    if (!(radius > 0.0)) return 1;
    if (SameXY(a, b, kCoincidenceTol)) return 0;

    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double m = dx * dx + dy * dy;  // at least 1e-12: the ends differ
    const double t = (dx * (a.y - cy) - dy * (a.x - cx)) / m;
    const double v = std::sqrt(m) * std::fabs(t) - radius;

    CxyData cand[2];
    int n = 0;
    if (std::fabs(v) < kCoincidenceTol) {
        cand[n++] = {cx - dy * t, cy + dx * t};
    } else if (v > 0.0) {
        return 0;
    } else {
        const double bb = (b.x - cx) * (a.y - cy) - (a.x - cx) * (b.y - cy);
        const double h = std::sqrt(std::fabs(radius * radius * m - bb * bb));
        cand[n++] = {cx + (-bb * dy + h * dx) / m, cy + (bb * dx + h * dy) / m};
        cand[n++] = {cx + (-bb * dy - h * dx) / m, cy + (bb * dx - h * dy) / m};
    }

    CxyData kept[2];
    for (int i = 0; i < n; ++i) {
        const CxyData& q = cand[i];
        const double qx = q.x - cx;
        const double qy = q.y - cy;
        if (std::sqrt(qx * qx + qy * qy) >= kCoincidenceTol &&
            IsAngleInSweep(start, end, Atan2Deg(qy, qx)) == 1) {
            continue;
        }
        const double along = (q.x - a.x) * (q.x - b.x) + (q.y - a.y) * (q.y - b.y);
        const double toA = (q.x - a.x) * (q.x - a.x) + (q.y - a.y) * (q.y - a.y);
        const double toB = (q.x - b.x) * (q.x - b.x) + (q.y - b.y) * (q.y - b.y);
        if (along > 0.0 && !(toA < kCoincidenceTol || toB < kCoincidenceTol)) continue;
        kept[count++] = q;
    }
    if (count == 2) {
        p1.AssignXY(kept[0]);
        p2.AssignXY(kept[1]);
    } else if (count == 1) {
        SetBoth(p1, p2, kept[0]);
    }
    return 0;
}

int ArcFrom3Points(const CxyData& start, const CxyData& mid, const CxyData& end, CxyData& centre,
                   double& radius, SweepAngles& angles) {
    const double bx = mid.x - start.x;
    const double by = mid.y - start.y;
    const double ex = end.x - start.x;
    const double ey = end.y - start.y;
    const double cross = ex * by - ey * bx;
    if (!(std::fabs(cross) >= kCoincidenceTol)) return 1;  // collinear (or not a number)

    // Intersection of the perpendicular bisectors, relative to start.
    const double bb = bx * bx + by * by;
    const double ee = ex * ex + ey * ey;
    const double den = 2.0 * (bx * ey - by * ex);
    const double ux = (ey * bb - by * ee) / den;
    const double uy = (bx * ee - ex * bb) / den;
    const CxyData c{start.x + ux, start.y + uy};

    const double sigma = Atan2Deg(start.y - c.y, start.x - c.x);
    const double epsilon = Atan2Deg(end.y - c.y, end.x - c.x);
    const double turn = (mid.x - start.x) * (end.y - mid.y) - (mid.y - start.y) * (end.x - mid.x);
    centre.AssignXY(c);
    radius = std::hypot(ux, uy);
    angles = turn > 0.0 ? SweepAngles{sigma, epsilon} : SweepAngles{epsilon, sigma};
    return 0;
}

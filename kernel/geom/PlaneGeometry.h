// Plane geometry helpers: rotation, side and sweep tests, arc and line intersections, and the
// arc through three points, all in the x/y plane and in degrees.
#pragma once

#include "kernel/base/CxyData.h"

// The angles of an arc: its sweep runs counter-clockwise from start to end, in degrees.
struct SweepAngles {
    double start = 0.0;
    double end = 0.0;
};

// Points are CxyData (a CxyzData passes as well): only x and y are read or written, z is never
// touched. Output points may alias input points. No function keeps anything between calls.

// out = p turned about centre by angle degrees (positive: counter-clockwise). Always 0.
int RotatePoint2D(const CxyData& centre, const CxyData& p, CxyData& out, double angle);

// Side of p against the directed line a->b: side = -1 left, +1 right, 0 on the line (the
// unnormalised cross product below 1e-5). Result 1 when a and b coincide within 1e-5 (side
// untouched), else 0.
[[nodiscard]] int CheckPointSide(const CxyData& a, const CxyData& b, const CxyData& p, int& side);

// Foot of the perpendicular from p to the infinite line through a and b, and (when dist is not
// null) its distance from the line; *dist is set to 0 first. Result -1 when the line has no
// length (squared length at most 1e-6; foot untouched), 0 when the foot lies on the segment
// (ends included), 1 when it lies outside.
[[nodiscard]] int CalcPerpendicularFoot(const CxyData& a, const CxyData& b, const CxyData& p,
                                        CxyData& foot, double* dist);

// 0 when angle lies inside the counter-clockwise sweep start..end (1e-6 degrees of slack at both
// ends), 1 outside. A sweep of 0 or 360 is a full circle and holds every angle. The angle is
// taken modulo 360, and start may be negative, as NormalizeArcSweep leaves an arc that crosses
// 0 degrees: the sweep -10..10 holds 355 and 5 but not 180. A non-finite input is outside.
[[nodiscard]] int IsAngleInSweep(double start, double end, double angle);

// Intersections of two arcs (centre, radius, sweep). count (0, 1 or 2) points are written to
// p1 and p2; with one point p1 = p2. Two points come from two crossing circles: seen from c1
// towards c2, p1 lies on the right. Two arcs of one circle meet only where an end of one lies on
// an end of the other. Result 1 (count 0) when the two arcs are the same arc or a radius is not
// positive, else 0. With count 0 both points are (0, 0).
[[nodiscard]] int ArcArcIntersect(const CxyData& c1, const CxyData& c2, double r1, double r2,
                                  SweepAngles angles1, SweepAngles angles2, CxyData& p1,
                                  CxyData& p2, int& count);

// Keeps the candidate points p1, p2 that lie on both arcs (1e-4 degrees of slack). mode 0: one
// candidate in p1 (= p2); mode 1: two candidates. count receives the number kept, the kept
// points come first (p2 = p1 when one is kept), and with none both become (0, 0). Any other
// mode keeps nothing. Always 0.
int FilterArcIntersections(const CxyData& c1, const CxyData& c2, SweepAngles angles1,
                           SweepAngles angles2, CxyData& p1, CxyData& p2, int& count, int mode);

// Intersections of the segment a-b with an arc. count (0, 1 or 2) points are written; with two,
// p1 is the one further along a->b; with one, p1 = p2; with none both are (0, 0). A segment
// without length meets nothing. Result 1 (count 0) when the radius is not positive, else 0.
[[nodiscard]] int LineArcIntersect(const CxyData& a, const CxyData& b, const CxyData& centre,
                                   double radius, SweepAngles angles, CxyData& p1, CxyData& p2,
                                   int& count);

// The arc through start, mid and end: centre, radius and the counter-clockwise sweep that passes
// through mid (each angle in [0, 360); when the points turn clockwise the sweep runs from end's
// angle to start's). Result 1 when the points are collinear (nothing written), else 0.
[[nodiscard]] int ArcFrom3Points(const CxyData& start, const CxyData& mid, const CxyData& end,
                                 CxyData& centre, double& radius, SweepAngles& angles);

// HeadPlane: a plane in space given by an origin and a frame, mapping local (u, v) offsets to
// world points; the plane of a laser shape or of a circle through three points.
#pragma once

#include "kernel/base/CxyzData.h"
#include "kernel/geom/CVectoMatrix.h"

// A head angle as a frame is built from it: one that no block gave (the absent marker) counts
// as 0; the marker itself would tilt the frame by some 80 degrees.
double FrameHeadAngle(double modal);

struct HeadPlane {
    CxyzData origin;
    // Column 0 the local u axis, column 1 the v axis, column 2 the plane normal (unit vectors).
    Mat3 frame{{{1.0, 0.0, 0.0}, {0.0, 1.0, 0.0}, {0.0, 0.0, 1.0}}};

    // origin + frame * (u, v, 0).
    CxyzData ToWorld(double u, double v) const;
    // The point at angle degrees on the circle of radius r about the local point (cu, cv).
    CxyzData OnCircle(double cu, double cv, double r, double angle) const;
    // Direction of the world point p seen from the origin, in the plane, degrees in [0, 360),
    // counted from the u axis towards the v axis (0 for the origin itself).
    double AngleOf(const CxyzData& p) const;
};

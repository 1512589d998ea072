// CDtbLine: a straight element of the tool path, with its geometry in drawing units.
#pragma once

#include "kernel/base/CxyData.h"
#include "kernel/base/CxyzData.h"
#include "kernel/db/CDtbElement.h"
#include "kernel/db/CDtbInfo.h"

class CDtbLine : public CDtbElement {
public:
    static constexpr int kType = kDtbTypeLine;

    CDtbLine() : CDtbElement(kType) {}
    CDtbLine(const CxyzData& s, const CxyzData& e, float angleA = 0.0f, float angleC = 0.0f)
        : CDtbElement(kType), start(s), end(e), headAngleA(angleA), headAngleC(angleC) {}
    CDtbLine(const CxyzData& s, const CxyzData& e, const CDtbInfo& i, float angleA = 0.0f,
             float angleC = 0.0f)
        : CDtbElement(kType), start(s), end(e), info(i), headAngleA(angleA), headAngleC(angleC) {}
    // A copy of everything but the links (it starts unlinked).
    explicit CDtbLine(const CDtbLine* source) : CDtbLine(*source) {}
    CDtbLine(const CDtbLine& source) = default;
    // Takes type, text, geometry, info, noDisplay and options; keeps own links, attribute texts
    // and head angles.
    CDtbLine& operator=(const CDtbLine& source);

    // Moves both ends by v (x, y and z).
    CDtbLine& operator+=(const CxyzData& v);

    // Midpoint of the ends in x and y; 1.
    int GetCenterPoint(CxyData& out) const;
    // Length in the plane.
    double GetElementLength() const;
    // Length in space.
    double GetElementLength3D() const;
    // Direction from start to end in [0, 360).
    double GetLineAngle() const;
    // Swaps start and end.
    void Inverse();
    // Foot of the perpendicular from p on the infinite line, written to foot, and (when dist is
    // not null) the distance of p from the line. 0 when the foot lies on the segment (ends
    // included), 1 when outside, -1 (foot untouched, *dist 0) for a line shorter than 0.001.
    int CalcPerpendicular(const CxyData* p, CxyData* foot, double* dist) const;
    // The point of the segment nearest to p and its distance (dist must not be null); the end
    // point is taken when the foot lies outside (the end on a tie). Always 0.
    int NearestPoint(const CxyData* p, CxyData* nearest, double* dist) const;
    // Lengthens the line at its start (which 0) or end (which 1) by length (shortens for a
    // negative length) along its direction; z stays. 0 and no change for another which or
    // |length| < 0.001; else 1.
    int Stretch(int which, double length);
    // Widens the caller's box by both ends; 1.
    int MinMax(CxyData* min, CxyData* max) const;
    int MinMax(CxyzData* min, CxyzData* max) const;

    CxyzData start;
    CxyzData end;
    CDtbInfo info;
    float headAngleA = 0.0f;  // laser head tilt A at this element, degrees
    float headAngleC = 0.0f;  // laser head rotation C, degrees
};

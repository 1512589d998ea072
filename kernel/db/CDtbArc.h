// CDtbArc: a circular arc element; its geometry always runs counter-clockwise from start to end.
#pragma once

#include "kernel/base/CxyData.h"
#include "kernel/base/CxyzData.h"
#include "kernel/db/CDtbElement.h"
#include "kernel/db/CDtbInfo.h"

// The geometric arc runs counter-clockwise from startAngle to endAngle (degrees), whatever the
// direction of travel; direction 1 means the path runs clockwise, from endAngle back to
// startAngle. The constructors keep the angles as given (NormalizeArcSweep brings them into
// canonical form); a full circle is 0 to 360. centre.z is the height of the whole arc.
class CDtbArc : public CDtbElement {
public:
    static constexpr int kType = kDtbTypeArc;

    CDtbArc() : CDtbElement(kType) {}
    CDtbArc(const CxyzData& c, double r, double start, double end, int dir, float angleA = 0.0f,
            float angleC = 0.0f)
        : CDtbElement(kType),
          direction(dir),
          centre(c),
          radius(r),
          startAngle(start),
          endAngle(end),
          headAngleA(angleA),
          headAngleC(angleC) {}
    CDtbArc(const CxyzData& c, double r, double start, double end, int dir, const CDtbInfo& i,
            float angleA = 0.0f, float angleC = 0.0f)
        : CDtbElement(kType),
          direction(dir),
          centre(c),
          radius(r),
          startAngle(start),
          endAngle(end),
          info(i),
          headAngleA(angleA),
          headAngleC(angleC) {}
    // A copy of everything but the links (it starts unlinked).
    explicit CDtbArc(const CDtbArc* source) : CDtbArc(*source) {}
    CDtbArc(const CDtbArc& source) = default;
    // Takes type, text, geometry, info, noDisplay and options; keeps own links, attribute texts
    // and head angles.
    CDtbArc& operator=(const CDtbArc& source);

    // Moves the centre by v (x, y and z).
    CDtbArc& operator+=(const CxyzData& v);

    // The point of the circle at angle (degrees); out.z = centre.z in the 3-D form. 1.
    int GetAnglePosition(double angle, CxyData& out) const;
    int GetAnglePosition(double angle, CxyzData& out) const;
    // Path start and end, by direction of travel. 1.
    int GetStartPoint(CxyData& out) const;
    int GetStartPoint(CxyzData& out) const;
    int GetEndPoint(CxyData& out) const;
    int GetEndPoint(CxyzData& out) const;
    // Direction of travel at the path start and end, degrees (not reduced to [0, 360)).
    double GetStartTangentAngle() const;
    double GetEndTangentAngle() const;
    // Counter-clockwise sweep from startAngle to endAngle in [0, 360] (see NormalizedSweep): an
    // arc stored as 350..10 sweeps 20 degrees.
    double GetSweep() const;
    // Arc length on that sweep.
    double GetElementLength() const;
    // Reverses the direction of travel; the angles stay.
    void Inverse();
    // Lengthens the path at its start (which 0) or end (which 1) by an arc length (shortens for
    // a negative one). 0 and no change for another which, |length| < 0.001, or a radius too
    // small against the length; else 1.
    int Stretch(int which, double length);
    // Widens the caller's box to the tight box of the arc (ends and the quadrant points inside
    // the sweep); the 3-D form widens z by centre.z. 1.
    int MinMax(CxyData* min, CxyData* max) const;
    int MinMax(CxyzData* min, CxyzData* max) const;

    // First: it fills the room the element's 4-byte fields leave before the doubles.
    int direction = 0;  // 0 counter-clockwise travel, 1 clockwise
    CxyzData centre;
    double radius = 0.0;
    double startAngle = 0.0;
    double endAngle = 360.0;
    CDtbInfo info;
    float headAngleA = 0.0f;
    float headAngleC = 0.0f;
};

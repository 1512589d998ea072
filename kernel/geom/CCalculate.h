// CCalculate: stateless calculator over points and line and arc elements (intersections,
// on-segment and side tests, sweep test, three-point test, offsets).
#pragma once

#include <array>
#include <cstdint>

#include "kernel/base/CxyzData.h"

class CDtbElement;

// Mode bits of CCalculate::CalcCross2Element.
inline constexpr unsigned kCrossNearestToRef = 1;  // two points: the nearer to refPoint first
inline constexpr unsigned kCrossClassify = 2;      // set the flag words
inline constexpr unsigned kCrossAlongFirst = 4;    // two points: in path order along element 1
inline constexpr unsigned kCrossOverlap = 8;  // parallel lines on one line, or one circle: a point
inline constexpr unsigned kCrossKeepBothOff = 16;  // two points both off an element: no reorder

// Flag words of CCalculate::CalcCross2Element, one per point.
inline constexpr uint32_t kCrossOffFirst = 1;   // beyond the ends of element 1 / outside its sweep
inline constexpr uint32_t kCrossOffSecond = 2;  // the same for element 2
inline constexpr uint32_t kCrossNoPoint = 0xffff;  // the point does not exist

// Element type codes taken by the calculator.
inline constexpr unsigned kCalcTypeLine = 1;
inline constexpr unsigned kCalcTypeArc = 2;

// All operations work in the x/y plane (z is neither read nor written) unless a 3-D form is
// said; angles are degrees. Every operation is static; "CCalculate().X(...)" works as well.
class CCalculate {
public:
    // Intersections of two elements, each a line (type 1, CDtbLine) or an arc (type 2, CDtbArc,
    // taken as its full circle). count receives 0, 1 or 2; points[i] (x and y) for i < count;
    // flags[i] with kCrossOff* bits when mode has kCrossClassify (else 0), and kCrossNoPoint for
    // every i >= count. The other mode bits order two points (see the constants). refPoint is
    // read only for kCrossNearestToRef and may be null otherwise (null skips that ordering).
    // Result 1 (count 0) when a type code is neither 1 nor 2 or does not name the element's
    // class, else 0. A line of length up to 1e-9 meets nothing.
    static int CalcCross2Element(unsigned mode, unsigned type1, const CDtbElement* elem1,
                                 unsigned type2, const CDtbElement* elem2, const CxyzData* refPoint,
                                 unsigned& count, std::array<CxyzData, 2>& points,
                                 std::array<uint32_t, 2>& flags);

    // Intersection of the lines through a1-a2 and b1-b2, written to out (x, y). 0 when it lies
    // on both segments, 1 when off at least one of them, 2 when the lines are parallel (the
    // determinant at most 1e-4; out (0, 0)).
    static int CalcCross2Line(const CxyzData& a1, const CxyzData& a2, const CxyzData& b1,
                              const CxyzData& b2, CxyzData& out);

    // 0 when p lies on the segment a-b (0.001 off the line at most, ends included), 1 when not
    // or when the segment has no length.
    static int CalcOnline(const CxyzData& a, const CxyzData& b, const CxyzData& p);

    // Side of p against the directed line a->b: side -1 left, +1 right, 0 on the line (cross
    // product below 0.001). Result 1 when a and b coincide within 0.001 (side untouched), else 0.
    static int CalcPositionLength(const CxyzData& a, const CxyzData& b, const CxyzData& p,
                                  int& side);

    // 0 when angle lies inside the counter-clockwise sweep start..end, 1 outside. The tolerance is
    // the angle that moves a point of the circle by 0.001 (0.001 degrees for radius <= 0.01).
    // Angles are taken modulo 360; a sweep of 0 or 360 within the tolerance holds every angle.
    static int CheckDegree(double start, double end, double angle, double radius);

    // Whether three points in space span a plane: 0 yes; -1 collinear; -2 one pair coincides
    // (within 1e-6 in x, y and z); -3 more than one pair coincides; -4 a vector without length
    // or not finite.
    static int Check3Points(const CxyzData& p1, const CxyzData& p2, const CxyzData& p3);

    // Offsets a line or arc element by dist in place, to the left of its path direction for
    // side != 0, to the right for 0 (a negative dist offsets to the other side). Only geometry
    // changes: links, texts, drawing attributes and head angles stay. 0 done; 1 a line of length
    // up to 0.001, or an element that is not a line or arc of the given type (unchanged); 2 an
    // arc whose radius passed through zero (radius made positive, the arc turned by 180).
    static int OffsetElement2(unsigned type, CDtbElement* elem, double dist, unsigned side);
};

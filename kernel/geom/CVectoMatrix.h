// CVectoMatrix: stateless 3-D vector and matrix helper for laser heads with A and C axes.
#pragma once

#include <array>

using Vec3 = std::array<double, 3>;
// Three rows of three; "column j" means m[0][j], m[1][j], m[2][j].
using Mat3 = std::array<Vec3, 3>;

// Head axis angles in degrees: C turns about the vertical axis, A tilts the head.
struct HeadAngles {
    double c = 0.0;
    double a = 0.0;
};

// The record of CVectoMatrix::CornerFillet, zeroed by the caller. Fields marked "in" are read,
// "out" written; corner and p2 are overwritten.
struct CornerFilletData {
    Vec3 p0{};            // in: the point before the corner; unchanged
    Vec3 corner{};        // in: the corner; out: the first tangent point T1
    Vec3 p2{};            // in: the point after the corner; out: the midpoint M of the fillet arc
    Vec3 t2{};            // out: the second tangent point T2
    double radius = 0.0;  // in: the fillet radius
    Vec3 centre{};        // out: the centre of the fillet arc
    Vec3 inDir{};         // out: unit vector from p0 towards the corner
    Vec3 midDir{};        // out: unit vector from p0 towards the midpoint of p0 and the point of
                          //      the second leg at the first leg's length from the corner
    Vec3 outDir{};        // out: unit vector from the corner towards p2
    double firstLegRest = 0.0;  // out: length of the first leg minus the tangent length
    Mat3 frame{};  // out: column 0 unit vector centre->T1, column 1 the in-plane axis at right
                   //      angles to it, column 2 the centre
    std::array<double, 2> halfSweep{};  // out: both half the sweep of the fillet arc, degrees
};

// Every operation is static and stateless; "CVectoMatrix().X(...)" and "CVectoMatrix::X(...)"
// are the same call. Results are statuses: 0 success, a small non-zero code otherwise (they fit
// in 16 bits). Outputs are written only as each operation says. Angles are degrees.
class CVectoMatrix {
public:
    // The tool axis as a unit vector: column 2 of HeadRotationMatrix. inclined45 non-zero selects
    // the head whose A axis is inclined at 45 degrees. Uses SinDeg/CosDeg. Always 0.
    static int ToolDirection(int inclined45, HeadAngles angles, Vec3& out);
    // The same, with the head's own degree-to-radian constant (3.14159265 / 180). Always 0.
    static int ToolVector(int inclined45, HeadAngles angles, Vec3& out);
    // The head's rotation matrix: Rz(C)*Rx(-A) for the plain head, Rz(C) after a turn by A about
    // (1, 0, 1)/sqrt(2) for the inclined head. Always 0.
    static int HeadRotationMatrix(int inclined45, HeadAngles angles, Mat3& m);
    // Frame of a shape cut with the head: column 2 the tool axis, column 1 (axis x ref)
    // normalised, column 0 the part of ref at right angles to the axis, normalised. 1 (frame
    // untouched) when ref is shorter than 1e-6 in every coordinate or parallel to the axis.
    static int AxisFrame(int inclined45, HeadAngles angles, const Vec3& ref, Mat3& frame);

    // Unit vector from a to b and their distance. 1 when a and b coincide within 1e-6 in every
    // coordinate (unit and length 0).
    static int UnitVector(const Vec3& a, const Vec3& b, Vec3& unit, double& length);
    // The same with 5e-4: 2 when a and b coincide within 5e-4 in every coordinate.
    static int UnitVectorTol(const Vec3& a, const Vec3& b, Vec3& unit, double& length);
    // out = u x v. 1 when u or v is below 1e-9 in every coordinate (out zero), or when the
    // product is (out written).
    static int CrossProduct(const Vec3& u, const Vec3& v, Vec3& out);
    // out = u x v. 2 when u or v is exactly zero (out zero); 3 when the product is exactly zero.
    static int CrossProductChecked(const Vec3& u, const Vec3& v, Vec3& out);
    // out = u . v. 2 when u or v is exactly zero (out 0).
    static int DotProduct(const Vec3& u, const Vec3& v, double& out);
    // Angle between u and v in [0, 180]. 2 when u or v is exactly zero or not finite (angle 0).
    static int AngleBetween(const Vec3& u, const Vec3& v, double& angle);
    // Angle from u to v in [0, 360), counted positive about ref: when u x v points against ref
    // the angle is 360 minus the unsigned one. 2 from AngleBetween or DotProduct (zero vectors),
    // 3 when u and v are opposite (no turning sense). angle is written by the first step.
    static int SignedAngle(const Vec3& u, const Vec3& v, const Vec3& ref, double& angle);
    // Centre of the circle through three points in space. 2 when p2 or p3 equals p1; 3 when the
    // points are collinear (also when only rounding keeps them off one line: the centre would
    // lie out of all proportion). The centre is written only on success.
    static int CircleCenter3P(const Vec3& p1, const Vec3& p2, const Vec3& p3, Vec3& centre);
    // Frame of the circle through a, b and c about centre: column 0 unit centre->a, column 2 the
    // unit normal (b - a) x (c - a), column 1 their cross product. 1 when a step fails (frame
    // untouched).
    static int MakeFrame3P(const Vec3& a, const Vec3& b, const Vec3& c, const Vec3& centre,
                           Mat3& frame);
    // Rounds the corner p0 -> corner -> p2 with an arc of the record's radius (see
    // CornerFilletData). 2: a leg without length, legs folded back on each other, or a radius not
    // above 0; 3: straight legs (no corner); -3: a leg shorter than the tangent length plus
    // 0.001 (only centre and firstLegRest written); 1: no frame could be made.
    static int CornerFillet(CornerFilletData& record);
    // The corner point moved sideways by the tool radius, at right angles to the tool axis and to
    // the bisector u1 + u2, the distance stretched by 1 / cos(half the angle between u1 and u2)
    // up to 1.5 times. kind 7 offsets to the other side; kind 4, distance 5 and distance 0 make
    // no offset. 2 when no direction can be formed (out = corner).
    static int OffsetCorner(int inclined45, const Vec3& corner, HeadAngles angles, int kind,
                            int distance, const Vec3& u1, const Vec3& u2, Vec3& out);
};

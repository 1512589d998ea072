// The reader's small point, matrix and quaternion functions (degrees unless stated).
#pragma once

#include <array>

// Turns (x, y) about (cx, cy) counter-clockwise by angle degrees. Returns 1.
int RotatePoint(double* x, double* y, double cx, double cy, double angle);
// Replaces (x, y, z) by m * (x, y, z), m given row by row. Returns the new x.
double MultiplyMatrix3Point(double* x, double* y, double* z, const double m[9]);

// A quaternion: w, x, y, z.
using NcQuaternion = std::array<double, 4>;

// n = (p3 - p2) x (p1 - p2) divided by its length; when the length is exactly 0, n is left
// unchanged and the result is 0, else 1.
int PlaneNormal(const double p1[3], const double p2[3], const double p3[3], double n[3]);
// (0, x, y, z).
NcQuaternion VectorQuaternion(double x, double y, double z);
// The rotation by angle (radians) about the axis; the zero quaternion for a zero axis.
NcQuaternion MakeQuaternion(double angle, double x, double y, double z);
// The Hamilton product a * b.
NcQuaternion MulQuaternion(const NcQuaternion& a, const NcQuaternion& b);
// out = p turned about the axis through the origin by angle degrees (clockwise seen from the
// axis tip); an angle of exactly 0 leaves out unchanged. Returns 0.
int RotatePointAboutAxis(const double p[3], double out[3], double angle, const double axis[3]);

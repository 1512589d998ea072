// The reader's point, matrix and quaternion functions.
#include "nc/read/NcPointMath.h"

#include <cmath>

#include "kernel/base/DegreeTrig.h"

int RotatePoint(double* x, double* y, double cx, double cy, double angle) {
    const double c = CosDeg(angle);
    const double s = SinDeg(angle);
    const double dx = *x - cx;
    const double dy = *y - cy;
    *x = dx * c + cx - dy * s;
    *y = dx * s + cy + dy * c;
    return 1;
}

double MultiplyMatrix3Point(double* x, double* y, double* z, const double m[9]) {
    const double a = *x, b = *y, c = *z;
    *x = m[0] * a + m[1] * b + m[2] * c;
    *y = m[3] * a + m[4] * b + m[5] * c;
    *z = m[6] * a + m[7] * b + m[8] * c;
    return *x;
}

int PlaneNormal(const double p1[3], const double p2[3], const double p3[3], double n[3]) {
    const double u[3] = {p3[0] - p2[0], p3[1] - p2[1], p3[2] - p2[2]};
    const double v[3] = {p1[0] - p2[0], p1[1] - p2[1], p1[2] - p2[2]};
    const double c[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2],
                         u[0] * v[1] - u[1] * v[0]};
    const double len = std::sqrt(c[0] * c[0] + c[1] * c[1] + c[2] * c[2]);
    if (len == 0.0) return 0;
    n[0] = c[0] / len;
    n[1] = c[1] / len;
    n[2] = c[2] / len;
    return 1;
}

NcQuaternion VectorQuaternion(double x, double y, double z) {
    return {0.0, x, y, z};
}

NcQuaternion MakeQuaternion(double angle, double x, double y, double z) {
    const double l2 = x * x + y * y + z * z;
    if (l2 <= 0.0) return {0.0, 0.0, 0.0, 0.0};
    const double l = std::sqrt(l2);
    const double s = std::sin(angle / 2.0);
    return {std::cos(angle / 2.0), s * x / l, s * y / l, s * z / l};
}

NcQuaternion MulQuaternion(const NcQuaternion& a, const NcQuaternion& b) {
    return {a[0] * b[0] - a[1] * b[1] - a[2] * b[2] - a[3] * b[3],
            a[0] * b[1] + b[0] * a[1] + a[2] * b[3] - a[3] * b[2],
            a[0] * b[2] + b[0] * a[2] + a[3] * b[1] - a[1] * b[3],
            a[0] * b[3] + b[0] * a[3] + a[1] * b[2] - a[2] * b[1]};
}

int RotatePointAboutAxis(const double p[3], double out[3], double angle, const double axis[3]) {
    if (angle == 0.0) return 0;
    const double a = angle * 0.017453292519943295;
    const NcQuaternion q = MakeQuaternion(a, axis[0], axis[1], axis[2]);
    const NcQuaternion r =
        MulQuaternion(MulQuaternion(MakeQuaternion(-a, axis[0], axis[1], axis[2]),
                                    VectorQuaternion(p[0], p[1], p[2])),
                      q);
    out[0] = r[1];
    out[1] = r[2];
    out[2] = r[3];
    return 0;
}

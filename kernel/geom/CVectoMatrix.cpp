// CVectoMatrix: head kinematics, vector products, frames, corner fillets and corner offsets.
#include "kernel/geom/CVectoMatrix.h"

#include <algorithm>
#include <cmath>

#include "kernel/base/DegreeTrig.h"
#include "kernel/base/Tolerance.h"

namespace {

// The head kinematics convert degrees with this truncated constant of their own, not with
// kDegToRad; matrices and tool vectors keep the head's own rounding.
constexpr double kHeadDegToRad = 3.14159265 / 180.0;
// Two points closer than this in every coordinate give no direction (UnitVectorTol).
constexpr double kDirectionTol = 5e-4;
// A vector below this in every coordinate counts as zero in CrossProduct.
constexpr double kCrossZeroTol = 1e-9;
// SignedAngle: how far the turn may run against the reference before it counts as reversed.
constexpr double kTurnSenseTol = 1e-8;
// CircleCenter3P: three points whose angle at p1 has a sine below this lie on one line for any
// practical purpose; the circle through them would be many orders larger than the points.
constexpr double kCollinearSine = 1e-12;
// OffsetCorner: the sideways distance grows with 1 / cos(half the corner angle) up to this.
constexpr double kMaxOffsetStretch = 1.5;
// OffsetCorner: kind and distance codes that ask for no offset, and the kind of the other side.
constexpr int kNoOffsetKind = 4;
constexpr int kNoOffsetDistance = 5;
constexpr int kOtherSideKind = 7;

bool IsExactZero(const Vec3& v) {
    return v[0] == 0.0 && v[1] == 0.0 && v[2] == 0.0;
}

bool AllBelow(const Vec3& v, double tol) {
    return std::fabs(v[0]) < tol && std::fabs(v[1]) < tol && std::fabs(v[2]) < tol;
}

bool IsFinite(const Vec3& v) {
    return std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]);
}

Vec3 Sub(const Vec3& a, const Vec3& b) {
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}

Vec3 Add(const Vec3& a, const Vec3& b) {
    return {a[0] + b[0], a[1] + b[1], a[2] + b[2]};
}

Vec3 Scale(const Vec3& a, double s) {
    return {a[0] * s, a[1] * s, a[2] * s};
}

double Dot(const Vec3& a, const Vec3& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

Vec3 Cross(const Vec3& u, const Vec3& v) {
    return {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
}

double Norm(const Vec3& v) {
    return std::hypot(v[0], v[1], v[2]);
}

// Unit vector from a to b unless they coincide within tol in every coordinate.
bool MakeUnit(const Vec3& a, const Vec3& b, double tol, Vec3& unit, double& length) {
    const Vec3 d = Sub(b, a);
    const double len = Norm(d);
    if (AllBelow(d, tol) || !(len > 0.0) || !std::isfinite(len)) {
        unit = {0.0, 0.0, 0.0};
        length = 0.0;
        return false;
    }
    unit = Scale(d, 1.0 / len);
    length = len;
    return true;
}

Mat3 RotationFrom(int inclined45, double sC, double cC, double sA, double cA) {
    if (inclined45 == 0) {
        return Mat3{Vec3{cC, -cA * sC, -sA * sC}, Vec3{sC, cA * cC, sA * cC}, Vec3{0.0, -sA, cA}};
    }
    const double h = 1.0 / std::sqrt(2.0);
    return Mat3{Vec3{0.5 * cC * (1 + cA) - h * sC * sA, -h * cC * sA - sC * cA,
                     0.5 * cC * (1 - cA) + h * sC * sA},
                Vec3{0.5 * sC * (1 + cA) + h * cC * sA, -h * sC * sA + cC * cA,
                     0.5 * sC * (1 - cA) - h * cC * sA},
                Vec3{0.5 * (1 - cA), h * sA, 0.5 * (1 + cA)}};
}

Vec3 Column(const Mat3& m, int j) {
    return {m[0][j], m[1][j], m[2][j]};
}

void SetColumn(Mat3& m, int j, const Vec3& v) {
    m[0][j] = v[0];
    m[1][j] = v[1];
    m[2][j] = v[2];
}

}  // namespace

int CVectoMatrix::ToolDirection(int inclined45, HeadAngles angles, Vec3& out) {
    const Mat3 m = RotationFrom(inclined45, SinDeg(angles.c), CosDeg(angles.c), SinDeg(angles.a),
                                CosDeg(angles.a));
    out = Column(m, 2);
    return 0;
}

int CVectoMatrix::ToolVector(int inclined45, HeadAngles angles, Vec3& out) {
    Mat3 m;
    (void)HeadRotationMatrix(inclined45, angles, m);
    out = Column(m, 2);
    return 0;
}

int CVectoMatrix::HeadRotationMatrix(int inclined45, HeadAngles angles, Mat3& m) {
    const double c = angles.c * kHeadDegToRad;
    const double a = angles.a * kHeadDegToRad;
    m = RotationFrom(inclined45, std::sin(c), std::cos(c), std::sin(a), std::cos(a));
    return 0;
}

int CVectoMatrix::AxisFrame(int inclined45, HeadAngles angles, const Vec3& ref, Mat3& frame) {
    Vec3 z;
    (void)ToolVector(inclined45, angles, z);
    if (AllBelow(ref, kCoincidenceTol)) return 1;
    Vec3 yRaw;
    Vec3 y;
    Vec3 xRaw;
    Vec3 x;
    double len = 0.0;
    if (CrossProduct(z, ref, yRaw) != 0) return 1;
    if (UnitVector({0.0, 0.0, 0.0}, yRaw, y, len) != 0) return 1;
    if (CrossProduct(yRaw, z, xRaw) != 0) return 1;
    if (UnitVector({0.0, 0.0, 0.0}, xRaw, x, len) != 0) return 1;
    SetColumn(frame, 0, x);
    SetColumn(frame, 1, y);
    SetColumn(frame, 2, z);
    return 0;
}

int CVectoMatrix::UnitVector(const Vec3& a, const Vec3& b, Vec3& unit, double& length) {
    return MakeUnit(a, b, kCoincidenceTol, unit, length) ? 0 : 1;
}

int CVectoMatrix::UnitVectorTol(const Vec3& a, const Vec3& b, Vec3& unit, double& length) {
    return MakeUnit(a, b, kDirectionTol, unit, length) ? 0 : 2;
}

int CVectoMatrix::CrossProduct(const Vec3& u, const Vec3& v, Vec3& out) {
    if (AllBelow(u, kCrossZeroTol) || AllBelow(v, kCrossZeroTol)) {
        out = {0.0, 0.0, 0.0};
        return 1;
    }
    out = Cross(u, v);
    return AllBelow(out, kCrossZeroTol) ? 1 : 0;
}

int CVectoMatrix::CrossProductChecked(const Vec3& u, const Vec3& v, Vec3& out) {
    if (IsExactZero(u) || IsExactZero(v)) {
        out = {0.0, 0.0, 0.0};
        return 2;
    }
    out = Cross(u, v);
    return IsExactZero(out) ? 3 : 0;
}

int CVectoMatrix::DotProduct(const Vec3& u, const Vec3& v, double& out) {
    if (IsExactZero(u) || IsExactZero(v)) {
        out = 0.0;
        return 2;
    }
    out = Dot(u, v);
    return 0;
}

int CVectoMatrix::AngleBetween(const Vec3& u, const Vec3& v, double& angle) {
    angle = 0.0;
    if (IsExactZero(u) || IsExactZero(v)) return 2;
    // Each vector is divided by its own length first: the product of two tiny lengths would
    // underflow to 0 and the quotient become NaN. Infinite coordinates give no angle.
    const double lu = Norm(u);
    const double lv = Norm(v);
    const Vec3 un{u[0] / lu, u[1] / lu, u[2] / lu};
    const Vec3 vn{v[0] / lv, v[1] / lv, v[2] / lv};
    const double dot = Dot(un, vn);
    if (std::isnan(dot)) return 2;
    angle = AcosDeg(std::clamp(dot, -1.0, 1.0));
    return 0;
}

int CVectoMatrix::SignedAngle(const Vec3& u, const Vec3& v, const Vec3& ref, double& angle) {
    if (const int st = AngleBetween(u, v, angle); st != 0) return st;
    if (angle == 0.0) return 0;
    Vec3 n;
    if (const int st = CrossProductChecked(u, v, n); st != 0) return st;
    double d = 0.0;
    if (const int st = DotProduct(n, ref, d); st != 0) return st;
    if (d + kTurnSenseTol < 0.0) angle = 360.0 - angle;
    return 0;
}

int CVectoMatrix::CircleCenter3P(const Vec3& p1, const Vec3& p2, const Vec3& p3, Vec3& centre) {
    const Vec3 u = Sub(p2, p1);
    const Vec3 v = Sub(p3, p1);
    Vec3 n;
    if (const int st = CrossProductChecked(u, v, n); st != 0) return st;
    const double uu = Dot(u, u);
    const double vv = Dot(v, v);
    const double uv = Dot(u, v);
    // |u x v|^2 equals uu*vv - uv^2 and keeps its precision for nearly collinear points.
    const double nn = Dot(n, n);
    if (!(nn > kCollinearSine * kCollinearSine * uu * vv)) return 3;
    const double den = 2.0 * nn;
    const Vec3 c =
        Add(p1, Scale(Add(Scale(u, (uu - uv) * vv), Scale(v, (vv - uv) * uu)), 1.0 / den));
    if (!IsFinite(c)) return 3;
    centre = c;
    return 0;
}

int CVectoMatrix::MakeFrame3P(const Vec3& a, const Vec3& b, const Vec3& c, const Vec3& centre,
                              Mat3& frame) {
    Vec3 x;
    Vec3 n;
    Vec3 z;
    Vec3 y;
    double len = 0.0;
    if (const int st = UnitVector(centre, a, x, len); st != 0) return st;
    if (const int st = CrossProduct(Sub(b, a), Sub(c, a), n); st != 0) return st;
    if (const int st = UnitVector({0.0, 0.0, 0.0}, n, z, len); st != 0) return st;
    if (const int st = CrossProduct(z, x, y); st != 0) return st;
    SetColumn(frame, 0, x);
    SetColumn(frame, 1, y);
    SetColumn(frame, 2, z);
    return 0;
}

int CVectoMatrix::CornerFillet(CornerFilletData& r) {
    const Vec3 p0 = r.p0;
    const Vec3 p1 = r.corner;
    const Vec3 p2 = r.p2;
    const double radius = r.radius;

    Vec3 u1;
    Vec3 u2;
    double len1 = 0.0;
    double len2 = 0.0;
    if (UnitVectorTol(p1, p0, u1, len1) != 0 || UnitVectorTol(p1, p2, u2, len2) != 0) return 2;
    const Vec3 q = Add(p1, Scale(u2, len1));
    const Vec3 h = Scale(Add(p0, q), 0.5);
    Vec3 w;
    Vec3 bisector;
    double k = 0.0;
    double unused = 0.0;
    if (UnitVectorTol(p0, h, w, k) != 0) return 2;              // legs folded back onto each other
    if (UnitVectorTol(p1, h, bisector, unused) != 0) return 3;  // straight on: no corner
    // A radius of 0 gives no arc; a negative one would put the centre outside the corner and
    // draw a wrong arc through the tangent points.
    if (!(radius > 0.0)) return 2;

    const double d = len1 * radius / k;  // k is at least 5e-4 here
    const Vec3 centre = Add(p1, Scale(bisector, d));
    const double tangent = std::sqrt(std::fmax(0.0, d * d - radius * radius));
    const Vec3 t1 = Add(p1, Scale(u1, tangent));
    const Vec3 t2 = Add(p1, Scale(u2, tangent));
    r.centre = centre;
    r.firstLegRest = len1 - tangent;
    if (std::trunc((len1 - tangent) * 1000.0) <= 0.0 ||
        std::trunc((len2 - tangent) * 1000.0) <= 0.0)
        return -3;

    r.inDir = Scale(u1, -1.0);
    r.midDir = w;
    r.outDir = u2;
    const Vec3 mid = Add(p1, Scale(bisector, d - radius));
    if (const int st = MakeFrame3P(t1, mid, t2, centre, r.frame); st != 0) return st;
    double phi = 0.0;
    if (const int st = AngleBetween(u1, u2, phi); st != 0) return st;
    r.halfSweep = {(180.0 - phi) / 2.0, (180.0 - phi) / 2.0};
    r.corner = t1;
    r.p2 = mid;
    r.t2 = t2;
    SetColumn(r.frame, 2, centre);
    return 0;
}

int CVectoMatrix::OffsetCorner(int inclined45, const Vec3& corner, HeadAngles angles, int kind,
                               int distance, const Vec3& u1, const Vec3& u2, Vec3& out) {
    const Vec3 p = corner;  // out may be the corner itself
    out = p;
    if (kind == kNoOffsetKind || distance == kNoOffsetDistance || distance == 0) return 0;

    Vec3 t;
    (void)ToolDirection(inclined45, angles, t);
    Vec3 nRaw;
    Vec3 n;
    double len = 0.0;
    if (CrossProductChecked(t, Add(u1, u2), nRaw) != 0) return 2;
    if (UnitVectorTol({0.0, 0.0, 0.0}, nRaw, n, len) != 0) return 2;
    if (kind == kOtherSideKind) n = Scale(n, -1.0);
    double phi = 0.0;
    if (AngleBetween(u1, u2, phi) != 0) return 2;

    const double cosine = CosDeg(phi / 2.0);
    double stretch = cosine == 0.0 ? 1.0 : 1.0 / cosine;
    if (stretch > kMaxOffsetStretch) stretch = kMaxOffsetStretch;
    out = Add(p, Scale(n, distance * stretch));
    return 0;
}

// Tests of the head vector and matrix helper.
#include "kernel/geom/CVectoMatrix.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr double kNear = 1e-9;
const double kRoot2 = std::sqrt(2.0);

void ExpectVec(const Vec3& got, const Vec3& want, double tol, const char* what) {
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(got[i], want[i], tol) << what << " [" << i << "]";
}

Vec3 Column(const Mat3& m, int j) {
    return {m[0][j], m[1][j], m[2][j]};
}

double Dot(const Vec3& a, const Vec3& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

double Dist(const Vec3& a, const Vec3& b) {
    return std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]);
}

// Columns of unit length at right angles, turning right-handed.
void ExpectRotation(const Mat3& m, double tol, const char* what) {
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            EXPECT_NEAR(Dot(Column(m, i), Column(m, j)), i == j ? 1.0 : 0.0, tol) << what;
        }
    }
    const double det = m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                       m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                       m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
    EXPECT_NEAR(det, 1.0, tol) << what;
}

const Mat3 kUntouched{Vec3{7, 7, 7}, Vec3{7, 7, 7}, Vec3{7, 7, 7}};

}  // namespace

TEST(CVectoMatrixTest, ToolDirectionAndToolVector) {
    struct Case {
        int inclined;
        HeadAngles angles;
        Vec3 want;
    };
    const Case cases[] = {
        {0, {90, 30}, {-0.5, 0, std::sqrt(3.0) / 2}},
        {0, {0, 90}, {0, 1, 0}},
        {0, {180, 45}, {0, -1 / kRoot2, 1 / kRoot2}},
        {1, {0, 180}, {1, 0, 0}},
        {1, {90, 180}, {0, 1, 0}},
        {1, {0, 90}, {0.5, -1 / kRoot2, 0.5}},
        {0, {123, 0}, {0, 0, 1}},  // A = 0 points straight up for both heads
        {1, {-77, 0}, {0, 0, 1}},
    };
    for (const Case& c : cases) {
        Vec3 dir{7, 7, 7};
        Vec3 vec{7, 7, 7};
        EXPECT_EQ(CVectoMatrix::ToolDirection(c.inclined, c.angles, dir), 0);
        EXPECT_EQ(CVectoMatrix().ToolVector(c.inclined, c.angles, vec), 0);
        ExpectVec(dir, c.want, 1e-12, "ToolDirection");
        // The head's own truncated radian constant differs from the kernel's in the ninth digit.
        ExpectVec(vec, c.want, 1e-8, "ToolVector");
    }
}

TEST(CVectoMatrixTest, HeadRotationMatrixIsARotationWithTheToolAxisInColumn2) {
    for (int inclined = 0; inclined <= 1; ++inclined) {
        for (double cDeg : {0.0, 30.0, 90.0, 200.0, -45.0}) {
            for (double aDeg : {0.0, 15.0, 90.0, 135.0, -60.0}) {
                Mat3 m;
                ASSERT_EQ(CVectoMatrix::HeadRotationMatrix(inclined, {cDeg, aDeg}, m), 0);
                ExpectRotation(m, 1e-12, "head matrix");
                Vec3 tool;
                ASSERT_EQ(CVectoMatrix::ToolVector(inclined, {cDeg, aDeg}, tool), 0);
                ExpectVec(Column(m, 2), tool, 0, "column 2");
                if (aDeg == 0.0) {  // a plain turn about z by C for both heads
                    const double c = cDeg * 3.14159265 / 180;
                    const Mat3 rz{Vec3{std::cos(c), -std::sin(c), 0},
                                  Vec3{std::sin(c), std::cos(c), 0}, Vec3{0, 0, 1}};
                    for (int i = 0; i < 3; ++i) ExpectVec(m[i], rz[i], 1e-15, "Rz(C)");
                }
            }
        }
    }
    // The inclined head turns about (1, 0, 1)/sqrt(2) for C = 0: that axis stays where it is.
    Mat3 m;
    ASSERT_EQ(CVectoMatrix::HeadRotationMatrix(1, {0, 73}, m), 0);
    const Vec3 axis{1 / kRoot2, 0, 1 / kRoot2};
    const Vec3 turned{Dot(m[0], axis), Dot(m[1], axis), Dot(m[2], axis)};
    ExpectVec(turned, axis, 1e-12, "inclined axis");
}

TEST(CVectoMatrixTest, AxisFrame) {
    Mat3 frame = kUntouched;
    ASSERT_EQ(CVectoMatrix::AxisFrame(0, {0, 0}, {5, 0, 0}, frame), 0);
    for (int i = 0; i < 3; ++i)
        ExpectVec(frame[i], Mat3{Vec3{1, 0, 0}, Vec3{0, 1, 0}, Vec3{0, 0, 1}}[i], kNear,
                  "identity");

    // A tilted head: the frame is a rotation, column 2 the tool axis, column 0 the part of ref at
    // right angles to it.
    const Vec3 ref{1, 2, 0.5};
    ASSERT_EQ(CVectoMatrix::AxisFrame(1, {40, 70}, ref, frame), 0);
    ExpectRotation(frame, 1e-12, "tilted frame");
    Vec3 tool;
    ASSERT_EQ(CVectoMatrix::ToolVector(1, {40, 70}, tool), 0);
    ExpectVec(Column(frame, 2), tool, 0, "axis");
    EXPECT_NEAR(Dot(Column(frame, 1), ref), 0, 1e-12);
    EXPECT_GT(Dot(Column(frame, 0), ref), 0);

    struct Bad {
        const char* what;
        Vec3 ref;
    };
    const Bad bad[] = {
        {"zero reference", {0, 0, 0}},
        {"reference below 1e-6", {9e-7, -9e-7, 5e-7}},
        {"reference along the tool axis", {0, 0, 5}},
        {"reference against the tool axis", {0, 0, -1e-3}},
    };
    for (const Bad& b : bad) {
        Mat3 f = kUntouched;
        EXPECT_EQ(CVectoMatrix::AxisFrame(0, {30, 0}, b.ref, f), 1) << b.what;
        EXPECT_EQ(f, kUntouched) << b.what;
    }
}

TEST(CVectoMatrixTest, UnitVectors) {
    struct Case {
        const char* what;
        bool tolerant;
        Vec3 a, b;
        int result;
        Vec3 unit;
        double length;
    };
    const Case cases[] = {
        {"plain", false, {1, 1, 1}, {4, 5, 1}, 0, {0.6, 0.8, 0}, 5},
        {"0.0000005 apart", false, {0, 0, 0}, {5e-7, 5e-7, -5e-7}, 1, {0, 0, 0}, 0},
        {"one coordinate 1e-6 apart", false, {0, 0, 0}, {0, 0, 1e-6}, 0, {0, 0, 1}, 1e-6},
        {"tolerant plain", true, {0, 0, 0}, {0, 0, -2}, 0, {0, 0, -1}, 2},
        {"tolerant 0.0004 apart", true, {1, 2, 3}, {1.0004, 2.0004, 3.0004}, 2, {0, 0, 0}, 0},
        {"tolerant 0.0006 apart", true, {0, 0, 0}, {0.0006, 0, 0}, 0, {1, 0, 0}, 0.0006},
    };
    for (const Case& c : cases) {
        Vec3 unit{7, 7, 7};
        double length = -1;
        const int r = c.tolerant ? CVectoMatrix::UnitVectorTol(c.a, c.b, unit, length)
                                 : CVectoMatrix::UnitVector(c.a, c.b, unit, length);
        EXPECT_EQ(r, c.result) << c.what;
        ExpectVec(unit, c.unit, kNear, c.what);
        EXPECT_NEAR(length, c.length, 1e-15) << c.what;
    }
}

TEST(CVectoMatrixTest, CrossAndDotProducts) {
    struct Case {
        const char* what;
        Vec3 u, v;
        int cross, checked, dot;
        Vec3 product;
        double dotValue;
    };
    const Case cases[] = {
        {"x times y", {1, 0, 0}, {0, 1, 0}, 0, 0, 0, {0, 0, 1}, 0},
        {"general", {1, 2, 3}, {4, 5, 6}, 0, 0, 0, {-3, 6, -3}, 32},
        {"parallel", {1, 2, 3}, {2, 4, 6}, 1, 3, 0, {0, 0, 0}, 28},
        {"zero u", {0, 0, 0}, {1, 0, 0}, 1, 2, 2, {0, 0, 0}, 0},
        {"zero v", {1, 0, 0}, {0, 0, 0}, 1, 2, 2, {0, 0, 0}, 0},
        // Tiny but not zero: only the tolerant product refuses it.
        {"tiny u", {1e-10, 0, 0}, {0, 1, 0}, 1, 0, 0, {0, 0, 1e-10}, 0},
        {"tiny product", {1e-5, 0, 0}, {0, 1e-5, 0}, 1, 0, 0, {0, 0, 1e-10}, 0},
    };
    for (const Case& c : cases) {
        Vec3 out{7, 7, 7};
        EXPECT_EQ(CVectoMatrix::CrossProductChecked(c.u, c.v, out), c.checked) << c.what;
        ExpectVec(out, c.product, 1e-15, c.what);
        Vec3 out2{7, 7, 7};
        EXPECT_EQ(CVectoMatrix::CrossProduct(c.u, c.v, out2), c.cross) << c.what;
        double d = 7;
        EXPECT_EQ(CVectoMatrix::DotProduct(c.u, c.v, d), c.dot) << c.what;
        EXPECT_NEAR(d, c.dotValue, 1e-15) << c.what;
    }
    // With a vector below 1e-9 the tolerant product is zero.
    Vec3 out{7, 7, 7};
    EXPECT_EQ(CVectoMatrix::CrossProduct({1e-10, 0, 0}, {0, 1, 0}, out), 1);
    ExpectVec(out, {0, 0, 0}, 0, "tiny input");
}

TEST(CVectoMatrixTest, AngleBetweenAndSignedAngle) {
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        const char* what;
        Vec3 u, v, ref;
        int between;
        double angle;
        int signedResult;
        double signedAngle;
    };
    const Case cases[] = {
        {"quarter about +z", {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, 0, 90, 0, 90},
        {"quarter about -z", {1, 0, 0}, {0, 1, 0}, {0, 0, -1}, 0, 90, 0, 270},
        {"opposite", {1, 0, 0}, {-1, 0, 0}, {0, 0, 1}, 0, 180, 3, 180},
        {"same direction", {2, 0, 0}, {5, 0, 0}, {0, 0, 1}, 0, 0, 0, 0},
        {"45 degrees", {1, 0, 0}, {1, 1, 0}, {0, 0, 1}, 0, 45, 0, 45},
        {"135 degrees against ref", {1, 0, 0}, {-1, -1, 0}, {0, 0, 1}, 0, 135, 0, 225},
        {"ref in the plane", {1, 0, 0}, {0, 1, 0}, {1, 0, 0}, 0, 90, 0, 90},
        {"zero ref", {1, 0, 0}, {0, 1, 0}, {0, 0, 0}, 0, 90, 2, 90},
        {"zero u", {0, 0, 0}, {0, 1, 0}, {0, 0, 1}, 2, 0, 2, 0},
        // Tiny vectors whose lengths multiply to below the smallest double still have an angle;
        // their cross product underflows to zero, so there is no turning sense.
        {"tiny vectors", {1e-200, 0, 0}, {0, 1e-200, 0}, {0, 0, 1}, 0, 90, 3, 90},
        {"infinite coordinate", {inf, 0, 0}, {0, 1, 0}, {0, 0, 1}, 2, 0, 2, 0},
    };
    for (const Case& c : cases) {
        double angle = -1;
        EXPECT_EQ(CVectoMatrix::AngleBetween(c.u, c.v, angle), c.between) << c.what;
        EXPECT_NEAR(angle, c.angle, 1e-12) << c.what;
        double sa = -1;
        EXPECT_EQ(CVectoMatrix::SignedAngle(c.u, c.v, c.ref, sa), c.signedResult) << c.what;
        EXPECT_NEAR(sa, c.signedAngle, 1e-12) << c.what;
    }
}

TEST(CVectoMatrixTest, CircleCenter3P) {
    struct Case {
        const char* what;
        Vec3 p1, p2, p3;
        int result;
        Vec3 centre;
    };
    const Vec3 untouched{7, 7, 7};
    const Case cases[] = {
        {"half circle", {1, 0, 0}, {0, 1, 0}, {-1, 0, 0}, 0, {0, 0, 0}},
        {"in space", {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, 0, {1.0 / 3, 1.0 / 3, 1.0 / 3}},
        {"off the origin", {7, 3, 2}, {2, 8, 2}, {-3, 3, 2}, 0, {2, 3, 2}},
        {"collinear", {0, 0, 0}, {1, 1, 1}, {3, 3, 3}, 3, untouched},
        {"collinear but for rounding",
         {0.1, 0.2, 0.3},
         {0.3, 0.6, 0.9},
         {0.7, 1.4, 2.1},
         3,
         untouched},
        {"p2 equals p1", {1, 2, 3}, {1, 2, 3}, {0, 0, 0}, 2, untouched},
        {"p3 equals p1", {1, 2, 3}, {0, 0, 0}, {1, 2, 3}, 2, untouched},
        {"p2 equals p3", {0, 0, 0}, {1, 2, 3}, {1, 2, 3}, 3, untouched},
    };
    for (const Case& c : cases) {
        Vec3 centre = untouched;
        EXPECT_EQ(CVectoMatrix::CircleCenter3P(c.p1, c.p2, c.p3, centre), c.result) << c.what;
        ExpectVec(centre, c.centre, 1e-12, c.what);
        if (c.result == 0) {
            EXPECT_NEAR(Dist(centre, c.p1), Dist(centre, c.p2), 1e-12) << c.what;
            EXPECT_NEAR(Dist(centre, c.p1), Dist(centre, c.p3), 1e-12) << c.what;
        }
    }
}

TEST(CVectoMatrixTest, MakeFrame3P) {
    Mat3 frame = kUntouched;
    ASSERT_EQ(CVectoMatrix::MakeFrame3P({1, 0, 0}, {0, 1, 0}, {-1, 0, 0}, {0, 0, 0}, frame), 0);
    const Mat3 identity{Vec3{1, 0, 0}, Vec3{0, 1, 0}, Vec3{0, 0, 1}};
    for (int i = 0; i < 3; ++i) ExpectVec(frame[i], identity[i], kNear, "counter-clockwise");

    // Clockwise points turn the normal over.
    ASSERT_EQ(CVectoMatrix::MakeFrame3P({1, 0, 0}, {0, -1, 0}, {-1, 0, 0}, {0, 0, 0}, frame), 0);
    ExpectVec(Column(frame, 0), {1, 0, 0}, kNear, "x");
    ExpectVec(Column(frame, 1), {0, -1, 0}, kNear, "y");
    ExpectVec(Column(frame, 2), {0, 0, -1}, kNear, "z");

    struct Bad {
        const char* what;
        Vec3 a, b, c, centre;
    };
    const Bad bad[] = {
        {"first point on the centre", {0, 0, 0}, {0, 1, 0}, {-1, 0, 0}, {0, 0, 0}},
        {"collinear", {1, 0, 0}, {2, 0, 0}, {3, 0, 0}, {0, 5, 0}},
        {"coincident points", {1, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 0}},
    };
    for (const Bad& b : bad) {
        Mat3 f = kUntouched;
        EXPECT_EQ(CVectoMatrix::MakeFrame3P(b.a, b.b, b.c, b.centre, f), 1) << b.what;
        EXPECT_EQ(f, kUntouched) << b.what;
    }
}

TEST(CVectoMatrixTest, CornerFilletOfARightAngle) {
    CornerFilletData r;
    r.p0 = {0, 0, 0};
    r.corner = {10, 0, 0};
    r.p2 = {10, 10, 0};
    r.radius = 2;
    ASSERT_EQ(CVectoMatrix::CornerFillet(r), 0);
    ExpectVec(r.p0, {0, 0, 0}, 0, "p0 unchanged");
    ExpectVec(r.centre, {8, 2, 0}, kNear, "centre");
    ExpectVec(r.corner, {8, 0, 0}, kNear, "T1");
    ExpectVec(r.t2, {10, 2, 0}, kNear, "T2");
    ExpectVec(r.p2, {8 + std::sqrt(2.0), 2 - std::sqrt(2.0), 0}, kNear, "M");
    EXPECT_NEAR(r.halfSweep[0], 45, kNear);
    EXPECT_NEAR(r.halfSweep[1], 45, kNear);
    EXPECT_NEAR(r.firstLegRest, 8, kNear);
    ExpectVec(r.inDir, {1, 0, 0}, kNear, "inDir");
    ExpectVec(r.outDir, {0, 1, 0}, kNear, "outDir");
    ExpectVec(r.midDir, {1 / kRoot2, 1 / kRoot2, 0}, kNear, "midDir");
    ExpectVec(Column(r.frame, 0), {0, -1, 0}, kNear, "frame x: centre to T1");
    ExpectVec(Column(r.frame, 1), {1, 0, 0}, kNear, "frame y");
    ExpectVec(Column(r.frame, 2), {8, 2, 0}, kNear, "frame column 2: the centre");
}

TEST(CVectoMatrixTest, CornerFilletInSpaceTouchesBothLegs) {
    CornerFilletData r;
    r.p0 = {0, 0, 0};
    r.corner = {10, 5, 3};
    r.p2 = {25, 0, 8};
    r.radius = 3;
    const Vec3 p0 = r.p0;
    const Vec3 p1 = r.corner;
    const Vec3 p2 = r.p2;
    ASSERT_EQ(CVectoMatrix::CornerFillet(r), 0);
    EXPECT_NEAR(Dist(r.centre, r.corner), 3, 1e-9);
    EXPECT_NEAR(Dist(r.centre, r.t2), 3, 1e-9);
    EXPECT_NEAR(Dist(r.centre, r.p2), 3, 1e-9);
    // T1 lies on the first leg and the radius meets it at right angles; likewise T2.
    const Vec3 leg1{p1[0] - p0[0], p1[1] - p0[1], p1[2] - p0[2]};
    const Vec3 leg2{p2[0] - p1[0], p2[1] - p1[1], p2[2] - p1[2]};
    const Vec3 rad1{r.corner[0] - r.centre[0], r.corner[1] - r.centre[1],
                    r.corner[2] - r.centre[2]};
    const Vec3 rad2{r.t2[0] - r.centre[0], r.t2[1] - r.centre[1], r.t2[2] - r.centre[2]};
    EXPECT_NEAR(Dot(leg1, rad1), 0, 1e-9);
    EXPECT_NEAR(Dot(leg2, rad2), 0, 1e-9);
    EXPECT_NEAR(Dist(p0, r.corner) + Dist(r.corner, p1), Dist(p0, p1), 1e-9);
    EXPECT_NEAR(Dist(p1, r.t2) + Dist(r.t2, p2), Dist(p1, p2), 1e-9);
    EXPECT_NEAR(r.firstLegRest, Dist(p0, r.corner), 1e-9);
}

TEST(CVectoMatrixTest, CornerFilletFailures) {
    struct Case {
        const char* what;
        Vec3 p0, corner, p2;
        double radius;
        int result;
        bool centreWritten;
    };
    const Case cases[] = {
        {"radius as long as the first leg allows",
         {0, 0, 0},
         {10, 0, 0},
         {10, 10, 0},
         10,
         -3,
         true},
        {"second leg too short", {0, 0, 0}, {10, 0, 0}, {10, 1, 0}, 2, -3, true},
        {"zero radius", {0, 0, 0}, {10, 0, 0}, {10, 10, 0}, 0, 2, false},
        {"negative radius", {0, 0, 0}, {10, 0, 0}, {10, 10, 0}, -2, 2, false},
        {"first leg without length", {10, 0, 0}, {10, 0.0004, 0}, {10, 10, 0}, 2, 2, false},
        {"second leg without length", {0, 0, 0}, {10, 0, 0}, {10, 0, 0.0001}, 2, 2, false},
        {"legs folded back", {0, 0, 0}, {10, 0, 0}, {2, 0, 0}, 2, 2, false},
        {"straight on", {0, 0, 0}, {10, 0, 0}, {20, 0, 0}, 2, 3, false},
    };
    for (const Case& c : cases) {
        CornerFilletData r;
        r.p0 = c.p0;
        r.corner = c.corner;
        r.p2 = c.p2;
        r.radius = c.radius;
        EXPECT_EQ(CVectoMatrix::CornerFillet(r), c.result) << c.what;
        // The corner and the following point are not replaced by a failed fillet.
        ExpectVec(r.corner, c.corner, 0, c.what);
        ExpectVec(r.p2, c.p2, 0, c.what);
        ExpectVec(r.t2, {0, 0, 0}, 0, c.what);
        const bool written = r.centre != Vec3{0, 0, 0};
        EXPECT_EQ(written, c.centreWritten) << c.what;
    }
}

TEST(CVectoMatrixTest, OffsetCorner) {
    const Vec3 corner{10, 20, 0};
    struct Case {
        const char* what;
        int kind, distance;
        Vec3 u1, u2;
        int result;
        Vec3 out;
    };
    const Case cases[] = {
        {"straight on", 0, 2, {1, 0, 0}, {1, 0, 0}, 0, {10, 22, 0}},
        {"straight on, other side", 7, 2, {1, 0, 0}, {1, 0, 0}, 0, {10, 18, 0}},
        // Right angle: along the bisector's normal, stretched by 1 / cos 45.
        {"right angle", 0, 2, {1, 0, 0}, {0, 1, 0}, 0, {10 - 2, 20 + 2, 0}},
        // 120 degrees between the legs: 1 / cos 60 = 2 is held at 1.5.
        {"sharp corner",
         0,
         2,
         {1, 0, 0},
         {-0.5, std::sqrt(3.0) / 2, 0},
         0,
         {10 - 3 * std::sqrt(3.0) / 2, 20 + 1.5, 0}},
        {"kind 4: no offset", 4, 2, {1, 0, 0}, {0, 1, 0}, 0, corner},
        {"distance 5: no offset", 0, 5, {1, 0, 0}, {0, 1, 0}, 0, corner},
        {"distance 0: no offset", 0, 0, {1, 0, 0}, {0, 1, 0}, 0, corner},
        {"legs reversed: no direction", 0, 2, {1, 0, 0}, {-1, 0, 0}, 2, corner},
        {"legs along the tool axis", 0, 2, {0, 0, 1}, {0, 0, 1}, 2, corner},
    };
    for (const Case& c : cases) {
        Vec3 out{7, 7, 7};
        EXPECT_EQ(
            CVectoMatrix::OffsetCorner(0, corner, {0, 0}, c.kind, c.distance, c.u1, c.u2, out),
            c.result)
            << c.what;
        ExpectVec(out, c.out, 1e-12, c.what);
    }
    // The output may be the corner itself.
    Vec3 p = corner;
    EXPECT_EQ(CVectoMatrix::OffsetCorner(0, p, {0, 0}, 0, 2, {1, 0, 0}, {1, 0, 0}, p), 0);
    ExpectVec(p, {10, 22, 0}, 1e-12, "in place");
}

// Tests of the plane geometry helpers.
#include "kernel/geom/PlaneGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "kernel/base/CxyzData.h"

namespace {

constexpr double kNear = 1e-9;

void ExpectPoint(const CxyData& got, const CxyData& want, const char* what) {
    EXPECT_NEAR(got.x, want.x, kNear) << what;
    EXPECT_NEAR(got.y, want.y, kNear) << what;
}

}  // namespace

TEST(PlaneGeometryTest, RotatePoint2DTurnsCounterClockwise) {
    struct Case {
        CxyData centre, p;
        double angle;
        CxyData want;
    };
    const Case cases[] = {
        {{1, 1}, {2, 1}, 90, {1, 2}},  {{1, 1}, {2, 1}, -90, {1, 0}}, {{1, 1}, {2, 1}, 180, {0, 1}},
        {{0, 0}, {3, 4}, 360, {3, 4}}, {{5, 5}, {5, 5}, 37, {5, 5}},  // the centre stays
    };
    for (const Case& c : cases) {
        CxyData out{-7, -7};
        EXPECT_EQ(RotatePoint2D(c.centre, c.p, out, c.angle), 0);
        ExpectPoint(out, c.want, "rotate");
    }
    // z of a 3-D output stays; the output may be the input.
    CxyzData q{2, 1, 9};
    EXPECT_EQ(RotatePoint2D({1, 1}, q, q, 90), 0);
    ExpectPoint(q, {1, 2}, "in place");
    EXPECT_EQ(q.z, 9);
}

TEST(PlaneGeometryTest, CheckPointSide) {
    struct Case {
        CxyData a, b, p;
        int result, side;
    };
    const Case cases[] = {
        {{0, 0}, {10, 0}, {5, 1}, 0, -1},          // left
        {{0, 0}, {10, 0}, {5, -1}, 0, 1},          // right
        {{0, 0}, {10, 0}, {5, 0.0000001}, 0, 0},   // cross product 1e-6: on the line
        {{0, 0}, {10, 0}, {5, 0.0000011}, 0, -1},  // cross product just above 1e-5
        {{0, 0}, {10, 0}, {20, 0}, 0, 0},          // beyond the end, still on the line
        {{10, 0}, {0, 0}, {5, 1}, 0, 1},           // reversed direction
        {{3, 3}, {3, 3}, {5, 1}, 1, 99},           // coincident ends: side untouched
        {{3, 3}, {3.000009, 3}, {5, 1}, 1, 99},    // within 1e-5
    };
    for (const Case& c : cases) {
        int side = 99;
        EXPECT_EQ(CheckPointSide(c.a, c.b, c.p, side), c.result) << c.p.x << "," << c.p.y;
        EXPECT_EQ(side, c.side) << c.p.x << "," << c.p.y;
    }
}

TEST(PlaneGeometryTest, CalcPerpendicularFoot) {
    struct Case {
        CxyData a, b, p;
        int result;
        CxyData foot;
        double dist;
    };
    const Case cases[] = {
        {{0, 0}, {10, 0}, {5, 3}, 0, {5, 0}, 3},
        {{0, 0}, {10, 0}, {5, -3}, 0, {5, 0}, 3},
        {{0, 0}, {10, 0}, {10, 2}, 0, {10, 0}, 2},  // foot on an end: on the segment
        {{0, 0}, {10, 0}, {12, 3}, 1, {12, 0}, 3},  // beyond the end
        {{0, 0}, {10, 10}, {0, 10}, 0, {5, 5}, std::sqrt(50.0)},
        {{1, 1}, {1, 1}, {5, 5}, -1, {-7, -7}, 0},       // no length: foot untouched
        {{1, 1}, {1.0005, 1}, {5, 5}, -1, {-7, -7}, 0},  // squared length 2.5e-7
    };
    for (const Case& c : cases) {
        CxyData foot{-7, -7};
        double dist = -1;
        EXPECT_EQ(CalcPerpendicularFoot(c.a, c.b, c.p, foot, &dist), c.result);
        ExpectPoint(foot, c.foot, "foot");
        EXPECT_NEAR(dist, c.dist, kNear);
        // The distance is optional.
        CxyData foot2{-7, -7};
        EXPECT_EQ(CalcPerpendicularFoot(c.a, c.b, c.p, foot2, nullptr), c.result);
        ExpectPoint(foot2, c.foot, "foot without distance");
    }
}

TEST(PlaneGeometryTest, IsAngleInSweep) {
    struct Case {
        double start, end, angle;
        int result;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {350, 370, 5, 0},
        {10, 10, 200, 0},  // zero sweep: full circle
        {0, 360, 200, 0},
        {-350, 10, 200, 0},  // full circle as NormalizeArcSweep writes it
        {0, 90, 90.0000005, 0},
        {0, 90, 91, 1},
        {0, 90, -300, 0},         // -300 is 60
        {0, 90, 405, 0},          // 405 is 45
        {0, 90, 359.9999995, 0},  // within the slack of 0
        {0, 90, 359.99, 1},
        // A sweep across 0 with a negative start, as NormalizeArcSweep leaves it.
        {-10, 10, 355, 0},
        {-10, 10, -5, 0},
        {-10, 10, 5, 0},
        {-10, 10, 180, 1},
        {-10, 10, 349.99, 1},
        {-10, 10, 10.0000005, 0},
        {-10, 10, 10.00001, 1},
        {-90, 0, 270, 0},
        {-90, 0, 0, 0},
        {-90, 0, 90, 1},
        {350, 10, 5, 0},  // start above end: the sweep goes round through 0
        {350, 10, 180, 1},
        {90, 0, 45, 1},
        {90, 0, 180, 0},
        {270, 360, 0, 0},
        {270, 360, 360, 0},
        {0, 90, nan, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsAngleInSweep(c.start, c.end, c.angle), c.result)
            << c.start << ".." << c.end << " " << c.angle;
    }
}

TEST(PlaneGeometryTest, ArcArcIntersect) {
    struct Case {
        const char* what;
        CxyData c1, c2;
        double r1, r2;
        SweepAngles a1, a2;
        int result, count;
        CxyData p1, p2;
    };
    const SweepAngles full{0, 360};
    const Case cases[] = {
        {"two crossings, p1 on the right", {0, 0}, {8, 0}, 5, 5, full, full, 0, 2, {4, -3}, {4, 3}},
        {"seen the other way", {8, 0}, {0, 0}, 5, 5, full, full, 0, 2, {4, 3}, {4, -3}},
        {"outer tangency", {0, 0}, {8, 0}, 4, 4, full, full, 0, 1, {4, 0}, {4, 0}},
        {"inner tangency, larger first", {0, 0}, {2, 0}, 5, 3, full, full, 0, 1, {5, 0}, {5, 0}},
        {"inner tangency, smaller first", {2, 0}, {0, 0}, 3, 5, full, full, 0, 1, {5, 0}, {5, 0}},
        {"too far apart", {0, 0}, {8, 0}, 3, 3, full, full, 0, 0, {0, 0}, {0, 0}},
        {"one inside the other", {0, 0}, {1, 0}, 5, 1, full, full, 0, 0, {0, 0}, {0, 0}},
        {"same arc twice", {1, 1}, {1, 1}, 5, 5, {0, 90}, {0, 90}, 1, 0, {0, 0}, {0, 0}},
        {"zero radius", {0, 0}, {8, 0}, 0, 5, full, full, 1, 0, {0, 0}, {0, 0}},
        {"negative radius", {0, 0}, {8, 0}, 5, -5, full, full, 1, 0, {0, 0}, {0, 0}},
        {"concentric, other radius", {0, 0}, {0, 0}, 5, 4, full, full, 0, 0, {0, 0}, {0, 0}},
        {"one circle, end meets start",
         {0, 0},
         {0, 0},
         5,
         5,
         {0, 90},
         {90, 180},
         0,
         1,
         {0, 5},
         {0, 5}},
        {"one circle, start meets end",
         {0, 0},
         {0, 0},
         5,
         5,
         {90, 180},
         {0, 90},
         0,
         1,
         {0, 5},
         {0, 5}},
        {"one circle, ends apart", {0, 0}, {0, 0}, 5, 5, {0, 90}, {180, 270}, 0, 0, {0, 0}, {0, 0}},
        {"one circle, 0 meets 360",
         {0, 0},
         {0, 0},
         5,
         5,
         {0, 90},
         {270, 360},
         0,
         1,
         {5, 0},
         {5, 0}},
        {"one circle, both ends meet",
         {0, 0},
         {0, 0},
         5,
         5,
         {0, 180},
         {180, 360},
         0,
         2,
         {5, 0},
         {-5, 0}},
        {"upper half arc keeps the left point",
         {0, 0},
         {8, 0},
         5,
         5,
         {0, 180},
         full,
         0,
         1,
         {4, 3},
         {4, 3}},
        {"lower half arc keeps the right point",
         {0, 0},
         {8, 0},
         5,
         5,
         {180, 360},
         full,
         0,
         1,
         {4, -3},
         {4, -3}},
        {"arc across 0, negative start",
         {0, 0},
         {8, 0},
         5,
         5,
         {-45, 45},
         full,
         0,
         2,
         {4, -3},
         {4, 3}},
        {"arc across 0, start above end",
         {0, 0},
         {8, 0},
         5,
         5,
         {315, 45},
         full,
         0,
         2,
         {4, -3},
         {4, 3}},
        {"full circle with a negative start",
         {0, 0},
         {8, 0},
         5,
         5,
         {-350, 10},
         full,
         0,
         2,
         {4, -3},
         {4, 3}},
        {"both candidates off the arc",
         {0, 0},
         {8, 0},
         5,
         5,
         {90, 270},
         full,
         0,
         0,
         {0, 0},
         {0, 0}},
        {"tangency point off the arc", {0, 0}, {8, 0}, 4, 4, {90, 270}, full, 0, 0, {0, 0}, {0, 0}},
        {"candidate on the second arc only",
         {0, 0},
         {8, 0},
         5,
         5,
         full,
         {90, 180},
         0,
         1,
         {4, 3},
         {4, 3}},
    };
    for (const Case& c : cases) {
        CxyData p1{-7, -7}, p2{-7, -7};
        int count = -1;
        EXPECT_EQ(ArcArcIntersect(c.c1, c.c2, c.r1, c.r2, c.a1, c.a2, p1, p2, count), c.result)
            << c.what;
        EXPECT_EQ(count, c.count) << c.what;
        ExpectPoint(p1, c.p1, c.what);
        ExpectPoint(p2, c.p2, c.what);
    }
}

TEST(PlaneGeometryTest, ArcArcIntersectNearTangencyGivesNoNaN) {
    // Just outside the tangency bound, far from the origin, the two crossings close in; they
    // stay finite and on the circle (the root of the crossing is clamped at zero).
    for (int i = 1; i <= 200; ++i) {
        const double gap = i * 1e-8;
        const CxyData c1{1e7 + 0.1, -3e6};
        const CxyData c2{c1.x + 8.0 - gap - 1e-6, c1.y};
        CxyData p1, p2;
        int count = -1;
        ASSERT_EQ(ArcArcIntersect(c1, c2, 4, 4, {0, 360}, {0, 360}, p1, p2, count), 0);
        ASSERT_GE(count, 1) << gap;
        ASSERT_TRUE(std::isfinite(p1.x) && std::isfinite(p1.y) && std::isfinite(p2.x) &&
                    std::isfinite(p2.y))
            << gap;
        EXPECT_NEAR(std::hypot(p1.x - c1.x, p1.y - c1.y), 4, 1e-4);
    }
}

TEST(PlaneGeometryTest, FilterArcIntersections) {
    struct Case {
        const char* what;
        SweepAngles a1, a2;
        int mode, count;
        CxyData p1, p2;
    };
    // Candidates of the circles r 5 about (0, 0) and (8, 0): (4, -3) and (4, 3).
    const Case cases[] = {
        {"both kept", {0, 360}, {0, 360}, 1, 2, {4, -3}, {4, 3}},
        {"first kept", {270, 360}, {0, 360}, 1, 1, {4, -3}, {4, -3}},
        {"second kept", {0, 90}, {0, 360}, 1, 1, {4, 3}, {4, 3}},
        {"none kept", {90, 270}, {0, 360}, 1, 0, {0, 0}, {0, 0}},
        {"single candidate kept", {0, 0}, {0, 0}, 0, 1, {4, -3}, {4, -3}},
        {"single candidate dropped", {0, 90}, {0, 360}, 0, 0, {0, 0}, {0, 0}},
        {"unknown mode", {0, 360}, {0, 360}, 7, 0, {0, 0}, {0, 0}},
        // 1e-4 degrees of slack: (4, 3) lies at 36.8699 degrees about (0, 0).
        {"end within slack", {0, 36.86985}, {0, 360}, 1, 1, {4, 3}, {4, 3}},
        {"end outside slack", {0, 36.8697}, {0, 360}, 1, 0, {0, 0}, {0, 0}},
    };
    for (const Case& c : cases) {
        CxyData p1{4, -3}, p2{4, 3};
        int count = -1;
        EXPECT_EQ(FilterArcIntersections({0, 0}, {8, 0}, c.a1, c.a2, p1, p2, count, c.mode), 0);
        EXPECT_EQ(count, c.count) << c.what;
        ExpectPoint(p1, c.p1, c.what);
        ExpectPoint(p2, c.p2, c.what);
    }
}

TEST(PlaneGeometryTest, LineArcIntersect) {
    struct Case {
        const char* what;
        CxyData a, b, centre;
        double radius;
        SweepAngles angles;
        int result, count;
        CxyData p1, p2;
    };
    const SweepAngles full{0, 360};
    const Case cases[] = {
        {"two points, further along first",
         {-10, 3},
         {10, 3},
         {0, 0},
         5,
         full,
         0,
         2,
         {4, 3},
         {-4, 3}},
        {"reversed segment", {10, 3}, {-10, 3}, {0, 0}, 5, full, 0, 2, {-4, 3}, {4, 3}},
        {"one point on the half segment", {0, 3}, {10, 3}, {0, 0}, 5, full, 0, 1, {4, 3}, {4, 3}},
        {"segment ends on the circle", {0, 3}, {4, 3}, {0, 0}, 5, full, 0, 1, {4, 3}, {4, 3}},
        {"segment inside the circle", {-1, 0}, {1, 0}, {0, 0}, 5, full, 0, 0, {0, 0}, {0, 0}},
        {"upper half arc, line below",
         {-10, -3},
         {10, -3},
         {0, 0},
         5,
         {0, 180},
         0,
         0,
         {0, 0},
         {0, 0}},
        {"arc across 0 with a negative start",
         {3, -10},
         {3, 10},
         {0, 0},
         5,
         {-90, 90},
         0,
         2,
         {3, 4},
         {3, -4}},
        {"arc across 0, one end only",
         {3, -10},
         {3, 10},
         {0, 0},
         5,
         {-90, 0},
         0,
         1,
         {3, -4},
         {3, -4}},
        {"tangent", {-10, 5}, {10, 5}, {0, 0}, 5, full, 0, 1, {0, 5}, {0, 5}},
        {"tangent point beyond the segment",
         {1, 5},
         {10, 5},
         {0, 0},
         5,
         full,
         0,
         0,
         {0, 0},
         {0, 0}},
        {"tangent point off the arc",
         {-10, 5},
         {10, 5},
         {0, 0},
         5,
         {180, 360},
         0,
         0,
         {0, 0},
         {0, 0}},
        {"line misses", {-10, 6}, {10, 6}, {0, 0}, 5, full, 0, 0, {0, 0}, {0, 0}},
        {"off-centre circle", {0, 0}, {10, 10}, {5, 0}, 5, full, 0, 2, {5, 5}, {0, 0}},
        {"segment without length", {4, 3}, {4, 3}, {0, 0}, 5, full, 0, 0, {0, 0}, {0, 0}},
        {"zero radius", {-10, 0}, {10, 0}, {0, 0}, 0, full, 1, 0, {0, 0}, {0, 0}},
        {"negative radius", {-10, 0}, {10, 0}, {0, 0}, -5, full, 1, 0, {0, 0}, {0, 0}},
    };
    for (const Case& c : cases) {
        CxyData p1{-7, -7}, p2{-7, -7};
        int count = -1;
        EXPECT_EQ(LineArcIntersect(c.a, c.b, c.centre, c.radius, c.angles, p1, p2, count), c.result)
            << c.what;
        EXPECT_EQ(count, c.count) << c.what;
        ExpectPoint(p1, c.p1, c.what);
        ExpectPoint(p2, c.p2, c.what);
    }
}

TEST(PlaneGeometryTest, ArcFrom3Points) {
    struct Case {
        const char* what;
        CxyData s, m, e;
        int result;
        CxyData centre;
        double radius;
        SweepAngles angles;
    };
    const Case cases[] = {
        {"counter-clockwise half", {1, 0}, {0, 1}, {-1, 0}, 0, {0, 0}, 1, {0, 180}},
        {"clockwise half", {1, 0}, {0, -1}, {-1, 0}, 0, {0, 0}, 1, {180, 0}},
        {"off-centre", {7, 3}, {2, 8}, {-3, 3}, 0, {2, 3}, 5, {0, 180}},
        {"clockwise three quarters", {7, 3}, {2, -2}, {2, 8}, 0, {2, 3}, 5, {90, 0}},
        {"collinear", {0, 0}, {1, 1}, {2, 2}, 1, {-7, -7}, -1, {-1, -1}},
        {"nearly collinear", {0, 0}, {1, 0.0000001}, {2, 0}, 1, {-7, -7}, -1, {-1, -1}},
        {"start equals end", {1, 0}, {0, 1}, {1, 0}, 1, {-7, -7}, -1, {-1, -1}},
        {"mid equals start", {1, 0}, {1, 0}, {-1, 0}, 1, {-7, -7}, -1, {-1, -1}},
    };
    for (const Case& c : cases) {
        CxyData centre{-7, -7};
        double radius = -1;
        SweepAngles angles{-1, -1};
        EXPECT_EQ(ArcFrom3Points(c.s, c.m, c.e, centre, radius, angles), c.result) << c.what;
        ExpectPoint(centre, c.centre, c.what);
        EXPECT_NEAR(radius, c.radius, kNear) << c.what;
        EXPECT_NEAR(angles.start, c.angles.start, 1e-9) << c.what;
        EXPECT_NEAR(angles.end, c.angles.end, 1e-9) << c.what;
        if (c.result == 0) {
            // The counter-clockwise sweep passes through the middle point.
            const double midAngle =
                std::atan2(c.m.y - centre.y, c.m.x - centre.x) * 180 / std::numbers::pi;
            EXPECT_EQ(IsAngleInSweep(angles.start, angles.end, midAngle), 0) << c.what;
        }
    }
}

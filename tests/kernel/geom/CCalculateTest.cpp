// Tests of the geometry calculator on points and line and arc elements.
#include "kernel/geom/CCalculate.h"

#include <gtest/gtest.h>

#include <limits>

#include "kernel/base/DegreeTrig.h"
#include "kernel/db/CDtbArc.h"
#include "kernel/db/CDtbLine.h"
#include "kernel/db/CDtbPoint.h"

namespace {

constexpr double kNear = 1e-9;

CDtbLine Line(double x1, double y1, double x2, double y2) {
    return CDtbLine(CxyzData(x1, y1, 0), CxyzData(x2, y2, 0));
}

CDtbArc Arc(double cx, double cy, double r, double start, double end, int dir = 0) {
    return CDtbArc(CxyzData(cx, cy, 0), r, start, end, dir);
}

}  // namespace

TEST(CCalculateTest, CalcOnline) {
    struct Case {
        CxyzData a, b, p;
        int result;
    };
    const Case cases[] = {
        {{0, 0, 0}, {10, 0, 0}, {5, 0, 0}, 0},
        {{0, 0, 0}, {10, 0, 0}, {0, 0, 0}, 0},  // ends included
        {{0, 0, 0}, {10, 0, 0}, {10, 0, 0}, 0},
        {{0, 0, 0}, {10, 0, 0}, {10.0005, 0, 0}, 0},  // snapped onto the end
        {{0, 0, 0}, {10, 0, 0}, {10.01, 0, 0}, 1},    // beyond the end
        {{0, 0, 0}, {10, 0, 0}, {5, 0.00005, 0}, 0},  // cross product 0.0005
        {{0, 0, 0}, {10, 0, 0}, {5, 0.001, 0}, 1},    // cross product 0.01: off the line
        {{0, 0, 0}, {10, 10, 0}, {5, 5, 0}, 0},
        {{1, 1, 0}, {1, 1, 0}, {1, 1, 0}, 1},  // no length
        {{0, 0, 0}, {0.0005, 0.0005, 0}, {0, 0, 0}, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CCalculate::CalcOnline(c.a, c.b, c.p), c.result) << c.p.x << "," << c.p.y;
    }
}

TEST(CCalculateTest, CalcCross2Line) {
    struct Case {
        const char* what;
        CxyzData a1, a2, b1, b2;
        int result;
        CxyData out;
    };
    const Case cases[] = {
        {"crossing on both", {0, 0, 0}, {10, 0, 0}, {5, -5, 0}, {5, 5, 0}, 0, {5, 0}},
        {"meeting at the ends", {0, 0, 0}, {10, 0, 0}, {10, 0, 0}, {10, 5, 0}, 0, {10, 0}},
        {"beyond the second segment", {0, 0, 0}, {10, 0, 0}, {5, 1, 0}, {5, 5, 0}, 1, {5, 0}},
        {"beyond the first segment", {0, 0, 0}, {10, 0, 0}, {15, -5, 0}, {15, 5, 0}, 1, {15, 0}},
        {"diagonals", {0, 0, 0}, {4, 4, 0}, {0, 4, 0}, {4, 0, 0}, 0, {2, 2}},
        {"parallel", {0, 0, 0}, {10, 0, 0}, {0, 1, 0}, {10, 1, 0}, 2, {0, 0}},
        {"on one line", {0, 0, 0}, {10, 0, 0}, {20, 0, 0}, {30, 0, 0}, 2, {0, 0}},
        {"determinant 1e-4", {0, 0, 0}, {1, 0, 0}, {0, 0, 0}, {1, 0.0001, 0}, 2, {0, 0}},
        {"a segment without length", {0, 0, 0}, {0, 0, 0}, {0, 1, 0}, {5, 1, 0}, 2, {0, 0}},
    };
    for (const Case& c : cases) {
        CxyzData out{-7, -7, 9};
        EXPECT_EQ(CCalculate::CalcCross2Line(c.a1, c.a2, c.b1, c.b2, out), c.result) << c.what;
        EXPECT_NEAR(out.x, c.out.x, kNear) << c.what;
        EXPECT_NEAR(out.y, c.out.y, kNear) << c.what;
        EXPECT_EQ(out.z, 9) << c.what;
    }
}

TEST(CCalculateTest, CalcPositionLength) {
    struct Case {
        CxyzData a, b, p;
        int result, side;
    };
    const Case cases[] = {
        {{0, 0, 0}, {10, 0, 0}, {5, 1, 0}, 0, -1},
        {{0, 0, 0}, {10, 0, 0}, {5, -1, 0}, 0, 1},
        {{0, 0, 0}, {10, 0, 0}, {5, 0.00005, 0}, 0, 0},  // cross product 0.0005
        {{0, 0, 0}, {10, 0, 0}, {5, 0.0002, 0}, 0, -1},  // cross product 0.002
        {{0, 0, 0}, {0, 10, 0}, {-1, 5, 0}, 0, -1},
        {{0, 0, 0}, {0, 0, 0}, {5, 1, 0}, 1, 99},  // a = b: side untouched
        {{0, 0, 0}, {0.0009, -0.0009, 0}, {5, 1, 0}, 1, 99},
    };
    for (const Case& c : cases) {
        int side = 99;
        EXPECT_EQ(CCalculate::CalcPositionLength(c.a, c.b, c.p, side), c.result);
        EXPECT_EQ(side, c.side) << c.p.x << "," << c.p.y;
    }
}

TEST(CCalculateTest, CheckDegree) {
    struct Case {
        double start, end, angle, radius;
        int result;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    // Radius 100: tolerance asin(1e-5) = 0.000573 degrees. Radius 0.005: 0.001 degrees.
    const Case cases[] = {
        {0, 0, 123, 10, 0},  // zero sweep: full circle
        {0, 360, 123, 10, 0},
        {10, 10.0005, 200, 100, 0},  // sweep within the tolerance: full circle
        {350, 10, 5, 10, 0},
        {350, 10, 180, 10, 1},
        {-10, 10, 355, 10, 0},  // a negative start from NormalizeArcSweep
        {-10, 10, 180, 10, 1},
        {0, 90, 359.99995, 100, 0},  // within the tolerance of 360: 0
        {0, 90, 359.999, 100, 1},
        {0, 90, 90.0005, 100, 0},
        {0, 90, 90.0006, 100, 1},
        {0, 90, 90.0009, 0.005, 0},
        {0, 90, 90.0011, 0.005, 1},
        {0, 90, 765, 10, 0},  // 765 is 45
        {0, 90, -315, 10, 0},
        {90, 180, 45, 10, 1},
        {0, 90, nan, 10, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CCalculate::CheckDegree(c.start, c.end, c.angle, c.radius), c.result)
            << c.start << ".." << c.end << " " << c.angle << " r " << c.radius;
    }
}

TEST(CCalculateTest, Check3Points) {
    struct Case {
        const char* what;
        CxyzData p1, p2, p3;
        int result;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {"a triangle", {0, 0, 0}, {1, 0, 0}, {0, 1, 0}, 0},
        {"a triangle in space", {0, 0, 0}, {1, 0, 5}, {0, 1, 5}, 0},
        {"collinear, same side", {0, 0, 0}, {1, 1, 1}, {3, 3, 3}, -1},
        {"collinear, opposite sides", {0, 0, 0}, {1, 2, 3}, {-2, -4, -6}, -1},
        {"one pair", {1, 2, 3}, {1, 2, 3}, {5, 5, 5}, -2},
        {"one pair within 1e-6", {1, 2, 3}, {5, 5, 5}, {1.0000009, 2, 3}, -2},
        {"two pairs", {0, 0, 0}, {0.0000006, 0, 0}, {0.0000012, 0, 0}, -3},
        {"all three", {4, 4, 4}, {4, 4, 4}, {4, 4, 4}, -3},
        {"not a number", {0, 0, 0}, {nan, 0, 0}, {0, 1, 0}, -4},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CCalculate::Check3Points(c.p1, c.p2, c.p3), c.result) << c.what;
    }
}

TEST(CCalculateTest, OffsetElement2Lines) {
    struct Case {
        const char* what;
        double dist;
        unsigned side;
        int result;
        double y;  // of both ends after the offset of (0, 0)-(10, 0)
    };
    const Case cases[] = {
        {"left", 3, 1, 0, 3},
        {"right", 3, 0, 0, -3},
        {"negative distance flips the side", -3, 1, 0, -3},
        {"negative distance to the left", -3, 0, 0, 3},
        {"zero distance", 0, 1, 0, 0},
    };
    for (const Case& c : cases) {
        CDtbLine line(CxyzData(0, 0, 4), CxyzData(10, 0, 5), 12.5f, 30.0f);
        line.attributes.Add("LineNo=7");
        line.info.classBits = 4;
        EXPECT_EQ(CCalculate::OffsetElement2(kCalcTypeLine, &line, c.dist, c.side), c.result)
            << c.what;
        EXPECT_NEAR(line.start.x, 0, kNear) << c.what;
        EXPECT_NEAR(line.end.x, 10, kNear) << c.what;
        EXPECT_NEAR(line.start.y, c.y, kNear) << c.what;
        EXPECT_NEAR(line.end.y, c.y, kNear) << c.what;
        // Only the plane geometry changes.
        EXPECT_EQ(line.start.z, 4);
        EXPECT_EQ(line.end.z, 5);
        EXPECT_EQ(line.headAngleA, 12.5f);
        EXPECT_EQ(line.headAngleC, 30.0f);
        EXPECT_EQ(line.info.classBits, 4);
        ASSERT_EQ(line.attributes.GetCount(), 1u);
        EXPECT_EQ(line.attributes.GetAt(0), "LineNo=7");
    }

    // A diagonal line moves along its normal.
    CDtbLine diag = Line(0, 0, 3, 4);
    EXPECT_EQ(CCalculate::OffsetElement2(kCalcTypeLine, &diag, 5, 1), 0);
    EXPECT_NEAR(diag.start.x, -4, kNear);
    EXPECT_NEAR(diag.start.y, 3, kNear);

    // Too short a line, or an element of another class, stays as it was.
    CDtbLine shortLine = Line(1, 1, 1.0005, 1);
    EXPECT_EQ(CCalculate::OffsetElement2(kCalcTypeLine, &shortLine, 3, 1), 1);
    EXPECT_EQ(shortLine.start.y, 1);
    EXPECT_EQ(shortLine.end.y, 1);
    CDtbArc arc = Arc(0, 0, 5, 0, 90);
    EXPECT_EQ(CCalculate::OffsetElement2(kCalcTypeLine, &arc, 3, 1), 1);
    EXPECT_EQ(arc.radius, 5);
    CDtbLine line = Line(0, 0, 10, 0);
    EXPECT_EQ(CCalculate::OffsetElement2(kCalcTypeArc, &line, 3, 1), 1);
    EXPECT_EQ(line.start.y, 0);
    CDtbPoint point;
    EXPECT_EQ(CCalculate::OffsetElement2(kCalcTypeArc, &point, 3, 1), 1);
    EXPECT_EQ(CCalculate::OffsetElement2(kCalcTypeLine, nullptr, 3, 1), 1);
}

TEST(CCalculateTest, OffsetElement2Arcs) {
    struct Case {
        const char* what;
        double start, end;
        int dir;
        double dist;
        unsigned side;
        int result;
        double radius, wantStart, wantEnd;
    };
    const Case cases[] = {
        {"ccw to the left shrinks", 0, 90, 0, 3, 1, 0, 2, 0, 90},
        {"ccw to the right grows", 0, 90, 0, 7, 0, 0, 12, 0, 90},
        {"cw to the left grows", 0, 90, 1, 3, 1, 0, 8, 0, 90},
        {"cw to the right shrinks", 0, 90, 1, 3, 0, 0, 2, 0, 90},
        {"negative distance flips the side", 0, 90, 0, -3, 1, 0, 8, 0, 90},
        {"through the centre", 0, 90, 0, 7, 1, 2, 2, 180, 270},
        {"through the centre, angles past 360", 270, 350, 0, 7, 1, 2, 2, 90, 170},
        {"through the centre, negative start", -10, 10, 0, 7, 1, 2, 2, 170, 190},
        {"exactly onto the centre", 0, 90, 0, 5, 1, 2, 0, 180, 270},
        {"full circle stays full", 0, 360, 0, 7, 1, 2, 2, 180, 540},
        {"full circle, negative start", -350, 10, 0, 7, 1, 2, 2, -170, 190},
    };
    for (const Case& c : cases) {
        CDtbArc arc(CxyzData(1, 2, 3), 5, c.start, c.end, c.dir, 1.0f, 2.0f);
        EXPECT_EQ(CCalculate::OffsetElement2(kCalcTypeArc, &arc, c.dist, c.side), c.result)
            << c.what;
        EXPECT_NEAR(arc.radius, c.radius, kNear) << c.what;
        EXPECT_NEAR(arc.startAngle, c.wantStart, kNear) << c.what;
        EXPECT_NEAR(arc.endAngle, c.wantEnd, kNear) << c.what;
        EXPECT_EQ(arc.direction, c.dir) << c.what;
        EXPECT_EQ(arc.centre.x, 1);
        EXPECT_EQ(arc.centre.z, 3);
        EXPECT_EQ(arc.headAngleA, 1.0f);
        EXPECT_NEAR(arc.GetSweep(), NormalizedSweep(c.start, c.end), 1e-9) << c.what;
    }
}

TEST(CCalculateTest, CalcCross2ElementFailures) {
    const CDtbLine line = Line(0, 0, 10, 0);
    const CDtbLine dot = Line(3, 3, 3, 3);
    const CDtbArc arc = Arc(0, 0, 5, 0, 360);
    const CDtbPoint point;
    struct Case {
        const char* what;
        unsigned type1;
        const CDtbElement* e1;
        unsigned type2;
        const CDtbElement* e2;
        int result;
    };
    const Case cases[] = {
        {"type code 3", 3, &line, 1, &line, 1},
        {"second type code 0", 1, &line, 0, &line, 1},
        {"type code names another class", 1, &arc, 1, &line, 1},
        {"a point element", 2, &point, 1, &line, 1},
        {"no element", 1, nullptr, 1, &line, 1},
        {"line without length", 1, &dot, 2, &arc, 0},
        {"line without length second", 2, &arc, 1, &dot, 0},
    };
    for (const Case& c : cases) {
        unsigned count = 9;
        std::array<CxyzData, 2> pts{CxyzData(7, 7, 7), CxyzData(7, 7, 7)};
        std::array<uint32_t, 2> flags{5, 5};
        EXPECT_EQ(CCalculate::CalcCross2Element(kCrossClassify, c.type1, c.e1, c.type2, c.e2,
                                                nullptr, count, pts, flags),
                  c.result)
            << c.what;
        EXPECT_EQ(count, 0u) << c.what;
        EXPECT_EQ(flags[0], kCrossNoPoint) << c.what;
        EXPECT_EQ(flags[1], kCrossNoPoint) << c.what;
        EXPECT_EQ(pts[0].x, 0) << c.what;
        EXPECT_EQ(pts[0].z, 7) << c.what;  // z is never written
    }
}

TEST(CCalculateTest, CalcCross2Element) {
    const double tangentAt = Atan2Deg(3, 4);  // where (4, 3) lies about (0, 0)
    const CxyzData ref410(4, 10, 0);
    const CxyzData origin(0, 0, 0);
    struct Case {
        const char* what;
        unsigned mode;
        CDtbElement* e1;
        CDtbElement* e2;
        const CxyzData* ref;
        unsigned count;
        CxyData p0, p1;
        uint32_t f0, f1;
    };
    CDtbLine lineThrough = Line(-10, 0, 10, 0);
    CDtbLine lineFromCentre = Line(0, 0, 10, 0);
    CDtbLine lineBack = Line(10, 0, 3, 0);
    CDtbLine lineOutside = Line(-10, 0, -8, 0);
    CDtbLine lineTangent = Line(-10, 5, 10, 5);
    CDtbLine lineMiss = Line(-10, 6, 10, 6);
    CDtbLine vertical = Line(5, -5, 5, 5);
    CDtbLine verticalFar = Line(15, -5, 15, 5);
    CDtbLine parallel = Line(0, 1, 10, 1);
    CDtbLine onLine = Line(2, 0, 20, 0);
    CDtbArc circle = Arc(0, 0, 5, 0, 360);
    CDtbArc circle8 = Arc(8, 0, 5, 0, 360);
    CDtbArc touching = Arc(8, 0, 3, 0, 360);
    CDtbArc farAway = Arc(20, 0, 3, 0, 360);
    CDtbArc inner = Arc(3, 0, 2, 0, 360);
    CDtbArc small = Arc(1, 0, 1, 0, 360);
    CDtbArc quarter = Arc(0, 0, 5, 0, 90, 0);
    CDtbArc quarterCw = Arc(0, 0, 5, 0, 90, 1);
    CDtbArc other = Arc(0, 0, 4, 0, 90);
    CDtbArc rightHalf = Arc(0, 0, 5, -90, 90, 0);
    CDtbArc rightHalfCw = Arc(0, 0, 5, -90, 90, 1);
    CDtbArc endsAtPoint = Arc(0, 0, 5, 0, tangentAt, 1);
    CDtbArc upperArc = Arc(0, 0, 5, 10, 170);
    const uint32_t none = kCrossNoPoint;
    const Case cases[] = {
        // Line and circle: the point further along the line first.
        {"line through circle", 0, &lineThrough, &circle, nullptr, 2, {5, 0}, {-5, 0}, 0, 0},
        {"circle and line", 0, &circle, &lineThrough, nullptr, 2, {5, 0}, {-5, 0}, 0, 0},
        {"a point beyond the line end",
         kCrossClassify,
         &lineFromCentre,
         &circle,
         nullptr,
         2,
         {5, 0},
         {-5, 0},
         0,
         kCrossOffFirst},
        {"the point on both comes first",
         kCrossClassify,
         &lineBack,
         &circle,
         nullptr,
         2,
         {5, 0},
         {-5, 0},
         0,
         kCrossOffFirst},
        {"off the second element",
         kCrossClassify,
         &circle,
         &lineBack,
         nullptr,
         2,
         {5, 0},
         {-5, 0},
         0,
         kCrossOffSecond},
        {"both off the arc's sweep",
         kCrossClassify,
         &lineThrough,
         &upperArc,
         nullptr,
         2,
         {5, 0},
         {-5, 0},
         kCrossOffSecond,
         kCrossOffSecond},
        {"tangent line",
         kCrossClassify,
         &lineTangent,
         &circle,
         nullptr,
         1,
         {0, 5},
         {0, 0},
         0,
         none},
        {"line misses", kCrossClassify, &lineMiss, &circle, nullptr, 0, {0, 0}, {0, 0}, none, none},
        // Line and line.
        {"crossing lines",
         kCrossClassify,
         &lineThrough,
         &vertical,
         nullptr,
         1,
         {5, 0},
         {0, 0},
         0,
         none},
        {"crossing beyond the first",
         kCrossClassify,
         &lineThrough,
         &verticalFar,
         nullptr,
         1,
         {15, 0},
         {0, 0},
         kCrossOffFirst,
         none},
        {"parallel lines",
         kCrossOverlap,
         &lineThrough,
         &parallel,
         nullptr,
         0,
         {0, 0},
         {0, 0},
         none,
         none},
        {"lines on one line", 0, &lineThrough, &onLine, nullptr, 0, {0, 0}, {0, 0}, none, none},
        {"lines on one line, overlap bit",
         kCrossOverlap,
         &lineThrough,
         &onLine,
         nullptr,
         1,
         {10, 0},
         {0, 0},
         0,
         none},
        // Circle and circle: seen from the first centre, point 0 on the right.
        {"crossing circles", kCrossClassify, &circle, &circle8, nullptr, 2, {4, -3}, {4, 3}, 0, 0},
        {"touching circles",
         kCrossClassify,
         &circle,
         &touching,
         nullptr,
         1,
         {5, 0},
         {0, 0},
         0,
         none},
        {"touching inside", 0, &circle, &inner, nullptr, 1, {5, 0}, {0, 0}, 0, none},
        {"one inside the other", 0, &circle, &small, nullptr, 0, {0, 0}, {0, 0}, none, none},
        {"far apart", 0, &circle, &farAway, nullptr, 0, {0, 0}, {0, 0}, none, none},
        {"concentric", kCrossOverlap, &quarter, &other, nullptr, 0, {0, 0}, {0, 0}, none, none},
        {"one circle without the overlap bit",
         0,
         &quarter,
         &circle,
         nullptr,
         0,
         {0, 0},
         {0, 0},
         none,
         none},
        {"one circle: path end of arc 1",
         kCrossOverlap,
         &quarter,
         &circle,
         nullptr,
         1,
         {0, 5},
         {0, 0},
         0,
         none},
        {"one circle: path end of a clockwise arc 1",
         kCrossOverlap,
         &quarterCw,
         &circle,
         nullptr,
         1,
         {5, 0},
         {0, 0},
         0,
         none},
        // Ordering of two points.
        {"nearer to the reference first",
         kCrossNearestToRef,
         &circle,
         &circle8,
         &ref410,
         2,
         {4, 3},
         {4, -3},
         0,
         0},
        {"reference tie: along arc 1",
         kCrossNearestToRef,
         &circle,
         &circle8,
         &origin,
         2,
         {4, 3},
         {4, -3},
         0,
         0},
        {"reference ignored when null",
         kCrossNearestToRef,
         &circle,
         &circle8,
         nullptr,
         2,
         {4, -3},
         {4, 3},
         0,
         0},
        {"along a line from its start",
         kCrossAlongFirst,
         &lineThrough,
         &circle,
         nullptr,
         2,
         {-5, 0},
         {5, 0},
         0,
         0},
        {"along a line starting between",
         kCrossAlongFirst,
         &lineFromCentre,
         &circle,
         nullptr,
         2,
         {5, 0},
         {-5, 0},
         0,
         0},
        {"along an arc across 0",
         kCrossAlongFirst,
         &rightHalf,
         &circle8,
         nullptr,
         2,
         {4, -3},
         {4, 3},
         0,
         0},
        {"along a clockwise arc across 0",
         kCrossAlongFirst,
         &rightHalfCw,
         &circle8,
         nullptr,
         2,
         {4, 3},
         {4, -3},
         0,
         0},
        {"clockwise: the point at the path start first",
         kCrossAlongFirst,
         &endsAtPoint,
         &circle8,
         nullptr,
         2,
         {4, 3},
         {4, -3},
         0,
         0},
        {"both off: keep",
         kCrossClassify | kCrossAlongFirst | kCrossKeepBothOff,
         &lineOutside,
         &circle,
         nullptr,
         2,
         {5, 0},
         {-5, 0},
         kCrossOffFirst,
         kCrossOffFirst},
        {"both off: along the line",
         kCrossClassify | kCrossAlongFirst,
         &lineOutside,
         &circle,
         nullptr,
         2,
         {-5, 0},
         {5, 0},
         kCrossOffFirst,
         kCrossOffFirst},
    };
    for (const Case& c : cases) {
        const unsigned t1 = c.e1->IsLine() ? kCalcTypeLine : kCalcTypeArc;
        const unsigned t2 = c.e2->IsLine() ? kCalcTypeLine : kCalcTypeArc;
        unsigned count = 9;
        std::array<CxyzData, 2> pts{CxyzData(7, 7, 7), CxyzData(7, 7, 7)};
        std::array<uint32_t, 2> flags{5, 5};
        EXPECT_EQ(
            CCalculate::CalcCross2Element(c.mode, t1, c.e1, t2, c.e2, c.ref, count, pts, flags), 0)
            << c.what;
        EXPECT_EQ(count, c.count) << c.what;
        if (c.count >= 1) {
            EXPECT_NEAR(pts[0].x, c.p0.x, kNear) << c.what;
            EXPECT_NEAR(pts[0].y, c.p0.y, kNear) << c.what;
        }
        if (c.count == 2) {
            EXPECT_NEAR(pts[1].x, c.p1.x, kNear) << c.what;
            EXPECT_NEAR(pts[1].y, c.p1.y, kNear) << c.what;
        }
        EXPECT_EQ(pts[0].z, 7) << c.what;
        EXPECT_EQ(flags[0], c.f0) << c.what;
        EXPECT_EQ(flags[1], c.f1) << c.what;
    }
}

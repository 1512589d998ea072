// Tests of straight elements: lengths, angles, perpendicular foot, nearest point, stretch, box.
#include <gtest/gtest.h>

#include <cmath>

#include "kernel/db/CDtbLine.h"
#include "kernel/db/DtbBox.h"

namespace {
CDtbLine Line(double x1, double y1, double x2, double y2) {
    return CDtbLine(CxyzData(x1, y1, 0), CxyzData(x2, y2, 0));
}
}  // namespace

TEST(CDtbLineTest, LengthsAngleAndCentre) {
    CDtbLine line(CxyzData(0, 0, 0), CxyzData(3, 4, 12));
    EXPECT_DOUBLE_EQ(line.GetElementLength(), 5);
    EXPECT_DOUBLE_EQ(line.GetElementLength3D(), 13);
    EXPECT_NEAR(line.GetLineAngle(), 53.13010235415598, 1e-12);
    EXPECT_NEAR(Line(0, 0, 0, -1).GetLineAngle(), 270, 1e-12);
    CxyData mid;
    EXPECT_EQ(line.GetCenterPoint(mid), 1);
    EXPECT_EQ(mid, CxyData(1.5, 2));
    line.Inverse();
    EXPECT_EQ(line.start, CxyzData(3, 4, 12));
    EXPECT_EQ(line.end, CxyzData(0, 0, 0));
}

TEST(CDtbLineTest, CalcPerpendicular) {
    struct Case {
        CxyData p;
        int result;
        CxyData foot;
        double dist;
    };
    const CDtbLine line = Line(0, 0, 10, 0);
    const Case cases[] = {
        {{5, 3}, 0, {5, 0}, 3},    {{0, -2}, 0, {0, 0}, 2},   // ends included
        {{10, 1}, 0, {10, 0}, 1},  {{12, 1}, 1, {12, 0}, 1},  // foot outside: written anyway
        {{-3, -4}, 1, {-3, 0}, 4},
    };
    for (const Case& c : cases) {
        CxyData foot(99, 99);
        double dist = -1;
        EXPECT_EQ(line.CalcPerpendicular(&c.p, &foot, &dist), c.result) << c.p.x << "," << c.p.y;
        EXPECT_EQ(foot, c.foot);
        EXPECT_NEAR(dist, c.dist, 1e-12);
    }
    // A line without length: -1, foot untouched, distance 0.
    const CDtbLine dot = Line(1, 1, 1, 1.0005);
    const CxyData p(5, 5);
    CxyData foot(99, 99);
    double dist = -1;
    EXPECT_EQ(dot.CalcPerpendicular(&p, &foot, &dist), -1);
    EXPECT_EQ(foot, CxyData(99, 99));
    EXPECT_EQ(dist, 0);
    EXPECT_EQ(dot.CalcPerpendicular(&p, &foot, nullptr), -1);
}

TEST(CDtbLineTest, NearestPoint) {
    struct Case {
        CxyData p;
        CxyData nearest;
        double dist;
    };
    const CDtbLine line = Line(0, 0, 10, 0);
    const Case cases[] = {
        {{20, 1}, {10, 0}, std::hypot(10, 1)},
        {{5, 3}, {5, 0}, 3},
        {{-1, -1}, {0, 0}, std::hypot(1, 1)},
    };
    for (const Case& c : cases) {
        CxyData nearest;
        double dist = 0;
        EXPECT_EQ(line.NearestPoint(&c.p, &nearest, &dist), 0);
        EXPECT_EQ(nearest, c.nearest) << c.p.x << "," << c.p.y;
        EXPECT_NEAR(dist, c.dist, 1e-12);
    }
    // A line without length: the end point on a tie.
    const CDtbLine dot = Line(2, 2, 2, 2);
    const CxyData p(2, 5);
    CxyData nearest;
    double dist = 0;
    EXPECT_EQ(dot.NearestPoint(&p, &nearest, &dist), 0);
    EXPECT_EQ(nearest, CxyData(2, 2));
    EXPECT_DOUBLE_EQ(dist, 3);
}

TEST(CDtbLineTest, Stretch) {
    struct Case {
        int which;
        double length;
        int result;
        CxyData start, end;
    };
    const Case cases[] = {
        {2, 5, 0, {0, 0}, {10, 0}},       // wrong end selector
        {1, 0.0005, 0, {0, 0}, {10, 0}},  // too short a change
        {-1, 1, 0, {0, 0}, {10, 0}},         {0, 1, 1, {-1, 0}, {10, 0}},
        {1, 2, 1, {0, 0}, {12, 0}},          {1, -4, 1, {0, 0}, {6, 0}},  // shortens
        {0, -0.001, 1, {0.001, 0}, {10, 0}},
    };
    for (const Case& c : cases) {
        CDtbLine line(CxyzData(0, 0, 7), CxyzData(10, 0, 7));
        EXPECT_EQ(line.Stretch(c.which, c.length), c.result) << c.which << " " << c.length;
        EXPECT_EQ(static_cast<const CxyData&>(line.start), c.start);
        EXPECT_EQ(static_cast<const CxyData&>(line.end), c.end);
        EXPECT_EQ(line.start.z, 7);
        EXPECT_EQ(line.end.z, 7);
    }
}

TEST(CDtbLineTest, MinMaxWidensAndNeverResets) {
    CxyzData min, max;
    ResetBox(&min, &max);
    EXPECT_EQ(CDtbLine(CxyzData(1, 5, -2), CxyzData(4, 2, 3)).MinMax(&min, &max), 1);
    EXPECT_EQ(CDtbLine(CxyzData(2, 3, 0), CxyzData(3, 3, 0)).MinMax(&min, &max), 1);
    EXPECT_EQ(min, CxyzData(1, 2, -2));
    EXPECT_EQ(max, CxyzData(4, 5, 3));

    CxyData min2(0, 0), max2(100, 100);  // a box already wider stays as it was
    CDtbLine(CxyzData(1, 1, 0), CxyzData(2, 2, 0)).MinMax(&min2, &max2);
    EXPECT_EQ(min2, CxyData(0, 0));
    EXPECT_EQ(max2, CxyData(100, 100));
}

TEST(CDtbLineTest, OffsetMovesBothEnds) {
    CDtbLine line(CxyzData(1, 2, 3), CxyzData(4, 5, 6));
    line += CxyzData(1, 1, 1);
    EXPECT_EQ(line.start, CxyzData(2, 3, 4));
    EXPECT_EQ(line.end, CxyzData(5, 6, 7));
}

// Tests of arc elements: path ends, tangents, sweep and length, stretch and box.
#include <gtest/gtest.h>

#include <cmath>

#include "kernel/base/DegreeTrig.h"
#include "kernel/db/CDtbArc.h"
#include "kernel/db/DtbBox.h"

TEST(CDtbArcTest, PathEndsAndTangentsFollowTheDirection) {
    CDtbArc arc(CxyzData(0, 0, 5), 10, 350, 10, 0);
    CxyzData p;
    arc.GetStartPoint(p);
    EXPECT_EQ(p, CxyzData(10 * CosDeg(350), 10 * SinDeg(350), 5));
    arc.GetEndPoint(p);
    EXPECT_EQ(p, CxyzData(10 * CosDeg(10), 10 * SinDeg(10), 5));
    EXPECT_DOUBLE_EQ(arc.GetStartTangentAngle(), 440);
    EXPECT_DOUBLE_EQ(arc.GetEndTangentAngle(), 100);

    arc.Inverse();
    EXPECT_EQ(arc.direction, 1);
    CxyData q;
    arc.GetStartPoint(q);
    EXPECT_NEAR(q.x, 9.84807753012208, 1e-12);
    EXPECT_NEAR(q.y, 1.7364817766693, 1e-12);
    EXPECT_DOUBLE_EQ(arc.GetStartTangentAngle(), -80);
    EXPECT_DOUBLE_EQ(arc.GetEndTangentAngle(), 260);
    arc.Inverse();
    EXPECT_EQ(arc.direction, 0);
    EXPECT_EQ(arc.startAngle, 350);  // angles never change
}

TEST(CDtbArcTest, LengthUsesTheNormalisedSweep) {
    struct Case {
        double start, end, sweep;
    };
    const Case cases[] = {
        {0, 360, 360}, {0, 90, 90},  {350, 10, 20},  // crossing 0: 20 degrees, not 340
        {-10, 10, 20}, {90, 0, 270}, {0, 720, 360}, {10, 10, 0},
    };
    for (const Case& c : cases) {
        CDtbArc arc(CxyzData(), 1, c.start, c.end, 0);
        EXPECT_NEAR(arc.GetSweep(), c.sweep, 1e-12) << c.start << ".." << c.end;
        EXPECT_NEAR(arc.GetElementLength(), 6.283185307179586 * c.sweep / 360, 1e-12);
    }
    EXPECT_EQ(CDtbArc(CxyzData(), 1, 0, 360, 0).GetElementLength(), 6.283185307179586);
}

TEST(CDtbArcTest, Stretch) {
    const double r = 10;
    const double perDegree = 6.283185307179586 * r / 360;
    struct Case {
        double start, end;
        int direction, which;
        double degrees;  // arc length as the angle it subtends
        int result;
        double wantStart, wantEnd;
    };
    const Case cases[] = {
        {0, 350, 0, 1, 20, 1, 0, 370},
        {0, 350, 0, 1, -360, 1, -360, -10},  // step back a turn when start passes end
        {0, 90, 0, 0, 10, 1, -10, 90},
        {0, 90, 1, 0, 10, 1, 0, 100},  // clockwise: the path starts at the end angle
        {0, 90, 1, 1, 10, 1, -10, 90},
        {0, 90, 0, 2, 10, 0, 0, 90},
    };
    for (const Case& c : cases) {
        CDtbArc arc(CxyzData(), r, c.start, c.end, c.direction);
        EXPECT_EQ(arc.Stretch(c.which, c.degrees * perDegree), c.result);
        EXPECT_NEAR(arc.startAngle, c.wantStart, 1e-9) << c.start << ".." << c.end;
        EXPECT_NEAR(arc.endAngle, c.wantEnd, 1e-9) << c.start << ".." << c.end;
    }
    CDtbArc arc(CxyzData(), r, 0, 90, 0);
    EXPECT_EQ(arc.Stretch(1, 0.0009), 0);
    CDtbArc tiny(CxyzData(), 1e-9, 0, 90, 0);  // radius far too small against the length
    EXPECT_EQ(tiny.Stretch(1, 5), 0);
    EXPECT_EQ(tiny.endAngle, 90);
}

TEST(CDtbArcTest, MinMaxIsTheTightBox) {
    struct Case {
        double start, end;
        int direction;
        CxyData min, max;
    };
    const double c10 = 10 * CosDeg(10), s10 = 10 * SinDeg(10);
    const Case cases[] = {
        {350, 10, 0, {c10, -s10}, {10, s10}},
        {350, 10, 1, {c10, -s10}, {10, s10}},
        {-10, 10, 0, {c10, -s10}, {10, s10}},
        {0, 360, 0, {-10, -10}, {10, 10}},
        {0, 90, 0, {0, 0}, {10, 10}},
        {45, 135, 0, {-10 * CosDeg(45), 10 * SinDeg(45)}, {10 * CosDeg(45), 10}},
        {90, 0, 0, {-10, -10}, {10, 10}},  // three quarters
        {0, 720, 0, {-10, -10}, {10, 10}},
    };
    for (const Case& c : cases) {
        CDtbArc arc(CxyzData(0, 0, 0), 10, c.start, c.end, c.direction);
        CxyData min, max;
        ResetBox(&min, &max);
        EXPECT_EQ(arc.MinMax(&min, &max), 1);
        EXPECT_NEAR(min.x, c.min.x, 1e-9) << c.start << ".." << c.end;
        EXPECT_NEAR(min.y, c.min.y, 1e-9) << c.start << ".." << c.end;
        EXPECT_NEAR(max.x, c.max.x, 1e-9) << c.start << ".." << c.end;
        EXPECT_NEAR(max.y, c.max.y, 1e-9) << c.start << ".." << c.end;
    }
    CDtbArc arc(CxyzData(1, 1, -4), 1, 0, 90, 0);
    CxyzData min, max;
    ResetBox(&min, &max);
    arc.MinMax(&min, &max);
    EXPECT_EQ(min.z, -4);
    EXPECT_EQ(max.z, -4);
}

// An end angle a few units in the last place off a whole turn from the start (the rounding of
// start + 360 in a later turn) is a full circle for the sweep, the length and the box alike.
TEST(CDtbArcTest, NearlyFullCirclesAreFull) {
    const double starts[] = {
        -364.04, -4.0397061991275223, 0.1, 290.2486895174132, 355.96029380087242, 715.96, 1075.3};
    const double r = 19.206;
    for (double s : starts) {
        for (int ulps = -3; ulps <= 3; ++ulps) {
            double e = s + 360.0;
            for (int i = 0; i < std::abs(ulps); ++i) e = std::nextafter(e, ulps < 0 ? -1e9 : 1e9);
            for (int direction : {0, 1}) {
                const CDtbArc arc(CxyzData(1, 2, 0), r, s, e, direction);
                EXPECT_EQ(arc.GetSweep(), 360.0) << s << ".." << e;
                EXPECT_DOUBLE_EQ(arc.GetElementLength(), 2 * 3.141592653589793 * r);
                CxyData min, max;
                ResetBox(&min, &max);
                arc.MinMax(&min, &max);
                EXPECT_NEAR(min.x, 1 - r, 1e-9) << s << ".." << e << " dir " << direction;
                EXPECT_NEAR(min.y, 2 - r, 1e-9) << s << ".." << e << " dir " << direction;
                EXPECT_NEAR(max.x, 1 + r, 1e-9) << s << ".." << e << " dir " << direction;
                EXPECT_NEAR(max.y, 2 + r, 1e-9) << s << ".." << e << " dir " << direction;
            }
        }
        // A sweep of 359.9 degrees stays one.
        const CDtbArc open(CxyzData(), r, s, s + 359.9, 0);
        EXPECT_NEAR(open.GetSweep(), 359.9, 1e-9) << s;
        EXPECT_NEAR(open.GetElementLength(), 2 * 3.141592653589793 * r * 359.9 / 360, 1e-9);
    }
}

TEST(CDtbArcTest, DefaultIsAFullCircleAndOffsetMovesTheCentre) {
    CDtbArc arc;
    EXPECT_EQ(arc.startAngle, 0);
    EXPECT_EQ(arc.endAngle, 360);
    EXPECT_EQ(arc.GetType(), kDtbTypeArc);
    arc += CxyzData(1, 2, 3);
    EXPECT_EQ(arc.centre, CxyzData(1, 2, 3));
    CxyzData p;
    arc.GetAnglePosition(90, p);
    EXPECT_EQ(p, CxyzData(1, 2, 3));  // radius 0
}

// Tests of the degree trigonometry and the canonical arc angles.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "kernel/base/DegreeTrig.h"

TEST(DegreeTrigTest, FunctionsWorkInDegrees) {
    EXPECT_NEAR(SinDeg(30), 0.5, 1e-15);
    EXPECT_NEAR(CosDeg(60), 0.5, 1e-15);
    EXPECT_NEAR(TanDeg(45), 1.0, 1e-15);
    EXPECT_NEAR(AsinDeg(0.5), 30, 1e-12);
    EXPECT_NEAR(AcosDeg(0.5), 60, 1e-12);
    EXPECT_NEAR(AtanDeg(1), 45, 1e-12);
    EXPECT_TRUE(std::isnan(AsinDeg(1.0000001)));  // no clamp
    EXPECT_TRUE(std::isnan(AcosDeg(-2)));
}

TEST(DegreeTrigTest, Atan2DegGivesADirectionInZeroTo360) {
    struct Case {
        double y, x, deg;
    };
    const Case cases[] = {
        {0, 0, 0},    {0, 1, 0},    {1, 0, 90},      {0, -1, 180},    {-1, 0, 270},
        {-1, 1, 315}, {1, -1, 135}, {-0.0, -1, 180}, {-1e-300, 1, 0},  // rounds to 360 after the
                                                                       // turn: kept inside [0, 360)
    };
    for (const Case& c : cases) {
        const double a = Atan2Deg(c.y, c.x);
        EXPECT_NEAR(a, c.deg, 1e-12) << c.y << "," << c.x;
        EXPECT_GE(a, 0);
        EXPECT_LT(a, 360);
    }
}

TEST(DegreeTrigTest, NormalizeArcSweep) {
    struct Case {
        int full;
        double start, end, radius;
        double wantStart, wantEnd;
        int result;
    };
    const Case cases[] = {
        {1, 10, 10, 50, 0, 360, -1},
        {0, 10, 10, 50, -350, 10, -1},          // steps 4 and 5 changed the angles
        {0, 0, 359.9999, 100, 0, 359.9999, 0},  // full within tolerance, but unchanged
        {1, 0, 359.9999, 100, 0, 360, -1},
        {0, 350, 10, 50, -10, 10, 0},  // crosses 0: negative start
        {0, -360, 90, 50, 0, 90, 0},  // -360 becomes 360; a turn is added to the end and taken back
        {0, 0, 90, 50, 0, 90, 0},
        {0, 90, 0, 50, 90, 360, 0},  // start >= end: one turn added to the end
        {0, 720, 810, 50, 0, 90, 0},
        {0, -90, 0, 50, 270, 360, 0},
        {0, 0, 360, 50, 0, 360, -1},  // 360 reduces to 0, so the full circle counts as changed
        {1, 0, 0.0005, 0.0001, 0, 360, -1},  // tiny radius: 0.001 degrees tolerance
        {0, 0, 0.002, 0.0001, 0, 0.002, 0},
        {0, 30, 30.0005, 100, 30, 30.0005, 0},  // within tolerance of 0, unchanged
        {1, 30, 30.0005, 100, 0, 360, -1},
    };
    for (const Case& c : cases) {
        double s = c.start, e = c.end;
        const int r = NormalizeArcSweep(c.full, &s, &e, c.radius);
        EXPECT_EQ(r, c.result) << c.start << ".." << c.end << " full " << c.full;
        EXPECT_NEAR(s, c.wantStart, 1e-9) << c.start << ".." << c.end;
        EXPECT_NEAR(e, c.wantEnd, 1e-9) << c.start << ".." << c.end;
    }
}

TEST(DegreeTrigTest, NormalizeArcSweepStartOfMinus360BecomesPlus360) {
    double s = -360, e = 400;  // end reduces to 40; start 360 >= 40 -> end 400 -> both shifted
    NormalizeArcSweep(0, &s, &e, 50);
    EXPECT_DOUBLE_EQ(s, 0);
    EXPECT_DOUBLE_EQ(e, 40);
}

// Whatever finite angles come in, the result lies in the documented range: a sweep in
// (0, 360], the end at most 360 unless a full circle was made as start..start + 360, and so the
// start above -360.
TEST(DegreeTrigTest, NormalizeArcSweepKeepsHugeAnglesInItsRange) {
    const double big = std::numeric_limits<double>::max();
    struct Case {
        double start, end;
    };
    const Case cases[] = {
        {1e300, -3e299},   {-1e300, 1e20}, {1e300, 1e300},    {big, -big},  {-big, big},
        {1e17, 1e17 + 64}, {-1e16, 7e15},  {1e-300, -1e-300}, {725, -1e10}, {4e9, 3e9},
    };
    for (const Case& c : cases) {
        for (int full : {0, 1}) {
            double s = c.start, e = c.end;
            const int r = NormalizeArcSweep(full, &s, &e, 10);
            SCOPED_TRACE(::testing::Message() << c.start << ".." << c.end << " full " << full);
            ASSERT_TRUE(std::isfinite(s) && std::isfinite(e));
            EXPECT_GT(e - s, 0.0);
            EXPECT_LE(e - s, 360.0);
            EXPECT_GT(s, -360.0);
            if (r == -1 && full == 0) {
                EXPECT_EQ(e, s + 360.0);
                EXPECT_LT(s, 360.0);
            } else {
                EXPECT_LE(e, 360.0);
            }
            if (r == -1 && full != 0) {
                EXPECT_EQ(s, 0.0);
                EXPECT_EQ(e, 360.0);
            }
        }
    }
}

// Whole turns far beyond an int's range, each exactly representable: 360 * 2^40 and 360 * 1e13
// reduce to nothing, leaving the small angles added to them.
TEST(DegreeTrigTest, NormalizeArcSweepRemovesTurnsBeyondAnInt) {
    const double turns40 = 395824185999360.0;  // 360 * 2^40
    double s = turns40 + 30, e = turns40 + 90;
    EXPECT_EQ(NormalizeArcSweep(0, &s, &e, 10), 0);
    EXPECT_EQ(s, 30.0);
    EXPECT_EQ(e, 90.0);
    s = -3.6e15 + 45;  // -1e13 turns and 45: reduces to 45
    e = 3.6e15 + 135;
    EXPECT_EQ(NormalizeArcSweep(0, &s, &e, 10), 0);
    EXPECT_EQ(s, 45.0);
    EXPECT_EQ(e, 135.0);
}

// Non-finite angles, in either place and with either full-circle setting, are left as they are.
TEST(DegreeTrigTest, NormalizeArcSweepLeavesNonFiniteAnglesAlone) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (double bad : {nan, inf, -inf}) {
        for (int full : {0, 1}) {
            double s = bad, e = 10;
            EXPECT_EQ(NormalizeArcSweep(full, &s, &e, 10), 0);
            EXPECT_TRUE(std::isnan(bad) ? std::isnan(s) : s == bad);
            EXPECT_EQ(e, 10);
            s = 20;
            e = bad;
            EXPECT_EQ(NormalizeArcSweep(full, &s, &e, 10), 0);
            EXPECT_EQ(s, 20);
            EXPECT_TRUE(std::isnan(bad) ? std::isnan(e) : e == bad);
        }
    }
}

TEST(DegreeTrigTest, NormalizeArcSweepSurvivesHugeAndNonFiniteAngles) {
    double s = 1e300, e = -3e299;  // an integer turn count would overflow here
    NormalizeArcSweep(0, &s, &e, 10);
    EXPECT_TRUE(std::isfinite(s));
    EXPECT_TRUE(std::isfinite(e));

    const double nan = std::numeric_limits<double>::quiet_NaN();
    s = nan;
    e = 10;
    EXPECT_EQ(NormalizeArcSweep(1, &s, &e, 10), 0);
    EXPECT_TRUE(std::isnan(s));
    EXPECT_EQ(e, 10);
    EXPECT_EQ(NormalizeArcSweep(1, nullptr, &e, 10), 0);
}

TEST(DegreeTrigTest, WholeTurnsWithinTheAngleTolerance) {
    struct Case {
        double sweep;
        bool whole;
    } cases[] = {
        {360, true},
        {360.00000000000006, true},
        {359.99999999999994, true},
        {720.0000001, true},
        {-360.0000001, true},
        {0, false},
        {1e-14, false},
        {359.9, false},
        {360.00001, false},
        {std::nan(""), false},
    };
    for (const Case& c : cases) EXPECT_EQ(IsWholeTurn(c.sweep), c.whole) << c.sweep;
    EXPECT_TRUE(IsWholeTurn(360.0005, 0.001));
    EXPECT_EQ(NormalizedSweep(355.96029380087242, 715.96029380087248), 360.0);
    EXPECT_EQ(NormalizedSweep(290.2486895174132, 650.24868951741314), 360.0);
    EXPECT_EQ(NormalizedSweep(10, 10), 0.0);
}

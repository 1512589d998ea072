// Tests of the punch-pattern geometry of the trace: the hits of shear lines, nibbling lines and
// nibbling arcs, the failing checks, the outline corners and the cell orders of all modes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kernel/db/CDtbLine.h"
#include "nc/read/NcAttributeTexts.h"
#include "text/core/NcPunchPattern.h"

namespace {

std::string Num(double v) {
    char buf[64];
    return std::string(buf, FormatFixed3(buf, v));
}
std::string Xy(const CxyzData& p) {
    return Num(p.x) + "," + Num(p.y);
}
std::vector<std::string> Centres(const std::vector<PunchTraceHit>& hits) {
    std::vector<std::string> out;
    for (const PunchTraceHit& h : hits) out.push_back(Xy(h.centre));
    return out;
}
template <size_t N>
std::vector<std::string> Points(const std::array<CxyzData, N>& corners) {
    std::vector<std::string> out;
    for (const CxyzData& p : corners) out.push_back(Xy(p));
    return out;
}
using Strings = std::vector<std::string>;

TEST(PunchTraceHits, ShearLines) {
    struct Case {
        const char* what;
        double angle, d1, d2, length, overlap;
        Strings centres;
    };
    const Case cases[] = {
        // n = trunc((50 - 0.5) / 9.5 - 0.000001) + 1 = 6, spaced 40 / 5 = 8.
        {"d1 10, L 50, overlap 0.05",
         0,
         10,
         4,
         50,
         0.05,
         {"0.000,0.000", "8.000,0.000", "16.000,0.000", "24.000,0.000", "32.000,0.000",
          "40.000,0.000"}},
        {"L equal to d1: one hit at the start", 0, 10, 4, 10, 0.05, {"0.000,0.000"}},
        // n = trunc(25 / 10 - 0.000001) + 1 = 3; the last hit exactly at 25 - 10 = 15.
        {"no overlap, upwards", 90, 10, 4, 25, 0.0, {"0.000,0.000", "0.000,7.500", "0.000,15.000"}},
        {"negative tool sizes count as magnitudes", 0, -10, -4, 10, 0.05, {"0.000,0.000"}},
        {"ratio 1", 0, 10, 4, 50, 1.0, {}},
        {"negative ratio", 0, 10, 4, 50, -0.1, {}},
        {"tiny tool length", 0, 0.0005, 4, 50, 0.05, {}},
        {"tiny tool width", 0, 10, 0.0005, 50, 0.05, {}},
        {"tiny length", 0, 10, 4, 0.0005, 0.05, {}},
        {"a length backwards: no count", 0, 10, 4, -50, 0.05, {}},
        {"huge length: more hits than the cap", 0, 10, 4, 1e9, 0.05, {}},
    };
    for (const Case& c : cases) {
        const auto hits =
            ShearLineHits(CxyzData(0, 0, 2), c.angle, c.d1, c.d2, c.length, c.overlap);
        EXPECT_EQ(Centres(hits), c.centres) << c.what;
        for (const PunchTraceHit& h : hits) {
            EXPECT_EQ(h.centre.z, 2.0) << c.what;
            EXPECT_EQ(h.angle, c.angle) << c.what;
        }
    }
}

TEST(PunchTraceHits, NibblingLines) {
    struct Case {
        const char* what;
        double angle, pitch, diameter, length;
        Strings centres;
    };
    const Case cases[] = {
        {"L 10, pitch 3: the last hit short of the end",
         0,
         3,
         5,
         10,
         {"10.000,5.000", "13.000,5.000", "16.000,5.000", "19.000,5.000"}},
        {"a negative pitch is a magnitude, 45 degrees",
         45,
         -5,
         5,
         5,
         {"10.000,5.000", "13.536,8.536"}},
        {"tiny pitch", 0, 0.0005, 5, 10, {}},
        {"tiny diameter", 0, 3, 0.0005, 10, {}},
        {"tiny length", 0, 3, 5, 0.0005, {}},
        {"huge length", 0, 0.001, 5, 1e9, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(
            Centres(NibbleLineHits(CxyzData(10, 5, 0), c.angle, c.pitch, c.diameter, c.length)),
            c.centres)
            << c.what;
}

TEST(PunchTraceHits, NibblingArcs) {
    // R 50, sweep -90, pitch 5: a step of 5.7296 degrees, trunc(15.708) + 1 = 16 hits turning
    // clockwise from the start angle.
    const auto cw = NibbleArcHits(100, 200, 50, 0, -90, 5, 0);
    ASSERT_EQ(cw.size(), 16u);
    EXPECT_EQ(Xy(cw[0].centre), "150.000,200.000");
    EXPECT_EQ(Xy(cw[1].centre), "149.750,195.008");
    EXPECT_EQ(Num(cw[1].angle), "-5.730");
    EXPECT_EQ(Xy(cw[15].centre), "103.537,150.125");
    EXPECT_EQ(cw[15].centre.z, 0.0);
    // Counter-clockwise on the band's middle: radius 50 + 10 / 2.
    const auto ccw = NibbleArcHits(0, 0, 50, 90, 10, 5, 10);
    ASSERT_EQ(ccw.size(), 2u);
    EXPECT_EQ(Xy(ccw[0].centre), "0.000,55.000");
    EXPECT_EQ(Num(ccw[1].angle), "95.730");
    EXPECT_TRUE(NibbleArcHits(0, 0, 0.0005, 0, 90, 5, 0).empty());    // tiny radius
    EXPECT_TRUE(NibbleArcHits(0, 0, 50, 0, 90, 0.0005, 0).empty());   // tiny pitch
    EXPECT_TRUE(NibbleArcHits(0, 0, 1e6, 0, 1e9, 0.001, 0).empty());  // count beyond the cap
}

TEST(PunchTraceOutlines, ShearRectangleAndDieRectangle) {
    // d1 along the angle, d2 across: back left, back right, front right, front left.
    EXPECT_EQ(Points(ShearOutlineCorners({CxyzData(0, 0, 0), 0.0}, 10, 4)),
              (Strings{"-5.000,2.000", "-5.000,-2.000", "5.000,-2.000", "5.000,2.000"}));
    EXPECT_EQ(Points(ShearOutlineCorners({CxyzData(0, 0, 0), 90.0}, 10, 4)),
              (Strings{"-2.000,-5.000", "2.000,-5.000", "2.000,5.000", "-2.000,5.000"}));
    // X across the radial direction, Y along it: front right, back right, back left, front
    // left (front outwards, right -90 degrees from the radial direction).
    EXPECT_EQ(Points(DieOutlineCorners({CxyzData(10, 0, 0), 0.0}, 6, 4)),
              (Strings{"12.000,-3.000", "8.000,-3.000", "8.000,3.000", "12.000,3.000"}));
    EXPECT_EQ(Points(DieOutlineCorners({CxyzData(0, 10, 0), 90.0}, 6, 4)),
              (Strings{"3.000,12.000", "3.000,8.000", "-3.000,8.000", "-3.000,12.000"}));
}

TEST(PunchCells, TheSerpentineOrderOfEveryMode) {
    using C = PunchCell;
    const std::vector<C> expected[8] = {
        {{0, 0}, {1, 0}, {2, 0}, {2, 1}, {1, 1}, {0, 1}},
        {{2, 0}, {1, 0}, {0, 0}, {0, 1}, {1, 1}, {2, 1}},
        {{0, 1}, {1, 1}, {2, 1}, {2, 0}, {1, 0}, {0, 0}},
        {{2, 1}, {1, 1}, {0, 1}, {0, 0}, {1, 0}, {2, 0}},
        {{0, 0}, {0, 1}, {1, 1}, {1, 0}, {2, 0}, {2, 1}},
        {{2, 0}, {2, 1}, {1, 1}, {1, 0}, {0, 0}, {0, 1}},
        {{0, 1}, {0, 0}, {1, 0}, {1, 1}, {2, 1}, {2, 0}},
        {{2, 1}, {2, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 0}},
    };
    for (int mode = 0; mode < 8; ++mode) {
        PunchCells cells;
        cells.A = 2;
        cells.B = 1;
        cells.Mode = mode;
        EXPECT_EQ(cells.Order(), expected[mode]) << "mode " << mode;
    }
    EXPECT_EQ(PunchCells{}.Order(), std::vector<C>{C{}});
}

TEST(PunchCells, ReadFromTheFirstElement) {
    struct Case {
        const char* what;
        uint32_t a, b, mode;
        int wantA, wantB, wantMode;
    };
    const Case cases[] = {
        {"a grid of 3 by 2 in mode 5", 2, 1, 5, 2, 1, 5},
        {"a mode outside 0-7 counts as 0", 2, 1, 9, 2, 1, 0},
        {"negative counts count as 0", 0xFFFFFFFFu, 0xFFFFFFFEu, 3, 0, 0, 3},
        {"more cells than the reader makes: one cell", 200, 200, 1, 0, 0, 1},
    };
    for (const Case& c : cases) {
        CDtbLine first({0, 0, 0}, {1, 0, 0});
        first.SetOption(3, c.a);
        first.SetOption(4, c.b);
        first.SetOption(6, c.mode);
        first.SetOptionValue(0, 100.0);
        first.SetOptionValue(1, 50.0);
        const PunchCells cells = PunchCells::Of(&first);
        EXPECT_EQ(cells.A, c.wantA) << c.what;
        EXPECT_EQ(cells.B, c.wantB) << c.what;
        EXPECT_EQ(cells.Mode, c.wantMode) << c.what;
        EXPECT_EQ(Xy(cells.Offset({2, 1})), "200.000,50.000") << c.what;
    }
    EXPECT_EQ(PunchCells::Of(nullptr).Order().size(), 1u);
}

}  // namespace

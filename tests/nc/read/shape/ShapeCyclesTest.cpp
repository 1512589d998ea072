// Shape cycles of motion codes 111 and 112 run through the interpreter: rapid, lead-in and an
// outline that closes on its start with the cut length of the shape's dimensions.
#include <gtest/gtest.h>

#include "ShapeTestSupport.h"

namespace {

using namespace shapetest;

CxyzData Along(double cx, double cy, double length, double k) {
    return CxyzData(cx + length * std::cos(Rad(k)), cy + length * std::sin(Rad(k)), 0.0);
}

struct CycleCase {
    const char* name;
    const char* block;
    int code;
    double cx, cy;  // centre
    double w1;      // length along the axis
    double k;       // axis angle
    double leadIn;
    double cut;  // lead-in plus outline, from the shape's dimensions
    int arcs;    // outline arcs
    int lines;   // outline lines (chamfers included)
};

const double kRoot2 = std::sqrt(2.0);

const CycleCase kCycles[] = {
    {"SharpRectangle", "G111 X0. Y0. I40. J20.", 111, 0, 0, 40, 0, 10, 10 + 2 * (40 + 20), 0, 5},
    {"RoundedRectangle", "G111 X0. Y0. I40. J20. R5.", 111, 0, 0, 40, 0, 10,
     10 + 2 * (40 + 20) - 8 * 5 + 2 * kPi * 5, 4, 5},
    {"ChamferedRectangle", "G111 X0. Y0. I40. J20. C5.", 111, 0, 0, 40, 0, 10,
     10 + 2 * (40 + 20) - 8 * 5 + 4 * 5 * kRoot2, 0, 9},
    {"Slot", "G112 X0. Y0. I30. J10.", 112, 0, 0, 30, 0, 5, 5 + 2 * (30 - 10) + kPi * 10, 3, 2},
    {"Circle", "G112 X0. Y0. I20.", 112, 0, 0, 20, 0, 10, 10 + kPi * 20, 1, 0},
    {"RoundedTurnedAndMoved", "G111 X50. Y30. I40. J20. R5. K30.", 111, 50, 30, 40, 30, 10,
     10 + 2 * (40 + 20) - 8 * 5 + 2 * kPi * 5, 4, 5},
    {"SlotUpright", "G112 X-20. Y10. I30. J10. K90.", 112, -20, 10, 30, 90, 5,
     5 + 2 * (30 - 10) + kPi * 10, 3, 2},
    {"ChamferedTurned", "G111 X5. Y-5. I30. J24. C3. K-60.", 111, 5, -5, 30, -60, 10,
     10 + 2 * (30 + 24) - 8 * 3 + 4 * 3 * kRoot2, 0, 9},
    {"LeadInFromQ", "G111 X0. Y0. I40. J20. Q4.", 111, 0, 0, 40, 0, 4, 4 + 2 * (40 + 20), 0, 5},
    {"CircleTurned", "G112 X5. Y5. I12. J12. K45.", 112, 5, 5, 12, 45, 6, 6 + kPi * 12, 1, 0},
};

class ShapeCycle : public ::testing::TestWithParam<CycleCase> {};

TEST_P(ShapeCycle, ClosesOnItsStartWithTheShapesCutLength) {
    const CycleCase& c = GetParam();
    nctest::Program p({c.block});
    const CNcReadState& st = p.reader.State;
    const std::vector<Leaf> leaves = Leaves(p.elements);
    ASSERT_EQ(leaves.size(), static_cast<size_t>(2 + c.arcs + c.lines)) << p.Dump();

    const CxyzData p0 = Along(c.cx, c.cy, c.w1 / 2 - c.leadIn, c.k);
    const CxyzData p1 = Along(c.cx, c.cy, c.w1 / 2, c.k);
    // Rapid from the head position to the pierce point, lead-in to the edge.
    EXPECT_EQ(leaves[0].line->info.classBits, kDtbClassRapid);
    EXPECT_LT(Distance(leaves[0].start, CxyzData(0, 0, 0)), 1e-9);
    EXPECT_LT(Distance(leaves[0].end, p0), 1e-9);
    EXPECT_EQ(leaves[1].line->info.classBits, kDtbClassCut);
    EXPECT_LT(Distance(leaves[1].start, p0), 1e-9);
    EXPECT_LT(Distance(leaves[1].end, p1), 1e-9);
    // One chain from the lead-in on, back to its end.
    EXPECT_EQ(FirstBreak(leaves, 1), -1) << p.Dump();
    EXPECT_LT(Distance(leaves.back().end, p1), 1e-9) << p.Dump();

    int arcs = 0;
    for (const Leaf& l : leaves) arcs += l.arc != nullptr ? 1 : 0;
    EXPECT_EQ(arcs, c.arcs);
    EXPECT_NEAR(st.CutLength, c.cut, 1e-9);
    EXPECT_NEAR(SumLengths(leaves, 1), c.cut, 1e-9);
    EXPECT_NEAR(st.RapidLength, Distance(CxyzData(0, 0, 0), p0), 1e-9);
    EXPECT_EQ(st.MarkLength, 0.0);
    // The next rapid starts at the pierce point; the head stands at the centre.
    EXPECT_LT(Distance(st.LastElementEnd, p0), 1e-9);
    EXPECT_LT(Distance(st.CurrentPos, CxyzData(c.cx, c.cy, 0)), 1e-9);
    EXPECT_EQ(st.PrevCode, c.code * 10);
    // Counter-clockwise: the area enclosed by the outline is positive.
    double area = 0.0;
    for (size_t i = 2; i < leaves.size(); ++i) {
        area += leaves[i].start.x * leaves[i].end.y - leaves[i].end.x * leaves[i].start.y;
    }
    if (c.lines > 0) {
        EXPECT_GT(area, 0.0);
    } else {
        EXPECT_EQ(leaves.back().arc->direction, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Cycles, ShapeCycle, ::testing::ValuesIn(kCycles),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ShapeCycle, PiecesCarryTheLeadInTextsAndTheirOwn) {
    nctest::Program p({"", "G111 X0. Y0. I40. J20. R5."});
    const std::vector<const CDtbElement*> top = TopLevel(p.elements);
    ASSERT_EQ(top.size(), 11u);
    const std::vector<std::string> leadIn = Texts(*top[1]);
    ASSERT_EQ(leadIn.size(), 3u);
    EXPECT_EQ(leadIn[0], "LineNo=1");
    EXPECT_EQ(leadIn[2], "ElmInfo=1 10.000 0.000 0.000 20.000 0.000 0.000 0.000 10.000");
    // A straight piece: the lead-in's three texts, then its own.
    const std::vector<std::string> side = Texts(*top[2]);
    ASSERT_EQ(side.size(), 6u);
    EXPECT_EQ(std::vector<std::string>(side.begin(), side.begin() + 3), leadIn);
    EXPECT_EQ(side[5], "ElmInfo=1 20.000 0.000 0.000 20.000 5.000 0.000 90.000 5.000");
    // The first corner arc: its kind-2 text first; the next arc copies the first one's texts.
    const std::vector<std::string> arc1 = Texts(*top[3]);
    ASSERT_EQ(arc1.size(), 3u);
    EXPECT_EQ(arc1[0],
              "ElmInfo=2 20.000 5.000 0.000 15.000 10.000 0.000 15.000 5.000 0.000 0.000 90.000 0 "
              "5.000 7.854");
    EXPECT_EQ(arc1[1], "LineNo=1");
    const std::vector<std::string> arc2 = Texts(*top[5]);
    ASSERT_EQ(arc2.size(), 6u);
    EXPECT_EQ(std::vector<std::string>(arc2.begin(), arc2.begin() + 3), arc1);
    // No piece carries head angles.
    for (const Leaf& l : Leaves(p.elements)) {
        if (l.line) {
            EXPECT_EQ(l.line->headAngleA, 0.0f);
        }
        if (l.arc) {
            EXPECT_EQ(l.arc->headAngleA, 0.0f);
        }
    }
}

TEST(ShapeCycle, GapShortensTheLastPiece) {
    struct Case {
        const char* block;
        double cut;
        CxyzData end;  // end of the last piece
        size_t leaves;
    } cases[] = {
        // The slot's last quarter arc stops 2 (arc length) short of the start.
        {"G112 X0. Y0. I30. J10. H2.", 5 + 40 + 10 * kPi - 2,
         CxyzData(10 + 5 * std::cos(-0.4), 5 * std::sin(-0.4), 0), 7},
        // The rectangle's last half side stops 3 short.
        {"G111 X0. Y0. I40. J20. H3.", 127, CxyzData(20, -3, 0), 7},
        // A gap longer than the last piece leaves it out rather than wrapping it round.
        {"G112 X0. Y0. I30. J10. H9.", 5 + 40 + 10 * kPi - 2.5 * kPi, CxyzData(10, -5, 0), 6},
        {"G111 X0. Y0. I40. J20. H12.", 120, CxyzData(20, -10, 0), 6},
    };
    for (const Case& c : cases) {
        nctest::Program p({c.block});
        const std::vector<Leaf> leaves = Leaves(p.elements);
        ASSERT_EQ(leaves.size(), c.leaves) << c.block << "\n" << p.Dump();
        EXPECT_NEAR(p.reader.State.CutLength, c.cut, 1e-9) << c.block;
        EXPECT_LT(Distance(leaves.back().end, c.end), 1e-9) << c.block << "\n" << p.Dump();
        EXPECT_EQ(FirstBreak(leaves, 1), -1) << c.block;
    }
}

TEST(ShapeCycle, SizesAreModal) {
    // The second block keeps the length 40 and takes the width 30: a lead-in of 10.
    nctest::Program p({"G111 X0. Y0. I40. J20.", "X100. J30."});
    const std::vector<Leaf> leaves = Leaves(p.elements);
    ASSERT_EQ(leaves.size(), 14u) << p.Dump();
    EXPECT_LT(Distance(leaves[7].end, CxyzData(110, 0, 0)), 1e-9);
    EXPECT_LT(Distance(leaves[8].end, CxyzData(120, 0, 0)), 1e-9);
    EXPECT_LT(Distance(leaves[9].end, CxyzData(120, 15, 0)), 1e-9);
    EXPECT_NEAR(p.reader.State.CutLength, 130 + 10 + 2 * (40 + 30), 1e-9);
    EXPECT_EQ(p.reader.State.ModalJ, 30.0);
    // The second rapid starts at the first cycle's pierce point.
    EXPECT_LT(Distance(leaves[7].start, CxyzData(10, 0, 0)), 1e-9);
}

TEST(ShapeCycle, NoSizeMakesNothing) {
    const char* blocks[] = {
        "G111 X10. Y0.",           // no I ever given
        "G112 X10. Y0. J10.",      // a width alone has no length
        "G111 X10. Y0. I0. J20.",  // zero length
        "G112 X10. Y0. I-5.",      // negative size
        "G111 X10. Y0. I40. J0.",  // zero width
    };
    for (const char* block : blocks) {
        nctest::Program p({block});
        EXPECT_EQ(p.elements.GetFirstElement(), nullptr) << block << "\n" << p.Dump();
        EXPECT_EQ(p.reader.State.CutLength, 0.0) << block;
        // The block still moves the head to its point.
        EXPECT_LT(Distance(p.reader.State.CurrentPos, CxyzData(10, 0, 0)), 1e-9) << block;
    }
}

TEST(ShapeCycle, WhileMarkingTheLengthCountsTwice) {
    nctest::Program p({"M09", "G111 X0. Y0. I40. J20."});
    const CNcReadState& st = p.reader.State;
    EXPECT_NEAR(st.CutLength, 130.0, 1e-9);
    EXPECT_NEAR(st.MarkLength, 130.0, 1e-9);
    EXPECT_EQ(Leaves(p.elements)[1].line->info.classBits, kDtbClassMark);
}

TEST(ShapeCycle, ChamferWordIsNoHeadAngle) {
    nctest::Program p({"G01 X1. C10.", "G111 X0. Y0. I40. J20. C5."});
    EXPECT_EQ(p.reader.State.ModalC, 10.0);
}

}  // namespace

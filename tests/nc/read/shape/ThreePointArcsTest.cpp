// Three-point arcs (G11 / G11.2 then G11.1) and circles (G12, G12.1, G12.2) run through the
// interpreter: planar arcs as arc elements in the points' turning sense, arcs in space as chord
// groups, collinear points, out-of-sequence blocks and impossible circles.
#include <gtest/gtest.h>

#include "ShapeTestSupport.h"

namespace {

using namespace shapetest;

struct P3 {
    double x, y, z;
};
P3 Sub(const CxyzData& a, const CxyzData& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
P3 Cross(const P3& a, const P3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double Dot(const P3& a, const P3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

// Circumcentre of three points: a + (|u|^2 (v x w) + |v|^2 (w x u)) / (2 |w|^2), w = u x v.
CxyzData Circumcentre(const CxyzData& a, const CxyzData& b, const CxyzData& c) {
    const P3 u = Sub(b, a), v = Sub(c, a), w = Cross(u, v);
    const P3 p = Cross(v, w), q = Cross(w, u);
    const double uu = Dot(u, u), vv = Dot(v, v), ww = Dot(w, w);
    return CxyzData(a.x + (uu * p.x + vv * q.x) / (2 * ww), a.y + (uu * p.y + vv * q.y) / (2 * ww),
                    a.z + (uu * p.z + vv * q.z) / (2 * ww));
}

// Angle at the centre between two points of the circle (below 180 in the cases here).
double CentreAngle(const CxyzData& c, const CxyzData& a, const CxyzData& b) {
    const P3 u = Sub(a, c), v = Sub(b, c);
    return std::acos(Dot(u, v) / std::sqrt(Dot(u, u) * Dot(v, v))) * 180.0 / kPi;
}

std::vector<const CDtbArc*> Arcs(const std::vector<Leaf>& leaves) {
    std::vector<const CDtbArc*> out;
    for (const Leaf& l : leaves) {
        if (l.arc) out.push_back(l.arc);
    }
    return out;
}

TEST(ThreePointArc, PlanarCounterClockwiseIsTwoArcHalves) {
    SteppedProgram p({"G01 X10.", "G11 X0. Y10.", "G11.1 X-10. Y0."});
    const std::vector<const CDtbElement*> top = TopLevel(p.elements);
    ASSERT_EQ(top.size(), 3u) << nctest::Dump(p.elements);
    const std::vector<std::string> first = Texts(*top[1]);
    const std::vector<std::string> second = Texts(*top[2]);
    ASSERT_EQ(first.size(), 3u);
    // The first half carries the G11 block's line, the second the G11.1 block's.
    EXPECT_EQ(first[0], "LineNo=1");
    EXPECT_EQ(first[2],
              "ElmInfo=2 10.000 0.000 0.000 0.000 10.000 0.000 0.000 0.000 0.000 0.000 90.000 0 "
              "10.000 15.708");
    EXPECT_EQ(second[0], "LineNo=2");
    EXPECT_EQ(second[2],
              "ElmInfo=2 0.000 10.000 0.000 -10.000 0.000 0.000 0.000 0.000 0.000 90.000 180.000 "
              "0 10.000 15.708");
    const CNcReadState& st = p.reader.State;
    EXPECT_NEAR(st.CutLength, 10 + 10 * kPi, 1e-9);
    EXPECT_LT(Distance(st.CurrentPos, CxyzData(-10, 0, 0)), 1e-9);
    EXPECT_LT(Distance(st.LastElementEnd, CxyzData(-10, 0, 0)), 1e-9);
    EXPECT_EQ(st.PrevCode, 111);
    EXPECT_EQ(p.StatusOfLine(1), 0);
    EXPECT_EQ(p.StatusOfLine(2), 0);
}

struct ArcCase {
    const char* name;
    CxyzData p0, p1, p2;
    bool planar;
};

std::string Word(char letter, double v) {
    return std::string(1, letter) + nctest::Num(v);
}
std::string Point(const CxyzData& p) {
    return Word('X', p.x) + " " + Word('Y', p.y) + " " + Word('Z', p.z);
}

const ArcCase kArcs[] = {
    {"PlanarClockwise", {10, 0, 0}, {0, -10, 0}, {-10, 0, 0}, true},
    {"PlanarShortClockwise", {3, 4, 2}, {5, 0, 2}, {3, -4, 2}, true},
    {"PlanarLongCounterClockwise", {20, 5, -1}, {-5, 25, -1}, {-5, -15, -1}, true},
    {"InSpace", {10, 0, 0}, {0, 10, 5}, {-10, 0, 0}, false},
    {"JustOutOfPlane", {10, 0, 0}, {0, 10, 0.001}, {-10, 0, 0}, false},
    {"SteepInSpace", {1, 1, 0}, {5, 1, 8}, {10, 0, 0}, false},
};

class ThreePointArcCase : public ::testing::TestWithParam<ArcCase> {};

// The arc runs from the position before the G11 block through the middle point to the G11.1
// point, every point on the circle through the three, with the length of the arc (or of its
// chords).
TEST_P(ThreePointArcCase, RunsThroughItsPointsWithItsLength) {
    const ArcCase& c = GetParam();
    SteppedProgram p({"G00 " + Point(c.p0), "G01", "G11 " + Point(c.p1), "G11.1 " + Point(c.p2)});
    const std::vector<Leaf> leaves = Leaves(p.elements);
    ASSERT_GE(leaves.size(), 3u);
    EXPECT_EQ(FirstBreak(leaves, 0), -1) << nctest::Dump(p.elements);
    EXPECT_LT(Distance(leaves[1].start, c.p0), 1e-9);
    EXPECT_LT(Distance(leaves.back().end, c.p2), 1e-9) << nctest::Dump(p.elements);

    const CxyzData centre = Circumcentre(c.p0, c.p1, c.p2);
    const double r = Distance(centre, c.p0);
    const double sweep1 = CentreAngle(centre, c.p0, c.p1);
    const double sweep2 = CentreAngle(centre, c.p1, c.p2);
    for (size_t i = 1; i < leaves.size(); ++i) {
        EXPECT_NEAR(Distance(leaves[i].end, centre), r, 1e-9);
    }
    const std::vector<const CDtbElement*> top = TopLevel(p.elements);
    ASSERT_EQ(top.size(), 3u);
    if (c.planar) {
        const std::vector<const CDtbArc*> arcs = Arcs(leaves);
        ASSERT_EQ(arcs.size(), 2u);
        EXPECT_LT(Distance(leaves[1].end, c.p1), 1e-9);
        EXPECT_NEAR(p.reader.State.CutLength, r * (sweep1 + sweep2) * kPi / 180.0, 1e-9);
    } else {
        EXPECT_EQ(CountGroups(p.elements), 2);
        auto* first = DtbCast<CDtbNode>(top[1]);
        int n1 = 0;
        for (const CDtbElement* e = first->firstChild; e != nullptr; e = e->link.next) ++n1;
        EXPECT_EQ(n1, FittedCount(sweep1));
        EXPECT_LT(Distance(DtbCast<CDtbLine>(first->GetLastChild())->end, c.p1), 1e-9);
        EXPECT_EQ(leaves.size(), 1u + FittedCount(sweep1) + FittedCount(sweep2));
        EXPECT_NEAR(p.reader.State.CutLength, FittedChords(r, sweep1) + FittedChords(r, sweep2),
                    1e-9);
        // Node: the group's line, its part, then its kind-4 text with the half's two points.
        const std::vector<std::string> texts = Texts(*first);
        ASSERT_EQ(texts.size(), 3u);
        EXPECT_EQ(texts[0], "LineNo=2");
        EXPECT_EQ(texts[2].rfind("ElmInfo=4 " + nctest::Num(c.p0.x) + " ", 0), 0u) << texts[2];
        // Chords carry the block's own line.
        EXPECT_EQ(Texts(*first->firstChild)[0], "LineNo=3");
    }
    EXPECT_LT(Distance(p.reader.State.CurrentPos, c.p2), 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Arcs, ThreePointArcCase, ::testing::ValuesIn(kArcs),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ThreePointArc, ClockwiseHalvesTravelBackwards) {
    SteppedProgram p({"G01 X10.", "G11 X0. Y-10.", "G11.1 X-10. Y0."});
    const std::vector<const CDtbArc*> arcs = Arcs(Leaves(p.elements));
    ASSERT_EQ(arcs.size(), 2u);
    EXPECT_EQ(arcs[0]->direction, 1);
    EXPECT_NEAR(arcs[0]->GetSweep(), 90.0, 1e-9);
    EXPECT_NEAR(arcs[1]->GetSweep(), 90.0, 1e-9);
    EXPECT_NEAR(p.reader.State.CutLength, 10 + 10 * kPi, 1e-9);
}

TEST(ThreePointArc, CollinearPointsGiveTwoLegs) {
    SteppedProgram p({"G01 X1.", "G11 X5.", "G11.1 X10."});
    const std::vector<const CDtbElement*> top = TopLevel(p.elements);
    ASSERT_EQ(top.size(), 2u) << nctest::Dump(p.elements);
    auto* group = DtbCast<CDtbNode>(top[1]);
    ASSERT_NE(group, nullptr);
    EXPECT_TRUE(group->Is(kDtbOwnerTessmark, kDtbKindDevideArc));
    EXPECT_EQ(Texts(*group), (std::vector<std::string>{"LineNo=2", "PrtNo=0"}));
    const std::vector<Leaf> leaves = Leaves(p.elements);
    ASSERT_EQ(leaves.size(), 3u);
    EXPECT_LT(Distance(leaves[1].end, CxyzData(5, 0, 0)), 1e-9);
    EXPECT_LT(Distance(leaves[2].end, CxyzData(10, 0, 0)), 1e-9);
    EXPECT_EQ(Texts(*leaves[2].element), (std::vector<std::string>{"LineNo=2", "PrtNo=0"}));
    EXPECT_NEAR(p.reader.State.CutLength, 10.0, 1e-9);
    EXPECT_EQ(p.reader.State.PrevCode, 111);
}

TEST(ThreePointArc, EndWithoutMiddleIsAStraightCut) {
    SteppedProgram p({"G01 X10.", "G11.1 X20."});
    const std::vector<Leaf> leaves = Leaves(p.elements);
    ASSERT_EQ(leaves.size(), 2u);
    EXPECT_EQ(CountGroups(p.elements), 0);
    EXPECT_LT(Distance(leaves[1].start, CxyzData(10, 0, 0)), 1e-9);
    EXPECT_LT(Distance(leaves[1].end, CxyzData(20, 0, 0)), 1e-9);
}

TEST(ThreePointArc, HalvesTakeTheHeadAnglesOfTheirBlocks) {
    SteppedProgram p({"G01 X10. A10. C20.", "G11 X0. Y10. A15. C25.", "G11.1 X-10. Y0. A20. C30."});
    const std::vector<const CDtbArc*> arcs = Arcs(Leaves(p.elements));
    ASSERT_EQ(arcs.size(), 2u);
    EXPECT_EQ(arcs[0]->headAngleA, 15.0f);
    EXPECT_EQ(arcs[0]->headAngleC, 25.0f);
    EXPECT_EQ(arcs[1]->headAngleA, 20.0f);
    EXPECT_EQ(arcs[1]->headAngleC, 30.0f);
}

struct CircleCase {
    const char* name;
    CxyzData q1, q2, q3;
    bool planar;
};

const CircleCase kCircles[] = {
    {"PlanarCounterClockwise", {10, 0, 0}, {0, 10, 0}, {-10, 0, 0}, true},
    // Clockwise points: the circle is drawn once, not twice.
    {"PlanarClockwise", {10, 0, 0}, {0, -10, 0}, {-10, 0, 0}, true},
    {"PlanarClockwiseOffCentre", {40, 30, 3}, {35, 25, 3}, {25, 30, 3}, true},
    {"InSpace", {10, 0, 0}, {0, 10, 5}, {-10, 0, 0}, false},
    {"InSpaceClockwise", {10, 0, 0}, {0, -10, 5}, {-10, 0, -2}, false},
};

class ThreePointCircleCase : public ::testing::TestWithParam<CircleCase> {};

TEST_P(ThreePointCircleCase, CoversTheCircleOnceAndReturnsToItsStart) {
    const CircleCase& c = GetParam();
    SteppedProgram p(
        {"G00 " + Point(c.q1), "G01", "G12 " + Point(c.q2), "G12.1 " + Point(c.q3), "G12.2"});
    EXPECT_EQ(p.StatusOfLine(2), 0);
    EXPECT_EQ(p.StatusOfLine(3), 0);
    EXPECT_EQ(p.StatusOfLine(4), 0);
    const std::vector<Leaf> leaves = Leaves(p.elements);
    EXPECT_EQ(FirstBreak(leaves, 0), -1) << nctest::Dump(p.elements);
    EXPECT_LT(Distance(leaves.back().end, c.q1), 1e-9);

    const CxyzData centre = Circumcentre(c.q1, c.q2, c.q3);
    const double r = Distance(centre, c.q1);
    for (size_t i = 1; i < leaves.size(); ++i) {
        EXPECT_NEAR(Distance(leaves[i].end, centre), r, 1e-9);
    }
    const std::vector<const CDtbElement*> top = TopLevel(p.elements);
    ASSERT_EQ(top.size(), 4u) << nctest::Dump(p.elements);
    // The segments carry the lines of the G12, G12.1 and G12.2 blocks.
    EXPECT_EQ(Texts(*top[1])[0], "LineNo=2");
    EXPECT_EQ(Texts(*top[2])[0], "LineNo=3");
    EXPECT_EQ(Texts(*top[3])[0], "LineNo=4");
    const CNcReadState& st = p.reader.State;
    if (c.planar) {
        const std::vector<const CDtbArc*> arcs = Arcs(leaves);
        ASSERT_EQ(arcs.size(), 3u);
        double sweep = 0.0;
        for (const CDtbArc* a : arcs) sweep += a->GetSweep();
        EXPECT_NEAR(sweep, 360.0, 1e-9);
        EXPECT_NEAR(st.CutLength, 2 * kPi * r, 1e-9);
    } else {
        EXPECT_EQ(CountGroups(p.elements), 3);
        const double s1 = CentreAngle(centre, c.q1, c.q2);
        const double s2 = CentreAngle(centre, c.q2, c.q3);
        const double s3 = 360.0 - s1 - s2;
        EXPECT_NEAR(st.CutLength, FittedChords(r, s1) + FittedChords(r, s2) + FittedChords(r, s3),
                    1e-9);
        EXPECT_EQ(leaves.size(), 1u + FittedCount(s1) + FittedCount(s2) + FittedCount(s3));
    }
    // The head stands at the position before the G12 block again.
    EXPECT_LT(Distance(st.CurrentPos, c.q1), 1e-9);
    EXPECT_LT(Distance(st.LastElementEnd, c.q1), 1e-9);
    EXPECT_EQ(st.PrevCode, 122);
}

INSTANTIATE_TEST_SUITE_P(Circles, ThreePointCircleCase, ::testing::ValuesIn(kCircles),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ThreePointCircle, SegmentsTakeTheHeadAnglesOfTheChain) {
    SteppedProgram p(
        {"G01 X10. A1. C2.", "G12 X0. Y10. A3. C4.", "G12.1 X-10. Y0. A5. C6.", "G12.2"});
    const std::vector<const CDtbArc*> arcs = Arcs(Leaves(p.elements));
    ASSERT_EQ(arcs.size(), 3u);
    EXPECT_EQ(arcs[0]->headAngleA, 3.0f);
    EXPECT_EQ(arcs[0]->headAngleC, 4.0f);
    EXPECT_EQ(arcs[1]->headAngleA, 5.0f);
    EXPECT_EQ(arcs[1]->headAngleC, 6.0f);
    EXPECT_EQ(arcs[2]->headAngleA, 1.0f);
    EXPECT_EQ(arcs[2]->headAngleC, 2.0f);
}

TEST(ThreePointCircle, OutOfSequenceDrawsNothing) {
    SteppedProgram p({"G01 X10.", "G12.1 X0. Y10.", "G12.2"});
    EXPECT_EQ(p.StatusOfLine(1), 0);
    EXPECT_EQ(p.StatusOfLine(2), 0);
    EXPECT_EQ(Leaves(p.elements).size(), 1u);
    EXPECT_EQ(p.reader.State.PrevCode, -1);
    EXPECT_LT(Distance(p.reader.State.CurrentPos, CxyzData(10, 0, 0)), 1e-9);
}

TEST(ThreePointCircle, PointsWithoutCircleFail) {
    const std::vector<std::string> programs[] = {
        {"G01 X10.", "G12 X20.", "G12.1 X30.", "G12.2"},          // collinear
        {"G01 X10.", "G12 X20. Y5.", "G12.1 X10. Y0.", "G12.2"},  // third point on the first
        {"G01 X10.", "G12 X20. Y5.", "G12.1 X20. Y5.", "G12.2"},  // third point on the second
    };
    for (const auto& lines : programs) {
        SteppedProgram p(lines);
        EXPECT_EQ(p.StatusOfLine(3), -7) << lines[2];
        EXPECT_EQ(Leaves(p.elements).size(), 1u) << lines[2] << "\n" << nctest::Dump(p.elements);
        EXPECT_NEAR(p.reader.State.CutLength, 10.0, 1e-9);
    }
}

}  // namespace

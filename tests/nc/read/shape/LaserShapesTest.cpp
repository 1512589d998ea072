// Laser shape macros G08.4 / G08.1 run through the interpreter: each of the nine outlines
// closes on the end of its approach line with the cut length of its dimensions, in the plane of
// the head, and the failures keep to their statuses.
#include <gtest/gtest.h>

#include <functional>

#include "ShapeTestSupport.h"
#include "kernel/geom/CVectoMatrix.h"

namespace {

using namespace shapetest;

double Deg(double rad) {
    return rad * 180.0 / kPi;
}

// The head stands at (50, 20, 0); the G08.1 point lies along +x, so local u is world x.
std::vector<std::string> ShapeProgram(const std::string& definition) {
    return {"G01", "G00 X50. Y20.", definition, "G08.1 X60. Y20."};
}
const CxyzData kHead(50, 20, 0);

struct OutlineCase {
    const char* name;
    const char* definition;
    double approachU, approachV;  // where the approach line ends (and the outline closes)
    int groups;
    std::function<double()> cut;  // approach plus outline, from the dimensions
};

const OutlineCase kOutlines[] = {
    {"Rectangle", "G08.4 P1 U10. V4.", 0, 2, 0, [] { return 2 + 2 * (10 + 4.0); }},
    {"RoundedRectangle", "G08.4 P2 U20. V10. R2.", 0, 5, 4,
     [] { return 5 + 2 * (20 - 4.0) + 2 * (10 - 4.0) + 4 * FixedChords(2, 90); }},
    {"RoundedRectangleRadius0", "G08.4 P2 U20. V10. R0.", 0, 5, 0,
     [] { return 5 + 2 * (20 + 10.0); }},
    {"Track", "G08.4 P3 U30. V10.", 0, 5, 2,
     [] { return 5 + 2 * (30 - 10.0) + 2 * FixedChords(5, 180); }},
    {"TrackRound", "G08.4 P3 U10. V10.", 0, 5, 2, [] { return 5 + 2 * FixedChords(5, 180); }},
    {"Keyhole", "G08.4 P4 U20. D6. R8.", -8, 0, 3,
     [] {
         const double x = std::sqrt(64.0 - 9.0), t = Deg(std::atan2(3.0, x));
         return 8 + 2 * FittedChords(8, 180 - t) + 2 * (20 - x) + FittedChords(3, 180);
     }},
    {"HalfDisc", "G08.4 P5 R6. D1.", 6, 0, 2, [] { return 6 + 2 * FixedChords(6, 90) + 12; }},
    {"CircleWithFlats", "G08.4 P6 V6. R5.", 0, 3, 2,
     [] {
         const double x6 = 4.0, t = Deg(std::atan2(3.0, 4.0));
         return 3 + 4 * x6 + 2 * FittedChords(5, 2 * t);
     }},
    {"CircleWithTouchingFlats", "G08.4 P6 V10. R5.", 0, 5, 2,
     [] { return 5 + 2 * FittedChords(5, 180); }},
    {"Hexagon", "G08.4 P7 V10.", 0, 5, 0, [] { return 5 + 6 * 10 * std::tan(Rad(30)); }},
    {"KeyholeWithFillets", "G08.4 P8 U20. D6. R8. E1.", -8, 0, 5,
     [] {
         const double x = std::sqrt(81.0 - 16.0), t = Deg(std::atan2(4.0, x));
         return 8 + 2 * FittedChords(8, 180 - t) + 2 * FittedChords(1, 90 - t) + 2 * (20 - x) +
                FittedChords(3, 180);
     }},
    {"SlotWithCircle", "G08.4 P9 U40. V10. D20. R2.", -20, 0, 10,
     [] {
         const double x = std::sqrt(144.0 - 49.0), t = Deg(std::atan2(7.0, x));
         return 20 + 3 + 6 + 3 + 4 * (18 - x) + 4 * FixedChords(2, 90) +
                4 * FittedChords(2, 90 - t) + 2 * FittedChords(10, 180 - 2 * t);
     }},
    {"SlotWithCircleSharp", "G08.4 P9 U40. V10. D20. R0.", -20, 0, 2,
     [] {
         // The straight sides meet the circle at u = +-sqrt(D^2/4 - V^2/4).
         const double x = std::sqrt(100.0 - 25.0);
         return 20 + 5 + 4 * (20 - x) + 10 + 5 + 2 * FittedChords(10, 120);
     }},
    // The sides touch the circle: its two arcs shrink to nothing instead of becoming full
    // circles.
    {"SlotWithTouchingCircle", "G08.4 P9 U40. V10. D10. R0.", -20, 0, 2,
     [] { return 20 + 5 + 4 * 20.0 + 10 + 5; }},
};

class LaserOutlineTest : public ::testing::TestWithParam<OutlineCase> {};

TEST_P(LaserOutlineTest, ClosesOnTheApproachWithTheShapesCutLength) {
    const OutlineCase& c = GetParam();
    SteppedProgram p(ShapeProgram(c.definition));
    const CNcReadState& st = p.reader.State;
    EXPECT_EQ(p.StatusOfLine(2), 0);
    EXPECT_EQ(p.StatusOfLine(3), 0);
    const std::vector<Leaf> leaves = Leaves(p.elements);
    ASSERT_GE(leaves.size(), 3u) << nctest::Dump(p.elements);
    // leaves[0] is the rapid to the head position; the approach line starts there.
    const CxyzData approachEnd(kHead.x + c.approachU, kHead.y + c.approachV, 0);
    EXPECT_LT(Distance(leaves[1].start, kHead), 1e-9);
    EXPECT_LT(Distance(leaves[1].end, approachEnd), 1e-9);
    EXPECT_EQ(FirstBreak(leaves, 1), -1) << nctest::Dump(p.elements);
    EXPECT_LT(Distance(leaves.back().end, approachEnd), 1e-9) << nctest::Dump(p.elements);
    EXPECT_EQ(CountGroups(p.elements), c.groups);
    EXPECT_NEAR(st.CutLength, c.cut(), 1e-9);
    EXPECT_NEAR(SumLengths(leaves, 1), c.cut(), 1e-9);
    EXPECT_EQ(st.MarkLength, 0.0);
    // Flat: no head angles were given, so the shape lies in the plane of the head position.
    for (const Leaf& l : leaves) {
        EXPECT_EQ(l.start.z, 0.0);
        EXPECT_EQ(l.end.z, 0.0);
    }
    // Counter-clockwise seen from the tool side.
    double area = 0.0;
    for (size_t i = 2; i < leaves.size(); ++i) {
        area += leaves[i].start.x * leaves[i].end.y - leaves[i].end.x * leaves[i].start.y;
    }
    EXPECT_GT(area, 0.0);
    // The head stays at P; the next move starts where the last motion ended.
    EXPECT_LT(Distance(st.CurrentPos, kHead), 1e-9);
    EXPECT_LT(Distance(st.LastElementEnd, kHead), 1e-9);
    EXPECT_EQ(st.PrevCode, 81);
}

INSTANTIATE_TEST_SUITE_P(Outlines, LaserOutlineTest, ::testing::ValuesIn(kOutlines),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LaserShape, TextsFollowTheirTemplates) {
    SteppedProgram p(ShapeProgram("G08.4 P2 U20. V10. R2."));
    const std::vector<const CDtbElement*> top = TopLevel(p.elements);
    ASSERT_EQ(top.size(), 11u);  // rapid, approach, 5 edges and 4 groups
    const std::vector<std::string> approach = Texts(*top[1]);
    ASSERT_EQ(approach.size(), 3u);
    EXPECT_EQ(approach[0], "LineNo=3");
    EXPECT_EQ(approach[2], "ElmInfo=3 50.000 20.000 0.000 50.000 25.000 0.000 5.000 0.000");
    // The first edge copies the approach; it is the template of the later edges and chords.
    const std::vector<std::string> first = Texts(*top[2]);
    ASSERT_EQ(first.size(), 6u);
    EXPECT_EQ(std::vector<std::string>(first.begin(), first.begin() + 3), approach);
    EXPECT_EQ(first[5], "ElmInfo=3 50.000 25.000 0.000 42.000 25.000 0.000 8.000 0.000");
    auto* group = DtbCast<CDtbNode>(top[3]);
    ASSERT_NE(group, nullptr);
    const std::vector<std::string> node = Texts(*group);
    ASSERT_EQ(node.size(), 3u);
    EXPECT_EQ(node[0], "LineNo=3");
    EXPECT_EQ(node[2].substr(0, 63),
              "ElmInfo=4 42.000 25.000 0.000 40.000 23.000 0.000 42.000 23.000");
    int chords = 0;
    for (const CDtbElement* e = group->firstChild; e != nullptr; e = e->link.next, ++chords) {
        const std::vector<std::string> t = Texts(*e);
        ASSERT_EQ(t.size(), 8u);
        EXPECT_EQ(std::vector<std::string>(t.begin(), t.begin() + 6), first);
    }
    EXPECT_EQ(chords, 18);
    EXPECT_EQ(Texts(*top[4]).size(), 9u);   // a middle edge: first edge's texts and its own
    EXPECT_EQ(Texts(*top[10]).size(), 6u);  // the last edge copies the approach
}

TEST(LaserShape, KeyholeWithTinyFilletIsTheKeyhole) {
    SteppedProgram four(ShapeProgram("G08.4 P4 U20. D6. R8."));
    SteppedProgram eight(ShapeProgram("G08.4 P8 U20. D6. R8. E0.0005"));
    EXPECT_EQ(nctest::Dump(four.elements), nctest::Dump(eight.elements));
}

TEST(LaserShape, DefinitionSlotsAreModal) {
    // P2 with U 20 after P3 U10 V5: V stays 5, R keeps its set-up value 1.
    SteppedProgram p(
        {"G01", "G00 X50. Y20.", "G08.4 P3 U10. V5.", "G08.4 P2 U20.", "G08.1 X60. Y20."});
    const CNcReadState& st = p.reader.State;
    EXPECT_EQ(st.ShapeP, 2);
    EXPECT_EQ(st.ShapeSlots[1], 20.0);
    EXPECT_EQ(st.ShapeSlots[2], 5.0);
    EXPECT_EQ(st.ShapeSlots[3], 1.0);
    EXPECT_NEAR(st.CutLength, 2.5 + 2 * (20 - 2.0) + 2 * (5 - 2.0) + 4 * FixedChords(1, 90), 1e-9);
}

TEST(LaserShape, WithoutDefinitionCutsTheUnitRectangle) {
    SteppedProgram p({"G01", "G00 X50. Y20.", "G08.1 X60. Y20."});
    EXPECT_EQ(CountGroups(p.elements), 0);
    EXPECT_EQ(Leaves(p.elements).size(), 7u);  // rapid, approach and five edges
    EXPECT_NEAR(p.reader.State.CutLength, 0.5 + 4.0, 1e-9);
}

TEST(LaserShape, WhileMarkingTheLengthCountsTwice) {
    SteppedProgram p({"G01", "G00 X50. Y20.", "M09", "G08.4 P1 U10. V4.", "G08.1 X60. Y20."});
    EXPECT_NEAR(p.reader.State.CutLength, 30.0, 1e-9);
    EXPECT_NEAR(p.reader.State.MarkLength, 30.0, 1e-9);
    EXPECT_EQ(Leaves(p.elements)[1].line->info.classBits, kDtbClassMark);
}

// The shape lies in the plane at right angles to the tool axis of the head angles, with its u
// axis towards the G08.1 point, whatever the head type.
TEST(LaserShape, HeadPlaneFollowsTheHeadAngles) {
    for (int headType : {0, 1}) {
        CNcReadInfo settings = nctest::LaserSettings();
        settings.HeadType = headType;
        SteppedProgram p({"G01 A30. C45.", "G00 X50. Y20. Z5.", "G08.4 P2 U20. V10. R2.",
                          "G08.1 X60. Y25. Z5.", "G00 X0."},
                         settings);
        ASSERT_EQ(p.StatusOfLine(3), 0);
        Vec3 tool{};
        CVectoMatrix::ToolVector(headType, HeadAngles{45.0, 30.0}, tool);
        const CxyzData head(50, 20, 5);
        const std::vector<Leaf> leaves = Leaves(p.elements);
        ASSERT_EQ(leaves.size(), 1u + 6 + 72 + 1) << nctest::Dump(p.elements);
        for (size_t i = 1; i + 1 < leaves.size(); ++i) {
            for (const CxyzData& q : {leaves[i].start, leaves[i].end}) {
                const double off =
                    (q.x - head.x) * tool[0] + (q.y - head.y) * tool[1] + (q.z - head.z) * tool[2];
                EXPECT_NEAR(off, 0.0, 1e-9) << headType;
            }
            EXPECT_EQ(leaves[i].line->headAngleA, 30.0f);
            EXPECT_EQ(leaves[i].line->headAngleC, 45.0f);
        }
        // The approach runs along v = tool x ref, V/2 long.
        const Vec3 ref{10, 5, 0};
        Vec3 v{tool[1] * ref[2] - tool[2] * ref[1], tool[2] * ref[0] - tool[0] * ref[2],
               tool[0] * ref[1] - tool[1] * ref[0]};
        const double n = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
        const CxyzData approachEnd(head.x + 5 * v[0] / n, head.y + 5 * v[1] / n,
                                   head.z + 5 * v[2] / n);
        EXPECT_LT(Distance(leaves[1].end, approachEnd), 1e-9) << headType;
        // One chain up to the last rapid, which leaves from the head position.
        EXPECT_EQ(FirstBreak(leaves, 1), static_cast<int>(leaves.size()) - 1);
        EXPECT_LT(Distance(leaves[leaves.size() - 2].end, approachEnd), 1e-9);
        const double flat = 5 + 2 * (20 - 4.0) + 2 * (10 - 4.0) + 4 * FixedChords(2, 90);
        EXPECT_NEAR(p.reader.State.CutLength, flat, 1e-9);
        EXPECT_LT(Distance(leaves.back().start, head), 1e-9);
    }
}

// A G08.1 of a program that never gives head angles cuts flat: the absent angles count as 0.
TEST(LaserShape, AbsentHeadAnglesCountAsZero) {
    SteppedProgram p({"G01", "G00 X50. Y20. Z5.", "G08.4 P1 U10. V4.", "G08.1 X50. Y30. Z5."});
    const std::vector<Leaf> leaves = Leaves(p.elements);
    ASSERT_EQ(leaves.size(), 7u);
    // u along +y, v along -x.
    EXPECT_LT(Distance(leaves[1].end, CxyzData(48, 20, 5)), 1e-9);
    for (const Leaf& l : leaves) EXPECT_EQ(l.end.z, 5.0);
}

// In incremental mode the G08.1 point already holds the local offset.
TEST(LaserShape, IncrementalPointCountsTheLocalOffsetOnce) {
    SteppedProgram p(
        {"G01", "G00 X50. Y20.", "G52 X0. Y10.", "G91", "G08.4 P1 U10. V4.", "G08.1 X10. Y0."});
    const std::vector<Leaf> leaves = Leaves(p.elements);
    ASSERT_EQ(leaves.size(), 7u) << nctest::Dump(p.elements);
    EXPECT_LT(Distance(leaves[1].start, kHead), 1e-9);
    EXPECT_LT(Distance(leaves[1].end, CxyzData(50, 22, 0)), 1e-9) << nctest::Dump(p.elements);
}

TEST(LaserShape, Failures) {
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        int status;     // of the last line
        size_t leaves;  // elements drawn in all (the rapid is the first)
    } cases[] = {
        {"PointAtTheHead", {"G01", "G00 X50. Y20.", "G08.4 P1 U10. V4.", "G08.1 X50. Y20."}, -7, 1},
        {"PointOnTheToolAxis",
         {"G01", "G00 X50. Y20.", "G08.4 P1 U10. V4.", "G08.1 X50. Y20. Z10."},
         -7,
         1},
        {"UnknownShape", {"G01", "G00 X50. Y20.", "G08.4 P12", "G08.1 X60. Y20."}, 0, 1},
        {"FlatsTooFarApart",
         {"G01", "G00 X50. Y20.", "G08.4 P6 V12. R5.", "G08.1 X60. Y20."},
         0,
         1},
        {"KeyholeSlotWiderThanCircle",
         {"G01", "G00 X50. Y20.", "G08.4 P4 U20. D20. R5.", "G08.1 X60. Y20."},
         0,
         1},
        // The fillet centres lie further out than half the slot: only the approach is kept.
        {"FilletNotFound",
         {"G01", "G00 X50. Y20.", "G08.4 P9 U8. V4. D8. R3.", "G08.1 X60. Y20."},
         0,
         2},
        {"ZeroLength", {"G01", "G00 X50. Y20.", "G08.4 P1 U0. V4.", "G08.1 X60. Y20."}, 0, 1},
        {"NegativeRadius", {"G01", "G00 X50. Y20.", "G08.4 P5 R-3.", "G08.1 X60. Y20."}, 0, 1},
    };
    for (const Case& c : cases) {
        SteppedProgram p(c.lines);
        EXPECT_EQ(p.StatusOfLine(c.lines.size() - 1), c.status) << c.name;
        EXPECT_EQ(Leaves(p.elements).size(), c.leaves) << c.name << "\n"
                                                       << nctest::Dump(p.elements);
        EXPECT_LT(Distance(p.reader.State.CurrentPos, kHead), 1e-9) << c.name;
        for (const Leaf& l : Leaves(p.elements)) {
            EXPECT_TRUE(std::isfinite(l.end.x) && std::isfinite(l.end.y)) << c.name;
        }
    }
}

TEST(LaserShape, DefinitionDrawsNothingAndKeepsThePosition) {
    SteppedProgram p({"G01", "G00 X50. Y20.", "G08.4 P3 U10. V5. X99."});
    EXPECT_EQ(p.StatusOfLine(2), 0);
    EXPECT_EQ(Leaves(p.elements).size(), 1u);
    EXPECT_EQ(p.reader.State.PrevCode, 84);
    EXPECT_LT(Distance(p.reader.State.CurrentPos, kHead), 1e-9);
}

}  // namespace

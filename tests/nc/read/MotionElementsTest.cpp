// Tests of the motion elements: rapids, lines and their kinds, R and I/J arcs, corner radii
// and the G08 circle, checked on the elements and their texts.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "NcReadFixture.h"

namespace {

using nctest::Program;

// The top-level elements of a program, in order.
std::vector<const CDtbElement*> TopLevel(const CDtbEngine& db) {
    std::vector<const CDtbElement*> out;
    for (const CDtbElement* e = db.GetFirstElement(); e != nullptr; e = e->link.next) {
        out.push_back(e);
    }
    return out;
}

std::string LastText(const CDtbElement* e, std::string_view prefix) {
    std::string found;
    for (std::string_view t : e->attributes) {
        if (t.starts_with(prefix)) found = std::string(t);
    }
    return found;
}

TEST(MotionElements, ArcsTable) {
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        int arcs;  // arcs drawn
        double cx, cy, r, start, end;
        int dir;
    };
    const std::vector<Case> cases = {
        // The exact radius gives the centre: a half circle about the chord's midpoint.
        {"R half", {"G02 X20. R10."}, 1, 10, 0, 10, 0, 180, 1},
        {"R short cw", {"G02 X10. Y10. R10."}, 1, 10, 0, 10, 90, 180, 1},
        {"R short ccw", {"G03 X10. Y10. R10."}, 1, 0, 10, 10, 270, 360, 0},
        // R -10 between points 10 apart: the long arc, its centre across the chord.
        {"R long", {"G02 X10. R-10."}, 1, 5, 8.660254, 10, -60, 240, 1},
        {"R short same chord", {"G02 X10. R10."}, 1, 5, -8.660254, 10, 60, 120, 1},
        // A chord longer than the diameter by rounding is still a half circle.
        {"R tolerance", {"G03 X20.0008 R10."}, 1, 10.0004, 0, 10.0004, 180, 360, 0},
        {"R too short", {"G02 X20.002 R10."}, 0, 0, 0, 0, 0, 0, 0},
        {"R tiny", {"G02 X10. R0.0005"}, 0, 0, 0, 0, 0, 0, 0},
        {"R full circle", {"G00 X10.", "G02 X10. R5."}, 0, 0, 0, 0, 0, 0, 0},
        {"IJ quarter", {"G03 X10. Y10. I0. J10."}, 1, 0, 10, 10, 270, 360, 0},
        {"IJ full circle", {"G00 X10.", "G03 X10. I-5."}, 1, 5, 0, 5, 360, 720, 0},
        {"IJ absent J", {"G02 X20. I10."}, 1, 10, 0, 10, 0, 180, 1},
    };
    for (const Case& c : cases) {
        Program p(c.lines);
        std::vector<const CDtbArc*> arcs;
        for (const CDtbElement* e : TopLevel(p.elements)) {
            if (auto* a = DtbCast<CDtbArc>(e)) arcs.push_back(a);
        }
        ASSERT_EQ(static_cast<int>(arcs.size()), c.arcs) << c.name << "\n" << p.Dump();
        if (c.arcs == 0) continue;
        const CDtbArc* a = arcs[0];
        EXPECT_NEAR(a->centre.x, c.cx, 1e-5) << c.name;
        EXPECT_NEAR(a->centre.y, c.cy, 1e-5) << c.name;
        EXPECT_NEAR(a->radius, c.r, 1e-6) << c.name;
        EXPECT_NEAR(a->startAngle, c.start, 1e-4) << c.name;
        EXPECT_NEAR(a->endAngle, c.end, 1e-4) << c.name;
        EXPECT_EQ(a->direction, c.dir) << c.name;
    }
}

TEST(MotionElements, ArcTextAndLength) {
    Program p({"G03 X10. Y10. I0. J10."});
    const auto top = TopLevel(p.elements);
    ASSERT_EQ(top.size(), 1u);
    EXPECT_EQ(LastText(top[0], "ElmInfo="),
              "ElmInfo=2 -0.000 0.000 0.000 10.000 10.000 0.000 0.000 10.000 0.000 270.000 "
              "360.000 0 10.000 15.708");
    EXPECT_NEAR(p.reader.State.CutLength, 15.70796, 1e-5);
    EXPECT_NEAR(p.reader.State.LastElementEnd.x, 10.0, 1e-9);
    EXPECT_EQ(p.reader.State.PrevCode, 30);
}

// An arc whose start lies off its circle is drawn about a corrected centre with the mean
// radius; its text keeps the programmed centre and angles.
TEST(MotionElements, ArcCorrectedCentre) {
    Program p({"G03 X10. Y10. I0. J10.2"});
    const auto top = TopLevel(p.elements);
    ASSERT_EQ(top.size(), 1u);
    const auto* a = DtbCast<CDtbArc>(top[0]);
    ASSERT_NE(a, nullptr);
    const double mean = (10.2 + std::hypot(10.0, 0.2)) / 2.0;
    EXPECT_NEAR(a->radius, mean, 1e-9);
    EXPECT_NEAR(std::hypot(a->centre.x, a->centre.y), mean, 1e-6);  // start on the circle
    EXPECT_NEAR(std::hypot(a->centre.x - 10, a->centre.y - 10), mean, 1e-6);
    const std::string text = LastText(a, "ElmInfo=");
    EXPECT_NE(text.find(" 0.000 10.200 0.000 "), std::string::npos) << text;  // programmed centre
}

TEST(MotionElements, RapidStartsAtLastElementEnd) {
    Program p({"G00 X0. Y0.", "G00 X5.", "G01 X5.", "G00 X5."});
    EXPECT_EQ(p.Dump(),
              "L 1 255,255,255 (0.000,0.000,0.000)->(5.000,0.000,0.000) | LineNo=1 | PrtNo=0 | "
              "ElmInfo=1 0.000 0.000 0.000 5.000 0.000 0.000 0.000 5.000\n");
}

// Start points computed from angles print "-0.000" for tiny negatives, as C's printf does.
// The corner table: what a line with a corner radius leaves behind with what follows it.
TEST(MotionElements, CornerRadiusTable) {
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        const char* dump;
    };
    const std::vector<Case> cases = {
        {"fillet",
         {"G01 X10. R2.", "G01 Y10."},
         "L 4 0,255,255 (0.000,0.000,0.000)->(8.000,0.000,0.000) | LineNo=0 | PrtNo=0 | "
         "ElmInfo=1 0.000 0.000 0.000 8.000 0.000 0.000 0.000 8.000\n"
         "A 4 0,255,255 c=(8.000,2.000,0.000) r=2.000 -90.000..0.000 dir=0 | LineNo=1 | PrtNo=0 | "
         "ElmInfo=2 8.000 -0.000 0.000 10.000 2.000 0.000 8.000 2.000 0.000 -90.000 0.000 0 2.000 "
         "3.142\n"
         "L 4 0,255,255 (10.000,2.000,0.000)->(10.000,10.000,0.000) | LineNo=1 | PrtNo=0 | "
         "ElmInfo=1 10.000 2.000 0.000 10.000 10.000 0.000 90.000 8.000\n"},
        {"right turn",
         {"G01 X10. R2.", "G01 Y-10."},
         "L 4 0,255,255 (0.000,0.000,0.000)->(8.000,0.000,0.000) | LineNo=0 | PrtNo=0 | "
         "ElmInfo=1 0.000 0.000 0.000 8.000 0.000 0.000 0.000 8.000\n"
         "A 4 0,255,255 c=(8.000,-2.000,0.000) r=2.000 0.000..90.000 dir=1 | LineNo=1 | PrtNo=0 | "
         "ElmInfo=2 8.000 0.000 0.000 10.000 -2.000 0.000 8.000 -2.000 0.000 0.000 90.000 1 2.000 "
         "3.142\n"
         "L 4 0,255,255 (10.000,-2.000,0.000)->(10.000,-10.000,0.000) | LineNo=1 | PrtNo=0 | "
         "ElmInfo=1 10.000 -2.000 0.000 10.000 -10.000 0.000 270.000 8.000\n"},
        // A radius that does not fit leaves the corner sharp.
        {"too small leg",
         {"G01 X10. R0.05", "G01 Y0.01"},
         "L 4 0,255,255 (0.000,0.000,0.000)->(10.000,0.000,0.000) | LineNo=0 | PrtNo=0 | "
         "ElmInfo=1 0.000 0.000 0.000 10.000 0.000 0.000 0.000 10.000\n"
         "L 4 0,255,255 (10.000,0.000,0.000)->(10.000,0.010,0.000) | LineNo=1 | PrtNo=0 | "
         "ElmInfo=1 10.000 0.000 0.000 10.000 0.010 0.000 90.000 0.010\n"},
        // Any other motion draws the held line as it stands, before its own element.
        {"rapid follows",
         {"G01 X10. R2.", "G00 X50.", "G01 Y10."},
         "L 4 0,255,255 (0.000,0.000,0.000)->(10.000,0.000,0.000) | LineNo=0 | PrtNo=0 | "
         "ElmInfo=1 0.000 0.000 0.000 10.000 0.000 0.000 0.000 10.000\n"
         "L 1 255,255,255 (10.000,0.000,0.000)->(50.000,0.000,0.000) | LineNo=1 | PrtNo=0 | "
         "ElmInfo=1 10.000 0.000 0.000 50.000 0.000 0.000 0.000 40.000\n"
         "L 4 0,255,255 (50.000,0.000,0.000)->(50.000,10.000,0.000) | LineNo=2 | PrtNo=0 | "
         "ElmInfo=1 50.000 0.000 0.000 50.000 10.000 0.000 90.000 10.000\n"},
        // A held line at the program end is drawn with its own line number.
        {"program end",
         {"G01 X10. R2.", "(COMMENT)", "M30"},
         "L 4 0,255,255 (0.000,0.000,0.000)->(10.000,0.000,0.000) | LineNo=0 | PrtNo=0 | "
         "ElmInfo=1 0.000 0.000 0.000 10.000 0.000 0.000 0.000 10.000\n"},
        {"end of lines",
         {"G01 X10. R2."},
         "L 4 0,255,255 (0.000,0.000,0.000)->(10.000,0.000,0.000) | LineNo=0 | PrtNo=0 | "
         "ElmInfo=1 0.000 0.000 0.000 10.000 0.000 0.000 0.000 10.000\n"},
        // The position moved without a drawn motion: no fillet against a line it does not touch.
        {"moved by G52",
         {"G01 X10. R2.", "G91 G52 X5.", "G90 G01 Y10."},
         "L 4 0,255,255 (0.000,0.000,0.000)->(10.000,0.000,0.000) | LineNo=0 | PrtNo=0 | "
         "ElmInfo=1 0.000 0.000 0.000 10.000 0.000 0.000 0.000 10.000\n"
         "L 4 0,255,255 (15.000,0.000,0.000)->(15.000,10.000,0.000) | LineNo=2 | PrtNo=0 | "
         "ElmInfo=1 15.000 0.000 0.000 15.000 10.000 0.000 90.000 10.000\n"},
    };
    for (const Case& c : cases) {
        Program p(c.lines);
        EXPECT_EQ(p.Dump(), c.dump) << c.name;
        EXPECT_EQ(p.reader.State.HeldLineValid, 0) << c.name;
    }
}

TEST(MotionElements, CornerInSpaceIsDividedArc) {
    Program p({"G01 X10. R2.", "G01 Y10. Z5."});
    const auto top = TopLevel(p.elements);
    ASSERT_EQ(top.size(), 3u) << p.Dump();
    const auto* node = DtbCast<CDtbNode>(top[1]);
    ASSERT_NE(node, nullptr);
    EXPECT_TRUE(node->Is("Tessmark", "DevideArc"));
    EXPECT_EQ(LastText(node, "LineNo="), "LineNo=0");
    EXPECT_TRUE(LastText(node, "ElmInfo=").starts_with("ElmInfo=4 "));
    int pieces = 0;
    for (const CDtbElement* e = node->firstChild; e; e = e->link.next) ++pieces;
    EXPECT_GE(pieces, 1);
    // The pieces join the shortened first line and the second line.
    const auto* first = DtbCast<CDtbLine>(top[0]);
    const auto* piece = DtbCast<CDtbLine>(node->firstChild);
    EXPECT_TRUE(first->end == piece->start);
    const auto* last = DtbCast<CDtbLine>(node->GetLastChild());
    const auto* second = DtbCast<CDtbLine>(top[2]);
    EXPECT_TRUE(last->end == second->start);
}

TEST(MotionElements, G08Circle) {
    // No A or C word: the head angles count as 0, so the circle lies flat.
    Program p({"G00 X10. Y10.", "G08 D10."});
    const auto top = TopLevel(p.elements);
    ASSERT_EQ(top.size(), 4u) << p.Dump();  // rapid, approach, group, retreat
    const auto* approach = DtbCast<CDtbLine>(top[1]);
    EXPECT_TRUE(approach->end == CxyzData(15, 10, 0));
    EXPECT_TRUE(LastText(approach, "ElmInfo=").starts_with("ElmInfo=3 "));
    const auto* node = DtbCast<CDtbNode>(top[2]);
    int pieces = 0;
    for (const CDtbElement* e = node->firstChild; e; e = e->link.next) {
        EXPECT_NEAR(DtbCast<CDtbLine>(e)->start.z, 0.0, 1e-9);
        ++pieces;
    }
    EXPECT_EQ(pieces, 72);
    EXPECT_EQ(LastText(node, "ElmInfo="),
              "ElmInfo=4 15.000 10.000 0.000 15.000 10.000 0.000 10.000 10.000 0.000 5.000 31.406 "
              "0 0.000 0.000");
    const auto* retreat = DtbCast<CDtbLine>(top[3]);
    EXPECT_TRUE(retreat->end == CxyzData(10, 10, 0));
    EXPECT_EQ(p.reader.State.PrevCode, 80);
    EXPECT_TRUE(p.reader.State.CurrentPos == CxyzData(10, 10, 0));
}

// With a start direction the chords begin where the approach ends.
TEST(MotionElements, G08CircleStartsAtItsApproach) {
    Program p({"G08 D10. X0. Y1. Z0."});
    const auto top = TopLevel(p.elements);
    ASSERT_EQ(top.size(), 3u) << p.Dump();
    const auto* approach = DtbCast<CDtbLine>(top[0]);
    EXPECT_TRUE(approach->end == CxyzData(0, 5, 0));
    const auto* node = DtbCast<CDtbNode>(top[1]);
    EXPECT_TRUE(DtbCast<CDtbLine>(node->firstChild)->start == approach->end);
    EXPECT_TRUE(DtbCast<CDtbLine>(node->GetLastChild())->end == approach->end);
}

TEST(MotionElements, G08WithoutDiameterDrawsNothing) {
    Program p({"G08 X1."});
    EXPECT_TRUE(p.elements.IsEmpty());
}

TEST(MotionElements, PensAndClasses) {
    CNcReadInfo s = nctest::LaserSettings();
    s.Pen[PenMark] = {1, 2, 3};
    s.PenWide[PenMark] = 2;
    s.PenKind[PenMark] = 1;
    Program p({"M09", "G01 X1.", "G00 X2."}, s);
    const auto top = TopLevel(p.elements);
    ASSERT_EQ(top.size(), 2u);
    const CDtbInfo mark = DtbCast<CDtbLine>(top[0])->info;
    EXPECT_EQ(mark, (CDtbInfo{1, 2, 3, 2, 1, kDtbClassMark, 0, 0}));
    EXPECT_EQ(DtbCast<CDtbLine>(top[1])->info.classBits, kDtbClassRapid);
    EXPECT_FLOAT_EQ(DtbCast<CDtbLine>(top[0])->headAngleA, static_cast<float>(kNcAbsent));
}

}  // namespace

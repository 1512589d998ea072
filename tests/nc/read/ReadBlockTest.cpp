// Tests of CNcRead::ReadBlock's frame: the status table, the lines it reports, the modal
// update, the special codes and the coordinate computation.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "NcReadFixture.h"
#include "nc/read/NcReadStatus.h"

namespace {

using nctest::LaserSettings;

// A reader over lines whose blocks are read one by one, in order, without a call stack.
struct Blocks {
    CNcReadInfo settings;
    CNcRead reader;
    CDtbEngine elements;
    explicit Blocks(std::vector<std::string> lines, CNcReadInfo s = LaserSettings())
        : settings(std::move(s)) {
        reader.SetProgram(lines, &settings, nullptr, 1);
    }
    struct Result {
        int status, next, lineNo, nextLineNo, repeat;
        double sheet[3];
    };
    Result Read(int line) {
        Result r{};
        r.repeat = 1;
        r.sheet[0] = r.sheet[1] = r.sheet[2] = -1;
        r.status = reader.ReadBlock(&elements, line, &r.next, &r.lineNo, &r.nextLineNo, r.sheet,
                                    &r.repeat);
        return r;
    }
    // Statuses of every line read in order.
    std::vector<int> Statuses() {
        std::vector<int> out;
        for (int i = 0; i < static_cast<int>(reader.Lines.size()); ++i)
            out.push_back(Read(i).status);
        return out;
    }
};

TEST(ReadBlock, StatusTable) {
    CNcReadInfo ignore = LaserSettings();
    ignore.IgnorePercent = 1;
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        CNcReadInfo settings;
        std::vector<int> statuses;
    };
    const std::vector<Case> cases = {
        {"percent", {"%", "G01 X1.", "%"}, LaserSettings(), {0, 0, -1}},
        {"percent ignored", {"%", "%"}, ignore, {0, 0}},
        // Any line that begins with '%' counts, not only the bare "%" line.
        {"percent with text", {"%", "G01 X1.", "%PROGRAM END"}, LaserSettings(), {0, 0, -1}},
        {"percent with text first", {"% O1000", "%"}, LaserSettings(), {0, -1}},
        {"percent inside a line", {"%", "G01 X1. %", "M30"}, LaserSettings(), {0, 0, -5}},
        {"percent with text ignored", {"%", "%END"}, ignore, {0, 0}},
        {"empty", {"", "\n", "G00 X1."}, LaserSettings(), {-2, -2, 0}},
        {"comment only", {"(NOTHING)"}, LaserSettings(), {0}},
        {"end", {"G01 X1. M30", "M02", "M30"}, LaserSettings(), {-5, -5, -5}},
        {"return", {"M99"}, LaserSettings(), {-6}},
        {"missing program", {"M98 P100", "M30"}, LaserSettings(), {0, -5}},
        {"call",
         {"M98 P100 L3", "M30", "O100", "G01 X1.", "M99"},
         LaserSettings(),
         {1, -5, 0, 0, -6}},
        {"repeat beyond bound", {"M98 P100 L10000", "O100", "M99"}, LaserSettings(), {-9, 0, -6}},
        // Blocks that end before the commit still end the program or call and return.
        {"early end codes",
         {"N10 G92 X0 Y0 M30", "G04 P1 M02", "G92 X0 M99", "G04 M98 P100", "O100", "G52 X1. M30"},
         LaserSettings(),
         {-5, -5, -6, 1, 0, -5}},
        {"zero length move", {"G01 X0. Y0. M30"}, LaserSettings(), {-5}},
        {"sheet move", {"G27 X300."}, LaserSettings(), {-8}},
        // A comment that merely mentions a code is no block.
        {"code in comment", {"(M30)", "(M99)"}, LaserSettings(), {0, 0}},
    };
    for (const Case& c : cases) {
        Blocks b(c.lines, c.settings);
        EXPECT_EQ(b.Statuses(), c.statuses) << c.name;
    }
}

TEST(ReadBlock, LinesReported) {
    Blocks b({"G00 X1.", "M98 P7 L4", "M30", "O7", "M99"});
    Blocks::Result r = b.Read(0);
    EXPECT_EQ(r.next, 1);
    EXPECT_EQ(r.lineNo, 0);
    EXPECT_EQ(r.nextLineNo, 1);
    r = b.Read(1);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.next, 3);
    EXPECT_EQ(r.nextLineNo, 3);
    EXPECT_EQ(r.repeat, 4);
    r = b.Read(4);
    EXPECT_EQ(r.next, 5);
    EXPECT_EQ(r.nextLineNo, 4);  // past the end: the last map entry
    r = b.Read(5);
    EXPECT_EQ(r.status, -1);
}

TEST(ReadBlock, SheetMoveAndPunchType) {
    Blocks b({"G01 X10. Y20.", "G27 X300."});
    (void)b.Read(0);
    const Blocks::Result r = b.Read(1);
    EXPECT_EQ(r.status, kNcSheetMove);
    EXPECT_DOUBLE_EQ(r.sheet[0], 10.0);
    EXPECT_DOUBLE_EQ(r.sheet[1], 20.0);
    EXPECT_DOUBLE_EQ(r.sheet[2], 300.0);
    EXPECT_EQ(b.reader.GetNcType(), kNcTypePunch);
}

TEST(ReadBlock, NcTypeCorrections) {
    CNcReadInfo punch = LaserSettings();
    punch.LaserPunch = kNcTypePunch;
    CNcReadInfo laserPunch = LaserSettings();
    laserPunch.LaserPunch = kNcTypeLaser;
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        CNcReadInfo settings;
        int type;
        int prevCode;
    };
    const std::vector<Case> cases = {
        {"punch stays punch", {"G00 X10. Y10."}, punch, kNcTypePunch, -10},
        {"feed makes laser", {"G01 X10."}, punch, kNcTypeLaser, 10},
        {"pattern code makes punch",
         {"G26 X10. Y10. I5. J0. K3"},
         LaserSettings(),
         kNcTypePunch,
         260},
        {"rotation stays laser", {"G68 R10."}, LaserSettings(), kNcTypeLaser, -1},
        {"both laser marks", {"M09 M100"}, punch, kNcTypeLaser, -1},
        // M101 turns a laser program into the LaserPunch type and cancels the block's motion
        // code: the move is made with the modal one (a rapid at the start).
        {"M101", {"G01 X5. M101"}, laserPunch, kNcTypeLaser, 0},
    };
    for (const Case& c : cases) {
        Blocks b(c.lines, c.settings);
        (void)b.Statuses();
        EXPECT_EQ(b.reader.GetNcType(), c.type) << c.name;
        EXPECT_EQ(b.reader.State.PrevCode, c.prevCode) << c.name;
    }
}

TEST(ReadBlock, ModalMotionCode) {
    struct Case {
        std::vector<std::string> lines;
        int motion;  // modal group 0 after the program
        double x;    // current x
    };
    const std::vector<Case> cases = {
        {{"G02 X10. Y10. R10.", "F100"}, 2, 10.0},
        {{"G02 X10. Y10. R10.", "X20. R10."}, 2, 20.0},
        {{"G01 X5.", "G53 X10."}, 0, 10.0},  // G53 leaves rapid motion
        {{"G01 X5.", "G53", "X7."}, 0, 7.0},
        {{"G00 X5.", "G81 X8."}, 1, 8.0},  // a group-4 code makes a feed
        {{"G91", "G01 X5.", "X5."}, 1, 10.0},
        {{"G91", "G01 X5.", "G90 X2."}, 1, 2.0},
        {{"G01 X5.", "G128"}, 0, 0.0},
    };
    for (const Case& c : cases) {
        Blocks b(c.lines);
        (void)b.Statuses();
        EXPECT_EQ(b.reader.State.ModalGroups[0], c.motion) << c.lines.back();
        EXPECT_DOUBLE_EQ(b.reader.State.CurrentPos.x, c.x) << c.lines.back();
    }
}

TEST(ReadBlock, CountsAndLengths) {
    Blocks b(
        {"G00 X10.", "M100", "G01 Y10.", "M09", "G01 X0.", "M100", "G02 X-10. Y0. R10.", "M30"});
    (void)b.Statuses();
    const CNcReadState& s = b.reader.State;
    EXPECT_EQ(s.PierceCount, 2);
    EXPECT_EQ(s.MarkCount, 1);
    EXPECT_NEAR(s.RapidLength, 10.0, 1e-9);
    EXPECT_NEAR(s.CutLength, 10.0 + 3.14159265358979 * 5.0, 1e-6);  // line, quarter arc
    EXPECT_NEAR(s.MarkLength, 10.0, 1e-9);
}

TEST(ReadBlock, WorkOriginAndRapid) {
    CNcReadInfo s = LaserSettings();
    s.G92BaseInit = {-0.0, -0.0, 50.0};
    nctest::Program p({"G92 X100.", "G00 X150. Y10."}, s);
    EXPECT_DOUBLE_EQ(p.reader.State.G92Base.x, -100.0);
    EXPECT_EQ(p.Dump(),
              "L 1 255,255,255 (0.000,0.000,-50.000)->(50.000,10.000,-50.000) | LineNo=1 | PrtNo=0 "
              "| ElmInfo=1 0.000 0.000 -50.000 50.000 10.000 -50.000 11.310 50.990\n");
}

TEST(ReadBlock, CirBlockDrawsQuarterArc) {
    nctest::Program p({"G00 X20.", "CIR/ 10. 0. 90."});
    const CNcReadState& s = p.reader.State;
    EXPECT_NEAR(s.CurrentPos.x, 10.0, 1e-9);
    EXPECT_NEAR(s.CurrentPos.y, 10.0, 1e-9);
    EXPECT_EQ(s.ModalGroups[0], 3);
    const std::string dump = p.Dump();
    EXPECT_NE(dump.find("A 4 0,255,255 c=(10.000,0.000,0.000) r=10.000 0.000..90.000 dir=0"),
              std::string::npos)
        << dump;
}

TEST(ReadBlock, RotationDrawsRotatedKeepsUnrotatedPosition) {
    nctest::Program p({"G00 X10.", "G68 R30.", "G01 X20.", "G69", "G01 X30."});
    const CNcReadState& s = p.reader.State;
    EXPECT_DOUBLE_EQ(s.CurrentPos.x, 30.0);
    EXPECT_DOUBLE_EQ(s.RotAngle, 0.0);
    const std::string dump = p.Dump();
    // The line from (10, 0) to (20, 0) turned by 30 degrees about (10, 0).
    EXPECT_NE(dump.find("L 4 0,255,255 (10.000,0.000,0.000)->(18.660,5.000,0.000)"),
              std::string::npos)
        << dump;
}

TEST(ReadBlock, LocalShift) {
    nctest::Program p({"G52 X100. Y50.", "G00 X1. Y2.", "G91 G52 X5.", "G90 G00 X0."});
    const CNcReadState& s = p.reader.State;
    EXPECT_DOUBLE_EQ(s.LocalShift.x, 100.0);
    EXPECT_DOUBLE_EQ(s.CurrentPos.x, 100.0);
    EXPECT_DOUBLE_EQ(s.CurrentPos.y, 52.0);
}

TEST(ReadBlock, ConditionAndHeadAngles) {
    nctest::Program p({"G01 X1. A10. C20.", "A15.", "C5. X2."});
    const CNcReadState& s = p.reader.State;
    EXPECT_DOUBLE_EQ(s.ModalA, 15.0);
    EXPECT_DOUBLE_EQ(s.PrevA[0], 10.0);
    EXPECT_DOUBLE_EQ(s.ModalC, 5.0);
    EXPECT_DOUBLE_EQ(s.PrevC[0], 20.0);
}

TEST(ReadBlock, NullOutputsAndSink) {
    CNcReadInfo s = LaserSettings();
    CNcRead reader;
    reader.SetProgram({"G01 X1.", "M30"}, &s, nullptr, 1);
    int next = 0, lineNo = 0, nextLineNo = 0;
    EXPECT_EQ(reader.ReadBlock(nullptr, 0, &next, &lineNo, &nextLineNo, nullptr, nullptr), 0);
    EXPECT_EQ(reader.ReadBlock(nullptr, 1, nullptr, nullptr, nullptr, nullptr, nullptr), -5);
    EXPECT_EQ(reader.ReadBlock(nullptr, -3, nullptr, nullptr, nullptr, nullptr, nullptr), -1);
}

// The corner arc between two feed lines is kept for the block that made it: start, middle
// (halfway along the arc) and end; a block that made none reports none.
TEST(ReadBlock, CornerArcPoints) {
    Blocks b({"G01 X10. R2.", "G01 Y10.", "G01 X20.", "G01 Y20. R1.", "G01 Y30."});
    b.Read(0);
    EXPECT_EQ(b.reader.CornerArcMade, 0);
    b.Read(1);
    ASSERT_EQ(b.reader.CornerArcMade, 1);
    const auto& a = b.reader.CornerArc;
    EXPECT_EQ(nctest::Pt(a[0]), "(8.000,0.000,0.000)");
    EXPECT_EQ(nctest::Pt(a[1]), "(9.414,0.586,0.000)");
    EXPECT_EQ(nctest::Pt(a[2]), "(10.000,2.000,0.000)");
    b.Read(2);
    EXPECT_EQ(b.reader.CornerArcMade, 0);
    // Two lines on one straight line cannot be rounded: no arc.
    b.Read(3);
    b.Read(4);
    EXPECT_EQ(b.reader.CornerArcMade, 0);
}

// The G11.1 block after a G11 block keeps the arc's three points, also when they lie on one
// line.
TEST(ReadBlock, ThreePointArcPoints) {
    Blocks b({"G01 X5.", "G11 X10. Y5.", "G11.1 X15. Y0.", "G11 X20. Y0.", "G11.1 X25. Y0."});
    for (int i = 0; i < 3; ++i) b.Read(i);
    const auto& p = b.reader.ArcPoints;
    EXPECT_EQ(nctest::Pt(p[0]), "(5.000,0.000,0.000)");
    EXPECT_EQ(nctest::Pt(p[1]), "(10.000,5.000,0.000)");
    EXPECT_EQ(nctest::Pt(p[2]), "(15.000,0.000,0.000)");
    b.Read(3);
    b.Read(4);
    EXPECT_EQ(nctest::Pt(p[0]), "(15.000,0.000,0.000)");
    EXPECT_EQ(nctest::Pt(p[2]), "(25.000,0.000,0.000)");
}

}  // namespace

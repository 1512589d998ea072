// The G12-to-G08 conversion: holes of our own, one per rule and mend, the parameters'
// validation and their stored keys.
#include "text/core/ConvertG08.h"

#include <gtest/gtest.h>

#include "FakeOpsHost.h"
#include "TempDir.h"
#include "platform/Profile.h"

namespace {

using Lines = std::vector<std::string>;

// A hole of diameter 20 about (50, 50): positioned at (30, 50), approached to (40, 50).
Lines Hole() {
    return {"O1000",       "G90",           "G00X30.Y50.", "W5", "G01X40.Y50.",
            "G12X60.Y50.", "G12.1X50.Y60.", "G12.2",       "W0", "M30"};
}
// Its conversion with the default parameters.
Lines Converted() {
    return {"O1000", "G90", "G00X50.Y50.Z0.", "W5", "G08D20.K0.5", "W0", "M30"};
}

struct Case {
    const char* name;
    Lines lines;
    ConvG08Params params;
    Lines result;
    int converted, failed;
};

ConvG08Params With(void (*change)(ConvG08Params&)) {
    ConvG08Params p;
    change(p);
    return p;
}

Lines Edit(Lines lines, size_t at, const char* text) {
    lines[at] = text;
    return lines;
}
Lines Insert(Lines lines, size_t at, std::vector<std::string> more) {
    lines.insert(lines.begin() + long(at), more.begin(), more.end());
    return lines;
}

const Case kCases[] = {
    {"a hole", Hole(), {}, Converted(), 1, 0},
    {"larger than ConvertDia", Hole(), With([](ConvG08Params& p) { p.ConvertDia = 19.9; }), Hole(),
     0, 0},
    {"ConvertDia 0 converts all", Hole(), With([](ConvG08Params& p) { p.ConvertDia = 0; }),
     Converted(), 1, 0},
    {"ConvertDia at the diameter", Hole(), With([](ConvG08Params& p) { p.ConvertDia = 20; }),
     Converted(), 1, 0},
    {"ApproachLen 0", Hole(), With([](ConvG08Params& p) { p.ApproachLen = 0; }),
     Edit(Converted(), 4, "G08D20."), 1, 0},
    {"no decimals", Hole(), With([](ConvG08Params& p) { p.DecimalDigit = 0; }),
     Edit(Converted(), 4, "G08D20.K0."), 1, 0},
    {"three decimals and a half centre",
     Edit(Edit(Edit(Hole(), 4, "G01X2.5Y50."), 5, "G12X22.5Y50."), 6, "G12.1X12.5Y60."),
     With([](ConvG08Params& p) { p.DecimalDigit = 3; }),
     Edit(Edit(Converted(), 2, "G00X12.5Y50.Z0."), 4, "G08D20.K0.5"), 1, 0},
    {"other words and a comment with X, Y and Z kept",
     Edit(Hole(), 2, "G00X30.Y50.M103(X1 Y2 Z3)"),
     {},
     Edit(Converted(), 2, "G00X50.Y50.Z0.M103(X1 Y2 Z3)"),
     1,
     0},
    // Lines are classified by their beginning: "N10G00" is no positioning line.
    {"numbered positioning block",
     Edit(Hole(), 2, "N10G00X30.Y50."),
     {},
     Edit(Hole(), 2, "N10G00X30.Y50."),
     0,
     1},
    {"W class 3", Edit(Hole(), 3, "W5(CUT)"), With([](ConvG08Params& p) { p.UpdateWCheck = 1; }),
     Edit(Converted(), 3, "W3(CUT)"), 1, 0},
    {"W class 2", Hole(), With([](ConvG08Params& p) {
         p.UpdateWCheck = 1;
         p.WDia2 = 20;
         p.WNo2 = 7;
     }),
     Edit(Converted(), 3, "W7"), 1, 0},
    {"W class unchanged", Hole(), With([](ConvG08Params& p) {
         p.UpdateWCheck = 1;
         p.WNo3 = 5;
     }),
     Converted(), 1, 0},
    // A G01 between G12.1 and G12.2: the marked lines go from the bottom up, W0 stays.
    {"G01 before G12.2", Insert(Hole(), 7, {"G01X50.Y60."}), {}, Converted(), 1, 0},
    // A G01 after G12.2 (before W0) is the usual place of line A2: it goes too.
    {"G01 after G12.2", Insert(Hole(), 8, {"G01X51.Y60."}), {}, Converted(), 1, 0},
    {"points on one line",
     Edit(Hole(), 6, "G12.1X50.Y50."),
     {},
     Edit(Hole(), 6, "G12.1X50.Y50."),
     0,
     1},
    {"no positioning line",
     {"O1000", "W5", "G12X60.Y50.", "G12.1X50.Y60.", "G12.2", "W0"},
     {},
     {"O1000", "W5", "G12X60.Y50.", "G12.1X50.Y60.", "G12.2", "W0"},
     0,
     1},
    {"incremental positioning", Edit(Hole(), 1, "G91"), {}, Edit(Hole(), 1, "G91"), 0, 1},
    {"head angle changes",
     Edit(Hole(), 4, "G01X40.Y50.A5."),
     {},
     Edit(Hole(), 4, "G01X40.Y50.A5."),
     0,
     0},
    {"head angle as the positioning block's",
     Edit(Edit(Hole(), 2, "G00X30.Y50.A5."), 4, "G01X40.Y50.A5."),
     {},
     Edit(Converted(), 2, "G00X50.Y50.Z0.A5."),
     1,
     0},
    {"W line too far after the positioning",
     Insert(Hole(), 3, {"M103", "M104", "M105"}),
     {},
     Insert(Hole(), 3, {"M103", "M104", "M105"}),
     0,
     1},
    {"G12 too far after the W line",
     Insert(Hole(), 5, {"M1", "M2", "M3", "M4"}),
     {},
     Insert(Hole(), 5, {"M1", "M2", "M3", "M4"}),
     0,
     1},
    {"W0 too far after G12.2",
     Insert(Hole(), 8, {"M1", "M2", "M3", "M4", "M5"}),
     {},
     Insert(Hole(), 8, {"M1", "M2", "M3", "M4", "M5"}),
     0,
     1},
    {"outside the line range", Hole(), With([](ConvG08Params& p) {
         p.SpecifyRow = 1;
         p.StartRow = 7;
         p.EndRow = 10;
     }),
     Hole(), 0, 0},
    {"inside the line range", Hole(), With([](ConvG08Params& p) {
         p.SpecifyRow = 1;
         p.StartRow = 6;
         p.EndRow = 6;
     }),
     Converted(), 1, 0},
};

TEST(ConvertG08, Holes) {
    for (const Case& c : kCases) {
        FakeOpsHost host;
        Lines lines = c.lines;
        const G08Counts n = ConvertG08Lines(lines, c.params, host.machine, nullptr, nullptr);
        EXPECT_EQ(lines, c.result) << c.name;
        EXPECT_EQ(n.Converted, c.converted) << c.name;
        EXPECT_EQ(n.Failed, c.failed) << c.name;
    }
}

// The second of two holes is found at its place after the first lost its lines; the range
// names lines as they were before any removal.
TEST(ConvertG08, TwoHolesAndARange) {
    Lines two = Hole();
    two.pop_back();
    Lines second = Hole();
    two.insert(two.end(), second.begin() + 2, second.end());
    FakeOpsHost host;
    Lines lines = two;
    EXPECT_EQ(ConvertG08Lines(lines, {}, host.machine, nullptr, nullptr).Converted, 2);
    EXPECT_EQ(lines, (Lines{"O1000", "G90", "G00X50.Y50.Z0.", "W5", "G08D20.K0.5", "W0",
                            "G00X50.Y50.Z0.", "W5", "G08D20.K0.5", "W0", "M30"}));
    ConvG08Params p;
    p.SpecifyRow = 1;
    p.StartRow = 13;  // the second hole's G12 line, 1-based
    p.EndRow = 13;
    lines = two;
    EXPECT_EQ(ConvertG08Lines(lines, p, host.machine, nullptr, nullptr).Converted, 1);
    EXPECT_EQ(lines[5], "G12X60.Y50.");
    EXPECT_EQ(lines[11], "G08D20.K0.5");
}

// The reader of the head test works on a copy: the shared G92 base stays.
TEST(ConvertG08, SharedSettingsUntouched) {
    FakeOpsHost host;
    host.machine.G92BaseInit = CxyzData(7, 8, 9);
    Lines lines = Hole();
    ConvertG08Lines(lines, {}, host.machine, nullptr, nullptr);
    EXPECT_EQ(host.machine.G92BaseInit.x, 7);
    EXPECT_EQ(host.machine.G92BaseInit.z, 9);
}

TEST(ConvertG08, DocumentAndMessages) {
    FakeOpsHost host;
    host.lines = Insert(Hole(), 10, {"G00X0.", "W5", "G12X1.", "G12.2", "W0"});
    ConvertG08(host, {});
    EXPECT_EQ(host.changes, 1);
    EXPECT_EQ(host.lines.size(), 12u);
    ASSERT_EQ(host.prompt.asked.size(), 2u);
    EXPECT_EQ(host.prompt.asked[0].text, "1 holes weren't able to be converted.\nCheck NC code");
    EXPECT_EQ(host.prompt.asked[1].text, "1 holes were converted successfully");

    // Nothing converted: the document is not touched.
    FakeOpsHost none;
    none.lines = Hole();
    ConvG08Params p;
    p.ConvertDia = 5;
    ConvertG08(none, p);
    EXPECT_EQ(none.changes, 0);
    EXPECT_EQ(none.lines, Hole());
    ASSERT_EQ(none.prompt.asked.size(), 1u);
    EXPECT_EQ(none.prompt.asked[0].text, "0 holes were converted successfully");

    FakeOpsHost tracing;
    tracing.lines = Hole();
    tracing.traceActive = 1;
    ConvertG08(tracing, {});
    EXPECT_TRUE(tracing.prompt.asked.empty());
    EXPECT_EQ(tracing.lines, Hole());
}

TEST(ConvG08Texts, Validation) {
    ConvG08Texts t;
    t.ConvertDia = "-5";
    t.ApproachLen = "100";
    t.DecimalDigit = "70000";
    t.StartRow = "0";
    t.EndRow = "20";
    t.WDia1 = "20";
    t.WDia2 = "10";
    t.WNo1 = "15";
    t.WNo2 = "-11";
    t.WNo3 = "x";
    t.Validate(10);
    EXPECT_EQ(t.ConvertDia, "0.000");
    EXPECT_EQ(t.ApproachLen, "99.000");
    EXPECT_EQ(t.DecimalDigit, "9");  // 70000 is 4464 in 16 bits
    EXPECT_EQ(t.StartRow, "1");
    EXPECT_EQ(t.EndRow, "10");
    EXPECT_EQ(t.Lower1, "0.000");
    EXPECT_EQ(t.WDia1, "20.000");
    EXPECT_EQ(t.Lower2, "20.001");
    EXPECT_EQ(t.WDia2, "20.001");
    EXPECT_EQ(t.Lower3, "20.002");
    EXPECT_EQ(t.WNo1, "10");
    EXPECT_EQ(t.WNo2, "-10");
    EXPECT_EQ(t.WNo3, "0");

    const struct {
        const char *dia, *digits, *start, *end, *w1, *w2;
        const char *outDia, *outDigits, *outStart, *outEnd, *outW2, *outLower3;
    } cases[] = {
        {"0.0005", "-3", "8", "3", "1", "1.0005", "0.000", "0", "8", "8", "1.001", "1.002"},
        {"12345", "3", "2", "4", "9999", "9999", "9999.000", "3", "2", "4", "9999.000", "9999.000"},
        {"50.", "2", "1", "10", "9.999", "19.999.", "50.000", "2", "1", "10", "19.999", "20.000"},
    };
    for (const auto& c : cases) {
        ConvG08Texts v;
        v.ConvertDia = c.dia;
        v.ApproachLen = ".5";
        v.DecimalDigit = c.digits;
        v.StartRow = c.start;
        v.EndRow = c.end;
        v.WDia1 = c.w1;
        v.WDia2 = c.w2;
        v.Validate(10);
        EXPECT_EQ(v.ConvertDia, c.outDia) << c.dia;
        EXPECT_EQ(v.DecimalDigit, c.outDigits) << c.digits;
        EXPECT_EQ(v.StartRow, c.outStart);
        EXPECT_EQ(v.EndRow, c.outEnd);
        EXPECT_EQ(v.WDia2, c.outW2) << c.w2;
        EXPECT_EQ(v.Lower3, c.outLower3) << c.w2;
    }
}

TEST(ConvG08Texts, StoredKeys) {
    test::TempDir dir;
    const auto ini = dir.path() / "MV_System.ini";
    ConvG08Texts t = ConvG08Texts::Load(ini, 0);
    EXPECT_EQ(t.ConvertDia, "50.");
    EXPECT_EQ(t.ApproachLen, ".5");
    EXPECT_EQ(t.DecimalDigit, "2");
    EXPECT_EQ(t.WDia1, "9.999");
    EXPECT_EQ(t.WDia2, "19.999.");
    EXPECT_EQ(t.WNo3, "3");
    EXPECT_EQ(t.StartRow, "1");
    EXPECT_EQ(t.EndRow, "1");
    t.Validate(1);
    const ConvG08Params p = t.Params();
    EXPECT_EQ(p.ConvertDia, 50.0);
    EXPECT_EQ(p.ApproachLen, 0.5);
    EXPECT_EQ(p.WDia2, 19.999);
    t.UpdateWCheck = 1;
    ASSERT_TRUE(t.Save(ini));
    EXPECT_EQ(platform::GetProfileString("Convert_G08", "ConvertDia", "", ini), "50.000");
    EXPECT_EQ(platform::GetProfileString("Convert_G08", "UpdateWCheck", "", ini), "1");
    EXPECT_EQ(platform::GetProfileString("Convert_G08", "WDia2", "", ini), "19.999");
    EXPECT_EQ(platform::GetProfileString("Convert_G08", "StartRow", "<none>", ini), "<none>");
    const ConvG08Texts back = ConvG08Texts::Load(ini, 40);
    EXPECT_EQ(back.UpdateWCheck, 1);
    EXPECT_EQ(back.WDia2, "19.999");
    EXPECT_EQ(back.EndRow, "40");
}

}  // namespace

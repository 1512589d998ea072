// ShiftLine's words, notations and limits, and the coordinate shift's line rules and ranges.
#include "text/core/CoordShift.h"

#include <gtest/gtest.h>

#include "FakeOpsHost.h"

namespace {

// Axes X Y Z C A U B, none permitted, offsets 0, three decimals with the zeros dropped.
CNcReadInfo Axes() {
    CNcReadInfo s;
    s.ZeroTimes = 1;
    s.NcFigure = 3;
    s.ZeroSuppress = 1;
    s.HeadType = 0;
    return s;
}

struct LineCase {
    const char* line;
    const char* permit;  // permitted letters
    std::array<double, 7> offset;
    int zeroTimes, figure, suppress, headType, checkLimits;
    const char* result;
    int changed;
};

const LineCase kLineCases[] = {
    {"X100.", "X", {10}, 1, 3, 0, 0, 0, "X110.000", 1},
    {"X100.", "X", {10}, 1, 3, 1, 0, 0, "X110.", 1},
    {"X5000", "X", {1}, 1000, 3, 0, 0, 0, "X6.000", 1},
    {"X0", "X", {-2.7}, 1, 3, 1, 0, 0, "X-3", 1},
    {"X2", "X", {0.5}, 1, 3, 1, 0, 0, "X3", 1},  // halves away from zero
    {"X5", "X", {1}, 0, 3, 1, 0, 0, "X6", 1},    // ZeroTimes 0 counts as 1
    {"X1.", "X", {0.5}, 1, 12, 0, 0, 0, "X1.500000000", 1},
    {"X100", "X", {10}, 1000, 0, 1, 0, 0, "X10.", 1},  // NcFigure 0 keeps the point
    {"X0.0004", "X", {-0.0005}, 1, 3, 0, 0, 0, "X0.000", 1},
    {"G01X10.Y5.", "X", {1, 100}, 1, 3, 1, 0, 0, "G01X11.Y5.", 1},
    {"X1.Y2.Z3.", "XYZ", {1, 2, 3}, 1, 3, 1, 0, 0, "X2.Y4.Z6.", 1},
    {"XA10.", "XA", {1, 0, 0, 0, 1}, 1, 3, 1, 0, 0, "XA11.", 1},
    {"G01X Y5.", "X", {1}, 1, 3, 1, 0, 0, "G01X Y5.", 0},
    {"X-", "X", {1}, 1, 3, 1, 0, 0, "X-", 0},
    {"x10.", "X", {1}, 1, 3, 1, 0, 0, "x10.", 0},
    {"X10.", "", {1}, 1, 3, 1, 0, 0, "X10.", 0},
    {"X10.", "X", {0}, 1, 3, 1, 0, 0, "X10.", 0},
    // The rotary limits, checked only when asked.
    {"A134.9", "A", {0, 0, 0, 0, 0.2}, 1, 3, 0, 0, 1, "A134.9", 0},
    {"A134.9", "A", {0, 0, 0, 0, 0.2}, 1, 3, 0, 1, 1, "A135.100", 1},
    {"A134.9", "A", {0, 0, 0, 0, 0.2}, 1, 3, 0, 0, 0, "A135.100", 1},
    {"A-179.5", "A", {0, 0, 0, 0, -1}, 1, 3, 1, 1, 1, "A-179.5", 0},
    {"C359.5", "C", {0, 0, 0, 1}, 1, 3, 1, 0, 1, "C359.5", 0},
    {"C359.", "C", {0, 0, 0, 1}, 1, 3, 1, 0, 1, "C360.", 1},
    {"C199.", "C", {0, 0, 0, 1}, 1, 3, 1, 1, 1, "C200.", 1},
    {"C199.5", "C", {0, 0, 0, 1}, 1, 3, 1, 1, 1, "C199.5", 0},
    {"X1.C359.5", "XC", {1, 0, 0, 1}, 1, 3, 1, 0, 1, "X1.C359.5", 0},
};

TEST(ShiftLine, Words) {
    for (const LineCase& c : kLineCases) {
        CNcReadInfo s = Axes();
        for (const char* p = c.permit; *p; ++p)
            for (size_t k = 0; k < 7; ++k)
                if (s.Axis[k] == std::string(1, *p)) s.Permit[k] = 1;
        s.Offset = c.offset;
        s.ZeroTimes = c.zeroTimes;
        s.NcFigure = c.figure;
        s.ZeroSuppress = c.suppress;
        s.HeadType = c.headType;
        platform::ScriptedPrompt prompt;
        std::string line = c.line;
        EXPECT_EQ(ShiftLine(line, s, 1, nullptr, c.checkLimits, &prompt), c.changed) << c.line;
        EXPECT_EQ(line, c.result) << c.line;
        const bool limited = c.checkLimits && !c.changed && std::string(c.line) == c.result &&
                             c.permit[0] != '\0' &&
                             std::string(c.permit).find_first_of("CA") != std::string::npos;
        ASSERT_EQ(prompt.asked.size(), limited ? 1u : 0u) << c.line;
        if (limited) {
            EXPECT_EQ(prompt.asked[0].text, "Exceeded storke limit");
        }
    }
}

TEST(ShiftLine, ExamineNotation) {
    const std::pair<const char*, int> cases[] = {
        {"X100Y5.", 3}, {"X100", 1}, {"X5.", 2}, {"X0", 2}, {"G01", 0}, {"X-0.0", 2}, {"U7", 1},
    };
    for (auto [text, notation] : cases) {
        std::string line = text;
        int n = 0;
        EXPECT_EQ(ShiftLine(line, Axes(), 0, &n, 0), 0);
        EXPECT_EQ(n, notation) << text;
    }
    std::string line = "G01X100Y5.Z0F300";
    ShiftLine(line, Axes(), 0, nullptr, 0);
    EXPECT_EQ(line, "G01XYZF300");
}

// Double-byte characters are stepped over: a trail byte that reads 'X' is no axis.
TEST(ShiftLine, StepsOverDoubleByteCharacters) {
    CNcReadInfo s = Axes();
    s.Permit[0] = 1;
    s.Offset[0] = 1;
    std::string line = "\x83X1.X1.";  // 0x83 0x58 is one character
    EXPECT_EQ(ShiftLine(line, s, 1, nullptr, 0), 1);
    EXPECT_EQ(line, "\x83X1.X2.");
}

class CoordShift : public ::testing::Test {
protected:
    FakeOpsHost host;
    CNcReadInfo s = Axes();

    void SetUp() override {
        s.Permit[0] = 1;
        s.Offset[0] = 10;
        s.StartLineNo = 1;
        s.EndLineNo = 30000;
    }
};

TEST_F(CoordShift, LineRules) {
    host.lines = {
        "O1000",         "G92X0.Y0.",       "G00X10.Y5.", "G01X10. (CUT X1.)",
        "(COMMENT X5.)", "G01X10.(X5.)(4)", "G8.4P1X5.",  "M98P100X5.",
        "G65P9001 X5.",  "G52X5.",          "G4X1.5",     "G04X1.",
        "G41X10.",       "G01X1. Dir X5.",  "G01X1.(5)",  "G07.1X1.",
    };
    auto expected = host.lines;
    expected[2] = "G00X20.Y5.";
    expected[3] = "G01X20. (CUT X1.)";
    expected[5] = "G01X20.(X15.)(4)";
    expected[12] = "G41X20.";
    expected[13] = "G01X11. Dir X5.";
    expected[14] = "G01X11.(5)";
    EXPECT_EQ(ShiftCoordinateLines(host, s, nullptr), 6);
    EXPECT_EQ(host.lines, expected);
    EXPECT_EQ(host.changes, 1);
    EXPECT_TRUE(host.modified);
}

TEST_F(CoordShift, MacroAndG52Options) {
    host.lines = {"G65P9001 X5.", "G52X5.", "G65P9001", "G52X1.G65P1 X2."};
    s.MacroProc = 1;
    s.G52Proc = 1;
    EXPECT_EQ(ShiftCoordinateLines(host, s, nullptr), 3);
    EXPECT_EQ(host.lines, (std::vector<std::string>{"G65P9001 X15.", "G52X15.", "G65P9001",
                                                    "G52X11.G65P1 X12."}));
}

TEST_F(CoordShift, EmptyCallWordsMatchNoLine) {
    s.Opt[0] = "";
    s.Opt[4] = "";
    host.lines = {"G01X1.", "M98P100X5."};
    EXPECT_EQ(ShiftCoordinateLines(host, s, nullptr), 2);
    EXPECT_EQ(host.lines, (std::vector<std::string>{"G01X11.", "M98P100X15."}));
}

TEST_F(CoordShift, Ranges) {
    const std::vector<std::string> text = {"X1.", "X2.", "X3.", "X4.", "X5.", "X6."};
    struct Case {
        int start, end;
        std::vector<uint32_t> numbers;  // empty: positions decide
        std::vector<std::string> result;
    } cases[] = {
        {2, 3, {}, {"X1.", "X12.", "X13.", "X4.", "X5.", "X6."}},
        {6, 9, {}, {"X1.", "X2.", "X3.", "X4.", "X5.", "X16."}},
        {4, 3, {}, text},
        {0, 3, {}, text},
        // The list's numbers with AppMachineType 1: rows numbered 2 (a blank is 0).
        {2, 2, {0, 0, 1, 2, 2, 3}, {"X1.", "X2.", "X3.", "X14.", "X15.", "X6."}},
        {1, 2, {0, 1, 0, 2, 3, 3}, {"X1.", "X12.", "X3.", "X14.", "X5.", "X6."}},
    };
    for (const Case& c : cases) {
        host.lines = text;
        s.StartLineNo = c.start;
        s.EndLineNo = c.end;
        ShiftCoordinateLines(host, s, c.numbers.empty() ? nullptr : &c.numbers);
        EXPECT_EQ(host.lines, c.result) << c.start << "-" << c.end;
    }
}

// A value written without a point is divided by ZeroTimes and then written with NcFigure
// decimals; with ZeroTimes 1 it stays an integer. A value with a point is taken as it stands.
TEST_F(CoordShift, Notations) {
    const struct Case {
        int zeroTimes;
        const char* line;
        const char* result;
    } cases[] = {
        {1, "G01X10", "G01X11"},         {1, "G01X10.", "G01X11.000"},
        {1000, "G01X5000", "G01X6.000"}, {1000, "G01X5000.", "G01X5001.000"},
        {1000, "G01X-500", "G01X0.500"}, {1, "G01X-2", "G01X-1"},
    };
    s.Offset[0] = 1;
    s.ZeroSuppress = 0;
    for (const Case& c : cases) {
        s.ZeroTimes = c.zeroTimes;
        host.lines = {"O1000", c.line};
        host.prompt.asked.clear();
        EXPECT_EQ(ShiftCoordinateLines(host, s, nullptr), 1) << c.line;
        EXPECT_EQ(host.lines[1], c.result) << c.zeroTimes << " " << c.line;
        EXPECT_TRUE(host.prompt.asked.empty()) << c.line;
    }
}

TEST_F(CoordShift, MixedNotationQuestion) {
    s.ZeroTimes = 1000;
    const std::vector<std::string> text = {"G00X5000", "G01X5.", "(X5)"};
    host.lines = text;
    host.prompt.answers = {platform::PromptAnswer::No};
    EXPECT_EQ(ShiftCoordinateLines(host, s, nullptr), -1);
    EXPECT_EQ(host.lines, text);
    EXPECT_EQ(host.changes, 0);
    ASSERT_EQ(host.prompt.asked.size(), 1u);
    EXPECT_EQ(host.prompt.asked[0].text,
              "The integral value and the decimal value exist together. \nkeep processing it?");

    host.prompt.answers = {platform::PromptAnswer::Yes};
    EXPECT_EQ(ShiftCoordinateLines(host, s, nullptr), 2);
    EXPECT_EQ(host.lines, (std::vector<std::string>{"G00X15.", "G01X15.", "(X5)"}));

    // One notation only: no question.
    host.lines = {"G00X5000", "G01X6000"};
    host.prompt.asked.clear();
    EXPECT_EQ(ShiftCoordinateLines(host, s, nullptr), 2);
    EXPECT_TRUE(host.prompt.asked.empty());
}

}  // namespace

// The internal Check NC: one small program per rule and code, the accepted G codes of
// "ALL.txt", the N-number stripping, empty call words, the end of the program in a look-ahead.
#include "text/core/NcCheck.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "TempDir.h"
#include "nc/machine/CNcReadInfo.h"
#include "nc/read/CNcReadState.h"

namespace {

CNcReadInfo Laser() {
    CNcReadInfo s;
    s.LaserPunch = kNcTypeLaser;
    s.ZeroTimes = 1;
    return s;
}

// Line (1-based) -> code of every faulty line.
std::map<int, int> Faults(const std::vector<std::string>& lines, CNcReadInfo settings = Laser(),
                          const std::optional<std::set<int>>& accepted = std::nullopt) {
    std::map<int, int> out;
    const std::vector<int> codes = CheckNcLines(lines, &settings, nullptr, nullptr, accepted);
    EXPECT_EQ(codes.size(), lines.size());
    for (size_t i = 0; i < codes.size(); ++i)
        if (codes[i]) out[int(i) + 1] = codes[i];
    return out;
}

struct Case {
    const char* name;
    std::vector<std::string> lines;
    std::map<int, int> faults;
};

const Case kCases[] = {
    {"comments only", {"(PLATE 1)", "(END)"}, {}},
    {"a W code after G00", {"G00X1.", "W5"}, {{2, 1}}},
    {"a W code after G01", {"G01X1.", "W5"}, {}},
    {"W11 is no condition", {"G00X1.", "W11"}, {}},
    // The condition numbers 1 to 10, both ends included, at and on either side of each end.
    {"W0 after G00", {"G00X1.", "W0"}, {}},
    {"W0.9 after G00", {"G00X1.", "W0.9"}, {}},
    {"W1 after G00", {"G00X1.", "W1"}, {{2, 1}}},
    {"W2 after G00", {"G00X1.", "W2"}, {{2, 1}}},
    {"W9 after G00", {"G00X1.", "W9"}, {{2, 1}}},
    {"W10 after G00", {"G00X1.", "W10"}, {{2, 1}}},
    {"W10.1 after G00", {"G00X1.", "W10.1"}, {}},
    {"W1 after G01", {"G01X1.", "W1"}, {}},
    {"W10 after G01", {"G01X1.", "W10"}, {}},
    {"W10 after G02", {"G02X10.I5.", "W10"}, {{2, 1}}},
    {"G11.1 without G11", {"G01X1.", "G11.1X2.Y3."}, {{2, 2}}},
    {"G11 then G11.1", {"G01X5.", "G11X10.Y5.", "G11.1X15.Y0."}, {}},
    {"G11 as the last line", {"G01X1.", "G11X5.Y5."}, {{2, 23}}},
    {"G11 followed by G01", {"G11X5.Y5.", "G01X6.", "G00X0."}, {{1, 23}}},
    {"G11 on a straight line", {"G01X5.", "G11X10.Y0.", "G11.1X15.Y0."}, {{2, 27}}},
    {"G11 just off a straight line", {"G01X5.", "G11X10.Y0.001", "G11.1X15.Y0."}, {}},
    {"G11 through its start point", {"G01X5.", "G11X5.Y0.", "G11.1X15.Y0."}, {{2, 27}}},
    {"G12 sequence", {"G01X10.", "G12X20.", "G12.1X15.Y5.", "G12.2"}, {}},
    {"G12 then G12.2", {"G01X10.", "G12X20.", "G12.2"}, {{2, 24}, {3, 3}}},
    {"G12.1 without G12", {"G01X1.", "G12.1X2."}, {{2, 4}}},
    {"G12 as the last line", {"G01X1.", "G12X2."}, {{2, 24}}},
    {"G12.1 as the last line", {"G12X1.", "G12.1X2.Y1."}, {{2, 25}}},
    {"G12.1 followed by G01", {"G12X1.", "G12.1X2.Y1.", "G01X3."}, {{2, 25}}},
    {"G08 after G00", {"G00X1.", "G08D5."}, {{2, 5}}},
    {"G08 without D", {"G01X1.", "G08"}, {{2, 22}}},
    {"G08 then G00", {"G01X1.", "G08D5.", "G00X10."}, {}},
    {"G08 after a W line", {"G01X1.", "W3", "G08D5.", "G00X0."}, {}},
    {"G08 then M30", {"G01X1.", "G08D5.", "M30"}, {{2, 6}}},
    {"G08 then W and G01", {"G01X1.", "G08D5.", "W1", "G01X3."}, {}},
    {"G08 then W and M30", {"G01X1.", "G08D5.", "W1", "M30"}, {{2, 6}}},
    {"G08 then W at the end", {"G01X1.", "G08D5.", "W1"}, {{2, 6}}},
    {"G08 as the last line", {"G01X1.", "G08D5."}, {{2, 6}}},
    {"G8.4 after G00", {"G00X1.", "G8.4P1U1.V1."}, {{2, 7}}},
    {"G8.4 without P", {"G01X1.", "G8.4U1.V1."}, {{2, 8}}},
    {"G8.4 P10", {"G01X1.", "G8.4P10U1.V1."}, {{2, 8}}},
    // P 1 to 9, both ends included.
    {"G8.4 P0", {"G01X1.", "G8.4P0U1.V1."}, {{2, 8}}},
    {"G8.4 P1", {"G01X1.", "G8.4P1U1.V1.", "G8.1X5.", "G00X0."}, {}},
    {"G8.4 P2", {"G01X1.", "G8.4P2U1.V1.R1.", "G8.1X5.", "G00X0."}, {}},
    {"G8.4 P8", {"G01X1.", "G8.4P8U1.D1.R1.E1.", "G8.1X5.", "G00X0."}, {}},
    {"G8.4 P9", {"G01X1.", "G8.4P9U1.V1.D1.R1.", "G8.1X5.", "G00X0."}, {}},
    {"G8.4 P1 without V", {"G01X1.", "G8.4P1U1."}, {{2, 9}}},
    {"G8.4 P3 without U", {"G01X1.", "G8.4P3V1."}, {{2, 9}}},
    {"G8.4 P2 without R", {"G01X1.", "G8.4P2U1.V1."}, {{2, 10}}},
    {"G8.4 P4 without D", {"G01X1.", "G8.4P4U1.R1."}, {{2, 11}}},
    {"G8.4 P5 without R", {"G01X1.", "G8.4P5D1."}, {{2, 12}}},
    {"G8.4 P6 without V", {"G01X1.", "G8.4P6R1."}, {{2, 13}}},
    {"G8.4 P7 without V", {"G01X1.", "G8.4P7U1."}, {{2, 14}}},
    {"G8.4 P8 without E", {"G01X1.", "G8.4P8U1.D1.R1."}, {{2, 15}}},
    {"G8.4 P9 without D", {"G01X1.", "G8.4P9U1.V1.R1."}, {{2, 16}}},
    {"G8.4 then G8.1", {"G01X1.", "G8.4P5D1.R1.", "G8.1X5.Y5.", "G00X0."}, {}},
    {"G8.4 then G01", {"G01X1.", "G8.4P5D1.R1.", "G01X5."}, {{2, 26}}},
    {"G8.4 as the last line", {"G01X1.", "G8.4P5D1.R1."}, {{2, 26}}},
    {"G8.1 without G8.4", {"G01X1.", "G8.1X2."}, {{2, 17}}},
    {"G8.1 then G02", {"G01X1.", "G8.4P7V1.", "G8.1X5.", "G02X10.I5."}, {{3, 18}}},
    {"G8.1 as the last line", {"G01X1.", "G8.4P7V1.", "G8.1X5."}, {{3, 18}}},
    {"G41 in an arc, then an arc", {"G02X10.I5.", "G41", "G03X0.I-5."}, {{2, 19}}},
    {"G41 in an arc, then G01", {"G02X10.I5.", "G41", "G01X0."}, {}},
    {"G41 as the last line in an arc", {"G02X10.I5.", "G41"}, {{2, 19}}},
    {"G41 with G01", {"G01X1.", "G41X2."}, {}},
    {"two codes of one group", {"G00G01X1."}, {{1, 20}}},
    // The N number goes before the rules: N10W5 is examined as W5.
    {"N number stripped", {"G00X1.", "N10W5"}, {{2, 1}}},
    {"program number line", {"O1000", "G00X1."}, {}},
    // A look-ahead at the end marks its line and ends the check: the lines after it are
    // never reached (here there are none, and nothing is read past the last line).
    {"end in a look-ahead", {"G01X1.", "W5", "G12X3."}, {{3, 24}}},
};

TEST(NcCheck, RulesAndCodes) {
    for (const Case& c : kCases) EXPECT_EQ(Faults(c.lines), c.faults) << c.name;
}

TEST(NcCheck, GCodeRule) {
    const std::set<int> accepted = {0, 10, 20, 30, 84, 121};
    EXPECT_EQ(Faults({"G05"}, Laser(), accepted), (std::map<int, int>{{1, 21}}));
    EXPECT_EQ(Faults({"G01X1.", "G12.1X2."}, Laser(), accepted), (std::map<int, int>{{2, 4}}));
    EXPECT_EQ(Faults({"G00X1.", "G01X2."}, Laser(), accepted), (std::map<int, int>{}));
    // A block that also repeats a code of its group ends with code 20.
    EXPECT_EQ(Faults({"G05G00G01X1."}, Laser(), accepted), (std::map<int, int>{{1, 20}}));
    // Without "ALL.txt" the rule is skipped.
    EXPECT_EQ(Faults({"G05"}), (std::map<int, int>{}));
}

TEST(NcCheck, EmptyCallWordMatchesNoLine) {
    CNcReadInfo s = Laser();
    s.Opt[4] = "";
    EXPECT_EQ(Faults({"G00X1.", "W5"}, s), (std::map<int, int>{{2, 1}}));
    s.Opt[4] = "G65";
    EXPECT_EQ(Faults({"G00X1.", "W5G65P100"}, s), (std::map<int, int>{}));
}

TEST(NcCheck, StripSequenceNumber) {
    const std::pair<const char*, const char*> cases[] = {
        {"N100G01X10.", "G01X10."}, {"N100", "N100"}, {"N100X", "N100X"}, {"N5XY", "XY"},
        {"G01N5", "G01N5"},         {"", ""},         {"NX10.", "X10."},
    };
    for (auto [in, out] : cases) EXPECT_EQ(StripSequenceNumber(in), out) << in;
}

TEST(NcCheck, GCodeValues) {
    const std::pair<const char*, int> cases[] = {{"01", 10},    {"8.4", 84}, {"12.1", 121},
                                                 {"11.1", 111}, {"", 0},     {"00", 0},
                                                 {"08.4", 84},  {"41", 410}, {"1.", 10}};
    for (auto [text, value] : cases) EXPECT_EQ(NcCheckGCodeValue(text), value) << text;
}

TEST(NcCheck, AcceptedGCodesFile) {
    test::TempDir dir;
    EXPECT_FALSE(LoadAcceptedGCodes(dir.path()));
    // A folder where the file should be: no list, the rule is skipped.
    std::filesystem::create_directory(dir.path() / "ALL.txt");
    EXPECT_FALSE(LoadAcceptedGCodes(dir.path()));
    std::filesystem::remove(dir.path() / "ALL.txt");
    {
        std::ofstream f(dir.path() / "ALL.txt", std::ios::binary);
        f << "G01\r\nG8.4\n\n  \r\nG12.1";
    }
    auto codes = LoadAcceptedGCodes(dir.path());
    ASSERT_TRUE(codes);
    EXPECT_EQ(*codes, (std::set<int>{10, 84, 121}));
    // The blank lines accept no bare "G" (which is also G00).
    EXPECT_EQ(Faults({"G00X1."}, Laser(), codes), (std::map<int, int>{{1, 21}}));
}

TEST(NcCheck, Report) {
    EXPECT_EQ(NcCheckReport({0, 0}), "NC Check OK\r\n");
    EXPECT_EQ(NcCheckReport({0, 1, 0, 23}),
              "[2Line] Not G01 before W Code (1)\r\n[4Line] Not G11.1 next G11 (23)\r\n");
    EXPECT_EQ(NcCheckReport({27}),
              "[Line No 1] 3 points of arc (G11) are specified on a straight line. (27)\r\n");
    for (int code = 1; code <= kNcCheckCodeCount; ++code)
        EXPECT_NE(NcCheckMessageId(code), 0u) << code;
    EXPECT_EQ(NcCheckMessageId(28), 0u);
}

}  // namespace

// The element tip's text: every kind, near-zero clearing, columns, angle rules, line numbers,
// and the texts that give no tip.
#include "views/model/ElemInfoText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kernel/db/CDtbLine.h"
#include "platform/StringTable.h"

namespace {

struct Case {
    const char* name;
    std::vector<const char*> texts;  // the element's attribute texts
    int tipClass;
    const char* text;  // expected, lines separated by '\n'
    CxyzData position;
};

std::vector<std::string> Document() {
    std::vector<std::string> lines(12, "");
    lines[3] = "N3 G03 X0 Y10. R10.";
    lines[4] = "N5 G01 X100.5";
    lines[6] = "T12 G92";
    lines[7] = "G01 X10. (50%s %d %n %%)";
    return lines;
}

const Case kCases[] = {
    {"line with a near-zero start",
     {"LineNo=4", "PrtNo=0", "ElmInfo=1 -0.0004 10.000 0.000 100.500 10.000 0.000 0.000 100.500"},
     0,
     "5    : N5 G01 X100.5\n"
     "SPos :   0.000, 10.000, 0.000\n"
     "EPos : 100.500, 10.000, 0.000\n"
     "Ang  : 0.000\n"
     "Len  : 100.500",
     CxyzData(100.5, 10, 0)},
    {"arc of direction 1: the end angle first",
     {"LineNo=3", "ElmInfo=2 10 0 0 0 10 0 0 0 0 0.000 90.000 1 10.000 15.708"},
     0,
     "4    : N3 G03 X0 Y10. R10.\n"
     "SPos : 10.000,  0.000, 0.000\n"
     "EPos :  0.000, 10.000, 0.000\n"
     "CPos :  0.000,  0.000, 0.000\n"
     "Rad  : 10.000 (20.000)\n"
     "Ang  : 90.000 -> 0.000\n"
     "Len  : 15.708",
     CxyzData(0, 10, 0)},
    {"arc crossing 0 degrees, direction 0",
     {"LineNo=3", "ElmInfo=2 1 0 0 0 1 0 0 0 0 350.000 10.000 0 1.000 0.349"},
     0,
     "4    : N3 G03 X0 Y10. R10.\n"
     "SPos : 1.000, 0.000, 0.000\n"
     "EPos : 0.000, 1.000, 0.000\n"
     "CPos : 0.000, 0.000, 0.000\n"
     "Rad  : 1.000 (2.000)\n"
     "Ang  : -10.000 -> 10.000\n"
     "Len  : 0.349",
     CxyzData(0, 1, 0)},
    {"line of a 3-D head",
     {"LineNo=0", "ElmInfo=3 0 0 0 3 4 12 13 0"},
     1,
     "1    : \n"
     "SPos : 0.000, 0.000,  0.000\n"
     "EPos : 3.000, 4.000, 12.000\n"
     "Len  : 13.000",
     CxyzData(3, 4, 12)},
    {"arc of a 3-D head",
     {"LineNo=0", "ElmInfo=4 1 2 3 4 5 6 7 8 9 2.5 7.25 0 0 0"},
     1,
     "1    : \n"
     "SPos : 1.000, 2.000, 3.000\n"
     "EPos : 4.000, 5.000, 6.000\n"
     "CPos : 7.000, 8.000, 9.000\n"
     "Rad  : 2.500 (5.000)\n"
     "Len  : 7.250",
     CxyzData(4, 5, 6)},
    {"punch hit at X -0.004",
     {"LineNo=6", "ElmInfo=5 1 12 10.000 20.000 0.000 0.000 -0.004 50.000 0.000"},
     2,
     "7    : T12 G92\n"
     "SNO  : 12\n"
     "XYRA : 10.00, 20.00, 0.00, 0.00\n"
     "CPos : 0.00, 50.00, 0.00",
     CxyzData(-0.004, 50, 0)},
    {"hits along a line",
     {"LineNo=6", "ElmInfo=6 1 3 0 0 0 0 0 0 0 30 40 0 53.13 10 5"},
     3,
     "7    : T12 G92\n"
     "SNO  : 3\n"
     "XYRA : 0.00, 0.00, 0.00, 0.00\n"
     "SPos :  0.00,  0.00, 0.00\n"
     "EPos : 30.00, 40.00, 0.00\n"
     "Ang : 53.13\n"
     "Pich : 10.00\n"
     "Cnt : 5\n"
     "Len : 50.00",
     CxyzData(30, 40, 0)},
    {"line pattern",
     {"LineNo=6", "ElmInfo=7 1 3 1 2 3 4 0 0 0 100 0 0 0"},
     4,
     "7    : T12 G92\n"
     "SNO  : 3\n"
     "XYRA : 1.00, 2.00, 3.00, 4.00\n"
     "SPos :   0.00, 0.00, 0.00\n"
     "EPos : 100.00, 0.00, 0.00\n"
     "Ang : 0.00\n"
     "Len : 100.00",
     CxyzData(100, 0, 0)},
    {"circle pattern from -370 to -10 degrees",
     {"LineNo=6", "ElmInfo=8 2 5 0 0 0 0 100 100 0 50 -370 -10 30 12"},
     5,
     "7      : T12 G92\n"
     "SNO    : 5\n"
     "XYRA   : 0.00, 0.00, 0.00, 0.00\n"
     "CPos   : 100.00, 100.00, 0.00\n"
     "Rad   : 50.00\n"
     "Ang   : -10.00 -> 350.00\n"
     "PichA : 30.00\n"
     "Cnt   : 12\n"
     "Len   : 314.16",
     CxyzData(100, 100, 0)},
    {"grid pattern",
     {"LineNo=6", "ElmInfo=9 3 7 0 0 0 0.005 5 6 0 10 20 3 4"},
     6,
     "7      : T12 G92\n"
     "SNO    : 7\n"
     "XYRA   : 0.00, 0.00, 0.00, 0.00\n"
     "SPos   : 5.00, 6.00, 0.00\n"
     "PichXY : 10.00, 20.00\n"
     "CntXY : 3, 4",
     CxyzData(5, 6, 0)},
    {"NC text with percent signs shown as it stands",
     {"LineNo=7", "ElmInfo=3 0 0 0 0 0 1 1 0"},
     1,
     "8    : G01 X10. (50%s %d %n %%)\n"
     "SPos : 0.000, 0.000, 0.000\n"
     "EPos : 0.000, 0.000, 1.000\n"
     "Len  : 1.000",
     CxyzData(0, 0, 1)},
    {"line outside the document: empty NC text",
     {"LineNo=99", "ElmInfo=3 0 0 0 0 0 1 1 0"},
     1,
     "100  : \n"
     "SPos : 0.000, 0.000, 0.000\n"
     "EPos : 0.000, 0.000, 1.000\n"
     "Len  : 1.000",
     CxyzData(0, 0, 1)},
    {"the last texts count",
     {"LineNo=1", "ElmInfo=0", "LineNo=0", "ElmInfo=3 0 0 0 0 0 1 1 0"},
     1,
     "1    : \n"
     "SPos : 0.000, 0.000, 0.000\n"
     "EPos : 0.000, 0.000, 1.000\n"
     "Len  : 1.000",
     CxyzData(0, 0, 1)},
    {"no line number", {"ElmInfo=3 0 0 0 0 0 1 1 0"}, -1, "", {}},
    {"no element information", {"LineNo=4", "PrtNo=0"}, -1, "", {}},
    {"kind 0", {"LineNo=4", "ElmInfo=0 1 2 3"}, -1, "", {}},
    {"kind not a digit", {"LineNo=4", "ElmInfo=A 1 2 3"}, -1, "", {}},
    {"truncated value list", {"LineNo=4", "ElmInfo=1 1 2 3 4"}, -1, "", {}},
    {"malformed value", {"LineNo=4", "ElmInfo=5 1 x 0 0 0 0 1 2 3"}, -1, "", {}},
};

class ElemInfoTextTest : public ::testing::TestWithParam<Case> {
protected:
    void SetUp() override { platform::SetLanguage(platform::Language::English); }
};

TEST_P(ElemInfoTextTest, BuildsTheTipOfTheKind) {
    const Case& c = GetParam();
    CDtbLine line(CxyzData(0, 0, 0), CxyzData(1, 1, 0), CDtbInfo());
    for (const char* t : c.texts) line.attributes.Add(t);
    const std::vector<std::string> lines = Document();
    ElemInfoSource source;
    source.Lines = &lines;
    std::string text = "stale";
    CxyzData position(-1, -1, -1);
    EXPECT_EQ(BuildElemInfoText(line, source, &text, &position), c.tipClass);
    EXPECT_EQ(text, c.text);
    if (c.tipClass >= 0) {
        EXPECT_DOUBLE_EQ(position.x, c.position.x);
        EXPECT_DOUBLE_EQ(position.y, c.position.y);
        EXPECT_DOUBLE_EQ(position.z, c.position.z);
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, ElemInfoTextTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) {
                             std::string n = info.param.name;
                             for (char& ch : n)
                                 if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                             return n;
                         });

TEST(ElemInfoText, OriginShiftNumberingShowsTheListsLineNumber) {
    platform::SetLanguage(platform::Language::English);
    CDtbLine line(CxyzData(0, 0, 0), CxyzData(1, 1, 0), CDtbInfo());
    line.attributes.Add({"LineNo=4", "ElmInfo=3 0 0 0 0 0 1 1 0"});
    const std::vector<std::string> lines = Document();
    ElemInfoSource source;
    source.Lines = &lines;
    source.AppMachineType = 1;
    source.LineNumberOfRow = [](int row) { return row == 4 ? 17 : -1; };
    std::string text;
    EXPECT_EQ(BuildElemInfoText(line, source, &text), 1);
    EXPECT_EQ(text.substr(0, text.find('\n')), "17   : N5 G01 X100.5");
}

TEST(ElemInfoText, AnOverlongElementTextGivesNoTip) {
    CDtbLine line(CxyzData(0, 0, 0), CxyzData(1, 1, 0), CDtbInfo());
    std::string info = "ElmInfo=3 0 0 0 0 0 1 1 0";
    info.append(256 - info.size(), ' ');
    line.attributes.Add({"LineNo=4", info});
    std::string text = "stale";
    EXPECT_EQ(BuildElemInfoText(line, ElemInfoSource(), &text), -1);
    EXPECT_EQ(text, "");
    info.pop_back();  // 255 characters: read
    CDtbLine shorter(CxyzData(0, 0, 0), CxyzData(1, 1, 0), CDtbInfo());
    shorter.attributes.Add({"LineNo=4", info});
    EXPECT_EQ(BuildElemInfoText(shorter, ElemInfoSource(), &text), 1);
}

}  // namespace

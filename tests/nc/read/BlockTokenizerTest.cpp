// Tests of the block tokeniser: a table of lines and the words, groups and marks they give.
#include "nc/read/BlockTokenizer.h"

#include <gtest/gtest.h>

#include <charconv>
#include <string>
#include <vector>

#include "nc/read/CNcReadState.h"

namespace {

struct Result {
    int ret = 0;
    std::string text;
    NcOptionMarks marks{};
    NcShapeGroups shapes{-1, -1, -1};
    GCodeGroups groups;
    int cir = -1;
    int m = -1;
    NcBlockWords words;
    int dup = 0;
    CNcReadState state;
    Result() { groups.fill(-1); }
};

Result Tokenize(std::string line, const NcTokenizerSettings& settings = {}, int ncType = 1) {
    Result r;
    r.state.NcType = ncType;
    r.ret = TokenizeBlock(line, settings, r.state, r.marks, r.shapes, r.groups, r.cir, r.m, r.words,
                          r.dup);
    r.text = line;
    return r;
}

std::string Real(double v) {
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, res.ptr);
}

// Everything the call set, in a fixed order, as "name=value" items.
std::string Dump(const Result& r) {
    std::string out = "ret=" + std::to_string(r.ret);
    auto add = [&out](const std::string& item) { out += " " + item; };
    if (r.dup) add("dup");
    for (int i = 0; i < kOptionCount; ++i) {
        if (r.marks[i]) add("opt" + std::to_string(i));
    }
    const char* shapeNames[] = {"G08form", "G11mode", "G12mode"};
    for (int i = 0; i < 3; ++i) {
        if (r.shapes[i] != -1) add(std::string(shapeNames[i]) + "=" + std::to_string(r.shapes[i]));
    }
    for (int g = 0; g < kGCodeGroupCount; ++g) {
        if (r.groups[g] != -1) add("g" + std::to_string(g) + "=" + std::to_string(r.groups[g]));
    }
    if (r.m != -1) add("M=" + std::to_string(r.m));
    if (r.cir != -1) add("CIR");
    const NcBlockWords& w = r.words;
    const std::pair<const char*, int> ints[] = {
        {"F", w.F}, {"N", w.N}, {"O", w.ProgramNo}, {"For", w.ForValue},  {"P", w.P},
        {"W", w.W}, {"T", w.T}, {"QMode", w.QMode}, {"KCount", w.KCount}, {"PCount", w.PCount}};
    for (const auto& [name, v] : ints) {
        if (v != -1) add(std::string(name) + "=" + std::to_string(v));
    }
    if (w.L != 1) add("L=" + std::to_string(w.L));
    if (w.ConditionNo != kNcNoCondition) add("e=" + std::to_string(w.ConditionNo));
    const std::pair<const char*, double> reals[] = {{"X", w.X}, {"Y", w.Y},
                                                    {"Z", w.Z}, {"I", w.I},
                                                    {"J", w.J}, {"R", w.R},
                                                    {"D", w.D}, {"A", w.A},
                                                    {"U", w.U}, {"V", w.V},
                                                    {"C", w.C}, {"K", w.K},
                                                    {"Q", w.Q}, {"PLength", w.PLength},
                                                    {"E", w.E}, {"B", w.B},
                                                    {"H", w.H}};
    for (const auto& [name, v] : reals) {
        if (IsGiven(v)) add(std::string(name) + "=" + Real(v));
    }
    return out;
}

struct Case {
    const char* line;
    const char* expected;
};

// ZeroTimes 1000 and the default code letters and option strings throughout.
const Case kCases[] = {
    // Decimal rule per word, blanks behind the letter, no exponent.
    {"X100", "ret=1 X=0.1"},
    {"X100.", "ret=1 X=100"},
    {"X 100.", "ret=1 X=100"},
    {"X1E3", "ret=1 X=0.001 E=0.003"},  // the E is a word of its own
    {"X-.5 Y+2.", "ret=1 X=-0.5 Y=2"},
    {"Xabc", "ret=0"},
    {"X--5", "ret=0"},
    // G08 D: whole-line decimal rule on a copy with every E blanked.
    {"G08 D10E5", "ret=1 g0=8 D=0.01 E=0.005"},
    {"G08 D10.E5", "ret=1 g0=8 D=10 E=0.005"},
    {"G08 DE5.", "ret=1 g0=8 D=5 E=5"},
    {"G08.4 P2 U20 V10. R2 D5", "ret=1 G08form=4 P=2 R=0.002 D=5 U=0.02 V=10"},
    {"D5", "ret=1 For=5"},
    // Duplicates.
    {"G01 X10. X20.", "ret=1 dup g0=1 X=20"},
    {"G00 G01", "ret=1 dup g0=1"},
    {"M100 G01", "ret=1 dup opt3 g0=1 M=100"},
    {"G01 M100", "ret=1 dup opt3 g0=1 M=100"},
    {"G01 M110", "ret=1 dup g0=1 M=110"},
    {"M08 G01", "ret=1 g0=1 M=8"},
    {"G01 G08.1", "ret=1 dup G08form=1 g0=1"},
    {"G08.1 G01", "ret=1 G08form=1 g0=1"},
    {"G01 G11", "ret=1 dup G11mode=2 g0=1"},
    {"G08.4 P2 P3", "ret=1 dup G08form=4 P=3"},
    {"G01 X10. X", "ret=1 g0=1 X=10"},
    {"CIR/ 1. 2. 3. CIR/ 1. 2. 3.", "ret=1 dup CIR I=1 J=2 R=3"},
    // Context of P, Q and K.
    {"P5 G36", "ret=1 g14=36 P=5"},
    {"G36 P5", "ret=1 g14=36 PCount=5"},
    {"G98 X0 Y0 I100. J50. P2 K1", "ret=1 g15=98 KCount=1 PCount=2 X=0 Y=0 I=100 J=50"},
    {"G66 P2.5", "ret=1 g14=66 Q=2.5 PLength=2.5"},
    {"G66 P2.5 Q3.", "ret=1 g14=66 Q=3 PLength=2.5"},
    {"G66 P25", "ret=1 g14=66 Q=0.025 PLength=0.025"},
    {"G75 Q2", "ret=1 g14=75 QMode=2"},
    {"Q2", "ret=1 Q=0.002"},
    {"G111 I40. K90", "ret=1 g0=111 I=40 K=90"},
    {"G68 K90", "ret=1 g14=68 K=0.09"},
    {"K3", "ret=1 KCount=3"},
    // The H word: sequence number, but the gap word of the shape cycles 111/112.
    {"H2.", "ret=1 N=2"},
    {"G111 I40. H2.", "ret=1 g0=111 I=40 H=2"},
    {"H2. G112", "ret=1 g0=112 N=2"},
    // G08, G11 and G12 forms.
    {"G11", "ret=1 G11mode=2"},
    {"G11.2", "ret=1 G11mode=2"},
    {"G11.1", "ret=1 G11mode=1"},
    {"G110", "ret=0"},
    {"G111", "ret=1 g0=111"},
    {"G112 X5.", "ret=1 g0=112 X=5"},
    {"G12", "ret=1 G12mode=0"},
    {"G12.1", "ret=1 G12mode=1"},
    {"G12.2 X1.", "ret=1 G12mode=2 X=1"},
    {"G121", "ret=0"},
    {"G128", "ret=1 g13=128"},
    {"G08.1", "ret=0 G08form=1"},
    {"G8.1 X1.", "ret=1 G08form=1 X=1"},
    {"G8.4", "ret=1 G08form=4"},
    {"G202", "ret=1 g14=202"},
    {"G202 G202", "ret=1 dup g14=202"},
    {"G150", "ret=0"},
    {"G05", "ret=1"},
    {"G", "ret=0"},
    // A full line.
    {"N20 G91 G01 X-10 Y5.5 F1200 e3", "ret=1 g0=1 g9=91 F=1200 N=20 e=3 X=-0.01 Y=5.5"},
    {"O1234", "ret=1 O=1234"},
    {"M98 P100 L3", "ret=1 opt0 M=98 O=100 L=3"},
    {"M98 P", "ret=1 opt0 M=98"},
    {"P100", "ret=1 P=100"},
    {"L", "ret=0"},
    {"e", "ret=0"},
    {"T12 W3", "ret=1 W=3 T=12"},
    {"M99", "ret=1 opt1 M=99"},
    {"G65 P9", "ret=1 opt4 P=9"},
    // Comments, '#' and '='.
    {"(X5.)", "ret=0"},
    {"<X5.] Y1.", "ret=1 Y=1"},
    {"[X5. (Y6.) Z7.", "ret=1 Z=7"},
    {"#501=1 X1.", "ret=1 X=1"},
    {"(M98 P1)", "ret=0 opt0"},
    // CP932 pairs whose second byte looks like a letter or a comment mark.
    {"(\x83\x5DX5.) Y1.", "ret=1 Y=1"},
    {"\x83\x58"
     "5. Y1.",
     "ret=1 Y=1"},
    {"Y1.\x83", "ret=1 Y=1"},
    // CIR/: three numbers as they stand, no scaling.
    {"CIR/ 10. 0. 90.", "ret=1 CIR I=10 J=0 R=90"},
    {"CIR/ 10 0 90 X5.", "ret=1 CIR X=5 I=10 J=0 R=90"},
    {"CIR/ 10 0", "ret=0 CIR I=10 J=0"},
    // The last number running straight into a letter: that letter starts the next word.
    {"CIR/ 10 0 90X5.", "ret=1 CIR X=5 I=10 J=0 R=90"},
    {"CIR/ 10. 0. 90.G01", "ret=1 g0=1 CIR I=10 J=0 R=90"},
    {"CIR/ 10 0 -90Y2", "ret=1 CIR Y=0.002 I=10 J=0 R=-90"},
    // Numbers that do not fit an int are unreadable.
    {"F99999999999", "ret=0"},
    {"", "ret=0"},
};

TEST(BlockTokenizerTest, TableOfLines) {
    for (const Case& c : kCases) {
        EXPECT_EQ(Dump(Tokenize(c.line)), c.expected) << "line: " << c.line;
    }
}

TEST(BlockTokenizerTest, ZeroTimesOneLeavesNumbersAsWritten) {
    NcTokenizerSettings settings;
    settings.ZeroTimes = 1;
    EXPECT_EQ(Dump(Tokenize("G01 X10 R2", settings)), "ret=1 g0=1 X=10 R=2");
}

TEST(BlockTokenizerTest, CodeLettersComeFromTheSettings) {
    NcTokenizerSettings settings;
    settings.CodeMainPro = ':';
    settings.CodeMainSub = ':';
    settings.CodeMainCall = 'Q';
    settings.CodeFor = '\0';
    settings.CodeHNumber = 'B';
    EXPECT_EQ(Dump(Tokenize(":12 B3 D5 H4.", settings)), "ret=1 N=3 O=12 D=0.005 H=4");
    EXPECT_EQ(Dump(Tokenize("M98 Q7", settings)), "ret=1 opt0 M=98 O=7");
    // Without the call option the call letter is the coordinate Q.
    EXPECT_EQ(Dump(Tokenize("Q7", settings)), "ret=1 Q=0.007");
}

TEST(BlockTokenizerTest, EmptyOptionStringsMatchNoLine) {
    NcTokenizerSettings settings;
    settings.Opt = {"", "", "M09", "", ""};
    EXPECT_EQ(Dump(Tokenize("N10 X1.", settings)), "ret=1 N=10 X=1");
    EXPECT_EQ(Dump(Tokenize("M09", settings)), "ret=1 opt2 M=9");
}

// Option strings are found on character boundaries: a CP932 comment whose trail byte is 'M'
// (83 4D) followed by "98" or "09" is neither a call nor a marking.
TEST(BlockTokenizerTest, OptionStringsNeverMatchInsideDoubleByteCharacters) {
    NcTokenizerSettings settings;
    EXPECT_EQ(Dump(Tokenize("G01X1.(\x83\x4D"
                            "98)",
                            settings)),
              Dump(Tokenize("G01X1.", settings)));
    EXPECT_EQ(Dump(Tokenize("(\x83\x4D"
                            "09)G01X1.",
                            settings)),
              Dump(Tokenize("G01X1.", settings)));
    EXPECT_EQ(Dump(Tokenize("G01X1.(\x83\x4D"
                            "99)",
                            settings)),
              Dump(Tokenize("G01X1.", settings)));
    EXPECT_EQ(Dump(Tokenize("(\x83\x4D)M98P7", settings)), "ret=1 opt0 M=98 O=7");
}

TEST(BlockTokenizerTest, TappingMarkerLinesInPunchPrograms) {
    const NcTapCodes taps[] = {{"M700", "M701"}, {"(TAP START)", "(TAP END)"}};
    NcTokenizerSettings settings;
    settings.TapTools = taps;

    Result start = Tokenize("(TAP START)", settings, 2);
    EXPECT_EQ(start.ret, 0);
    EXPECT_EQ(start.text, "");
    EXPECT_EQ(start.words.T, 0);
    EXPECT_EQ(start.state.ToolNo, 0);
    EXPECT_EQ(start.state.ConditionTool, 0);
    EXPECT_EQ(start.state.TapIndex, 1);

    Result end = Tokenize("M701", settings, 2);
    EXPECT_EQ(end.ret, 0);
    EXPECT_EQ(end.text, "");
    EXPECT_EQ(end.words.T, -1);
    EXPECT_EQ(end.state.ToolNo, -1);
    EXPECT_EQ(end.state.ConditionTool, -1);
    EXPECT_EQ(end.state.TapIndex, -1);

    // Exact and case-sensitive, and only in punch programs.
    EXPECT_EQ(Dump(Tokenize("M700 ", settings, 2)), "ret=1 M=700");
    EXPECT_EQ(Dump(Tokenize("m700", settings, 2)), "ret=0");
    Result laser = Tokenize("M700", settings, 1);
    EXPECT_EQ(laser.text, "M700");
    EXPECT_EQ(laser.state.TapIndex, -1);
}

TEST(BlockTokenizerTest, SkipNumberStopsAtTheEnd) {
    size_t pos = 0;
    SkipNumber("X-12.5Y", pos);
    EXPECT_EQ(pos, 6u);
    pos = 2;
    SkipNumber("X1", pos);
    EXPECT_EQ(pos, 2u);
    pos = 0;
    SkipNumber("X12", pos);
    EXPECT_EQ(pos, 3u);
}

TEST(BlockTokenizerTest, QModeIsKeptByReset) {
    NcBlockWords words;
    words.QMode = 3;
    words.X = 5.0;
    words.L = 7;
    words.Reset();
    EXPECT_EQ(words.QMode, 3);
    EXPECT_FALSE(IsGiven(words.X));
    EXPECT_EQ(words.L, 1);
    EXPECT_EQ(words.ConditionNo, kNcNoCondition);
}

}  // namespace

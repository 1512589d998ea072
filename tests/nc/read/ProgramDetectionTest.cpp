// Tests of the NC type detection rules and the program forms.
#include "nc/read/ProgramDetection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Case {
    std::vector<std::string> lines;
    int passA;
    int passB;
};

TEST(ProgramDetectionTest, TableOfPrograms) {
    const Case cases[] = {
        {{}, 1, 1},
        {{"G01 X10. Y10."}, 1, 1},
        // Rule 1: the number of the line's own address decides.
        {{"N10 G72 X100."}, 2, 2},
        {{"O1234 (G72)"}, 1, 1},
        {{"N100 G72 X0 Y0"}, 1, 1},
        {{"N100 G72 X0 Y0", "N20 G72 X0 Y0"}, 2, 2},
        {{"G92 X1250. Y1250.", "G66 I100. J0 P5."}, 2, 2},
        // Rule 1 wins over rule 3 within a line (no number behind "P" reads as 0).
        {{"PA;G72"}, 2, 2},
        // Rule 2: slash codes.
        {{"(PR/ TEST)"}, 2, 2},
        {{"UT/1"}, 2, 2},
        // Rule 3: plotter prefixes; the last matching line wins.
        {{"N10 G72 X0", "PA;"}, 4, 4},
        {{"PA;", "N10 G72 X0"}, 2, 2},
        {{"XX330"}, 4, 4},
        {{" PA;"}, 1, 1},
        // Rules 4 and 5 only in pass B.
        {{"PA"}, 1, 4},
        {{"PA "}, 1, 1},
        {{"<NcpProgram Version=\"1.0\">"}, 1, 5},
        {{"<NcpProgram Version=\"2.0\">"}, 1, 1},
        {{"<ProcessInfo CutTechnology=\"x\">"}, 1, 5},
        // A process-information tag stops the pass: later lines do not count.
        {{"<Plan JobCode=\"7\">", "PA;"}, 4, 5},
        {{"PA;", "<Plan JobCode=\"7\">"}, 4, 5},
    };
    for (const Case& c : cases) {
        std::string shown;
        for (const auto& l : c.lines) shown += "[" + l + "]";
        EXPECT_EQ(DetectNcType(c.lines, NcDetectionPass::A), c.passA) << shown;
        EXPECT_EQ(DetectNcType(c.lines, NcDetectionPass::B), c.passB) << shown;
    }
}

TEST(ProgramDetectionTest, JobFormInTheFirst52Lines) {
    std::vector<std::string> lines(60, "G01 X1.");
    EXPECT_FALSE(HasJobForm(lines));
    lines[52] = "SMove X1";
    EXPECT_FALSE(HasJobForm(lines));
    lines[51] = "CMove X1";
    EXPECT_TRUE(HasJobForm(lines));
    EXPECT_TRUE(HasJobForm({"System TL=1"}));
    EXPECT_TRUE(HasJobForm({"OriginSft"}));
    EXPECT_FALSE(HasJobForm({"smove"}));
}

TEST(ProgramDetectionTest, MainProgramByExtension) {
    EXPECT_TRUE(IsMainProgramName("/work/parts/PROG.MPF"));
    EXPECT_TRUE(IsMainProgramName("prog.mpf"));
    EXPECT_FALSE(IsMainProgramName("prog.mpf.nc"));
    EXPECT_FALSE(IsMainProgramName("mpf"));
    EXPECT_FALSE(IsMainProgramName(""));
}

}  // namespace

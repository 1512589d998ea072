// The whole-program run: calls, repeats, depth, part numbers and the guards.
#include "app/core/NcProgramRun.h"

#include <gtest/gtest.h>

#include "app/core/FakeBlockSource.h"

namespace {

std::string RunTrail(std::vector<std::string> lines, NcRunResult* result = nullptr,
                     NcRunLimits limits = {}) {
    test::FakeBlockSource source(lines);
    CDtbEngine elements;
    NcRunResult r = RunNcProgram(source, elements, limits);
    if (result) *result = r;
    return test::Trail(elements);
}

}  // namespace

TEST(RunNcProgram, Cases) {
    struct Case {
        const char* what;
        std::vector<std::string> lines;
        const char* trail;
    };
    const Case cases[] = {
        {"plain blocks, empty line, end", {"P7", "", "G01", "END", "AFTER"}, "0:0 2:0 3:0"},
        {"call with repeat 3, part number of the main level",
         {"P7", "CALL 4 3", "X", "END", "S", "RET"},
         "0:0 1:0 4:7 5:7 4:7 5:7 4:7 5:7 2:0 3:0"},
        {"repeat 0 and -1 run once",
         {"CALL 4 0", "CALL 4 -1", "END", "", "S", "RET"},
         "0:0 4:1 5:1 1:0 4:0 5:0 2:0"},
        {"first line a call: part number 1", {"CALL 2", "END", "S", "RET"}, "0:0 2:1 3:1 1:0"},
        {"return with empty stack goes on", {"RET", "X", "END"}, "0:0 1:0 2:0"},
        {"call target outside the program ends the read", {"X", "CALL 99", "Y"}, "0:0 1:0"},
        {"call target -1 ends the read", {"X", "CALL -1", "Y"}, "0:0 1:0"},
        {"end of text ends the read", {"X", "Y"}, "0:0 1:0"},
    };
    for (const auto& c : cases) EXPECT_EQ(RunTrail(c.lines), c.trail) << c.what;
}

TEST(RunNcProgram, SixteenthNestedCallIsNotFollowed) {
    // Line 0 calls line 2; lines 2..17 each call the next line: 16 nested calls in all.
    std::vector<std::string> lines{"CALL 2", "END"};
    for (int i = 2; i <= 17; ++i) lines.push_back("CALL " + std::to_string(i + 1));
    lines.push_back("DEEP");                              // 18: reached only by the 16th call
    for (int i = 0; i < 16; ++i) lines.push_back("RET");  // 19..34
    std::string trail = RunTrail(lines);
    // The 16th call (line 16) is ignored: reading goes on at line 17, which is the 17th call
    // attempt and also ignored, then line 18 and the returns.
    EXPECT_NE(trail.find("15:1 16:1 17:1 18:1 19:1"), std::string::npos) << trail;
    EXPECT_EQ(trail.find("18:1 18"), std::string::npos);
    // 15 returns pop the 15 entries back to line 1 (END); the 16th "RET" is never reached.
    EXPECT_EQ(trail.substr(trail.size() - 3), "1:0");
}

TEST(RunNcProgram, BlockLimitStopsAnEndlessLoop) {
    NcRunResult r;
    NcRunLimits limits;
    limits.maxBlocks = 1000;
    RunTrail({"X", "GOTO 0"}, &r, limits);
    EXPECT_TRUE(r.blockLimitReached);
    EXPECT_EQ(r.blocks, 1000);
    RunTrail({"X", "END"}, &r);
    EXPECT_FALSE(r.blockLimitReached);
    EXPECT_EQ(r.blocks, 2);
}

// The block search in its three modes.
#include "text/core/NcBlockRange.h"

#include <gtest/gtest.h>

namespace {

struct Range {
    int found, first, last, info;
};

Range Find(const std::vector<std::string>& lines, int mode, int row) {
    Range r{0, -7, -7, -7};
    r.found = FindBlockRange(lines, mode, row, 'O', 'O', &r.first, &r.last, &r.info);
    return r;
}

}  // namespace

TEST(NcBlockRange, SubProgramMode) {
    const std::vector<std::string> sub = {"G90", "O0010", "G01 X1.", "M99", "M30"};
    for (int row : {1, 2, 3}) {
        Range r = Find(sub, kBlockSubProgram, row);
        EXPECT_EQ(r.found, 1) << row;
        EXPECT_EQ(r.first, 1);
        EXPECT_EQ(r.last, 3);
        EXPECT_EQ(r.info, 1);
    }
    const std::vector<std::string> main = {"O0010", "G01 X1.", "M30"};
    Range r = Find(main, kBlockSubProgram, 1);
    EXPECT_EQ(r.found, 0);
    EXPECT_EQ(r.first, -7);  // outputs untouched
}

TEST(NcBlockRange, SequenceModeEndsAtEndCodes) {
    for (const char* end : {"M30", "M99", "M300", "M310"}) {
        const std::vector<std::string> lines = {"O1",         "N10 G00 X0.", "G01 Y5.", "N20",
                                                "G01 X1.(Y)", "Y2.",         "G04",     end};
        Range r = Find(lines, kBlockSequence, 5);
        EXPECT_EQ(r.found, 1) << end;
        EXPECT_EQ(r.first, 4) << end;
        EXPECT_EQ(r.last, 5) << end;
        EXPECT_EQ(r.info, 20) << end;
    }
    const std::vector<std::string> open = {"N10", "X1.", "Y2."};
    EXPECT_EQ(Find(open, kBlockSequence, 1).found, 0);
}

TEST(NcBlockRange, SequenceModeStopsBeforeNextBlock) {
    const std::vector<std::string> lines = {"N10 G00 X0.", "G01 Y5.", "N20 G01 X9.", "M30"};
    Range r = Find(lines, kBlockSequence, 1);
    EXPECT_EQ(r.found, 1);
    EXPECT_EQ(r.first, 0);
    EXPECT_EQ(r.last, 1);  // the move line of N20 belongs to the next block
    EXPECT_EQ(r.info, 10);
}

TEST(NcBlockRange, ProgramMode) {
    const std::vector<std::string> lines = {"%",       "O100",    "(X COMMENT)",
                                            "G00 X1.", "G01 Y2.", "M30"};
    Range r = Find(lines, kBlockProgram, 4);
    EXPECT_EQ(r.found, 1);
    EXPECT_EQ(r.first, 3);
    EXPECT_EQ(r.last, 4);
    EXPECT_EQ(r.info, 1);
    // An M inside a comment does not end the program.
    const std::vector<std::string> noEnd = {"O100", "G00 X1.", "(M30)"};
    EXPECT_EQ(Find(noEnd, kBlockProgram, 1).found, 0);
}

TEST(NcBlockRange, RowsOutOfRange) {
    const std::vector<std::string> lines = {"O1", "X1.", "M30"};
    EXPECT_EQ(Find(lines, kBlockProgram, -1).found, 0);
    EXPECT_EQ(Find(lines, kBlockProgram, 3).found, 0);
    EXPECT_EQ(Find({}, kBlockProgram, 0).found, 0);
    EXPECT_EQ(Find(lines, 7, 1).found, 0);
}

TEST(NcBlockRange, MoveLines) {
    EXPECT_TRUE(IsMoveLine("G01 x1."));
    EXPECT_TRUE(IsMoveLine("Y2."));
    EXPECT_FALSE(IsMoveLine("G04 (X)"));
    EXPECT_FALSE(IsMoveLine(""));
}

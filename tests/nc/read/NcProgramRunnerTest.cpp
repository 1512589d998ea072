// Tests of the program runner: sub-program calls and repeats, part numbers, depth and limits.
#include "nc/read/NcProgramRunner.h"

#include <gtest/gtest.h>

#include "NcReadFixture.h"

namespace {

using nctest::Program;

std::string Parts(const CDtbEngine& db) {
    std::string out;
    for (const CDtbElement* e = db.GetFirstElement(); e; e = e->link.next) {
        for (std::string_view t : e->attributes) {
            if (t.starts_with("PrtNo=")) {
                if (!out.empty()) out += " ";
                out += std::string(t.substr(6));
            }
        }
    }
    return out;
}

TEST(NcProgramRunner, CallsRepeatAndCarryTheMainSequenceNumber) {
    // (An N word in the call block itself would name the sequence line to call.)
    Program p({"N5 G01 X1.", "N7 G01 X2.", "M98 P100 L3", "G01 X0.", "M30", "O100",
               "N1 G91 G01 Y1.", "G90 M99"});
    EXPECT_EQ(p.summary.End, NcRunnerEnd::ProgramEnd);
    EXPECT_DOUBLE_EQ(p.reader.State.CurrentPos.y, 3.0);
    // Inside the calls the elements carry the sequence number of the calling block.
    EXPECT_EQ(Parts(p.elements), "0 0 7 7 7 0");
}

TEST(NcProgramRunner, DepthLimitIgnoresFurtherCalls) {
    Program p({"O1", "G91 G01 X1.", "M98 P1", "M30"});
    EXPECT_EQ(p.summary.End, NcRunnerEnd::ProgramEnd);
    EXPECT_DOUBLE_EQ(p.reader.State.CurrentPos.x, 16.0);  // main level and 15 calls
}

TEST(NcProgramRunner, BlockLimitStopsEndlessPrograms) {
    NcRunnerLimits limits;
    limits.MaxBlocks = 1000;
    Program p({"M98 P1 L9999", "M30", "O1", "M98 P2 L9999", "M99", "O2", "G01 X1.", "M99"},
              nctest::LaserSettings(), limits);
    EXPECT_EQ(p.summary.End, NcRunnerEnd::BlockLimit);
    EXPECT_TRUE(p.summary.Failed());
    EXPECT_EQ(p.summary.Blocks, 1000);
}

TEST(NcProgramRunner, RepeatCountBeyondBoundIsAnError) {
    Program p({"M98 P1 L10000", "M30", "O1", "M99"});
    EXPECT_EQ(p.summary.End, NcRunnerEnd::CountLimit);
    EXPECT_EQ(p.summary.LastLine, 0);
}

TEST(NcProgramRunner, ReturnAtMainLevelGoesOn) {
    Program p({"G01 X1.", "M99", "G01 X2."});
    EXPECT_EQ(p.summary.End, NcRunnerEnd::EndOfProgram);
    EXPECT_DOUBLE_EQ(p.reader.State.CurrentPos.x, 2.0);
}

TEST(NcProgramRunner, StepsForTheTrace) {
    CNcReadInfo s = nctest::LaserSettings();
    CNcRead reader;
    reader.SetProgram({"G01 X1.", "M98 P9", "M30", "O9", "M99"}, &s, nullptr, 1);
    NcProgramRunner runner(reader);
    CDtbEngine db;
    std::vector<int> lines, statuses;
    while (!runner.Finished()) {
        const NcRunnerStep step = runner.Step(db);
        lines.push_back(step.Line);
        statuses.push_back(step.Status);
    }
    EXPECT_EQ(lines, (std::vector<int>{0, 1, 3, 4, 2}));
    EXPECT_EQ(statuses, (std::vector<int>{0, 1, 0, -6, -5}));
    EXPECT_EQ(runner.End(), NcRunnerEnd::ProgramEnd);
    const NcRunnerStep after = runner.Step(db);
    EXPECT_EQ(after.End, NcRunnerEnd::ProgramEnd);
    runner.Restart();
    EXPECT_FALSE(runner.Finished());
    EXPECT_EQ(runner.Line(), 0);
}

}  // namespace

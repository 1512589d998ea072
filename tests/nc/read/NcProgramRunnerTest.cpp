// Tests of the program runner: sub-program calls and repeats, part numbers, depth and limits.
#include "nc/read/NcProgramRunner.h"

#include <gtest/gtest.h>

#include "NcReadFixture.h"
#include "nc/machine/CNcReadInfo.h"
#include "nc/read/CNcRead.h"

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

// A chain of n sub-programs, each calling the next before it moves: the main level moves X1,
// every level it reaches moves X1 more.
std::vector<std::string> CallChain(int n) {
    std::vector<std::string> lines{"G91 G01 X1.", "M98 P1", "M30"};
    for (int i = 1; i <= n; ++i) {
        lines.push_back("O" + std::to_string(i));
        if (i < n) lines.push_back("M98 P" + std::to_string(i + 1));
        lines.push_back("G01 X1.");
        lines.push_back("M99");
    }
    return lines;
}

// How calls, returns and repeats end or go on: call depth, returns at the main level, repeat
// counts. x is where the head ends; lastLine the index of the last line read.
TEST(NcProgramRunner, DepthReturnAndRepeatCases) {
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        NcRunnerEnd end;
        double x;
        int lastLine;
    };
    const Case cases[] = {
        // A program that calls itself: the main level and 15 calls move, the 16th is ignored.
        {"self call stops at the depth limit",
         {"O1", "G91 G01 X1.", "M98 P1", "M30"},
         NcRunnerEnd::ProgramEnd,
         16.0,
         3},
        // 15 nested calls are all followed; the 16th level of a chain of 16 is never reached.
        {"fifteen levels", CallChain(15), NcRunnerEnd::ProgramEnd, 16.0, 2},
        {"sixteen levels", CallChain(16), NcRunnerEnd::ProgramEnd, 16.0, 2},
        // M99 with no call open goes on with the next line.
        {"return at the main level",
         {"G01 X1.", "M99", "G01 X2."},
         NcRunnerEnd::EndOfProgram,
         2.0,
         3},
        // A return goes back behind the call; a repeat count runs the body again first.
        {"repeat then return",
         {"G91 G01 X1.", "M98 P5 L3", "X10.", "M30", "O5", "X1.", "M99"},
         NcRunnerEnd::ProgramEnd,
         14.0,
         3},
        {"repeat count beyond its bound",
         {"M98 P1 L10000", "M30", "O1", "M99"},
         NcRunnerEnd::CountLimit,
         0.0,
         0},
    };
    for (const Case& c : cases) {
        Program p(c.lines);
        EXPECT_EQ(p.summary.End, c.end) << c.name;
        EXPECT_DOUBLE_EQ(p.reader.State.CurrentPos.x, c.x) << c.name;
        EXPECT_EQ(p.summary.LastLine, c.lastLine) << c.name;
    }
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

TEST(NcProgramRunner, ElementsAreCountedAsTheyComeAndProgressIsReported) {
    // 40,000 moves: two progress reports (every 16,384 blocks) with lines that grow.
    std::vector<std::string> lines = {"G91"};
    for (int i = 0; i < 40000; ++i) lines.push_back("G01 X1.");
    lines.push_back("M30");
    CNcRead reader;
    CNcReadInfo settings = nctest::LaserSettings();
    reader.SetProgram(lines, &settings, nullptr, 0);
    CDtbEngine db;
    NcProgramRunner runner(reader);
    std::vector<std::pair<int, int>> reports;
    runner.SetProgress([&](int line, int count) { reports.emplace_back(line, count); });
    EXPECT_EQ(runner.Run(db).End, NcRunnerEnd::ProgramEnd);
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0], std::make_pair(16384, 40002));
    EXPECT_EQ(reports[1], std::make_pair(32768, 40002));
    EXPECT_EQ(db.GetLinkedCount(), 40000u);
    EXPECT_EQ(db.GetCount(), 40000u);

    // The element limit holds the run at that many elements.
    NcRunnerLimits limits;
    limits.MaxElements = 1000;
    reader.SetProgram(lines, &settings, nullptr, 0);
    CDtbEngine capped;
    const NcRunnerSummary summary = NcProgramRunner(reader, limits).Run(capped);
    EXPECT_EQ(summary.End, NcRunnerEnd::BlockLimit);
    EXPECT_EQ(capped.GetCount(), 1000u);
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

    // A start line; the reader's own next line beside the runner's.
    runner.Restart(1);
    const NcRunnerStep call = runner.Step(db);
    EXPECT_EQ(call.Line, 1);
    EXPECT_EQ(call.ReadNextLine, 3);  // the call's target
    EXPECT_EQ(call.NextLine, 3);
    runner.Step(db);  // O9
    const NcRunnerStep ret = runner.Step(db);
    EXPECT_EQ(ret.Status, -6);
    EXPECT_EQ(ret.ReadNextLineNo, 4);  // the line after the M99 is past the end: the last one
    EXPECT_EQ(ret.NextLine, 2);        // the runner returns behind the call
}

TEST(NcProgramRunner, ReadThenAdvanceAndCallsFollowedOnce) {
    CNcReadInfo s = nctest::LaserSettings();
    CNcRead reader;
    // Line 1 calls O9 three times.
    reader.SetProgram({"G01 X1.", "M98 P9 L3", "M30", "O9", "G91 G01 X1.", "G90 M99"}, &s, nullptr,
                      1);
    auto lines = [&](NcRunnerCalls calls, int steps) {
        NcProgramRunner runner(reader);
        CDtbEngine db;
        std::vector<int> out;
        for (int i = 0; i < steps && !runner.Finished(); ++i)
            out.push_back(runner.Step(db, calls).Line);
        return out;
    };
    EXPECT_EQ(lines(NcRunnerCalls::Repeat, 20),
              (std::vector<int>{0, 1, 3, 4, 5, 3, 4, 5, 3, 4, 5, 2}));
    EXPECT_EQ(lines(NcRunnerCalls::Once, 20), (std::vector<int>{0, 1, 3, 4, 5, 2}));

    // Read leaves the runner where it is until Advance; a return advanced once pops a call
    // that was entered with its repeats.
    NcProgramRunner runner(reader);
    CDtbEngine db;
    runner.Step(db);
    runner.Step(db);  // the call, with L3
    EXPECT_EQ(runner.Depth(), 1);
    NcRunnerStep o9 = runner.Read(db);
    EXPECT_EQ(o9.Line, 3);
    EXPECT_EQ(runner.Line(), 3);
    EXPECT_EQ(o9.NextLine, 3);
    runner.Advance(o9);
    EXPECT_EQ(runner.Line(), 4);
    runner.Step(db);
    NcRunnerStep ret = runner.Read(db);
    EXPECT_EQ(ret.Status, -6);
    runner.Advance(ret, NcRunnerCalls::Once);
    EXPECT_EQ(runner.Depth(), 0);
    EXPECT_EQ(runner.Line(), 2);
    // MoveTo goes elsewhere with the stack as it is.
    runner.MoveTo(0);
    EXPECT_EQ(runner.Step(db).Line, 0);
}

}  // namespace

// A CP932 comment whose trail byte is 'M' (83 4D) before "98", "99" or "09" changes nothing:
// no call that drops the block's motion, no early return, no marking.
TEST(NcProgramRunner, CommentsOfDoubleByteCharactersAreNoOptionStrings) {
    const std::string c98 =
                          "(\x83\x4D"
                          "98)",
                      c99 =
                          "(\x83\x4D"
                          "99)",
                      c09 =
                          "(\x83\x4D"
                          "09)";
    const std::vector<std::string> plain = {"G01 X1.", "M98 P100",    "G01 X5.", "M30",
                                            "O100",    "G91 G01 Y1.", "G01 Y2.", "G90 M99"};
    std::vector<std::string> commented = plain;
    commented[0] += c98;  // would drop the motion as a call without a program
    commented[5] += c99;  // would return before Y2.
    commented[2] += c09;  // would switch marking on
    const Program a(plain), b(commented);
    EXPECT_DOUBLE_EQ(b.reader.State.CurrentPos.y, 3.0);
    EXPECT_DOUBLE_EQ(b.reader.State.CutLength, a.reader.State.CutLength);
    std::string da = a.Dump(), db = b.Dump();
    // The texts differ only in the comments' lines; the elements are the same.
    auto strip = [](std::string s) {
        std::string out;
        for (size_t i = 0; i < s.size(); ++i) {
            if (s.compare(i, 3, " | ") == 0) {
                while (i < s.size() && s[i] != '\n') ++i;
            }
            if (i < s.size()) out += s[i];
        }
        return out;
    };
    EXPECT_EQ(strip(db), strip(da));
}

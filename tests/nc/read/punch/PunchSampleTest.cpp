// The punch sample of the examples with the die file, arrangement and machine file shipped
// beside it: every hit is drawn with its die.
#include <gtest/gtest.h>

#include <fstream>

#include "PunchTestSupport.h"
#include "TestFiles.h"

namespace {

using punchtest::Die;
using punchtest::Program;

// An example punch program read with the machine file, dies and turret shipped beside it.
struct ExampleRun {
    CPunchTool tool;
    CNcReadInfo settings;
    NcAppContext app;
    CDtbEngine elements;
    NcRunnerSummary summary;

    explicit ExampleRun(const char* program, int noTextConvert) {
        const std::filesystem::path examples =
            std::filesystem::path(MORVALEN_SOURCE_DIR) / "examples";
        EXPECT_EQ(tool.ReadPossessedFile(examples / "punch-sample.dat"), 0);
        EXPECT_EQ(tool.ReadArrangementFile(examples / "punch-sample.arr"), 0);
        EXPECT_EQ(settings.LoadFrom(examples / "punch-sample.nmd"), 1);
        app.PunchTool = &tool;
        CNcRead reader(&app);
        reader.SetProgram(test::ReadLines(examples / program), &settings, nullptr, noTextConvert);
        summary = NcProgramRunner(reader).Run(elements);
    }
};

// Hits under the groups of a chain: round ones (one arc each) and the others.
void CountHits(const CDtbElement* e, int& round, int& other) {
    for (; e != nullptr; e = e->link.next) {
        const auto* node = DtbCast<CDtbNode>(e);
        if (!node) continue;
        if (node->kindName == "Punch1") {
            if (DtbCast<CDtbArc>(node->firstChild))
                ++round;
            else
                ++other;
        }
        CountHits(node->firstChild, round, other);
    }
}

}  // namespace

TEST(PunchSample, EveryHitIsDrawnWithItsShippedDie) {
    const ExampleRun run("punch-sample.nc", 1);
    const CDtbEngine& elements = run.elements;
    int round = 0, other = 0;
    CountHits(elements.GetFirstElement(), round, other);
    EXPECT_EQ(round, 3 + 5);  // T201 (die 1, round 10): three hits and a line of five
    EXPECT_EQ(other, 1 + 6);  // T305 (die 2, square 20): one hit and a circle of six
}

// Die number 1 is a die like any other (it once read as "no tool in use": nothing was punched).
TEST(PunchSample, DieNumberOneIsPunched) {
    Program p({Die(1, kShapeRound, 10.0)}, {"G90 X10. Y10. T1"});
    int round = 0, other = 0;
    CountHits(p.elements.GetFirstElement(), round, other);
    EXPECT_EQ(round, 1);
}

// The trace sample: a hit, a grid, a shear line, a nibbling line and arc, and a part of a hit
// and a line of hits repeated in six cells, the first cell's groups marked as such.
TEST(PunchSample, TheTraceSampleHoldsEveryPatternKind) {
    const ExampleRun run("punch-trace.nc", 0);
    EXPECT_EQ(run.summary.End, NcRunnerEnd::ProgramEnd);
    const CDtbEngine& elements = run.elements;
    std::string types;
    int firstCells = 0, laterCells = 0;
    for (const CDtbElement* e = elements.GetFirstElement(); e; e = e->link.next) {
        const auto* group = DtbCast<CDtbNode>(e);
        if (!group || group->kindName != "Punch") continue;
        const auto info = PunchInfo::FromBytes(group->GetData(), CDtbNode::kDataSize);
        ASSERT_TRUE(info);
        types += std::to_string(info->Type) + " ";
        if (group->firstChild && group->firstChild->GetOption(3) == 2)
            ++(group->GetOption(5) == 0 ? firstCells : laterCells);
    }
    EXPECT_EQ(types, "0 4 6 8 9 0 0 0 0 0 0 1 1 1 1 1 1 ");
    EXPECT_EQ(firstCells, 2);
    EXPECT_EQ(laterCells, 10);
}

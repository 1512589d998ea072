// Tests of the trace engine with recording fakes: where a trace starts, how steps advance
// through calls and repeats, breakpoints in run and step mode, the end, Cancel, the sheet
// moves of punch programs and the breakpoint commands.
#include <gtest/gtest.h>

#include "TraceFakes.h"
#include "nc/NcAppContext.h"
#include "nc/machine/CPunchTool.h"

namespace {

using tracetest::ReadProgram;
using tracetest::TraceFixture;
using Rows = std::vector<int>;

class TraceEngine : public TraceFixture {};

TEST_F(TraceEngine, StartsAtTheFirstProgramNumberLine) {
    struct Case {
        const char* program;
        int firstRow;
    };
    // "%" then "O1000": the second line; no line beginning with O: the first line.
    for (const Case& c : {Case{"percent-then-o.nc", 1}, Case{"no-o.nc", 0}}) {
        Load(ReadProgram(c.program));
        EXPECT_EQ(Step(0), 0) << c.program;
        EXPECT_EQ(host.traceActive, 1);
        EXPECT_EQ(engine.BlockRow, c.firstRow) << c.program;
        EXPECT_EQ(rows.traceRow, c.firstRow);
        EXPECT_EQ(host.stepPending, 0);
        engine.StopTrace();
    }
}

TEST_F(TraceEngine, OpeningTheTraceSetsUpTheViewsAndTheSwitch) {
    Load(ReadProgram("square.nc"));
    Step(0);
    const std::vector<std::string> opening(host.calls.begin(), host.calls.begin() + 9);
    EXPECT_EQ(opening, (std::vector<std::string>{"Clear", "CloseRotate", "ToolBars", "Switch 0",
                                                 "Fit", "Sheet 0.000,0.000,0.000", "Zones -999",
                                                 "HideTip", "Draw 0"}));
    EXPECT_EQ(engine.LastPunchTool, -999);
    // The next step animates the block shown and commits it before reading the next one.
    host.calls.clear();
    Step(0);
    EXPECT_EQ(host.calls.front(), "Commit");
    EXPECT_EQ(engine.BlockRow, 1);
    EXPECT_EQ(host.calls.back(), "Draw 1");
}

TEST_F(TraceEngine, BreakpointsHoldARunOnlyInRunMode) {
    Load(ReadProgram("square.nc"));
    rows.breakpoints[2] = kBreakOn;        // G01Y10.
    rows.breakpoints[3] = kBreakDisabled;  // G01X0.: a disabled one lets the run pass
    EXPECT_EQ(Command(1), (Rows{0, 1, 2}));
    EXPECT_EQ(host.stepPending, 0);
    // Run again: on past the disabled breakpoint to the end, which closes the trace.
    EXPECT_EQ(Command(1), (Rows{3, 4}));
    EXPECT_EQ(host.traceActive, 0);

    // In step mode a breakpoint changes nothing: one block per Step.
    EXPECT_EQ(Command(0), Rows{0});
    EXPECT_EQ(Command(0), Rows{1});
    EXPECT_EQ(Command(0), Rows{2});
    EXPECT_EQ(Command(0), Rows{3});
}

TEST_F(TraceEngine, ARowThatCannotBeReadEndsTheRun) {
    Load(ReadProgram("square.nc"));
    rows.unreadable.insert(1);
    EXPECT_EQ(Command(1), (Rows{0, 1}));
    EXPECT_EQ(host.posts, 0);
    EXPECT_EQ(host.stepPending, 0);
}

TEST_F(TraceEngine, OneStepCoversTheBlocksOfOneRow) {
    // A plotter circle (row 1) becomes three blocks on one row.
    doc.machine.LaserPunch = kNcTypePlotter;
    Load(ReadProgram("plotter-circle.plt"));
    EXPECT_EQ(Command(0), Rows{0});
    EXPECT_EQ(Command(0), (Rows{1, 1, 1}));
    EXPECT_EQ(Command(0), Rows{2});
}

TEST_F(TraceEngine, SubProgramRepeatCounts) {
    struct Case {
        const char* call;
        int runs;  // times the sub-program's move is shown
    };
    // A count of 1 or less runs once, also a negative one (compared signed).
    const Case cases[] = {{"M98P100L3", 3}, {"M98P100L1", 1}, {"M98P100L0", 1}, {"M98P100L-2", 1}};
    for (const Case& c : cases) {
        std::vector<std::string> lines = ReadProgram("sub-repeat.nc");
        lines[1] = c.call;
        Load(lines);
        const Rows shown = Command(1);
        EXPECT_EQ(std::count(shown.begin(), shown.end(), 5), c.runs) << c.call;
        // Behind the calls: the line after the call, then the end.
        ASSERT_GE(shown.size(), 2u);
        EXPECT_EQ(shown.back(), 2) << c.call;
        EXPECT_EQ(host.traceActive, 0) << c.call;
        EXPECT_DOUBLE_EQ(engine.Reader.State.CurrentPos.x, 0.0) << c.call;
    }
}

TEST_F(TraceEngine, TheSixteenthNestedCallIsIgnored) {
    Load(ReadProgram("nested-16.nc"));
    std::vector<int> depths;
    Step(1);
    depths.push_back(engine.CallDepth());
    while (host.posts > 0 && host.traceActive) {
        --host.posts;
        Step(1);
        depths.push_back(engine.CallDepth());
    }
    EXPECT_EQ(*std::max_element(depths.begin(), depths.end()), 15);
    // The main level and fifteen levels move; the sixteenth program is never entered.
    EXPECT_DOUBLE_EQ(engine.Reader.State.CurrentPos.x, 16.0);
}

// A punch program read with dies of its own.
class PunchDocument : public FakeOpsHost {
public:
    CPunchTool tool;
    NcAppContext app;
    PunchDocument() {
        machine.LaserPunch = kNcTypePunch;
        machine.ZeroTimes = 1;
        machine.G92BaseInit = {-0.0, -0.0, -0.0};
        DieRecord die;
        die.Number = 1;
        die.Range = 1;
        die.Shape = 1;
        die.SizeX = 10.0;
        tool.Header.DieCount = 1;
        tool.Dies[0] = die;
        tool.Arrangement.Stations[0].Index = 0;
        tool.Arrangement.Stations[0].StationNo = 1;
        tool.Arrangement.Stations[0].Die = die;
        tool.Arrangement.StationCount = 1;
        app.PunchTool = &tool;
    }
    const NcAppContext* AppContext() const override { return &app; }
};

TEST_F(TraceEngine, APunchSheetMoveRebuildsTheDangerZonesForTheSameTool) {
    PunchDocument punch;
    punch.lines = ReadProgram("punch-g27.nc");
    rows.count = static_cast<int>(punch.lines.size());
    NcTraceEngine e(punch, host, rows, pump, settings);
    auto zonesAndSheets = [&] {
        std::vector<std::string> out;
        for (const std::string& c : host.calls)
            if (c.starts_with("Zones") || c.starts_with("Sheet")) out.push_back(c);
        host.calls.clear();
        return out;
    };
    host.runMode = 0;
    e.TraceStep();  // O1
    zonesAndSheets();
    e.TraceStep();  // T1: a new tool
    EXPECT_EQ(zonesAndSheets(), std::vector<std::string>{"Zones 1"});
    e.TraceStep();  // the same tool: nothing
    EXPECT_EQ(zonesAndSheets(), std::vector<std::string>{});
    e.TraceStep();  // G27: the sheet moves, the zones again for the same tool
    EXPECT_EQ(e.BlockRow, 3);
    EXPECT_EQ(zonesAndSheets(),
              (std::vector<std::string>{"Sheet 200.000,100.000,500.000", "Zones 1"}));
    EXPECT_EQ(e.LastPunchTool, 1);
}

TEST_F(TraceEngine, TheEndClosesTheTraceAndScrollsBack) {
    Load(ReadProgram("square.nc"));
    EXPECT_EQ(Command(1), (Rows{0, 1, 2, 3, 4}));
    EXPECT_EQ(host.traceActive, 0);
    EXPECT_EQ(host.stepPending, 0);
    EXPECT_EQ(rows.traceRow, -1);
    EXPECT_EQ(rows.scrolls.back(), "0");
    EXPECT_TRUE(engine.BlockElements.IsEmpty());
    const std::vector<std::string> closing(host.calls.end() - 4, host.calls.end());
    EXPECT_EQ(closing, (std::vector<std::string>{"ToolBars", "Switch 1", "Clear", "Fit"}));
}

TEST_F(TraceEngine, CancelZeroesTheCountersAndKeepsTheCuttingTime) {
    Load(ReadProgram("square.nc"));
    Command(0);
    Command(0);
    engine.Reader.WorkTime = 95;
    ASSERT_GT(engine.Reader.State.CutLength, 0.0);
    host.status.clear();
    EXPECT_EQ(engine.CancelTrace(), 0);
    EXPECT_EQ(host.traceActive, 0);
    EXPECT_EQ(host.getSubProgMode, 0);
    EXPECT_EQ(host.status,
              std::vector<std::string>{"0.000,0.000,0.000 cut=0.000 rapid=0.000 pierce=0 time=95"});
    EXPECT_EQ(engine.Reader.State.MarkLength, 0.0);
    EXPECT_EQ(engine.Reader.State.MarkCount, 0);
    // With no trace open Cancel only ends the "Get Sub Program" mode.
    host.getSubProgMode = 1;
    host.calls.clear();
    EXPECT_EQ(engine.CancelTrace(), 0);
    EXPECT_EQ(host.getSubProgMode, 0);
    EXPECT_TRUE(host.calls.empty());
}

TEST_F(TraceEngine, TheTraceRowKeepsAThirdOfAPageBelowIt) {
    Load(ReadProgram("square.nc"));
    rows.rowsPerPage = 6;
    rows.selected = {3};
    Command(0);
    EXPECT_TRUE(rows.selected.empty());
    EXPECT_EQ(rows.scrolls, (std::vector<std::string>{"2", "0~"}));
    rows.scrolls.clear();
    Command(0);
    Command(0);
    Command(0);  // row 3: 3 + 2 is row 5, the last
    Command(0);  // row 4: 4 + 2 is past the last row, which is the target
    EXPECT_EQ(rows.scrolls, (std::vector<std::string>{"3", "1~", "4", "2~", "5", "3~", "5", "4~"}));
}

TEST_F(TraceEngine, BreakpointCommands) {
    rows.count = 6;
    struct Case {
        const char* what;
        std::vector<int> selected;
        std::map<int, int> before;
        int headerBefore;
        int all;  // -1: on the selection with state, else every breakpoint to this state
        int state;
        int result;
        std::map<int, int> after;
        int header;
    };
    const int E = kHeaderEmpty, D = kHeaderDisable, N = kHeaderEnable;
    const Case cases[] = {
        {"set on the selection", {1, 4}, {}, E, -1, 1, 0, {{1, 1}, {4, 1}}, D},
        {"wait keeps the header", {2}, {}, E, -1, 2, 0, {{2, 2}}, E},
        {"nothing selected", {}, {{0, 1}}, E, -1, 1, -1, {{0, 1}}, E},
        {"off on the selection", {0}, {{0, 1}, {3, 2}}, N, -1, 0, 0, {{0, 0}, {3, 2}}, N},
        {"all enable", {}, {{0, 2}, {3, 1}}, E, 1, 1, 0, {{0, 1}, {3, 1}}, D},
        {"all disable", {}, {{0, 1}, {3, 1}}, E, 1, 2, 0, {{0, 2}, {3, 2}}, N},
        {"all release", {}, {{0, 1}, {3, 2}}, D, 1, 0, 0, {{0, 0}, {3, 0}}, E},
        {"all release without any", {}, {{2, 0}}, D, 1, 0, -1, {{2, 0}}, D},
    };
    for (const Case& c : cases) {
        rows.selected = c.selected;
        rows.breakpoints = c.before;
        rows.headerImage = c.headerBefore;
        const int r = c.all < 0 ? engine.SetBreakpointOnSelection(c.state)
                                : engine.SetAllBreakpoints(c.state);
        EXPECT_EQ(r, c.result) << c.what;
        EXPECT_EQ(rows.breakpoints, c.after) << c.what;
        EXPECT_EQ(rows.headerImage, c.header) << c.what;
    }
}

TEST_F(TraceEngine, AStepFromInsideAStepDoesNothing) {
    Load(ReadProgram("square.nc"));
    Command(0);
    Command(0);  // G01X10.: its line is animated by the next step
    int nestedResult = -1, nestedRow = -1;
    host.traceTime = 1;
    pump.actions[1] = [&] {
        // The frame refuses it; the engine too: the block being animated stays.
        nestedResult = engine.TraceStep();
        nestedRow = engine.BlockRow;
        EXPECT_TRUE(engine.StepUnderWay());
    };
    Command(0);
    EXPECT_EQ(nestedResult, 0);
    EXPECT_EQ(nestedRow, 1);
    EXPECT_EQ(engine.BlockRow, 2);
    EXPECT_FALSE(engine.StepUnderWay());
}

}  // namespace

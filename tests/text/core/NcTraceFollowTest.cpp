// Tests of the trace following an outside position: the stages of the program-position search,
// sequence lines, each position type, the run into and out of a sub-program, the same
// coordinates twice, a position that cannot be found and the bounded run.
#include <gtest/gtest.h>

#include "TraceFakes.h"
#include "text/core/NcProgramPosition.h"

namespace {

using tracetest::ReadProgram;
using tracetest::TraceFixture;
using Rows = std::vector<int>;
using Strings = std::vector<std::string>;

TEST(FindProgramPosition, EveryStage) {
    const std::vector<std::string> lines = ReadProgram("follow.nc");
    struct Case {
        const char* what;
        int mainProgram, subProgram, mainSequence, subSequence;
        int stage, mainRow, subRow;
    };
    const Case cases[] = {
        {"nothing given: row 1", -1, -1, -1, -1, 3, 1, -1},
        {"the main program alone", 1000, -1, -1, -1, 3, 1, -1},
        {"a main sequence", 1000, -1, 2, -1, 2, 4, -1},
        {"a sub-program's sequence", 1000, 2000, 2, 20, 4, 4, 13},
        {"a sub-program alone", -1, 2000, -1, -1, 3, -1, 10},
        {"a sub sequence alone is a sequence of the main program", -1, -1, -1, 20, 2, 13, -1},
        {"a program that is not there", 3000, -1, 2, -1, 0, -1, -1},
        {"a sequence that is not there", 1000, -1, 99, -1, 1, 1, -1},
        {"a sub sequence that is not there", 1000, 2000, 2, 99, 3, 4, 10},
    };
    for (const Case& c : cases) {
        int mainRow = 7, subRow = 7;
        EXPECT_EQ(FindProgramPosition(lines, {}, c.mainProgram, c.subProgram, c.mainSequence,
                                      c.subSequence, &mainRow, &subRow),
                  c.stage)
            << c.what;
        EXPECT_EQ(mainRow, c.mainRow) << c.what;
        EXPECT_EQ(subRow, c.subRow) << c.what;
    }
    // The machine's program letters.
    const std::vector<std::string> colon = {":1000", "N5G01X1.", "$2000", "N6G01X2."};
    int mainRow = 0, subRow = 0;
    EXPECT_EQ(FindProgramPosition(colon, {':', '$'}, 1000, 2000, 5, 6, &mainRow, &subRow), 4);
    EXPECT_EQ(mainRow, 1);
    EXPECT_EQ(subRow, 3);
    EXPECT_EQ(FindProgramPosition(colon, {}, 1000, -1, 5, -1, &mainRow, &subRow), 0);
    EXPECT_EQ(FindProgramPosition(colon, {'\0', '\0'}, 1000, -1, -1, -1, &mainRow, &subRow), 0);
}

TEST(SequenceLineNumber, AnNWithAGOrAnMBeforeAnyComment) {
    struct Case {
        const char* line;
        bool numbered;
        int number;
    };
    const Case cases[] = {
        {"N10G01X1.", true, 10}, {"N5 M300", true, 5},    {"N10X5.", false, 0},
        {"N10(G01)", false, 0},  {"G01N10X1.", false, 0}, {"N", false, 0},
    };
    for (const Case& c : cases) {
        int number = 0;
        EXPECT_EQ(SequenceLineNumber(c.line, &number), c.numbered) << c.line;
        EXPECT_EQ(number, c.number) << c.line;
    }
}

// A laser program with a main program O1000 (N1, N2 calling O2000, N3) and O2000 (N10, N20).
class TraceFollow : public TraceFixture {
protected:
    void SetUp() override { Load(ReadProgram("follow.nc")); }
    // The calls of the views since the last Clear of this list, without the trace's opening.
    Strings Views() const {
        Strings out;
        for (const std::string& c : host.calls)
            if (c == "Commit" || c.rfind("Draw", 0) == 0 || c.rfind("Mark", 0) == 0)
                out.push_back(c);
        return out;
    }
    void Clear() {
        host.calls.clear();
        rows.selections.clear();
    }
};

TEST_F(TraceFollow, ARunToAMainSequenceShowsItsBlocks) {
    host.stepPending = 1;
    EXPECT_EQ(engine.TraceToPosition(0, 1000, -1, 2, -1, 30.0, 0.0, 1), 0);
    EXPECT_EQ(host.traceActive, 1);  // opened at the O line
    EXPECT_TRUE(host.Called("Switch 0"));
    // Rows 1 to 3 on the way, then the sequence N2 up to the call, which ends it.
    EXPECT_EQ(rows.selections, (Rows{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(rows.selected, Rows{6});
    // The path to the position ends in the traced layer; the sequence is the current step.
    EXPECT_EQ(Views(),
              (Strings{"Commit", "Draw 2", "Commit", "Draw 2", "Mark 0 30.000,0.000,0.000 1"}));
    EXPECT_EQ(host.stepPending, 0);
    EXPECT_EQ(engine.CurrentLine(), 6);
    EXPECT_EQ(engine.TargetMainSequence, 2);
    EXPECT_EQ(engine.TargetMoveKind, 1);
}

TEST_F(TraceFollow, ARunIntoASubProgramAndOnToTheNextMainSequence) {
    engine.TraceToPosition(0, 1000, -1, 2, -1, 30.0, 0.0, 1);
    Clear();
    // Into O2000's N20: the call is followed once (no repeats), then the sequence to M99.
    engine.TraceToPosition(1, 1000, 2000, 2, 20, 0.0, 7.0, 2);
    EXPECT_EQ(rows.selections, (Rows{6, 10, 11, 12, 13, 14, 15}));
    EXPECT_EQ(engine.CallDepth(), 0);  // the return closed the sequence
    EXPECT_EQ(engine.CurrentLine(), 7);
    EXPECT_EQ(engine.FinishSubProgram, 0);
    EXPECT_EQ(Views().back(), "Mark 1 0.000,7.000,0.000 2");

    // N3 of the main program: the run goes on from where it is.
    Clear();
    engine.TraceToPosition(0, 1000, -1, 3, -1, 50.0, 0.0, 1);
    EXPECT_EQ(rows.selections, (Rows{7, 8}));  // M30 ends the sequence
    EXPECT_EQ(host.traceActive, 1);            // but not the trace
}

TEST_F(TraceFollow, ASubSequenceAloneIsSearchedInTheMainProgram) {
    // N3 of the main program; the call on the way is run through to its return.
    engine.TraceToPosition(0, -1, -1, -1, 3, 50.0, 0.0, 1);
    EXPECT_EQ(rows.selections, (Rows{1, 2, 3, 4, 5, 6, 10, 11, 12, 13, 14, 15, 7, 8}));
}

TEST_F(TraceFollow, TheNextSequenceFromWhereTheTraceIs) {
    engine.TraceToPosition(0, 1000, -1, 1, -1, 10.0, 10.0, 1);
    EXPECT_EQ(rows.selections, (Rows{1, 2, 3}));
    Clear();
    // Type 2 shows the sequence the trace stands on (N2, up to its call) without a search.
    engine.TraceToPosition(2, -1, -1, -1, -1, 30.0, 0.0, 3);
    EXPECT_EQ(rows.selections, (Rows{4, 5, 6}));
    EXPECT_EQ(Views(), (Strings{"Commit", "Draw 2", "Mark 2 30.000,0.000,0.000 3"}));
    EXPECT_EQ(engine.TargetMainSequence, 1);  // the targets stay
}

TEST_F(TraceFollow, PositionsShownOnly) {
    struct Case {
        const char* what;
        int type;
        bool endsTrace;
    };
    for (const Case& c : {Case{"type -1", -1, false}, Case{"type 3 ends the trace", 3, true}}) {
        Clear();
        host.traceActive = 0;
        engine.TraceToPosition(c.type, 1000, -1, 2, -1, 5.0, 6.0, 7);
        EXPECT_TRUE(rows.selections.empty()) << c.what;  // nothing interpreted
        EXPECT_EQ(Views(),
                  (Strings{"Commit", "Mark " + std::to_string(c.type) + " 5.000,6.000,0.000 7"}))
            << c.what;
        EXPECT_EQ(host.traceActive, c.endsTrace ? 0 : 1) << c.what;
    }
}

TEST_F(TraceFollow, CoordinatesOnlyAndTheSameCoordinatesTwice) {
    engine.TraceToPosition(4, -1, -1, -1, -1, 100.0, 50.0, 101);
    EXPECT_EQ(Views(), Strings{"Mark 4 100.000,50.000,0.000 101"});
    EXPECT_EQ(host.traceActive, 1);
    Clear();
    host.stepPending = 1;
    engine.TraceToPosition(4, -1, -1, -1, -1, 100.0009, 49.9991, 102);
    EXPECT_TRUE(host.calls.empty());  // within 0.001: no change at all
    EXPECT_EQ(host.stepPending, 1);
    EXPECT_EQ(engine.TargetMoveKind, 101);
    engine.TraceToPosition(4, -1, -1, -1, -1, 100.002, 50.0, 102);
    EXPECT_EQ(Views(), Strings{"Mark 4 100.002,50.000,0.000 102"});
}

TEST_F(TraceFollow, APositionThatCannotBeFoundChangesNothing) {
    engine.TraceToPosition(0, 3000, -1, 2, -1, 30.0, 0.0, 1);
    Clear();
    host.stepPending = 1;
    engine.TraceToPosition(0, 3000, -1, 2, -1, 31.0, 0.0, 1);
    EXPECT_EQ(Views(), Strings{"Commit"});  // nothing drawn or marked
    EXPECT_TRUE(rows.selections.empty());
    EXPECT_EQ(host.stepPending, 1);
    EXPECT_EQ(host.traceActive, 1);
    EXPECT_EQ(engine.RunToPosition(1), -1);
}

TEST_F(TraceFollow, AProgramThatEndsOnTheWayEndsTheTrace) {
    Load({"O1", "G01X1.", "M30", "N9G01X2."});
    engine.TraceToPosition(0, 1, -1, 9, -1, 0.0, 0.0, 1);
    EXPECT_EQ(host.traceActive, 0);
    EXPECT_EQ(Views(), Strings{"Commit"});
}

TEST_F(TraceFollow, ARunThatNeverReachesItsRowIsBounded) {
    // The calls double at every level down to the depth limit: about 130,000 blocks before
    // the program ends; the run gives up after 100 blocks per line.
    Load(ReadProgram("far-row.nc"));
    engine.TraceToPosition(0, 1, -1, 9, -1, 0.0, 0.0, 1);
    EXPECT_EQ(host.traceActive, 1);
    EXPECT_EQ(Views(), Strings{"Commit"});
    EXPECT_LE(rows.selections.size(), 800u);
}

TEST_F(TraceFollow, CollectingInMode0PassesOtherSequencesAndStopsAtM300) {
    Load({"O1", "N1G01X1.", "N2G01X2.", "G01X3.", "M300", "N2G01X9.", "M30"});
    engine.StartTrace();
    engine.TraceType = 0;
    engine.TargetMainSequence = 2;
    CDtbEngine collected;
    EXPECT_EQ(engine.RunSequenceBlocks(0, &collected), 0);
    EXPECT_EQ(rows.selections, (Rows{0, 2, 3}));
    EXPECT_EQ(engine.CurrentLine(), 5);  // after the M300 block
    EXPECT_EQ(collected.GetCount(), 2u);
}

}  // namespace

// The punch hook called on a set-up reader: result codes, the state a block changes, and the
// checks of tool, tapping and die indexes.
#include <gtest/gtest.h>

#include "nc/read/NcBlockWords.h"
#include "nc/read/punch/PunchStatus.h"
#include "tests/nc/read/punch/PunchTestSupport.h"

namespace {

using punchtest::Die;

// A reader over an empty program with a round die in station 1, a square X10 in station 2, a
// single-D die in station 3, an empty station 90 and a tapping tool of die 107.
struct Hook {
    CNcReadInfo settings = punchtest::PunchSettings();
    CPunchTool tool;
    NcAppContext app;
    CNcRead reader{&app};
    CDtbEngine sink;
    NcBlockWords words;

    Hook() {
        punchtest::SetDies(tool,
                           {Die(101, kShapeRound, 10.0), Die(102, kShapeSquare, 10.0),
                            Die(103, kShapeSingleD, 20.0, 15.0), Die(107, kShapeTapping, 8.0)},
                           90);
        tool.TapTools[0].DieNumber = 107;
        tool.TapCount = 1;
        app.PunchTool = &tool;
        reader.SetProgram({}, &settings, nullptr, 1);
        reader.State.TargetPos = CxyzData(0.0, 0.0, 0.0);
        reader.State.LastElementEnd = CxyzData(-10.0, 0.0, 0.0);
    }
    int Run(int code) { return reader.PunchPattern(code, words, &sink); }
};

TEST(PunchHook, ToolResolution) {
    struct Case {
        const char* name;
        int toolNo;
        int tapIndex;
        int expected;
    };
    const Case cases[] = {
        {"no T word yet", -1, -1, kPunchNoTool},
        {"T0 without a tapping tool", 0, -1, kPunchNoTool},
        {"station without a die", 90, -1, kPunchNoDie},
        {"no such station", 50, -1, kPunchNoDie},
        {"tapping tool", 0, 0, kPunchDone},
        {"tapping index beyond the tools", 0, 1, kPunchNoDie},
        {"station 1", 1, -1, kPunchDone},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Hook h;
        h.reader.State.ToolNo = c.toolNo;
        h.reader.State.TapIndex = c.tapIndex;
        EXPECT_EQ(h.Run(-1), c.expected);
        EXPECT_EQ(h.sink.IsEmpty(), c.expected != kPunchDone);
    }
}

TEST(PunchHook, DieOfTheStationMissingFromTheTable) {
    Hook h;
    h.tool.Arrangement.Stations[0].Die.Number = 555;  // not possessed
    h.reader.State.ToolNo = 1;
    EXPECT_EQ(h.Run(-1), kPunchNoDie);
    EXPECT_TRUE(h.sink.IsEmpty());
}

TEST(PunchHook, RefusedBlocksLeaveSinkAndStateAlone) {
    struct Case {
        const char* name;
        int code;
        int tool;
        NcBlockWords words;
    };
    auto w = [](auto set) {
        NcBlockWords b;
        set(b);
        return b;
    };
    const Case cases[] = {
        {"26 without I", 26, 1, w([](NcBlockWords& b) {
             b.J = 0;
             b.KCount = 4;
         })},
        {"26 with K0", 26, 1, w([](NcBlockWords& b) {
             b.I = 10;
             b.J = 0;
             b.KCount = 0;
         })},
        {"28 without a count", 28, 1, w([](NcBlockWords& b) {
             b.I = 10;
             b.J = 0;
         })},
        {"66 without Q", 66, 1, w([](NcBlockWords& b) {
             b.I = 100;
             b.J = 0;
             b.PLength = 30;
         })},
        {"69 with a zero pitch", 69, 1, w([](NcBlockWords& b) {
             b.I = 50;
             b.J = 0;
             b.PLength = 10;
             b.Q = 0.0005;
         })},
        {"69 with a count no int holds", 69, 1, w([](NcBlockWords& b) {
             b.I = 1e12;
             b.J = 0;
             b.PLength = 10;
             b.Q = 0.01;
         })},
        {"68 with a zero radius", 68, 1, w([](NcBlockWords& b) {
             b.I = 0;
             b.J = 0;
             b.K = 90;
             b.PLength = 10;
             b.Q = 5;
         })},
        {"68 with a single-D die", 68, 3, w([](NcBlockWords& b) {
             b.I = 20;
             b.J = 0;
             b.K = 90;
             b.PLength = 10;
             b.Q = 5;
         })},
        {"202 without J", 202, 1, w([](NcBlockWords& b) {
             b.X = 0;
             b.Y = 0;
             b.I = 100;
         })},
        {"36 beyond the hit bound", 36, 1, w([](NcBlockWords& b) {
             b.I = 1;
             b.J = 1;
             b.PCount = 9999;
             b.KCount = 9999;
         })},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Hook h;
        h.reader.State.ToolNo = c.tool;
        h.words = c.words;
        EXPECT_EQ(h.Run(c.code), kPunchRefused);
        EXPECT_TRUE(h.sink.IsEmpty());
        EXPECT_EQ(h.sink.GetLevel(), 0);
        EXPECT_EQ(h.reader.State.LastElementEnd, CxyzData(-10.0, 0.0, 0.0));
        EXPECT_EQ(h.reader.State.RapidLength, 0.0);
    }
}

TEST(PunchHook, OtherCodesCreateNothing) {
    Hook h;
    h.reader.State.ToolNo = 1;
    EXPECT_EQ(h.Run(70), kPunchDone);
    EXPECT_TRUE(h.sink.IsEmpty());
}

TEST(PunchHook, HitMovesTheToolAndCountsTheRapid) {
    Hook h;
    h.reader.State.ToolNo = 1;
    h.reader.State.TargetPos = CxyzData(100.0, 50.0, 2.0);
    h.reader.State.LastElementEnd = CxyzData(100.0, 20.0, 2.0);
    EXPECT_EQ(h.Run(-1), kPunchDone);
    EXPECT_EQ(h.reader.State.LastElementEnd, CxyzData(100.0, 50.0, 2.0));
    EXPECT_DOUBLE_EQ(h.reader.State.RapidLength, 30.0);
    EXPECT_EQ(h.sink.GetLevel(), 0);
}

TEST(PunchHook, ShearEndsAtTheLastStroke) {
    Hook h;
    h.reader.State.ToolNo = 2;
    h.words.I = 100;
    h.words.J = 0;
    h.words.PLength = 30;
    h.words.Q = 10;
    EXPECT_EQ(h.Run(66), kPunchDone);
    EXPECT_EQ(h.reader.State.LastElementEnd, CxyzData(85.0, 5.0, 0.0));
    EXPECT_DOUBLE_EQ(h.reader.State.RapidLength, std::hypot(25.0, 5.0));
}

TEST(PunchHook, NibblingEndsAtTheLastStroke) {
    Hook h;
    h.reader.State.ToolNo = 1;
    h.words.I = 20;
    h.words.J = 0;
    h.words.K = -90;
    h.words.PLength = 10;
    h.words.Q = 5;
    EXPECT_EQ(h.Run(68), kPunchDone);
    EXPECT_EQ(h.reader.State.LastElementEnd, CxyzData(0.0, -25.0, 0.0));

    Hook line;
    line.reader.State.ToolNo = 1;
    line.words.X = 0;
    line.words.Y = 0;
    line.words.I = 30;
    line.words.J = 40;
    EXPECT_EQ(line.Run(202), kPunchDone);
    EXPECT_EQ(line.reader.State.LastElementEnd, CxyzData(30.0, 40.0, 0.0));
}

// A record written for a die table that has since changed must not be read past the table.
TEST(PunchHook, HitWithADieIndexOutsideTheTable) {
    Hook h;
    EXPECT_EQ(h.reader.PunchHit(-1, CxyzData(), 0.0, &h.sink), kPunchNoDie);
    EXPECT_EQ(h.reader.PunchHit(4, CxyzData(), 0.0, &h.sink), kPunchNoDie);
    EXPECT_EQ(h.reader.PunchHit(kMaxDies, CxyzData(), 0.0, &h.sink), kPunchNoDie);
    EXPECT_TRUE(h.sink.IsEmpty());
    EXPECT_EQ(h.reader.State.LastElementEnd, CxyzData(-10.0, 0.0, 0.0));
}

TEST(PunchHook, SquareChecksItsWords) {
    Hook h;
    EXPECT_EQ(h.reader.PunchSquare(0, h.words, &h.sink), kPunchMissingWord);
    h.words.I = 1;
    h.words.J = 2;
    h.words.Q = 3;
    EXPECT_EQ(h.reader.PunchSquare(-1, h.words, &h.sink), kPunchNoDie);
    EXPECT_EQ(h.reader.PunchSquare(0, h.words, &h.sink), kPunchDone);
    EXPECT_TRUE(h.sink.IsEmpty());
}

TEST(PunchHook, Code202GivesItsLineEvenWithoutADie) {
    Hook h;
    h.reader.State.TargetPos = CxyzData(10.0, 10.0, 0.0);
    h.words.X = 0;
    h.words.Y = 0;
    h.words.I = 0;
    h.words.J = 50;
    CxyzData start, end;
    double angle = 0.0;
    EXPECT_EQ(h.reader.PunchCode202(-1, h.words, &h.sink, &start, &end, &angle), kPunchNoDie);
    EXPECT_EQ(start, CxyzData(10.0, 10.0, 0.0));
    EXPECT_EQ(end, CxyzData(10.0, 60.0, 0.0));
    EXPECT_DOUBLE_EQ(angle, 90.0);
    EXPECT_TRUE(h.sink.IsEmpty());
}

}  // namespace

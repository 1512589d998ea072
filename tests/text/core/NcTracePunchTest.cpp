// Tests of the trace's punch-pattern animation: the replay of laid-out patterns, shear lines,
// nibbling lines and arcs hit by hit with their pauses, pens and outlines, the cells of a
// multi-part repetition, the groups that are not animated, and Escape, Cancel and a quit
// request in the middle of a pattern.
#include <gtest/gtest.h>

#include <memory>

#include "TraceFakes.h"
#include "kernel/db/CDtbLine.h"
#include "kernel/db/CDtbNode.h"
#include "nc/read/punch/PunchInfo.h"
#include "tests/nc/read/punch/PunchTestSupport.h"

namespace {

using tracetest::Pt;
using tracetest::TraceFixture;
using Strings = std::vector<std::string>;

CDtbInfo Ff() {
    CDtbInfo i;
    i.penKind = 1;
    i.classBits = kDtbClassRapid;
    return i;
}

// A punch group as the reader makes it, opened: its record and the approach line from `from`
// to `to`. The caller adds the rest and closes it.
CDtbNode* OpenPunchGroup(CDtbEngine& db, const PunchInfo& info, CxyzData from, CxyzData to) {
    const PunchInfo::Bytes bytes = info.ToBytes();
    auto* group = db.Append(
        std::make_unique<CDtbNode>("Tessmark", 8, "Punch", 5, bytes.data(), bytes.size()));
    db.NodeUp(group);
    db.Append(std::make_unique<CDtbLine>(from, to, Ff()));
    return group;
}
// A hit outline: a circle of radius r in a "Punch1" group.
void AddHit(CDtbEngine& db, CxyzData at, double r) {
    auto* hit = db.Append(std::make_unique<CDtbNode>("Tessmark", "Punch1", ""));
    db.NodeUp(hit);
    db.Append(std::make_unique<CDtbArc>(at, r, 0.0, 360.0, 0));
    db.NodeDown();
}
PunchInfo Record(int8_t type, std::array<float, 5> values, uint16_t die = 0, double x = 0,
                 double y = 0) {
    PunchInfo info;
    info.Type = type;
    info.DieIndex = die;
    info.Values = values;
    info.X = x;
    info.Y = y;
    return info;
}

// A punch trace open in run mode at the Normal speed (5 ms), with punch pens: FF 10,20,30 kind
// 1, Punch 200,0,0 width 2.
class TracePunch : public TraceFixture {
protected:
    CPunchTool dies;

    void SetUp() override {
        doc.machine = punchtest::PunchSettings();
        host.traceActive = 1;
        host.runMode = 1;
        host.traceTime = 1;
        host.keepDrawn = true;
        engine.Reader.State.NcType = kNcTypePunch;
        engine.Reader.Settings = &doc.machine;
        punchtest::SetDies(
            dies, {punchtest::Die(1, kShapeRound, 10.0), punchtest::Die(2, kShapeSquare, 8.0),
                   punchtest::Die(3, kShapeRectangle, 6.0, 4.0),
                   punchtest::Die(4, kShapeObround, 6.0, 4.0)});
        engine.Reader.Dies = &dies;
    }
    CDtbEngine& Block() { return engine.BlockElements; }
    // The shear line of the Part's example: d1 10, d2 4, L 50 from (5, 2): six hits 8 apart.
    CDtbNode* AddShear(CDtbEngine& db) {
        CDtbNode* g =
            OpenPunchGroup(db, Record(kPunchShear, {0, 0, 10, 4, 50}), {0, 0, 0}, {5, 2, 0});
        db.NodeDown();
        return g;
    }
    Strings Draws() const {
        Strings out;
        for (const std::string& c : host.calls)
            if (c.rfind("Draw", 0) == 0 || c == "Clear") out.push_back(c);
        return out;
    }
    void Reset() {
        host.calls.clear();
        host.drawn.clear();
        pump.pauses.clear();
        pump.pumps = 0;
    }
};

// The first line of the first "Punch1" group of a drawn step: its start and its pen.
const CDtbLine* FirstOutlineLine(const CDtbEngine& step) {
    for (const CDtbElement* e = step.GetFirstElement(); e; e = e->link.next)
        if (auto* g = DtbCast<CDtbNode>(e); g && g->kindName == "Punch1")
            return DtbCast<CDtbLine>(g->firstChild);
    return nullptr;
}

TEST_F(TracePunch, ALaidOutPatternIsReplayedPausingAfterEachHit) {
    struct Case {
        const char* what;
        int runMode, traceTime;
        std::vector<int> pauses;
    };
    const Case cases[] = {
        {"run at Normal", 1, 1, {5, 5}},
        {"step mode pauses too", 0, 1, {5, 5}},
        {"High: no pause", 1, 0, {}},
    };
    for (const Case& c : cases) {
        Reset();
        Block().Empty();
        host.runMode = c.runMode;
        host.traceTime = c.traceTime;
        OpenPunchGroup(Block(), Record(kPunchLine, {}), {0, 0, 0}, {10, 0, 0});
        AddHit(Block(), {10, 0, 0}, 5);
        Block().Append(std::make_unique<CDtbLine>(CxyzData(10, 0, 0), CxyzData(30, 0, 0), Ff()));
        AddHit(Block(), {30, 0, 0}, 5);
        Block().NodeDown();
        EXPECT_EQ(engine.AnimateBlock(), 0) << c.what;
        EXPECT_EQ(Draws(), (Strings{"Draw 1", "Draw 2", "Draw 1", "Draw 2"})) << c.what;
        EXPECT_EQ(pump.pauses, c.pauses) << c.what;
        EXPECT_EQ(pump.pumps, 4) << c.what;  // after every drawing step
    }
}

TEST_F(TracePunch, AShearLineIsLaidOutHitByHit) {
    AddShear(Block());
    engine.AnimateBlock();
    // The approach line, then each hit: its rapid from the last one and its outline group.
    EXPECT_EQ(Draws(),
              (Strings{"Draw 1", "Draw 5", "Draw 6", "Draw 6", "Draw 6", "Draw 6", "Draw 6"}));
    EXPECT_EQ(pump.pauses, std::vector<int>(6, 5));
    ASSERT_EQ(host.drawn.size(), 7u);
    // The outline of the first hit about (5, 2): back left (0, 4) first, in the Punch pen.
    const CDtbLine* first = FirstOutlineLine(host.drawn[1]);
    ASSERT_TRUE(first);
    EXPECT_EQ(Pt(first->start), "0.000,4.000,0.000");
    EXPECT_EQ(Pt(first->end), "0.000,0.000,0.000");
    EXPECT_EQ(first->info.classBits, kDtbClassPunch);
    EXPECT_EQ(first->info.red, 200);
    EXPECT_EQ(first->info.penWidth, 2);
    // The move to the second hit in the FF pen, class 1.
    const auto* move = DtbCast<CDtbLine>(host.drawn[2].GetFirstElement());
    ASSERT_TRUE(move);
    EXPECT_EQ(Pt(move->start) + " " + Pt(move->end), "5.000,2.000,0.000 13.000,2.000,0.000");
    EXPECT_EQ(move->info.classBits, kDtbClassRapid);
    EXPECT_EQ(move->info.blue, 30);
    EXPECT_EQ(Pt(FirstOutlineLine(host.drawn[6])->start), "40.000,4.000,0.000");

    // Only the first and the last hit pause with TraceOnlyStartEndStop.
    Reset();
    settings.TraceOnlyStartEndStop = 1;
    engine.AnimateBlock();
    EXPECT_EQ(pump.pauses, (std::vector<int>{5, 5}));
    EXPECT_EQ(pump.pumps, 6);
}

TEST_F(TracePunch, ANibblingLineDrawsCirclesOfTheToolDiameter) {
    // Angle 90, pitch 3, diameter 5, length 10: hits at 0, 3, 6 and 9.
    OpenPunchGroup(Block(), Record(kPunchNibbleLine, {90, 3, 5, 10}), {0, -5, 0}, {0, 0, 0});
    Block().NodeDown();
    engine.AnimateBlock();
    Strings centres;
    for (size_t i = 1; i < host.drawn.size(); ++i) {
        const auto* g =
            DtbCast<CDtbNode>(CDtbEngine::FindLastElement(host.drawn[i].GetFirstElement()));
        ASSERT_TRUE(g);
        const auto* circle = DtbCast<CDtbArc>(g->firstChild);
        ASSERT_TRUE(circle);
        EXPECT_EQ(circle->radius, 2.5);
        centres.push_back(Pt(circle->centre));
    }
    EXPECT_EQ(centres, (Strings{"0.000,0.000,0.000", "0.000,3.000,0.000", "0.000,6.000,0.000",
                                "0.000,9.000,0.000"}));
}

TEST_F(TracePunch, ANibblingArcDrawsTheOutlineOfItsDie) {
    struct Case {
        const char* what;
        uint16_t die;
        Strings firstHit;  // the outline of the hit at (150, 0), radial direction 0
    };
    const Case cases[] = {
        {"round die 10: a circle of radius 5", 0, {"A 150.000,0.000,0.000 r=5.000"}},
        {"square die 8: 8 by 8",
         1,
         {"L 154.000,-4.000,0.000", "L 146.000,-4.000,0.000", "L 146.000,4.000,0.000",
          "L 154.000,4.000,0.000"}},
        {"rectangle 6 by 4: X across, Y along the radius",
         2,
         {"L 152.000,-3.000,0.000", "L 148.000,-3.000,0.000", "L 148.000,3.000,0.000",
          "L 152.000,3.000,0.000"}},
        {"an obround die: not drawn", 3, {}},
        {"a die index past the table: not drawn", 9, {}},
        {"no die (index -1): not drawn", 0xFFFF, {}},
    };
    for (const Case& c : cases) {
        Reset();
        CDtbEngine db;
        // R 50 about (100, 0) from 0 degrees over 90 with a pitch of 40 (45.8 degrees): 2 hits.
        CDtbNode* g = OpenPunchGroup(db, Record(kPunchNibbleArc, {50, 0, 90, 40, 0}, c.die, 100, 0),
                                     {0, 0, 0}, {150, 0, 0});
        db.NodeDown();
        EXPECT_EQ(engine.ExpandPunchPattern(g), 0) << c.what;
        Strings got;
        if (host.drawn.size() > 1) {
            const auto* hit = DtbCast<CDtbNode>(host.drawn[1].GetFirstElement());
            ASSERT_TRUE(hit) << c.what;
            for (const CDtbElement* e = hit->firstChild; e; e = e->link.next) {
                if (auto* l = DtbCast<CDtbLine>(e)) got.push_back("L " + Pt(l->start));
                if (auto* a = DtbCast<CDtbArc>(e))
                    got.push_back("A " + Pt(a->centre) + " r=" + tracetest::Num(a->radius));
            }
            EXPECT_EQ(host.drawn.size(), 3u) << c.what;
        }
        EXPECT_EQ(got, c.firstHit) << c.what;
    }
}

TEST_F(TracePunch, GroupsThatAreNotAnimated) {
    struct Case {
        const char* what;
        std::function<CDtbNode*(CDtbEngine&)> make;
        int result;
    };
    auto withRecord = [](PunchInfo info, std::function<void(CDtbNode*)> touch = nullptr) {
        return [info, touch](CDtbEngine& db) {
            CDtbNode* g = OpenPunchGroup(db, info, {0, 0, 0}, {5, 2, 0});
            db.NodeDown();
            if (touch) touch(g);
            return g;
        };
    };
    const Case cases[] = {
        {"a square (type 10)", withRecord(Record(kPunchSquare, {10, 10, 0, 0, 0})), -1},
        {"type 7", withRecord(Record(7, {})), -1},
        {"a copy for a later cell (option word 5)",
         withRecord(Record(kPunchLine, {}), [](CDtbNode* g) { g->SetOption(5, 1); }), -1},
        {"a data block cut inside its name",
         [](CDtbEngine& db) {
             auto* g =
                 db.Append(std::make_unique<CDtbNode>("Tessmark", 8, "Punch", 5, "PunchIn", 7));
             return g;
         },
         -1},
        {"no data block",
         [](CDtbEngine& db) {
             return db.Append(std::make_unique<CDtbNode>("Tessmark", "Punch", ""));
         },
         -1},
        {"a hit group, not a punch group",
         [](CDtbEngine& db) {
             return db.Append(std::make_unique<CDtbNode>("Tessmark", "Punch1", ""));
         },
         -1},
        {"a shear line failing its check (tool length 0)",
         withRecord(Record(kPunchShear, {0, 0, 0, 4, 50})), 0},
        {"a shear line whose approach is not a line",
         [](CDtbEngine& db) {
             const PunchInfo::Bytes b = Record(kPunchShear, {0, 0, 10, 4, 50}).ToBytes();
             auto* g = db.Append(
                 std::make_unique<CDtbNode>("Tessmark", 8, "Punch", 5, b.data(), b.size()));
             db.NodeUp(g);
             AddHit(db, {0, 0, 0}, 5);
             db.NodeDown();
             return g;
         },
         0},
    };
    for (const Case& c : cases) {
        Reset();
        CDtbEngine db;
        EXPECT_EQ(engine.ExpandPunchPattern(c.make(db)), c.result) << c.what;
        EXPECT_TRUE(Draws().empty()) << c.what;
        EXPECT_EQ(pump.pumps, 0) << c.what;
    }
    // An overlap ratio of 1 fails the shear check: nothing drawn, no division by zero.
    Reset();
    doc.machine.SHL_OverMin = 1.0;
    CDtbEngine db;
    EXPECT_EQ(engine.ExpandPunchPattern(AddShear(db)), 0);
    EXPECT_TRUE(Draws().empty());
}

// A shear line repeated over a 3 by 2 grid (pitches 100 and 50) in mode 1.
class TracePunchCells : public TracePunch {
protected:
    void AddRepeatedShear() {
        CDtbNode* g = AddShear(Block());
        CDtbElement* first = g->firstChild;
        first->SetOption(3, 2);
        first->SetOption(4, 1);
        first->SetOption(6, 1);
        first->SetOptionValue(0, 100.0);
        first->SetOptionValue(1, 50.0);
    }
};

TEST_F(TracePunchCells, EachStepShowsTheHitInEveryCell) {
    AddRepeatedShear();
    engine.AnimateBlock();
    // The approach once; every hit in the six cells at once, with one pause each.
    EXPECT_EQ(Draws(), (Strings{"Draw 1", "Draw 30", "Draw 36", "Draw 36", "Draw 36", "Draw 36",
                                "Draw 36"}));
    EXPECT_EQ(pump.pauses, std::vector<int>(6, 5));
    // The first hit's outline in each cell, the group's own cell first.
    Strings starts;
    for (const CDtbElement* e = host.drawn[1].GetFirstElement(); e; e = e->link.next)
        if (auto* g = DtbCast<CDtbNode>(e))
            starts.push_back(Pt(DtbCast<CDtbLine>(g->firstChild)->start));
    EXPECT_EQ(starts,
              (Strings{"0.000,4.000,0.000", "200.000,4.000,0.000", "100.000,4.000,0.000",
                       "0.000,54.000,0.000", "100.000,54.000,0.000", "200.000,54.000,0.000"}));
}

TEST_F(TracePunchCells, ManyEveryPartWalksTheCellsOneByOne) {
    settings.ManyEveryPart = 1;
    AddRepeatedShear();
    engine.AnimateBlock();
    // Cells (2,0), (1,0), (0,0), (0,1), (1,1), (2,1): the approach only in (0, 0).
    const Strings draws = Draws();
    ASSERT_EQ(draws.size(), 37u);
    EXPECT_EQ(draws[12], "Draw 1");
    EXPECT_EQ(pump.pauses.size(), 36u);
    Strings firstHits;
    for (size_t i : {0u, 6u, 13u, 19u, 25u, 31u})
        firstHits.push_back(Pt(FirstOutlineLine(host.drawn[i])->start));
    EXPECT_EQ(firstHits,
              (Strings{"200.000,4.000,0.000", "100.000,4.000,0.000", "0.000,4.000,0.000",
                       "0.000,54.000,0.000", "100.000,54.000,0.000", "200.000,54.000,0.000"}));
}

TEST_F(TracePunchCells, AReplayedPatternIsCopiedToEveryCell) {
    OpenPunchGroup(Block(), Record(kPunchSingle, {}), {0, 0, 0}, {10, 0, 0});
    AddHit(Block(), {10, 0, 0}, 5);
    Block().NodeDown();
    CDtbElement* first = DtbCast<CDtbNode>(Block().GetFirstElement())->firstChild;
    first->SetOption(3, 2);
    first->SetOption(4, 1);
    first->SetOptionValue(0, 100.0);
    engine.AnimateBlock();
    EXPECT_EQ(Draws(), (Strings{"Draw 6", "Draw 12"}));
    EXPECT_EQ(pump.pauses, std::vector<int>{5});
}

TEST_F(TracePunch, EscapeOrAQuitRequestEndsThePatternAndTheBlock) {
    AddShear(Block());
    AddShear(Block());  // a second group of the same block
    pump.keys[2] = NcTracePump::Key::Escape;
    engine.AnimateBlock();
    EXPECT_EQ(pump.consumed, std::vector<bool>{true});
    EXPECT_EQ(host.traceActive, 0);
    // Two hits drawn, then the trace's layers cleared; nothing after.
    EXPECT_EQ(Draws(), (Strings{"Draw 1", "Draw 5", "Draw 6", "Clear"}));

    // The pattern's result ends the block's animation.
    Reset();
    host.traceActive = 1;
    pump.keys.clear();
    pump.quits.insert(3);
    CDtbEngine db;
    EXPECT_EQ(engine.ExpandPunchPattern(AddShear(db)), -2);
    EXPECT_EQ(Draws(), (Strings{"Draw 1", "Draw 5", "Draw 6", "Draw 6"}));
    EXPECT_EQ(host.traceActive, 1);
}

// The menu's Cancel served by the pump empties the block under the pattern: the animation
// neither walks the freed group nor draws after the views were cleared.
TEST_F(TracePunch, ACancelFromTheMenuEndsThePatternAtOnce) {
    struct Case {
        const char* what;
        int type;
    };
    for (const Case& c :
         {Case{"a replayed pattern", kPunchLine}, Case{"a shear line", kPunchShear}}) {
        Reset();
        host.traceActive = 1;
        Block().Empty();
        if (c.type == kPunchShear) {
            AddShear(Block());
        } else {
            OpenPunchGroup(Block(), Record(kPunchLine, {}), {0, 0, 0}, {10, 0, 0});
            for (int i = 1; i <= 4; ++i) AddHit(Block(), {10.0 * i, 0, 0}, 5);
            Block().NodeDown();
        }
        AddShear(Block());  // a second group of the same block
        pump.actions[2] = [&] { engine.CancelTrace(); };
        engine.AnimateBlock();
        EXPECT_EQ(host.traceActive, 0) << c.what;
        EXPECT_TRUE(Block().IsEmpty()) << c.what;
        const Strings draws = Draws();
        ASSERT_FALSE(draws.empty()) << c.what;
        EXPECT_EQ(draws.back(), "Clear") << c.what;
        EXPECT_EQ(pump.pumps, 2) << c.what;
        EXPECT_EQ(pump.begun, pump.ended) << c.what;
    }
}

// A punch program traced with the reader and a die table: the single hit is replayed, the
// shear line laid out, each with its pauses; the step display leaves the hits out.
TEST_F(TracePunch, APunchProgramIsAnimatedStepByStep) {
    host.traceActive = 0;
    host.keepDrawn = false;
    NcAppContext app;
    app.PunchTool = &dies;
    doc.appContext = &app;
    Load({"O1", "G90X100.Y100.T1", "T2", "G66X200.Y100.I50.J0P10.Q4.", "M30"});
    Command(1);
    EXPECT_EQ(host.traceActive, 0);  // the run reached M30
    // The hit (one pause) and the shear line's six hits.
    EXPECT_EQ(pump.pauses, std::vector<int>(7, 5));
}

}  // namespace

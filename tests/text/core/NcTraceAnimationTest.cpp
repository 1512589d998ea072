// Tests of the trace animation: the torch mark's points along lines, arcs and rapids, the
// pauses of the speeds, the keys and the quit request served between the points, the later
// cells of a multi-part repetition, the torch outline, and the punch groups left out of a
// step's drawing.
#include <gtest/gtest.h>

#include <memory>

#include "TraceFakes.h"
#include "kernel/db/CDtbLine.h"
#include "kernel/db/CDtbNode.h"
#include "text/core/NcTracePath.h"

namespace {

using tracetest::Pt;
using tracetest::ReadProgram;
using tracetest::TraceFixture;
using Points = std::vector<std::string>;

constexpr int kCut = 0;    // the cutting pen's kind in the default machine settings
constexpr int kRapid = 1;  // the rapid (FF) pen's kind

CDtbLine* AddLine(CDtbEngine& db, CxyzData a, CxyzData b, int penKind = kCut) {
    CDtbInfo info;
    info.penKind = penKind;
    return db.Append(std::make_unique<CDtbLine>(a, b, info));
}
CDtbArc* AddArc(CDtbEngine& db, CxyzData c, double r, double start, double end, int dir) {
    return db.Append(std::make_unique<CDtbArc>(c, r, start, end, dir));
}

// A trace open in run mode at the Normal speed with a laser block to animate.
class TraceAnimation : public TraceFixture {
protected:
    void SetUp() override {
        host.traceActive = 1;
        host.runMode = 1;
        host.traceTime = 1;
        engine.Reader.State.NcType = kNcTypeLaser;
        engine.Reader.Settings = &doc.machine;
    }
    Points Torch() const {
        Points out;
        for (const CxyzData& p : host.torch) out.push_back(Pt(p));
        return out;
    }
    CDtbEngine& Block() { return engine.BlockElements; }
};

TEST(NcTracePath, PointsAlongLinesAndArcs) {
    struct Case {
        const char* what;
        std::function<NcTracePath()> path;
        Points points;
    };
    const CDtbLine cut({0, 0, 2}, {50, 0, 2});
    const CDtbLine slanted({0, 0, 0}, {0, 25, 0});
    const CDtbLine point({3, 4, 0}, {3, 4, 0});
    const CDtbArc ccw({0, 0, 1}, 10.0, 0.0, 90.0, 0);
    const CDtbArc cw({0, 0, 1}, 10.0, 0.0, 90.0, 1);
    const CDtbArc dot({7, 7, 0}, 0.0, 0.0, 90.0, 0);
    const Case cases[] = {
        {"length 50 in steps of 10",
         [&] { return NcTracePath::Line(cut, 10.0); },
         {"0.000,0.000,2.000", "10.000,0.000,2.000", "20.000,0.000,2.000", "30.000,0.000,2.000",
          "40.000,0.000,2.000", "50.000,0.000,2.000"}},
        {"length 25 in steps of 10: three spaces of 8.333",
         [&] { return NcTracePath::Line(slanted, 10.0); },
         {"0.000,0.000,0.000", "0.000,8.333,0.000", "0.000,16.667,0.000", "0.000,25.000,0.000"}},
        {"a line of length 0",
         [&] { return NcTracePath::Line(point, 10.0); },
         {"3.000,4.000,0.000"}},
        {"a step of 0", [&] { return NcTracePath::Line(cut, 0.0); }, {"0.000,0.000,2.000"}},
        // A quarter of radius 10 is 15.708 long: two steps of 45 degrees.
        {"counter-clockwise arc",
         [&] { return NcTracePath::Arc(ccw, 10.0); },
         {"10.000,0.000,1.000", "7.071,7.071,1.000", "0.000,10.000,1.000"}},
        {"clockwise arc from its end angle",
         [&] { return NcTracePath::Arc(cw, 10.0); },
         {"0.000,10.000,1.000", "7.071,7.071,1.000", "10.000,0.000,1.000"}},
        {"an arc of radius 0", [&] { return NcTracePath::Arc(dot, 10.0); }, {"7.000,7.000,0.000"}},
    };
    for (const Case& c : cases) {
        const NcTracePath path = c.path();
        Points got;
        for (int i = 0; i < path.Count(); ++i) got.push_back(Pt(path.Point(i)));
        EXPECT_EQ(got, c.points) << c.what;
    }
}

TEST_F(TraceAnimation, TheTorchMovesByTheToolDiameter) {
    struct Case {
        const char* what;
        double diameter;
        std::function<void(CDtbEngine&)> block;
        Points torch;
    };
    const Case cases[] = {
        {"a cutting line of 50, diameter 10",
         10.0,
         [](CDtbEngine& b) {
             AddLine(b, {0, 0, 0}, {50, 0, 0});
         },
         {"0.000,0.000,0.000", "10.000,0.000,0.000", "20.000,0.000,0.000", "30.000,0.000,0.000",
          "40.000,0.000,0.000", "50.000,0.000,0.000"}},
        // Five times the step on a rapid; the shared corner is not drawn twice.
        {"a rapid of 100, then a cutting line",
         10.0,
         [](CDtbEngine& b) {
             AddLine(b, {0, 0, 0}, {100, 0, 0}, kRapid);
             AddLine(b, {100, 0, 0}, {100, 20, 0});
         },
         {"0.000,0.000,0.000", "50.000,0.000,0.000", "100.000,0.000,0.000", "100.000,10.000,0.000",
          "100.000,20.000,0.000"}},
        {"no tool: steps of 10",
         0.0,
         [](CDtbEngine& b) {
             AddLine(b, {0, 0, 0}, {25, 0, 0});
         },
         {"0.000,0.000,0.000", "8.333,0.000,0.000", "16.667,0.000,0.000", "25.000,0.000,0.000"}},
        {"an arc",
         10.0,
         [](CDtbEngine& b) {
             AddArc(b, {0, 0, 0}, 10.0, 0.0, 90.0, 0);
         },
         {"10.000,0.000,0.000", "7.071,7.071,0.000", "0.000,10.000,0.000"}},
        {"zero-length line and arc: their one point each",
         10.0,
         [](CDtbEngine& b) {
             AddLine(b, {5, 5, 0}, {5, 5, 0});
             AddArc(b, {9, 9, 0}, 0.0, 0.0, 180.0, 0);
         },
         {"5.000,5.000,0.000", "9.000,9.000,0.000"}},
    };
    for (const Case& c : cases) {
        Block().Empty();
        host.torch.clear();
        engine.LastTorchPos = CxyzData(-99999.0, -99999.0, -99999.0);
        engine.Reader.State.ConditionDiameter = c.diameter;
        c.block(Block());
        EXPECT_EQ(engine.AnimateBlock(), 0);
        EXPECT_EQ(Torch(), c.torch) << c.what;
    }
}

TEST_F(TraceAnimation, PausesFollowTheSpeedInRunModeOnly) {
    struct Case {
        const char* what;
        int runMode;
        int traceTime;
        std::vector<int> pauses;
        size_t torch;
    };
    // A rapid of 100 (3 points), a cutting line of 10 (2 points, the first shared) and a
    // quarter arc of radius 10 (3 points, the first shared).
    const Case cases[] = {
        {"Normal", 1, 1, {1, 1, 1, 5, 5, 5, 5, 5}, 6},
        {"Low", 1, 2, {1, 1, 1, 40, 40, 40, 40, 40}, 6},
        {"High: no pause and no torch", 1, 0, {}, 0},
        {"step mode: no pause, the torch still moves", 0, 1, {}, 6},
    };
    for (const Case& c : cases) {
        Block().Empty();
        host.torch.clear();
        pump.pauses.clear();
        engine.LastTorchPos = CxyzData(-99999.0, -99999.0, -99999.0);
        host.runMode = c.runMode;
        host.traceTime = c.traceTime;
        engine.Reader.State.ConditionDiameter = 10.0;
        AddLine(Block(), {0, 0, 0}, {100, 0, 0}, kRapid);
        AddLine(Block(), {100, 0, 0}, {110, 0, 0});
        AddArc(Block(), {110, 10, 0}, 10.0, 270.0, 0.0, 0);
        engine.AnimateBlock();
        EXPECT_EQ(pump.pauses, c.pauses) << c.what;
        EXPECT_EQ(host.torch.size(), c.torch) << c.what;
        EXPECT_EQ(pump.pumps % 8, 0) << c.what;  // a pump after every point
    }
}

TEST_F(TraceAnimation, ASpeedChangeActsAtTheNextPause) {
    engine.Reader.State.ConditionDiameter = 10.0;
    AddLine(Block(), {0, 0, 0}, {40, 0, 0});
    pump.actions[2] = [&] { host.traceTime = 2; };
    engine.AnimateBlock();
    EXPECT_EQ(pump.pauses, (std::vector<int>{5, 5, 40, 40, 40}));
}

TEST_F(TraceAnimation, EscapeCancelsTheTrace) {
    struct Case {
        const char* what;
        bool arc;
        bool consumed;
    };
    // On a line the key is consumed; on an arc it goes on to the window like any other key.
    for (const Case& c : {Case{"on a line", false, true}, Case{"on an arc", true, false}}) {
        host.traceActive = 1;
        host.torch.clear();
        pump.consumed.clear();
        pump.pumps = 0;
        engine.LastTorchPos = CxyzData(-99999.0, -99999.0, -99999.0);
        engine.Reader.State.ConditionDiameter = 10.0;
        if (c.arc)
            AddArc(Block(), {0, 0, 0}, 50.0, 0.0, 180.0, 0);
        else
            AddLine(Block(), {0, 0, 0}, {100, 0, 0});
        AddLine(Block(), {0, 0, 0}, {0, 100, 0});
        pump.keys[2] = NcTracePump::Key::Escape;
        engine.AnimateBlock();
        EXPECT_EQ(pump.consumed, std::vector<bool>{c.consumed}) << c.what;
        EXPECT_EQ(host.torch.size(), 2u) << c.what;  // the animation ends at once
        EXPECT_EQ(pump.pumps, 2) << c.what;
        EXPECT_EQ(host.traceActive, 0) << c.what;
        EXPECT_TRUE(Block().IsEmpty()) << c.what;
        EXPECT_EQ(pump.begun, pump.ended) << c.what;
    }
}

TEST_F(TraceAnimation, EscapeDuringAStepEndsItWithoutReading) {
    host.traceActive = 0;
    Load(ReadProgram("square.nc"));
    Command(1, 1);  // O1, G01X10.
    pump.keys[1] = NcTracePump::Key::Escape;
    host.calls.clear();
    host.posts = 0;
    EXPECT_EQ(Step(1), 0);
    EXPECT_EQ(host.traceActive, 0);
    EXPECT_EQ(host.stepPending, 0);
    EXPECT_EQ(host.posts, 0);
    EXPECT_FALSE(host.Called("Commit"));
    EXPECT_EQ(host.getSubProgMode, 0);
}

TEST_F(TraceAnimation, SpacePausesTheRun) {
    host.traceActive = 0;
    Load(ReadProgram("square.nc"));
    // The third step animates G01X10. (two points): Space at its first point.
    pump.keys[1] = NcTracePump::Key::Space;
    EXPECT_EQ(Command(1), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(pump.consumed, std::vector<bool>{true});
    EXPECT_EQ(host.runMode, 0);
    EXPECT_EQ(pump.pauses, std::vector<int>{5});  // the rest of the step without pauses
    // Row 1's start when shown, its end when animated (row 2 starts there).
    EXPECT_EQ(host.torch.size(), 2u);
    EXPECT_EQ(host.traceActive, 1);
}

TEST_F(TraceAnimation, AQuitRequestEndsTheAnimationButNotTheStep) {
    host.traceActive = 0;
    Load(ReadProgram("square.nc"));
    Command(1, 1);
    host.torch.clear();
    host.posts = 0;
    pump.quits.insert(1);
    EXPECT_EQ(Step(1), 0);
    EXPECT_EQ(pump.pumps, 1);
    EXPECT_EQ(engine.BlockRow, 2);  // read and shown as always
    EXPECT_EQ(host.posts, 1);       // the main loop sees the quit before this step
    EXPECT_EQ(pump.begun, 2);
    EXPECT_EQ(pump.ended, 2);
}

TEST_F(TraceAnimation, LaterCellsOfARepetitionOnlyWithManyEveryPart) {
    for (int every : {0, 1}) {
        Block().Empty();
        host.torch.clear();
        engine.LastTorchPos = CxyzData(-99999.0, -99999.0, -99999.0);
        settings.ManyEveryPart = every;
        engine.Reader.State.ConditionDiameter = 10.0;
        AddLine(Block(), {0, 0, 0}, {10, 0, 0});
        AddLine(Block(), {100, 0, 0}, {110, 0, 0})->SetOption(1, 1);
        AddArc(Block(), {0, 100, 0}, 5.0, 0.0, 90.0, 0)->SetOption(2, 3);
        engine.AnimateBlock();
        EXPECT_EQ(host.torch.size(), every ? 6u : 2u) << every;

        // The first point of a block shown lies in the first cell, or any with ManyEveryPart.
        Block().Empty();
        host.torch.clear();
        AddLine(Block(), {200, 0, 0}, {210, 0, 0})->SetOption(1, 2);
        engine.UpdateTraceDisplay();
        EXPECT_EQ(host.torch.size(), every ? 1u : 0u) << every;
    }
}

TEST_F(TraceAnimation, PunchProgramsAnimateNoPath) {
    engine.Reader.State.NcType = kNcTypePunch;
    AddLine(Block(), {0, 0, 0}, {100, 0, 0});
    AddArc(Block(), {0, 0, 0}, 10.0, 0.0, 90.0, 0);
    engine.AnimateBlock();
    EXPECT_TRUE(host.torch.empty());
    EXPECT_EQ(pump.pumps, 0);
}

TEST_F(TraceAnimation, TheTorchOutline) {
    struct Case {
        const char* what;
        double diameter, height;
        size_t elements;
        int flag;
    };
    const Case cases[] = {
        {"no tool: the tip circle of radius 5", 0.0, 0.0, 1u, 1},
        {"a diameter without height: the tip circle", 8.0, 0.0, 1u, 0},
        {"eight edges, the top and 0.9 circles and the tip", 8.0, 20.0, 11u, 0},
    };
    for (const Case& c : cases) {
        host.toolSizes.clear();
        host.toolFlags.clear();
        engine.LastTorchPos = CxyzData(-99999.0, -99999.0, -99999.0);
        engine.Reader.State.ConditionDiameter = c.diameter;
        engine.Reader.State.ConditionHeight = c.height;
        const CxyzData at(1, 2, 3);
        engine.DrawTorchMark(&at);
        engine.DrawTorchMark(&at);  // the same place: not again
        EXPECT_EQ(host.toolSizes, std::vector<size_t>{c.elements}) << c.what;
        EXPECT_EQ(host.toolFlags, std::vector<int>{c.flag}) << c.what;
    }
}

TEST_F(TraceAnimation, TheTorchOutlineInDetail) {
    settings.TraceToolPen = {10, 20, 30};
    settings.TraceToolPenStyle = 2;
    settings.TraceToolPenWidth = 3;
    // The elements as SetToolLayer gets them, in order.
    auto dump = [](const CDtbEngine& tool) {
        std::vector<std::string> out;
        for (const CDtbElement* e = tool.GetFirstElement(); e; e = e->link.next) {
            if (auto* l = DtbCast<CDtbLine>(e))
                out.push_back("L " + Pt(l->start) + " " + Pt(l->end));
            else if (auto* a = DtbCast<CDtbArc>(e))
                out.push_back("A " + Pt(a->centre) + " r=" + tracetest::Num(a->radius));
        }
        return out;
    };
    class Host : public tracetest::RecordingHost {
    public:
        std::vector<std::string> (*dump)(const CDtbEngine&) = nullptr;
        std::vector<std::string> got;
        CDtbInfo info;
        void SetToolLayerInViews(CDtbEngine* tool, int) override {
            got = dump(*tool);
            info = DtbCast<CDtbArc>(CDtbEngine::FindLastElement(tool->GetFirstElement()))->info;
        }
    } h;
    h.dump = +dump;
    h.traceTime = 2;
    NcTraceEngine e(doc, h, rows, pump, settings);
    e.Reader.State.ConditionDiameter = 8.0;
    e.Reader.State.ConditionHeight = 20.0;
    const CxyzData at(0, 0, 1);
    e.DrawTorchMark(&at);
    ASSERT_EQ(h.got.size(), 11u);
    // Edge k from the tip circle at 45k + 5 degrees up to the top circle (radius 4).
    EXPECT_EQ(h.got[0], "L 3.985,0.349,1.000 3.985,0.349,21.000");
    EXPECT_EQ(h.got[2], "L -0.349,3.985,1.000 -0.349,3.985,21.000");
    EXPECT_EQ(h.got[8], "A 0.000,0.000,21.000 r=4.000");
    EXPECT_EQ(h.got[9], "A 0.000,0.000,19.000 r=4.000");
    EXPECT_EQ(h.got[10], "A 0.000,0.000,1.000 r=4.000");
    EXPECT_EQ(h.info.red, 10);
    EXPECT_EQ(h.info.blue, 30);
    EXPECT_EQ(h.info.penKind, 2);
    EXPECT_EQ(h.info.penWidth, 3);
    EXPECT_EQ(h.info.classBits, 512);
}

TEST(RemovePunchNodes, LeavesOutPunchGroupsAtAnyDepth) {
    CDtbEngine db;
    AddLine(db, {0, 0, 0}, {1, 0, 0});
    db.Append(std::make_unique<CDtbNode>("Tessmark", "Punch", ""));
    auto* outer = db.Append(std::make_unique<CDtbNode>("Tessmark", "DevideArc", ""));
    db.NodeUp(outer);
    auto* punch = db.Append(std::make_unique<CDtbNode>("Tessmark", "Punch", ""));
    db.NodeUp(punch);
    AddLine(db, {5, 5, 0}, {6, 6, 0});
    db.NodeDown();
    auto* other = db.Append(std::make_unique<CDtbNode>("Other", "Punch", ""));
    (void)other;
    db.NodeDown();
    AddLine(db, {2, 0, 0}, {3, 0, 0});
    EXPECT_EQ(RemovePunchNodes(&db, db.GetFirstElement()), 0);
    // line, DevideArc group holding only the group of another owner, line
    EXPECT_EQ(db.GetCount(), 4u);
    const CDtbElement* e = db.GetFirstElement()->link.next;
    ASSERT_TRUE(DtbCast<CDtbNode>(e));
    EXPECT_EQ(DtbCast<CDtbNode>(e)->kindName, "DevideArc");
    EXPECT_EQ(DtbCast<CDtbNode>(DtbCast<CDtbNode>(e)->firstChild)->ownerName, "Other");
}

TEST_F(TraceAnimation, AStepIsDrawnWithoutItsPunchGroups) {
    AddLine(Block(), {0, 0, 0}, {1, 0, 0});
    Block().Append(std::make_unique<CDtbNode>("Tessmark", "Punch", ""));
    engine.UpdateTraceDisplay();
    EXPECT_TRUE(host.Called("Draw 1"));
    EXPECT_EQ(Block().GetCount(), 2u);  // the block itself keeps them for the animation
}

}  // namespace

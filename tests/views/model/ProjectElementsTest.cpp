// Projection of element chains: arcs divided into pieces, groups, A/C head-direction lines.
#include "views/model/ProjectElements.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "ViewTestSupport.h"
#include "kernel/base/DegreeTrig.h"
#include "kernel/db/CDtbPoint.h"
#include "kernel/db/DtbBox.h"
#include "nc/machine/CNcReadInfo.h"
#include "nc/read/CNcRead.h"
#include "nc/read/NcProgramRunner.h"

using viewtest::Info;
using viewtest::Lines;

namespace {

ViewProjection View(int type, double rx = 0, double ry = 0, double rz = 0) {
    ViewProjection p;
    p.SetViewType(type, rx, ry, rz);
    return p;
}

TEST(DivideArc, PieceCountFollowsTheSweepTravelled) {
    struct Case {
        double radius, start, end;
        int direction;
        double s, e;
        int pieces;
    } cases[] = {
        {5, 0, 90, 0, 0, 90, 8},         // 90 / 15 = 6, plus 2
        {20, 0, 90, 0, 0, 90, 14},       // 7.5 degrees above radius 10
        {10, 0, 90, 0, 0, 90, 8},        // radius 10 itself still takes 15
        {5, 0, 90, 1, 90, 0, 8},         // clockwise from the end angle back
        {5, 350, 10, 0, -10, 10, 3},     // wraps through 0: 20 degrees
        {5, 300, 290, 0, -60, 290, 25},  // 350 degrees: never two chords
        {5, 300, 290, 1, 290, -60, 25},  // clockwise through 0: 350 degrees
        {5, 0, 360, 0, 0, 360, 26},
        {5, 1e17, 10, 0, 0, 10, 2},  // huge angles reduce in one step
    };
    for (const Case& c : cases) {
        const CDtbArc arc(CxyzData(), c.radius, c.start, c.end, c.direction);
        ArcPieces p;
        ASSERT_TRUE(DivideArc(arc, &p));
        if (c.start > 1e10) {
            EXPECT_GT(p.s, -350.0);
            EXPECT_LE(p.s, 10.0);
            EXPECT_LE(p.pieces, 26);
            continue;
        }
        EXPECT_DOUBLE_EQ(p.s, c.s) << c.start << ".." << c.end;
        EXPECT_DOUBLE_EQ(p.e, c.e) << c.start << ".." << c.end;
        EXPECT_EQ(p.pieces, c.pieces) << c.start << ".." << c.end << " dir " << c.direction;
        EXPECT_LE(p.s, c.direction == 0 ? p.e : p.s);
    }
    const CDtbArc bad(CxyzData(), 5, std::nan(""), 10, 0);
    ArcPieces p;
    EXPECT_FALSE(DivideArc(bad, &p));
}

// Full circles by I/J whose start carries the rounding of incremental moves: the reader stores
// their angles a turn apart up to a unit in the last place either way. Cut length, sweep, box
// and the division into pieces all see the whole circle; a sweep of 359.9 stays one.
TEST(DivideArc, FullCirclesFromTheReaderStayFull) {
    struct Case {
        std::vector<std::string> lines;
        double radius, sweep, cutLength;
        CxyData centre;
    };
    const double r1 = 19.205717195668587, r2 = 6.1745945615886395;
    const Case cases[] = {
        {{"G91 G01 X0.1 Y0.7", "X0.2 Y0.1", "G90 G03 X0.3 Y0.8 I-19.158 J1.353", "M30"},
         r1,
         360,
         121.60379367660772,
         {-18.858, 2.153}},
        {{"G91 G01 X0.1 Y0.2", "X0.0 Y0.4", "G90 G02 X0.1 Y0.6 I-19.158 J1.353", "M30"},
         r1,
         360,
         121.29668689542117,
         {-19.058, 1.953}},
        {{"G91 G01 X0.1 Y0.1", "X0.7 Y0.0", "G90 G03 X0.8 Y0.1 I-2.137 J5.793", "M30"},
         r2,
         360,
         39.63754318340203,
         {-1.337, 5.893}},
        {{"G02 X0. Y0. I-19.158 J1.353", "M30"}, r1, 360, 120.67308009767119, {-19.158, 1.353}},
        {{"G00 X10.", "G03 X9.999985 Y-0.017453 I-10. J0.", "M30"},
         10,
         359.9,
         62.81439977927592,
         {0, 0}},
    };
    for (const Case& c : cases) {
        const std::string name = c.lines[c.lines.size() - 2];
        CNcReadInfo settings;
        settings.LaserPunch = kNcTypeLaser;
        settings.ZeroTimes = 1;
        CNcRead reader;
        reader.SetProgram(c.lines, &settings, nullptr, 1);
        CDtbEngine elements;
        NcProgramRunner(reader).Run(elements);
        EXPECT_NEAR(reader.State.CutLength, c.cutLength, 1e-4) << name;

        const CDtbArc* arc = nullptr;
        for (const CDtbElement* e = elements.GetFirstElement(); e; e = e->link.next)
            if (!arc) arc = DtbCast<CDtbArc>(e);
        ASSERT_NE(arc, nullptr) << name;
        EXPECT_NEAR(arc->GetSweep(), c.sweep, 1e-3) << name;
        EXPECT_NEAR(arc->GetElementLength(), 2 * 3.141592653589793 * c.radius * c.sweep / 360, 1e-3)
            << name;

        CxyData min, max;
        ResetBox(&min, &max);
        arc->MinMax(&min, &max);
        EXPECT_NEAR(min.x, c.centre.x - c.radius, 1e-3) << name;
        EXPECT_NEAR(max.x, c.centre.x + c.radius, 1e-3) << name;
        EXPECT_NEAR(min.y, c.centre.y - c.radius, 1e-3) << name;
        EXPECT_NEAR(max.y, c.centre.y + c.radius, 1e-3) << name;

        ArcPieces p;
        ASSERT_TRUE(DivideArc(*arc, &p));
        EXPECT_NEAR(std::fabs(p.e - p.s), c.sweep, 1e-3) << name;
        const double step = arc->radius > 10 ? 7.5 : 15;
        EXPECT_EQ(p.pieces, static_cast<int>(std::trunc(c.sweep / step)) + 2) << name;
    }
}

TEST(ProjectElements, ArcBecomesAGroupOfPiecesWithTheArcsMarks) {
    for (int direction : {0, 1}) {
        CDtbEngine doc;
        auto arc = std::make_unique<CDtbArc>(CxyzData(10, 0, 3), 5, 0, 90, direction, Info(4, 1, 2),
                                             30.0f, 40.0f);
        arc->attributes.Add("LineNo=7");
        doc.Append(std::move(arc));

        CDtbEngine layer;
        EXPECT_EQ(ProjectElements(View(kViewTop), layer, doc.GetFirstElement(), nullptr, {}), 1);
        const CDtbNode* group = DtbCast<CDtbNode>(layer.GetFirstElement());
        ASSERT_NE(group, nullptr);
        EXPECT_TRUE(group->Is("Tessmark", "DevideArc"));
        EXPECT_FALSE(group->HasData());
        EXPECT_EQ(group->attributes.GetAt(0), "LineNo=7");
        const auto pieces = Lines(layer);
        ASSERT_EQ(pieces.size(), 8u);
        // Pieces of 11.25 degrees in the order of travel, joined end to start, z 0.
        const double from = direction == 0 ? 0 : 90;
        const double to = direction == 0 ? 90 : 0;
        EXPECT_NEAR(pieces.front()->start.x, 10 + 5 * CosDeg(from), 1e-9);
        EXPECT_NEAR(pieces.front()->start.y, 5 * SinDeg(from), 1e-9);
        EXPECT_NEAR(pieces.back()->end.x, 10 + 5 * CosDeg(to), 1e-9);
        EXPECT_NEAR(pieces.back()->end.y, 5 * SinDeg(to), 1e-9);
        EXPECT_NEAR(pieces[1]->start.x, pieces[0]->end.x, 1e-12);
        EXPECT_NEAR(std::hypot(pieces[0]->end.x - 10, pieces[0]->end.y) - 5, 0, 1e-12);
        EXPECT_EQ(pieces[3]->start.z, 0.0);
        // The first piece starts with the mark of the path start, the last ends with that of
        // the path end; the others have none.
        EXPECT_EQ(pieces.front()->info.startMark, direction == 0 ? 1 : 2);
        EXPECT_EQ(pieces.back()->info.endMark, direction == 0 ? 2 : 1);
        EXPECT_EQ(pieces.front()->info.endMark, 0);
        EXPECT_EQ(pieces[4]->info.startMark, 0);
        EXPECT_EQ(pieces[4]->info.classBits, 4);
        EXPECT_EQ(pieces[4]->headAngleA, 0.0f);
        EXPECT_TRUE(pieces[4]->attributes.IsEmpty());
    }
}

TEST(ProjectElements, LinesGroupsAndPointsInEveryViewType) {
    CDtbEngine doc;
    auto line = std::make_unique<CDtbLine>(CxyzData(10, 20, 30), CxyzData(1, 2, 3), Info(1));
    line->noDisplay = 1;
    line->attributes.Add("LineNo=3");
    doc.Append(std::move(line));
    CDtbNode* punch = doc.Append(std::make_unique<CDtbNode>("Tessmark", "Punch", "PunchInfo"));
    doc.NodeUp(punch);
    doc.Append(std::make_unique<CDtbLine>(CxyzData(0, 0, 0), CxyzData(10, 20, 30), Info(8)));
    doc.Append(std::make_unique<CDtbArc>(CxyzData(0, 0, 0), 2, 0, 180, 0, Info(8)));
    doc.NodeDown();
    doc.Append(std::make_unique<CDtbPoint>());

    struct Case {
        int type;
        double x, y;  // (10, 20, 30) in the view
    } cases[] = {{kViewTop, 10, 20},
                 {kViewFront, 10, 30},
                 {kViewLeft, -20, 30},
                 {kViewIso, -8.893013, 35.859753}};
    for (const Case& c : cases) {
        CDtbEngine layer;
        EXPECT_EQ(ProjectElements(View(c.type), layer, doc.GetFirstElement(), nullptr, {}), 3);
        const CDtbLine* first = DtbCast<CDtbLine>(layer.GetFirstElement());
        ASSERT_NE(first, nullptr);
        EXPECT_NEAR(first->start.x, c.x, 1e-5);
        EXPECT_NEAR(first->start.y, c.y, 1e-5);
        EXPECT_EQ(first->start.z, 0.0);
        EXPECT_EQ(first->noDisplay, 1);  // copied, not tested
        EXPECT_EQ(first->attributes.GetAt(0), "LineNo=3");
        const CDtbNode* group = DtbCast<CDtbNode>(first->link.next);
        ASSERT_NE(group, nullptr);
        EXPECT_EQ(std::string(group->GetData()), "PunchInfo");
        const CDtbLine* child = DtbCast<CDtbLine>(group->firstChild);
        ASSERT_NE(child, nullptr);
        EXPECT_NEAR(child->end.x, c.x, 1e-5);
        EXPECT_TRUE(DtbCast<CDtbNode>(child->link.next)->Is("Tessmark", "DevideArc"));
        EXPECT_EQ(group->link.next, nullptr);  // the point is left out
        EXPECT_EQ(viewtest::TopCount(layer), 2);
    }
}

TEST(ProjectElements, HiddenArcGivesAHiddenGroup) {
    CDtbArc arc(CxyzData(), 5, 0, 90, 0, Info(4));
    arc.noDisplay = 1;
    CDtbEngine layer;
    ProjectElements(View(kViewTop), layer, &arc, nullptr, {});
    EXPECT_EQ(layer.GetFirstElement()->noDisplay, 1);
}

TEST(ProjectElements, AcLinesForEveryElementButRapidMoves) {
    CDtbEngine doc;
    doc.Append(std::make_unique<CDtbLine>(CxyzData(), CxyzData(1, 2, 3), Info(1)));
    doc.Append(std::make_unique<CDtbLine>(CxyzData(), CxyzData(1, 2, 3), Info(5)));
    doc.Append(std::make_unique<CDtbLine>(CxyzData(), CxyzData(4, 5, 6), Info(4), 30.0f, 90.0f));
    doc.Append(std::make_unique<CDtbArc>(CxyzData(0, 0, 1), 5, 0, 90, 1, Info(4)));
    // A divided arc made by the reader gives its A/C line from its last piece.
    CDtbNode* divided = doc.Append(std::make_unique<CDtbNode>("Tessmark", "DevideArc", ""));
    doc.NodeUp(divided);
    doc.Append(std::make_unique<CDtbLine>(CxyzData(), CxyzData(7, 0, 0), Info(4)));
    doc.Append(std::make_unique<CDtbLine>(CxyzData(7, 0, 0), CxyzData(7, 7, 0), Info(1)));
    doc.NodeDown();

    CDtbEngine layer, ac;
    // Front view, plain head: the tool axis points up the screen.
    ProjectElements(View(kViewFront), layer, doc.GetFirstElement(), &ac, {0, 10});
    const auto lines = Lines(ac);
    ASSERT_EQ(lines.size(), 4u);
    // Class 5, A 0: from the end straight up by the length.
    EXPECT_NEAR(lines[0]->start.x, 1, 1e-12);
    EXPECT_NEAR(lines[0]->start.y, 3, 1e-12);
    EXPECT_NEAR(lines[0]->end.y, 13, 1e-12);
    // C 90, A 30: (-sin A sin C, sin A cos C, cos A) * 10 = (-5, 0, 8.660254).
    EXPECT_NEAR(lines[1]->end.x, 4 - 5, 1e-9);
    EXPECT_NEAR(lines[1]->end.y, 6 + 8.660254, 1e-6);
    EXPECT_EQ(lines[1]->headAngleA, 30.0f);
    // The arc travelled clockwise ends at its start angle, (5, 0, 1).
    EXPECT_NEAR(lines[2]->start.x, 5, 1e-12);
    EXPECT_NEAR(lines[2]->start.y, 1, 1e-12);
    // The group's last child, even a rapid one.
    EXPECT_NEAR(lines[3]->start.x, 7, 1e-12);

    // In the top view the plain head's axis at A 0 projects to a point.
    CDtbEngine layer2, ac2;
    ProjectElements(View(kViewTop), layer2, doc.GetFirstElement(), &ac2, {0, 10});
    const auto top = Lines(ac2);
    EXPECT_NEAR(top[0]->start.x, top[0]->end.x, 1e-12);
    EXPECT_NEAR(top[0]->start.y, top[0]->end.y, 1e-12);
}

TEST(DivideArcs, CopiesWithoutProjecting) {
    CDtbEngine doc;
    doc.Append(std::make_unique<CDtbLine>(CxyzData(1, 2, 3), CxyzData(4, 5, 6), Info(4)));
    doc.Append(std::make_unique<CDtbArc>(CxyzData(0, 0, 9), 20, 0, 90, 0, Info(4)));
    CDtbEngine out;
    EXPECT_EQ(DivideArcs(out, doc.GetFirstElement()), 2);
    const auto lines = Lines(out);
    ASSERT_EQ(lines.size(), 15u);
    EXPECT_EQ(lines[0]->start.z, 3);
    EXPECT_EQ(lines[1]->start.z, 9);
    EXPECT_NEAR(lines[1]->start.x, 20, 1e-12);
}

TEST(ProjectElements, GroupsPastTheDeepestLevelStayConsistent) {
    // Seventeen nested groups: the copy cannot open the last one, so its child follows it.
    CDtbEngine doc;
    std::vector<CDtbNode*> nodes;
    for (int i = 0; i < 15; ++i) {
        CDtbNode* n = doc.Append(std::make_unique<CDtbNode>("Tessmark", "G", ""));
        doc.NodeUp(n);
    }
    doc.Append(std::make_unique<CDtbLine>(CxyzData(), CxyzData(1, 1, 0), Info(4)));
    for (int i = 0; i < 15; ++i) doc.NodeDown();
    doc.Append(std::make_unique<CDtbLine>(CxyzData(), CxyzData(2, 2, 0), Info(4)));

    CDtbEngine layer;
    layer.Append(std::make_unique<CDtbNode>("x", "y", ""));
    layer.NodeUp(DtbCast<CDtbNode>(layer.GetFirstElement()));
    ProjectElements(View(kViewTop), layer, doc.GetFirstElement(), nullptr, {});
    EXPECT_EQ(layer.GetLevel(), 1);  // the caller's open group is still the open one
    EXPECT_EQ(Lines(layer).size(), 2u);
}

}  // namespace

// Tests of the database walkers: attribute filters, boxes, offset, rotation and length.
#include <gtest/gtest.h>

#include <cmath>

#include "kernel/base/DegreeTrig.h"
#include "kernel/db/DtbBox.h"
#include "kernel/db/DtbTestTree.h"

using namespace dtbtest;

namespace {

// rapid line, group(rapid line, red cut arc), red cut point
void BuildColoured(CDtbEngine& db) {
    db.AppendDtb(new CDtbLine(CxyzData(0, 0, 0), CxyzData(1, 0, 0), Info(kDtbClassRapid)));
    CDtbNode* g = NewGroup();
    db.AppendDtb(g);
    db.NodeUp(g);
    db.AppendDtb(
        new CDtbLine(CxyzData(0, 0, 0), CxyzData(1, 0, 0), Info(kDtbClassRapid, 0, 0, 0, 2)));
    db.AppendDtb(new CDtbArc(CxyzData(), 1, 0, 90, 0, Info(kDtbClassCut, 255, 0, 0, 1, 3)));
    db.NodeDown();
    db.AppendDtb(new CDtbPoint(CxyzData(2, 2, 0), 1, Info(kDtbClassCut, 255, 0, 0)));
}

// noDisplay of the elements in walk order, groups included: "0g01" etc.
std::string Hidden(const CDtbElement* chain) {
    std::string s;
    for (const CDtbElement* e = chain; e != nullptr; e = e->link.next) {
        s += static_cast<char>('0' + e->noDisplay);
        if (const CDtbNode* n = DtbCast<CDtbNode>(e)) s += "(" + Hidden(n->firstChild) + ")";
    }
    return s;
}

}  // namespace

TEST(CDtbEngineWalkTest, NoDispFlagFilters) {
    struct Case {
        int r, g, b, width, kind, classBits;
        const char* hidden;
        int count;
    };
    constexpr int X = kDtbAny;
    const Case cases[] = {
        {X, X, X, X, X, kDtbClassRapid, "10(10)0", 2},  // groups stay visible
        {255, X, 0, X, X, X, "10(11)1", 4},  // one colour component "any": colour not compared
        {255, 0, 0, X, X, X, "00(01)1", 2},
        {X, X, X, 2, X, X, "00(10)0", 1},
        {X, X, X, X, 3, X, "00(01)0", 1},
        {X, X, X, X, X, kDtbClassRapid | kDtbClassCut, "00(00)0", 0},  // equality, not a mask
        {0, 0, 0, 0, 0, 1, "10(00)0", 1},
    };
    for (const Case& c : cases) {
        CDtbEngine db;
        BuildColoured(db);
        EXPECT_EQ(db.NoDispFlagDtb(c.r, c.g, c.b, c.width, c.kind, c.classBits), c.count);
        EXPECT_EQ(Hidden(db.GetFirstElement()), c.hidden)
            << c.r << " " << c.g << " " << c.b << " " << c.width << " " << c.kind << " "
            << c.classBits;
    }
    // Never clears.
    CDtbEngine db;
    BuildColoured(db);
    db.GetFirstElement()->noDisplay = 1;
    db.NoDispFlagDtb(255, 0, 0, X, X, X);
    EXPECT_EQ(Hidden(db.GetFirstElement()), "10(01)1");
}

TEST(CDtbEngineWalkTest, ChangeDtbInfoSetsOnlyGivenFields) {
    CDtbEngine db;
    BuildColoured(db);
    EXPECT_EQ(db.ChangeDtbInfo(255, 0, kDtbAny, 3, kDtbAny, kDtbAny), 4);
    auto* arc =
        DtbCast<CDtbArc>(DtbCast<CDtbNode>(db.GetFirstElement()->link.next)->GetLastChild());
    ASSERT_NE(arc, nullptr);
    EXPECT_EQ(arc->info, Info(kDtbClassCut, 255, 0, 0, 3, 3));
    auto* first = DtbCast<CDtbLine>(db.GetFirstElement());
    EXPECT_EQ(first->info, Info(kDtbClassRapid, 0, 0, 0, 3, 0));

    db.ChangeDtbInfo(10, 20, 30, kDtbAny, 7, kDtbClassMark);
    EXPECT_EQ(first->info, Info(kDtbClassMark, 10, 20, 30, 3, 7));
}

TEST(CDtbEngineWalkTest, OptionFlagStampsPassingElementsAndEveryGroup) {
    CDtbEngine db;
    BuildColoured(db);
    const uint32_t codes[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    const double values[4] = {0.5, 1.5, 2.5, 3.5};
    EXPECT_EQ(
        db.OptionFlagDtb(codes, values, kDtbAny, kDtbAny, kDtbAny, kDtbAny, kDtbAny, kDtbClassCut),
        2);
    CDtbElement* line = db.GetFirstElement();
    auto* group = DtbCast<CDtbNode>(line->link.next);
    EXPECT_EQ(line->GetOption(0), 0u);
    EXPECT_EQ(group->GetOption(7), 8u);  // groups unfiltered
    EXPECT_EQ(group->GetOptionValue(3), 3.5);
    EXPECT_EQ(group->firstChild->GetOption(0), 0u);
    EXPECT_EQ(group->GetLastChild()->GetOption(2), 3u);
    EXPECT_EQ(group->link.next->GetOptionValue(0), 0.5);
}

TEST(CDtbEngineWalkTest, BoxesWidenTheCallersBox) {
    CDtbEngine empty;
    CxyData min, max;
    ResetBox(&min, &max);
    EXPECT_EQ(empty.MinMax(&min, &max), 0);
    EXPECT_EQ(min, CxyData(1e15, 1e15));
    EXPECT_EQ(max, CxyData(-1e15, -1e15));

    CDtbEngine db;
    BuildColoured(db);  // line 0..1, arc quarter r 1, point (2, 2)
    EXPECT_EQ(db.MinMax(&min, &max), 1);
    EXPECT_EQ(min, CxyData(0, 0));
    EXPECT_EQ(max, CxyData(2, 2));

    // The mask applies to the chain itself; a group counts with all its content.
    ResetBox(&min, &max);
    EXPECT_EQ(db.MinMaxMask(&min, &max, kDtbClassPunch), 1);
    EXPECT_EQ(min, CxyData(0, 0));
    EXPECT_EQ(max, CxyData(1, 1));
    CDtbEngine top;
    top.AppendDtb(NewLine(-5, -5, 0, 0, kDtbClassRapid));
    ResetBox(&min, &max);
    EXPECT_EQ(top.MinMaxMask(&min, &max, kDtbClassCut), 0);
    EXPECT_EQ(min, CxyData(1e15, 1e15));

    CxyzData min3, max3;
    ResetBox(&min3, &max3);
    CDtbNode* g = DtbCast<CDtbNode>(db.GetFirstElement()->link.next);
    EXPECT_EQ(g->MinMax(&min3, &max3), 1);
    EXPECT_EQ(max3, CxyzData(1, 1, 0));
    // MinMax1 of a line or an arc takes that element alone, not the chain behind it.
    CDtbEngine pair;
    CDtbLine* first = NewLine(0, 0, 1, 1);
    pair.AppendDtb(first);
    pair.AppendDtb(NewLine(5, 5, 6, 6));
    ResetBox(&min, &max);
    EXPECT_EQ(CDtbEngine::MinMax1(first, &min, &max), 1);
    EXPECT_EQ(max, CxyData(1, 1));
    ResetBox(&min, &max);
    EXPECT_EQ(CDtbEngine::MinMax1(pair.GetFirstElement(), &min, &max), 1);
    EXPECT_EQ(max, CxyData(6, 6));

    CDtbNode lonely;
    EXPECT_EQ(lonely.MinMax(&min3, &max3), 0);
}

TEST(CDtbEngineWalkTest, OffsetMovesEveryElement) {
    CDtbEngine db;
    BuildColoured(db);
    EXPECT_EQ(CDtbEngine::Offset(db.GetFirstElement(), CxyzData(10, 20, 1)), 1);
    CxyzData min, max;
    ResetBox(&min, &max);
    db.MinMax(&min, &max);
    EXPECT_EQ(min, CxyzData(10, 20, 1));
    EXPECT_EQ(max, CxyzData(12, 22, 1));
}

TEST(CDtbEngineWalkTest, RotateReducesTheAngleAndNormalisesArcs) {
    struct Case {
        double angle;
        double arcStart, arcEnd;
        double wantStart, wantEnd;
        CxyData pointTo;  // where (2, 1) goes about (1, 1)
    };
    const Case cases[] = {
        {90, 0, 90, 90, 180, {1, 2}},
        {450, 0, 90, 90, 180, {1, 2}},                           // 450 is 90
        {45, 0, 360, 0, 360, {1 + CosDeg(45), 1 + SinDeg(45)}},  // full circle stays 0..360
        {-45, 30, 60, -15, 15, {1 + CosDeg(45), 1 - SinDeg(45)}},
        {-405, 30, 60, -15, 15, {1 + CosDeg(45), 1 - SinDeg(45)}},
        {720, 10, 20, 10, 20, {2, 1}},
    };
    for (const Case& c : cases) {
        CDtbEngine db;
        CDtbNode* g = NewGroup();
        db.AppendDtb(g);
        db.NodeUp(g);
        auto* arc = new CDtbArc(CxyzData(2, 1, 5), 1, c.arcStart, c.arcEnd, 0);
        db.AppendDtb(arc);
        db.NodeDown();
        auto* point = NewPoint(2, 1);
        db.AppendDtb(point);
        EXPECT_EQ(CDtbEngine::Rotate(db.GetFirstElement(), CxyzData(1, 1, 0), c.angle), 1);
        EXPECT_NEAR(arc->startAngle, c.wantStart, 1e-9) << c.angle;
        EXPECT_NEAR(arc->endAngle, c.wantEnd, 1e-9) << c.angle;
        EXPECT_NEAR(point->point.x, c.pointTo.x, 1e-12) << c.angle;
        EXPECT_NEAR(point->point.y, c.pointTo.y, 1e-12) << c.angle;
        EXPECT_EQ(arc->centre.z, 5);
        EXPECT_TRUE(arc->centre.EqualXY(point->point));
    }
    CDtbEngine db;
    db.AppendDtb(NewPoint(2, 1));
    EXPECT_EQ(CDtbEngine::Rotate(db.GetFirstElement(), CxyzData(), std::nan("")), 0);
    EXPECT_EQ(DtbCast<CDtbPoint>(db.GetFirstElement())->point, CxyzData(2, 1, 0));
}

TEST(CDtbEngineWalkTest, ElementLengthSumsTheTree) {
    CDtbEngine db;
    db.AppendDtb(new CDtbLine(CxyzData(0, 0, 0), CxyzData(3, 4, 12), Info(kDtbClassCut)));
    db.AppendDtb(NewPoint(0, 0));
    CDtbNode* g = NewGroup();
    db.AppendDtb(g);
    db.NodeUp(g);
    db.AppendDtb(NewArc(0, 0, 1, 350, 10));  // 20 degrees
    db.NodeDown();
    double length = -1;
    EXPECT_EQ(db.GetElementLength(&length), 1);
    EXPECT_NEAR(length, 13 + 6.283185307179586 * 20 / 360, 1e-12);
    EXPECT_EQ(CDtbEngine::GetElementLength1(nullptr, &length), 1);
    EXPECT_EQ(length, 0);
    EXPECT_EQ(db.GetElementLength(nullptr), 0);
}

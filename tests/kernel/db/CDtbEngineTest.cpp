// Tests of building, deep copying, inserting, deleting and searching the element database.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "kernel/db/DtbTestTree.h"
#include "platform/ScriptedPrompt.h"

using namespace dtbtest;

TEST(CDtbEngineTest, BuildsChainsAndGroups) {
    CDtbEngine db;
    BuildSample(db);
    EXPECT_EQ(Shape(db), "L,G(A,A),P");
    EXPECT_TRUE(LinksConsistent(db));
    EXPECT_EQ(db.GetCount(), 5u);
    EXPECT_EQ(db.GetLevel(), 0);

    CDtbElement* line = db.GetFirstElement();
    auto* group = DtbCast<CDtbNode>(line->link.next);
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->firstChild->link.parent, group);
    EXPECT_EQ(group->GetLastChild(), group->firstChild->link.next);
    EXPECT_EQ(group->link.next->link.prev, group);  // the point follows the group
    EXPECT_EQ(CDtbEngine::FindLastElement(line)->GetType(), kDtbTypePoint);
    EXPECT_EQ(CDtbEngine::FindLastElement(nullptr), nullptr);
    EXPECT_EQ(db.AppendDtb(static_cast<CDtbElement*>(nullptr)), 0);
}

TEST(CDtbEngineTest, LevelLimitsReportAndChangeNothing) {
    platform::ScriptedPrompt prompt;
    CDtbEngine db;
    db.SetPrompt(&prompt);
    EXPECT_EQ(db.NodeDown(), 0);
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].text, "DTB LEVEL DOWN ERROR");
    EXPECT_EQ(prompt.asked[0].icon, platform::PromptIcon::Error);

    int succeeded = 0;
    for (int i = 0; i < 16; ++i) {
        CDtbNode* g = NewGroup();
        db.AppendDtb(g);
        succeeded += db.NodeUp(g);
    }
    EXPECT_EQ(succeeded, 15);
    EXPECT_EQ(db.GetLevel(), 15);
    ASSERT_EQ(prompt.asked.size(), 2u);
    EXPECT_EQ(prompt.asked[1].text, "DTB LEVEL UP ERROR");
    // The last group sits at level 15 beside the one it could not open into.
    db.AppendDtb(NewLine(0, 0, 1, 1));
    while (db.GetLevel() > 0) db.NodeDown();
    EXPECT_TRUE(LinksConsistent(db));
    EXPECT_EQ(db.GetCount(), 17u);
}

TEST(CDtbEngineTest, DeepCopyGivesOwnGroupsAndKeepsTexts) {
    CDtbEngine source;
    CDtbNode* g = NewGroup("Punch");
    source.AppendDtb(g);
    source.NodeUp(g);
    for (int i = 0; i < 3; ++i) {
        CDtbLine* l = NewLine(i, 0, i + 1, 0);
        l->attributes.Add("LineNo=" + std::to_string(i));
        source.AppendDtb(l);
    }
    source.NodeDown();

    CDtbEngine copy;
    copy.AppendDtb(NewPoint(0, 0));
    EXPECT_EQ(copy.AppendDtb(&source), 1);
    EXPECT_EQ(Shape(copy), "P,G(L,L,L)");
    EXPECT_TRUE(LinksConsistent(copy));
    auto* g2 = DtbCast<CDtbNode>(copy.GetFirstElement()->link.next);
    ASSERT_NE(g2, nullptr);
    EXPECT_NE(g2, g);
    EXPECT_NE(g2->firstChild, g->firstChild);
    EXPECT_EQ(g2->firstChild->attributes.GetAt(0), "LineNo=0");
    EXPECT_TRUE(g2->Is("Tessmark", "Punch"));

    // The source is untouched and both free cleanly (ASan).
    EXPECT_EQ(Shape(source), "G(L,L,L)");
    EXPECT_TRUE(LinksConsistent(source));

    // Only one element.
    CDtbEngine one;
    EXPECT_EQ(one.AppendDtb1(copy.GetFirstElement()->link.next, 1), 1);
    EXPECT_EQ(Shape(one), "G(L,L,L)");
    EXPECT_EQ(one.AppendDtb1(nullptr, 0), 1);
}

TEST(CDtbEngineTest, AppendingADatabaseToItselfDoublesIt) {
    CDtbEngine db;
    BuildSample(db);
    EXPECT_EQ(db.AppendDtb(&db), 1);
    EXPECT_EQ(Shape(db), "L,G(A,A),P,L,G(A,A),P");
    EXPECT_TRUE(LinksConsistent(db));

    // Copying the chain of the open group into itself ends too.
    CDtbEngine open;
    CDtbNode* g = NewGroup();
    open.AppendDtb(g);
    open.NodeUp(g);
    open.AppendDtb(NewLine(0, 0, 1, 0));
    open.AppendDtb(NewPoint(1, 0));
    open.AppendDtb1(g->firstChild, 0);
    open.NodeDown();
    EXPECT_EQ(Shape(open), "G(L,P,L,P)");
}

TEST(CDtbEngineTest, DeepCopyPastSixteenLevelsFailsCleanly) {
    platform::ScriptedPrompt prompt;
    // Source: groups nested 4 deep, then a line after the outermost group.
    CDtbEngine source;
    for (int i = 0; i < 4; ++i) {
        CDtbNode* g = NewGroup();
        source.AppendDtb(g);
        source.NodeUp(g);
    }
    source.AppendDtb(NewLine(0, 0, 1, 0));
    for (int i = 0; i < 4; ++i) source.NodeDown();
    source.AppendDtb(NewPoint(0, 0));
    EXPECT_EQ(Shape(source), "G(G(G(G(L)))),P");

    // Target: already 13 levels open, so only two more groups fit.
    CDtbEngine target;
    target.SetPrompt(&prompt);
    for (int i = 0; i < 13; ++i) {
        CDtbNode* g = NewGroup();
        target.AppendDtb(g);
        target.NodeUp(g);
    }
    EXPECT_EQ(target.AppendDtb(&source), 0);
    EXPECT_EQ(prompt.asked.size(), 1u);        // one message for the whole copy
    EXPECT_EQ(target.GetLevel(), 13);          // the builder's level is left as it was
    target.AppendDtb(NewArc(0, 0, 1, 0, 90));  // and appending goes on at that level
    const CDtbNode* innermost = target.GetOpenNode(13);
    // Levels 14 and 15 hold the first two groups; the too-deep ones are empty and their
    // content follows them at level 15; the point and the arc follow at level 13.
    EXPECT_EQ(Shape(innermost->firstChild), "G(G(G(),G(),L)),P,A");
    for (int i = 0; i < 13; ++i) target.NodeDown();
    EXPECT_TRUE(LinksConsistent(target));
    EXPECT_TRUE(LinksConsistent(source));
    EXPECT_EQ(Shape(source), "G(G(G(G(L)))),P");
}

TEST(CDtbEngineTest, InsertAsChildAfterAndAsArray) {
    CDtbEngine db;
    BuildSample(db);
    CDtbElement* line = db.GetFirstElement();
    auto* group = DtbCast<CDtbNode>(line->link.next);

    EXPECT_EQ(db.InsertDtb(NewPoint(0, 0), group, 1), 0);
    EXPECT_EQ(Shape(db), "L,G(P,A,A),P");
    db.InsertDtb(NewPoint(0, 0), group, 0);  // after the group
    EXPECT_EQ(Shape(db), "L,G(P,A,A),P,P");
    db.InsertDtb(NewArc(0, 0, 1, 0, 1), line, 1);  // asChild on a non-group: after it
    EXPECT_EQ(Shape(db), "L,A,G(P,A,A),P,P");
    EXPECT_TRUE(LinksConsistent(db));

    std::vector<CDtbElement*> batch = {NewLine(0, 0, 1, 1), NewGroup(), NewPoint(1, 1)};
    EXPECT_EQ(db.InsertDtbArray(batch, group, 1), 0);
    EXPECT_EQ(Shape(db), "L,A,G(L,G(),P,P,A,A),P,P");
    EXPECT_TRUE(LinksConsistent(db));

    // Nothing happens for null arguments or an empty array.
    std::unique_ptr<CDtbPoint> spare(NewPoint(0, 0));
    EXPECT_EQ(db.InsertDtb(spare.get(), nullptr, 0), 0);
    EXPECT_EQ(db.InsertDtb(nullptr, line, 0), 0);
    EXPECT_EQ(db.InsertDtbArray({}, line, 0), 0);
    EXPECT_EQ(db.InsertDtbArray(batch, nullptr, 0), 0);
    EXPECT_EQ(db.GetCount(), 11u);
}

TEST(CDtbEngineTest, InsertionsAtTheAppendPositionAreNotOverwritten) {
    CDtbEngine db;
    db.AppendDtb(NewLine(0, 0, 1, 0));
    db.InsertDtb(NewPoint(0, 0), db.GetFirstElement(), 0);  // behind the append position
    db.AppendDtb(NewArc(0, 0, 1, 0, 90));
    EXPECT_EQ(Shape(db), "L,P,A");

    // After NodeDown the append position is the group; something inserted after it stays.
    CDtbNode* g = NewGroup();
    db.AppendDtb(g);
    db.NodeUp(g);
    db.InsertDtb(NewLine(0, 0, 1, 1), g, 1);  // into the still empty open group
    db.AppendDtb(NewPoint(2, 2));
    db.InsertDtb(NewPoint(3, 3), g, 0);
    db.NodeDown();
    db.AppendDtb(NewLine(5, 5, 6, 6));
    EXPECT_EQ(Shape(db), "L,P,A,G(L,P),P,L");
    EXPECT_TRUE(LinksConsistent(db));
}

TEST(CDtbEngineTest, DeleteRuns) {
    struct Case {
        int fromIndex;  // in the top chain of "L,G(A,A),P,L"
        int toIndex;    // -1: to null
        const char* shape;
    };
    const Case cases[] = {
        {0, 0, "G(A,A),P,L"}, {1, 1, "L,P,L"},     {1, 2, "L,L"},
        {3, 3, "L,G(A,A),P"}, {2, -1, "L,G(A,A)"}, {0, -1, ""},
    };
    for (const Case& c : cases) {
        CDtbEngine db;
        BuildSample(db);
        db.AppendDtb(NewLine(0, 0, 1, 1));
        std::vector<CDtbElement*> top;
        for (CDtbElement* e = db.GetFirstElement(); e; e = e->link.next) top.push_back(e);
        CDtbElement* to = c.toIndex < 0 ? nullptr : top[c.toIndex];
        EXPECT_EQ(db.DeleteDtb(top[c.fromIndex], to, 1), 0);
        EXPECT_EQ(Shape(db), c.shape) << c.fromIndex << ".." << c.toIndex;
        EXPECT_TRUE(LinksConsistent(db));
        db.AppendDtb(NewPoint(9, 9));  // the append position is still valid (ASan)
        EXPECT_TRUE(LinksConsistent(db));
    }
}

TEST(CDtbEngineTest, DeletingTheFirstChildMakesTheNextOneFirst) {
    CDtbEngine db;
    BuildSample(db);
    auto* group = DtbCast<CDtbNode>(db.GetFirstElement()->link.next);
    CDtbElement* second = group->firstChild->link.next;
    db.DeleteDtb(group->firstChild, group->firstChild, 1);
    EXPECT_EQ(group->firstChild, second);
    EXPECT_EQ(second->link.prev, nullptr);
    EXPECT_EQ(db.DeleteDtb(nullptr, nullptr, 1), 0);
}

TEST(CDtbEngineTest, DeletingTheAppendPositionKeepsAppendingSound) {
    CDtbEngine db;
    db.AppendDtb(NewLine(0, 0, 1, 0));
    db.AppendDtb(NewPoint(1, 0));
    db.DeleteDtb(db.GetFirstElement()->link.next, nullptr, 1);  // the append position
    db.AppendDtb(NewArc(0, 0, 1, 0, 90));
    EXPECT_EQ(Shape(db), "L,A");

    db.DeleteDtb(db.GetFirstElement(), nullptr, 1);  // everything
    db.AppendDtb(NewPoint(0, 0));
    EXPECT_EQ(Shape(db), "P");
    EXPECT_TRUE(LinksConsistent(db));

    // Inside an open group: its only child goes, then appending refills it.
    CDtbNode* g = NewGroup();
    db.AppendDtb(g);
    db.NodeUp(g);
    db.AppendDtb(NewLine(0, 0, 1, 0));
    db.DeleteDtb(g->firstChild, nullptr, 1);
    db.AppendDtb(NewArc(0, 0, 1, 0, 90));
    db.NodeDown();
    EXPECT_EQ(Shape(db), "P,G(A)");

    // An open group deleted with its content: its levels close, appending goes on behind the
    // element before it.
    CDtbNode* outer = NewGroup();
    db.AppendDtb(outer);
    db.NodeUp(outer);
    CDtbNode* inner = NewGroup();
    db.AppendDtb(inner);
    db.NodeUp(inner);
    db.AppendDtb(NewLine(0, 0, 1, 0));
    EXPECT_EQ(db.GetLevel(), 2);
    db.DeleteDtb(outer, outer, 1);
    EXPECT_EQ(db.GetLevel(), 0);
    db.AppendDtb(NewPoint(5, 5));
    EXPECT_EQ(Shape(db), "P,G(A),P");
    EXPECT_TRUE(LinksConsistent(db));
}

TEST(CDtbEngineTest, UnlinkedRunsComeBackAsAChainOfTheirOwn) {
    CDtbEngine db;
    BuildSample(db);
    CDtbElement* group = db.GetFirstElement()->link.next;
    CDtbElement* point = group->link.next;
    db.DeleteDtb(group, point, 0);  // the run's tail is the append position
    EXPECT_EQ(Shape(db), "L");
    EXPECT_EQ(group->link.prev, nullptr);
    EXPECT_EQ(point->link.next, nullptr);
    EXPECT_EQ(group->link.next, point);
    EXPECT_EQ(DtbCast<CDtbNode>(group)->firstChild, nullptr);  // its chain was deleted
    db.AppendDtb(NewArc(0, 0, 1, 0, 90));
    EXPECT_EQ(Shape(db), "L,A");
    EXPECT_TRUE(LinksConsistent(db));

    // An open group unlinked: its levels close and it comes back empty.
    CDtbNode* open = NewGroup();
    db.AppendDtb(open);
    db.NodeUp(open);
    db.AppendDtb(NewLine(0, 0, 1, 0));
    db.DeleteDtb(open, nullptr, 0);
    EXPECT_EQ(db.GetLevel(), 0);
    EXPECT_EQ(open->firstChild, nullptr);
    EXPECT_EQ(open->link.prev, nullptr);
    db.AppendDtb(NewPoint(0, 0));
    EXPECT_EQ(Shape(db), "L,A,P");
    delete open;

    // A "to" outside the run's chain: the run goes to the end of the chain.
    CDtbEngine other;
    other.AppendDtb(NewPoint(0, 0));
    CDtbEngine three;
    for (int i = 0; i < 3; ++i) three.AppendDtb(NewLine(i, 0, i + 1, 0));
    three.DeleteDtb(three.GetFirstElement()->link.next, other.GetFirstElement(), 1);
    EXPECT_EQ(Shape(three), "L");
    EXPECT_EQ(Shape(other), "P");

    // The caller owns the run now; copying it back in is a deep copy.
    db.AppendDtb1(group, 0);
    EXPECT_EQ(Shape(db), "L,A,P,G(),P");
    CDtbEngine::Empty(group);
}

TEST(CDtbEngineTest, FilterDeleteRemovesMatchesInsideGroups) {
    CDtbEngine db;
    db.AppendDtb(NewLine(0, 0, 1, 0, kDtbClassRapid));
    CDtbNode* g = NewGroup();
    db.AppendDtb(g);
    db.NodeUp(g);
    db.AppendDtb(NewLine(0, 0, 1, 0, kDtbClassRapid));
    db.AppendDtb(NewArc(0, 0, 1, 0, 90, kDtbClassCut));
    db.AppendDtb(NewPoint(0, 0, kDtbClassRapid));
    db.NodeDown();
    db.AppendDtb(NewLine(0, 0, 1, 0, kDtbClassRapid));  // the append position

    EXPECT_EQ(db.DeleteDtb(kDtbAny, kDtbAny, kDtbAny, kDtbAny, kDtbAny, kDtbClassRapid), 4);
    EXPECT_EQ(Shape(db), "G(A)");
    EXPECT_TRUE(LinksConsistent(db));
    CDtbPoint* red = NewPoint(1, 1);
    red->info.red = 255;
    db.AppendDtb(red);
    EXPECT_EQ(Shape(db), "G(A),P");
    EXPECT_EQ(db.DeleteDtb(db.GetFirstElement(), 255, 0, 0, kDtbAny, kDtbAny, kDtbAny), 1);
    EXPECT_EQ(Shape(db), "G(A)");
}

TEST(CDtbEngineTest, FindFirstElementModes) {
    CDtbEngine db;
    CDtbNode* g = NewGroup();
    db.AppendDtb(g);
    db.NodeUp(g);
    db.AppendDtb(NewPoint(1, 1));
    db.AppendDtb(NewLine(2, 2, 3, 3));
    db.NodeDown();
    db.AppendDtb(NewArc(0, 0, 1, 0, 90));

    EXPECT_EQ(db.FindFirstElement(0)->GetType(), kDtbTypeLine);
    EXPECT_EQ(db.FindFirstElement(1)->GetType(), kDtbTypePoint);
    EXPECT_EQ(db.FindFirstElement(2), g);
    CxyzData p;
    EXPECT_EQ(db.GetFirstPoint(&p), 1);
    EXPECT_EQ(p, CxyzData(2, 2, 0));
    CxyData q(7, 7);
    EXPECT_EQ(db.GetFirstPoint(&q, g->link.next), 1);  // the arc's path start
    EXPECT_EQ(q, CxyData(1, 0));

    CDtbEngine points;
    points.AppendDtb(NewPoint(1, 1));
    EXPECT_EQ(points.FindFirstElement(0), nullptr);
    CxyData untouched(7, 7);
    EXPECT_EQ(points.GetFirstPoint(&untouched), 0);
    EXPECT_EQ(untouched, CxyData(7, 7));
    EXPECT_EQ(CDtbEngine().FindFirstElement(2), nullptr);
}

TEST(CDtbEngineTest, MovingHandsTheElementsOver) {
    CDtbEngine a;
    BuildSample(a);
    CDtbEngine b(std::move(a));
    EXPECT_EQ(Shape(b), "L,G(A,A),P");
    EXPECT_TRUE(a.IsEmpty());
    CDtbEngine c;
    c.AppendDtb(NewPoint(0, 0));
    c = std::move(b);
    EXPECT_EQ(Shape(c), "L,G(A,A),P");
    c.AppendDtb(NewPoint(0, 0));
    EXPECT_EQ(Shape(c), "L,G(A,A),P,P");
    c.Empty();
    EXPECT_TRUE(c.IsEmpty());
    EXPECT_EQ(c.GetLevel(), 0);
}

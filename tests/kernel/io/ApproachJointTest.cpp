// Tests of the approach, lead-out and joint walk on small tool paths.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kernel/db/CDtbArc.h"
#include "kernel/db/CDtbEngine.h"
#include "kernel/db/CDtbLine.h"
#include "kernel/db/CDtbNode.h"
#include "kernel/db/CDtbPoint.h"
#include "kernel/io/ApproachJoint.h"

namespace {

CDtbInfo Info(int classBits) {
    CDtbInfo i;
    i.classBits = classBits;
    return i;
}

CDtbLine* L(CDtbEngine& db, double x1, double y1, double x2, double y2, int cls = 4) {
    auto* l = new CDtbLine(CxyzData(x1, y1, 0), CxyzData(x2, y2, 0), Info(cls));
    db.AppendDtb(l);
    return l;
}

CDtbArc* A(CDtbEngine& db, double cx, double cy, double r, double a0, double a1, int dir = 0) {
    auto* a = new CDtbArc(CxyzData(cx, cy, 0), r, a0, a1, dir, Info(4));
    db.AppendDtb(a);
    return a;
}

// One line per top-level element: "L x1 y1 x2 y2 opt", "A cx cy r a0 a1 opt", "N", "P".
std::string Dump(const CDtbEngine& db) {
    std::string out;
    auto num = [](double v) {
        std::string s = std::to_string(std::round(v * 1000) / 1000);
        s.erase(s.find_last_not_of('0') + 1);
        if (s.back() == '.') s.pop_back();
        return s == "-0" ? std::string("0") : s;
    };
    for (const CDtbElement* e = db.GetFirstElement(); e; e = e->link.next) {
        if (const CDtbLine* l = DtbCast<CDtbLine>(e)) {
            out += "L " + num(l->start.x) + " " + num(l->start.y) + " " + num(l->end.x) + " " +
                   num(l->end.y);
        } else if (const CDtbArc* a = DtbCast<CDtbArc>(e)) {
            out += "A " + num(a->centre.x) + " " + num(a->centre.y) + " " + num(a->radius) + " " +
                   num(a->startAngle) + " " + num(a->endAngle);
        } else if (e->IsNode()) {
            out += "N";
        } else {
            out += "P";
        }
        if (e->GetOption(7)) out += " #" + std::to_string(e->GetOption(7));
        out += "\n";
    }
    return out;
}

std::string Walk(CDtbEngine& db, int mode, double joint = 1.0, double check = 30.0) {
    ApproachJoint(db, mode, joint, check).Run();
    return Dump(db);
}

// The square of 20 with a 5 mm approach onto its corner (10, 5); `last` is where its fourth
// side ends.
void Square(CDtbEngine& db, double lastX, double lastY) {
    L(db, 5, 5, 10, 5);
    L(db, 10, 5, 30, 5);
    L(db, 30, 5, 30, 25);
    L(db, 30, 25, 10, 25);
    L(db, 10, 25, lastX, lastY);
}

const char* const kSides = "L 10 5 30 5\nL 30 5 30 25\nL 30 25 10 25\n";

}  // namespace

TEST(ApproachJointTest, ClosedSquareLosesOrMarksItsApproach) {
    struct Case {
        int mode;
        double lastY;
        std::string expected;
    };
    const Case cases[] = {
        {0, 5, std::string(kSides) + "L 10 25 10 5\n"},
        {1, 5, "L 5 5 10 5 #99\n" + std::string(kSides) + "L 10 25 10 5\n"},
        // Ending 0.005 short: the last side is drawn to the corner exactly.
        {0, 5.005, std::string(kSides) + "L 10 25 10 5\n"},
        // Ending at a joint of 0.5: a joint line from the corner to the end of the last side.
        {0, 5.5, std::string(kSides) + "L 10 25 10 5.5\nL 10 5 10 5.5\n"},
        {1, 5.5, "L 5 5 10 5 #99\n" + std::string(kSides) + "L 10 25 10 5.5\nL 10 5 10 5.5 #999\n"},
    };
    for (const Case& c : cases) {
        CDtbEngine db;
        Square(db, 10, c.lastY);
        EXPECT_EQ(Walk(db, c.mode), c.expected) << c.mode << " " << c.lastY;
    }
}

TEST(ApproachJointTest, LeadOutIsMarkedUpToTheNextJump) {
    CDtbEngine db;
    Square(db, 10, 5);
    L(db, 10, 5, 12, 7);      // lead-out
    L(db, 12, 7, 14, 7);      // still connected: lead-out
    L(db, 14, 7, 50, 50, 1);  // rapid: left alone
    L(db, 50, 50, 60, 50);    // after a jump: a new run
    EXPECT_EQ(Walk(db, 1), "L 5 5 10 5 #99\n" + std::string(kSides) +
                               "L 10 25 10 5\nL 10 5 12 7 #99\nL 12 7 14 7 #99\nL 14 7 50 50\n"
                               "L 50 50 60 50\n");
}

TEST(ApproachJointTest, NearFullArcBecomesACircle) {
    CDtbEngine db;
    L(db, 50, 15, 52, 15);
    A(db, 60, 15, 8, -180, 178);
    EXPECT_EQ(Walk(db, 0), "A 60 15 8 0 360\n");
}

TEST(ApproachJointTest, ApproachLongerThanTheCheckLengthIsKept) {
    CDtbEngine db;
    L(db, -35, 5, 10, 5);  // 45 mm
    L(db, 10, 5, 30, 5);
    L(db, 30, 5, 30, 25);
    L(db, 30, 25, 10, 25);
    L(db, 10, 25, 10, 5);
    const std::string before = Dump(db);
    EXPECT_EQ(Walk(db, 0), before);
}

TEST(ApproachJointTest, ShortJumpInsideAContourIsBridged) {
    CDtbEngine db;
    L(db, 5, 5, 10, 5);
    L(db, 10, 5, 30, 5);
    L(db, 30, 5, 30, 14.6);        // stops 0.8 short of the rest of the side
    L(db, 30, 14.6, 30, 15.4, 1);  // the head jumps over the joint
    L(db, 30, 15.4, 30, 25);
    L(db, 30, 25, 10, 25);
    L(db, 10, 25, 10, 5);
    EXPECT_EQ(Walk(db, 0),
              "L 10 5 30 5\nL 30 5 30 15.4\nL 30 14.6 30 15.4\nL 30 15.4 30 25\nL 30 25 10 25\n"
              "L 10 25 10 5\n");
}

TEST(ApproachJointTest, LongJumpDropsTheRun) {
    CDtbEngine db;
    L(db, 5, 5, 10, 5);
    L(db, 10, 5, 30, 5);
    L(db, 30, 5, 30, 12);  // 6 mm gap: no joint
    L(db, 30, 18, 30, 25);
    L(db, 30, 25, 10, 25);
    L(db, 10, 25, 30, 18);
    const std::string before = Dump(db);
    EXPECT_EQ(Walk(db, 0), before);
}

TEST(ApproachJointTest, TwoPiecesOfOneCircleAreMerged) {
    CDtbEngine db;
    L(db, 0, 0, 5, 0);  // approach onto (5, 0), angle 0 of the circle about (0, 0)
    A(db, 0, 0, 5, 0, 170);
    A(db, 0, 0, 5, 175, 360);  // jump of 0.44 over the joint between 170 and 175 degrees
    EXPECT_EQ(Walk(db, 0), "A 0 0 5 0 360\n");
}

// Two arcs of different circles on both sides of a short jump end and start where they cross.
TEST(ApproachJointTest, ArcsAcrossAJumpMeetWhereTheyCross) {
    CDtbEngine db;
    L(db, 15, 0, 10, 0);
    A(db, 0, 0, 10, 0, 85);    // ends at (0.872, 9.962)
    A(db, 1, 0, 10, 92, 180);  // starts at (0.651, 9.994), 0.22 away
    EXPECT_EQ(Walk(db, 0), "L 15 0 10 0\nA 0 0 10 0 87.134\nA 1 0 10 92.866 180\n");
}

TEST(ApproachJointTest, ClosingArcIsFittedToTheCorner) {
    CDtbEngine db;
    L(db, -5, 0, 0, 0);
    L(db, 0, 0, 10, 0);
    L(db, 10, 0, 10, 10);
    L(db, 10, 10, 0, 10);
    // Half circle about (0, 5) back to the corner, ending 0.0044 beside it.
    A(db, 0, 5, 5, 90, 270.05);
    EXPECT_EQ(Walk(db, 0), "L 0 0 10 0\nL 10 0 10 10\nL 10 10 0 10\nA 0 5 5 90 270\n");
}

TEST(ApproachJointTest, RapidsGroupsPointsAndMarkedElementsAreLeftAlone) {
    CDtbEngine db;
    auto* group = new CDtbNode("Tessmark", "Punch1", "");
    db.AppendDtb(group);
    db.NodeUp(group);
    L(db, 5, 5, 10, 5);
    db.NodeDown();
    db.AppendDtb(new CDtbPoint(CxyzData(1, 1, 0), 1, Info(4)));
    L(db, 0, 0, 5, 5, 1);
    L(db, 5, 5, 6, 6)->SetOption(7, 7);
    const std::string before = Dump(db);
    EXPECT_EQ(Walk(db, 0), before);
    EXPECT_EQ(group->firstChild->GetOption(7), 0u);
}

// A jump whose only joint-length partner lies in the contour closed before: the walk must not
// join the two contours, nor delete the element it still holds (ASan build).
TEST(ApproachJointTest, BridgeNeverReachesIntoThePreviousContour) {
    CDtbEngine db;
    Square(db, 10, 5);        // closed; its last side ends at (10, 5)
    L(db, 10, 5, 40, 40, 1);  // rapid away
    L(db, 40, 40, 45, 40);    // new run
    L(db, 10.5, 5, 10.5, 4);  // jump back next to the old square's corner
    const std::string expected =
        std::string(kSides) + "L 10 25 10 5\nL 10 5 40 40\n" + "L 40 40 45 40\nL 10.5 5 10.5 4\n";
    EXPECT_EQ(Walk(db, 0), expected);
}

// Tests of the approach, lead-out and joint walk on small tool paths.
#include <gtest/gtest.h>

#include <sstream>
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

// One element: "L x1 y1 x2 y2 opt", "A cx cy r a0 a1 opt", "N", "P".
std::string DumpOne(const CDtbElement* e) {
    auto num = [](double v) {
        std::string s = std::to_string(std::round(v * 1000) / 1000);
        s.erase(s.find_last_not_of('0') + 1);
        if (s.back() == '.') s.pop_back();
        return s == "-0" ? std::string("0") : s;
    };
    std::string out;
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
    return out + "\n";
}

// One line per top-level element.
std::string Dump(const CDtbEngine& db) {
    std::string out;
    for (const CDtbElement* e = db.GetFirstElement(); e; e = e->link.next) out += DumpOne(e);
    return out;
}

std::string Walk(CDtbEngine& db, int mode, double joint = 1.0, double check = 30.0) {
    ApproachJoint(db, mode, joint, check).Run();
    return Dump(db);
}

// The dump of the top-level chain and, indented, of every group's chain.
std::string DeepDump(const CDtbElement* e, const std::string& indent = "") {
    std::string out;
    for (; e; e = e->link.next) {
        out += indent + DumpOne(e);
        if (const CDtbNode* n = DtbCast<CDtbNode>(e)) out += DeepDump(n->firstChild, indent + "  ");
    }
    return out;
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

// A cut arc that ends short of where its approach met it closes as a full circle when less than
// 10 degrees are missing and the gap, taken as 2 r tan(missing / 2), is a joint length (1 here).
// Rows on both sides of each limit; outside them the path is left alone (the next test).
TEST(ApproachJointTest, NearFullArcRuleAtItsLimits) {
    struct Case {
        double r, missing;  // radius, degrees left uncut
    };
    const Case closed[] = {
        {5, 9.99},   // 2 * 5 * tan(4.995) = 0.874
        {5, 2},      // 0.175
        {11.45, 5},  // 22.9 * tan(2.5) = 0.9998
    };
    for (const Case& c : closed) {
        CDtbEngine db;
        L(db, c.r, -5, c.r, 0);  // approach onto the arc's start at angle 0
        A(db, 0, 0, c.r, 0, 360 - c.missing);
        std::ostringstream want;
        want << "A 0 0 " << c.r << " 0 360\n";
        EXPECT_EQ(Walk(db, 0), want.str()) << c.r << " " << c.missing;
    }
}

TEST(ApproachJointTest, NearFullArcBecomesACircle) {
    CDtbEngine db;
    L(db, 50, 15, 52, 15);
    A(db, 60, 15, 8, -180, 178);
    EXPECT_EQ(Walk(db, 0), "A 60 15 8 0 360\n");
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

// Paths the walk leaves exactly as they are, groups included.
TEST(ApproachJointTest, PathsThatAreLeftAlone) {
    struct Case {
        const char* name;
        void (*build)(CDtbEngine&);
    };
    const Case cases[] = {
        {"approach longer than the check length",
         [](CDtbEngine& db) {
             L(db, -35, 5, 10, 5);  // 45 mm
             L(db, 10, 5, 30, 5);
             L(db, 30, 5, 30, 25);
             L(db, 30, 25, 10, 25);
             L(db, 10, 25, 10, 5);
         }},
        {"long jump drops the run",
         [](CDtbEngine& db) {
             L(db, 5, 5, 10, 5);
             L(db, 10, 5, 30, 5);
             L(db, 30, 5, 30, 12);  // 6 mm gap: no joint
             L(db, 30, 18, 30, 25);
             L(db, 30, 25, 10, 25);
             L(db, 10, 25, 30, 18);
         }},
        {"rapids, groups, points and marked elements",
         [](CDtbEngine& db) {
             auto* group = new CDtbNode("Tessmark", "Punch1", "");
             db.AppendDtb(group);
             db.NodeUp(group);
             L(db, 5, 5, 10, 5);
             db.NodeDown();
             db.AppendDtb(new CDtbPoint(CxyzData(1, 1, 0), 1, Info(4)));
             L(db, 0, 0, 5, 5, 1);
             L(db, 5, 5, 6, 6)->SetOption(7, 7);
         }},
        // Near-full arcs just outside the rule: 10.01 degrees missing (the gap 0.876 is a joint
        // length, the missing angle too large), and a gap of 2 * 11.455 * tan(2.5) = 1.0003
        // (whose chord 0.9993 is a joint length, the rule's gap not).
        {"arc missing 10.01 degrees",
         [](CDtbEngine& db) {
             L(db, 5, -5, 5, 0);
             A(db, 0, 0, 5, 0, 349.99);
         }},
        {"arc whose gap is just over the joint",
         [](CDtbEngine& db) {
             L(db, 11.455, -5, 11.455, 0);
             A(db, 0, 0, 11.455, 0, 355);
         }},
    };
    for (const Case& c : cases) {
        for (int mode : {0, 1}) {
            CDtbEngine db;
            c.build(db);
            const std::string before = DeepDump(db.GetFirstElement());
            ApproachJoint(db, mode, 1.0, 30.0).Run();
            EXPECT_EQ(DeepDump(db.GetFirstElement()), before) << c.name << ", mode " << mode;
        }
    }
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

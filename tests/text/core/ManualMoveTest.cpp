// The manual move of one axis word of one line.
#include "text/core/ManualMove.h"

#include <gtest/gtest.h>

#include "FakeOpsHost.h"

namespace {

struct Case {
    const char* line;
    int axis;
    double step;
    int headType;
    int zeroTimes;
    const char* result;  // the line afterwards
    int changed;
    bool limit;  // message 20091
};

const Case kCases[] = {
    {"X10.(P1)", 0, 0.1, 1, 1, "X10.100(P1)", 1, false},
    {"G01X10.Y5.Z2.C0.A0.", 1, 1, 1, 1, "G01X10.Y6.000Z2.C0.A0.", 1, false},
    {"G01X10.Y5.Z2.C0.A0.", 2, -0.5, 1, 1, "G01X10.Y5.Z1.500C0.A0.", 1, false},
    {"G01X10.Y5.Z2.C0.A0.", 3, 10, 1, 1, "G01X10.Y5.Z2.C10.000A0.", 1, false},
    {"G01X10.Y5.Z2.C0.A0.", 4, -1, 1, 1, "G01X10.Y5.Z2.C0.A-1.000", 1, false},
    {"(COMMENT X1.)", 0, 1, 1, 1, "(COMMENT X1.)", 0, false},
    {"G01Y5.", 0, 1, 1, 1, "G01Y5.", 0, false},
    {"A134.9", 4, 0.2, 0, 1, "A134.9", 0, true},
    {"A134.9", 4, 0.2, 1, 1, "A135.100", 1, false},
    {"A-179.95", 4, -0.1, 1, 1, "A-179.95", 0, true},
    {"C359.9", 3, 0.1, 0, 1, "C360.000", 1, false},
    {"C199.5", 3, 1, 1, 1, "C199.5", 0, true},
    // Only the axis letter of the move counts.
    {"G01X1.U1.", 0, 1, 1, 1, "G01X2.000U1.", 1, false},
    // A value written without a point is divided by the machine's ZeroTimes; one with a point
    // is taken as it stands.
    {"X10", 0, 1, 1, 1, "X11", 1, false},
    {"X10.", 0, 1, 1, 1, "X11.000", 1, false},
    {"X5000", 0, 1, 1, 1000, "X6.000", 1, false},
    {"X5000.", 0, 1, 1, 1000, "X5001.000", 1, false},
    {"G01Y-2500C90000", 1, -0.5, 1, 1000, "G01Y-3.000C90000", 1, false},
    {"C90000", 3, 10, 0, 1000, "C100.000", 1, false},
    {"C359500", 3, 1, 0, 1000, "C359500", 0, true},
};

TEST(ManualMove, Axes) {
    for (const Case& c : kCases) {
        FakeOpsHost host;
        host.machine.NcFigure = 3;
        host.machine.ZeroSuppress = 0;
        host.machine.HeadType = c.headType;
        host.machine.ZeroTimes = c.zeroTimes;
        host.lines = {"O1", c.line};
        EXPECT_EQ(ManualMoveLine(host, c.axis, 1, c.step), c.changed) << c.line;
        EXPECT_EQ(host.lines[1], c.result) << c.line;
        EXPECT_EQ(host.changes, c.changed) << c.line;
        ASSERT_EQ(host.prompt.asked.size(), c.limit ? 1u : 0u) << c.line;
        if (c.limit) {
            EXPECT_EQ(host.prompt.asked[0].text, "Exceeded storke limit");
        }
    }
}

TEST(ManualMove, Refusals) {
    FakeOpsHost host;
    host.lines = {"X1."};
    EXPECT_EQ(ManualMoveLine(host, -1, 0, 1), 0);
    EXPECT_EQ(ManualMoveLine(host, 5, 0, 1), 0);
    EXPECT_EQ(ManualMoveLine(host, 0, 1, 1), 0);
    EXPECT_EQ(ManualMoveLine(host, 0, -1, 1), 0);
    host.traceActive = 1;
    EXPECT_EQ(ManualMoveLine(host, 0, 0, 1), 0);
    EXPECT_EQ(host.lines[0], "X1.");
    host.traceActive = 0;
    EXPECT_EQ(ManualMoveLine(host, 0, 0, 1), 1);
    EXPECT_EQ(host.lines[0], "X2.");
}

}  // namespace

// Breakpoint clicks, header clicks and the NcRowParam record.
#include "text/core/NcRowStates.h"

#include <gtest/gtest.h>

TEST(NcRowStates, IconClicksCycleAndSetHeader) {
    NcRowStates s;
    s.Reset(3);
    EXPECT_EQ(s.HeaderImage(), kHeaderEmpty);
    EXPECT_EQ(s.ClickBreakpoint(1), kBreakOn);
    EXPECT_EQ(s.HeaderImage(), kHeaderDisable);
    EXPECT_EQ(s.ClickBreakpoint(1), kBreakDisabled);
    EXPECT_EQ(s.ClickBreakpoint(1), kBreakNone);
    EXPECT_EQ(s.ClickBreakpoint(3), -1);
}

TEST(NcRowStates, HeaderClicks) {
    NcRowStates s;
    s.Reset(4);
    s.SetBreakpoint(0, kBreakOn);
    s.SetBreakpoint(2, kBreakDisabled);
    // Right after a fill (image 3) a header click clears every breakpoint.
    s.ClickHeader();
    EXPECT_EQ(s.Breakpoint(0), 0);
    EXPECT_EQ(s.Breakpoint(2), 0);
    EXPECT_EQ(s.HeaderImage(), kHeaderEmpty);

    s.ClickBreakpoint(0);  // on, image 2
    s.ClickBreakpoint(2);
    s.ClickBreakpoint(2);  // disabled
    s.ClickHeader();       // image 2 disables every breakpoint
    EXPECT_EQ(s.Breakpoint(0), kBreakDisabled);
    EXPECT_EQ(s.Breakpoint(2), kBreakDisabled);
    EXPECT_EQ(s.Breakpoint(1), kBreakNone);
    EXPECT_EQ(s.HeaderImage(), kHeaderEnable);
    s.ClickHeader();  // image 1 enables them
    EXPECT_EQ(s.Breakpoint(0), kBreakOn);
    EXPECT_EQ(s.Breakpoint(2), kBreakOn);
    EXPECT_EQ(s.Breakpoint(3), kBreakNone);
    EXPECT_EQ(s.HeaderImage(), kHeaderDisable);
}

TEST(NcRowStates, FillClearsBreakpointsAndMarks) {
    NcRowStates s;
    s.Reset(2);
    s.SetBreakpoint(0, kBreakOn);
    s.SetErrorMark(1, 1);
    EXPECT_EQ(s.ErrorMark(1), 1);
    EXPECT_EQ(s.Breakpoint(1), 0);
    s.Reset(2);
    EXPECT_EQ(s.Breakpoint(0), 0);
    EXPECT_EQ(s.ErrorMark(1), 0);
}

TEST(NcRowStates, RowParamBits) {
    const uint32_t p = MakeNcRowParam(2, 3, 1);
    EXPECT_EQ(p, 0x1320u);
    EXPECT_EQ(RowParamBreakpoint(p), 2);
    EXPECT_EQ(RowParamColourClass(p), 3);
    EXPECT_EQ(RowParamErrorMark(p), 1);
}

// The five-axis smoothing with stand-in libraries built from the library's call (see
// tests/text/stub/AdjustToolPath.cc): the runs, corner arcs, the G11 family, texts, special
// lines, failures; the text split, the range, the parameters and their keys.
// (SmoothParams is a packed record: its members are compared by value, "+p.Digit".)
#include "text/core/FiveAxisSmoothing.h"

#include <gtest/gtest.h>

#include <fstream>

#include "EnvVar.h"
#include "FakeOpsHost.h"
#include "TempDir.h"
#include "platform/Profile.h"

namespace {

using Lines = std::vector<std::string>;

std::string Stub(const char* kind) {
    return std::string(MORVALEN_BINARY_DIR) + "/tests/smooth/" + kind;
}

// Smooths lines first..last (1-based) with the stand-in of kind.
struct Smoothing {
    FakeOpsHost host;
    SmoothParams params;
    Lines out;
    int result = -1;
    Smoothing(Lines lines, int first, int last, const char* kind = "ok",
              void (*change)(SmoothParams&) = nullptr) {
        host.lines = std::move(lines);
        params.StartRow = first;
        params.EndRow = last;
        if (change) change(params);
        test::EnvVar env("RERERAZOVU", kind ? Stub(kind) : std::string());
        result = Smooth06R(host, params, out);
    }
};

TEST(Smooth06R, LinearRunWithFeeds) {
    Smoothing r({"G90", "G01X10.Y0.F1000", "G01X20.Y0.", "G01X20.Y10.F2000", "M30"}, 1, 5);
    EXPECT_EQ(r.result, 1);
    EXPECT_EQ(r.out, (Lines{"G90", "G01X10.Y0.Z0.C0.A0.F1000", "G01X15.Y0.Z0.C0.A0.",
                            "G01X20.Y0.Z0.C0.A0.", "G01X20.Y5.Z0.C0.A0.F2000",
                            "G01X20.Y10.Z0.C0.A0.", "M30"}));
    // The document itself is not touched.
    EXPECT_EQ(r.host.changes, 0);
    EXPECT_TRUE(r.host.prompt.asked.empty());
}

// The twelve doubles arrive in their order: the stand-in moves X by the first, A by the last.
TEST(Smooth06R, TolerancesInOrder) {
    Smoothing r({"G01X10.Y0.F1000", "G01X20.Y0.", "G01X20.Y10."}, 1, 3, "ok", [](SmoothParams& p) {
        p.DevXYZ = 1.5;
        p.AArm = 2;
        p.Digit = 1;
    });
    ASSERT_EQ(r.result, 1);
    EXPECT_EQ(r.out.front(), "G01X11.5Y0.Z0.C0.A2.F1000");
}

TEST(Smooth06R, CornerArcsAndHeadAngles) {
    Smoothing r({"G01X10.Y0.R2.C10.F500", "G01X10.Y10.C90.", "G01X20.Y10.", "M30"}, 1, 4);
    ASSERT_EQ(r.result, 1);
    EXPECT_EQ(r.out, (Lines{"G01X8.Y0.Z0.C0.A0.F500", "G01X8.707Y0.293Z0.C2.5A0.",
                            "G01X9.414Y0.586Z0.C5.A0.", "G01X9.707Y1.293Z0.C7.5A0.",
                            "G01X10.Y2.Z0.C10.A0.", "G01X10.Y6.Z0.C50.A0.", "G01X10.Y10.Z0.C90.A0.",
                            "G01X15.Y10.Z0.C90.A0.", "G01X20.Y10.Z0.C90.A0.", "M30"}));
}

// A corner pending when the range starts has no point before it to move: only the arc's middle
// and end come in front of the block's end point.
TEST(Smooth06R, CornerPendingAtTheStartOfARun) {
    Smoothing r({"G01X10.Y0.R2.F500", "G01X10.Y10.", "G01X20.Y10."}, 2, 3);
    ASSERT_EQ(r.result, 1);
    EXPECT_EQ(r.out, (Lines{"G01X9.414Y0.586Z0.C0.A0.F500", "G01X9.707Y1.293Z0.C0.A0.",
                            "G01X10.Y2.Z0.C0.A0.", "G01X10.Y6.Z0.C0.A0.", "G01X10.Y10.Z0.C0.A0.",
                            "G01X15.Y10.Z0.C0.A0.", "G01X20.Y10.Z0.C0.A0."}));
}

TEST(Smooth06R, ThreePointArcFamily) {
    Smoothing r({"G01X0.Y0.F100", "G11X10.Y10.", "G11.1X20.Y0.", "G01X30.Y0.", "G01X40.Y0.",
                 "G11X50.Y10.", "G11.1X60.Y0.", "M30"},
                3, 6);
    ASSERT_EQ(r.result, 1);
    EXPECT_EQ(r.out, (Lines{"G11.1X20.Y0.Z0.C0.A0.F100", "G01X25.Y0.Z0.C0.A0.",
                            "G01X30.Y0.Z0.C0.A0.", "G01X35.Y0.Z0.C0.A0.", "G01X40.Y0.Z0.C0.A0.",
                            "G01X45.Y5.Z0.C0.A0.", "G11X50.Y10.Z0.C0.A0."}));
}

TEST(Smooth06R, TextsSpecialLinesEmptyLinesAndShortRuns) {
    Smoothing r({"N10G01X10.Y0.F100(FIRST)", "G01X20.Y0.", "", "G01X30.Y0.(LAST)", "(NOTE)",
                 "G01X40.Y0.", "G01X50.Y0.", "W5", "G01X60.Y0.", "M30"},
                1, 10);
    ASSERT_EQ(r.result, 1);
    EXPECT_EQ(r.out,
              (Lines{"N10G01X10.Y0.Z0.C0.A0.F100(FIRST)", "G01X15.Y0.Z0.C0.A0.",
                     "G01X20.Y0.Z0.C0.A0.", "G01X25.Y0.Z0.C0.A0.", "G01X30.Y0.Z0.C0.A0.(LAST)",
                     "(NOTE)", "G01X40.Y0.", "G01X50.Y0.", "W5", "G01X60.Y0.", "M30"}));
}

// Lines that end a run: macro calls, G08, the shape codes, G12 holes, positioning and modal
// continuation lines; they and the short runs between them stay as written.
TEST(Smooth06R, LinesThatEndRuns) {
    const Lines text = {"G01X1.Y0.F100", "G65P9001", "G01X2.Y0.", "G08D5.",      "G01X3.",
                        "G8.4P7V1.",     "G01X4.",   "G12X5.",    "G12.1X4.Y1.", "G12.2",
                        "G00X6.",        "G01X7.",   "X8.",       "O100",        "G01X9."};
    Smoothing r(text, 1, int(text.size()));
    EXPECT_EQ(r.result, 1);
    EXPECT_EQ(r.out, text);
}

TEST(Smooth06R, OnlyTheRangeIsWritten) {
    Smoothing r({"G01X10.Y0.F100", "G01X20.Y0.", "G01X30.Y0.", "G01X40.Y0.", "M30"}, 2, 4);
    ASSERT_EQ(r.result, 1);
    // Line 1 drives the modal state (the feed) but is not written.
    EXPECT_EQ(r.out, (Lines{"G01X20.Y0.Z0.C0.A0.F100", "G01X25.Y0.Z0.C0.A0.", "G01X30.Y0.Z0.C0.A0.",
                            "G01X35.Y0.Z0.C0.A0.", "G01X40.Y0.Z0.C0.A0."}));
}

TEST(Smooth06R, LargerAreaAsked) {
    Smoothing r({"G01X10.Y0.F1000", "G01X20.Y0.", "G01X20.Y10."}, 1, 3, "grow");
    EXPECT_EQ(r.result, 1);
    EXPECT_EQ(r.out.size(), 5u);
}

TEST(Smooth06R, Failures) {
    const Lines text = {"G01X10.Y0.F1000", "G01X20.Y0.", "G01X20.Y10.", "M30"};
    // The library fails: nothing to use, no message here (the frame says 20089).
    Smoothing failing(text, 1, 4, "fail");
    EXPECT_EQ(failing.result, 0);
    EXPECT_TRUE(failing.out.empty());
    EXPECT_TRUE(failing.host.prompt.asked.empty());
    EXPECT_EQ(failing.host.lines, text);
    // No library in the folder named: one warning, whatever the number of runs.
    test::TempDir empty;
    Lines runs = text;
    runs.insert(runs.end(), {"G01X1.", "G01X2.", "G01X3.", "M30"});
    Smoothing missing(runs, 1, 8, nullptr);
    missing.host.prompt.asked.clear();
    {
        test::EnvVar env("RERERAZOVU", empty.path().string());
        missing.result = Smooth06R(missing.host, missing.params, missing.out);
    }
    EXPECT_EQ(missing.result, 0);
    ASSERT_EQ(missing.host.prompt.asked.size(), 1u);
    EXPECT_EQ(missing.host.prompt.asked[0].text,
              "\"flAdjustToolPath.dll\" does not exist.\n\nIt was looked for as:\n" +
                  (empty.path() / "libflAdjustToolPath.so").string());
    EXPECT_EQ(missing.host.prompt.asked[0].icon, platform::PromptIcon::Warning);
    EXPECT_EQ(missing.host.lines, runs);
    // No RERERAZOVU: no library can be named, and the warning says why.
    Smoothing unnamed(text, 1, 4, nullptr);
    EXPECT_EQ(unnamed.result, 0);
    ASSERT_EQ(unnamed.host.prompt.asked.size(), 1u);
    EXPECT_EQ(unnamed.host.prompt.asked[0].text,
              "\"flAdjustToolPath.dll\" does not exist.\n\nThe environment variable RERERAZOVU, "
              "which names the folder that holds it (as libflAdjustToolPath.so), is not set.");
    // During a trace nothing runs.
    FakeOpsHost tracing;
    tracing.lines = text;
    tracing.traceActive = 1;
    Lines out;
    test::EnvVar env("RERERAZOVU", Stub("ok"));
    EXPECT_EQ(Smooth06R(tracing, {}, out), 0);
}

// More texts than blocks: a text with no block to go with fails the run (its N number or
// comment would be lost otherwise).
TEST(Smooth06R, TextWithoutABlock) {
    test::EnvVar env("RERERAZOVU", Stub("ok"));
    std::vector<SmoothPoint> points(3, SmoothPoint{0, 0, 0, 0, 0, 1, 100});
    std::vector<SmoothText> texts = {{"N1", ""}, {"N2", ""}, {"N3", ""}};
    points[1].X = 1;
    points[2].X = 2;
    Lines out;
    // 3 points give 5 blocks: enough.
    EXPECT_EQ(BuildSmoothedBlocks(points, texts, 0, 0, SmoothParams{}, &CallAdjustToolPath, out),
              kSmoothWritten);
    EXPECT_EQ(out.front(), "N1G01X0.Y0.Z0.C0.A0.F100");
    auto none = [](SmoothPoint*, int, double*, SmoothedPoint* area, int* count) {
        area[0] = SmoothedPoint{0, 0, 0, 0, 0, 1, 100, {}};
        area[1] = SmoothedPoint{1, 0, 0, 0, 0, 11, 100, {}};
        *count = 2;
        return 1;
    };
    out.clear();
    EXPECT_EQ(BuildSmoothedBlocks(points, texts, 0, 0, SmoothParams{}, none, out), kSmoothTextLost);
    EXPECT_TRUE(out.empty());
    // A count beyond the area is not believed: nothing behind the area is read.
    auto boast = [](SmoothPoint*, int, double*, SmoothedPoint* area, int* count) {
        for (int i = 0; i < 3; ++i) area[i] = SmoothedPoint{double(i), 0, 0, 0, 0, 1, 100, {}};
        *count = 1 << 30;
        return 1;
    };
    std::vector<SmoothText> plain(3);
    EXPECT_EQ(BuildSmoothedBlocks(points, plain, 0, 0, SmoothParams{}, boast, out), kSmoothWritten);
    EXPECT_EQ(out.size(), 3u);
}

TEST(SmoothRecords, Layout) {
    EXPECT_EQ(offsetof(SmoothParams, Digit), 8u);
    EXPECT_EQ(offsetof(SmoothParams, DevXYZ), 12u);
    EXPECT_EQ(offsetof(SmoothParams, AArm), 100u);
    SmoothParams p;
    p.DevTorch = 2;
    p.CArm = 11;
    const std::array<double, 12> t = p.Tolerances();
    EXPECT_EQ(t[1], 2);
    EXPECT_EQ(t[10], 11);
}

TEST(SplitBlockText, Table) {
    const struct {
        const char* text;
        bool ok;
        const char *head, *tail;
    } cases[] = {
        {"N10G01X10.Y5.(CUT G41)", true, "N10", "(CUT G41)"},
        {"G41G01X10.", true, "G41", ""},
        {"G01G41X10.", true, "G41", ""},
        {"N5X10.G09", true, "N5", "G09"},
        {"G01X1.G116G117", true, "", "G116G117"},
        {"G01X1.G117G116", true, "", "G117G116"},
        {"G01X1.(C)G09", true, "", "(C)G09"},
        {"G11.1X5.", true, "", ""},
        {"N1G42G01X1.G140", true, "N1G42", "G140"},
        {"N7Y2.X1.", true, "N7Y2.", ""},
        {"M30", false, "", ""},
        {"", false, "", ""},
        {"(X10.)G01X5.", false, "", ""},
    };
    for (const auto& c : cases) {
        std::string head = "?", tail = "?";
        EXPECT_EQ(SplitBlockText(c.text, head, tail), c.ok) << c.text;
        if (!c.ok) continue;
        EXPECT_EQ(head, c.head) << c.text;
        EXPECT_EQ(tail, c.tail) << c.text;
    }
    // No cut at 127 characters.
    const std::string longTail = "G01X1.(" + std::string(300, 'C') + ")";
    std::string head, tail;
    ASSERT_TRUE(SplitBlockText(longTail, head, tail));
    EXPECT_EQ(tail.size(), 302u);
}

TEST(SmoothRange, Clamp) {
    const struct {
        int start, end, count, outStart, outEnd;
    } cases[] = {{0, 3, 10, 1, 3},   {12, 5, 10, 10, 10}, {4, 2, 10, 4, 4},
                 {-5, -1, 10, 1, 1}, {3, 3, 0, 1, 1},     {2, 9, 10, 2, 9}};
    for (const auto& c : cases) {
        int s = c.start, e = c.end;
        ClampRange(s, e, c.count);
        EXPECT_EQ(s, c.outStart) << c.start << "," << c.end;
        EXPECT_EQ(e, c.outEnd) << c.start << "," << c.end;
    }
}

TEST(SmoothParamsFile, ValidationAndKeys) {
    SmoothParams p;
    p.Digit = 0;
    p.DevXYZ = -1;
    p.AArm = 1e6;
    ValidateSmoothParams(p);
    EXPECT_EQ(+p.Digit, 1);
    EXPECT_EQ(+p.DevXYZ, 0.0);
    EXPECT_EQ(+p.AArm, 99999.0);
    p.Digit = 11;
    ValidateSmoothParams(p);
    EXPECT_EQ(+p.Digit, 10);

    test::TempDir dir;
    const auto file = dir.path() / "m.nmd";
    SmoothParams d = ReadSmoothParams(file);
    EXPECT_EQ(+d.StartRow, 1);
    EXPECT_EQ(+d.EndRow, 1);
    EXPECT_EQ(+d.Digit, 3);
    EXPECT_EQ(+d.CArm, 0.0);
    std::ofstream(file) << "[06R_Smoothing]\nStartRow=-3\nEndRow=7\nDigit=0\naAccC=2.5\n";
    d = ReadSmoothParams(file);
    EXPECT_EQ(+d.StartRow, 1);
    EXPECT_EQ(+d.EndRow, 7);
    EXPECT_EQ(+d.Digit, 1);
    EXPECT_EQ(+d.aAccC, 2.5);
    d.DevTorch = 0.1234;
    ASSERT_TRUE(WriteSmoothParams(file, d));
    EXPECT_EQ(platform::GetProfileString("06R_Smoothing", "DevTorch", "", file), "0.123");
    EXPECT_EQ(platform::GetProfileString("06R_Smoothing", "Digit", "", file), "1");
    EXPECT_EQ(platform::GetProfileString("06R_Smoothing", "AArm", "", file), "0.000");
    const SmoothParams back = ReadSmoothParams(file);
    EXPECT_EQ(+back.aAccC, 2.5);
    EXPECT_EQ(+back.DevTorch, 0.123);
}

}  // namespace

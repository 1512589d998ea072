// Fitting, mapping, clipping, arcs and full-width text of the previews.
#include "wepo/core/preview/PreviewGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using wepo::PreviewView;

TEST(PreviewGeometryTest, FitGrowsTheShorterRangeAboutItsCentre) {
    PreviewView v;
    ASSERT_TRUE(wepo::FitViewToPicture(v, 0, 0, 100, 10, 0, 0, 200, 100));
    EXPECT_EQ(v.xmin, 0);
    EXPECT_EQ(v.xmax, 100);
    EXPECT_EQ(v.ymin, -20);  // dy = 100 * 100 / 200 = 50 about 5
    EXPECT_EQ(v.ymax, 30);
    EXPECT_EQ(v.sx, 2);
    EXPECT_EQ(v.sy, 2);
    ASSERT_TRUE(wepo::FitViewToPicture(v, 0, 0, 10, 100, 0, 0, 200, 100));
    EXPECT_EQ(v.xmin, -95);  // dx = 100 * 200 / 100 = 200 about 5
    EXPECT_EQ(v.xmax, 105);
    // A single point: a box of one unit about it; an inverted box is turned round.
    ASSERT_TRUE(wepo::FitViewToPicture(v, 3, 4, 3, 4, 0, 0, 100, 100));
    EXPECT_EQ(v.xmin, 2.5);
    EXPECT_EQ(v.ymax, 4.5);
    EXPECT_EQ(v.sx, 100);
    ASSERT_TRUE(wepo::FitViewToPicture(v, 10, 10, 0, 0, 0, 0, 100, 100));
    EXPECT_EQ(v.xmin, 0);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    ASSERT_TRUE(wepo::FitViewToPicture(v, nan, 0, 1, 1, 0, 0, 10, 10));
    EXPECT_TRUE(std::isfinite(v.sx));
    EXPECT_FALSE(wepo::FitViewToPicture(v, 0, 0, 1, 1, 0, 0, 0, 10));  // an empty picture
}

TEST(PreviewGeometryTest, WorldToPixel) {
    PreviewView v;
    wepo::FitViewToPicture(v, 0, 0, 100, 100, 0, 0, 100, 100);
    EXPECT_EQ(wepo::MapX(v, 0), 0);
    EXPECT_EQ(wepo::MapX(v, 10.4), 10);
    EXPECT_EQ(wepo::MapX(v, 10.5), 11);
    EXPECT_EQ(wepo::MapY(v, 0), 100);           // 100 - trunc(-0.5) = 100
    EXPECT_EQ(wepo::MapY(v, 10), 91);           // 100 - trunc(9.5) = 91
    EXPECT_EQ(wepo::MapY(v, 100), 1);           // 100 - trunc(99.5) = 1
    EXPECT_EQ(wepo::MapX(v, 1e300), 10000000);  // clamped before it becomes an integer
    EXPECT_EQ(wepo::MapX(v, -std::numeric_limits<double>::infinity()), -10000000);
}

TEST(PreviewGeometryTest, ClipSegment) {
    struct Case {
        double x1, y1, x2, y2;
        int result;
        double cx1, cy1, cx2, cy2;
    } cases[] = {
        {5, 5, 15, 5, 1, 5, 5, 10, 5},      // cut at the right edge
        {2, 2, 8, 8, 1, 2, 2, 8, 8},        // inside
        {-5, 2, -1, 8, 0, 0, 0, 0, 0},      // wholly left
        {-5, 5, 15, 5, 1, 0, 5, 10, 5},     // across
        {10, 0, 10, 10, 1, 10, 0, 10, 10},  // on the edge
        {-2, 9, 2, 13, 0, 0, 0, 0, 0},      // passes outside the top-left corner
        {-5, -5, 15, 15, 1, 0, 0, 10, 10},  // the diagonal through both corners
    };
    for (const Case& c : cases) {
        double x1 = c.x1, y1 = c.y1, x2 = c.x2, y2 = c.y2;
        int r = wepo::ClipSegment(0, 0, 10, 10, x1, y1, x2, y2);
        EXPECT_EQ(r, c.result) << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2;
        if (r) {
            EXPECT_DOUBLE_EQ(x1, c.cx1);
            EXPECT_DOUBLE_EQ(y1, c.cy1);
            EXPECT_DOUBLE_EQ(x2, c.cx2);
            EXPECT_DOUBLE_EQ(y2, c.cy2);
        }
    }
    double nx = std::numeric_limits<double>::quiet_NaN(), y = 1, x2 = 2, y2 = 2;
    EXPECT_EQ(wepo::ClipSegment(0, 0, 10, 10, nx, y, x2, y2), 0);
    EXPECT_EQ(wepo::PointInBox(0, 0, 10, 10, 10, 0), 1);
    EXPECT_EQ(wepo::PointInBox(0, 0, 10, 10, 10.0001, 0), 0);
}

TEST(PreviewGeometryTest, ArcRules) {
    PreviewView v;
    wepo::FitViewToPicture(v, 0, 0, 100, 100, 0, 0, 100, 100);  // one pixel per unit
    struct Case {
        double r, start, end;
        wepo::ArcPlan::Kind kind;
        double planStart, sweep;
    } cases[] = {
        {40, 350, 10, wepo::ArcPlan::kArc, 350, 20},
        {20, 350, 10, wepo::ArcPlan::kLine, 350, 20},  // 7 pixels long: a line
        {20, -90, 0, wepo::ArcPlan::kArc, 270, 90},
        {20, 45, 45, wepo::ArcPlan::kArc, 45, 360},    // equal angles: a full circle
        {3, 0, 360, wepo::ArcPlan::kArc, 0, 360},      // a circle of 3 pixels is an arc
        {5, 0, 90, wepo::ArcPlan::kLine, 0, 90},       // 7.85 pixels long: a line
        {0.4, 0, 180, wepo::ArcPlan::kPixel, 0, 180},  // radius of 0 pixels
        {40000, 0, 10, wepo::ArcPlan::kLine, 0, 10},   // 32767 pixels or more: a line
    };
    for (const Case& c : cases) {
        wepo::ArcPlan p = wepo::PlanArc(v, 50, 50, c.r, c.start, c.end);
        EXPECT_EQ(p.kind, c.kind) << c.r << " " << c.start << " " << c.end;
        EXPECT_DOUBLE_EQ(p.start, c.planStart);
        EXPECT_DOUBLE_EQ(p.sweep, c.sweep);
    }
    wepo::ArcPlan p = wepo::PlanArc(v, 50, 50, 20, 0, 90);
    EXPECT_EQ(p.rp, 20);
    EXPECT_EQ(p.p0x, 70);
    EXPECT_EQ(p.p1y, wepo::MapY(v, 70));
}

TEST(PreviewGeometryTest, TextCorners) {
    double x1, y1, x2, y2;
    wepo::AlignedBox(10, 20, 8, 2, 1, 2, x1, y1, x2, y2);  // centred, the point at the top
    EXPECT_EQ(x1, 6);
    EXPECT_EQ(y1, 18);
    EXPECT_EQ(x2, 14);
    EXPECT_EQ(y2, 20);
    wepo::AlignedBox(10, 20, 8, 2, 3, 3, x1, y1, x2, y2);  // undefined alignments count as 0
    EXPECT_EQ(x1, 10);
    EXPECT_EQ(y1, 20);
    double x = 2, y = 0;
    wepo::RotateAbout(x, y, 1, 0, 90);
    EXPECT_NEAR(x, 1, 1e-12);
    EXPECT_NEAR(y, 1, 1e-12);
}

TEST(PreviewGeometryTest, ToFullWidth) {
    std::string a1 = "A1";
    EXPECT_EQ(wepo::ToFullWidth(a1, 256), 4u);
    EXPECT_EQ(a1, "\x82\x60\x82\x50");
    std::string mixed = "\x8B\xE0@^";  // a double-byte character stays; @ and ^ widen
    EXPECT_EQ(wepo::ToFullWidth(mixed, 256), 6u);
    EXPECT_EQ(mixed, "\x8B\xE0\x83\xD3\x81\x7D");
    std::string tight = "abc";
    EXPECT_EQ(wepo::ToFullWidth(tight, 6), 5u);  // 3 + 1 < 6, 4 + 1 < 6, then 5 + 1 is not
    EXPECT_EQ(tight,
              "\x82\x81\x82\x82"
              "c");
    std::string lone = "a\x82";  // a lone lead byte at the end is no pair
    EXPECT_EQ(wepo::ToFullWidth(lone, 256), 4u);
    EXPECT_EQ(wepo::FullWidthCode(' '), 0x8140u);
    EXPECT_EQ(wepo::FullWidthCode(0xB1), 0x8341u);
    EXPECT_EQ(wepo::FullWidthCode(0xDF), 0x814Bu);
    EXPECT_EQ(wepo::FullWidthCode(0x60), 0x8140u);
}

}  // namespace

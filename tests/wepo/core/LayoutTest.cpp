// Re-layout, tile and cascade arithmetic.
#include "wepo/core/Layout.h"

#include <gtest/gtest.h>

namespace {

using wepo::IntRect;

TEST(LayoutTest, RelayoutRect) {
    const IntRect r{10, 20, 110, 70};
    struct Case {
        unsigned flags, shares;
        int dx, dy;
        IntRect out;
    } cases[] = {
        {0x21, 0, 40, 30, {10, 50, 150, 100}},           // down by dy, wider by dx
        {0x3, 0, 40, 30, {10, 20, 150, 100}},            // right and bottom edges follow
        {0x30, 0, 40, 30, {50, 50, 150, 100}},           // moves right and down
        {0x21, 50 | 50 << 16, 3, 3, {10, 21, 111, 71}},  // 50 % of 3 is 1
        {0x10, 25, -10, 0, {8, 20, 108, 70}},            // -2.5 truncates toward zero
        {0x0, 0, 40, 30, {10, 20, 110, 70}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(wepo::RelayoutRect(r, c.flags, c.shares, c.dx, c.dy), c.out);
}

TEST(LayoutTest, RelayoutFromTheRecordedRectangleNeverDrifts) {
    const IntRect r{10, 20, 110, 70};
    // Many resizes by 3 pixels with 50 % shares end where a single one would.
    IntRect last = r;
    for (int step = 1; step <= 100; ++step)
        last = wepo::RelayoutRect(r, 0x30, 50 | 50 << 16, 3 * step, 0);
    EXPECT_EQ(last, (IntRect{160, 20, 260, 70}));
    EXPECT_EQ(wepo::RelayoutRect(r, 0x30, 50 | 50 << 16, 0, 0), r);
}

std::vector<int> ColumnCounts(const std::vector<IntRect>& rects) {
    std::vector<int> counts;
    int lastLeft = -1;
    for (const IntRect& r : rects) {
        if (r.left != lastLeft) counts.push_back(0), lastLeft = r.left;
        ++counts.back();
    }
    return counts;
}

TEST(LayoutTest, TileColumns) {
    EXPECT_EQ(ColumnCounts(wepo::TileRects(5, 600, 400)), (std::vector<int>{2, 3}));
    EXPECT_EQ(ColumnCounts(wepo::TileRects(3, 600, 400)), (std::vector<int>{1, 1, 1}));
    EXPECT_EQ(ColumnCounts(wepo::TileRects(11, 600, 400)), (std::vector<int>{3, 4, 4}));
    EXPECT_EQ(ColumnCounts(wepo::TileRects(7, 600, 400)), (std::vector<int>{2, 2, 3}));
    EXPECT_EQ(ColumnCounts(wepo::TileRects(1, 600, 400)), (std::vector<int>{1}));
    EXPECT_TRUE(wepo::TileRects(0, 600, 400).empty());
    auto five = wepo::TileRects(5, 600, 400);
    EXPECT_EQ(five[0], (IntRect{0, 0, 300, 200}));
    EXPECT_EQ(five[2], (IntRect{300, 0, 600, 133}));
    EXPECT_EQ(five[4], (IntRect{300, 266, 600, 399}));
}

TEST(LayoutTest, Cascade) {
    // k = 300 / (3 * 20) = 5: windows step by 20 and repeat after 6.
    auto rects = wepo::CascadeRects(8, 400, 300, 20, 20);
    ASSERT_EQ(rects.size(), 8u);
    EXPECT_EQ(rects[0], (IntRect{0, 0, 300, 200}));
    EXPECT_EQ(rects[5], (IntRect{100, 100, 400, 300}));
    EXPECT_EQ(rects[6], (IntRect{0, 0, 300, 200}));
    EXPECT_TRUE(wepo::CascadeRects(0, 400, 300, 20, 20).empty());
}

}  // namespace

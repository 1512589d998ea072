// The end-mark geometry shared by the element views and the previews.
#include "kernel/geom/EdgeMark.h"

#include <gtest/gtest.h>

namespace {

TEST(EdgeMarkTest, ArrowCornersForDirections) {
    struct Case {
        double direction;
        double x0, y0, x2, y2;
    } cases[] = {
        // size 10: length 9.65925826, half width 2.58819045
        {0, 9.65925826, 2.58819045, 9.65925826, -2.58819045},
        {90, -2.58819045, 9.65925826, 2.58819045, 9.65925826},
        {450, -2.58819045, 9.65925826, 2.58819045, 9.65925826},
        {-270, -2.58819045, 9.65925826, 2.58819045, 9.65925826},
        {180, -9.65925826, -2.58819045, -9.65925826, 2.58819045},
    };
    for (const Case& c : cases) {
        EdgeArrow a = EdgeArrowCorners(0, 0, c.direction, 10);
        EXPECT_NEAR(a.x[0], c.x0, 1e-8) << c.direction;
        EXPECT_NEAR(a.y[0], c.y0, 1e-8) << c.direction;
        EXPECT_EQ(a.x[1], 0);
        EXPECT_EQ(a.y[1], 0);
        EXPECT_NEAR(a.x[2], c.x2, 1e-8) << c.direction;
        EXPECT_NEAR(a.y[2], c.y2, 1e-8) << c.direction;
    }
    EdgeArrow moved = EdgeArrowCorners(5, 7, 0, 10);
    EXPECT_EQ(moved.x[1], 5);
    EXPECT_NEAR(moved.x[0], 14.65925826, 1e-8);
}

TEST(EdgeMarkTest, DotRadius) {
    EXPECT_EQ(EdgeDotRadius(10, 1), 5);    // 10 * 0.5 * 1 + 0.5 = 5.5
    EXPECT_EQ(EdgeDotRadius(10, 0.5), 3);  // 3.0
    EXPECT_EQ(EdgeDotRadius(1, 1), 2);     // at least 2
    EXPECT_EQ(EdgeDotRadius(9, 1), 5);     // 5.0
}

}  // namespace

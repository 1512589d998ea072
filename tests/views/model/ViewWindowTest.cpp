// World window: aspect matching, conversions between pixels and view coordinates.
#include "views/model/ViewWindow.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

namespace {

TEST(ViewWindow, FitAspectKeepsTheWiderAxis) {
    struct Case {
        double xmin, ymin, xmax, ymax;
        int right, bottom;
        double exmin, eymin, exmax, eymax, scale;
    } cases[] = {
        {-1000, -1000, 1000, 1000, 1000, 500, -2000, -1000, 2000, 1000, 0.25},
        {-1000, -1000, 1000, 1000, 500, 1000, -1000, -2000, 1000, 2000, 0.25},
        {0, 0, 100, 10, 200, 200, 0, -45, 100, 55, 2},
        // A window without height takes it from the client's aspect.
        {0, 5, 100, 5, 100, 50, 0, -20, 100, 30, 1},
    };
    for (const Case& c : cases) {
        ViewWindow w;
        w.xmin = c.xmin, w.ymin = c.ymin, w.xmax = c.xmax, w.ymax = c.ymax;
        ASSERT_EQ(FitAspect(w, 0, 0, c.right, c.bottom), 1);
        EXPECT_DOUBLE_EQ(w.xmin, c.exmin);
        EXPECT_DOUBLE_EQ(w.ymin, c.eymin);
        EXPECT_DOUBLE_EQ(w.xmax, c.exmax);
        EXPECT_DOUBLE_EQ(w.ymax, c.eymax);
        EXPECT_DOUBLE_EQ(w.scaleX, c.scale);
        EXPECT_DOUBLE_EQ(w.scaleY, c.scale);
        EXPECT_DOUBLE_EQ(w.clientDiagonal, std::hypot(c.right, c.bottom));
    }
}

TEST(ViewWindow, DegenerateClientOrWindowChangesNothing) {
    ViewWindow w;
    ASSERT_EQ(FitAspect(w, 0, 0, 400, 400), 1);
    const ViewWindow before = w;
    EXPECT_EQ(FitAspect(w, 0, 0, 0, 300), 0);
    EXPECT_EQ(FitAspect(w, 10, 10, 300, 10), 0);
    w.xmin = w.xmax = 3;
    w.ymin = w.ymax = 4;
    EXPECT_EQ(FitAspect(w, 0, 0, 400, 400), 0);
    w = before;
    w.xmax = std::numeric_limits<double>::infinity();
    EXPECT_EQ(FitAspect(w, 0, 0, 400, 400), 0);
    w = before;
    EXPECT_EQ(w.right, 400);
    EXPECT_DOUBLE_EQ(w.scaleX, 0.2);
    // Usable again once the client has a size.
    EXPECT_EQ(FitAspect(w, 0, 0, 800, 400), 1);
    EXPECT_DOUBLE_EQ(w.scaleX, 0.2);
}

TEST(ViewWindow, Conversions) {
    ViewWindow w;
    w.xmin = 0, w.ymin = 0, w.xmax = 100, w.ymax = 50;
    ASSERT_EQ(FitAspect(w, 10, 20, 210, 120), 1);  // 2 pixels per unit
    struct Case {
        double x, y;
        int px, py;
    } cases[] = {
        {0, 0, 10, 120},
        {100, 50, 210, 21},  // the y formula rounds the other way: one pixel
                             // lower at the top
        {0.2, 0.2, 10, 120},
        {0.3, 0.3, 11, 120},
        {-0.3, -0.3, 10, 121},
        {25, 10, 60, 101},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WorldToScreenX(w, c.x), c.px) << c.x;
        EXPECT_EQ(WorldToScreenY(w, c.y), c.py) << c.y;
    }
    EXPECT_DOUBLE_EQ(ClientToWorldX(w, 60), 25);
    EXPECT_DOUBLE_EQ(ClientToWorldY(w, 100), 10);
    EXPECT_DOUBLE_EQ(ClientToWorldY(w, 20), 50);
}

TEST(ViewWindow, FarPointsClampInsteadOfOverflowing) {
    ViewWindow w;
    w.xmin = 0, w.ymin = 0, w.xmax = 0.04, w.ymax = 0.04;
    ASSERT_EQ(FitAspect(w, 0, 0, 1000, 1000), 1);  // 25,000 pixels per unit
    EXPECT_EQ(WorldToScreenX(w, 1e5), 1073741824);
    EXPECT_EQ(WorldToScreenX(w, -1e300), -1073741824);
    EXPECT_EQ(WorldToScreenY(w, 1e5), -1073741824);
    EXPECT_GT(WorldToScreenXf(w, 1e5), double(INT_MAX));
}

}  // namespace

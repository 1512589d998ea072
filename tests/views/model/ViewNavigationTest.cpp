// Zoom, fit, scroll, wheel and drag arithmetic on the world window.
#include "views/model/ViewNavigation.h"

#include <gtest/gtest.h>

namespace {

// A square window on a square client, 1 pixel per unit, so that spans read directly.
ViewWindow Square(double min, double max, int pixels) {
    ViewWindow w;
    w.xmin = w.ymin = min;
    w.xmax = w.ymax = max;
    FitAspect(w, 0, 0, pixels, pixels);
    return w;
}

TEST(ViewNavigation, ZoomInAndOutAboutTheClientCentre) {
    ViewWindow w = Square(0, 100, 100);
    ZoomInWindow(w);
    EXPECT_NEAR(w.Width(), 66, 1e-9);
    EXPECT_NEAR(w.xmin, 50 - 33, 1e-9);
    FitAspect(w, 0, 0, 100, 100);
    ZoomInWindow(w);
    EXPECT_NEAR(w.Width(), 43.56, 1e-9);
    EXPECT_NEAR(w.Height(), 43.56, 1e-9);

    w = Square(0, 100, 100);
    ZoomOutWindow(w);
    EXPECT_NEAR(w.Width(), 150, 1e-9);
    EXPECT_NEAR(w.ymin, -25, 1e-9);
}

TEST(ViewNavigation, ScrollMovesATenthOfTheSpan) {
    struct Case {
        ScrollDirection direction;
        int moveDirection;
        double xmin, ymin;
    } cases[] = {
        {ScrollDirection::Up, 1, 0, -10},    {ScrollDirection::Up, 0, 0, 10},
        {ScrollDirection::Down, 1, 0, 10},   {ScrollDirection::Down, 0, 0, -10},
        {ScrollDirection::Left, 1, 10, 0},   {ScrollDirection::Left, 0, -10, 0},
        {ScrollDirection::Right, 1, -10, 0}, {ScrollDirection::Right, 7, -10, 0},
    };
    for (const Case& c : cases) {
        ViewWindow w = Square(0, 100, 100);
        ScrollWindow(w, c.direction, c.moveDirection);
        EXPECT_DOUBLE_EQ(w.xmin, c.xmin);
        EXPECT_DOUBLE_EQ(w.ymin, c.ymin);
        EXPECT_DOUBLE_EQ(w.Width(), 100);
        EXPECT_DOUBLE_EQ(w.Height(), 100);
    }
}

TEST(ViewNavigation, WheelMovesWithCtrlAndShift) {
    struct Case {
        unsigned flags;
        int delta;
        double xmin, ymin;
    } cases[] = {
        {kWheelCtrl, -120, 0, -20},
        {kWheelCtrl, 120, 0, 20},
        {kWheelShift, -120, -20, 0},
        {kWheelShift, 120, 20, 0},
        {kWheelCtrl | kWheelShift, 120, 0, 20},  // Ctrl is tested first
    };
    for (const Case& c : cases) {
        ViewWindow w = Square(0, 100, 100);
        WheelZoomWindow(w, c.flags, c.delta, 10, 10, WheelAnchor::Cursor);
        EXPECT_DOUBLE_EQ(w.xmin, c.xmin);
        EXPECT_DOUBLE_EQ(w.ymin, c.ymin);
        EXPECT_DOUBLE_EQ(w.Width(), 100);
    }
}

TEST(ViewNavigation, WheelZoomsAboutThePointUnderTheCursor) {
    // Client pixel (20, 30) is the world point (20, 70).
    ViewWindow w = Square(0, 100, 100);
    WheelZoomWindow(w, 0, 120, 20, 30, WheelAnchor::Centre);
    EXPECT_DOUBLE_EQ(w.xmin, 20 - 30);
    EXPECT_DOUBLE_EQ(w.ymax, 70 + 30);
    EXPECT_DOUBLE_EQ(w.Width(), 60);

    w = Square(0, 100, 100);
    WheelZoomWindow(w, 0, -120, 20, 30, WheelAnchor::Centre);
    EXPECT_DOUBLE_EQ(w.Width(), 160);

    for (int delta : {120, -120}) {
        w = Square(0, 100, 100);
        WheelZoomWindow(w, 0, delta, 20, 30, WheelAnchor::Cursor);
        FitAspect(w, 0, 0, 100, 100);
        EXPECT_NEAR(ClientToWorldX(w, 20), 20, 1e-9) << delta;
        EXPECT_NEAR(ClientToWorldY(w, 30), 70, 1e-9) << delta;
        EXPECT_DOUBLE_EQ(w.Width(), delta > 0 ? 60 : 160);
    }
}

TEST(ViewNavigation, WheelZoomInStopsAtAHalfSpanOfTwoHundredths) {
    ViewWindow w = Square(0, 0.05, 100);
    WheelZoomWindow(w, 0, 120, 50, 50, WheelAnchor::Centre);
    EXPECT_NEAR(w.Width(), 0.04, 1e-12);
    EXPECT_NEAR(w.Height(), 0.04, 1e-12);
    // Zooming out is never held.
    w = Square(0, 0.01, 100);
    WheelZoomWindow(w, 0, -120, 50, 50, WheelAnchor::Centre);
    EXPECT_NEAR(w.Width(), 0.016, 1e-12);
}

TEST(ViewNavigation, DragZoomStepIsCappedSoTheWindowNeverInverts) {
    struct Case {
        int pressY, y;
        double span;
    } cases[] = {
        {100, 90, 80},    // up by 10 pixels: each side in by 10
        {100, 110, 120},  // down: out
        {100, 50, 10},    // 50 pixels up would give 0 width: capped at a tenth
        {300, 0, 10},     // 300 pixels up would invert it
    };
    for (const Case& c : cases) {
        ViewWindow w = Square(0, 100, 100);
        DragZoomWindow(w, c.pressY, c.y);
        EXPECT_NEAR(w.Width(), c.span, 1e-9) << c.y;
        EXPECT_NEAR(w.Height(), c.span, 1e-9) << c.y;
        EXPECT_NEAR(w.xmin + w.xmax, 100, 1e-9);
        EXPECT_EQ(FitAspect(w, 0, 0, 100, 100), 1);
    }
}

TEST(ViewNavigation, DragPanKeepsThePressedPointUnderTheCursor) {
    ViewWindow w = Square(0, 100, 100);
    const CxyData press(ClientToWorldX(w, 10), ClientToWorldY(w, 10));
    DragPanWindow(w, press, 40, 30);
    EXPECT_DOUBLE_EQ(ClientToWorldX(w, 40), press.x);
    EXPECT_DOUBLE_EQ(ClientToWorldY(w, 30), press.y);
    EXPECT_DOUBLE_EQ(w.Width(), 100);
}

TEST(ViewNavigation, ZoomFitAddsFifteenHundredthsOnEverySide) {
    ViewWindow w = Square(0, 100, 100);
    ASSERT_EQ(ZoomFitWindow(w, {10, 20}, {110, 60}), 1);
    EXPECT_DOUBLE_EQ(w.xmin, -5);
    EXPECT_DOUBLE_EQ(w.xmax, 125);
    EXPECT_DOUBLE_EQ(w.ymin, 14);
    EXPECT_DOUBLE_EQ(w.ymax, 66);
    // A single point gets a window of +-1 about it, which can be scaled.
    ASSERT_EQ(ZoomFitWindow(w, {7, 8}, {7, 8}), 1);
    EXPECT_DOUBLE_EQ(w.xmin, 6);
    EXPECT_DOUBLE_EQ(w.ymax, 9);
    EXPECT_EQ(FitAspect(w, 0, 0, 100, 100), 1);
    // An empty box leaves the window.
    EXPECT_EQ(ZoomFitWindow(w, {1e15, 1e15}, {-1e15, -1e15}), 0);
    EXPECT_DOUBLE_EQ(w.xmin, 6);
}

}  // namespace

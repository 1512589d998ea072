// Projection of world points in every view type, with rotations and a pivot.
#include "views/model/ViewProjection.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    int type;
    CxyzData rot;
    CxyzData in;
    double x, y;
};

TEST(ViewProjection, ViewTypesAndRotations) {
    const Case cases[] = {
        {kViewTop, {}, {10, 20, 30}, 10, 20},
        {kViewFront, {}, {10, 20, 30}, 10, 30},
        {kViewLeft, {}, {10, 20, 30}, -20, 30},
        {kViewIso, {}, {10, 20, 30}, -8.893013, 35.859753},
        // Rotations below 0.001 degrees are left out altogether.
        {kViewFront, {0, 0.0005, 0}, {10, 20, 30}, 10, 30},
        {kViewFront, {0, 0.001, 0}, {10, 20, 30}, 10.000524, 29.999825},
        // 90 degrees about Z in the top view turns x into y.
        {kViewTop, {0, 0, 90}, {10, 0, 0}, 0, 10},
        // 90 about X in the front view turns y up.
        {kViewFront, {90, 0, 0}, {0, 10, 0}, 0, 10},
    };
    for (const Case& c : cases) {
        ViewProjection p;
        ASSERT_TRUE(p.SetViewType(c.type, c.rot.x, c.rot.y, c.rot.z));
        double x = 0, y = 0;
        p.ProjectPoint(c.in.x, c.in.y, c.in.z, &x, &y, false);
        EXPECT_NEAR(x, c.x, 1e-5) << "type " << c.type << " rot " << c.rot.x << c.rot.y << c.rot.z;
        EXPECT_NEAR(y, c.y, 1e-5) << "type " << c.type;
    }
}

TEST(ViewProjection, PivotMovesNothingWithoutRotationAndHoldsTheOffset) {
    ViewProjection p;
    p.SetViewType(kViewTop, 0, 0, 0);
    p.SetPivot({5, 5, 0}, {});
    double x, y;
    p.ProjectPoint(10, 20, 0, &x, &y, true);
    EXPECT_DOUBLE_EQ(x, 10);
    EXPECT_DOUBLE_EQ(y, 20);
    p.SetViewType(kViewFront, 0, 0, 0);
    p.ProjectPoint(10, 20, 0, &x, &y, true);
    EXPECT_DOUBLE_EQ(x, 10);
    EXPECT_DOUBLE_EQ(y, 5);  // z taken relative to the pivot's y plane
    // Rotating about the pivot keeps the pivot in place; the offset is taken off.
    p.SetViewType(kViewTop, 0, 0, 90);
    p.SetPivot({5, 5, 0}, {1, 2, 0});
    p.ProjectPoint(5, 5, 0, &x, &y, true);
    EXPECT_NEAR(x, 4, 1e-12);
    EXPECT_NEAR(y, 3, 1e-12);
    const CxyzData q = p.Project({5, 5, 7});
    EXPECT_NEAR(q.x, 4, 1e-12);
    EXPECT_EQ(q.z, 0.0);
}

TEST(ViewProjection, TypeAboveThreeChangesNothing) {
    ViewProjection p;
    p.SetViewType(kViewIso, 1, 2, 3);
    EXPECT_FALSE(p.SetViewType(4, 9, 9, 9));
    EXPECT_FALSE(p.SetViewType(-1, 9, 9, 9));
    EXPECT_EQ(p.ViewType(), kViewIso);
    EXPECT_EQ(p.RotateAngles().x, 1);
    EXPECT_EQ(p.ViewAngle(0), 25);
    EXPECT_EQ(p.ViewAngle(1), 50);
}

TEST(ViewProjection, MaskedRotationsAndDragRotate) {
    ViewProjection p;
    p.SetViewType(kViewTop, 1, 2, 3);
    p.SetRotationAngles({10, 20, 30}, 2 | 4);
    EXPECT_EQ(p.RotateAngles().x, 1);
    EXPECT_EQ(p.RotateAngles().y, 20);
    EXPECT_EQ(p.RotateAngles().z, 30);

    // Half the height turns the first angle by 90, and angles wrap by one turn.
    p.SetViewAngles(300, 10);
    p.DragRotate(-100, 200, 400, 400);  // +90 and -45
    EXPECT_DOUBLE_EQ(p.ViewAngle(0), 30);
    EXPECT_DOUBLE_EQ(p.ViewAngle(1), 325);
    p.DragRotate(50, 50, 0, 400);  // no client area: nothing
    EXPECT_DOUBLE_EQ(p.ViewAngle(0), 30);
}

}  // namespace

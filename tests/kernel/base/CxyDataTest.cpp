// Tests of the plane and space point values.
#include <gtest/gtest.h>

#include "kernel/base/CxyData.h"
#include "kernel/base/CxyzData.h"

TEST(CxyDataTest, EqualityIsAStrictBoxTest) {
    struct Case {
        CxyData a, b;
        bool equal;
    };
    const Case cases[] = {
        {{0, 0}, {0.0000009, -0.0000009}, true},
        {{0, 0}, {0.000001, 0}, false},  // the bound is strict
        {{0, 0}, {0, -0.000001}, false},
        {{0, 0}, {0.0000007, 0.0000007}, true},  // distance 9.9e-7 and inside the box
        {{100, 200}, {100.0000005, 199.9999995}, true},
        {{1, 2}, {2, 1}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.a == c.b, c.equal) << c.b.x << "," << c.b.y;
        EXPECT_EQ(c.a != c.b, !c.equal);
    }
}

TEST(CxyDataTest, CompoundOperatorsChangeTheLeftOperandOnly) {
    CxyData a(1, 2);
    const CxyData b(10, 20);
    a += b;
    EXPECT_DOUBLE_EQ(a.x, 11);
    EXPECT_DOUBLE_EQ(a.y, 22);
    a -= CxyData(1, 1);
    EXPECT_DOUBLE_EQ(a.x, 10);
    EXPECT_DOUBLE_EQ(a.y, 21);

    const CxyData sum = a + b;
    EXPECT_DOUBLE_EQ(sum.x, 20);
    EXPECT_DOUBLE_EQ(a.x, 10);  // unchanged
    const CxyData diff = a - b;
    EXPECT_DOUBLE_EQ(diff.y, 1);
}

TEST(CxyzDataTest, PlaneOperationsLeaveZAlone) {
    CxyzData p(1, 2, 3);
    const CxyzData q(10, 20, 30);

    p.AddXY(q);
    EXPECT_DOUBLE_EQ(p.x, 11);
    EXPECT_DOUBLE_EQ(p.y, 22);
    EXPECT_DOUBLE_EQ(p.z, 3);

    p += q;
    EXPECT_DOUBLE_EQ(p.z, 33);

    p.SubXY(q);
    EXPECT_DOUBLE_EQ(p.x, 11);
    EXPECT_DOUBLE_EQ(p.z, 33);

    p.AssignXY(CxyzData(5, 6, 7));
    EXPECT_DOUBLE_EQ(p.x, 5);
    EXPECT_DOUBLE_EQ(p.y, 6);
    EXPECT_DOUBLE_EQ(p.z, 33);

    // Plane equality ignores z; space equality does not.
    EXPECT_TRUE(p.EqualXY(CxyzData(5, 6, -100)));
    EXPECT_FALSE(p == CxyzData(5, 6, -100));
    EXPECT_TRUE(p == CxyzData(5, 6, 33.0000009));
    EXPECT_FALSE(p == CxyzData(5, 6, 33.0000011));
}

TEST(CxyzDataTest, AssigningASpacePointToAPlanePointTakesXAndY) {
    CxyData plane(9, 9);
    const CxyzData space(1, 2, 3);
    plane = space;
    EXPECT_DOUBLE_EQ(plane.x, 1);
    EXPECT_DOUBLE_EQ(plane.y, 2);

    const CxyzData sum = space + CxyzData(1, 1, 1);
    EXPECT_DOUBLE_EQ(sum.z, 4);
    const CxyzData diff = space - CxyzData(1, 1, 1);
    EXPECT_DOUBLE_EQ(diff.z, 2);
}

TEST(CxyzDataTest, DefaultsAreTheOrigin) {
    const CxyzData p;
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0);
    EXPECT_EQ(p.z, 0);
    static_assert(sizeof(CxyData) == 2 * sizeof(double));
    static_assert(sizeof(CxyzData) == 3 * sizeof(double));
}

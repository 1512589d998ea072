// A long chain through the whole life of a database: build, deep copy, filter, rotate, empty.
// Run under the sanitizer build it also proves the absence of leaks and stray accesses.
#include <gtest/gtest.h>

#include <cmath>

#include "kernel/db/DtbBox.h"
#include "kernel/db/DtbTestTree.h"

using namespace dtbtest;

TEST(CDtbEngineStressTest, HundredThousandElements) {
    constexpr int kCount = 100000;
    CDtbEngine db;
    int groups = 0;
    int points = 0;
    for (int i = 0; i < kCount;) {
        if (i % 100 == 0) {
            // A divided arc: a group of five chords, as the reader makes them.
            auto* g = new CDtbNode("Tessmark", 8, "DevideArc", 9, nullptr, 0);
            db.AppendDtb(g);
            db.NodeUp(g);
            for (int k = 0; k < 5; ++k) db.AppendDtb(NewLine(i + k, 0, i + k + 1, 1));
            db.NodeDown();
            ++groups;
            i += 6;
            continue;
        }
        CDtbElement* e = nullptr;
        switch (i % 3) {
            case 0:
                e = NewLine(i, 0, i + 1, 0, kDtbClassRapid);
                break;
            case 1:
                e = NewArc(i, 0, 1, 0, 180, kDtbClassCut);
                break;
            default:
                e = NewPoint(i, 1, kDtbClassPunch);
                ++points;
                break;
        }
        e->attributes.Add("LineNo=" + std::to_string(i));
        db.AppendDtb(e);
        ++i;
    }
    const size_t total = db.GetCount();
    ASSERT_GE(total, static_cast<size_t>(kCount));

    CDtbEngine copy;
    ASSERT_EQ(copy.AppendDtb(&db), 1);
    EXPECT_EQ(copy.GetCount(), total);
    EXPECT_TRUE(LinksConsistent(copy));

    const int rapids = copy.DeleteDtb(kDtbAny, kDtbAny, kDtbAny, kDtbAny, kDtbAny, kDtbClassRapid);
    EXPECT_GT(rapids, 0);
    EXPECT_EQ(copy.GetCount(), total - rapids);
    copy.AppendDtb(NewPoint(0, 0));  // the append position survived the filter
    EXPECT_EQ(copy.NoDispFlagDtb(kDtbAny, kDtbAny, kDtbAny, kDtbAny, kDtbAny, kDtbClassPunch),
              points + 1);

    CxyData min, max;
    ResetBox(&min, &max);
    ASSERT_EQ(CDtbEngine::Rotate(copy.GetFirstElement(), CxyzData(), 90), 1);
    ASSERT_EQ(copy.MinMax(&min, &max), 1);
    EXPECT_LE(max.x, 1.0 + 1e-9);  // everything lay at y in [-1, 1] before the quarter turn
    EXPECT_GE(max.y, kCount - 10);
    EXPECT_TRUE(LinksConsistent(copy));

    copy.Empty();
    EXPECT_TRUE(copy.IsEmpty());
    EXPECT_EQ(db.GetCount(), total);  // the source is untouched
    db.Empty();
    EXPECT_EQ(db.GetCount(), 0u);
}

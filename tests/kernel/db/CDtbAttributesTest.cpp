// Tests of the packed attribute texts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kernel/db/CDtbAttributes.h"

TEST(CDtbAttributesTest, AddFindReplaceRemove) {
    CDtbAttributes a;
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(a.GetCount(), 0u);
    EXPECT_EQ(a.GetAt(0), "");
    a.Add("LineNo=12");
    a.Add("");
    a.Add("ElmInfo=4,1,2");
    EXPECT_EQ(a.GetCount(), 3u);
    EXPECT_EQ(a.GetAt(1), "");
    EXPECT_EQ(a.GetAt(2), "ElmInfo=4,1,2");
    EXPECT_EQ(a.GetAt(3), "");
    EXPECT_EQ(a.FindPrefix("ElmInfo="), 2);
    EXPECT_EQ(a.FindPrefix("PrtNo="), -1);

    EXPECT_TRUE(a.SetAt(1, "PrtNo=3"));
    EXPECT_EQ(a.FindPrefix("PrtNo="), 1);
    EXPECT_FALSE(a.SetAt(3, "x"));
    EXPECT_TRUE(a.RemoveAt(0));
    EXPECT_FALSE(a.RemoveAt(2));

    std::vector<std::string> all;
    for (std::string_view t : a) all.emplace_back(t);
    EXPECT_EQ(all, (std::vector<std::string>{"PrtNo=3", "ElmInfo=4,1,2"}));

    a.RemoveAll();
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(a.begin(), a.end());
}

TEST(CDtbAttributesTest, TextsAreCutAtTheirFirstNul) {
    CDtbAttributes a;
    a.Add(std::string_view("LineNo=1\0hidden", 15));
    a.Add("next");
    EXPECT_EQ(a.GetCount(), 2u);
    EXPECT_EQ(a.GetAt(0), "LineNo=1");
    EXPECT_TRUE(a.SetAt(0, std::string_view("A\0B", 3)));
    EXPECT_EQ(a.GetAt(0), "A");
    EXPECT_EQ(a.GetAt(1), "next");
}

TEST(CDtbAttributesTest, OwnTextsCanBeAddedAndCopiesAreEqual) {
    CDtbAttributes a;
    a.Add("LineNo=12");
    for (int i = 0; i < 20; ++i) a.Add(a.GetAt(0));  // grows while reading its own block
    EXPECT_EQ(a.GetCount(), 21u);
    EXPECT_EQ(a.GetAt(20), "LineNo=12");
    a.Add("ElmInfo=a much longer text than the one before it");
    EXPECT_TRUE(a.SetAt(0, a.GetAt(21)));
    EXPECT_EQ(a.GetAt(0), "ElmInfo=a much longer text than the one before it");
    EXPECT_TRUE(a.SetAt(21, a.GetAt(1)));
    EXPECT_EQ(a.GetAt(21), "LineNo=12");

    CDtbAttributes b(a);
    EXPECT_EQ(a, b);
    b.Add("x");
    EXPECT_FALSE(a == b);
    CDtbAttributes c;
    c = b;
    EXPECT_EQ(c, b);
    CDtbAttributes d(std::move(c));
    EXPECT_EQ(d, b);
    EXPECT_TRUE(c.IsEmpty());
    while (!d.IsEmpty()) d.RemoveAt(0);
    EXPECT_EQ(d.GetCount(), 0u);
    EXPECT_EQ(d.Packed(), "");
}

// The block grows and shrinks through every size up to a few kilobytes and back; the texts
// stay whole (the sanitizer build checks that no write leaves the block).
TEST(CDtbAttributesTest, TextsSurviveGrowingAndShrinking) {
    CDtbAttributes a;
    std::vector<std::string> expected;
    for (int i = 0; i < 300; ++i) {
        expected.push_back(std::string(static_cast<size_t>(i % 23), char('a' + i % 26)));
        a.Add(expected.back());
    }
    for (size_t i = 0; i < expected.size(); i += 7) {
        expected[i] = std::string(expected[i].size() * 3 + 1, 'L');
        ASSERT_TRUE(a.SetAt(i, expected[i]));
    }
    for (size_t i = 0; i < expected.size(); i += 5) {
        expected[i].assign(1, 's');
        ASSERT_TRUE(a.SetAt(i, expected[i]));
    }
    const CDtbAttributes copy(a);
    for (size_t i = expected.size(); i-- > 0;) {
        if (i % 2 == 0) continue;
        ASSERT_TRUE(a.RemoveAt(i));
        expected.erase(expected.begin() + static_cast<std::ptrdiff_t>(i));
    }
    a.Add("tail");
    expected.push_back("tail");
    ASSERT_EQ(a.GetCount(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(a.GetAt(i), expected[i]) << i;
    EXPECT_EQ(copy.GetCount(), 300u);
    EXPECT_EQ(copy.GetAt(7), std::string(22, 'L'));
}

// The size of the texts is kept in one byte below 255 bytes and in five from there on: texts
// that grow or shrink across that size in place, by a new block, and from their own block.
TEST(CDtbAttributesTest, TextsCrossTheShortAndLongSizes) {
    struct Case {
        size_t from;
        size_t to;
    };
    for (const Case c : {Case{250, 254}, Case{250, 255}, Case{254, 255}, Case{255, 254},
                         Case{260, 250}, Case{255, 256}, Case{10, 300}, Case{300, 10}}) {
        CDtbAttributes a;
        a.Add("LineNo=1");  // 9 bytes with its NUL
        a.Add(std::string(c.from - 9 - 1, 'a'));
        ASSERT_EQ(a.Packed().size(), c.from);
        const std::string longer(c.to - 9 - 1, 'b');
        ASSERT_TRUE(a.SetAt(1, longer));
        EXPECT_EQ(a.Packed().size(), c.to) << c.from << " to " << c.to;
        EXPECT_EQ(a.GetAt(0), "LineNo=1");
        EXPECT_EQ(a.GetAt(1), longer);
        // A text taken from the block itself, across the sizes again.
        ASSERT_TRUE(a.SetAt(1, a.GetAt(1).substr(0, c.from - 9 - 1)));
        EXPECT_EQ(a.GetAt(1), longer.substr(0, c.from - 9 - 1));
        a.Add(a.GetAt(1));
        EXPECT_EQ(a.GetCount(), 3u);
        EXPECT_EQ(a.GetAt(2), a.GetAt(1));
        EXPECT_TRUE(a.RemoveAt(1));
        EXPECT_TRUE(a.RemoveAt(1));
        EXPECT_EQ(a.Packed(), std::string_view("LineNo=1\0", 9));
    }
}

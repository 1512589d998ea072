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

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

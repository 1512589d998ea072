// The run flag over the runs going on, and the NC word splitter.
#include "wepo/core/preview/PreviewRunFlag.h"

#include <gtest/gtest.h>

namespace {

TEST(PreviewRunFlagTest, StoppingReachesOnlyTheRunsGoingOn) {
    EXPECT_EQ(wepo::SetPreviewRunFlag(0), 0);  // idle
    wepo::PreviewRun first, second, later;
    {
        wepo::PreviewRunScope a(first);
        wepo::PreviewRunScope b(second);
        EXPECT_EQ(wepo::SetPreviewRunFlag(2), 1);  // other values only read
        EXPECT_EQ(wepo::SetPreviewRunFlag(1), 1);
        EXPECT_TRUE(first.Running());
        EXPECT_EQ(wepo::SetPreviewRunFlag(0), 1);
        EXPECT_FALSE(first.Running());
        EXPECT_FALSE(second.Running());
        EXPECT_EQ(wepo::SetPreviewRunFlag(-1), 0);
    }
    wepo::PreviewRunScope c(later);  // a run started after the stop still runs
    EXPECT_TRUE(later.Running());
    EXPECT_EQ(wepo::SetPreviewRunFlag(-1), 1);
}

TEST(PreviewRunFlagTest, SplitNcWord) {
    std::string word;
    const char* line = "  (comment) G01X-10.5 Y20";
    const char* rest = wepo::SplitNcWord(line, &word, 32);
    EXPECT_EQ(word, " G01");  // the word starts right behind the comment
    ASSERT_NE(rest, nullptr);
    rest = wepo::SplitNcWord(rest, &word, 32);
    EXPECT_EQ(word, "X-10.5");
    rest = wepo::SplitNcWord(rest, &word, 32);
    EXPECT_EQ(word, "Y20");
    EXPECT_EQ(rest, nullptr);  // the line ends behind it
    EXPECT_EQ(wepo::SplitNcWord("   ", &word, 32), nullptr);
    EXPECT_EQ(wepo::SplitNcWord("ABC", &word, 32), nullptr);  // no number
    wepo::SplitNcWord("X12345 ", &word, 4);
    EXPECT_EQ(word, "");  // too long for the buffer
}

}  // namespace

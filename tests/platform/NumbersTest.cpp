// C-notation number text, whatever the process locale.
#include "platform/Numbers.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(Numbers, FormatReal) {
    EXPECT_EQ(FormatReal(1.5), "1.500");
    EXPECT_EQ(FormatReal(-0.0005), "-0.001");
    EXPECT_EQ(FormatReal(1234567.0, 1), "1234567.0");
    EXPECT_EQ(FormatReal(2.0, 0), "2");
    EXPECT_EQ(FormatInt(-12), "-12");
}

TEST(Numbers, FormatShortRealAsPrintfG15) {
    struct Case {
        double value;
        const char* text;
    } cases[] = {{1840.0, "1840"},
                 {0.1, "0.1"},
                 {-200.0, "-200"},
                 {50.0, "50"},
                 {99999.9999, "99999.9999"},
                 {0.0, "0"},
                 {1e20, "1e+20"},
                 {1.0 / 3.0, "0.333333333333333"}};
    for (const Case& c : cases) EXPECT_EQ(platform::FormatShortReal(c.value), c.text) << c.text;
}

TEST(Numbers, ParseLeading) {
    struct Case {
        const char* text;
        double value;
        size_t used;
    } cases[] = {
        {"12.5X", 12.5, 4}, {"  -3", -3, 4}, {"+.5", 0.5, 3}, {"1e3", 1000, 3},
        {"1e", 1, 1},       {"-", 0, 0},     {"abc", 0, 0},   {"", 0, 0},
        {"5.", 5, 2},       {"inf", 0, 0},   {"1,5", 1, 1},   {"007", 7, 3},
    };
    for (const Case& c : cases) {
        size_t used = 99;
        EXPECT_DOUBLE_EQ(ParseLeadingReal(c.text, &used), c.value) << c.text;
        EXPECT_EQ(used, c.used) << c.text;
    }
    EXPECT_EQ(ParseLeadingInt(" -42abc"), -42);
    EXPECT_EQ(ParseLeadingInt("x"), 0);
    EXPECT_EQ(ParseReal(" 2.5 "), 2.5);
    EXPECT_FALSE(ParseReal("2.5x"));
    EXPECT_FALSE(ParseInt(""));
    EXPECT_EQ(ParseInt("17"), 17);
}

TEST(Numbers, TrimTrailingZerosKeepsThePoint) {
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"1.500", "1.5"}, {"2.000", "2."}, {"10", "10"}, {"-0.250", "-0.25"}, {"100.", "100."}};
    for (const Case& c : cases) EXPECT_EQ(TrimTrailingZeros(c.in), c.out);
}

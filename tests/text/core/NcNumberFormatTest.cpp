// Number writing, the number scanner and axis words.
#include "text/core/NcNumberFormat.h"

#include <gtest/gtest.h>

TEST(NcNumberFormat, KeepsDecimalPoint) {
    struct Case {
        double value;
        int decimals;
        const char* text;
    } cases[] = {
        {10, 0, "10."},      {110, 3, "110."},       {12.5, 3, "12.5"},  {-0.0001, 3, "0."},
        {-1.25, 3, "-1.25"}, {0.1234, 12, "0.1234"}, {2.0004, -4, "2."}, {1.23456, 3, "1.235"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatNcNumber(c.value, c.decimals), c.text);
}

TEST(NcNumberFormat, KeepsTrailingZerosWhenAsked) {
    struct Case {
        double value;
        int decimals;
        const char* text;
    } cases[] = {
        {110, 3, "110.000"}, {10, 0, "10."},  {-0.0001, 3, "0.000"}, {-1.25, 3, "-1.250"},
        {6, 3, "6.000"},     {0.5, 1, "0.5"}, {-0.04, 1, "0.0"},     {-3, 0, "-3."},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatNcNumber(c.value, c.decimals, true), c.text);
}

TEST(NcNumberFormat, ScanNumberEnd) {
    struct Case {
        const char* text;
        int start, end;
    } cases[] = {{"W12X", 1, 2}, {"W12", 1, 3}, {"WX", 1, 0}, {"X-1.5/2Y", 1, 6},
                 {"X", 1, 0},    {"X1", 5, 4},  {"", 0, -1}};
    for (const Case& c : cases) EXPECT_EQ(ScanNumberEnd(c.text, c.start), c.end) << c.text;
}

TEST(NcNumberFormat, AppendAxisWord) {
    std::string out = "G01";
    AppendAxisWord(0, 3, out, 12.5, 0);
    AppendAxisWord(1, 3, out, 10.0, 0);
    AppendAxisWord(3, 3, out, -0.0, 0);
    AppendAxisWord(5, 3, out, 99.9, 1500);
    AppendAxisWord(6, 3, out, 1.0, 0);
    EXPECT_EQ(out, "G01X12.5Y10.C0.F1500");
}

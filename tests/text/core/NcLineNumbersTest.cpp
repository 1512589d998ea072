// The line-number column: zero-padded indices and the ORIGINSFT numbering.
#include "text/core/NcLineNumbers.h"

#include <gtest/gtest.h>

TEST(NcLineNumbers, PaddedToDigitsOfCount) {
    NcTextRules rules;
    struct Case {
        size_t row, count;
        const char* label;
    } cases[] = {{0, 1000, "0001"}, {999, 1000, "1000"}, {0, 999, "001"}, {998, 999, "999"},
                 {0, 9, "1"},       {9, 10, "10"},       {0, 10, "01"}};
    for (const Case& c : cases) EXPECT_EQ(LineNumberLabel(c.row, c.count, rules, {}), c.label);
}

TEST(NcLineNumbers, OriginShiftNumbering) {
    NcTextRules rules;
    rules.AppMachineType = 1;
    const std::vector<std::string> lines = {"A", "ORIGINSFT", "X1", " Y2", "", "Z3"};
    const auto numbers = OriginShiftNumbers(lines, rules);
    const char* expected[] = {" ", "1", "2", "2", " ", "3"};
    for (size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(LineNumberLabel(i, lines.size(), rules, numbers), expected[i]) << i;
}

TEST(NcLineNumbers, NoOriginShiftLineLeavesAllBlank) {
    NcTextRules rules;
    rules.AppMachineType = 1;
    const std::vector<std::string> lines = {"G01 X1.", "X2.", "M30"};
    const auto numbers = OriginShiftNumbers(lines, rules);
    for (size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(LineNumberLabel(i, 3, rules, numbers), " ");
}

TEST(NcLineNumbers, OriginShiftFoundThroughConversion) {
    NcTextRules rules;
    rules.AppMachineType = 1;
    rules.Conversions = {{"OSFT", "ORIGINSFT"}};
    const auto numbers = OriginShiftNumbers({"OSFT", "X1"}, rules);
    EXPECT_EQ(numbers, (std::vector<uint32_t>{1, 2}));
}

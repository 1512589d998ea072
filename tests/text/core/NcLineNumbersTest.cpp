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

// The ORIGINSFT numbering (machine type 1), one program per row: lines before the first origin
// shift line stay blank, that line is 1, then an empty line is blank, a line beginning with a
// blank repeats the number and every other line takes the next one.
TEST(NcLineNumbers, OriginShiftNumbering) {
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        std::vector<NcTextConversion> conversions;
        std::vector<std::string> labels;
    };
    const Case cases[] = {
        {"mixed lines",
         {"A", "ORIGINSFT", "X1", " Y2", "", "Z3"},
         {},
         {" ", "1", "2", "2", " ", "3"}},
        {"no origin shift line", {"G01 X1.", "X2.", "M30"}, {}, {" ", " ", " "}},
        {"found through a conversion", {"OSFT", "X1"}, {{"OSFT", "ORIGINSFT"}}, {"1", "2"}},
        {"any case", {"originsft X0", "X1"}, {}, {"1", "2"}},
        {"a blank before the key", {" ORIGINSFT", "ORIGINSFT", "X1"}, {}, {" ", "1", "2"}},
        {"a second origin shift line", {"ORIGINSFT", "X1", "ORIGINSFT"}, {}, {"1", "2", "3"}},
        {"blank lines in a row", {"ORIGINSFT", "", "", " Y1", "X1"}, {}, {"1", " ", " ", "1", "2"}},
    };
    for (const Case& c : cases) {
        NcTextRules rules;
        rules.AppMachineType = 1;
        rules.Conversions = c.conversions;
        const auto numbers = OriginShiftNumbers(c.lines, rules);
        ASSERT_EQ(c.labels.size(), c.lines.size()) << c.name;
        for (size_t i = 0; i < c.lines.size(); ++i)
            EXPECT_EQ(LineNumberLabel(i, c.lines.size(), rules, numbers), c.labels[i])
                << c.name << ", line " << i;
    }
}

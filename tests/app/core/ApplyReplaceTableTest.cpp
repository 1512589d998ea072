// Conversion-table runs: joins, splits, ranges, comments, O-lines, the CTB line.
#include "app/core/ApplyReplaceTable.h"

#include <gtest/gtest.h>

#include "nc/NcAppContext.h"
#include "nc/machine/CNcReplaceInfo.h"

using Lines = std::vector<std::string>;

namespace {

struct Row {
    const char* find;
    const char* with;
    unsigned start = 0, end = 0;
};

struct Case {
    const char* what;
    std::vector<Row> rows;
    Lines in;
    Lines out;
    int result;
    int deleteCtb = 0;
};

}  // namespace

TEST(ApplyReplaceTable, Cases) {
    const Case cases[] = {
        {"join two lines into one",
         {{"M05:M06", "M06"}},
         {"G00", "M05", "M06", "M30"},
         {"G00", "M06", "M30"},
         1},
        {"split one line into two",
         {{"M05", "M05:M06"}},
         {"G00", "M05", "M30"},
         {"G00", "M05", "M06", "M30"},
         1},
        {"O lines never change", {{"100", "200"}}, {"O100", "G00X100."}, {"O100", "G00X200."}, 1},
        {"comment kept, text before it kept whole",
         {{"X1.", "X2."}},
         {"G01X1.(X1. CUT)", "G01X1. (X1.)"},
         {"G01X2.(X1. CUT)", "G01X2. (X1.)"},
         1},
        {"rows by start and end",
         {{"A", "B", 2, 2}},
         {"A", "A", "A", "A"},
         {"A", "B", "B", "A"},
         1},
        {"end 0 and 1 reach the last line",
         {{"A", "B", 3, 1}},
         {"A", "A", "A"},
         {"A", "A", "B"},
         1},
        {"start beyond the text changes nothing", {{"A", "B", 5, 0}}, {"A", "A"}, {"A", "A"}, 0},
        {"empty lines after the first go once something changed",
         {{"A", "C"}},
         {"", "A", "", "B", ""},
         {"", "C", "B"},
         1},
        {"nothing replaced keeps empty lines", {{"Z", "C"}}, {"", "A", ""}, {"", "A", ""}, 0},
        {"a colon of the line's own splits it", {{"P1", "P2"}}, {"G65P1:X1"}, {"G65P2", "X1"}, 1},
        {"replacement holding the find text ends", {{"A", "AA"}}, {"A", "BA"}, {"AA", "BAA"}, 1},
        {"empty find text skipped", {{"", "X"}, {"B", "C"}}, {"B"}, {"C"}, 1},
        {"join at the end of the text", {{"M30:X", "M02"}}, {"G00", "M30"}, {"G00", "M30"}, 0},
        {"no line left to join", {{"M30:", "M02"}}, {"G00", "M30"}, {"G00", "M30"}, 0},
        {"the CTB line removed", {}, {"O1", "(CTB=ABC)", "(CTB=DEF)"}, {"O1", "(CTB=DEF)"}, 1, 1},
        {"rows run in order", {{"A", "B"}, {"B", "C"}}, {"A"}, {"C"}, 1},
        {"the end row counts the lines a split added",
         {{"A", "A:X", 1, 2}},
         {"A", "A", "A"},
         {"A", "X", "A", "X", "A"},
         1},
        {"the end row counts the lines a join removed",
         {{"A:B", "C", 1, 2}},
         {"A", "B", "A", "B"},
         {"C", "C"},
         1},
    };
    NcAppContext ctx;
    for (const auto& c : cases) {
        CNcReplaceInfo table(ctx);
        for (const auto& r : c.rows) {
            table.BeforeTexts.push_back(r.find);
            table.AfterTexts.push_back(r.with);
            table.StartLines.push_back(r.start);
            table.EndLines.push_back(r.end);
        }
        table.DeleteCtbLines = c.deleteCtb;
        Lines lines = c.in;
        EXPECT_EQ(ApplyReplaceTable(lines, table), c.result) << c.what;
        EXPECT_EQ(lines, c.out) << c.what;
    }
}

TEST(ApplyReplaceTable, NegativeRowNumbersExcludeEveryLine) {
    NcAppContext ctx;
    CNcReplaceInfo table(ctx);
    table.BeforeTexts = {"A", "A"};
    table.AfterTexts = {"B", "B"};
    table.StartLines = {unsigned(-1), 0};
    table.EndLines = {0, unsigned(-1)};
    Lines lines{"A"};
    EXPECT_EQ(ApplyReplaceTable(lines, table), 0);
    EXPECT_EQ(lines, Lines{"A"});
}

// Searching NC lines with and without matching case.
#include "text/core/NcTextSearch.h"

#include <gtest/gtest.h>

TEST(NcTextSearch, CaseInsensitiveFindsMixedCase) {
    struct Case {
        const char* line;
        const char* text;
        bool matchCase;
        size_t at;
    } cases[] = {
        {"G01 XY", "xy", false, 4},
        {"G01 xy", "xy", false, 4},
        {"G01 Xy", "xy", false, 4},
        {"G01 Xy", "xY", false, 4},
        {"G01 Xy", "xy", true, std::string::npos},
        {"G01 xy", "xy", true, 4},
        {"abc", "", false, std::string::npos},
        {"ab", "abc", false, std::string::npos},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindInLine(c.line, c.text, c.matchCase), c.at) << c.line << " / " << c.text;
}

TEST(NcTextSearch, DoubleByteCharactersAreWhole) {
    // "ア" is 83 41 in CP932; its trail byte is 'A' and must not match a search for "a".
    const std::string line = "(\x83\x41)A";
    EXPECT_EQ(FindInLine(line, "a", false), 4u);
    EXPECT_EQ(FindInLine(line, "A", true), 4u);
    EXPECT_EQ(FindInLine(line, "\x83\x41", true), 1u);
    // A match may not end inside a pair: "(\x83" is not a character sequence of the line.
    EXPECT_EQ(FindInLine(line, "(\x83", true), std::string::npos);
}

TEST(NcTextSearch, FindLineBothWays) {
    const std::vector<std::string> lines = {"G00 X1.", "G01 Y2.", "g01 x3.", "M30"};
    EXPECT_EQ(FindLine(lines, "X", false, -1, true), 0);
    EXPECT_EQ(FindLine(lines, "X", false, 0, true), 2);
    EXPECT_EQ(FindLine(lines, "X", true, 0, true), -1);
    EXPECT_EQ(FindLine(lines, "x", false, 3, false), 2);
    EXPECT_EQ(FindLine(lines, "x", false, 0, false), -1);
    EXPECT_EQ(FindLine(lines, "x", false, -1, false), -1);
}

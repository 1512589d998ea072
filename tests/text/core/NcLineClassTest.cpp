// Colour classes of NC lines, with and without text conversions.
#include "text/core/NcLineClass.h"

#include <gtest/gtest.h>

TEST(NcLineClass, ClassesWithSubCallWord) {
    NcTextRules rules;  // OptSubCall M98
    struct Case {
        const char* line;
        int cls;
    } cases[] = {
        {"O1234", kClassProgramNumber},   {"(COMMENT", kClassComment},
        {"G00 M98 P10", kClassSubCall},   {"(M98)", kClassComment},
        {"O10 M98", kClassProgramNumber}, {"", kClassPlain},
        {"G01 X10.", kClassPlain},        {"o1234", kClassPlain},  // case-sensitive
        {"g00 m98", kClassPlain},
    };
    for (const Case& c : cases) EXPECT_EQ(ClassifyNcLine(c.line, rules), c.cls) << c.line;
}

// The call word is found on character boundaries only (83 4D is one CP932 character).
TEST(NcLineClass, CallWordNeverInsideADoubleByteCharacter) {
    NcTextRules rules;
    EXPECT_EQ(ClassifyNcLine("G01X1.(\x83\x4D"
                             "98)",
                             rules),
              kClassPlain);
    EXPECT_EQ(ClassifyNcLine("X1.(\x83\x4D)M98P7", rules), kClassSubCall);
    rules.Conversions = {{"M98", "CALL"}};
    std::string line =
        "(\x83\x4D"
        "98)M98";
    ApplyTextConversions(line, rules);
    EXPECT_EQ(line,
              "(\x83\x4D"
              "98)CALL");
}

TEST(NcLineClass, EmptyCallWordMatchesNothing) {
    NcTextRules rules;
    rules.SubCallWord.clear();
    EXPECT_EQ(ClassifyNcLine("G01 X1.", rules), kClassPlain);
    EXPECT_FALSE(ContainsWord("abc", ""));
}

TEST(NcLineClass, DecidedOnConvertedCopy) {
    NcTextRules rules;
    rules.Conversions = {{"CALL", "M98"}, {":", "O"}};
    EXPECT_EQ(ClassifyNcLine("G00 CALL P1", rules), kClassSubCall);
    EXPECT_EQ(ClassifyNcLine(":100", rules), kClassProgramNumber);
    // Only the first occurrence of each pair is replaced.
    std::string s = "A:B:C";
    ApplyTextConversions(s, rules);
    EXPECT_EQ(s, "AOB:C");
}

TEST(NcLineClass, OriginShiftKeyIgnoresCase) {
    EXPECT_TRUE(IsOriginShiftLine("ORIGINSFT X0"));
    EXPECT_TRUE(IsOriginShiftLine("originsft"));
    EXPECT_FALSE(IsOriginShiftLine(" ORIGINSFT"));
    EXPECT_FALSE(IsOriginShiftLine("ORIGIN"));
}

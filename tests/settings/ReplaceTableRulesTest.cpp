// The rules of the conversion-table dialogs: line numbers and table names.
#include "settings/ReplaceTableRules.h"

#include <gtest/gtest.h>

namespace {

TEST(ReplaceTableRules, LineNumbersStayWithinOneTo99999) {
    const std::pair<const char*, const char*> cases[] = {
        {"0", "1"},
        {"", "1"},
        {"abc", "1"},
        {"12", "12"},
        {"012", "12"},
        {"12abc", "12"},
        {" 7", "7"},
        {"99999", "99999"},
        {"100000", "99999"},
        {"123456", "99999"},
        {"-5", "99999"},
        {"-0", "1"},
        {"99999999999999999999999", "99999"},
        {"+3", "3"},
    };
    for (const auto& [text, normal] : cases) EXPECT_EQ(NormalizeLineNumber(text), normal) << text;
}

TEST(ReplaceTableRules, UpDownStepsStopAtTheEnds) {
    struct Case {
        const char* text;
        int delta;
        const char* result;
    } cases[] = {{"1", 1, "2"},  {"1", -1, "1"}, {"99999", 1, "99999"},   {"99999", -1, "99998"},
                 {"0", -1, "1"}, {"", 1, "2"},   {"123456", -1, "99998"}, {"5", 0, "4"}};
    for (const Case& c : cases) EXPECT_EQ(StepLineNumber(c.text, c.delta), c.result) << c.text;
}

TEST(ReplaceTableRules, TableNames) {
    struct Case {
        const char* typed;
        const char* name;
        unsigned message;
    } cases[] = {
        {"ABC", "ABC", 0},       {"ABC.ctb", "ABC", 0},
        {"ABC.CTB", "ABC", 0},   {"  ABC ", "ABC ", 0},
        {"A.B", "A.B", 0},       {"", "", 61598},
        {"   ", "", 61598},      {".CTB", "", 61598},
        {".ctb", "", 61598},     {".hidden", ".hidden", 61608},
        {"a?b", "a?b", 61608},   {"a:b", "a:b", 61608},
        {"a/b", "a/b", 61608},   {"a\\b", "a\\b", 61608},
        {"a\"b", "a\"b", 61608}, {"a|b", "a|b", 61608},
        {"穴", "穴", 0},
    };
    for (const Case& c : cases) {
        const TableNameCheck check = CheckTableName(c.typed);
        EXPECT_EQ(check.name, c.name) << c.typed;
        EXPECT_EQ(check.message, c.message) << c.typed;
    }
}

TEST(ReplaceTableRules, LeadingUnsignedOfACell) {
    EXPECT_EQ(LeadingUnsigned("12"), 12u);
    EXPECT_EQ(LeadingUnsigned(" 3x"), 3u);
    EXPECT_EQ(LeadingUnsigned("x"), 0u);
    EXPECT_EQ(LeadingUnsigned(""), 0u);
}

}  // namespace

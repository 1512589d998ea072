// Tests of the string table file, the language choice and LoadString.
#include "platform/StringTable.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>

using namespace platform;

TEST(StringTable, ParsesRowsEscapesAndComments) {
    StringTable t;
    ASSERT_TRUE(t.Load(MORVALEN_TEST_DATA "/platform/strings-test.tsv"));
    struct Case {
        unsigned id;
        std::string english, japanese;
    } cases[] = {
        {61447, "Exec file name error", "実行ファイル名エラー"},
        {100, "Line %d:\n%s", "%d 行目:\n%s"},
        {101, "tab\there \\n stays", "tab\there \\n stays"},  // empty Japanese: English
        {102, "only English", "only English"},                // no Japanese column
        {103, "crlf line", "CRLF 行"},
        {999, "", ""},  // unknown id
    };
    for (const Case& c : cases) {
        EXPECT_EQ(t.Get(c.id, Language::English), c.english) << c.id;
        EXPECT_EQ(t.Get(c.id, Language::Japanese), c.japanese) << c.id;
    }
    // The bad row and the duplicate are reported with their line numbers.
    ASSERT_EQ(t.Problems().size(), 2u);
    EXPECT_NE(t.Problems()[0].find("line 8"), std::string::npos) << t.Problems()[0];
    EXPECT_NE(t.Problems()[1].find("line 9"), std::string::npos) << t.Problems()[1];
    EXPECT_EQ(t.Get(100, Language::English), "Line %d:\n%s");  // first row of id 100 kept
}

TEST(StringTable, MissingFileGivesEmptyTable) {
    StringTable t;
    EXPECT_FALSE(t.Load("/nonexistent-mv/strings.tsv"));
    EXPECT_EQ(t.Size(), 0u);
}

TEST(StringTable, LanguageChoice) {
    struct Case {
        bool jp, us;
        const char* locale;
        Language expected;
    } cases[] = {
        {true, true, "en_US.UTF-8", Language::Japanese},  // /JP wins over /US
        {false, true, "ja_JP.UTF-8", Language::English},
        {false, false, "ja_JP.UTF-8", Language::Japanese},
        {false, false, "de_DE.UTF-8", Language::English},
        {false, false, "C", Language::English},
    };
    for (const Case& c : cases) EXPECT_EQ(ChooseLanguage(c.jp, c.us, c.locale), c.expected);
}

TEST(StringTable, LoadStringUsesProcessTable) {
    // The shipped table is found beside the test program.
    EXPECT_TRUE(std::filesystem::exists(DefaultStringTablePath()));
    ASSERT_TRUE(UseStringTable(MORVALEN_TEST_DATA "/platform/strings-test.tsv"));
    SetLanguage(Language::Japanese);
    EXPECT_EQ(LoadString(61447), "実行ファイル名エラー");
    SetLanguage(Language::English);
    EXPECT_EQ(LoadString(61447), "Exec file name error");
    EXPECT_EQ(LoadString(4711), "");
}

// Every row of the shipped table has its English and its Japanese text (nothing falls back to
// English under /JP), and every id stands once: the first row of an id wins, so a second row
// with another text would never be shown.
TEST(StringTable, ShippedRowsHaveBothLanguages) {
    std::ifstream in(DefaultStringTablePath(), std::ios::binary);
    ASSERT_TRUE(in);
    std::string line;
    int rows = 0;
    std::set<std::string> ids;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        const size_t a = line.find('\t');
        const size_t b = a == std::string::npos ? a : line.find('\t', a + 1);
        ASSERT_NE(b, std::string::npos) << line;
        EXPECT_GT(b, a + 1) << "no English text: " << line;
        EXPECT_LT(b + 1, line.size()) << "no Japanese text: " << line;
        EXPECT_TRUE(ids.insert(line.substr(0, a)).second) << "id given twice: " << line;
        ++rows;
    }
    EXPECT_GT(rows, 100);
}

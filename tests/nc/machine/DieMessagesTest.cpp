// Die message texts: every id has both languages, and placeholders are filled safely.
#include <gtest/gtest.h>

#include "nc/machine/DieMessages.h"
#include "platform/StringTable.h"

namespace {

TEST(DieMessages, EveryIdHasEnglishAndJapaneseText) {
    platform::StringTable table;
    ASSERT_TRUE(table.Load(std::filesystem::path(MORVALEN_SOURCE_DIR) / "resources/strings.tsv"));
    const int ids[] = {61508, 61509, 61510, 61511, 61512, 61513, 61514, 61515, 61516, 61517,
                       61518, 61519, 61525, 61526, 61527, 61528, 61529, 61530, 61531};
    for (int id : ids) {
        SCOPED_TRACE(id);
        EXPECT_TRUE(table.Contains(static_cast<unsigned>(id)));
        EXPECT_NE(table.Get(id, platform::Language::English),
                  table.Get(id, platform::Language::Japanese));
    }
    EXPECT_EQ(table.Get(diemsg::kPossessedOpen, platform::Language::English),
              "Punch data file open error\n[%1] %2Line");
    EXPECT_FALSE(diemsg::Text(diemsg::kUpdateArrangement).empty());
}

TEST(DieMessages, FillReplacesPlaceholdersOnce) {
    struct Case {
        const char* text;
        std::initializer_list<std::string_view> args;
        const char* expected;
    };
    const Case cases[] = {
        {"[%1] %2Line", {"/a/b.dat", "12"}, "[/a/b.dat] 12Line"},
        {"%1 and %2", {"%2", "x"}, "%2 and x"},  // argument text is not scanned again
        {"%1 %3 %%1 %", {"a"}, "a %3 %a %"},
        {"100%s %d", {"a"}, "100%s %d"},  // printf conversions stay text
    };
    for (const Case& c : cases) EXPECT_EQ(diemsg::Fill(c.text, c.args), c.expected) << c.text;
}

}  // namespace

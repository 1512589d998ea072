// Die message texts: every id has both languages, and placeholders are filled safely.
#include <gtest/gtest.h>

#include "DieTestSupport.h"
#include "TempDir.h"
#include "nc/machine/CPunchTool.h"
#include "nc/machine/DieMessages.h"
#include "platform/StringTable.h"

namespace {

TEST(DieMessages, EveryIdHasEnglishAndJapaneseText) {
    platform::StringTable table;
    ASSERT_TRUE(table.Load(std::filesystem::path(MORVALEN_SOURCE_DIR) / "resources/strings.tsv"));
    const int ids[] = {61508, 61509, 61510, 61511, 61512, 61513, 61514, 61515, 61516, 61517, 61518,
                       61519, 61525, 61526, 61527, 61528, 61529, 61530, 61531, 29745, 29746, 29747};
    for (int id : ids) {
        SCOPED_TRACE(id);
        EXPECT_TRUE(table.Contains(static_cast<unsigned>(id)));
        EXPECT_NE(table.Get(id, platform::Language::English),
                  table.Get(id, platform::Language::Japanese));
    }
    EXPECT_EQ(table.Get(diemsg::kPossessedOpen, platform::Language::English),
              "Punch data file open error\n[%1]%2");
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

// The file messages as the user sees them, in both languages: the line where the error is at
// a line (with a blank before it), and no line at all where it is not ("0Line" before).
TEST(DieMessages, FileErrorsNameTheLineOnlyWhereTheErrorIsAtALine) {
    struct Case {
        const char* name;  // in the configuration folder
        bool arrangement;
        int mode;  // 1 read, 2 write
        const char* english;
        const char* japanese;
    };
    const Case cases[] = {
        {"missing.dat", false, 1, "Punch data file open error\n[@]",
         "金型データファイルオープンエラー\n[@]"},
        {"bad.dat", false, 1, "Punch data file format error\n[@] 5 Line",  // range "K"
         "金型データファイル書式エラー\n[@] 5行目"},
        {"empty.dat", false, 1, "Punch data file format error\n[@]",
         "金型データファイル書式エラー\n[@]"},
        {"no-folder/x.dat", false, 2, "Punch data file open error\n[@]",
         "金型データファイルオープンエラー\n[@]"},
        {"missing.arr", true, 1, "Punch arrangement file open error\n[@]",
         "金型配置ファイルオープンエラー\n[@]"},
        {"empty.arr", true, 1, "Punch arrangement file read error\n[@]",
         "金型配置ファイル読込エラー\n[@]"},
        {"short.arr", true, 1, "Punch arrangement file format error\n[@] 14 Line",  // count
         "金型配置ファイルに異常があります[@] 14行目"},
        {"no-folder/x.arr", true, 2, "Punch arrangement file open error\n[@]",
         "金型配置ファイルオープンエラー\n[@]"},
    };
    test::TempDir dir;
    std::filesystem::copy_file(dietest::Fixture("pch_bad_range.dat"), dir.path() / "bad.dat");
    std::filesystem::copy_file(dietest::Fixture("arr_count_short.arr"), dir.path() / "short.arr");
    dietest::WriteBytes(dir.path() / "empty.dat", "");
    dietest::WriteBytes(dir.path() / "empty.arr", "");
    const platform::Language language = platform::CurrentLanguage();
    for (const Case& c : cases) {
        for (platform::Language lang :
             {platform::Language::English, platform::Language::Japanese}) {
            SCOPED_TRACE(std::string(c.name) +
                         (lang == platform::Language::English ? " en" : " ja"));
            platform::SetLanguage(lang);
            dietest::Context ctx(dir.path());
            CPunchTool tool(&ctx.app);
            tool.PossessedToolFileName = tool.ArrangedToolFileName = c.name;
            EXPECT_NE(
                c.arrangement ? tool.ReadWriteArrangement(c.mode) : tool.ReadWritePossessed(c.mode),
                0);
            std::string expected = lang == platform::Language::English ? c.english : c.japanese;
            expected.replace(expected.find('@'), 1, (dir.path() / c.name).string());
            ASSERT_FALSE(ctx.prompt.asked.empty());
            EXPECT_EQ(ctx.prompt.asked[0].text, expected);
        }
    }
    platform::SetLanguage(language);
}

}  // namespace

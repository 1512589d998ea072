// Message texts of the machine data: the string table rows and the placeholder filling.
#include "nc/machine/MachineStrings.h"

#include <gtest/gtest.h>

#include "MachineTestSupport.h"
#include "nc/machine/CToolData.h"
#include "platform/StringTable.h"

TEST(MachineStrings, FillsPlaceholdersWithoutReadingArgumentsAsFormats) {
    struct Case {
        const char* pattern;
        std::initializer_list<std::string_view> args;
        const char* expected;
    } cases[] = {
        {"file [%s]\n[line %d]", {"a%s%d.CTB", "12"}, "file [a%s%d.CTB]\n[line 12]"},
        {"100%% [%s]", {"x"}, "100% [x]"},
        {"[%s] [%s]", {"only"}, "[only] []"},
        {"no places", {"x"}, "no places"},
        {"trailing %", {}, "trailing %"},
    };
    for (const Case& c : cases) EXPECT_EQ(FillPlaceholders(c.pattern, c.args), c.expected);
}

TEST(MachineStrings, EveryIdHasBothLanguagesInTheTable) {
    platform::StringTable table;
    ASSERT_TRUE(
        table.Load(std::filesystem::path(MORVALEN_SOURCE_DIR) / "resources" / "strings.tsv"));
    machine_test::ConfigFixture f;  // English, from the same table
    for (int id : {machine_strings::kConditionFileName, machine_strings::kDefaultMachineFile,
                   machine_strings::kConditionLow, machine_strings::kConditionMiddle,
                   machine_strings::kConditionHigh, machine_strings::kConditionMarking,
                   machine_strings::kTableWorkAreaFull, machine_strings::kTableWriteFailed,
                   machine_strings::kTableMissing, machine_strings::kTableBadRow,
                   machine_strings::kTableSaveNoFile, machine_strings::kTableFormatError,
                   machine_strings::kTableInvalidName}) {
        EXPECT_TRUE(table.Contains(static_cast<unsigned>(id))) << id;
        EXPECT_FALSE(table.Get(id, platform::Language::Japanese).empty()) << id;
        EXPECT_EQ(MachineString(id), table.Get(id, platform::Language::English)) << id;
    }
    EXPECT_EQ(MachineString(machine_strings::kTableBadRow),
              "Failure to read conversion setting file [%s]\n[line %d]");
}

TEST(MachineStrings, JapaneseDefaultConditionNamesAreStoredAsShiftJis) {
    machine_test::ConfigFixture f;
    platform::SetLanguage(platform::Language::Japanese);
    CToolData t;
    t.LoadFrom(f.dir.path() / "none.ntd");
    platform::SetLanguage(platform::Language::English);
    ASSERT_EQ(t.RowCount(), 10u);
    EXPECT_EQ(t.ToolName[0], "\x92\xe1\x91\xac");                          // 低速
    EXPECT_EQ(t.ToolName[6], "\x83\x7d\x81\x5b\x83\x4c\x83\x93\x83\x4f");  // マーキング
    // The file name is the same in both languages.
    EXPECT_EQ(t.ToolName[3], "");
}

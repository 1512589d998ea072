// The frame's resource file: the shipped file parses and holds every table.
#include "app/core/FrameResources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>

#include "app/core/CommandIds.h"
#include "app/core/DisplaySettings.h"

namespace {

FrameResources Shipped() {
    FrameResources res;
    EXPECT_TRUE(LoadFrameResources(
        std::filesystem::path(MORVALEN_SOURCE_DIR) / "resources/shipped/menus.txt", res));
    return res;
}

TEST(FrameResources, ShippedFileParses) {
    FrameResources res = Shipped();
    EXPECT_TRUE(res.problems.empty()) << res.problems.front();
    ASSERT_EQ(res.menus.count(128), 1u);
    const auto& top = res.menus.at(128);
    ASSERT_EQ(top.size(), 7u);
    EXPECT_EQ(top[0].english, "&File");
    EXPECT_EQ(top[6].japanese, "ヘルプ(&H)");
    EXPECT_EQ(top[0].children[0].english, "&New\tCtrl+N");
    ASSERT_EQ(res.bars.size(), 7u);
    const char* order[] = {"ToolBarStandard",  "ToolBarEdit",     "ToolBarZoom", "ToolBarScroll",
                           "ToolBarOperation", "ToolBarProperty", "ToolBarTrace"};
    for (size_t i = 0; i < 7; ++i) EXPECT_EQ(res.bars[i].name, order[i]);
    EXPECT_EQ(res.Bar("ToolBarTrace")->commands.size(), 15u);
    auto ids = res.AllCommands();
    EXPECT_NE(std::find(ids.begin(), ids.end(), cmd::InsertStr8), ids.end());
}

// The letter after '&' (upper case), or 0.
char Mnemonic(const std::string& text) {
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        return static_cast<char>(std::toupper(static_cast<unsigned char>(text[i + 1])));
    }
    return 0;
}

// Alt+S reaches Setup, Alt+F then X ends the program: in the menu bar and in the File menu no
// two entries share a mnemonic, in either language.
TEST(FrameResources, MenuBarAndFileMenuMnemonicsAreDistinct) {
    FrameResources res = Shipped();
    const auto& top = res.menus.at(128);
    for (bool japanese : {false, true}) {
        for (const std::vector<MenuNode>* menu : {&top, &top[0].children}) {
            std::string seen;
            for (const MenuNode& node : *menu) {
                // The Boot items show the external applications' titles at run time.
                if (node.command == cmd::Boot || node.command == cmd::Boot2) continue;
                const char m = Mnemonic(node.Text(japanese));
                if (m == 0) continue;
                EXPECT_EQ(seen.find(m), std::string::npos)
                    << node.Text(japanese) << (japanese ? " (Japanese)" : "");
                seen += m;
            }
        }
    }
    EXPECT_EQ(Mnemonic(top[2].english), 'R');  // Sea&rch
    EXPECT_EQ(Mnemonic(top[5].english), 'S');  // &Setup
}

// Every group's keys follow its bar's table in order, separators left out.
TEST(FrameResources, DisplayGroupsMatchBarTables) {
    FrameResources res = Shipped();
    const char* barNames[] = {"ToolBarStandard",  "ToolBarEdit",  "ToolBarZoom",    "ToolBarScroll",
                              "ToolBarOperation", "ToolBarTrace", "ToolBarProperty"};
    for (const DisplayGroup& g : DisplayGroups()) {
        if (g.bar == kBarNone) continue;
        const ToolBarDef* bar = res.Bar(barNames[g.bar]);
        ASSERT_TRUE(bar) << g.name;
        std::vector<int> table;
        for (int c : bar->commands)
            if (c) table.push_back(c);
        ASSERT_EQ(table.size(), g.keys.size()) << g.name;
        for (size_t i = 0; i < table.size(); ++i) EXPECT_EQ(table[i], g.keys[i].command) << g.name;
    }
}

TEST(FrameResources, BadLinesAreReported) {
    FrameResources res =
        ParseFrameResources("menu\t1\nitem\tx\tText\npopup\tA\nitem\t5\tFive\\tF5\nend\nbogus\n");
    ASSERT_EQ(res.problems.size(), 3u);  // bad item, unknown word, menu not closed
    EXPECT_EQ(res.menus[1][0].children[0].english, "Five\tF5");
}

}  // namespace

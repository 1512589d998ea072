// The summary text, viewed files and the program-folder list.
#include <gtest/gtest.h>

#include "InstallerTestSupport.h"
#include "installer/engine/SetupTexts.h"

namespace installer::test {
namespace {

TEST(SummaryText, TheChoicesLineByLine) {
    UseSourceStrings();
    SetupState s;
    s.TargetDir = "/opt/Tool/";
    s.ProgramFolderName = "Tools";
    s.ComponentTable = {{1, "Program", 0, 1}, {2, "Samples", 1, 0}, {3, "Help", 1, 1}};
    EXPECT_EQ(
        "Installation folder\r\n      /opt/Tool/\r\n\r\n"
        "Setup type\r\n      Standard\r\n"
        "            Program\r\n            Help\r\n",
        SummaryText(s));
    s.SelectFolder = 1;
    s.CustomInstall = 1;
    EXPECT_EQ(
        "Installation folder\r\n      /opt/Tool/\r\n\r\n"
        "Program folder\r\n      Tools\r\n\r\n"
        "Setup type\r\n      Custom\r\n"
        "            Samples\r\n            Help\r\n",
        SummaryText(s));
}

TEST(ReadViewText, LinesOfUtf8OrCp932Files) {
    Sandbox box;
    ASSERT_TRUE(box.Contained());
    ::test::WriteFile(box.root / "a.txt", "one\ntwo\r\n\nthree");
    EXPECT_EQ("one\r\ntwo\r\n\r\nthree\r\n", ReadViewText(box.root / "a.txt"));
    ::test::WriteFile(box.root / "sjis.txt", "\x83\x63\x81\x5B\x83\x8B\r\n");  // "ツール"
    EXPECT_EQ("ツール\r\n", ReadViewText(box.root / "sjis.txt"));
    EXPECT_EQ("", ReadViewText(box.root / "missing.txt"));
    EXPECT_EQ("", ReadViewText(box.root));  // a folder
}

TEST(ProgramFolders, ListedWithoutCaseAndPreselectedByPrefix) {
    Sandbox box;
    ASSERT_TRUE(box.Contained());
    fs::path apps = box.platform.ApplicationsDir;
    for (const char* d : {"zeta", "Morvalen Suite", "alpha", ".hidden", "morvalen old"})
        fs::create_directories(apps / d);
    ::test::WriteFile(apps / "entry.desktop", "x");
    std::vector<std::string> names = ListProgramFolders(apps);
    EXPECT_EQ((std::vector<std::string>{"alpha", "morvalen old", "Morvalen Suite", "zeta"}), names);
    EXPECT_EQ(1, FindPrefixRow(names, "MORVALEN"));
    EXPECT_EQ(-1, FindPrefixRow(names, "Other"));
    EXPECT_TRUE(ListProgramFolders(apps / "none").empty());
}

}  // namespace
}  // namespace installer::test

// Reading the setup file: values, read limits, encodings, components and the default folder.
#include <gtest/gtest.h>

#include "InstallerTestSupport.h"
#include "installer/engine/MessageIds.h"
#include "installer/engine/SetupFile.h"
#include "installer/engine/SetupInfo.h"

namespace installer::test {
namespace {

class SetupInfoTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(box.Contained()); }
    // Writes the setup file and reads it into state.
    int ReadText(std::string_view text) {
        state.SetupFilePath = (box.source / "haldimon.INF").string();
        ::test::WriteFile(state.SetupFilePath, text);
        return ReadSetupFile(state, keys, box.platform, ui);
    }
    Sandbox box;
    SetupState state;
    FakeUi ui;
    KeyStore keys{box.platform.KeyStoreDir};
};

// A usable setup file with more lines in its APPINFO section.
std::string Minimal(std::string_view appinfo = {}) {
    return "[APPINFO]\r\nPROGRAM_FOLDER_NAME=Tool\r\nAPPBASE_PATH=/opt/Tool\r\n" +
           std::string(appinfo) + "[INSTALL1]\r\nCOMP=Program\r\n1=MD:TARGETDIR+\"x\"\r\n";
}

TEST_F(SetupInfoTest, ReadsEveryValueOfAWholeFile) {
    ASSERT_EQ(1, ReadText("[APPINFO]\nPROGRAM_FOLDER_NAME = Tool \nAPPBASE_PATH=/opt/Tool\n"
                          "COMPANY_NAME=Maker\nPRODUCT_NAME=\"Tool Pro\"\nPRODUCT_VERSION=2.1\n"
                          "PRODUCT_KEY=tool\nMAIN_PROGRAM=tool\nTARGET_EXISTFILE=tool.ini\n"
                          "MENU_CATEGORIES=Office;\n"
                          "UNINSTALL_NAME=ToolUninst\nSETUP_TITLE=Version 2\n"
                          "[PARMINIT]\nARG6=extra\n[USEDIALOG]\nSdInfoView=readme.txt\n"
                          "SdLicenseView=license.txt\nSdSelectFolder=1\n"
                          "[SETUPINFO]\nINSTALL_MODE_SKIP=  1x\n[INSTALL1]\nCOMP=Program\n"));
    EXPECT_EQ("Tool", state.ProgramFolderName);
    EXPECT_EQ("Tool", state.StartMenuFolderName);  // missing: the program folder's name
    EXPECT_EQ("/opt/Tool/", state.TargetDir);
    EXPECT_EQ("Maker", state.CompanyName);
    EXPECT_EQ("Tool Pro", state.ProductName);
    EXPECT_EQ("2.1", state.ProductVersion);
    EXPECT_EQ("tool", state.ProductKey);
    EXPECT_EQ("tool", state.MainProgram);
    EXPECT_EQ("Office;", state.MenuCategories);
    EXPECT_EQ("tool.ini", state.TargetExistFile);
    EXPECT_EQ("ToolUninst", state.UninstallName);
    EXPECT_EQ("Version 2", state.SetupTitle);
    EXPECT_EQ("extra", state.Arg6);
    EXPECT_EQ("readme.txt", state.InfoViewFile);
    EXPECT_EQ("license.txt", state.LicenseViewFile);
    EXPECT_EQ(1, state.SelectFolder);
    EXPECT_EQ(1, state.InstallModeSkip);
    EXPECT_EQ(1, state.ComponentCount);
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(SetupInfoTest, UnusableFilesShowMessage102) {
    struct Case {
        const char* text;
    } cases[] = {
        {"[APPINFO]\nAPPBASE_PATH=/opt/x\n[INSTALL1]\nCOMP=a\n"},    // no folder name
        {"[APPINFO]\nPROGRAM_FOLDER_NAME=x\n[INSTALL1]\nCOMP=a\n"},  // no base path
        {"[APPINFO]\nPROGRAM_FOLDER_NAME=x\nAPPBASE_PATH=/x\n[INSTALL2]\nCOMP=a\n"},  // no INSTALL1
        {""},
    };
    for (const Case& c : cases) {
        ui.shown.clear();
        EXPECT_EQ(0, ReadText(c.text)) << c.text;
        EXPECT_EQ(std::vector<unsigned>{msg::kSetupFileBroken}, ui.Ids()) << c.text;
    }
    ui.shown.clear();
    state.SetupFilePath = (box.source / "missing.INF").string();
    EXPECT_EQ(0, ReadSetupFile(state, keys, box.platform, ui));
    EXPECT_EQ(std::vector<unsigned>{msg::kSetupFileBroken}, ui.Ids());
}

TEST_F(SetupInfoTest, ComponentsEndAtTheFirstGapAndTakeTheirFlagsFromSts) {
    ASSERT_EQ(1, ReadText("[APPINFO]\nPROGRAM_FOLDER_NAME=x\nAPPBASE_PATH=/x\n"
                          "[INSTALL1]\nCOMP=A\nSTS=3\n[INSTALL2]\nCOMP=B\nSTS=2\n"
                          "[INSTALL3]\nCOMP=C\nSTS=1\n[INSTALL4]\nCOMP=D\nSTS=abc\n"
                          "[INSTALL5]\nCOMP=E\n[INSTALL7]\nCOMP=after a gap\n"));
    ASSERT_EQ(5, state.ComponentCount);
    ASSERT_EQ(1, ReadComponents(state, state.SetupFilePath));
    struct Want {
        int number;
        const char* name;
        int standard, selected;
    } want[] = {{1, "A", 1, 1}, {2, "B", 0, 1}, {3, "C", 1, 0}, {4, "D", 0, 0}, {5, "E", 0, 0}};
    ASSERT_EQ(5u, state.ComponentTable.size());
    for (size_t i = 0; i < 5; ++i) {
        const ComponentRecord& r = state.ComponentTable[i];
        EXPECT_EQ(want[i].number, r.Number);
        EXPECT_EQ(want[i].name, r.Name);
        EXPECT_EQ(want[i].standard, r.Standard) << r.Name;
        EXPECT_EQ(want[i].selected, r.Selected) << r.Name;
    }
}

TEST_F(SetupInfoTest, ReadsAreCutToTheirBuffersAtCharacterBoundaries) {
    // PRODUCT_NAME is read into 50 bytes: 49 stay; a three-byte character is not split.
    std::string name = std::string(47, 'a') + "日本";  // 47 + 6 bytes
    ASSERT_EQ(1, ReadText(Minimal("PRODUCT_NAME=" + name + "\n")));
    EXPECT_EQ(std::string(47, 'a'), state.ProductName);
    EXPECT_EQ("ab", CutToBuffer("abc", 3));
    EXPECT_EQ("", CutToBuffer("日", 3));
    EXPECT_EQ("日", CutToBuffer("日本", 5));
}

TEST_F(SetupInfoTest, Cp932FilesAreReadAndWrittenBackInTheirEncoding) {
    // "ツール" in CP932, and a name that only the CP932 reading gives.
    std::string cp932 =
        "[APPINFO]\r\nPROGRAM_FOLDER_NAME=\x83\x63\x81\x5B\x83\x8B\r\n"
        "APPBASE_PATH=/opt/x\r\n[INSTALL1]\r\nCOMP=\x83\x76\x83\x8D\r\n";
    ASSERT_EQ(1, ReadText(cp932));
    EXPECT_EQ("ツール", state.ProgramFolderName);
    SetupFile f(state.SetupFilePath);
    EXPECT_TRUE(f.IsCp932());
    ASSERT_TRUE(f.Set("APPINFO", "PROGRAM_FOLDER_NAME", "メニュー"));
    std::string bytes = ::test::ReadFile(state.SetupFilePath);
    EXPECT_NE(std::string::npos,
              bytes.find("PROGRAM_FOLDER_NAME=\x83\x81\x83\x6A\x83\x85\x81\x5B\r\n"));
    EXPECT_NE(std::string::npos, bytes.find("COMP=\x83\x76\x83\x8D\r\n"));  // untouched bytes
}

TEST_F(SetupInfoTest, Utf8FileWithByteOrderMarkKeepsIt) {
    ASSERT_EQ(1, ReadText("\xEF\xBB\xBF" + Minimal()));
    SetupFile f(state.SetupFilePath);
    EXPECT_FALSE(f.IsCp932());
    ASSERT_TRUE(f.Set("APPINFO", "PROGRAM_FOLDER_NAME", "ツール"));
    std::string bytes = ::test::ReadFile(state.SetupFilePath);
    EXPECT_EQ(0u, bytes.find("\xEF\xBB\xBF[APPINFO]"));
    EXPECT_NE(std::string::npos, bytes.find("PROGRAM_FOLDER_NAME=ツール\r\n"));
}

TEST(SetupFileName, ReplacesTheExtensionOrAppendsOne) {
    EXPECT_EQ("haldimon.INF", SetupFileNameFor("haldimon"));
    EXPECT_EQ("Other.INF", SetupFileNameFor("Other.exe"));
    EXPECT_EQ("a.b.INF", SetupFileNameFor("a.b.c"));
    EXPECT_EQ(".hidden.INF", SetupFileNameFor(".hidden"));
}

TEST(SetupFileName, IsFoundWithoutLetterCase) {
    Sandbox box;
    ASSERT_TRUE(box.Contained());
    ::test::WriteFile(box.source / "HALDIMON.inf", "x");
    EXPECT_EQ(box.source / "HALDIMON.inf", FindNoCase(box.source, "haldimon.INF"));
    ::test::WriteFile(box.source / "haldimon.INF", "y");
    EXPECT_EQ(box.source / "haldimon.INF", FindNoCase(box.source, "haldimon.INF"));
    EXPECT_TRUE(FindNoCase(box.source, "other.INF").empty());
}

TEST_F(SetupInfoTest, TargetFolderFromAppBasePath) {
    std::string home = box.platform.Home.string();
    std::string opt = box.platform.ProgramsBase.string();
    struct Case {
        std::string appbase, want;
    } cases[] = {
        {"/opt/Soft", "/opt/Soft/"},
        {"/opt/Soft/", "/opt/Soft/"},
        {"Soft", home + "/Soft/"},
        {"Soft\\Tool", home + "/Soft/Tool/"},
        {"\\Soft\\Tool", home + "/Soft/Tool/"},
        {"{PROGRAM_FILES}/Maker/Tool", opt + "/Maker/Tool/"},
        {"{PROGRAM_FILES}\\Maker\\Tool", opt + "/Maker/Tool/"},
        {"{PROGRAM_FILES}", opt + "/"},
        {"{OTHER}/Tool", ""},
        {"", ""},  // never the file-system root
    };
    for (const Case& c : cases) {
        state.AppBasePath = c.appbase;
        InitTargetDir(state, "", keys, box.platform);
        EXPECT_EQ(c.want, state.TargetDir) << c.appbase;
    }
}

TEST_F(SetupInfoTest, TargetFolderFromTheKeyStoreGetsItsSeparator) {
    keys.SetString("HKEY_LOCAL_MACHINE", "Software\\Maker\\Tool", "Dir", "/srv/tool");
    state.AppBasePath = "/opt/Default";
    struct Case {
        const char* getreg;
        const char* want;
    } cases[] = {
        {"HKEY_LOCAL_MACHINE\",\"Software\\Maker\\Tool\",\"Dir", "/srv/tool/"},
        {"HKEY_LOCAL_MACHINE\",\"software\\maker\\tool\",\"dir", "/srv/tool/"},
        {"HKEY_LOCAL_MACHINE\",\"Software\\Maker\\Tool\",\"Dir\"", "/srv/tool/"},
        {"hkey_local_machine\",\"Software\\Maker\\Tool\",\"Dir", "/opt/Default/"},  // root case
        {"HKEY_LOCAL_MACHINE\",\"Software\\Maker\\Tool\",\"Other", "/opt/Default/"},
        {"HKEY_LOCAL_MACHINE", "/opt/Default/"},  // no quotes, no commas: no reading
        {"", "/opt/Default/"},
    };
    for (const Case& c : cases) {
        InitTargetDir(state, c.getreg, keys, box.platform);
        EXPECT_EQ(c.want, state.TargetDir) << c.getreg;
    }
}

TEST_F(SetupInfoTest, GetregValueAsTheFileWritesIt) {
    // The profile reader removes the outer quotes of the whole value.
    keys.SetString("HKEY_CURRENT_USER", "Software\\Tool", "InstallDir", "/srv/t/");
    ASSERT_EQ(1, ReadText(Minimal("GETREG_APPBASE_PATH=\"HKEY_CURRENT_USER\",\"Software\\Tool\","
                                  "\"InstallDir\"\n")));
    EXPECT_EQ("/srv/t/", state.TargetDir);
}

}  // namespace
}  // namespace installer::test

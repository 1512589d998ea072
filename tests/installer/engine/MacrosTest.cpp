// The macro values and their two forms of reference.
#include <gtest/gtest.h>

#include "InstallerTestSupport.h"
#include "installer/engine/Macros.h"

namespace installer::test {
namespace {

MacroValues Sample() {
    MacroValues m;
    m.Set("SRCDIR", "/media/dist/");
    m.Set("TARGETDIR", "/opt/Tool/");
    m.Set("ARG6", "{SRCDIR}");  // an earlier name: stays as it is
    m.Set("PRODUCT_NAME", "Tool");
    m.Set("COMPANY_NAME", "{PRODUCT_NAME} Inc");
    m.Set("PRODUCT_VERSION", "{PRODUCT_VERSION}");  // holds its own name
    m.Set("TYPE_SELECT", "1");
    return m;
}

TEST(ExpandMacros, PathTokens) {
    struct Case {
        const char* text;
        bool ok;
        const char* want;
    } cases[] = {
        {"TARGETDIR+\"Data\"", true, "/opt/Tool/Data"},
        {"Tool TARGETDIR+\"Bin\"", true, "/opt/Tool/Bin"},        // text before the name is dropped
        {"TARGETDIR+\"SRCDIR\"", true, "/opt/Tool/SRCDIR"},       // names only before the '+'
        {"TARGETDIR", true, "/opt/Tool/"},                        // no '+': the value alone
        {"+\"/abs/file\"", true, "/abs/file"},                    // no name: the quoted text
        {"TARGETDIR+\"a\",10", true, "/opt/Tool/a"},              // cut at the first ','
        {"TARGETDIR+\"bin\\tool\"", true, "/opt/Tool/bin/tool"},  // '\' of Windows files
        {"TARGETDIR+\"/x\"", true, "/opt/Tool/x"},                // doubled '/' joined
        {"ARG6+\"/*.*\"", true, "{SRCDIR}/*.*"},
        {"TARGETDIR+\"open", false, "TARGETDIR+\"open"},  // incomplete quotes
        {"TARGETDIR+data", false, "TARGETDIR+data"},
    };
    MacroValues m = Sample();
    for (const Case& c : cases) {
        std::string t = c.text;
        EXPECT_EQ(c.ok, ExpandMacros(m, t)) << c.text;
        EXPECT_EQ(c.want, t) << c.text;
    }
}

TEST(ExpandBraceMacros, NamesInBraces) {
    struct Case {
        const char* text;
        const char* want;
    } cases[] = {
        {"{TARGETDIR}{TARGETDIR}", "/opt/Tool//opt/Tool/"},
        {"{targetdir}", "{targetdir}"},
        {"x{UNKNOWN}y", "x{UNKNOWN}y"},
        {"{TYPE_SELECT}:{ARG6}.", "1:{SRCDIR}."},
        // A later name expands what an earlier one inserted; a name's own value is never
        // expanded again for that name.
        {"{COMPANY_NAME}", "Tool Inc"},
        {"{PRODUCT_VERSION}!", "{PRODUCT_VERSION}!"},
        {"{PRODUCT_NAME}{COMPANY_NAME}", "ToolTool Inc"},
    };
    MacroValues m = Sample();
    for (const Case& c : cases) {
        std::string t = c.text;
        ExpandBraceMacros(m, t);
        EXPECT_EQ(c.want, t) << c.text;
    }
}

TEST(InitMacroValues, TakesTheStateAndThePlatformNow) {
    Sandbox box;
    ASSERT_TRUE(box.Contained());
    SetupState s;
    s.InstallerPath = "/media/dist/haldimon";
    s.TargetDir = "/opt/Tool/";
    s.Arg6 = "a6";
    s.ProgramFolderName = "Menu";
    s.CompanyName = "Maker";
    s.ProductName = "Tool";
    s.ProductVersion = "3";
    s.CustomInstall = 1;
    MacroValues m = InitMacroValues(s, box.platform);
    EXPECT_EQ("/media/dist/", m.Get("SRCDIR"));
    EXPECT_EQ("/", m.Get("SRCDISK"));
    EXPECT_EQ((box.root / "tmp").string() + "/", m.Get("SUPPORTDIR"));
    EXPECT_EQ("/opt/Tool/", m.Get("TARGETDIR"));
    EXPECT_EQ("/", m.Get("TARGETDISK"));
    EXPECT_EQ(box.platform.WinDir, m.Get("WINDIR"));
    EXPECT_EQ("/", m.Get("WINDISK"));
    EXPECT_EQ(box.platform.WinSysDir, m.Get("WINSYSDIR"));
    EXPECT_EQ("/", m.Get("WINSYSDISK"));
    EXPECT_EQ("a6", m.Get("ARG6"));
    EXPECT_EQ("Menu", m.Get("PROGRAM_FOLDER_NAME"));
    EXPECT_EQ("Maker", m.Get("COMPANY_NAME"));
    EXPECT_EQ("Tool", m.Get("PRODUCT_NAME"));
    EXPECT_EQ("3", m.Get("PRODUCT_VERSION"));
    EXPECT_EQ("1", m.Get("TYPE_SELECT"));
    s.CustomInstall = 0;
    EXPECT_EQ("0", InitMacroValues(s, box.platform).Get("TYPE_SELECT"));
    EXPECT_EQ("", m.Get("NOT_A_MACRO"));
}

TEST(KeyStore, RoundTripAndDefaultValue) {
    Sandbox box;
    ASSERT_TRUE(box.Contained());
    KeyStore k(box.platform.KeyStoreDir);
    EXPECT_FALSE(k.GetString("HKEY_CURRENT_USER", "Software\\A", "v"));
    ASSERT_TRUE(k.SetString("HKEY_CURRENT_USER", "Software\\A", "v", "one \"two\" ; three"));
    ASSERT_TRUE(k.SetString("HKEY_CURRENT_USER", "Software\\A", "", "default"));
    ASSERT_TRUE(k.SetString("HKEY_CURRENT_USER", "Software\\A", "v", "replaced"));
    EXPECT_EQ("replaced", k.GetString("HKEY_CURRENT_USER", "software\\a", "V"));
    EXPECT_EQ("default", k.GetString("HKEY_CURRENT_USER", "Software\\A", ""));
    EXPECT_FALSE(k.SetString("hkey_current_user", "Software\\A", "v", "x"));
    EXPECT_FALSE(k.SetString("HKEY_CURRENT_USER", "Software\\A", "v", "two\nlines"));
    ASSERT_TRUE(k.SetString("HKEY_CURRENT_USER", "Software\\A", "q", "\"quoted\""));
    EXPECT_EQ("\"quoted\"", k.GetString("HKEY_CURRENT_USER", "Software\\A", "q"));
    // One file per root, the subkey as section, "@" for the default value.
    std::string text = ::test::ReadFile(box.platform.KeyStoreDir / "HKEY_CURRENT_USER.ini");
    EXPECT_NE(std::string::npos, text.find("[Software\\A]"));
    EXPECT_NE(std::string::npos, text.find("@=\"default\""));
    EXPECT_FALSE(k.GetString("HKEY_LOCAL_MACHINE", "Software\\A", "v"));
}

TEST(KeyStore, DeleteTreeTakesTheSubkeysBelowWithoutLetterCase) {
    Sandbox box;
    ASSERT_TRUE(box.Contained());
    KeyStore k(box.platform.KeyStoreDir);
    const char* root = "HKEY_LOCAL_MACHINE";
    k.SetString(root, "Software\\Maker", "keep", "1");
    k.SetString(root, "Software\\Maker\\Tool", "a", "1");
    k.SetString(root, "Software\\Maker\\Tool", "b", "2");
    k.SetString(root, "Software\\Maker\\Tool\\Sub\\Deep", "c", "3");
    k.SetString(root, "Software\\Maker\\ToolBox", "d", "4");  // a sibling with the same start
    ASSERT_TRUE(k.DeleteTree(root, "software\\MAKER\\tool"));
    EXPECT_FALSE(k.GetString(root, "Software\\Maker\\Tool", "a"));
    EXPECT_FALSE(k.GetString(root, "Software\\Maker\\Tool", "b"));
    EXPECT_FALSE(k.GetString(root, "Software\\Maker\\Tool\\Sub\\Deep", "c"));
    EXPECT_EQ("4", k.GetString(root, "Software\\Maker\\ToolBox", "d"));
    EXPECT_EQ("1", k.GetString(root, "Software\\Maker", "keep"));
    EXPECT_TRUE(k.DeleteTree(root, "Software\\Absent"));
    EXPECT_FALSE(k.DeleteTree(root, ""));  // never the whole root
    EXPECT_EQ("1", k.GetString(root, "Software\\Maker", "keep"));
    // The last key gone, the root's file goes too, and the store leaves no lock file.
    ASSERT_TRUE(k.DeleteTree(root, "Software"));
    EXPECT_FALSE(fs::exists(k.FileOf(root)));
    EXPECT_TRUE(fs::is_empty(box.platform.KeyStoreDir));
}

}  // namespace
}  // namespace installer::test

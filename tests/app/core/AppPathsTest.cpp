// Tests of the application's folders and settings-path functions.
#include "app/core/AppPaths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {
constexpr size_t npos = std::string_view::npos;

AppPaths Paths() {
    AppPaths p;
    p.SetConfigFolder("/home/Ann/.local/share/Morvalen");
    p.SetProgramFolder("/opt/morvalen/bin/");
    p.SetLocalAppFolder("/home/Ann/.local/share/");
    return p;
}
}  // namespace

TEST(AppPaths, Folders) {
    AppPaths p = Paths();
    EXPECT_EQ(p.ConfigFolder, "/home/Ann/.local/share/Morvalen/");
    EXPECT_EQ(p.IniPath, "/home/Ann/.local/share/Morvalen/MV_System.ini");
    EXPECT_EQ(p.ProgramFolder, "/opt/morvalen/bin/");
    EXPECT_EQ(p.LocalAppFolder(), "/home/Ann/.local/share");
    std::string out;
    EXPECT_EQ(p.GetConfigFolder(out), 1);
    EXPECT_EQ(out, p.ConfigFolder);
    EXPECT_EQ(p.GetProgramFolder(out), 1);
    EXPECT_EQ(out, p.ProgramFolder);

    AppPaths q;
    ASSERT_TRUE(q.InitProgramFolder());
    EXPECT_EQ(std::filesystem::path(q.ProgramFolder).parent_path(),
              std::filesystem::path(MORVALEN_BINARY_DIR) / "bin");
}

TEST(AppPaths, MakeConfigPath) {
    AppPaths p = Paths();
    struct Case {
        const char* name;
        std::string expected;
    } cases[] = {
        {"MV_Machine.nmd", p.ConfigFolder + "MV_Machine.nmd"},
        {"Die/a.DAT", p.ConfigFolder + "Die/a.DAT"},
        {"", p.ConfigFolder},
        {"/srv/nc/a.nmd", "/srv/nc/a.nmd"},
        {"D:\\x\\a.nmd", "D:\\x\\a.nmd"},  // written on Windows: left alone
        {"\\\\srv\\s\\a.nmd", "\\\\srv\\s\\a.nmd"},
    };
    for (const Case& c : cases) EXPECT_EQ(p.MakeConfigPath(c.name), c.expected) << c.name;
    EXPECT_EQ(p.MakeProgramPath("MVDXF.HED"), "/opt/morvalen/bin/MVDXF.HED");
}

TEST(AppPaths, ConvertConfigRelativePath) {
    AppPaths p = Paths();
    struct Case {
        int toAbsolute;
        std::string path, expected;
        int result;
    } cases[] = {
        {0, p.ConfigFolder + "sub/a.ctb", "sub/a.ctb", 1},
        {0, "/HOME/ann/.LOCAL/share/morvalen/Sub/a.ctb", "Sub/a.ctb", 1},  // case ignored, kept
        {0, p.ConfigFolder + "a.ctb", "a.ctb", 1},
        {0, "/other/a.ctb", "/other/a.ctb", 0},
        // The folder's name deeper in a path is another folder and stays.
        {0, "/backup" + p.ConfigFolder + "a.ctb", "/backup" + p.ConfigFolder + "a.ctb", 0},
        {0, "a.ctb", "a.ctb", 0},
        {0, "", "", 0},
        {1, "\\a.ctb", p.ConfigFolder + "a.ctb", 0},
        {1, "sub/a.ctb", p.ConfigFolder + "sub/a.ctb", 0},
        {1, "/srv/a.ctb", "/srv/a.ctb", 0},
        {1, "", "", 0},
    };
    for (const Case& c : cases) {
        std::string path = c.path;
        EXPECT_EQ(p.ConvertConfigRelativePath(c.toAbsolute, path), c.result) << c.path;
        EXPECT_EQ(path, c.expected) << c.path;
    }
}

TEST(AppPaths, ConvertLocalAppPath) {
    AppPaths p = Paths();
    struct Case {
        int expand;
        std::string path, expected;
        int result;
    } cases[] = {
        {0, "/home/Ann/.local/share/Morvalen/MV_Machine.nmd",
         "<LOCAL_APP_NAME>/Morvalen/MV_Machine.nmd", 1},
        {0, "/HOME/ANN/.local/share/Morvalen/TOOL/a.DAT", "<LOCAL_APP_NAME>/Morvalen/TOOL/a.DAT",
         1},
        {0, "/home/Ann/.local/shared/a.DAT", "/home/Ann/.local/shared/a.DAT", 0},  // not the folder
        {0, "/srv/a.DAT", "/srv/a.DAT", 0},
        {0, "a.DAT", "a.DAT", 0},
        {1, "<LOCAL_APP_NAME>/Morvalen/MV_Machine.nmd",
         "/home/Ann/.local/share/Morvalen/MV_Machine.nmd", 1},
        {1, "<local_app_name>/Morvalen/x.ctb", "/home/Ann/.local/share/Morvalen/x.ctb", 1},
        {1, "/srv/<LOCAL_APP_NAME>.nmd", "/srv/<LOCAL_APP_NAME>.nmd", 0},  // in the name: stays
        {1, "/srv/a.nmd", "/srv/a.nmd", 0},
    };
    for (const Case& c : cases) {
        std::string path = c.path;
        EXPECT_EQ(p.ConvertLocalAppPath(c.expand, path), c.result) << c.path;
        EXPECT_EQ(path, c.expected) << c.path;
    }
    // Collapsing and expanding give the original path back, case and all.
    std::string path = "/home/Ann/.local/share/Morvalen/Die Files/表.DAT";
    ASSERT_EQ(p.ConvertLocalAppPath(0, path), 1);
    ASSERT_EQ(p.ConvertLocalAppPath(1, path), 1);
    EXPECT_EQ(path, "/home/Ann/.local/share/Morvalen/Die Files/表.DAT");
}

TEST(AppPaths, SplitPath) {
    std::string folder = "keep", name;
    EXPECT_EQ(AppPaths::SplitPath("/a/b/c.nc", folder, name), 1);
    EXPECT_EQ(folder, "/a/b/");
    EXPECT_EQ(name, "c.nc");
    folder = "keep";
    EXPECT_EQ(AppPaths::SplitPath("c.nc", folder, name), 0);
    EXPECT_EQ(folder, "keep");
    EXPECT_EQ(name, "c.nc");
}

TEST(AppPaths, FindLastCharMbcs) {
    struct Case {
        std::string text;
        char ch;
        size_t expected;
    } cases[] = {
        {"C:\\\x95\x5C"
         "a",
         '\\', 2},  // not 4: that 0x5C is the trail byte of 表
        {"C:\\\x95\x5C"
         "a",
         '\0', 6},  // the terminator
        {"\x95\x5C", '\\', npos},
        {"prog.v1.MPF", '.', 7},
        {"x\\\x81", '\\', 1},  // a lead byte at the end stays inside the text
    };
    for (const Case& c : cases) EXPECT_EQ(FindLastCharMbcs(c.text, c.ch), c.expected) << c.text;
}

// Configuration folder scenarios on temporary trees, with the layout flags injected.
#include "app/core/CConfigFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "TempDir.h"
#include "TestFiles.h"
#include "platform/Profile.h"
#include "platform/ScriptedPrompt.h"

namespace fs = std::filesystem;

namespace {

struct Tree {
    test::TempDir tmp;
    fs::path program = tmp.path() / "opt" / "Morvalen";
    fs::path local = tmp.path() / "home" / "share";
    fs::path store = local / "VirtualStore" / program.relative_path();

    ConfigEnvironment Env(bool uac, bool inProgramFiles, bool oldWindows = false) {
        ConfigEnvironment env;
        env.ProgramFolder = program;
        env.LocalAppDataFolder = local;
        env.ProgramFilesFolders = {(tmp.path() / "opt").string()};
        env.UacOn = uac;
        env.InProgramFiles = inProgramFiles;
        env.OldWindows = oldWindows;
        return env;
    }
};

class FakeProfile : public ProfileValueSource {
public:
    std::map<std::string, int> ints;
    std::optional<int> GetInt(const std::string& s, const std::string& k) override {
        auto it = ints.find(s + "/" + k);
        if (it == ints.end()) return std::nullopt;
        return it->second;
    }
    std::optional<std::string> GetString(const std::string& s, const std::string& k) override {
        if (s == "System" && k == "BeforeOpenFileName") return std::string("/nc/last.nc");
        return std::nullopt;
    }
};

}  // namespace

TEST(CConfigFolder, OldLayoutUsesProgramFolderAndCreatesNothing) {
    for (bool oldWindows : {true, false}) {
        Tree t;
        fs::create_directories(t.program);
        test::WriteFile(t.program / "MV_System.ini", "[System]\r\n");
        CConfigFolder f(t.Env(true, !oldWindows ? false : true, oldWindows));
        EXPECT_EQ(f.ConfigFolder, t.program / "");
        EXPECT_EQ(f.ToolFolder, t.program / "TOOL" / "");
        EXPECT_EQ(f.IniPath, t.program / "MV_System.ini");
        EXPECT_TRUE(f.OldFolder.empty());
        EXPECT_FALSE(fs::exists(t.local));
        for (const auto& l : f.OldFileLists) EXPECT_TRUE(l.empty());
        EXPECT_FALSE(f.HasOldSettings());
        EXPECT_EQ(f.MigrateOldSettings(), 1);
        EXPECT_EQ(f.DeleteOldSettings(), 1);
        EXPECT_TRUE(fs::exists(t.program / "MV_System.ini"));
        // Only the profile copy runs, once.
        f.MigrateProfile();
        EXPECT_EQ(platform::GetProfileInt("Version", "Version", 0, f.IniPath), 1);
    }
}

TEST(CConfigFolder, LinuxDefaultIsPerUserFolderWithInstallationCopiedIn) {
    Tree t;
    test::WriteFile(t.program / "MV_System.ini", "[System]\r\nShipped=1\r\n");
    test::WriteFile(t.program / "TOOL" / "STD.DAT", "dies");
    ConfigEnvironment env;
    env.ProgramFolder = t.program;
    env.LocalAppDataFolder = t.local;
    CConfigFolder f(env);
    EXPECT_EQ(f.ConfigFolder, t.local / "Morvalen" / "");
    EXPECT_TRUE(fs::is_directory(t.local / "Morvalen" / "TOOL"));
    EXPECT_TRUE(fs::is_directory(t.local / "Morvalen" / "BAK"));
    platform::ScriptedPrompt prompt;
    SettleConfigFolder(f, &prompt);
    EXPECT_TRUE(prompt.asked.empty());
    EXPECT_EQ(platform::GetProfileInt("System", "Shipped", 0, f.IniPath), 1);
    EXPECT_EQ(test::ReadFile(f.ToolFolder / "STD.DAT"), "dies");
    // A second start copies nothing over the user's own settings.
    platform::WriteProfileString("System", "Shipped", std::string_view("2"), f.IniPath);
    CConfigFolder again(env);
    SettleConfigFolder(again, &prompt);
    EXPECT_EQ(platform::GetProfileInt("System", "Shipped", 0, f.IniPath), 2);
    EXPECT_TRUE(prompt.asked.empty());
}

TEST(CConfigFolder, FirstStartAfterUpdateMovesRedirectedSettingsOverInstalledOnes) {
    Tree t;
    test::WriteFile(t.program / "MV_Machine.nmd", "[NcRead]\r\nFrom=install\r\n");
    test::WriteFile(t.store / "MV_Machine.nmd",
                    "[NcRead]\r\nFrom=old\r\n[Punch]\r\nPossessedToolFileName=" +
                        (t.tmp.path() / "opt" / "Morvalen" / "TOOL" / "a.dat").string() + "\r\n");
    test::WriteFile(t.store / "Za_Reve.ntd", "[Tool]\r\n");
    test::WriteFile(t.store / "TOOL" / "sub" / "B.ARR", "arr");
    CConfigFolder f(t.Env(true, true));
    ASSERT_EQ(f.OldFileLists[1].size(), 1u);
    ASSERT_EQ(f.OldFileLists[6].size(), 1u);
    EXPECT_FALSE(f.HasOldSettings());  // nothing collides yet: no question
    platform::ScriptedPrompt prompt;
    EXPECT_EQ(SettleConfigFolder(f, &prompt), platform::PromptAnswer::Yes);
    EXPECT_TRUE(prompt.asked.empty());
    EXPECT_EQ(f.VirtToAppMoved, 0);

    platform::ProfileFile nmd;
    ASSERT_TRUE(nmd.Load(f.ConfigFolder / "MV_Machine.nmd"));
    EXPECT_EQ(nmd.GetString("NcRead", "From", ""), "old");
    EXPECT_EQ(nmd.GetString("Version", "Version", ""), "1");
    EXPECT_EQ(nmd.GetString("Punch", "PossessedToolFileName", ""),
              "<LOCAL_APP_NAME>/Morvalen/TOOL/a.dat");
    EXPECT_EQ(test::ReadFile(f.BakFolder / "MV_Machine.nmd"), "[NcRead]\r\nFrom=install\r\n");
    EXPECT_EQ(platform::GetProfileString("Version", "Version", "", f.ConfigFolder / "Za_Reve.ntd"),
              "1");
    EXPECT_EQ(test::ReadFile(f.ToolFolder / "B.ARR"), "arr");  // sub-folder not kept
    EXPECT_FALSE(fs::exists(t.store / "MV_Machine.nmd"));
}

TEST(CConfigFolder, CollisionAsksAndFollowsTheAnswer) {
    struct Case {
        platform::PromptAnswer answer;
        bool oldStays, moved, flag;
    };
    const Case cases[] = {
        {platform::PromptAnswer::Yes, false, true, true},
        {platform::PromptAnswer::No, false, false, false},
        {platform::PromptAnswer::Cancel, true, false, false},
    };
    for (const auto& c : cases) {
        Tree t;
        test::WriteFile(t.local / "Morvalen" / "A.CTB", "current");
        test::WriteFile(t.store / "A.CTB", "old");
        CConfigFolder f(t.Env(true, true));
        ASSERT_TRUE(f.HasOldSettings());
        platform::ScriptedPrompt prompt;
        prompt.answers = {c.answer};
        SettleConfigFolder(f, &prompt);
        ASSERT_EQ(prompt.asked.size(), 1u);
        EXPECT_EQ(prompt.asked[0].buttons, platform::PromptButtons::YesNoCancel);
        EXPECT_EQ(fs::exists(t.store / "A.CTB"), c.oldStays);
        EXPECT_EQ(test::ReadFile(f.ConfigFolder / "A.CTB"), c.moved ? "old" : "current");
        if (c.moved) {
            EXPECT_EQ(test::ReadFile(f.BakFolder / "A.CTB"), "current");
        }
        CConfigFolder next(t.Env(true, true));
        EXPECT_EQ(next.VirtToAppMoved, c.flag ? 1 : 0);
        EXPECT_EQ(next.HasOldSettings(), c.oldStays);
    }
}

TEST(CConfigFolder, UacOffTakesOldSettingsFromProgramFolder) {
    Tree t;
    test::WriteFile(
        t.program / "MV_System.ini",
        "[NcRead]\r\nFileName=" + (t.tmp.path() / "OPT" / "Morvalen" / "M.nmd").string() + "\r\n");
    CConfigFolder f(t.Env(false, true));
    EXPECT_EQ(f.OldFolder, t.program / "");
    EXPECT_TRUE(f.ProgramFileLists[0].empty());
    SettleConfigFolder(f, nullptr);
    EXPECT_FALSE(fs::exists(t.program / "MV_System.ini"));
    EXPECT_EQ(platform::GetProfileString("NcRead", "FileName", "", f.IniPath),
              "<LOCAL_APP_NAME>/Morvalen/M.nmd");
}

TEST(CConfigFolder, ToPortablePathMatchesWholeFoldersIgnoringCase) {
    ConfigEnvironment env;
    env.ProgramFolder = "/nowhere/bin";
    env.LocalAppDataFolder = test::TempDir().path();
    env.UacOn = env.InProgramFiles = false;
    env.ProgramFilesFolders = {"/opt/", "/usr"};
    CConfigFolder f(env);
    struct Case {
        const char* in;
        const char* out;
        int result;
    };
    const Case cases[] = {
        {"/OPT/Morvalen/TOOL/a.dat", "<LOCAL_APP_NAME>/Morvalen/TOOL/a.dat", 1},
        {"/optional/a.dat", "/optional/a.dat", 0},
        {"/usr/share/m.nmd", "<LOCAL_APP_NAME>/share/m.nmd", 1},
        {"/opt", "/opt", 0},  // a bare name has no folder part
        {"m.nmd", "m.nmd", 0},
    };
    for (const auto& c : cases) {
        std::string p = c.in;
        EXPECT_EQ(f.ToPortablePath(p), c.result) << c.in;
        EXPECT_EQ(p, c.out);
    }
}

TEST(CConfigFolder, ProfileValuesCopiedOnceWithDefaults) {
    Tree t;
    FakeProfile profile;
    profile.ints["MainView/ViewType"] = 4;
    ConfigEnvironment env = t.Env(true, true);
    env.Profile = &profile;
    CConfigFolder f(env);
    f.MigrateProfile();
    platform::ProfileFile ini;
    ini.Load(f.IniPath);
    EXPECT_EQ(ini.GetInt("MainView", "ViewType", -5), 4);
    EXPECT_EQ(ini.GetInt("NcInfoView", "SizeX", -5), 272);
    EXPECT_EQ(ini.GetInt("SetToolDlg", "ColumnWidth4", -5), 50);
    EXPECT_EQ(ini.GetInt("06RSmoothDlg", "PositionY", 0), -1);
    EXPECT_EQ(ini.GetString("System", "BeforeOpenFileName", ""), "/nc/last.nc");
    EXPECT_EQ(ini.GetInt("Version", "Version", 0), 1);
    size_t keys = 0;
    for (const auto& s : ini.SectionNames()) keys += ini.KeyNames(s).size();
    EXPECT_EQ(keys, 34u);
    platform::WriteProfileString("MainView", "ViewType", std::string_view("1"), f.IniPath);
    f.MigrateProfile();
    EXPECT_EQ(platform::GetProfileInt("MainView", "ViewType", 0, f.IniPath), 1);
}

TEST(CConfigFolder, FolderThatCannotBeMadeShowsFixedMessage) {
    test::TempDir tmp;
    test::WriteFile(tmp.path() / "file", "x");
    ConfigEnvironment env;
    env.ProgramFolder = tmp.path() / "bin";
    env.LocalAppDataFolder = tmp.path() / "file";  // a file, not a folder
    platform::ScriptedPrompt prompt;
    env.Prompt = &prompt;
    CConfigFolder f(env);
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_NE(prompt.asked[0].text.find("Error no : 1000"), std::string::npos);
    EXPECT_EQ(prompt.asked[0].icon, platform::PromptIcon::Error);
}

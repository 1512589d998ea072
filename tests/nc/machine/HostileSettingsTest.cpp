// Settings folders a user may leave behind: a folder, a device or an unreadable file in place of
// a settings file, garbage numbers. Loading says what is wrong, uses the defaults and never
// writes a byte of such a file.
#include <gtest/gtest.h>

#include <map>

#include "MachineTestSupport.h"
#include "Unprivileged.h"
#include "nc/machine/CSystemData.h"

using machine_test::ConfigFixture;
using machine_test::ReadAll;
using machine_test::WriteAll;
namespace fs = std::filesystem;

namespace {

// Every file under folder with its bytes (folders as "<folder>").
std::map<fs::path, std::string> Snapshot(const fs::path& folder) {
    std::map<fs::path, std::string> out;
    for (const auto& e : fs::recursive_directory_iterator(folder)) {
        std::error_code ec;
        if (e.is_symlink(ec))
            out[e.path()] = "<link>";
        else if (e.is_directory(ec))
            out[e.path()] = "<folder>";
        else if (e.is_regular_file(ec))
            out[e.path()] = ReadAll(e.path());
    }
    return out;
}

bool AskedPart(const platform::ScriptedPrompt& prompt, const std::string& part) {
    for (const auto& a : prompt.asked)
        if (a.text.find(part) != std::string::npos) return true;
    return false;
}

}  // namespace

TEST(HostileSettings, UnusableFilesAreReportedAndNeverWritten) {
    struct Case {
        const char* name;
        void (*make)(const fs::path& config);
        const char* message;  // a part of the message the user gets
    };
    const Case cases[] = {
        {"MV_System.ini is a folder",
         [](const fs::path& c) { fs::create_directories(c / "MV_System.ini" / "inside"); },
         "The settings file cannot be read:\n[%CONFIG%/MV_System.ini]"},
        {"MV_Machine.nmd is a folder",
         [](const fs::path& c) { fs::create_directories(c / "MV_Machine.nmd"); },
         "The settings file cannot be read:\n[%CONFIG%/MV_Machine.nmd]"},
        {"machine file is a device",
         [](const fs::path& c) {
             WriteAll(c / "MV_System.ini",
                      "[System]\r\nForbidPunchApp=0\r\nForbidSheetRead=0\r\nAppMachineType=0"
                      "\r\n[NcRead]\r\nFileName=/dev/zero\r\n");
         },
         "The settings file cannot be read:\n[/dev/zero]"},
        {"condition table is a folder",
         [](const fs::path& c) { fs::create_directories(c / "Za_Reve.ntd"); },
         "The settings file cannot be read:\n[%CONFIG%/Za_Reve.ntd]"},
        {"garbage numbers",
         [](const fs::path& c) {
             WriteAll(c / "MV_Machine.nmd",
                      "[NcRead]\r\nCutPenWide=2147483647\r\nFrameX=1e308\r\nFrameY=nan\r\n"
                      "ClampPoint1=-inf\r\n"
                      "HolderR1=1e999\r\nFrameXmin=12.5\r\nSHL_OverMin=NaN\r\n");
         },
         "holds values that are no usable numbers.\nThe defaults are used for these keys; the "
         "file is left as it is:\n[NcRead] CutPenWide\n[NcRead] FrameX\n[NcRead] FrameY\n[NcRead] "
         "ClampPoint1\n"
         "[NcRead] HolderR1\n[NcRead] SHL_OverMin\n"},
    };
    for (const Case& c : cases) {
        ConfigFixture f;
        c.make(f.dir.path());
        const auto before = Snapshot(f.dir.path());
        CSystemData s(&f.ctx);
        EXPECT_EQ(s.Load(), 1) << c.name;
        std::string message = c.message;
        const size_t at = message.find("%CONFIG%");
        if (at != std::string::npos) message.replace(at, 8, f.dir.path().string());
        EXPECT_TRUE(AskedPart(f.prompt, message)) << c.name;
        EXPECT_EQ(f.prompt.asked.size(), 1u) << c.name;
        // Defaults for what could not be used; numbers that were fine are taken.
        EXPECT_EQ(s.NcReadInfo.FrameX, 1840.0) << c.name;
        EXPECT_EQ(s.NcReadInfo.ClampPoint[0], CNcReadInfo().ClampPoint[0]) << c.name;
        EXPECT_EQ(s.NcReadInfo.SHL_OverMin, 0.05) << c.name;
        EXPECT_EQ(s.NcReadInfo.PenWide[2], 2) << c.name;
        EXPECT_EQ(s.ToolData.RowCount(), 10u) << c.name;
        // Nothing that was there changed; a missing file may be made (the Part's write-back).
        const auto after = Snapshot(f.dir.path());
        for (const auto& [file, bytes] : before) {
            ASSERT_TRUE(after.count(file)) << c.name << ": " << file;
            EXPECT_EQ(after.at(file), bytes) << c.name << ": " << file;
        }
        // A save afterwards leaves a folder in place of a settings file alone as well.
        s.Save();
        const auto saved = Snapshot(f.dir.path());
        for (const auto& [file, bytes] : before) {
            if (bytes == "<folder>") {
                EXPECT_EQ(saved.at(file), "<folder>") << c.name << ": " << file;
            }
        }
    }
    ConfigFixture g;
    WriteAll(g.dir.path() / "MV_Machine.nmd", "[NcRead]\r\nFrameXmin=12.5\r\n");
    CSystemData fine(&g.ctx);
    fine.Load();
    EXPECT_EQ(fine.NcReadInfo.FrameXmin, 12.5);
}

// A settings file the user may not read (another user's, or mode 000) is never replaced by
// defaults; the load says so. As the super-user the check runs as "nobody".
TEST(HostileSettings, UnreadableSystemSettingsStayAsTheyAre) {
    ConfigFixture f;
    test::GiveToEveryone(f.dir.path(), f.dir.path().parent_path());
    WriteAll(f.ctx.IniPath, "[System]\r\nCreateBackupFile=0\r\n");
    fs::permissions(f.ctx.IniPath, fs::perms::owner_write);  // 0200: writable, not readable
    const bool ok = test::RunUnprivileged([&] {
        platform::ScriptedPrompt prompt;
        NcAppContext ctx = f.ctx;
        ctx.Prompt = &prompt;
        CSystemData s(&ctx);
        s.Load();
        s.Save();
        return s.CreateBackupFile == 1 &&  // the default: the file's value could not be read
               AskedPart(prompt, "The settings file cannot be read:\n[" + ctx.IniPath.string());
    });
    fs::permissions(f.ctx.IniPath, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_TRUE(ok);
    EXPECT_EQ(ReadAll(f.ctx.IniPath), "[System]\r\nCreateBackupFile=0\r\n");
}

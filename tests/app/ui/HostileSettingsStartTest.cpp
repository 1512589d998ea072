// The program started on settings folders a user may leave behind: it says what is wrong,
// shows its window with the file, and never writes the files it could not use (a readable
// MV_System.ini takes the program's own state as always).
#include <unistd.h>

#include <fstream>

#include "TestFiles.h"
#include "app/ui/AppFixture.h"

namespace fs = std::filesystem;
using HostileSettingsStart = AppFixture;

TEST_F(HostileSettingsStart, SaysWhatIsWrongAndRunsOn) {
    const std::string keys =
        "[System]\r\nForbidPunchApp=0\r\nForbidSheetRead=0\r\nAppMachineType=0\r\n";
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, std::string>> files;  // "name/" makes a folder
        const char* said;
        bool asRootToo = true;
    };
    const Case cases[] = {
        {"MV_System.ini is a folder", {{"MV_System.ini/", ""}}, "The settings file cannot be read"},
        {"MV_Machine.nmd is a folder",
         {{"MV_System.ini", keys}, {"MV_Machine.nmd/", ""}},
         "The settings file cannot be read"},
        {"die file is a device",
         {{"MV_System.ini", keys},
          {"MV_Machine.nmd",
           "[NcRead]\r\nLaserPunch=1\r\nSHL_OverMin=0.050\r\nIn_AbsInc=0\r\n[Punch]\r\n"
           "PossessedToolFileName=/dev/zero\r\nArrangedToolFileName=/dev/zero\r\n"}},
         "Punch data file open error\n[/dev/zero]"},
        {"garbage numbers",
         {{"MV_System.ini", keys},
          {"MV_Machine.nmd",
           "[NcRead]\r\nLaserPunch=1\r\nFrameX=1e308\r\nFrameY=nan\r\nCutPenWide=99999999\r\n"}},
         "holds values that are no usable numbers"},
        {"MV_System.ini unreadable",
         {{"MV_System.ini", keys}},
         "The settings file cannot be read",
         false},
    };
    for (const Case& c : cases) {
        if (!c.asRootToo && ::geteuid() == 0) continue;  // the super-user reads every file
        fs::remove_all(ConfigFolder());
        fs::create_directories(ConfigFolder());
        for (const auto& [name, bytes] : c.files) {
            if (name.back() == '/')
                fs::create_directories(ConfigFolder() / name / "inside");
            else
                test::WriteFile(ConfigFolder() / name, bytes);
        }
        if (!c.asRootToo) fs::permissions(ConfigFolder() / "MV_System.ini", fs::perms::owner_write);
        ASSERT_TRUE(Start({"/US", Sample()})) << c.name;
        EXPECT_TRUE(Asked(c.said)) << c.name;
        EXPECT_TRUE(Frame()->isVisible()) << c.name;
        EXPECT_FALSE(app_->Document->Lines.empty()) << c.name;
        for (const auto& [name, bytes] : c.files) {
            if (name.back() == '/') {
                EXPECT_TRUE(fs::is_directory(ConfigFolder() / name)) << c.name;
            } else if (name != "MV_System.ini") {  // a readable one keeps the program's own state
                EXPECT_EQ(test::ReadFile(ConfigFolder() / name), bytes) << c.name << ": " << name;
            }
        }
        if (!c.asRootToo) {
            fs::permissions(ConfigFolder() / "MV_System.ini", fs::perms::owner_all);
            EXPECT_EQ(test::ReadFile(ConfigFolder() / "MV_System.ini"), keys);
        }
        Frame()->close();
        app_.reset();
    }
}

// Tests of the work-time library: stand-ins built by the tests in folders of their own.
#include <gtest/gtest.h>

#include <filesystem>

#include "TempDir.h"
#include "nc/NcAppContext.h"
#include "nc/machine/CNcReadInfo.h"
#include "nc/read/CNcRead.h"
#include "platform/Profile.h"

namespace {

std::filesystem::path StubFolder(const char* kind) {
    return std::filesystem::path(MORVALEN_BINARY_DIR) / "tests" / "worktime" / kind;
}

class WorkTimeTest : public ::testing::Test {
protected:
    WorkTimeTest() {
        app.ConfigFolder = dir.path();
        app.IniPath = dir.path() / "MV_System.ini";
    }
    void UseFolder(const std::filesystem::path& folder) {
        ASSERT_TRUE(platform::WriteProfileString("SPECIAL", "Selvane-Folder", folder.string(),
                                                 app.IniPath));
    }
    test::TempDir dir;
    NcAppContext app;
    CNcReadInfo settings;
    CNcRead reader{&app};
};

TEST_F(WorkTimeTest, LibraryGivesTheTime) {
    ASSERT_TRUE(std::filesystem::exists(StubFolder("ok") / "libVEV2OVO.so"));
    UseFolder(StubFolder("ok"));
    reader.SetProgram({"G01 X1."}, &settings, nullptr, 0);
    EXPECT_EQ(reader.WorkTime, 1234);
    reader.WorkTime = 0;
    EXPECT_EQ(reader.LoadWorkTime(), 1);
    EXPECT_EQ(reader.WorkTime, 1234);
}

TEST_F(WorkTimeTest, LibraryAbsent) {
    reader.SetProgram({"G01 X1."}, &settings, nullptr, 0);  // no folder configured
    EXPECT_EQ(reader.WorkTime, 0);
    UseFolder(dir.path());  // a folder without the library
    EXPECT_EQ(reader.LoadWorkTime(), 0);
    EXPECT_EQ(reader.WorkTime, 0);
    CNcRead noApp;
    EXPECT_EQ(noApp.LoadWorkTime(), 0);
}

TEST_F(WorkTimeTest, RefusalOrMissingFunctionGivesNoTime) {
    UseFolder(StubFolder("fail"));
    reader.SetProgram({"G01 X1."}, &settings, nullptr, 0);
    EXPECT_EQ(reader.WorkTime, 0);
    EXPECT_EQ(reader.LoadWorkTime(), 0);
    EXPECT_EQ(reader.WorkTime, 0);

    UseFolder(StubFolder("noexport"));
    EXPECT_EQ(reader.LoadWorkTime(), 0);
    EXPECT_EQ(reader.WorkTime, 0);
}

}  // namespace

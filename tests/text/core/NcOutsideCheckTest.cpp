// The outside checker's contract: where it is found, its exit codes, its error list.
#include "text/core/NcOutsideCheck.h"

#include <gtest/gtest.h>

#include <fstream>

#include "EnvVar.h"
#include "TempDir.h"
#include "platform/ScriptedPrompt.h"

namespace {

using test::EnvVar;

void Write(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream f(file, std::ios::binary);
    f << bytes;
}

const char* kTable =
    "No, Err Code, Err Detail ,  \r\n"
    " 1,      E12, Overtravel , A\r\n"
    "23,       W5, Bad W      ,  \r\n";

TEST(NcOutsideCheck, ErrorListWithEitherLineEnd) {
    EXPECT_EQ(FormatErrorList("No,Code,Detail,X\n1,E12,\"E12:Overtravel\",A\n23,W5,Line 4: \"Bad "
                              "W\",\n"),
              kTable);
    EXPECT_EQ(FormatErrorList("No,Code,Detail,X\r\n1,E12,\"E12:Overtravel\",A\r\n23,W5,Line 4: "
                              "\"Bad W\",\r\n\r\n"),
              kTable);
    // Only the file's header: the table's header alone.
    EXPECT_EQ(FormatErrorList("No,Code,Detail,X\r\n"), "No, Err Code, Err Detail ,  \r\n");
}

TEST(NcOutsideCheck, LongLineIsOneRow) {
    const std::string detail(3000, 'D');
    const std::string table = FormatErrorList("h\n7,E1,x:" + detail + ",z\n");
    EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 2);
    EXPECT_NE(table.find(detail + " , z"), std::string::npos);
}

TEST(NcOutsideCheck, ResultOfExitStatus) {
    const struct {
        int status;
        bool crashed;
        int result;
    } cases[] = {{0, false, 0},    {3, false, 3},      {127, false, 127}, {128, false, -128},
                 {251, false, -5}, {252, false, -4},   {254, false, -2},  {255, false, -1},
                 {0, true, -5},    {256 + 2, false, 2}};
    for (const auto& c : cases) EXPECT_EQ(CheckerResult(c.status, c.crashed), c.result);
}

TEST(NcOutsideCheck, ReportByResult) {
    test::TempDir dir;
    EnvVar zed("ZEDOVIR", dir.path().string());
    Write(dir.path() / "ProgError.csv", "h\r\n1,E12,E12:Overtravel,A\r\n");
    platform::ScriptedPrompt prompt;
    EXPECT_EQ(OutsideCheckReport(0, "/p/a.nc", &prompt), "NC Check OK\r\n");
    EXPECT_EQ(OutsideCheckReport(1, "/p/a.nc", &prompt),
              "No, Err Code, Err Detail ,  \r\n 1,      E12, Overtravel , A\r\n");
    EXPECT_EQ(OutsideCheckReport(-1, "/p/a.nc", &prompt), "Failure to open file\r\n");
    EXPECT_EQ(OutsideCheckReport(-5, "/p/a.nc", &prompt),
              "Failure to check NC due to system error\r\n");
    EXPECT_EQ(OutsideCheckReport(-2, "/p/a.nc", &prompt), "");
    EXPECT_TRUE(prompt.asked.empty());
}

TEST(NcOutsideCheck, ErrorListMissing) {
    test::TempDir dir;
    platform::ScriptedPrompt prompt;
    std::string report = "x";
    {
        EnvVar zed("ZEDOVIR", "");
        EXPECT_EQ(ReadErrorList(report, &prompt), 0);
        EXPECT_TRUE(prompt.asked.empty());
    }
    EnvVar zed("ZEDOVIR", dir.path().string());
    EXPECT_EQ(ReadErrorList(report, &prompt), 0);
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].text,
              "File open error [" + (dir.path() / "ProgError.csv").string() + "]");
    // A folder where the file should be is no list either.
    std::filesystem::create_directory(dir.path() / "ProgError.csv");
    EXPECT_EQ(ReadErrorList(report, &prompt), 0);
    EXPECT_EQ(report, "x");
}

TEST(NcOutsideCheck, FindsTheCheckerInAFolderWithBlanks) {
    test::TempDir dir;
    const auto folder = dir.path() / "check er";
    std::filesystem::create_directory(folder);
    {
        EnvVar env("RERERAZOVU", "");
        EXPECT_TRUE(FindOutsideChecker().empty());
    }
    EnvVar env("RERERAZOVU", folder.string());
    EXPECT_TRUE(FindOutsideChecker().empty());
    Write(folder / "ZoroDodar06A.exe", "#!/bin/sh\n");
    EXPECT_EQ(FindOutsideChecker(), folder / "ZoroDodar06A.exe");
    Write(folder / "ZoroDodar06A", "#!/bin/sh\n");
    EXPECT_EQ(FindOutsideChecker(), folder / "ZoroDodar06A");
}

}  // namespace

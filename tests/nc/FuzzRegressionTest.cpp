// The inputs the fuzz targets of the machine data and NC readers found faults with, replayed
// through the same checks, and the behaviour each fault's repair settled.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "FuzzReplay.h"
#include "TempDir.h"
#include "fuzz/checks/DieFileCheck.h"
#include "fuzz/checks/MachineDataCheck.h"
#include "fuzz/checks/NcSetupCheck.h"

namespace {

const std::filesystem::path kData(MORVALEN_TEST_DATA);

// A reader's check as its fuzz target runs it, made once per folder over a scratch folder and
// then given the bytes of each kept input.
using Check = std::function<std::string(std::string_view)>;
struct Replay {
    const char* folder;  // tests/data/fuzz/<folder>
    Check (*make)(const std::filesystem::path& scratch);
};

const Replay kReplays[] = {
    {"possessed_dies",
     [](const std::filesystem::path& dir) {
         return Check([dir](std::string_view b) { return fuzzcheck::CheckPossessedDies(b, dir); });
     }},
    {"conditions",
     [](const std::filesystem::path& dir) {
         return Check([dir](std::string_view b) { return fuzzcheck::CheckConditions(b, dir); });
     }},
    {"nc_program",
     [](const std::filesystem::path& dir) {
         auto samples = std::make_shared<const fuzzcheck::NcSamples>(kData, dir);
         return Check(
             [samples](std::string_view b) { return fuzzcheck::CheckNcProgram(b, *samples); });
     }},
    {"conversion_table",
     [](const std::filesystem::path& dir) {
         return Check(
             [dir](std::string_view b) { return fuzzcheck::CheckConversionTable(b, dir); });
     }},
};

class FuzzReplay : public ::testing::TestWithParam<Replay> {};

TEST_P(FuzzReplay, KeptInputsPassTheirCheck) {
    test::TempDir dir;
    test::ReplayFuzzInputs(GetParam().folder, GetParam().make(dir.path()));
}

INSTANTIATE_TEST_SUITE_P(Folders, FuzzReplay, ::testing::ValuesIn(kReplays),
                         [](const ::testing::TestParamInfo<Replay>& info) {
                             return std::string(info.param.folder);
                         });

// Sub-program calls nested to the depth limit, each repeated, around a pattern block: the run
// drew about ten elements per block and, under the block limit alone, grew to tens of GB.
TEST(FuzzRegressionTest, RunStopsAProgramThatDrawsWithoutEnd) {
    test::TempDir dir;
    const fuzzcheck::NcSamples samples(kData, dir.path());
    const std::string bytes =
        fuzzcheck::ReadBytes(kData / "fuzz" / "nc_program" / "recursive_calls_repeat_a_pattern.nc");
    fuzzcheck::NcSetUp setUp(bytes, samples);
    NcRunnerLimits limits;
    limits.MaxElements = 100000;
    CDtbEngine elements;
    const NcRunnerSummary run = NcProgramRunner(*setUp.reader, limits).Run(elements);
    EXPECT_EQ(run.End, NcRunnerEnd::BlockLimit);
    EXPECT_LT(run.Blocks, 100000);
    EXPECT_GE(elements.GetCount(), 100000u);
    EXPECT_LT(elements.GetCount(), 200000u);
}

// Older die files wrote an empty figure file name as "": the quotes are no part of the name
// (kept, they made a name no file has, and every save added a pair).
TEST(FuzzRegressionTest, QuotedFigureFileNameOfOlderDieFilesLosesTheQuotes) {
    CPunchTool dies;
    ASSERT_EQ(
        dies.ReadPossessedFile(kData / "fuzz" / "possessed_dies" / "v3_quoted_empty_name.dat"),
        kDieFileOk);
    ASSERT_EQ(dies.Header.DieCount, 2);
    EXPECT_EQ(dies.Dies[0].ShapeFile, "");
    EXPECT_EQ(dies.Dies[0].StartCode, "M10");
    EXPECT_EQ(dies.Dies[1].ShapeFile, "tap.dxf");
}

// A figure file name or code holding a comma or a double quote used to break its line on the
// next read: the comma ended the quoted name, shifting its tail into the start code.
TEST(FuzzRegressionTest, DieTextsWithCommasAndQuotesSurviveASave) {
    test::TempDir dir;
    CPunchTool dies;
    dies.Header.DieCount = 1;
    DieRecord& d = dies.Dies[0];
    d.Number = 4;
    d.Range = 1;
    d.Shape = kShapeRound;
    d.ShapeFile = "fig,1 \"a\".dxf";
    d.StartCode = "M10,1";
    d.EndCode = "M1\"1";
    ASSERT_EQ(dies.WritePossessedFile(dir.path() / "dies.dat"), 0);
    CPunchTool back;
    ASSERT_EQ(back.ReadPossessedFile(dir.path() / "dies.dat"), kDieFileOk);
    ASSERT_EQ(back.Header.DieCount, 1);
    EXPECT_EQ(back.Dies[0].ShapeFile, "fig,1 a.dxf");
    EXPECT_EQ(back.Dies[0].StartCode, "M10,1");
    EXPECT_EQ(back.Dies[0].EndCode, "M11");
}

}  // namespace

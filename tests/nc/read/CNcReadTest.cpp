// Tests of the reader's program set-up: text conversion, condition words, detection, forms,
// the state of a new run and the debug dump.
#include "nc/read/CNcRead.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "TempDir.h"
#include "nc/NcAppContext.h"
#include "nc/machine/CNcReadInfo.h"
#include "nc/machine/CPunchTool.h"
#include "nc/machine/CToolData.h"
#include "platform/Profile.h"

namespace {

std::string ReadAll(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class CNcReadTest : public ::testing::Test {
protected:
    CNcReadTest() {
        app.ConfigFolder = dir.path();
        app.ProgramFolder = dir.path();
        app.IniPath = dir.path() / "MV_System.ini";
        conditions.ToolNo = {3, 7};
        conditions.ToolHigh = {"1.5", "2.0"};
        conditions.ToolDiameter = {"0.25", "0.4"};
        conditions.ToolName = {"thin", "thick"};
        conditions.ToolColorRGB = {0x0000FF, 0x00FF00};
        conditions.OtherColorRGB = 0x123456;
    }

    void AddPair(std::string from, std::string to, uint32_t enable = 1) {
        settings.TextFrom.push_back(std::move(from));
        settings.TextTo.push_back(std::move(to));
        settings.TextEnable.push_back(enable);
    }

    std::vector<std::string> Read(const std::vector<std::string>& lines, int noTextConvert = 0) {
        reader.SetProgram(lines, &settings, &conditions, noTextConvert);
        return reader.Lines;
    }

    test::TempDir dir;
    NcAppContext app;
    CNcReadInfo settings;
    CToolData conditions;
    CNcRead reader{&app};
};

TEST_F(CNcReadTest, TextConversionNeverReplacesInsertedText) {
    AddPair("AB", "XABY");
    EXPECT_EQ(Read({"G01 AB AB", "G00"}), (std::vector<std::string>{"G01 XABY XABY", "G00"}));
}

TEST_F(CNcReadTest, TextConversionStopsAfter101ReplacementsPerPairAndLine) {
    AddPair("A", "B");
    const auto lines = Read({std::string(120, 'A')});
    EXPECT_EQ(lines[0], std::string(101, 'B') + std::string(19, 'A'));
}

TEST_F(CNcReadTest, TextConversionPairsApplyInOrderAndSkipDisabledAndEmptyOnes) {
    AddPair("M08", "M100");
    AddPair("", "XX");          // would insert XX 101 times in front of every line
    AddPair("M100", "M09", 0);  // disabled
    AddPair("M100", "M100 ");
    EXPECT_EQ(Read({"G01 X1. M08", ""}), (std::vector<std::string>{"G01 X1. M100 ", ""}));
    // A replacement may make a line longer than 127 characters: nothing is cut.
    settings.TextFrom.clear();
    settings.TextTo.clear();
    settings.TextEnable.clear();
    AddPair("Q", std::string(200, 'q'));
    EXPECT_EQ(Read({"QQ"})[0].size(), 400u);
}

TEST_F(CNcReadTest, NoTextConvertLeavesTheLinesAlone) {
    AddPair("A", "B");
    conditions.DrawShavColor = 1;
    EXPECT_EQ(Read({"A W1"}, 1), (std::vector<std::string>{"A W1"}));
}

TEST_F(CNcReadTest, ConditionWordsTakeTheFirstWordThatOccurs) {
    conditions.DrawShavColor = 1;
    conditions.ShavString1 = "";
    conditions.ShavString2 = "S1=";
    conditions.ShavString3 = "G";
    EXPECT_EQ(Read({"G01 S1=5 S1=6", "G01 X1."}),
              (std::vector<std::string>{"G01 e5 e6", "e01 X1."}));
    conditions.DrawShavColor = 0;
    EXPECT_EQ(Read({"G01 S1=5"}), (std::vector<std::string>{"G01 S1=5"}));
}

TEST_F(CNcReadTest, ConditionWordsFollowTheConversionPairs) {
    conditions.DrawShavColor = 1;
    conditions.ShavString1 = "#501=";
    AddPair("COND", "#501=");
    EXPECT_EQ(Read({"COND4"}), (std::vector<std::string>{"e4"}));
}

TEST_F(CNcReadTest, TypeFromTheMachineSettingOrDetected) {
    settings.LaserPunch = 0;
    reader.SetProgram({"N10 G72 X100.", "O1234 (G72)"}, &settings, &conditions, 1);
    EXPECT_EQ(reader.GetNcType(), 2);
    reader.SetProgram({"N10 G72 X0", "PA;"}, &settings, &conditions, 1);
    EXPECT_EQ(reader.GetNcType(), 4);
    reader.SetProgram({"PA"}, &settings, &conditions, 1);
    EXPECT_EQ(reader.GetNcType(), 4);
    settings.LaserPunch = 3;
    reader.SetProgram({"N10 G72 X100."}, &settings, &conditions, 0);
    EXPECT_EQ(reader.GetNcType(), 3);
    settings.LaserPunch = 1;
    reader.SetProgram({"N10 G72 X100."}, &settings, &conditions, 0);
    EXPECT_EQ(reader.GetNcType(), 1);
}

TEST_F(CNcReadTest, ProgramForms) {
    settings.LaserPunch = 0;
    reader.SetProgram({"SMove X1"}, &settings, &conditions, 0);
    EXPECT_EQ(reader.Form, NcProgramForm::Job);
    EXPECT_EQ(reader.GetNcType(), 1);

    // The main-program extension wins over the JOB words.
    app.NcFileName = dir.path() / "part.mpf";
    reader.SetProgram({"SMove X1"}, &settings, &conditions, 0);
    EXPECT_EQ(reader.Form, NcProgramForm::MainProgram);

    // Only laser programs have a form.
    app.NcFileName.clear();
    reader.SetProgram({"SMove X1", "N10 G72 X0"}, &settings, &conditions, 0);
    EXPECT_EQ(reader.Form, NcProgramForm::Plain);
    EXPECT_EQ(reader.GetNcType(), 2);
}

TEST_F(CNcReadTest, StateOfANewRun) {
    settings.G92BaseInit = CxyzData(10.0, 20.0, 50.0);
    settings.AbsInc = 1;
    settings.LaserPunch = 2;

    // Leave traces of an earlier run on the same reader.
    reader.SetProgram({"G01"}, &settings, &conditions, 0);
    reader.State.CutLength = 99.0;
    reader.State.ModalA = 5.0;
    reader.State.RepeatFirstLine = 7;
    reader.State.TapIndex = 2;
    reader.Block.QMode = 3;
    reader.Block.X = 1.0;
    reader.BlockGroups[0] = 1;
    reader.PercentCount = 1;
    reader.PartNo = 4;
    reader.WorkTime = 77;

    reader.SetProgram({"G00 X1.", "G01 X2."}, &settings, &conditions, 0);
    const CNcReadState& s = reader.State;
    EXPECT_EQ(s.NcType, 2);
    const CxyzData start(-10.0, -20.0, -50.0);
    EXPECT_EQ(s.CurrentPos, start);
    EXPECT_EQ(s.TargetPos, start);
    EXPECT_EQ(s.LastPos, start);
    EXPECT_EQ(s.LastElementEnd, start);
    EXPECT_EQ(s.G92Base, start);
    EXPECT_EQ(s.ArcMidPoint, start);
    EXPECT_EQ(s.CirclePoint3, start);
    EXPECT_EQ(s.Incremental, 1);
    EXPECT_EQ(s.IncrementalSaved, 1);
    EXPECT_FALSE(IsGiven(s.ModalA));
    EXPECT_FALSE(IsGiven(s.ModalC));
    EXPECT_FALSE(IsGiven(s.ModalI));
    EXPECT_EQ(s.PrevA[0], 0.0);
    EXPECT_EQ(s.PrevC[1], 0.0);
    EXPECT_EQ(s.PrevCode, -1);
    EXPECT_EQ(s.ConditionNo, kNcNoCondition);
    EXPECT_EQ(s.ConditionRGB, (std::array<int, 3>{0x56, 0x34, 0x12}));
    EXPECT_EQ(s.ConditionTool, 3);
    EXPECT_DOUBLE_EQ(s.ConditionDiameter, 0.25);
    EXPECT_DOUBLE_EQ(s.ConditionHeight, 1.5);
    EXPECT_EQ(s.CompGroup, 40);
    EXPECT_EQ(s.CuttingOn, 1);
    EXPECT_EQ(s.CutLength, 0.0);
    EXPECT_EQ(s.ToolNo, -1);
    EXPECT_EQ(s.TapIndex, -1);
    EXPECT_EQ(s.RepeatFirstLine, -1);
    EXPECT_EQ(s.ShapeSlots, (std::array<double, 6>{1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(s.ShapeP, 1);
    EXPECT_EQ(s.ShapeCallW, 1);
    EXPECT_EQ(s.ModalGroups, GCodeGroups{});
    EXPECT_EQ(reader.Block.QMode, -1);
    EXPECT_FALSE(IsGiven(reader.Block.X));
    EXPECT_EQ(reader.BlockGroups[0], -1);
    EXPECT_EQ(reader.PercentCount, 0);
    EXPECT_EQ(reader.PartNo, 0);
    EXPECT_EQ(reader.WorkTime, 0);
    EXPECT_EQ(reader.LineMap, (std::vector<int>{0, 1}));
    EXPECT_EQ(reader.Settings, &settings);
    EXPECT_EQ(reader.Conditions, &conditions);
}

TEST_F(CNcReadTest, EmptyConditionTableLeavesNoRowInUse) {
    CToolData empty;
    reader.SetProgram({"G01"}, &settings, &empty, 0);
    EXPECT_EQ(reader.State.ConditionTool, -1);
    EXPECT_EQ(reader.State.ConditionDiameter, 0.0);
    reader.SetProgram({"G01"}, &settings, nullptr, 0);
    EXPECT_EQ(reader.State.ConditionTool, -1);
}

TEST_F(CNcReadTest, DebugDumpWritesThePreparedLines) {
    AddPair("M08", "M100");
    reader.SetProgram({"G01 M08", "", "M30"}, &settings, &conditions, 0);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "BA.nc"));

    ASSERT_TRUE(platform::WriteProfileInt("System", "Debug", 1, app.IniPath));
    reader.SetProgram({"G01 M08", "", "M30"}, &settings, &conditions, 0);
    EXPECT_EQ(ReadAll(dir.path() / "BA.nc"), "G01 M100\r\n\r\nM30\r\n");
    reader.SetProgram({"M02"}, &settings, &conditions, 0);
    EXPECT_EQ(ReadAll(dir.path() / "BA.nc"), "M02\r\n");
}

TEST_F(CNcReadTest, DiesComeFromTheApplication) {
    CPunchTool dies;
    app.PunchTool = &dies;
    reader.SetProgram({"G01"}, &settings, &conditions, 0);
    EXPECT_EQ(reader.Dies, &dies);
    CNcRead alone;
    alone.SetProgram({"G01"}, &settings, &conditions, 0);
    EXPECT_EQ(alone.Dies, nullptr);
}

// The reader hands its settings, dies and state to the tokeniser.
TEST_F(CNcReadTest, TokenizeBlockUsesTheSettingsAndDies) {
    CPunchTool dies;
    dies.TapTools[0].StartCode = "M700";
    dies.TapTools[0].EndCode = "M701";
    dies.TapTools[1].StartCode = "M702";  // not in use: beyond TapCount
    dies.TapCount = 1;
    app.PunchTool = &dies;
    settings.LaserPunch = 2;
    settings.ZeroTimes = 100;
    settings.Opt[1] = "";
    settings.CodeLetter[4] = 'Q';
    reader.SetProgram({"M700"}, &settings, &conditions, 0);

    std::string line = "M700";
    reader.ResetBlock();
    NcOptionMarks marks{};
    EXPECT_EQ(
        reader.TokenizeBlock(line, marks, reader.ShapeGroups, reader.BlockGroups, reader.BlockCir,
                             reader.BlockM, reader.Block, reader.BlockDuplicate),
        0);
    EXPECT_EQ(line, "");
    EXPECT_EQ(reader.State.TapIndex, 0);

    line = "M702 X150 Q4 H5";
    reader.ResetBlock();
    marks = {};
    EXPECT_EQ(
        reader.TokenizeBlock(line, marks, reader.ShapeGroups, reader.BlockGroups, reader.BlockCir,
                             reader.BlockM, reader.Block, reader.BlockDuplicate),
        1);
    EXPECT_EQ(reader.BlockM, 702);
    EXPECT_DOUBLE_EQ(reader.Block.X, 1.5);
    EXPECT_EQ(reader.Block.N, 4);
    EXPECT_DOUBLE_EQ(reader.Block.H, 0.05);
    EXPECT_EQ(marks, (NcOptionMarks{}));
}

TEST(NcTextTest, ParseAxisWords) {
    std::array<double, 8> out;
    out.fill(-1.0);
    CNcRead::ParseAxisWords("SMove X10.5 Y-2 R3 X7", out);
    EXPECT_EQ(out, (std::array<double, 8>{10.5, -2.0, -1, -1, -1, -1, -1, 3.0}));
    out.fill(0.0);
    CNcRead::ParseAxisWords("Z A1e2 Dx W4", out);
    EXPECT_EQ(out, (std::array<double, 8>{0, 0, 0, 0, 100.0, 0, 4.0, 0}));
}

TEST(NcTextTest, IsDecimalText) {
    EXPECT_EQ(IsDecimalText(" 12.5"), 1);
    EXPECT_EQ(IsDecimalText("125"), 0);
    EXPECT_EQ(IsDecimalText("12,5"), 0);
    EXPECT_EQ(IsDecimalText("X1."), 0);
    EXPECT_EQ(IsDecimalText(""), 0);
    EXPECT_EQ(IsDecimalText("."), 1);
}

}  // namespace

TEST_F(CNcReadTest, SharedLinesAreReadInPlaceUntilASetUpStepChangesOne) {
    // Nothing to change: the caller's lines are read where they are.
    const std::vector<std::string> plain = {"G90", "G01 X1. Y2.", "M30"};
    reader.SetProgramShared(plain, &settings, &conditions, 0);
    EXPECT_TRUE(reader.Lines.IsShared());
    EXPECT_EQ(&reader.Lines[1], &plain[1]);
    EXPECT_EQ(reader.Lines, plain);

    // A conversion pair changes a line: the reader works on its own copy, the caller's lines
    // stay as they were.
    AddPair("X1.", "X5.");
    const std::vector<std::string> caller = plain;
    reader.SetProgramShared(caller, &settings, &conditions, 0);
    EXPECT_FALSE(reader.Lines.IsShared());
    EXPECT_EQ(reader.Lines, (std::vector<std::string>{"G90", "G01 X5. Y2.", "M30"}));
    EXPECT_EQ(caller, plain);

    // Sequence numbers are stripped the same way.
    const std::vector<std::string> numbered = {"N10 G01 X1.", "N20 M30"};
    settings.TextFrom.clear();
    settings.TextTo.clear();
    settings.TextEnable.clear();
    reader.SetProgramShared(numbered, &settings, &conditions, 0);
    EXPECT_EQ(reader.Lines, Read(numbered));
    EXPECT_EQ(numbered[0], "N10 G01 X1.");
}

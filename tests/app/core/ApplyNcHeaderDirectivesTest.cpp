// Header directives: machine by extension, NMD=, CTB=, EXE1=/EXE2=, sheet frame and clamps.
#include "app/core/ApplyNcHeaderDirectives.h"

#include <gtest/gtest.h>

#include <fstream>

#include "TempDir.h"
#include "TestFiles.h"
#include "nc/NcAppContext.h"
#include "nc/machine/CNcReplaceInfo.h"
#include "nc/machine/CPunchTool.h"
#include "nc/machine/CSystemData.h"
#include "platform/Profile.h"
#include "platform/ScriptedPrompt.h"

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

namespace {

struct HeaderFixture : ::testing::Test {
    test::TempDir tmp;
    platform::ScriptedPrompt prompt;
    NcAppContext ctx;
    std::unique_ptr<CSystemData> sd;
    NcHeaderHost host;
    std::vector<std::string> started;

    void SetUp() override {
        ctx.ConfigFolder = tmp.path() / "config";
        ctx.IniPath = ctx.ConfigFolder / "MV_System.ini";
        ctx.Prompt = &prompt;
        test::WriteFile(ctx.IniPath,
                        "[ExtMachine00]\r\nExt=lsr\r\nMachine=laser.nmd\r\n"
                        "[ExtMachine01]\r\nExt=PCH\r\nMachine=missing.nmd\r\n"
                        "[ExtMachine03]\r\nExt=NC\r\nMachine=laser.nmd\r\n");
        test::WriteFile(ctx.ConfigFolder / "laser.nmd", "[NcRead]\r\nFrameX=3000.000\r\n");
        test::WriteFile(ctx.ConfigFolder / "other.NMD", "[NcRead]\r\nFrameX=2500.000\r\n");
        test::WriteFile(tmp.path() / "abs" / "m.nmd", "[NcRead]\r\nFrameX=2000.000\r\n");
        sd = std::make_unique<CSystemData>(&ctx);
        host.Ctx = &ctx;
        host.SystemData = sd.get();
        host.RunExternalApp = [this](int app, const std::optional<std::string>& v,
                                     const std::string& file) {
            started.push_back(std::to_string(app) + ":" + v.value_or("<none>") + ":" + file);
        };
    }
    std::string IniFileName() {
        return platform::GetProfileString("NcRead", "FileName", "", ctx.IniPath);
    }
};

}  // namespace

TEST_F(HeaderFixture, MachineChosenByExtensionIsRemembered) {
    Lines lines{"O1"};
    EXPECT_EQ(ApplyNcHeaderDirectives(lines, "/nc/prog.LSR", host), 1);
    EXPECT_EQ(sd->NcReadInfo.FileName, "laser.nmd");
    EXPECT_DOUBLE_EQ(sd->NcReadInfo.FrameX, 3000.0);
    EXPECT_EQ(IniFileName(), (ctx.ConfigFolder / "laser.nmd").string());
    EXPECT_TRUE(prompt.asked.empty());
}

TEST_F(HeaderFixture, MissingMachineOfExtensionIsReportedAndNothingChanges) {
    sd->NcReadInfo.FileName = "before.nmd";
    Lines lines{"O1"};
    ApplyNcHeaderDirectives(lines, "/nc/prog.pch", host);
    EXPECT_EQ(sd->NcReadInfo.FileName, "before.nmd");
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_NE(prompt.asked[0].text.find("Extension:[PCH]"), std::string::npos);
    EXPECT_NE(prompt.asked[0].text.find("[missing.nmd]"), std::string::npos);
    EXPECT_EQ(IniFileName(), "");
}

TEST_F(HeaderFixture, AJapaneseExtensionRowInCp932ChoosesItsMachine) {
    // "テスト" and "機械.nmd" as the settings file holds them: CP932 bytes.
    test::WriteFile(ctx.IniPath,
                    "[ExtMachine00]\r\nExt=\x83\x65\x83\x58\x83\x67\r\n"
                    "Machine=\x8b\x40\x8a\x42.nmd\r\n");
    test::WriteFile(ctx.ConfigFolder / "機械.nmd", "[NcRead]\r\nFrameX=1234.000\r\n");
    Lines lines{"O1"};
    EXPECT_EQ(ApplyNcHeaderDirectives(lines, "/nc/prog.テスト", host), 1);
    EXPECT_EQ(sd->NcReadInfo.FileName, "機械.nmd");
    EXPECT_DOUBLE_EQ(sd->NcReadInfo.FrameX, 1234.0);
    EXPECT_TRUE(prompt.asked.empty());
}

TEST_F(HeaderFixture, SearchStopsAtFirstEmptyExtAndExtensionIsTheFileNames) {
    Lines lines{"O1"};
    ApplyNcHeaderDirectives(lines, "/nc.dir/prog", host);  // no extension: " "
    ApplyNcHeaderDirectives(lines, "/nc/prog.nc", host);   // [ExtMachine03] is never reached
    EXPECT_EQ(sd->NcReadInfo.FileName, "");
    EXPECT_TRUE(prompt.asked.empty());
}

TEST_F(HeaderFixture, NmdDirectiveRelativeOrAbsoluteLeavesSettingsFile) {
    struct Case {
        const char* line;
        fs::path file;
        double frameX;
    };
    const Case cases[] = {
        {"(NMD=other)", ctx.ConfigFolder / "other.NMD", 2500.0},
        {"(NMD=laser.nmd  )", ctx.ConfigFolder / "laser.nmd", 3000.0},
        {"(NMD=laser.nmdBAK)", ctx.ConfigFolder / "laser.nmd", 3000.0},
    };
    for (const auto& c : cases) {
        Lines lines{"O1", c.line};
        ApplyNcHeaderDirectives(lines, "/nc/a.txt", host);
        EXPECT_EQ(sd->NcReadInfo.FileName, c.file.string()) << c.line;
        EXPECT_DOUBLE_EQ(sd->NcReadInfo.FrameX, c.frameX) << c.line;
    }
    Lines lines{"O1", "(NMD=" + (tmp.path() / "abs" / "m.nmd").string() + ")"};
    ApplyNcHeaderDirectives(lines, "/nc/a.txt", host);
    EXPECT_EQ(sd->NcReadInfo.FileName, (tmp.path() / "abs" / "m.nmd").string());
    EXPECT_DOUBLE_EQ(sd->NcReadInfo.FrameX, 2000.0);
    EXPECT_EQ(IniFileName(), "");
}

TEST_F(HeaderFixture, ConversionTableRunsAndIsRemembered) {
    {
        CNcReplaceInfo t(ctx);
        ASSERT_EQ(t.CreateTable("conv", "test"), 1);
        t.BeforeTexts = {"M05"};
        t.AfterTexts = {"M06"};
        t.StartLines = {0};
        t.EndLines = {0};
        t.ConfirmOnReplace = 1;
        t.DeleteCtbLines = 1;
        ASSERT_EQ(t.SaveTable("conv", "test"), 0);
    }
    Lines lines{"O1", "(CTB=conv)", "M05", "M30"};
    ApplyNcHeaderDirectives(lines, "/nc/a.txt", host);
    EXPECT_EQ(lines, (Lines{"O1", "M06", "M30"}));
    EXPECT_EQ(host.ConvTableName, "conv.CTB");
    EXPECT_EQ(host.ConvTableAskSave, 1);
    EXPECT_EQ(ctx.ConvTableAskSave, 1);

    // A table that changes nothing leaves no name; a missing one is reported by its reader.
    Lines same{"O1", "(CTB=conv)", "M30"};
    ApplyNcHeaderDirectives(same, "/nc/a.txt", host);
    EXPECT_EQ(host.ConvTableName, "conv.CTB");  // the CTB line itself was removed: a change
    Lines plain{"O1", "(CTB=nothere)", "M05"};
    prompt.asked.clear();
    ApplyNcHeaderDirectives(plain, "/nc/a.txt", host);
    EXPECT_EQ(plain, (Lines{"O1", "(CTB=nothere)", "M05"}));
    EXPECT_EQ(host.ConvTableName, "");
    EXPECT_EQ(host.ConvTableAskSave, 0);
    EXPECT_EQ(prompt.asked.size(), 1u);
}

TEST_F(HeaderFixture, ExternalApplications) {
    Lines lines{"O1", "(EXE1=viewer -a)", "(EXE2=)", "(EXE2=cad)(NMD=x)"};
    ApplyNcHeaderDirectives(lines, "/nc/a.txt", host);
    // The last line holds NMD= first: only that one counts.
    EXPECT_EQ(started, (std::vector<std::string>{"0:viewer -a:/nc/a.txt", "1:<none>:/nc/a.txt"}));
}

// A line with two parenthesised groups: only the first directive found in the line counts, its
// value ends at the first ')', and "(WK/" takes the last T and X of the whole line.
TEST_F(HeaderFixture, LineWithTwoParenthesisedGroups) {
    Lines apps{"O1", "(EXE1=viewer -a)(EXE2=cad)", "(EXE2=cad -b )(NOTE)"};
    ApplyNcHeaderDirectives(apps, "/nc/a.txt", host);
    EXPECT_EQ(started, (std::vector<std::string>{"0:viewer -a:/nc/a.txt", "1:cad -b:/nc/a.txt"}));

    Lines machine{"O1", "(NMD=other)(CTB=nothere)"};
    prompt.asked.clear();
    ApplyNcHeaderDirectives(machine, "/nc/a.txt", host);
    EXPECT_EQ(sd->NcReadInfo.FileName, (ctx.ConfigFolder / "other.NMD").string());
    EXPECT_DOUBLE_EQ(sd->NcReadInfo.FrameX, 2500.0);
    EXPECT_TRUE(prompt.asked.empty());  // no table was looked for

    Lines frame{"O1", "(WK/T1000.X500.)(T2000.X800.)"};
    ApplyNcHeaderDirectives(frame, "/nc/a.txt", host);
    EXPECT_DOUBLE_EQ(sd->NcReadInfo.FrameX, 2000.0);
    EXPECT_DOUBLE_EQ(sd->NcReadInfo.FrameY, 800.0);

    // "(CL/" wins over "(WK/" in the same line: the frame stays as configured.
    Lines clamps{"O1", "(WK/T3000.X900.)(CL/400 800)"};
    ApplyNcHeaderDirectives(clamps, "/nc/a.txt", host);
    EXPECT_EQ(sd->NcReadInfo.SheetFrame, (std::array<double, 8>{2000, 800, 0, 0, 400, 800, 0, 0}));
}

TEST_F(HeaderFixture, ClampsAndFrameFromHeaderBecomeConfigured) {
    sd->NcReadInfo.FrameX = 1840;
    sd->NcReadInfo.FrameY = 1270;
    sd->NcReadInfo.FrameXmin = 5;
    sd->NcReadInfo.ClampPoint = {1, 2, 3, 4};
    Lines lines{"O1", "(CL/400 800)", "(WK/T1000.X500.)"};
    ApplyNcHeaderDirectives(lines, "/nc/a.txt", host);
    const auto& info = sd->NcReadInfo;
    EXPECT_EQ(info.SheetFrame, (std::array<double, 8>{1000, 500, 0, 0, 400, 800, 0, 0}));
    EXPECT_DOUBLE_EQ(info.FrameX, 1000);
    EXPECT_DOUBLE_EQ(info.FrameY, 500);
    EXPECT_DOUBLE_EQ(info.FrameXmin, 0);
    EXPECT_EQ(info.ClampPoint, (std::array<double, 4>{400, 800, 0, 0}));

    // Without header values the configured ones (now those) stay in force.
    Lines plain{"O1"};
    ApplyNcHeaderDirectives(plain, "/nc/b.txt", host);
    EXPECT_EQ(info.SheetFrame, (std::array<double, 8>{1000, 500, 0, 0, 400, 800, 0, 0}));
}

// A machine whose die files are missing: each file's error is told once per load, however
// many times the header (its extension, its "NMD=" lines) names a machine.
TEST_F(HeaderFixture, DieFileErrorsOncePerLoad) {
    CPunchTool tool(&ctx);
    ctx.PunchTool = &tool;
    test::WriteFile(ctx.IniPath, "[ExtMachine00]\r\nExt=PCH\r\nMachine=punch.nmd\r\n");
    test::WriteFile(
        ctx.ConfigFolder / "punch.nmd",
        "[Punch]\r\nPossessedToolFileName=gone.dat\r\nArrangedToolFileName=gone.arr\r\n");
    struct Case {
        const char* file;
        Lines lines;
    };
    const Case cases[] = {
        {"/nc/a.txt", {"O1", "(NMD=punch)"}},
        {"/nc/a.pch", {"O1"}},
        {"/nc/a.pch", {"O1", "(NMD=punch)"}},
        {"/nc/a.txt", {"O1", "(NMD=punch)", "(NMD=punch)"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " " + std::to_string(c.lines.size()));
        Lines lines = c.lines;
        prompt.asked.clear();
        ApplyNcHeaderDirectives(lines, c.file, host);
        std::vector<std::string> texts;
        for (const auto& a : prompt.asked) texts.push_back(a.text.substr(0, a.text.find('\n')));
        EXPECT_EQ(texts, (std::vector<std::string>{"Punch data file open error",
                                                   "Punch arrangement file open error"}));
    }
    // A header without a machine leaves the die data alone.
    Lines plain{"O1"};
    prompt.asked.clear();
    ApplyNcHeaderDirectives(plain, "/nc/a.txt", host);
    EXPECT_TRUE(prompt.asked.empty());
}

// The NC document on temporary folders: load, store, backups, change check, rebuild, log.
#include "app/core/CTessmarkDoc.h"

#include <gtest/gtest.h>

#include <fstream>

#include "TempDir.h"
#include "app/core/ApplyNcHeaderDirectives.h"
#include "app/core/CNcLog.h"
#include "app/core/FakeBlockSource.h"
#include "app/core/FileTimes.h"
#include "nc/NcAppContext.h"
#include "nc/machine/CSystemData.h"
#include "platform/ScriptedPrompt.h"

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
using platform::PromptAnswer;

namespace {

void Write(const fs::path& p, const std::string& text) {
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << text;
}

std::string Read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Moves a file's time forward, as another program's write would.
void Touch(const fs::path& p, int seconds) {
    fs::last_write_time(p, fs::last_write_time(p) + std::chrono::seconds(seconds));
}

struct DocFixture : ::testing::Test {
    test::TempDir tmp;
    platform::ScriptedPrompt prompt;
    NcAppContext ctx;
    std::unique_ptr<CSystemData> sd;
    CNcLog log;
    NcHeaderHost header;
    std::unique_ptr<CTessmarkDoc> doc;
    int loads = 0, updates = 0, saves = 0;
    fs::path dir = tmp.path() / "nc";

    void SetUp() override {
        ctx.ConfigFolder = tmp.path() / "config";
        ctx.IniPath = ctx.ConfigFolder / "MV_System.ini";
        ctx.Prompt = &prompt;
        fs::create_directories(ctx.ConfigFolder);
        sd = std::make_unique<CSystemData>(&ctx);
        sd->CreateBackupFile = 0;
        header.Ctx = &ctx;
        header.SystemData = sd.get();
        log.Init(ctx.IniPath, CNcLog::DefaultLogFolder(ctx.ConfigFolder));
        CTessmarkDoc::Services s;
        s.Ctx = &ctx;
        s.SystemData = sd.get();
        s.NcLog = &log;
        s.Header = &header;
        s.MakeBlockSource = [](const Lines& lines) {
            return std::make_unique<test::FakeBlockSource>(lines);
        };
        s.AfterLoad = [this] { ++loads; };
        s.ViewsUpdate = [this] { ++updates; };
        doc = std::make_unique<CTessmarkDoc>(s);
    }
};

}  // namespace

TEST_F(DocFixture, OpenAppliesPercentRuleHeaderAndRebuild) {
    Write(dir / "a.nc", "%\r\nP3\r\n(CL/400 800)\r\nX\r\nEND\r\n%\r\nAFTER\r\n");
    ASSERT_EQ(doc->OnOpenDocument((dir / "a.nc").string()), 1);
    EXPECT_EQ(doc->Lines, (Lines{"%", "P3", "(CL/400 800)", "X", "END", "%"}));
    EXPECT_EQ(ctx.NcFileName, dir / "a.nc");
    EXPECT_EQ(doc->IsMpf, 0);
    EXPECT_EQ(test::Trail(doc->Elements), "0:0 1:0 2:0 3:0 4:0");
    EXPECT_DOUBLE_EQ(sd->NcReadInfo.ClampPoint[0], 400);
    EXPECT_EQ(doc->FileTime, GetLastWriteTime(dir / "a.nc"));
    EXPECT_EQ(loads, 1);
    EXPECT_FALSE(doc->IsModified());

    sd->NcReadInfo.IgnorePercent = 1;
    ASSERT_EQ(doc->OnOpenDocument((dir / "a.nc").string()), 1);
    EXPECT_EQ(doc->Lines.size(), 7u);
    EXPECT_EQ(doc->OnOpenDocument((dir / "missing.nc").string()), 0);
}

TEST_F(DocFixture, LongLineWarnedOnceAndSavedWhole) {
    std::string a(200, 'A'), b(300, 'B');
    Write(dir / "a.nc", "O1\r\n" + a + "\r\n" + b + "\r\nM30\r\n");
    ASSERT_EQ(doc->OnOpenDocument((dir / "a.nc").string()), 1);
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_NE(prompt.asked[0].text.find("Line 2 "), std::string::npos);
    doc->SetModifiedFlag();
    ASSERT_EQ(doc->OnSaveDocument((dir / "a.nc").string()), 1);
    EXPECT_EQ(Read(dir / "a.nc"), "O1\r\n" + a + "\r\n" + b + "\r\nM30\r\n");
}

TEST_F(DocFixture, MpfRoundTripThroughTheDocument) {
    fs::create_directories(dir);
    fs::copy(fs::path(MORVALEN_TEST_DATA) / "app" / "mpf", dir);
    ASSERT_EQ(doc->OnOpenDocument((dir / "ABC.MPF").string()), 1);
    EXPECT_EQ(doc->IsMpf, 1);
    EXPECT_EQ(doc->Lines.size(), 15u);
    doc->Lines[8] = "G01X30.";
    doc->SetModifiedFlag();
    ASSERT_EQ(doc->OnSaveDocument(doc->GetPathName()), 1);
    EXPECT_EQ(Read(dir / "ABC001.spf"), "G01X30.\r\nABC002\r\nM99\r\n");
    EXPECT_EQ(Read(dir / "ABCD001.spf"), "OTHER PROGRAM\r\nM99\r\n");
    EXPECT_TRUE(prompt.asked.empty());

    // A sub-program whose file cannot be written: the save fails and the document stays
    // modified; the other sub-program files stay as they were.
    fs::remove(dir / "ABC002.spf");
    fs::create_directories(dir / "ABC002.spf" / "blocked");
    doc->Lines[8] = "G01X40.";
    doc->SetModifiedFlag();
    EXPECT_EQ(doc->OnSaveDocument(doc->GetPathName()), 0);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(prompt.asked.size(), 1u);
}

TEST_F(DocFixture, BackupOnlyForModifiedDocumentWhenAsked) {
    struct Case {
        bool modified;
        int setting;
        bool backup;
    };
    const Case cases[] = {{true, 1, true}, {false, 1, false}, {true, 0, false}};
    for (const auto& c : cases) {
        fs::remove_all(dir);
        Write(dir / "prog.nc", "OLD\r\n");
        ASSERT_EQ(doc->OnOpenDocument((dir / "prog.nc").string()), 1);
        doc->Lines = {"NEW"};
        doc->SetModifiedFlag(c.modified);
        sd->CreateBackupFile = c.setting;
        ASSERT_EQ(doc->OnSaveDocument((dir / "prog.nc").string()), 1);
        EXPECT_EQ(Read(dir / "prog.nc"), "NEW\r\n");
        EXPECT_EQ(fs::exists(dir / "prog.bak"), c.backup);
        if (c.backup) {
            EXPECT_EQ(Read(dir / "prog.bak"), "OLD\r\n");
        }
    }
}

TEST_F(DocFixture, BlankLinesAndRecoveryLogOnSave) {
    Write(dir / "a.nc", "O1\r\n\r\nM30\r\n");
    ASSERT_EQ(doc->OnOpenDocument((dir / "a.nc").string()), 1);
    sd->DeleteBlankForSave = 1;
    ASSERT_EQ(doc->OnSaveDocument((dir / "a.nc").string()), 1);
    EXPECT_EQ(Read(dir / "a.nc"), "O1\r\nM30\r\n");
    EXPECT_EQ(Read(log.LogFile), "Log file:" + (dir / "a.nc").string() + "\r\nO1\r\n\r\nM30\r\n");
    doc->Lines.push_back("X");
    EXPECT_EQ(doc->WriteRecoveryLog(), 1);
    EXPECT_NE(Read(log.LogFile).find("M30\r\nX\r\n"), std::string::npos);
}

TEST_F(DocFixture, ChangedFileOfferedOncePerChange) {
    Write(dir / "a.nc", "O1\r\n");
    ASSERT_EQ(doc->OnOpenDocument((dir / "a.nc").string()), 1);
    EXPECT_EQ(doc->CheckFileChanged(), 0);
    EXPECT_TRUE(prompt.asked.empty());

    Write(dir / "a.nc", "O2\r\n");
    Touch(dir / "a.nc", 5);
    prompt.answers = {PromptAnswer::No};
    EXPECT_EQ(doc->CheckFileChanged(), 0);
    EXPECT_EQ(doc->CheckFileChanged(), 0);
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].icon, platform::PromptIcon::Question);
    EXPECT_EQ(doc->Lines, Lines{"O1"});

    Touch(dir / "a.nc", 10);
    doc->SetModifiedFlag();
    prompt.answers = {PromptAnswer::Yes};
    EXPECT_EQ(doc->CheckFileChanged(), 1);
    EXPECT_EQ(doc->Lines, Lines{"O2"});
    EXPECT_EQ(updates, 1);
    EXPECT_FALSE(doc->IsModified());

    CTessmarkDoc empty;
    EXPECT_EQ(empty.CheckFileChanged(), 0);
}

TEST_F(DocFixture, SaveQuestionAfterCloseRequest) {
    Write(dir / "a.nc", "O1\r\n");
    ASSERT_EQ(doc->OnOpenDocument((dir / "a.nc").string()), 1);
    EXPECT_TRUE(doc->SaveModified());  // unmodified: no question
    EXPECT_TRUE(prompt.asked.empty());

    doc->SetModifiedFlag();
    prompt.answers = {PromptAnswer::Cancel};
    EXPECT_FALSE(doc->SaveModified());
    EXPECT_EQ(prompt.asked.back().buttons, platform::PromptButtons::YesNoCancel);

    doc->CloseRequested = 1;
    for (PromptAnswer a : {PromptAnswer::No, PromptAnswer::Yes}) {
        prompt.answers = {a};
        doc->Lines = {a == PromptAnswer::Yes ? "SAVED" : "NOT"};
        EXPECT_TRUE(doc->SaveModified());
        EXPECT_EQ(prompt.asked.back().text, "Do you want to save? [a.nc]");
        EXPECT_EQ(prompt.asked.back().buttons, platform::PromptButtons::YesNo);
    }
    EXPECT_EQ(Read(dir / "a.nc"), "SAVED\r\n");
}

TEST_F(DocFixture, NewDocumentEmptiesAndResetsSheetFrame) {
    Write(dir / "a.nc", "X\r\n(CL/10 20 30 40)\r\n");
    ASSERT_EQ(doc->OnOpenDocument((dir / "a.nc").string()), 1);
    sd->NcReadInfo.SheetFrame[4] = 999;
    EXPECT_EQ(doc->OnNewDocument(), 1);
    EXPECT_TRUE(doc->Lines.empty());
    EXPECT_TRUE(doc->Elements.IsEmpty());
    EXPECT_EQ(doc->FileTime, 0);
    EXPECT_TRUE(ctx.NcFileName.empty());
    EXPECT_TRUE(doc->GetPathName().empty());
    EXPECT_DOUBLE_EQ(sd->NcReadInfo.SheetFrame[4], 10);
    EXPECT_EQ(doc->RebuildElements(), 1);
    EXPECT_TRUE(doc->Elements.IsEmpty());
}

TEST_F(DocFixture, RebuildFollowsSubProgramCallsAndStopsEndlessPrograms) {
    doc->Lines = {"P5", "CALL 4 2", "END", "", "S", "RET"};
    doc->RebuildElements();
    EXPECT_EQ(test::Trail(doc->Elements), "0:0 1:0 4:5 5:5 4:5 5:5 2:0");
    EXPECT_EQ(doc->RunLimits.maxBlocks, 10'000'000);
    doc->RunLimits.maxBlocks = 5000;
    doc->Lines = {"X", "GOTO 0"};
    doc->RebuildElements();
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_NE(prompt.asked[0].text.find("5000 blocks"), std::string::npos);
}

TEST_F(DocFixture, SampleProgramsSurviveLoadAndSaveByteForByte) {
    for (const char* name : {"laser-sample.nc", "punch-sample.nc"}) {
        fs::path source = fs::path(MORVALEN_SOURCE_DIR) / "examples" / name;
        fs::create_directories(dir);
        fs::copy_file(source, dir / name, fs::copy_options::overwrite_existing);
        ASSERT_EQ(doc->OnOpenDocument((dir / name).string()), 1) << name;
        EXPECT_FALSE(doc->Lines.empty());
        doc->SetModifiedFlag();
        ASSERT_EQ(doc->OnSaveDocument((dir / name).string()), 1) << name;
        EXPECT_EQ(Read(dir / name), Read(source)) << name;
    }
}

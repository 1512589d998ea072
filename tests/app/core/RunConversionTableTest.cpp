// The conversion run on a document: nothing matched, a change with its refresh and recovery
// log, the CTB line alone, a table that cannot be read.
#include "app/core/RunConversionTable.h"

#include <gtest/gtest.h>

#include <fstream>

#include "TempDir.h"
#include "app/core/CNcLog.h"
#include "app/core/CTessmarkDoc.h"
#include "nc/NcAppContext.h"
#include "platform/ScriptedPrompt.h"

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

namespace {

struct RunFixture : ::testing::Test {
    test::TempDir tmp;
    platform::ScriptedPrompt prompt;
    NcAppContext ctx;
    CNcLog log;
    std::unique_ptr<CTessmarkDoc> doc;
    int updates = 0;
    int drops = 0;  // the editor's change records dropped

    void SetUp() override {
        ctx.ConfigFolder = tmp.path();
        ctx.IniPath = tmp.path() / "MV_System.ini";
        ctx.Prompt = &prompt;
        ctx.NcFileName = tmp.path() / "part.nc";
        log.Init(ctx.IniPath, CNcLog::DefaultLogFolder(ctx.ConfigFolder));
        CTessmarkDoc::Services s;
        s.Ctx = &ctx;
        s.NcLog = &log;
        s.DropEditRecords = [this] { ++drops; };
        doc = std::make_unique<CTessmarkDoc>(s);
        doc->Lines = {"%", "O0001(CTB=SPLIT)", "G92X0.Y0.", "G00X10.Y10.", "G01X20.Y10.", "M30",
                      "%"};
    }
    // A table file (CP932 bytes) with its rows ("find","with","start","end").
    void Table(const std::string& fileName, const std::string& rows, int deleteCtb = 0) {
        std::ofstream(tmp.path() / fileName, std::ios::binary)
            << "*VER=1.0\r\n*DATA\r\n\x83\x52\x83\x81\x83\x93\x83\x67=test\r\n"
               "CTB\x8B\x4C\x8F\x71\x8D\x73\x8D\xED\x8F\x9C="
            << deleteCtb << "\r\n*REPLACE_DATA\r\n"
            << rows;
    }
    int Run(const std::string& name) {
        return RunConversionTable(*doc, name, ctx, [this] { ++updates; });
    }
    bool LogWritten() const {
        for (const auto& e : fs::directory_iterator(CNcLog::DefaultLogFolder(ctx.ConfigFolder)))
            if (e.path().extension() == ".LOG") return true;
        return false;
    }
};

TEST_F(RunFixture, ATableMatchingNothingChangesNothing) {
    Table("None.ctb", "\"ZZZ\",\"Y\",\"1\",\"1\"\r\n");
    const Lines before = doc->Lines;
    EXPECT_EQ(Run("None"), 0);
    EXPECT_EQ(doc->Lines, before);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(updates, 0);
    EXPECT_EQ(drops, 0);
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].text, "No string to covert is found \n\nFaile to convert string");
    EXPECT_EQ(prompt.asked[0].icon, platform::PromptIcon::None);
    EXPECT_FALSE(LogWritten());
}

TEST_F(RunFixture, AMatchChangesTheLinesMarksRebuildsAndLogs) {
    Table("Split.CTB", "\"X20.\",\"X20.:M100\",\"1\",\"1\"\r\n");
    EXPECT_EQ(Run("split"), 1);
    EXPECT_EQ(doc->Lines, (Lines{"%", "O0001(CTB=SPLIT)", "G92X0.Y0.", "G00X10.Y10.", "G01X20.",
                                 "M100Y10.", "M30", "%"}));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(updates, 1);
    EXPECT_FALSE(doc->Elements.IsEmpty());
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].text, "NC data was converted by [split] setting");
    EXPECT_TRUE(LogWritten());
    EXPECT_EQ(drops, 1);  // the editor's undo must not replay records of the old text
}

TEST_F(RunFixture, DeletingTheCtbLineAloneConverts) {
    Table("Ctb.CTB", "", 1);
    EXPECT_EQ(Run("Ctb"), 1);
    EXPECT_EQ(doc->Lines, (Lines{"%", "G92X0.Y0.", "G00X10.Y10.", "G01X20.Y10.", "M30", "%"}));
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(RunFixture, ATableThatCannotBeReadSaysSo) {
    const Lines before = doc->Lines;
    EXPECT_EQ(Run("Missing"), 0);
    EXPECT_EQ(doc->Lines, before);
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_NE(prompt.asked[0].text.find("Missing.CTB"), std::string::npos);
}

}  // namespace

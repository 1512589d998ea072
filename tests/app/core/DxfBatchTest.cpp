// The batch DXF output's loop and report, with fake effects over a temporary folder.
#include "app/core/DxfBatch.h"

#include <gtest/gtest.h>

#include <set>

#include "TempDir.h"
#include "TestFiles.h"
#include "platform/StringTable.h"

namespace fs = std::filesystem;

namespace {

class FakeBatch : public DxfBatchEffects {
public:
    int escapeAt = -1;  // Escape is seen at this look (0 = before the first file)
    std::set<std::string> failOpen;
    std::set<std::string> noElements;
    std::vector<std::string> log;
    std::string open;

    bool EscapePressed() override { return looks_++ == escapeAt; }
    void Progress(int position, int count) override {
        log.push_back("progress " + std::to_string(position) + "/" + std::to_string(count));
    }
    bool Open(const std::string& nc) override {
        log.push_back("open " + fs::path(nc).filename().string());
        open = nc;
        return !failOpen.count(fs::path(nc).filename().string());
    }
    bool HasElements() override { return !noElements.count(fs::path(open).filename().string()); }
    bool WriteDxf(const std::string& dxf) override {
        log.push_back("write " + fs::path(dxf).filename().string());
        test::WriteFile(dxf, "0\nEOF\n");
        return true;
    }

private:
    int looks_ = 0;
};

class DxfBatchTest : public ::testing::Test {
protected:
    std::string Nc(const std::string& name) {
        const fs::path p = tmp_.path() / "nc" / name;
        test::WriteFile(p, "G00X0Y0\r\n");
        return p.string();
    }
    std::string Out() const { return (tmp_.path() / "out").string() + "/"; }
    // Gives the DXF file of ncName the NC file's time shifted by seconds.
    void Dxf(const std::string& ncPath, int seconds) {
        const fs::path d = BatchDxfPath(Out(), ncPath);
        test::WriteFile(d, "old");
        fs::last_write_time(d, fs::last_write_time(ncPath) + std::chrono::seconds(seconds));
    }
    test::TempDir tmp_;
};

TEST_F(DxfBatchTest, PathIsFolderStemAndDxf) {
    EXPECT_EQ(BatchDxfPath("/out/", "/nc/my.dir/A01.nc"), "/out/A01.dxf");
    EXPECT_EQ(BatchDxfPath("/out/", "/nc/B"), "/out/B.dxf");
    EXPECT_EQ(BatchDxfPath("/out/", "/nc/c.tar.nc"), "/out/c.tar.dxf");
}

TEST_F(DxfBatchTest, ConvertsOutdatedAndEqualTimesSkipsNewer) {
    const std::string a = Nc("a.nc"), b = Nc("b.nc"), c = Nc("c.nc"), d = Nc("d.nc");
    Dxf(a, 0);    // same time: converted again
    Dxf(b, 10);   // newer: up to date
    Dxf(c, -10);  // older: converted
    FakeBatch fx;
    fx.noElements = {"d.nc"};  // no elements: counted neither way
    DxfBatchResult r = RunDxfBatch({a, b, c, d}, Out(), fx);
    EXPECT_EQ(r.converted, 2);
    EXPECT_EQ(r.skipped, 1);
    EXPECT_FALSE(r.interrupted);
    EXPECT_EQ(r.failedFile, "");
    const std::vector<std::string> expected = {"progress 1/4", "open a.nc",    "write a.dxf",
                                               "progress 2/4", "progress 3/4", "open c.nc",
                                               "write c.dxf",  "progress 4/4", "open d.nc"};
    EXPECT_EQ(fx.log, expected);
    EXPECT_EQ(MakeDxfBatchReport(r).text,
              "2 files were converted\n1 file already had been converted");
    EXPECT_TRUE(MakeDxfBatchReport(r).reportTitle);
}

TEST_F(DxfBatchTest, AllNewerReportsTheCount) {
    const std::string a = Nc("a.nc"), b = Nc("b.nc");
    Dxf(a, 5);
    Dxf(b, 5);
    FakeBatch fx;
    DxfBatchResult r = RunDxfBatch({a, b}, Out(), fx);
    EXPECT_EQ(r.converted, 0);
    EXPECT_EQ(r.skipped, 2);
    DxfBatchReport report = MakeDxfBatchReport(r);
    EXPECT_EQ(report.text, "All 2 files already had been converted");
    EXPECT_FALSE(report.reportTitle);
}

TEST_F(DxfBatchTest, EscapeBeforeTheFirstFile) {
    const std::string a = Nc("a.nc");
    FakeBatch fx;
    fx.escapeAt = 0;
    DxfBatchResult r = RunDxfBatch({a}, Out(), fx);
    EXPECT_TRUE(r.interrupted);
    EXPECT_EQ(r.converted, 0);
    EXPECT_TRUE(fx.log.empty());
    EXPECT_EQ(MakeDxfBatchReport(r).text, "Transaction interrupted");
}

TEST_F(DxfBatchTest, EscapeBetweenFiles) {
    const std::string a = Nc("a.nc"), b = Nc("b.nc");
    FakeBatch fx;
    fx.escapeAt = 1;
    DxfBatchResult r = RunDxfBatch({a, b}, Out(), fx);
    EXPECT_TRUE(r.interrupted);
    EXPECT_EQ(r.converted, 1);
    EXPECT_FALSE(fs::exists(BatchDxfPath(Out(), b)));
}

TEST_F(DxfBatchTest, OpenFailureEndsTheBatch) {
    const std::string a = Nc("a.nc"), b = Nc("b.nc"), c = Nc("c.nc");
    FakeBatch fx;
    fx.failOpen = {"b.nc"};
    DxfBatchResult r = RunDxfBatch({a, b, c}, Out(), fx);
    EXPECT_EQ(r.converted, 1);
    EXPECT_EQ(r.failedFile, b);
    EXPECT_FALSE(fs::exists(BatchDxfPath(Out(), c)));
    EXPECT_EQ(MakeDxfBatchReport(r).text, "Failure to output DXF file\n\n[" + b + "]");
}

TEST_F(DxfBatchTest, TwoSourcesWithOneDxfNameIsAFailure) {
    const std::string a = Nc("a.nc"), a2 = Nc("a.ncd");
    FakeBatch fx;
    DxfBatchResult r = RunDxfBatch({a, a2}, Out(), fx);
    EXPECT_EQ(r.converted, 1);
    EXPECT_EQ(r.skipped, 0);  // not taken for up to date
    EXPECT_EQ(r.failedFile, a2);
}

// Each count reads right for one file and for more, in both languages; a batch that ended
// well is information, a failure or an interruption a warning.
TEST_F(DxfBatchTest, ReportReadsRightForEveryCount) {
    using platform::PromptIcon;
    const struct {
        int converted, skipped;
        bool interrupted;
        const char* english;
        const char* japanese;
        PromptIcon icon;
        bool title;
    } cases[] = {
        {1, 0, false, "1 file was converted", "1 ファイルを変換しました。", PromptIcon::Information,
         true},
        {4, 0, false, "4 files were converted", "4 ファイルを変換しました。",
         PromptIcon::Information, true},
        {1, 1, false, "1 file was converted\n1 file already had been converted",
         "1 ファイルを変換しました。\n1 ファイルは変換済みでした。", PromptIcon::Information, true},
        {3, 2, false, "3 files were converted\n2 files already had been converted",
         "3 ファイルを変換しました。\n2 ファイルは変換済みでした。", PromptIcon::Information, true},
        {0, 1, false, "1 file already had been converted", "1 ファイルは変換済みでした。",
         PromptIcon::Information, false},
        {0, 3, false, "All 3 files already had been converted", "全 3 ファイルは変換済みでした。",
         PromptIcon::Information, false},
        // Programs without elements only: nothing converted, nothing up to date.
        {0, 0, false, "0 files were converted", "0 ファイルを変換しました。",
         PromptIcon::Information, true},
        {1, 0, true, "Transaction interrupted", "処理を中断しました。", PromptIcon::Warning, false},
    };
    for (const auto& c : cases) {
        DxfBatchResult r;
        r.converted = c.converted;
        r.skipped = c.skipped;
        r.interrupted = c.interrupted;
        const DxfBatchReport english = MakeDxfBatchReport(r);
        EXPECT_EQ(english.text, c.english);
        EXPECT_EQ(english.icon, c.icon) << c.english;
        EXPECT_EQ(english.reportTitle, c.title) << c.english;
        platform::SetLanguage(platform::Language::Japanese);
        EXPECT_EQ(MakeDxfBatchReport(r).text, c.japanese);
        platform::SetLanguage(platform::Language::English);
    }
    DxfBatchResult failed;
    failed.converted = 2;
    failed.failedFile = "/nc/b.nc";
    EXPECT_EQ(MakeDxfBatchReport(failed).icon, platform::PromptIcon::Warning);
}

}  // namespace

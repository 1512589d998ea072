// The machine settings sheet: its tabs and the remembered tab, open, save as, the checks that
// block leaving a page, OK and save as, Cancel, and files that cannot be written.
#include <sys/stat.h>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <optional>

#include "SettingsFixture.h"
#include "platform/Numbers.h"
#include "settings/CMachinePage.h"
#include "settings/CSetMachineSheet.h"

using namespace settings_test;
namespace fs = std::filesystem;

namespace {

const char* const kWorkingCopy = "[NcRead]\r\nFrameX=2000.000\r\n[ShiftCoord]\r\nStartLineNo=5\r\n";

class MachineSheet : public Fixture {
protected:
    void SetUp() override {
        Fixture::SetUp();
        SetWorkingCopy(kWorkingCopy);
    }
    QLineEdit* Edit(int page, int id) { return sheet->Page(page)->Ctl<QLineEdit>(id); }
    std::unique_ptr<CSetMachineSheet> sheet;
};

TEST_F(MachineSheet, FiveTabsWithoutThePunchPageAndAnActivePageItLacksLeavesTheLastTab) {
    sys->ForbidPunchApp = 1;
    WriteAll(Ini(), "[SetMachinSheet]\r\nActivePage=5\r\n");
    sheet = std::make_unique<CSetMachineSheet>(ctx);
    QTabWidget* tabs = sheet->Tabs();
    ASSERT_EQ(tabs->count(), 5);
    const char* titles[5] = {"Parameter", "Coordinates", "Color", "Replace", "Fixed phrase"};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(tabs->tabText(i), titles[i]);
    EXPECT_EQ(tabs->currentIndex(), 4);
    EXPECT_EQ(sheet->windowTitle(), "Property of machine");
    // Set-up never writes the key.
    EXPECT_EQ(Value(Ini(), "SetMachinSheet", "ActivePage"), "5");
}

TEST_F(MachineSheet, TheRememberedTabOpensAndUserTabChangesAreWrittenEvenOnCancel) {
    for (const auto& [stored, expected] :
         std::vector<std::pair<std::string, int>>{{"2", 2}, {"-1", -1}, {"x", 0}}) {
        WriteAll(Ini(), "[SetMachinSheet]\r\nActivePage=" + stored + "\r\n");
        CSetMachineSheet s(ctx);
        // -1: the last tab, whether or not the program has put in its punch page.
        EXPECT_EQ(s.Tabs()->currentIndex(), expected >= 0 ? expected : s.Tabs()->count() - 1)
            << stored;
    }
    fs::remove(Ini());
    sheet = std::make_unique<CSetMachineSheet>(ctx);
    EXPECT_FALSE(fs::exists(Ini()));
    sheet->Tabs()->setCurrentIndex(3);
    EXPECT_EQ(Value(Ini(), "SetMachinSheet", "ActivePage"), "3");
    sheet->Tabs()->setCurrentIndex(1);
    sheet->reject();
    EXPECT_EQ(Value(Ini(), "SetMachinSheet", "ActivePage"), "1");
    EXPECT_EQ(sheet->result(), QDialog::Rejected);
}

TEST_F(MachineSheet, HelpButtonOnlyWhenTheFrameGivesHelp) {
    sheet = std::make_unique<CSetMachineSheet>(ctx);
    EXPECT_EQ(sheet->findChild<QPushButton*>("id9"), nullptr);
    int helped = 0;
    ctx.Help = [&] { ++helped; };
    CSetMachineSheet withHelp(ctx);
    QPushButton* help = withHelp.findChild<QPushButton*>("id9");
    ASSERT_NE(help, nullptr);
    help->click();
    EXPECT_EQ(helped, 1);
}

TEST_F(MachineSheet, OpenCopiesTheFileOverTheWorkingCopySetsBothNamesAndRereadsEveryPage) {
    const fs::path local = dir.path() / "local" / "Morvalen";
    fs::create_directories(local);
    const std::string other = "[NcRead]\r\nFrameX=1000.000\r\nZeroTimes=10\r\n";
    WriteAll(local / "B.nmd", other);
    sheet = std::make_unique<CSetMachineSheet>(ctx);
    sheet->Tabs()->setCurrentIndex(2);
    EXPECT_EQ(Edit(2, 1061)->text(), "2000");

    choose.files = {(local / "B.nmd").string()};
    sheet->OpenButton()->click();
    ASSERT_EQ(choose.asked.size(), 1u);
    const FileChoice& asked = choose.asked[0].file;
    EXPECT_EQ(choose.asked[0].kind, "open");
    EXPECT_EQ(asked.initial, (config / "MV_Machine.nmd").string());
    EXPECT_EQ(asked.title, "Machine file");
    EXPECT_EQ(asked.filter, "machine files (*.NMD)|*.NMD||");
    EXPECT_EQ(asked.defaultExtension, "NMD");
    EXPECT_TRUE(asked.mustExist);

    EXPECT_EQ(ReadAll(Work()), other);
    EXPECT_EQ(sys->NcReadInfo.FileName, (local / "B.nmd").string());
    EXPECT_EQ(Value(Ini(), "NcRead", "FileName"), "<LOCAL_APP_NAME>/Morvalen/B.nmd");
    EXPECT_EQ(Value(Ini(), "SetMachinSheet", "ActivePage"), "2");
    EXPECT_EQ(Edit(2, 1061)->text(), "1000");
    EXPECT_EQ(Edit(1, 1034)->text(), "10");
    // Cancel after an open: the names and the working copy stay as the open left them.
    sheet->reject();
    EXPECT_EQ(ReadAll(Work()), other);
    EXPECT_EQ(sys->NcReadInfo.FileName, (local / "B.nmd").string());
}

TEST_F(MachineSheet, OpenWithoutANameStartsInTheConfigurationFolderAndCancelChangesNothing) {
    sys->NcReadInfo.FileName.clear();
    sheet = std::make_unique<CSetMachineSheet>(ctx);
    const std::string before = ReadAll(Work());
    sheet->OnOpen();
    ASSERT_EQ(choose.asked.size(), 1u);
    EXPECT_EQ(choose.asked[0].file.initial, (config / "*.*").string());
    EXPECT_EQ(ReadAll(Work()), before);
    EXPECT_FALSE(fs::exists(Ini()));
}

TEST_F(MachineSheet, AnOpenWhoseCopyFailsChangesNothing) {
    sheet = std::make_unique<CSetMachineSheet>(ctx);
    const std::string before = ReadAll(Work());
    // A folder, a device and a missing file cannot be copied.
    for (const fs::path& bad : {config, fs::path("/dev/zero"), config / "missing.nmd"}) {
        prompt.asked.clear();
        choose.files = {bad.string()};
        sheet->OnOpen();
        ASSERT_EQ(prompt.asked.size(), 1u) << bad;
        EXPECT_NE(prompt.asked[0].text.find(bad.string()), std::string::npos);
        EXPECT_EQ(ReadAll(Work()), before);
        EXPECT_EQ(sys->NcReadInfo.FileName, "MV_Machine.nmd");
        EXPECT_FALSE(fs::exists(Ini()));
        EXPECT_EQ(Edit(2, 1061)->text(), "2000");
    }
}

// An open whose machine file the settings cannot name (read-only) says so; the working copy
// gets its machine back and the pages keep showing it.
TEST_F(MachineSheet, AnOpenWhoseSettingsCannotBeWrittenChangesNothing) {
    const std::string settings = "[NcRead]\r\nFileName=MV_Machine.nmd\r\n";
    WriteAll(Ini(), settings);
    NotWritten(Ini());
    WriteAll(config / "B.nmd", "[NcRead]\r\nFrameX=1000.000\r\n");
    sheet = std::make_unique<CSetMachineSheet>(ctx);
    choose.files = {(config / "B.nmd").string()};
    sheet->OnOpen();
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].text,
              "The settings cannot be written; the file is kept as it was:\n" + Ini().string());
    EXPECT_EQ(ReadAll(Ini()), settings);
    EXPECT_EQ(ReadAll(Work()), kWorkingCopy);
    EXPECT_EQ(sys->NcReadInfo.FileName, "MV_Machine.nmd");
    EXPECT_EQ(Edit(2, 1061)->text(), "2000");
}

// A save-as whose file is written but whose name the settings cannot take says so; the
// settings and the program keep naming the old machine file.
TEST_F(MachineSheet, ASaveAsWhoseSettingsCannotBeWrittenKeepsTheOldName) {
    const std::string settings = "[NcRead]\r\nFileName=MV_Machine.nmd\r\n";
    WriteAll(Ini(), settings);
    NotWritten(Ini());
    sheet = std::make_unique<CSetMachineSheet>(ctx);
    const fs::path target = config / "new.nmd";
    choose.files = {target.string()};
    sheet->OnSaveAs();
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].text,
              "The settings cannot be written; the file is kept as it was:\n" + Ini().string());
    EXPECT_EQ(Value(target, "NcRead", "FrameX"), "2000.000");
    EXPECT_EQ(ReadAll(Ini()), settings);
    EXPECT_EQ(sys->NcReadInfo.FileName, "MV_Machine.nmd");
}

TEST_F(MachineSheet, SaveAsToANewFileWritesAWholeCopyAndLeavesTheWorkingCopy) {
    sheet = std::make_unique<CSetMachineSheet>(ctx);
    Type(Edit(2, 1061), "1500");
    const std::string before = ReadAll(Work());
    const fs::path target = config / "new.nmd";
    choose.files = {target.string()};
    sheet->SaveAsButton()->click();
    ASSERT_EQ(choose.asked.size(), 1u);
    EXPECT_EQ(choose.asked[0].kind, "save");
    EXPECT_FALSE(choose.asked[0].file.mustExist);
    EXPECT_EQ(choose.asked[0].file.initial, (config / "MV_Machine.nmd").string());

    EXPECT_EQ(Value(target, "NcRead", "FrameX"), "1500.000");
    EXPECT_EQ(Value(target, "ShiftCoord", "StartLineNo"), "5");  // a key no page shows
    EXPECT_EQ(Value(target, "Version", "Version"), "1");
    EXPECT_EQ(ReadAll(Work()), before);
    EXPECT_EQ(sys->NcReadInfo.FileName, target.string());
    EXPECT_EQ(Value(Ini(), "NcRead", "FileName"), target.string());
    sheet->reject();
    EXPECT_EQ(ReadAll(Work()), before);
    EXPECT_EQ(sys->NcReadInfo.FrameX, 1840.0);  // nothing reloaded
}

TEST_F(MachineSheet, SaveAsToAnExistingFileWritesOnlyThePagesKeys) {
    const fs::path target = config / "old.nmd";
    WriteAll(target,
             "[NcRead]\r\nFrameX=1.000\r\nCutPenWide=9\r\n[ShiftCoord]\r\nStartLineNo=9\r\n");
    sheet = std::make_unique<CSetMachineSheet>(ctx);
    choose.files = {target.string()};
    sheet->OnSaveAs();
    EXPECT_EQ(Value(target, "NcRead", "FrameX"), "2000.000");
    EXPECT_EQ(Value(target, "NcRead", "CutPenWide"), "9");
    EXPECT_EQ(Value(target, "ShiftCoord", "StartLineNo"), "9");
}

TEST_F(MachineSheet, SaveAsToAFileThatCannotBeWrittenSaysSoAndChangesNothing) {
    const fs::path target = config / "ro.nmd";
    WriteAll(target, "[NcRead]\r\nFrameX=1.000\r\n");
    NotWritten(target);
    sheet = std::make_unique<CSetMachineSheet>(ctx);
    choose.files = {target.string()};
    sheet->OnSaveAs();
    EXPECT_TRUE(Asked(target.string()));
    EXPECT_EQ(ReadAll(target), "[NcRead]\r\nFrameX=1.000\r\n");
    EXPECT_EQ(sys->NcReadInfo.FileName, "MV_Machine.nmd");
    EXPECT_FALSE(fs::exists(Ini()));
}

// A disk that fills before or during the pages' writes: the chosen file (new, or an existing
// one) is as it was, and the settings still name the old machine file.
TEST_F(MachineSheet, SaveAsWhoseWriteFailsSaysSoAndChangesNothing) {
    const std::string old = "[NcRead]\r\nFrameX=1.000\r\n";
    for (const int room : {0, 2}) {
        for (const bool existing : {false, true}) {
            SCOPED_TRACE(std::to_string(room) + (existing ? " existing" : " new"));
            const fs::path target = config / "saved.nmd";
            fs::remove(target);
            if (existing) WriteAll(target, old);
            prompt.asked.clear();
            sheet = std::make_unique<CSetMachineSheet>(ctx);
            Type(Edit(2, 1061), "1500");
            choose.files = {target.string()};
            {
                FullDisk disk(room);
                sheet->OnSaveAs();
            }
            ASSERT_EQ(prompt.asked.size(), 1u);
            EXPECT_NE(prompt.asked[0].text.find(target.string()), std::string::npos);
            EXPECT_EQ(fs::exists(target), existing);
            if (existing) {
                EXPECT_EQ(ReadAll(target), old);
            }
            EXPECT_EQ(sys->NcReadInfo.FileName, "MV_Machine.nmd");
            EXPECT_FALSE(fs::exists(Ini()));
            EXPECT_EQ(ReadAll(Work()), kWorkingCopy);
        }
    }
}

// OK whose write of the working copy fails (read-only, a full disk at once or after the first
// pages) says so; the working copy stays as it was and the sheet open. Once it can be written,
// OK puts every page's keys into it in one write.
TEST_F(MachineSheet, OkThatCannotWriteTheWorkingCopySaysSoAndKeepsItAndTheSheet) {
    for (const int room : {-1, 0, 2}) {
        SCOPED_TRACE(room);
        SetWorkingCopy(kWorkingCopy);
        prompt.asked.clear();
        sheet = std::make_unique<CSetMachineSheet>(ctx);
        Type(Edit(2, 1061), "1500");
        {
            std::optional<FullDisk> disk;
            if (room < 0)
                NotWritten(Work());
            else
                disk.emplace(room);
            sheet->accept();
        }
        EXPECT_EQ(sheet->result(), 0);
        ASSERT_EQ(prompt.asked.size(), 1u);
        EXPECT_EQ(
            prompt.asked[0].text,
            "The settings cannot be written; the file is kept as it was:\n" + Work().string());
        EXPECT_EQ(ReadAll(Work()), kWorkingCopy);

        fs::permissions(Work(), fs::perms::owner_read | fs::perms::owner_write);
        FullDisk counting(-1);
        sheet->accept();
        EXPECT_EQ(sheet->result(), QDialog::Accepted);
        EXPECT_EQ(FullDisk::WritesOf(Work()), 1);
        EXPECT_EQ(Value(Work(), "NcRead", "FrameX"), "1500.000");
        EXPECT_EQ(Value(Work(), "ShiftCoord", "StartLineNo"), "5");
        EXPECT_EQ(prompt.asked.size(), 1u);
    }
}

TEST_F(MachineSheet, SaveAsToAFolderSaysSoAndChangesNothing) {
    fs::create_directories(config / "dir.nmd");
    sheet = std::make_unique<CSetMachineSheet>(ctx);
    choose.files = {(config / "dir.nmd").string()};
    sheet->OnSaveAs();
    EXPECT_TRUE(Asked((config / "dir.nmd").string()));
    EXPECT_EQ(sys->NcReadInfo.FileName, "MV_Machine.nmd");
    EXPECT_FALSE(fs::exists(Ini()));
}

TEST_F(MachineSheet, AFieldOutOfRangeBlocksTheTabChangeOkAndSaveAs) {
    sheet = std::make_unique<CSetMachineSheet>(ctx);
    sheet->show();
    sheet->Tabs()->setCurrentIndex(1);
    QLineEdit* frameX = Edit(2, 1061);
    Type(frameX, "0.05");

    sheet->Tabs()->setCurrentIndex(2);
    EXPECT_EQ(sheet->Tabs()->currentIndex(), 1);
    QApplication::processEvents();
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].text, "Please enter a number between 0.1 and 999999.99999.");
    EXPECT_EQ(sheet->focusWidget(), frameX);
    EXPECT_EQ(frameX->selectedText(), "0.05");
    EXPECT_EQ(Value(Ini(), "SetMachinSheet", "ActivePage"), "1");

    sheet->OnSaveAs();
    EXPECT_TRUE(choose.asked.empty());
    EXPECT_EQ(prompt.asked.size(), 2u);

    // OK from another page: the sheet shows the page with the field.
    sheet->Tabs()->blockSignals(true);
    sheet->Tabs()->setCurrentIndex(0);
    sheet->Tabs()->blockSignals(false);
    const std::string before = ReadAll(Work());
    sheet->accept();
    EXPECT_EQ(sheet->result(), 0);
    EXPECT_EQ(sheet->Tabs()->currentIndex(), 1);
    EXPECT_EQ(ReadAll(Work()), before);
    EXPECT_EQ(prompt.asked.size(), 3u);

    Type(frameX, "abc");
    sheet->accept();
    EXPECT_EQ(prompt.asked.back().text, "Please enter a number.");
    Type(frameX, "1e6");
    sheet->accept();
    EXPECT_EQ(prompt.asked.back().text, "Please enter a number between 0.1 and 999999.99999.");
    Type(frameX, "999999.5");
    sheet->accept();
    EXPECT_EQ(sheet->result(), QDialog::Accepted);
    EXPECT_EQ(Value(Work(), "NcRead", "FrameX"), "999999.500");
}

TEST_F(MachineSheet, NumericFieldsTakeTheirLimitsAndRefuseOneStepBeyond) {
    // Typed key by key into a shown sheet; a refused value leaves the file as it was.
    const char* const frameRange = "Please enter a number between 0.1 and 999999.99999.";
    const char* const unitRange = "Please enter an integer between 1 and 99999.";
    struct Case {
        int page, id;
        const char* typed;
        const char* message;  // null: accepted
        const char* key;
        const char* written;  // after OK; after a refusal, the stored value
    };
    const Case cases[] = {
        {2, 1061, "0.1", nullptr, "FrameX", "0.100"},
        // Written with three decimals, rounded inside the range: it reads back accepted.
        {2, 1061, "999999.99999", nullptr, "FrameX", "999999.999"},
        {2, 1061, "0.09999", frameRange, "FrameX", "2000.000"},
        {2, 1065, "-999999.99999", nullptr, "FrameXmin", "-999999.999"},
        {2, 1061, "1000000.00000", frameRange, "FrameX", "2000.000"},
        {1, 1034, "1", nullptr, "ZeroTimes", "1"},
        {1, 1034, " 99999 ", nullptr, "ZeroTimes", "99999"},
        {1, 1034, "0", unitRange, "ZeroTimes", "<missing>"},
        {1, 1034, "100000", unitRange, "ZeroTimes", "<missing>"},
        {1, 1034, "-5", "Please enter a positive integer.", "ZeroTimes", "<missing>"},
        {1, 1034, "1.5", "Please enter a positive integer.", "ZeroTimes", "<missing>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        SetWorkingCopy(kWorkingCopy);
        prompt.asked.clear();
        sheet = std::make_unique<CSetMachineSheet>(ctx);
        sheet->show();
        sheet->Tabs()->setCurrentIndex(c.page - 1);
        QLineEdit* edit = Edit(c.page, c.id);
        edit->clear();
        QTest::keyClicks(edit, c.typed);
        EXPECT_EQ(edit->text(), c.typed);
        sheet->accept();
        if (c.message) {
            EXPECT_EQ(sheet->result(), 0);
            ASSERT_EQ(prompt.asked.size(), 1u);
            EXPECT_EQ(prompt.asked[0].text, c.message);
            EXPECT_EQ(sheet->focusWidget(), edit);
        } else {
            EXPECT_EQ(sheet->result(), QDialog::Accepted);
            EXPECT_TRUE(prompt.asked.empty());
        }
        EXPECT_EQ(Value(Work(), "NcRead", c.key), c.written);
        sheet.reset();
        if (c.message) continue;
        // The next opening shows what was written and takes it at OK.
        sheet = std::make_unique<CSetMachineSheet>(ctx);
        EXPECT_EQ(Edit(c.page, c.id)->text().toStdString(),
                  platform::FormatShortReal(platform::ParseLeadingReal(c.written)));
        sheet->accept();
        EXPECT_EQ(sheet->result(), QDialog::Accepted);
        EXPECT_TRUE(prompt.asked.empty());
        EXPECT_EQ(Value(Work(), "NcRead", c.key), c.written);
        sheet.reset();
    }
}

}  // namespace

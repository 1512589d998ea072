// The "Punch Tool" page: the names in both forms, the reload and snapshot, Cancel, OK, browsing
// and the die dialogs' buttons.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTabWidget>

#include <algorithm>

#include "DieDialogFixture.h"
#include "TestFiles.h"
#include "nc/machine/DieFileNames.h"
#include "nc/machine/DieTestSupport.h"
#include "settings/CSetMachinePage5.h"
#include "settings/CSetMachineSheet.h"

using namespace die_test;
using platform::PromptAnswer;
using settings_test::Value;
using settings_test::WriteAll;
namespace fs = std::filesystem;

namespace {

class PunchPage : public DieDialogFixture {
protected:
    void SetUp() override {
        DieDialogFixture::SetUp();
        CSetMachineSheet::SetPunchPageMaker(
            [](SettingsContext& c, QWidget* parent) { return new CSetMachinePage5(c, parent); });
        fs::copy_file(DieFixture("pch_v4.dat"), config / "pch.dat");
        fs::copy_file(DieFixture("arr_v2.arr"), config / "turret.arr");
        SetWorkingCopy("[Punch]\r\nPossessedToolFileName=pch.dat\r\nArrangedToolFileName=" +
                       (config / "turret.arr").string() + "\r\n");
    }
    QLineEdit* Edit(CSetMachinePage5& p, int id) { return p.Ctl<QLineEdit>(id); }
};

TEST_F(PunchPage, ShowsNamesRelativeToTheConfigurationFolderAndLoadsTheDies) {
    fs::create_directories(config / "Sub");
    fs::copy_file(DieFixture("pch_v4.dat"), config / "Sub" / "Pch.dat");
    const fs::path outside = dir.path() / "elsewhere.arr";
    fs::copy_file(DieFixture("arr_v2.arr"), outside);
    SetWorkingCopy("[Punch]\r\nPossessedToolFileName=" + (config / "Sub/Pch.dat").string() +
                   "\r\nArrangedToolFileName=" + outside.string() + "\r\n");
    CSetMachinePage5 page(ctx);
    EXPECT_EQ(Edit(page, 1045)->text().toStdString(), "Sub/Pch.dat");  // keeps its case
    EXPECT_EQ(Edit(page, 1046)->text().toStdString(), outside.string());
    EXPECT_EQ(tool->Header.DieCount, 4);
    EXPECT_EQ(tool->Arrangement.StationCount, 2);
    EXPECT_TRUE(prompt.asked.empty());
}

// Files that do not exist yet read as an empty table, without a message; a broken one is told.
TEST_F(PunchPage, AbsentDieFilesAreEmptyWithoutMessage) {
    SetWorkingCopy(
        "[Punch]\r\nPossessedToolFileName=none.dat\r\nArrangedToolFileName=none.arr\r\n");
    tool->Header.DieCount = 3;
    CSetMachinePage5 page(ctx);
    EXPECT_EQ(tool->Header.DieCount, 0);
    EXPECT_EQ(tool->Arrangement.StationCount, 0);
    EXPECT_TRUE(prompt.asked.empty());

    fs::create_directory(config / "folder.dat");
    SetWorkingCopy(
        "[Punch]\r\nPossessedToolFileName=folder.dat\r\nArrangedToolFileName=none.arr\r\n");
    CSetMachinePage5 again(ctx);
    EXPECT_EQ(prompt.asked.size(), 1u);
}

// The page is built and reads even when the sheet leaves its tab out; its Cancel then never runs.
TEST_F(PunchPage, ForbiddenPunchingLeavesTheTabOutButTheDiesAreRead) {
    sys->ForbidPunchApp = 1;
    CSetMachineSheet sheet(ctx);
    for (int i = 0; i < sheet.Tabs()->count(); ++i)
        EXPECT_NE(sheet.Tabs()->tabText(i), "Punch Tool");
    ASSERT_NE(sheet.Page(5), nullptr);
    EXPECT_EQ(tool->Header.DieCount, 4);
    tool->Header.DieCount = 1;
    sheet.reject();
    EXPECT_EQ(tool->Header.DieCount, 1);
}

TEST_F(PunchPage, CancelPutsBackTheDieDataTheDialogsChanged) {
    CSetMachineSheet sheet(ctx);
    EXPECT_EQ(sheet.Tabs()->tabText(sheet.Tabs()->count() - 1), "Punch Tool");
    const CPunchTool before = *tool;
    auto* page = static_cast<CSetMachinePage5*>(sheet.Page(5));

    prompt.answers = {PromptAnswer::No, PromptAnswer::No};
    scripts.Add(1537, [](QWidget* d) {
        Click(d, 32856);
        Click(d, DBID_OK);
    });
    scripts.Add(1538, [](QWidget* d) { Click(d, DBID_OK); });
    page->Ctl<QPushButton>(1047)->click();
    EXPECT_EQ(tool->Header.DieCount, 5);
    scripts.Add(1551, [](QWidget* d) {
        Type(d, 1368, "1");
        Leave(d, 1368);
        Click(d, DBID_OK);
    });
    page->Ctl<QPushButton>(1048)->click();
    EXPECT_EQ(tool->Arrangement.StationCount, 1);

    sheet.reject();
    EXPECT_EQ(tool->Dies, before.Dies);
    EXPECT_EQ(tool->Arrangement, before.Arrangement);
    EXPECT_EQ(tool->Header, before.Header);
    EXPECT_EQ(tool->PossessedToolFileName, before.PossessedToolFileName);
    EXPECT_EQ(tool->ArrangedToolFileName, before.ArrangedToolFileName);
    EXPECT_EQ(tool->Dialogs, &runner);
}

// After the sheet's open command Cancel restores the dies of the machine opened.
TEST_F(PunchPage, CancelAfterOpenRestoresTheOpenedMachinesDies) {
    fs::copy_file(DieFixture("pch_v1.dat"), config / "other.dat");
    WriteAll(config / "B.nmd",
             "[Punch]\r\nPossessedToolFileName=other.dat\r\n"
             "ArrangedToolFileName=turret.arr\r\n");
    CSetMachineSheet sheet(ctx);
    choose.files = {(config / "B.nmd").string()};
    sheet.OnOpen();
    auto* page = static_cast<CSetMachinePage5*>(sheet.Page(5));
    EXPECT_EQ(page->PossessedFile, "other.dat");
    CPunchTool opened(&nc);
    opened.PossessedToolFileName = "other.dat";
    opened.ArrangedToolFileName = "turret.arr";
    opened.ReadWritePossessed(1);
    opened.ReadWriteArrangement(1);
    EXPECT_EQ(tool->Dies, opened.Dies);

    tool->Dies[0].Number = 999;
    tool->PossessedToolFileName = "changed.dat";
    sheet.reject();
    EXPECT_EQ(tool->Dies, opened.Dies);
    EXPECT_EQ(tool->PossessedToolFileName, "other.dat");
}

// A die file of more dies than the table holds is told where the program reads it, and not
// again when the sheet or the die button reads it once more. A file changed meanwhile is told
// again, once: Cancel, which puts back the die data, keeps that it was told.
TEST_F(PunchPage, DiesBeyondTheTableAreToldOnceForEachStateOfTheFile) {
    dietest::WriteBytes(config / "pch.dat", dietest::ManyDies(kMaxDies + 5, 4, true));
    tool->PossessedToolFileName = "pch.dat";
    ASSERT_EQ(tool->ReadWritePossessed(1), 0);
    const auto told = [this] {
        return std::count_if(prompt.asked.begin(), prompt.asked.end(), [](const auto& a) {
            return a.text.find("first 2000 of") != std::string::npos;
        });
    };
    ASSERT_EQ(told(), 1);
    CSetMachineSheet sheet(ctx);
    auto* page = static_cast<CSetMachinePage5*>(sheet.Page(5));
    scripts.Add(1537, [](QWidget* d) { Click(d, DBID_CANCEL); });
    page->Ctl<QPushButton>(1047)->click();
    EXPECT_EQ(told(), 1);

    dietest::WriteBytes(config / "pch.dat", dietest::ManyDies(kMaxDies + 6, 4, true));
    scripts.Add(1537, [](QWidget* d) { Click(d, DBID_CANCEL); });
    page->Ctl<QPushButton>(1047)->click();
    EXPECT_EQ(told(), 2);
    sheet.reject();
    ASSERT_EQ(tool->ReadWritePossessed(1), 0);
    EXPECT_EQ(told(), 2);
    EXPECT_EQ(prompt.asked.size(), 2u) << prompt.asked.back().text;
}

TEST_F(PunchPage, OkWritesTheNamesAndReloads) {
    fs::copy_file(DieFixture("pch_v1.dat"), config / "other.dat");
    CSetMachineSheet sheet(ctx);
    auto* page = static_cast<CSetMachinePage5*>(sheet.Page(5));
    Edit(*page, 1045)->setText("other.dat");
    sheet.accept();
    EXPECT_EQ(Value(Work(), "Punch", "PossessedToolFileName"), (config / "other.dat").string());
    EXPECT_EQ(Value(Work(), "Punch", "ArrangedToolFileName"), (config / "turret.arr").string());
    CPunchTool other(&nc);
    other.PossessedToolFileName = "other.dat";
    other.ReadWritePossessed(1);
    EXPECT_EQ(tool->Header.DieCount, other.Header.DieCount);
    EXPECT_EQ(tool->PossessedToolFileName, (config / "other.dat").string());
}

TEST_F(PunchPage, BrowsingShowsTheChosenFileRelative) {
    CSetMachinePage5 page(ctx);
    Edit(page, 1045)->clear();
    choose.files = {(config / "x.dat").string(), std::nullopt};
    page.Ctl<QPushButton>(1049)->click();
    EXPECT_EQ(Edit(page, 1045)->text(), "x.dat");
    page.Ctl<QPushButton>(1050)->click();  // cancelled
    EXPECT_EQ(Edit(page, 1046)->text().toStdString(), "turret.arr");
    ASSERT_EQ(choose.asked.size(), 2u);
    EXPECT_EQ(choose.asked[0].kind, "open");
    EXPECT_EQ(choose.asked[0].file.initial, (config / "*.*").string());
    EXPECT_EQ(choose.asked[0].file.title, "Punch file");
    EXPECT_EQ(choose.asked[0].file.filter, "Punch files (*.DAT)|*.DAT|");
    EXPECT_EQ(choose.asked[0].file.defaultExtension, "DAT");
    EXPECT_EQ(choose.asked[1].file.initial, (config / "turret.arr").string());
    EXPECT_EQ(choose.asked[1].file.title, "Punch arrangement file");
    EXPECT_EQ(choose.asked[1].file.defaultExtension, "ARR");
    // Nothing is loaded until the page writes.
    EXPECT_EQ(tool->PossessedToolFileName, "pch.dat");
}

TEST_F(PunchPage, TheDieDialogsGetTheShapeFolderAndGiveBackTheFilterIndexes) {
    WriteAll(Ini(),
             "[NcRead]\r\nPunchTool_SpcialFolder=<LOCAL_APP_NAME>\\Tools\\\r\n"
             "PunchTool_Kif_FilterIndex=3\r\n");
    CSetMachinePage5 page(ctx);
    fileAnswers.push_back(FileAnswer{(dir.path() / "local/Tools/logo.dxf").string(), 4});
    prompt.answers = {PromptAnswer::No};
    scripts.Add(1537, [](QWidget* d) {
        Click(d, 32856);
        Click(d, DBID_OK);
    });
    scripts.Add(1538, [](QWidget* d) {
        Choose(d, 1361, 12);  // KI
        Click(d, 1378);
        Click(d, DBID_OK);
    });
    page.Ctl<QPushButton>(1047)->click();
    ASSERT_EQ(fileAsked.size(), 1u);
    EXPECT_EQ(fileAsked[0].folder, (dir.path() / "local/Tools/").string());
    EXPECT_EQ(fileAsked[0].filterIndex, 3u);
    EXPECT_EQ(Value(Ini(), "NcRead", "PunchTool_Spf_FilterIndex"), "1");
    EXPECT_EQ(Value(Ini(), "NcRead", "PunchTool_Sef_FilterIndex"), "2");
    EXPECT_EQ(Value(Ini(), "NcRead", "PunchTool_Kif_FilterIndex"), "4");
}

TEST_F(PunchPage, TheArrangementEditorsNewFileShowsInFullForm) {
    CSetMachinePage5 page(ctx);
    fileAnswers.push_back(FileAnswer{(config / "b.arr").string(), 1});
    scripts.Add(1551, [](QWidget* d) {
        Click(d, 1369);
        Click(d, DBID_OK);
    });
    page.Ctl<QPushButton>(1048)->click();
    EXPECT_TRUE(Asked("Update punch arrange file b.arr"));
    EXPECT_EQ(Edit(page, 1046)->text().toStdString(), (config / "b.arr").string());
    EXPECT_TRUE(fs::exists(config / "b.arr"));
}

// A machine shipped in a folder of its own with its die files beside it (as the punch sample
// is) names them relatively. The sheet's OK without a change, and its save-as, leave names that
// reach those same files from the machine file they are written in, and the dies stay loaded.
TEST_F(PunchPage, DieNamesKeepReachingTheirFilesThroughOkAndSaveAs) {
    const fs::path shipped = dir.path() / "examples";
    const fs::path other = dir.path() / "mine";
    fs::create_directories(shipped);
    fs::create_directories(other);
    fs::copy_file(DieFixture("pch_v4.dat"), shipped / "sample.dat");
    fs::copy_file(DieFixture("arr_v2.arr"), shipped / "sample.arr");
    const std::string machineText =
        "[Punch]\r\nPossessedToolFileName=sample.dat\r\nArrangedToolFileName=sample.arr\r\n";
    WriteAll(shipped / "sample.nmd", machineText);
    // As the application wires it: the names belong to the machine file in use.
    tool->MachineFileName = [this] { return sys->NcReadInfo.MachineFilePath().string(); };

    enum Action { Ok, SaveAsElsewhere, SaveAsBeside, SaveAsElsewhereThenOk, SaveAsThenCancel };
    struct Case {
        const char* what;
        Action action;
        bool relative;  // the names written are still the relative ones
        int forbidPunch = 0;
    } const cases[] = {
        {"OK without change", Ok, true},
        {"save-as into another folder", SaveAsElsewhere, false},
        {"save-as beside the dies", SaveAsBeside, true},
        {"save-as into another folder, then OK", SaveAsElsewhereThenOk, false},
        {"save-as into another folder, then Cancel", SaveAsThenCancel, false},
        // The page is there without its tab, and its names must not miss their files either.
        {"save-as into another folder without the punch tab", SaveAsElsewhere, false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        sys->NcReadInfo.FileName = (shipped / "sample.nmd").string();
        SetWorkingCopy(machineText);
        fs::remove(other / "copy.nmd");
        fs::remove(shipped / "copy.nmd");
        sys->ForbidPunchApp = c.forbidPunch;
        CSetMachineSheet sheet(ctx);
        auto* page = static_cast<CSetMachinePage5*>(sheet.Page(5));
        // The edits show the files the names reach.
        EXPECT_EQ(page->PossessedFile, (shipped / "sample.dat").string());
        EXPECT_EQ(page->ArrangementFile, (shipped / "sample.arr").string());

        fs::path written = Work();
        if (c.action != Ok) {
            written = (c.action == SaveAsBeside ? shipped : other) / "copy.nmd";
            choose.files = {written.string()};
            sheet.OnSaveAs();
            ASSERT_TRUE(fs::exists(written));
        }
        if (c.action == SaveAsElsewhereThenOk) written = Work();
        if (c.action == SaveAsThenCancel)
            sheet.reject();
        else if (c.action != SaveAsElsewhere && c.action != SaveAsBeside)
            sheet.accept();

        const fs::path machine = sys->NcReadInfo.MachineFilePath();
        const std::string possessed = Value(written, "Punch", "PossessedToolFileName");
        const std::string arranged = Value(written, "Punch", "ArrangedToolFileName");
        EXPECT_EQ(diefile::ResolveName(possessed, config, machine), shipped / "sample.dat");
        EXPECT_EQ(diefile::ResolveName(arranged, config, machine), shipped / "sample.arr");
        EXPECT_EQ(possessed == "sample.dat", c.relative) << possessed;
        EXPECT_EQ(arranged == "sample.arr", c.relative) << arranged;
        // The die data in use is that of the files.
        EXPECT_EQ(tool->PossessedPath(), shipped / "sample.dat");
        EXPECT_EQ(tool->ArrangementPath(), shipped / "sample.arr");
        EXPECT_EQ(tool->Header.DieCount, 4);
        EXPECT_EQ(tool->Arrangement.StationCount, 2);
    }
    EXPECT_TRUE(prompt.asked.empty());
    EXPECT_EQ(test::ReadFile(shipped / "sample.nmd"), machineText);
}

}  // namespace

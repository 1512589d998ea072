// The uninstallation and bulk-installation wizards offscreen.
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include "WizardTestSupport.h"
#include "installer/engine/BulkModules.h"
#include "installer/engine/CommandRun.h"
#include "installer/engine/MessageIds.h"
#include "installer/engine/SetupInfo.h"
#include "installer/pages/CAllInstallCustom.h"
#include "installer/pages/CAllInstallEnd.h"
#include "installer/pages/CAllInstallMode.h"
#include "installer/pages/CBulkProgressDlg.h"
#include "installer/pages/CheckList.h"

namespace installer::test {
namespace {

using W = CInstallWizard;

constexpr std::string_view kProduct =
    "[APPINFO]\nPROGRAM_FOLDER_NAME=Tool\nAPPBASE_PATH={PROGRAM_FILES}/Tool\nPRODUCT_NAME=Tool\n"
    "UNINSTALL_NAME=Tool\n"
    "[INSTALL1]\nCOMP=Program\nSTS=1\n1=C:\"*.*\",11,0,11\n"
    "2=R:\"HKEY_CURRENT_USER\",\"Software\\Tool\",\"Dir\":{TARGETDIR}\n"
    "3=I:\"Tool\",TARGETDIR+\"\",\"tool\"\n";

class UninstallWizardTest : public WizardFixture {
protected:
    fs::path Target() const { return box.platform.ProgramsBase / "Tool"; }
    void InstallProduct() {
        Write(box.source / "haldimon.INF", kProduct);
        Write(box.source / "haldimon", "installer");
        Write(box.Setup("tool"), "#!/bin/sh\n");
        Write(box.Setup("lib/data.txt"), "d");
        FakeUi u;
        ASSERT_TRUE(InstallFromSource(box, runner, u));
        ASSERT_TRUE(fs::exists(Target() / "haldimon.INF"));
    }
};

TEST_F(UninstallWizardTest, ThreePagesRemoveTheInstallation) {
    InstallProduct();
    Write(Target() / "saved.nc", "the user's");
    fs::path copy = box.platform.TempDir / "haldimon-Q1w2E3" / "haldimon";
    Write(copy, "installer");
    state.Mode = 3;
    state.UninstallPath = (Target() / "haldimon").string();
    ASSERT_TRUE(InitInstallerPaths(state, copy.string()));
    ASSERT_EQ(1, ReadSetupFile(state, engine.Keys, box.platform, ui));
    wizard = std::make_unique<CInstallWizard>(ctx);
    wizard->show();
    QApplication::processEvents();
    EXPECT_EQ((QList<int>{W::kUninstallStart, W::kUninstallProgress, W::kUninstallEnd}),
              wizard->pageIds());
    EXPECT_EQ("Uninstallation of Tool", wizard->windowTitle().toStdString());
    EXPECT_TRUE(Enabled(QWizard::CommitButton));
    EXPECT_FALSE(Enabled(QWizard::BackButton));
    wizard->next();
    ASSERT_EQ(W::kUninstallProgress, wizard->currentId());
    EXPECT_FALSE(Enabled(QWizard::BackButton));
    EXPECT_FALSE(Enabled(QWizard::CommitButton));
    EXPECT_FALSE(Button(QWizard::CancelButton)->isEnabled());
    wizard->close();  // ignored while it works
    EXPECT_TRUE(wizard->isVisible());
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return wizard->currentId() == int(W::kUninstallEnd); }, 10000))
        << wizard->currentId();
    EXPECT_TRUE(Enabled(QWizard::FinishButton));
    EXPECT_FALSE(Enabled(QWizard::BackButton));
    EXPECT_EQ(0, ui.stopQuestions);
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_FALSE(fs::exists(Target() / "tool"));
    EXPECT_FALSE(fs::exists(Target() / "lib"));
    EXPECT_FALSE(fs::exists(Target() / "haldimon.INF"));
    EXPECT_EQ("the user's", Read(Target() / "saved.nc"));
    EXPECT_FALSE(fs::exists(box.platform.ApplicationsDir / "Tool"));
    EXPECT_FALSE(engine.Keys.GetString("HKEY_CURRENT_USER", "Software\\Tool", "Dir"));
    EXPECT_EQ(2u, state.DeleteAtExit.size());
    wizard->close();  // on the end page the close box finishes
    EXPECT_FALSE(wizard->isVisible());
}

TEST_F(UninstallWizardTest, CancelOnTheStartPageAsksTheUninstallQuestion) {
    InstallProduct();
    state.Mode = 3;
    state.UninstallPath = (Target() / "haldimon").string();
    ASSERT_TRUE(InitInstallerPaths(state, (box.platform.TempDir / "haldimon").string()));
    ASSERT_EQ(1, ReadSetupFile(state, engine.Keys, box.platform, ui));
    wizard = std::make_unique<CInstallWizard>(ctx);
    wizard->show();
    ui.stops = {false, true};
    Button(QWizard::CancelButton)->click();
    EXPECT_TRUE(wizard->isVisible());
    Button(QWizard::CancelButton)->click();
    EXPECT_FALSE(wizard->isVisible());
    EXPECT_EQ(2, ui.stopQuestions);
    EXPECT_TRUE(fs::exists(Target() / "tool"));
}

class BulkWizardTest : public WizardFixture {
protected:
    void SetUp() override {
        WizardFixture::SetUp();
        ctx.Product = &product;
    }
    void Module(const std::string& rel, const std::string& appinfo,
                const std::string& rest = "[INSTALL1]\nCOMP=Main\nSTS=3\n1=C:\"a.txt\",1\n") {
        Write(box.source / rel / "haldimon.INF",
              "; " + rel + "\n; AllSetup Target\n[APPINFO]\n" + appinfo + rest);
        Write(box.source / rel / "Setup" / "a.txt", rel);
    }
    std::string Base(const std::string& name) const {
        return "PROGRAM_FOLDER_NAME=" + name + "\nPRODUCT_NAME=" + name + "\nSETUP_TITLE=" + name +
               " title\nAPPBASE_PATH=" + (box.root / "inst" / name).string() + "\n";
    }
    void OpenBulk() {
        Write(box.source / "haldimon", "installer");
        state.Mode = 1;
        ASSERT_TRUE(InitInstallerPaths(state, (box.source / "haldimon").string()));
        engine.CurrentFolder = state.SourceFolder;
        wizard = std::make_unique<CInstallWizard>(ctx);
        wizard->show();
        QApplication::processEvents();
    }
    // To the module page in a new (0) or update (1) installation.
    CAllInstallCustom* ToModules(int update) {
        for (int guard = 0; guard < 3 && wizard->currentId() != W::kBulkMode; ++guard)
            wizard->next();
        auto* mode = Current<CAllInstallMode>();
        (update ? mode->UpdateButton() : mode->NewButton())->click();
        QApplication::processEvents();
        return Current<CAllInstallCustom>();
    }
    std::vector<bool> Marks(CheckList* list) const {
        std::vector<bool> m;
        for (int i = 0; i < list->Rows(); ++i) m.push_back(list->IsChecked(i));
        return m;
    }
    BulkProduct product = TestProduct();
};

TEST_F(BulkWizardTest, NoModuleEndsTheSetupWith155) {
    OpenBulk();
    EXPECT_EQ((QList<int>{W::kBulkStart, W::kBulkMode, W::kBulkCustom, W::kBulkEnd}),
              wizard->pageIds());
    EXPECT_EQ("Bulk installation", wizard->windowTitle().toStdString());
    // The module page shows behind the message: its empty list has the page's two column
    // titles, not the default "1".
    QStringList titles;
    ui.whileAsking = [&] {
        auto* list = wizard->findChild<CheckList*>("id1025");
        ASSERT_NE(nullptr, list);
        for (int c = 0; c < list->columnCount(); ++c) titles << list->headerItem()->text(c);
    };
    ToModules(0);
    EXPECT_EQ(std::vector<unsigned>{msg::kNoModules}, ui.Ids());
    EXPECT_EQ((QStringList{"Installation module", "Module property"}), titles);
    EXPECT_FALSE(wizard->isVisible());
    EXPECT_EQ(0, wizard->result());
}

TEST_F(BulkWizardTest, CheckRulesOfANewAndAnUpdateInstallationAcrossBackAndNext) {
    Module("main", Base("Main") + "MAIN_PROGRAM=CADMAIN.EXE\n");
    Module("w1", Base("Word one") + "TARGET_EXISTFILE=CADMAIN.EXE\nCOMPRESS_FILE=w1\n");
    Module("w2", Base("Word two") + "TARGET_EXISTFILE=CADMAIN.EXE\nCOMPRESS_FILE=w2\n");
    Module("zz", Base("Other"));
    // The main program and its first module are installed.
    fs::path inst = box.root / "inst" / "Main";
    Write(inst / "Cad.exe", "x");
    fs::create_directories(inst / "w1");
    OpenBulk();
    CAllInstallCustom* page = ToModules(0);
    ASSERT_NE(nullptr, page);
    CheckList* list = page->List();
    ASSERT_EQ(4, list->Rows());
    EXPECT_EQ("Main", list->topLevelItem(0)->text(0).toStdString());
    EXPECT_EQ("Word one title", list->topLevelItem(1)->text(1).toStdString());
    // New: row 0 stays checked, also after Clear; other rows toggle.
    EXPECT_EQ((std::vector<bool>{true, false, false, false}), Marks(list));
    list->Toggle(0);
    list->Toggle(2);
    list->Toggle(3);
    EXPECT_EQ((std::vector<bool>{true, false, true, true}), Marks(list));
    page->OnClear();
    EXPECT_EQ((std::vector<bool>{true, false, false, false}), Marks(list));
    list->Toggle(3);
    // Back keeps the new installation's marks; the update shows its own.
    wizard->back();
    ASSERT_EQ(W::kBulkMode, wizard->currentId());
    Current<CAllInstallMode>()->UpdateButton()->click();
    QApplication::processEvents();
    EXPECT_EQ((std::vector<bool>{true, true, false, false}), Marks(list));  // installed ones
    EXPECT_EQ("- make a new installation first.", list->topLevelItem(2)->text(1).toStdString());
    EXPECT_EQ("Word one title", list->topLevelItem(1)->text(1).toStdString());
    list->Toggle(2);  // not installed: cannot be checked
    EXPECT_FALSE(list->IsChecked(2));
    list->Toggle(1);
    EXPECT_EQ((std::vector<bool>{true, false, false, false}), Marks(list));
    list->Toggle(0);  // row 0 is checked again by the change, its module being installed
    EXPECT_TRUE(list->IsChecked(0));
    page->OnSelectAll();
    EXPECT_EQ((std::vector<bool>{true, true, false, false}), Marks(list));
    list->Toggle(1);
    wizard->back();
    Current<CAllInstallMode>()->NewButton()->click();
    QApplication::processEvents();
    EXPECT_EQ((std::vector<bool>{true, false, false, true}), Marks(list));
    wizard->back();
    Current<CAllInstallMode>()->UpdateButton()->click();
    QApplication::processEvents();
    EXPECT_EQ((std::vector<bool>{true, false, false, false}), Marks(list));
}

TEST_F(BulkWizardTest, TheRunListsEveryChosenModuleWithItsResult) {
    Module("m1", Base("One"));
    Module("m2", Base("Two"), "[INSTALL1]\nCOMP=Main\nSTS=3\n1=C:\"missing.txt\",1\n");
    Module("m3", Base("Three"),
           "[INSTALL1]\nCOMP=Main\nSTS=3\n1=C:\"a.txt\",1\n2=C:\"a.txt\",1\n"
           "3=C:\"a.txt\",1\n");
    Module("m4", Base("Four"));
    OpenBulk();
    CAllInstallCustom* page = ToModules(0);
    page->OnSelectAll();
    page->List()->Toggle(3);  // "Four" is not chosen
    auto* end = qobject_cast<CAllInstallEnd*>(wizard->page(W::kBulkEnd));
    int questions = 0;
    std::vector<int> commandsWhileAsking;
    end->BeforeRun = [&](CBulkProgressDlg& dlg) {
        // The close question while the third module runs: the run pauses while it is open,
        // and Cancel resumes it.
        ui.answers = {PromptAnswer::Ok, PromptAnswer::Cancel};  // 139 of "Two", then 141
        ui.whileAsking = [&] {
            if (ui.shown.back().id != msg::kBulkQuit) return;
            ++questions;
            int before = dlg.Run().Run() ? dlg.Run().Run()->CommandsRun : -1;
            QElapsedTimer t;
            t.start();
            while (t.elapsed() < 100) QApplication::processEvents();
            commandsWhileAsking.push_back((dlg.Run().Run() ? dlg.Run().Run()->CommandsRun : -1) -
                                          before);
        };
        auto* timer = new QTimer(&dlg);
        QObject::connect(timer, &QTimer::timeout, &dlg, [&dlg, timer] {
            if (dlg.Run().CurrentModule && dlg.Run().CurrentModule->ProductName == "Three" &&
                dlg.Run().Run() && dlg.Run().Run()->RunStep >= 1) {
                timer->stop();
                dlg.reject();
            }
        });
        timer->start(1);
    };
    wizard->next();
    ASSERT_TRUE(QTest::qWaitFor([&] { return wizard->currentId() == int(W::kBulkEnd); }, 10000))
        << wizard->currentId();
    EXPECT_TRUE(wizard->isVisible());
    EXPECT_EQ(1, questions);
    EXPECT_EQ(std::vector<int>{0}, commandsWhileAsking);
    QTreeWidget* results = Current<CAllInstallEnd>()->Results();
    ASSERT_EQ(3, results->topLevelItemCount());
    std::vector<std::string> rows;
    for (int i = 0; i < 3; ++i)
        rows.push_back(results->topLevelItem(i)->text(0).toStdString() + ":" +
                       results->topLevelItem(i)->text(1).toStdString());
    EXPECT_EQ((std::vector<std::string>{"One:Done", "Two:Failed", "Three:Done"}), rows);
    EXPECT_TRUE(fs::exists(box.root / "inst" / "Three" / "a.txt"));
    EXPECT_FALSE(fs::exists(box.root / "inst" / "Four"));
    EXPECT_TRUE(Enabled(QWizard::FinishButton));
    EXPECT_FALSE(Button(QWizard::CancelButton)->isEnabled());
}

TEST_F(BulkWizardTest, OkToTheCloseQuestionStopsTheRun) {
    Module("m1", Base("One"));
    Module("m2", Base("Two"));
    OpenBulk();
    ToModules(0)->OnSelectAll();
    auto* end = qobject_cast<CAllInstallEnd*>(wizard->page(W::kBulkEnd));
    end->BeforeRun = [&](CBulkProgressDlg& dlg) {
        ui.answers = {PromptAnswer::Ok};
        QTimer::singleShot(0, &dlg, [&dlg] { dlg.reject(); });
    };
    wizard->next();
    ASSERT_TRUE(QTest::qWaitFor([&] { return wizard->currentId() == int(W::kBulkEnd); }, 10000))
        << wizard->currentId();
    EXPECT_EQ(std::vector<unsigned>{msg::kBulkQuit}, ui.Ids());
    QTreeWidget* results = Current<CAllInstallEnd>()->Results();
    ASSERT_EQ(2, results->topLevelItemCount());
    EXPECT_EQ("Failed", results->topLevelItem(0)->text(1).toStdString());
    EXPECT_EQ("Failed", results->topLevelItem(1)->text(1).toStdString());
    EXPECT_FALSE(fs::exists(box.root / "inst" / "One"));
}

}  // namespace
}  // namespace installer::test

// The single-installation wizard offscreen: its pages by option, the component page across
// Back and Next, the agreement, the program folder, Cancel and the close box, and the run.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include "WizardTestSupport.h"
#include "installer/engine/MessageIds.h"
#include "installer/pages/CEndDlg.h"
#include "installer/pages/CInstallCustomDlg.h"
#include "installer/pages/CInstallFolderDlg.h"
#include "installer/pages/CInstallModeDlg.h"
#include "installer/pages/CInstallProgressDlg.h"
#include "installer/pages/CInstallSetup.h"
#include "installer/pages/CInstallShortCutDlg.h"
#include "installer/pages/CLicenseChkDlg.h"
#include "installer/pages/CheckList.h"

namespace installer::test {
namespace {

using W = CInstallWizard;

std::string SetupText(std::string_view options, std::string_view extraAppinfo = {}) {
    return "[APPINFO]\nPROGRAM_FOLDER_NAME=Tool\nAPPBASE_PATH=/x\nPRODUCT_NAME=Tool\n"
           "SETUP_TITLE=Version 2\n" +
           std::string(extraAppinfo) + std::string(options) +
           "[INSTALL1]\nCOMP=Program\nSTS=3\n1=C:\"a.txt\",1\n"
           "[INSTALL2]\nCOMP=Samples\nSTS=1\n1=C:\"b.txt\",1\n"
           "[INSTALL3]\nCOMP=Extras\nSTS=2\n1=C:\"c.txt\",1\n";
}
constexpr std::string_view kAllOff = "[SETUPINFO]\nINSTALL_MODE_SKIP=1\n";
constexpr std::string_view kAllOn =
    "[USEDIALOG]\nSdInfoView=readme.txt\nSdLicenseView=license.txt\nSdSelectFolder=1\n";

class WizardTest : public WizardFixture {
protected:
    // Next until the page id is current (each Next must be accepted).
    void NextTo(int id) {
        for (int guard = 0; guard < 12 && wizard->currentId() != id; ++guard) {
            int before = wizard->currentId();
            wizard->next();
            QApplication::processEvents();
            ASSERT_NE(before, wizard->currentId()) << "stayed on page " << before;
        }
        ASSERT_EQ(id, wizard->currentId());
    }
    void SetFolder(const std::string& folder) {
        Current<CInstallFolderDlg>()->FolderEdit()->setText(QString::fromStdString(folder));
    }
    std::string Target() const { return (box.root / "inst").string(); }
};

TEST_F(WizardTest, FivePagesWithEveryOptionOff) {
    Open(SetupText(kAllOff));
    EXPECT_EQ((QList<int>{W::kStart, W::kFolder, W::kSetup, W::kProgress, W::kEnd}),
              wizard->pageIds());
}

TEST_F(WizardTest, EveryPageWithEveryOptionOn) {
    Open(SetupText(kAllOn));
    EXPECT_EQ((QList<int>{W::kStart, W::kInfo, W::kLicense, W::kFolder, W::kMode, W::kCustom,
                          W::kShortCut, W::kSetup, W::kProgress, W::kEnd}),
              wizard->pageIds());
    // Each page has its header title and the subtitle " ".
    for (int id : wizard->pageIds()) {
        EXPECT_FALSE(wizard->page(id)->title().isEmpty()) << id;
        EXPECT_EQ(" ", wizard->page(id)->subTitle()) << id;
    }
    EXPECT_EQ("Tool setup wizard: welcome", wizard->page(W::kStart)->title().toStdString());
    EXPECT_EQ("Installation of Tool    Version 2", wizard->windowTitle().toStdString());
}

TEST_F(WizardTest, StartPageEnablesNextOnly) {
    Open(SetupText(kAllOff));
    EXPECT_EQ(W::kStart, wizard->currentId());
    EXPECT_TRUE(Enabled(QWizard::NextButton));
    EXPECT_FALSE(Enabled(QWizard::BackButton));
}

TEST_F(WizardTest, ReadMeAndAgreementPages) {
    Write(box.source / "readme.txt", "line one\nline two\n");
    Write(box.source / "license.txt", "\x91\xE6\x88\xEA\x8F\xF0\r\n");  // "第一条" in CP932
    Open(SetupText(kAllOn));
    NextTo(W::kInfo);
    auto* info = wizard->currentPage()->findChild<QPlainTextEdit*>("id1022");
    ASSERT_NE(nullptr, info);
    EXPECT_EQ("line one\nline two\n", info->toPlainText().toStdString());
    NextTo(W::kLicense);
    auto* license = Current<CLicenseChkDlg>();
    EXPECT_EQ("第一条\n",
              license->findChild<QPlainTextEdit*>("id1020")->toPlainText().toStdString());
    // It opens on "do not agree", and Next goes on only while "agree" is chosen.
    EXPECT_TRUE(license->Disagree()->isChecked());
    EXPECT_FALSE(Enabled(QWizard::NextButton));
    license->Agree()->click();
    EXPECT_TRUE(Enabled(QWizard::NextButton));
    license->Disagree()->click();
    EXPECT_FALSE(Enabled(QWizard::NextButton));
    license->Agree()->click();
    NextTo(W::kFolder);
}

TEST_F(WizardTest, StandardInstallationNeverShowsTheComponentPage) {
    Open(SetupText(kAllOn));
    wizard->next();
    wizard->next();
    Current<CLicenseChkDlg>()->Agree()->click();
    NextTo(W::kFolder);
    SetFolder(Target());
    NextTo(W::kMode);
    EXPECT_FALSE(Enabled(QWizard::NextButton));  // Back only
    EXPECT_TRUE(Enabled(QWizard::BackButton));
    Current<CInstallModeDlg>()->StandardButton()->click();
    QApplication::processEvents();
    EXPECT_EQ(W::kShortCut, wizard->currentId());
    wizard->back();
    EXPECT_EQ(W::kMode, wizard->currentId());  // the component page is passed over backwards
    Current<CInstallModeDlg>()->StandardButton()->click();
    NextTo(W::kSetup);
    std::string summary = Current<CInstallSetup>()->Summary()->toPlainText().toStdString();
    EXPECT_EQ("Installation folder\n      " + Target() +
                  "/\n\nProgram folder\n      Tool\n\n"
                  "Setup type\n      Standard\n            Program\n            Samples\n",
              summary);
}

TEST_F(WizardTest, ComponentMarksSurviveBackAndNextInACustomInstallation) {
    Open(SetupText(kAllOff.substr(0, 0)));
    NextTo(W::kFolder);
    SetFolder(Target());
    NextTo(W::kMode);
    Current<CInstallModeDlg>()->CustomButton()->click();
    QApplication::processEvents();
    ASSERT_EQ(W::kCustom, wizard->currentId());
    CheckList* list = Current<CInstallCustomDlg>()->List();
    ASSERT_EQ(3, list->Rows());
    // The rows start from STS bit 2.
    EXPECT_TRUE(list->IsChecked(0));
    EXPECT_FALSE(list->IsChecked(1));
    EXPECT_TRUE(list->IsChecked(2));
    // A click on a row's box toggles it once.
    QRect box = list->visualItemRect(list->topLevelItem(1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      QPoint(box.left() + 8, box.center().y()));
    EXPECT_TRUE(list->IsChecked(1));
    list->Toggle(2);
    EXPECT_FALSE(list->IsChecked(2));
    // A click below the last row changes nothing.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      QPoint(20, list->viewport()->height() - 2));
    EXPECT_EQ((std::vector<bool>{true, true, false}),
              (std::vector<bool>{list->IsChecked(0), list->IsChecked(1), list->IsChecked(2)}));
    NextTo(W::kSetup);
    EXPECT_EQ(1, state.ComponentTable[1].Selected);
    // Back to the folder page: the table is built anew from the file at its Next ...
    wizard->back();
    wizard->back();
    wizard->back();
    ASSERT_EQ(W::kFolder, wizard->currentId());
    EXPECT_TRUE(state.ComponentTable.empty());
    NextTo(W::kMode);
    EXPECT_EQ(0, state.ComponentTable[1].Selected);
    Current<CInstallModeDlg>()->CustomButton()->click();
    QApplication::processEvents();
    // ... and the list's marks are taken again at the list's Next.
    NextTo(W::kSetup);
    EXPECT_EQ(1, state.ComponentTable[1].Selected);
    EXPECT_EQ(0, state.ComponentTable[2].Selected);
    std::string summary = Current<CInstallSetup>()->Summary()->toPlainText().toStdString();
    EXPECT_NE(std::string::npos,
              summary.find("      Custom\n            Program\n            Samples\n"));
}

TEST_F(WizardTest, NoComponentCheckedStaysWithMessage147) {
    Open(SetupText(""));
    NextTo(W::kFolder);
    SetFolder(Target());
    NextTo(W::kMode);
    Current<CInstallModeDlg>()->CustomButton()->click();
    QApplication::processEvents();
    auto* page = Current<CInstallCustomDlg>();
    ASSERT_NE(nullptr, page);
    page->findChild<QPushButton*>("id1027")->click();  // "Clear"
    ui.shown.clear();
    wizard->next();
    EXPECT_EQ(W::kCustom, wizard->currentId());
    EXPECT_EQ(std::vector<unsigned>{msg::kNoComponent}, ui.Ids());
    page->findChild<QPushButton*>("id1026")->click();  // "Select all"
    wizard->next();
    EXPECT_EQ(W::kSetup, wizard->currentId());
}

TEST_F(WizardTest, ProgramFolderPage) {
    fs::remove_all(box.platform.ApplicationsDir);  // a new user's desktop may not have it yet
    Open(SetupText("[USEDIALOG]\nSdSelectFolder=1\n[SETUPINFO]\nINSTALL_MODE_SKIP=1\n",
                   "STMENU_PROGRAM_FOLDER_NAME=too\n"));
    fs::create_directories(box.platform.ApplicationsDir / "Other");
    fs::create_directories(box.platform.ApplicationsDir / "Tools of the trade");
    NextTo(W::kFolder);
    SetFolder(Target());
    NextTo(W::kShortCut);
    auto* page = Current<CInstallShortCutDlg>();
    EXPECT_TRUE(fs::is_directory(box.platform.ApplicationsDir));
    ASSERT_EQ(2, page->FolderList()->count());
    EXPECT_EQ(1, page->FolderList()->currentRow());  // the first row starting with "too"
    EXPECT_EQ("too", page->NameEdit()->text().toStdString());
    page->FolderList()->setCurrentRow(0);
    EXPECT_EQ("Other", page->NameEdit()->text().toStdString());
    page->NameEdit()->clear();
    ui.shown.clear();
    wizard->next();
    EXPECT_EQ(std::vector<unsigned>{msg::kNoProgramFolder}, ui.Ids());
    EXPECT_EQ(W::kShortCut, wizard->currentId());
    page->NameEdit()->setText(QString(120, 'n'));
    wizard->next();
    EXPECT_EQ(W::kSetup, wizard->currentId());
    EXPECT_EQ(std::string(99, 'n'), state.ProgramFolderName);
    EXPECT_EQ(state.ProgramFolderName, state.StartMenuFolderName);
}

TEST_F(WizardTest, FolderCheckRefusalsAndTheEndOfTheSetup) {
    Open(SetupText(kAllOff, "TARGET_EXISTFILE=tool.ini\n"));
    NextTo(W::kFolder);
    SetFolder("relative/path");
    wizard->next();
    EXPECT_EQ(W::kFolder, wizard->currentId());
    EXPECT_EQ(std::vector<unsigned>{msg::kNotFullPath}, ui.Ids());
    // The file an update needs is missing: 157 ends the setup without the Cancel question.
    ui.shown.clear();
    SetFolder(Target());
    wizard->next();
    EXPECT_EQ(std::vector<unsigned>{msg::kMissingFile}, ui.Ids());
    EXPECT_FALSE(wizard->isVisible());
    EXPECT_EQ(0, wizard->result());
    EXPECT_EQ(0, ui.stopQuestions);
}

TEST_F(WizardTest, CancelAsksAndOnlyAbortCloses) {
    Open(SetupText(kAllOff));
    ui.stops = {false};
    Button(QWizard::CancelButton)->click();
    EXPECT_EQ(1, ui.stopQuestions);
    EXPECT_TRUE(wizard->isVisible());
    // The close box asks the same question.
    ui.stops = {false};
    wizard->close();
    EXPECT_EQ(2, ui.stopQuestions);
    EXPECT_TRUE(wizard->isVisible());
    ui.stops = {true};
    Button(QWizard::CancelButton)->click();
    EXPECT_EQ(3, ui.stopQuestions);
    EXPECT_FALSE(wizard->isVisible());
    EXPECT_EQ(QDialog::Rejected, wizard->result());
}

class WizardRunTest : public WizardTest {
protected:
    void SetUp() override {
        WizardTest::SetUp();
        for (const char* f : {"a.txt", "b.txt", "c.txt"}) Write(box.Setup(f), f);
    }
    void RunToEnd() {
        NextTo(W::kFolder);
        SetFolder(Target());
        NextTo(W::kSetup);
        wizard->next();
        ASSERT_EQ(W::kProgress, wizard->currentId());
        ASSERT_TRUE(QTest::qWaitFor([&] { return wizard->currentId() == int(W::kEnd); }, 10000))
            << wizard->currentId();
    }
};

TEST_F(WizardRunTest, TheRunInstallsAndTheEndPageFinishes) {
    Open(SetupText(kAllOff, "UNINSTALL_NAME=ToolUninst\n"));
    NextTo(W::kFolder);
    SetFolder(Target());
    NextTo(W::kSetup);
    wizard->next();
    ASSERT_EQ(W::kProgress, wizard->currentId());
    // During the run no button is enabled, and neither Cancel nor the close box stop it.
    EXPECT_FALSE(Enabled(QWizard::BackButton));
    EXPECT_FALSE(Enabled(QWizard::NextButton));
    EXPECT_FALSE(Enabled(QWizard::CommitButton));
    EXPECT_FALSE(Button(QWizard::CancelButton)->isEnabled());
    EXPECT_EQ(1, state.Installing);
    wizard->close();
    wizard->reject();
    EXPECT_TRUE(wizard->isVisible());
    EXPECT_EQ(0, ui.stopQuestions);
    ASSERT_TRUE(QTest::qWaitFor([&] { return wizard->currentId() == int(W::kEnd); }, 10000))
        << wizard->currentId();
    auto* bar = wizard->page(W::kProgress)->findChild<QProgressBar*>("id1021");
    EXPECT_EQ(5, bar->maximum());  // two commands + 3
    EXPECT_EQ(3, bar->value());
    EXPECT_EQ("The installation of Tool has finished.",
              Current<CEndDlg>()->Result()->text().toStdString());
    EXPECT_TRUE(Enabled(QWizard::FinishButton));
    EXPECT_FALSE(Enabled(QWizard::BackButton));
    EXPECT_EQ("a.txt", Read(Target() + "/a.txt"));
    EXPECT_EQ("b.txt", Read(Target() + "/b.txt"));
    EXPECT_TRUE(fs::exists(Target() + "/haldimon.INF"));
    // The close box on the end page finishes without a question.
    wizard->close();
    EXPECT_FALSE(wizard->isVisible());
    EXPECT_EQ(0, ui.stopQuestions);
}

TEST_F(WizardRunTest, AFailedRunEndsOn159) {
    Open(
        "[APPINFO]\nPROGRAM_FOLDER_NAME=Tool\nAPPBASE_PATH=/x\nPRODUCT_NAME=Tool\n"
        "UNINSTALL_NAME=ToolUninst\n[SETUPINFO]\nINSTALL_MODE_SKIP=1\n"
        "[INSTALL1]\nCOMP=A\nSTS=1\n1=C:\"a.txt\",1\n"
        "[INSTALL2]\nCOMP=B\nSTS=1\n1=C:\"missing.txt\",1\n");
    RunToEnd();
    EXPECT_EQ(std::vector<unsigned>{msg::kCopyFailed}, ui.Ids());
    EXPECT_EQ("The installation of Tool did not finish properly.",
              Current<CEndDlg>()->Result()->text().toStdString());
    EXPECT_EQ(-1, state.Failed);
    EXPECT_EQ("a.txt", Read(Target() + "/a.txt"));
    EXPECT_FALSE(fs::exists(Target() + "/haldimon.INF"));  // no registration
}

}  // namespace
}  // namespace installer::test

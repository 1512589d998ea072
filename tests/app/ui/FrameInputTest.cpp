// The frame's input routing: Insert in edit mode, wheel turns, File Open, the recent files and
// the display flags that take items out of the menus.
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QToolBar>

#include "AppFixture.h"
#include "TestFiles.h"
#include "app/core/AppMessages.h"
#include "app/core/CommandIds.h"
#include "platform/Profile.h"

namespace {

using FrameInput = AppFixture;

void PressInsert(QWidget* w) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Insert, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
}

TEST_F(FrameInput, InsertTogglesOverwriteOnlyInEditMode) {
    ASSERT_TRUE(Start({"/US", Sample()}));
    CMainFrame* f = Frame();
    QWidget* pane = f->NcPane()->Widget();
    pane->setFocus();
    QApplication::processEvents();
    PressInsert(QApplication::focusWidget() ? QApplication::focusWidget() : pane);
    EXPECT_EQ(f->OverwriteMode, 0);
    EXPECT_TRUE(f->OverwritePane()->text().isEmpty());

    f->EditMode = 1;
    ASSERT_TRUE(f->SwapNcPane());
    f->NcPane()->Widget()->setFocus();
    QApplication::processEvents();
    QWidget* focus = QApplication::focusWidget();
    ASSERT_TRUE(focus);
    PressInsert(focus);
    EXPECT_EQ(f->OverwriteMode, 1);
    EXPECT_EQ(f->OverwritePane()->text(), "INS");
    EXPECT_TRUE(static_cast<QPlainTextEdit*>(f->NcPane()->Widget())->overwriteMode());
    PressInsert(focus);
    EXPECT_EQ(f->OverwriteMode, 0);
    EXPECT_TRUE(f->OverwritePane()->text().isEmpty());
    // Back to the list: the indicator is cleared.
    PressInsert(focus);
    f->EditMode = 0;
    ASSERT_TRUE(f->SwapNcPane());
    EXPECT_EQ(f->OverwriteMode, 0);
    EXPECT_TRUE(f->OverwritePane()->text().isEmpty());
}

TEST_F(FrameInput, WheelRouting) {
    ASSERT_TRUE(Start({"/US"}));
    CMainFrame* f = Frame();
    QApplication::processEvents();
    auto centre = [](QWidget* w) { return w->mapToGlobal(w->rect().center()); };
    EXPECT_EQ(f->RouteMouseWheel(0, 120, centre(f->InfoPane())), 1);
    EXPECT_EQ(f->RouteMouseWheel(0, 120, centre(f->NcPane()->Widget())), 1);
    EXPECT_EQ(f->RouteMouseWheel(0, 120, centre(f->ElemViews()[0]->Widget())), 1);
    // Neither the switch form nor the editor is a candidate.
    EXPECT_EQ(f->RouteMouseWheel(0, 120, centre(f->SwitchForm())), 0);
    f->EditMode = 1;
    ASSERT_TRUE(f->SwapNcPane());
    QApplication::processEvents();
    EXPECT_EQ(f->RouteMouseWheel(0, 120, centre(f->NcPane()->Widget())), 0);
}

TEST_F(FrameInput, OpenRemembersTheFolderAndTheFile) {
    ASSERT_TRUE(Start({"/US"}));
    prompt_->fileNames.push_back(Sample());
    ASSERT_TRUE(Frame()->OnCommand(cmd::Open));
    EXPECT_FALSE(app_->Document->Lines.empty());
    std::string folder =
        platform::GetProfileString("System", "BeforeOpenFileName", "", app_->Paths.IniPath);
    EXPECT_EQ(folder, std::string(MORVALEN_SOURCE_DIR) + "/examples/");
    // The recent file shows in the File menu and opens again.
    QAction* recent = Frame()->Action(cmd::RecentFile1 + 1);
    ASSERT_TRUE(recent);
    EXPECT_TRUE(recent->text().endsWith("laser-sample.nc"));
    ASSERT_TRUE(Frame()->OnCommand(cmd::New));
    EXPECT_TRUE(app_->Document->Lines.empty());
    ASSERT_TRUE(Frame()->OnCommand(cmd::RecentFile1 + 1));
    EXPECT_FALSE(app_->Document->Lines.empty());
    // In edit mode Open does nothing.
    Frame()->EditMode = 1;
    prompt_->asked.clear();
    app_->OnFileOpen();
    EXPECT_TRUE(prompt_->asked.empty());
}

// Until a file is chosen with Open, the question starts beside the open program (one named
// on the command line), not in the process's current folder; then in the folder chosen last.
TEST_F(FrameInput, OpenStartsBesideTheOpenProgram) {
    ASSERT_TRUE(Start({"/US"}));
    app_->OnFileOpen();  // no program, no folder: the dialog's own choice
    ASSERT_EQ(prompt_->asked.size(), 1u);
    EXPECT_EQ(prompt_->asked[0].initial, "");
    ASSERT_TRUE(Start({"/US", Sample()}));
    app_->OnFileOpen();
    ASSERT_EQ(prompt_->asked.size(), 1u);
    EXPECT_EQ(prompt_->asked[0].initial, std::string(MORVALEN_SOURCE_DIR) + "/examples/");
    platform::WriteProfileString("System", "BeforeOpenFileName", "/last/", app_->Paths.IniPath);
    app_->OnFileOpen();
    EXPECT_EQ(prompt_->asked.back().initial, "/last/");
}

bool MenuHolds(QMenu* menu, QAction* action) {
    for (QAction* a : menu->actions()) {
        if (a == action) return true;
        if (a->menu() && MenuHolds(a->menu(), action)) return true;
    }
    return false;
}

TEST_F(FrameInput, DisplayFlagsTakeItemsOutOfMenusAndBars) {
    auto ini = ConfigFolder() / "MV_System.ini";
    std::filesystem::create_directories(ConfigFolder());
    platform::WriteProfileString("\"File\" Display setting", "Save", "0:1", ini);
    platform::WriteProfileString("\"Edit\" Display setting", "Check NC", "1:0", ini);
    ASSERT_TRUE(Start({"/US"}));
    CMainFrame* f = Frame();
    QMenu* file = f->menuBar()->actions().value(0)->menu();
    QMenu* edit = f->menuBar()->actions().value(1)->menu();
    EXPECT_FALSE(MenuHolds(file, f->Action(cmd::Save)));
    EXPECT_TRUE(f->Bar(kBarStandard)->actions().contains(f->Action(cmd::Save)));
    EXPECT_TRUE(MenuHolds(edit, f->Action(cmd::CheckNc)));
    EXPECT_FALSE(f->Bar(kBarEdit)->actions().contains(f->Action(cmd::CheckNc)));
    // The fixed-phrase items read "< Unspecified >" without a phrase.
    f->UpdateCommandStates();
    EXPECT_EQ(f->Action(cmd::InsertStr1)->text(), "< Unspecified >");
    EXPECT_FALSE(f->Action(cmd::InsertStr1)->isEnabled());
}

}  // namespace

namespace {

TEST_F(FrameInput, SaveAsWritesTheLinesAndKeepsTheName) {
    ASSERT_TRUE(Start({"/US", Sample()}));
    const auto target = dir_.path() / "copy.nc";
    prompt_->fileNames.push_back(target.string());
    ASSERT_TRUE(Frame()->OnCommand(cmd::SaveAs));
    EXPECT_TRUE(std::filesystem::exists(target));
    EXPECT_EQ(app_->NcFileName, target.string());
    EXPECT_TRUE(Frame()->windowTitle().startsWith("copy.nc"));
    // Save writes to the same file again without asking for a name.
    prompt_->asked.clear();
    ASSERT_TRUE(Frame()->OnCommand(cmd::Save));
    EXPECT_TRUE(prompt_->asked.empty());
    // A folder that does not exist: the failure is shown.
    prompt_->fileNames.push_back((dir_.path() / "no" / "such" / "x.nc").string());
    ASSERT_TRUE(Frame()->OnCommand(cmd::SaveAs));
    EXPECT_TRUE(Asked("cannot be written"));
    EXPECT_EQ(app_->NcFileName, target.string());
}

// A save that fails says why, once, for Save and Save As alike: a backup that cannot be made
// (a folder "prog.bak" beside prog.nc) is told, not that the file cannot be written; a file
// that cannot be written is told once. Before, each failure was followed by a second, untrue
// "The file cannot be written".
TEST_F(FrameInput, AFailedSaveSaysWhyOnce) {
    const std::filesystem::path prog = dir_.path() / "nc" / "prog.nc";
    test::WriteFile(prog, "O1\r\nM30\r\n");
    std::filesystem::create_directories(dir_.path() / "nc" / "prog.bak" / "x");
    ASSERT_TRUE(Start({"/US", prog.string()}));
    app_->SystemData->CreateBackupFile = 1;
    const std::string backupFailed =
        FillMessage(AppMessage(kMsgSaveBackupFailed),
                    {prog.string(), (dir_.path() / "nc" / "prog.bak").string()});
    const std::filesystem::path nowhere = dir_.path() / "no" / "such" / "x.nc";
    struct Case {
        int command;
        std::filesystem::path target;
        std::string told;
    };
    const Case cases[] = {
        {cmd::Save, prog, backupFailed},
        {cmd::SaveAs, prog, backupFailed},
        {cmd::SaveAs, nowhere, FillMessage(AppMessage(kMsgCannotWrite), {nowhere.string()})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target.string());
        app_->Document->Lines.push_back("M02");
        app_->Document->SetModifiedFlag();
        prompt_->asked.clear();
        if (c.command == cmd::SaveAs) prompt_->fileNames = {c.target.string()};
        ASSERT_TRUE(Frame()->OnCommand(c.command));
        std::vector<std::string> told;
        for (const auto& a : prompt_->asked)
            if (!a.fileQuestion) told.push_back(a.text);
        EXPECT_EQ(told, std::vector<std::string>{c.told});
        EXPECT_EQ(test::ReadFile(prog), "O1\r\nM30\r\n");
        EXPECT_TRUE(app_->Document->IsModified());
        EXPECT_EQ(app_->Document->GetPathName(), prog.string());
    }
}

}  // namespace

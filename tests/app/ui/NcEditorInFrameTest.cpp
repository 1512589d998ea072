// The NC editor inside the main frame: the edit-mode switch with its refusals and guard, the
// edit commands in both modes, the records across switches and outside changes, the keys that
// open and leave the editor, and the close in edit mode.
#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>

#include "TestFiles.h"
#include "app/NcPaneMaker.h"
#include "app/core/CommandIds.h"
#include "app/ui/AppFixture.h"
#include "text/CNcTextEdit.h"
#include "text/CNcTextSwitch.h"
#include "text/CNcTextView.h"

namespace {

class NcEditorInFrame : public AppFixture {
protected:
    void TearDown() override {
        PaneFactory::Instance().NcPane = nullptr;
        AppFixture::TearDown();
    }
    CNcTextSwitch* Switch() const { return qobject_cast<CNcTextSwitch*>(Frame()->SwitchForm()); }
    CNcTextView* List() const { return dynamic_cast<CNcTextView*>(Frame()->NcPane()); }
    // A copy of the sample in the test's folder, so a save touches nothing else.
    std::string SampleCopy() {
        const auto path = dir_.path() / "sample.nc";
        std::filesystem::copy_file(Sample(), path);
        return path.string();
    }
};

}  // namespace

TEST_F(NcEditorInFrame, SwitchIsRefusedInModeElevenAndDuringATrace) {
    ASSERT_TRUE(Start({"/US", Sample()}));
    CMainFrame* f = Frame();
    app_->TraceActive = 1;
    f->ToggleEditMode();
    EXPECT_EQ(f->EditMode, 0);
    EXPECT_FALSE(f->NcPane()->IsEditor());
    // The buttons still react afterwards: a click shows the list again, then works once the
    // trace is over.
    Switch()->EditButton()->click();
    EXPECT_EQ(f->EditMode, 0);
    EXPECT_TRUE(Switch()->TraceButton()->isChecked());
    EXPECT_EQ(Switch()->Switching, 0);
    app_->TraceActive = 0;
    Switch()->EditButton()->click();
    EXPECT_EQ(f->EditMode, 1);
    EXPECT_TRUE(f->NcPane()->IsEditor());
    EXPECT_TRUE(Switch()->EditButton()->isChecked());
    app_->ProcessMode = 11;
    f->ToggleEditMode();
    EXPECT_EQ(f->EditMode, 1);
}

TEST_F(NcEditorInFrame, GuardIsUpDuringTheSwapAndDownWhateverHappens) {
    ASSERT_TRUE(Start({"/US", Sample()}));
    CMainFrame* f = Frame();
    std::vector<int> guardSeen;
    bool fail = false;
    PaneFactory::Instance().NcPane = [&](QWidget* parent, CMainFrame* frame,
                                         bool editor) -> INcPane* {
        guardSeen.push_back(Switch()->Switching);
        if (fail) return nullptr;
        return editor ? MakeNcTextEdit(parent, frame) : MakeNcTextView(parent, frame);
    };
    f->ToggleEditMode();
    EXPECT_EQ(guardSeen, std::vector<int>{1});
    EXPECT_EQ(Switch()->Switching, 0);
    EXPECT_EQ(app_->LoadingDlg, nullptr);
    // A pane that cannot be made: the editor stays, with the guard down.
    fail = true;
    f->ToggleEditMode();
    EXPECT_EQ(f->EditMode, 1);
    EXPECT_TRUE(f->NcPane()->IsEditor());
    EXPECT_EQ(Switch()->Switching, 0);
    EXPECT_TRUE(Switch()->EditButton()->isChecked());
}

TEST_F(NcEditorInFrame, EditCommandsDoNothingInListMode) {
    ASSERT_TRUE(Start({"/US", Sample()}));
    CMainFrame* f = Frame();
    const std::vector<std::string> lines = app_->Document->Lines;
    app_->SystemData->NcReadInfo.String[0] = "G00X0.";
    for (int id : {cmd::Undo, cmd::Redo, cmd::Cut, cmd::Copy, cmd::Paste, cmd::InsertStr1,
                   cmd::InsertStr8, cmd::Replace}) {
        EXPECT_TRUE(f->OnCommand(id)) << id;
        EXPECT_EQ(app_->Document->Lines, lines) << id;
        EXPECT_EQ(f->EditMode, 0);
    }
    EXPECT_FALSE(Asked("not yet available"));
    EXPECT_FALSE(app_->Document->IsModified());
}

TEST_F(NcEditorInFrame, EditCommandsReachTheEditor) {
    ASSERT_TRUE(Start({"/US", Sample()}));
    CMainFrame* f = Frame();
    app_->SystemData->NcReadInfo.String[1] = "G00X0.:M30";
    f->ToggleEditMode();
    CNcTextEdit* edit = f->Editor();
    ASSERT_NE(edit, nullptr);
    const QString original = edit->Text();
    edit->setFocus();
    edit->moveCursor(QTextCursor::Start);
    QTest::keyClicks(edit, "N1");
    EXPECT_TRUE(edit->Text().startsWith("N1"));
    f->OnCommand(cmd::Undo);
    f->OnCommand(cmd::Undo);
    EXPECT_EQ(edit->Text(), original);
    f->OnCommand(cmd::Redo);
    EXPECT_TRUE(edit->Text().startsWith("N"));
    f->OnCommand(cmd::InsertStr1 + 1);
    EXPECT_TRUE(edit->Text().startsWith("G00X0.\nM30\nN"));
    f->OnCommand(cmd::Replace);
    EXPECT_TRUE(edit->FindDialog);
    EXPECT_EQ(edit->FindMode, 1);
    // In process mode 11 the phrases and Replace stay away from the text.
    edit->SaveViewState(f->HandOver);  // closes the dialog
    app_->ProcessMode = 11;
    const QString before = edit->Text();
    f->OnCommand(cmd::InsertStr1 + 1);
    f->OnCommand(cmd::Replace);
    EXPECT_EQ(edit->Text(), before);
    EXPECT_FALSE(edit->FindDialog);
    // Find goes to the editor here and to the list there.
    edit->FindText = "m30";
    edit->moveCursor(QTextCursor::Start);
    f->OnCommand(cmd::FindNext);
    EXPECT_EQ(edit->textCursor().selectedText(), "M30");
    EXPECT_FALSE(Asked("not yet available"));
}

TEST_F(NcEditorInFrame, RecordsSurviveTheListAndGoWithOutsideChanges) {
    ASSERT_TRUE(Start({"/US", Sample()}));
    CMainFrame* f = Frame();
    const std::vector<std::string> original = app_->Document->Lines;
    f->ToggleEditMode();
    f->Editor()->moveCursor(QTextCursor::Start);
    QTest::keyClicks(f->Editor(), "(A)");
    QTest::keyClick(f->Editor(), Qt::Key_Return);
    // Escape goes back to the list once its handler has returned; the text is committed.
    QTest::keyClick(f->Editor(), Qt::Key_Escape);
    EXPECT_EQ(f->EditMode, 1);
    QApplication::processEvents();
    EXPECT_EQ(f->EditMode, 0);
    ASSERT_NE(List(), nullptr);
    EXPECT_EQ(app_->Document->Lines.front(), "(A)");
    EXPECT_EQ(app_->Document->Lines.size(), original.size() + 1);
    EXPECT_TRUE(app_->Document->IsModified());
    EXPECT_EQ(app_->EditRecords.Count(), 4u);
    // Into the editor again: the records still undo.
    f->ToggleEditMode();
    while (f->Editor()->Undo()) {
    }
    f->ToggleEditMode();
    EXPECT_EQ(app_->Document->Lines, original);
    // A change made outside the editor drops them; so does an open.
    f->ToggleEditMode();
    QTest::keyClicks(f->Editor(), "X");
    f->ToggleEditMode();
    EXPECT_EQ(app_->EditRecords.Count(), 1u);
    app_->Document->LinesChangedOutsideEditor();
    EXPECT_EQ(app_->EditRecords.Count(), 0u);
    f->ToggleEditMode();
    QTest::keyClicks(f->Editor(), "Y");
    f->ToggleEditMode();
    EXPECT_EQ(app_->EditRecords.Count(), 1u);
    prompt_->answers.push_back(platform::PromptAnswer::No);
    ASSERT_TRUE(app_->OpenDocumentFile(Sample()));
    EXPECT_EQ(app_->EditRecords.Count(), 0u);
}

TEST_F(NcEditorInFrame, CloseInEditModeAsksWithTheEditedText) {
    const std::string path = SampleCopy();
    ASSERT_TRUE(Start({"/US", path}));
    CMainFrame* f = Frame();
    f->ToggleEditMode();
    f->Editor()->moveCursor(QTextCursor::Start);
    QTest::keyClicks(f->Editor(), "(EDITED)");
    QTest::keyClick(f->Editor(), Qt::Key_Return);
    EXPECT_FALSE(app_->Document->IsModified());  // not committed yet
    // Cancel keeps the program and the editor; the text is the document's by now.
    prompt_->answers.push_back(platform::PromptAnswer::Cancel);
    EXPECT_FALSE(f->close());
    EXPECT_TRUE(Asked("Save changes"));
    EXPECT_TRUE(app_->Document->IsModified());
    EXPECT_EQ(app_->Document->Lines.front(), "(EDITED)");
    prompt_->answers.push_back(platform::PromptAnswer::Yes);
    EXPECT_TRUE(f->close());
    EXPECT_EQ(test::ReadFile(path).rfind("(EDITED)\r\n", 0), 0u);
    EXPECT_EQ(app_->EditRecords.Count(), 0u);
}

TEST_F(NcEditorInFrame, KeysOpenTheEditorAtTheSelectedLine) {
    ASSERT_TRUE(Start({"/US", Sample()}));
    CMainFrame* f = Frame();
    f->activateWindow();
    for (int key : {int(Qt::Key_F2), int(Qt::Key_Return)}) {
        CNcTextView* list = List();
        ASSERT_NE(list, nullptr);
        int row = 7;
        list->SelectLine(1, &row, 1);
        list->setFocus();
        const int speed = f->TraceTime;
        // F2 is the Low-speed accelerator too: the list claims it.
        QTest::keyClick(list, Qt::Key(key));
        QApplication::processEvents();
        EXPECT_EQ(f->TraceTime, speed) << key;
        ASSERT_EQ(f->EditMode, 1) << key;
        EXPECT_EQ(f->Editor()->textCursor().blockNumber(), 7);
        QTest::keyClick(f->Editor(), Qt::Key_Escape);
        QApplication::processEvents();
        ASSERT_EQ(f->EditMode, 0);
        EXPECT_EQ(List()->FirstSelectedRow(), 7);
    }
}

TEST_F(NcEditorInFrame, ContextMenuOfTheEditor) {
    ASSERT_TRUE(Start({"/US", Sample()}));
    CMainFrame* f = Frame();
    std::unique_ptr<QMenu> menu(f->CreateResourceMenu(162, nullptr));
    ASSERT_NE(menu, nullptr);
    std::vector<int> ids;
    for (QAction* a : menu->actions())
        if (a->menu())
            for (QAction* sub : a->menu()->actions()) ids.push_back(sub->data().toInt());
        else if (!a->isSeparator())
            ids.push_back(a->data().toInt());
    EXPECT_EQ(ids, (std::vector<int>{cmd::Undo, cmd::Redo, cmd::Cut, cmd::Copy, cmd::Paste, 32898,
                                     32899, 32900, 32901, 32902, 32903, 32904, 32905, cmd::Find,
                                     cmd::FindNext, cmd::FindPrevious, cmd::Replace}));
}

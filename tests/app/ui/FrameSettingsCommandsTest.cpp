// The frame's settings commands with a fake dialog runner: the dialog each command runs, the
// Help flag, Convert NC's refusals, and what the frame reloads after OK in and out of edit mode.
#include <QAction>
#include <QTest>
#include <functional>

#include "AppFixture.h"
#include "app/SettingsDialogRunner.h"
#include "app/core/CommandIds.h"
#include "platform/Profile.h"
#include "settings/SettingsContext.h"
#include "text/CNcTextEdit.h"
#include "text/CNcTextView.h"

namespace {

// Records the dialogs it is asked for and ends each as told, after an optional action (what
// the user changed in it).
class FakeDialogs : public SettingsDialogRunner {
public:
    bool ok = true;
    std::function<void(SettingsContext&)> act;
    std::vector<int> ran;
    std::vector<bool> help;
    bool Run(int command, SettingsContext& ctx, QWidget*) override {
        ran.push_back(command);
        help.push_back(static_cast<bool>(ctx.Help));
        if (act) act(ctx);
        return ok;
    }
};

class FrameSettingsCommands : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        ASSERT_TRUE(Start({"/US", Sample()}));
        Frame()->SettingsDialogs = &dialogs;
        // The dialog changes the NC text's font size in the system settings.
        dialogs.act = [this](SettingsContext&) {
            platform::WriteProfileInt("NcTextView", "FontSize", 200, app_->Paths.IniPath);
        };
    }
    void TearDown() override {
        if (app_) Frame()->SettingsDialogs = nullptr;
        AppFixture::TearDown();
    }
    CNcTextEdit* OpenEditor() {
        Frame()->ToggleEditMode();
        return Frame()->Editor();
    }
    FakeDialogs dialogs;
};

TEST_F(FrameSettingsCommands, EachCommandRunsItsDialog) {
    dialogs.ok = false;
    for (int command : {cmd::Property, cmd::PropertyMachine, cmd::PropertyCondition,
                        cmd::PropertyConversion, cmd::ConvertNc})
        EXPECT_TRUE(Frame()->OnCommand(command));
    EXPECT_EQ(dialogs.ran,
              (std::vector<int>{cmd::Property, cmd::PropertyMachine, cmd::PropertyCondition,
                                cmd::PropertyConversion, cmd::ConvertNc}));
    EXPECT_FALSE(Asked("not yet available"));
}

TEST_F(FrameSettingsCommands, TheHelpFlagAtZeroGivesTheSheetsNoHelpButton) {
    dialogs.ok = false;
    Frame()->OnCommand(cmd::Property);
    Frame()->OnCommand(cmd::PropertyMachine);
    Frame()->Flags.Set(cmd::HelpContents, 0);
    Frame()->OnCommand(cmd::Property);
    Frame()->OnCommand(cmd::PropertyMachine);
    EXPECT_EQ(dialogs.help, (std::vector<bool>{true, true, false, false}));
}

TEST_F(FrameSettingsCommands, ConvertNcIsRefusedInModeElevenAndInEditMode) {
    ASSERT_TRUE(OpenEditor());
    Frame()->OnCommand(cmd::ConvertNc);
    EXPECT_TRUE(dialogs.ran.empty());
    Frame()->ToggleEditMode();
    ASSERT_FALSE(Frame()->Editor());
    Frame()->SetProcMode(11);
    Frame()->OnCommand(cmd::ConvertNc);
    EXPECT_TRUE(dialogs.ran.empty());
    Frame()->SetProcMode(1);
    Frame()->OnCommand(cmd::ConvertNc);
    EXPECT_EQ(dialogs.ran, std::vector<int>{cmd::ConvertNc});
}

TEST_F(FrameSettingsCommands, SystemSettingsOkRefreshesTheViewsOrReloadsTheEditor) {
    CNcTextView* list = Frame()->NcList();
    ASSERT_TRUE(list);
    dialogs.ok = false;
    Frame()->OnCommand(cmd::Property);
    EXPECT_EQ(list->Settings.FontSize, 110);  // Cancel: nothing read again
    dialogs.ok = true;
    Frame()->OnCommand(cmd::Property);
    EXPECT_EQ(list->Settings.FontSize, 200);

    platform::WriteProfileInt("NcTextView", "FontSize", 110, app_->Paths.IniPath);
    CNcTextEdit* editor = OpenEditor();
    ASSERT_TRUE(editor);
    QTest::keyClicks(editor, "X");
    ASSERT_EQ(editor->Settings.FontSize, 110);
    Frame()->OnCommand(cmd::Property);
    EXPECT_EQ(editor->Settings.FontSize, 200);
    // The editor keeps its text and its pane.
    EXPECT_EQ(Frame()->Editor(), editor);
    EXPECT_EQ(editor->Modified, 1);
}

TEST_F(FrameSettingsCommands, MachineOkReloadsTheEditorButConditionOkDoesNot) {
    CNcTextEdit* editor = OpenEditor();
    ASSERT_TRUE(editor);
    Frame()->OnCommand(cmd::PropertyCondition);
    EXPECT_EQ(editor->Settings.FontSize, 110);
    Frame()->OnCommand(cmd::PropertyMachine);
    EXPECT_EQ(editor->Settings.FontSize, 200);
}

TEST_F(FrameSettingsCommands, ConditionOkOutsideEditModeRefreshesTheList) {
    Frame()->OnCommand(cmd::PropertyCondition);
    ASSERT_TRUE(Frame()->NcList());
    EXPECT_EQ(Frame()->NcList()->Settings.FontSize, 200);
}

TEST_F(FrameSettingsCommands, ChangedApplicationTitlesRefreshTheBars) {
    dialogs.act = [](SettingsContext& ctx) { ctx.SetExternalApps(1, 0, "CAD", "Viewer"); };
    Frame()->OnCommand(cmd::Property);
    // The button shows the new title at once.
    EXPECT_EQ(Frame()->Action(cmd::Boot)->iconText(), "CAD");
}

}  // namespace

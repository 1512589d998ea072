// The frame's settings commands: the sheets and dialogs they open and what is reloaded after OK.
#include <QDialog>

#include "app/CMainFrame.h"
#include "app/CTessmarkApp.h"
#include "app/QtChoosers.h"
#include "app/SettingsDialogRunner.h"
#include "app/core/CommandIds.h"
#include "app/core/ExceptionLog.h"
#include "app/core/SettingsCommands.h"
#include "settings/CExecReplaceDlg.h"
#include "settings/CSetMachineSheet.h"
#include "settings/CSetReplaceDlg.h"
#include "settings/CSetSystemSheet.h"
#include "settings/CSetToolDlg.h"
#include "settings/SettingsContext.h"
#include "text/CNcTextEdit.h"
#include "text/CNcTextView.h"

namespace {

class RealDialogs : public SettingsDialogRunner {
public:
    bool Run(int command, SettingsContext& ctx, QWidget* parent) override {
        switch (command) {
            case cmd::PropertyMachine:
                return CSetMachineSheet(ctx, parent).Run() == QDialog::Accepted;
            case cmd::Property:
                return CSetSystemSheet(ctx, parent).Run() == QDialog::Accepted;
            case cmd::PropertyCondition:
                return CSetToolDlg(ctx, parent).Run() == QDialog::Accepted;
            case cmd::PropertyConversion:
                return CSetReplaceDlg(ctx, parent).Run() == QDialog::Accepted;
            case cmd::ConvertNc:
                return CExecReplaceDlg(ctx, parent).Run() == QDialog::Accepted;
            default:
                return false;
        }
    }
};

// What the settings commands do to the application and the frame.
class FrameSettingsHost : public SettingsCommandHost {
public:
    explicit FrameSettingsHost(CMainFrame* frame) : frame_(frame), app_(frame->App()) {}

    bool RunDialog(int command, bool showHelp) override {
        SettingsContext ctx = frame_->MakeSettingsContext();
        if (!showHelp) ctx.Help = nullptr;
        SettingsDialogRunner& dialogs =
            frame_->SettingsDialogs ? *frame_->SettingsDialogs : RealSettingsDialogs();
        return dialogs.Run(command, ctx, frame_);
    }
    ToolBarTitleState ToolBarTitles() const override {
        return {frame_->ToolBarTitle, frame_->ToolBarTitle2, frame_->App1Configured,
                frame_->App2Configured};
    }
    std::string ConfiguredMachineFile() const override {
        return app_->SystemData->ConfiguredMachinePath().string();
    }
    void LoadMachineFile() override { app_->SystemData->NcReadInfo.LoadMachineFile(1); }
    void LoadSystemData() override { app_->SystemData->LoadSystemKeys(); }
    void LoadConfiguredMachine() override {
        app_->SystemData->LoadConfiguredMachine();
        app_->PunchTool.ReloadDieFiles();
    }
    void LoadToolData() override { app_->SystemData->ToolData.Load(); }
    void RefreshToolBars() override { frame_->RefreshToolBars(); }
    void ReloadEditor() override {
        // The editor reads its colours and font again and keeps its text.
        if (CNcTextEdit* editor = frame_->Editor()) editor->Reload();
    }
    void RebuildElements() override {
        if (app_->Document) app_->Document->RebuildElements();
    }
    void RefreshAllViews() override {
        if (CNcTextView* list = frame_->NcList())
            list->RefreshAllViews();
        else
            frame_->UpdateAllViews();
    }

private:
    CMainFrame* frame_;
    CTessmarkApp* app_;
};

}  // namespace

SettingsDialogRunner& RealSettingsDialogs() {
    static RealDialogs dialogs;
    return dialogs;
}

SettingsContext CMainFrame::MakeSettingsContext() const {
    SettingsContext ctx;
    ctx.Paths = &app_->Paths;
    ctx.Nc = &app_->Context;
    ctx.SystemData = app_->SystemData.get();
    ctx.PunchTool = &app_->PunchTool;
    ctx.Document = app_->Document.get();
    ctx.EditMode = EditMode;
    ctx.ProcessMode = app_->ProcessMode;
    ctx.Prompt = &app_->Prompt();
    ctx.Choose = SettingsChoosers ? SettingsChoosers : &QtChoosers::Instance();
    // The sheets show a Help button only when the "Help" entry of the help display group is on.
    if (Flags.FlagsOf(cmd::HelpContents) != 0) {
        CMainFrame* self = const_cast<CMainFrame*>(this);
        ctx.Help = [self] { self->OnCommand(cmd::HelpContents); };
    }
    CMainFrame* frame = const_cast<CMainFrame*>(this);
    ctx.UpdateViews = [frame] { frame->OnDocumentChanged(); };
    ctx.SetExternalApps = [frame](int app1, int app2, const std::string& title1,
                                  const std::string& title2) {
        frame->App1Configured = app1;
        frame->App2Configured = app2;
        frame->ToolBarTitle = title1;
        frame->ToolBarTitle2 = title2;
    };
    return ctx;
}

void CMainFrame::InstallSettingsHandlers() {
    for (int command : {cmd::PropertyMachine, cmd::Property, cmd::PropertyCondition,
                        cmd::PropertyConversion, cmd::ConvertNc})
        handlers_[command] = [this, command] {
            CallGuarded([this, command] { RunSettingsCommandNow(command); },
                        ExceptionLogPath(app_->Paths.ConfigFolder), SettingsCommandName(command),
                        app_->NcFileName);
        };
}

const char* CMainFrame::SettingsCommandName(int command) {
    switch (command) {
        case cmd::PropertyMachine:
            return "OnMachineProperty";
        case cmd::Property:
            return "OnSystemProperty";
        case cmd::PropertyCondition:
            return "OnConditionProperty";
        case cmd::PropertyConversion:
            return "OnConversionProperty";
        default:
            return "OnConvertNc";
    }
}

void CMainFrame::RunSettingsCommandNow(int command) {
    if (!app_->SystemData) return;
    SettingsCommandState state;
    state.editMode = EditMode;
    state.processMode = app_->ProcessMode;
    state.helpFlag = Flags.FlagsOf(cmd::HelpContents);
    FrameSettingsHost host(this);
    RunSettingsCommand(command, state, host);
}

void CMainFrame::UpdateAllViews() {
    // Every view of the document reads its keys again (the information list with the element
    // views' update).
    if (ncPane_) ncPane_->UpdateFromDocument();
    for (IElemView* view : ElemViews()) view->OnUpdate();
}

// The frame's settings commands: the sheets and dialogs they open and what is reloaded after OK.
#include <QDialog>

#include "app/CMainFrame.h"
#include "app/CTessmarkApp.h"
#include "app/QtChoosers.h"
#include "app/core/CommandIds.h"
#include "app/core/ExceptionLog.h"
#include "settings/CExecReplaceDlg.h"
#include "settings/CSetMachineSheet.h"
#include "settings/CSetReplaceDlg.h"
#include "settings/CSetSystemSheet.h"
#include "settings/CSetToolDlg.h"
#include "settings/SettingsContext.h"
#include "text/CNcTextEdit.h"

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
    auto guarded = [this](void (CMainFrame::*command)(), const char* name) {
        return [this, command, name] {
            CallGuarded([this, command] { (this->*command)(); },
                        ExceptionLogPath(app_->Paths.ConfigFolder), name, app_->NcFileName);
        };
    };
    handlers_[cmd::PropertyMachine] = guarded(&CMainFrame::OnMachineProperty, "OnMachineProperty");
    handlers_[cmd::Property] = guarded(&CMainFrame::OnSystemProperty, "OnSystemProperty");
    handlers_[cmd::PropertyCondition] =
        guarded(&CMainFrame::OnConditionProperty, "OnConditionProperty");
    handlers_[cmd::PropertyConversion] =
        guarded(&CMainFrame::OnConversionProperty, "OnConversionProperty");
    handlers_[cmd::ConvertNc] = guarded(&CMainFrame::OnConvertNc, "OnConvertNc");
}

void CMainFrame::RefreshPanesAfterSettings() {
    if (EditMode) {
        // The editor reads its colours and font again and keeps its text.
        if (CNcTextEdit* editor = Editor()) editor->Reload();
        return;
    }
    // Every view of the document reads its keys again (the information list with the element
    // views' update).
    if (ncPane_) ncPane_->UpdateFromDocument();
    for (IElemView* view : ElemViews()) view->OnUpdate();
}

void CMainFrame::OnMachineProperty() {
    if (!app_->SystemData) return;
    SettingsContext ctx = MakeSettingsContext();
    CSetMachineSheet sheet(ctx, this);
    if (sheet.Run() != QDialog::Accepted) return;
    app_->SystemData->NcReadInfo.LoadMachineFile(1);
    if (!EditMode && app_->Document) app_->Document->RebuildElements();
    RefreshPanesAfterSettings();
}

void CMainFrame::OnSystemProperty() {
    if (!app_->SystemData) return;
    const std::string title1 = ToolBarTitle, title2 = ToolBarTitle2;
    const int configured1 = App1Configured, configured2 = App2Configured;
    SettingsContext ctx = MakeSettingsContext();
    CSetSystemSheet sheet(ctx, this);
    if (sheet.Run() != QDialog::Accepted) return;
    // Loads a newly chosen machine file too; the elements are not rebuilt.
    app_->SystemData->Load();
    // Also when an application was set or cleared: its button comes or goes at once.
    if (title1 != ToolBarTitle || title2 != ToolBarTitle2 || configured1 != App1Configured ||
        configured2 != App2Configured)
        RefreshToolBars();
    RefreshPanesAfterSettings();
}

void CMainFrame::OnConditionProperty() {
    if (!app_->SystemData) return;
    SettingsContext ctx = MakeSettingsContext();
    CSetToolDlg dlg(ctx, this);
    if (dlg.Run() != QDialog::Accepted) return;
    app_->SystemData->ToolData.Load();
    if (EditMode) return;
    if (app_->Document) app_->Document->RebuildElements();
    RefreshPanesAfterSettings();
}

void CMainFrame::OnConversionProperty() {
    // Every change is written by the dialog that makes it; nothing is reloaded.
    SettingsContext ctx = MakeSettingsContext();
    CSetReplaceDlg dlg(ctx, this);
    dlg.Run();
}

void CMainFrame::OnConvertNc() {
    // Not while the process mode forbids editing, nor on the text being edited.
    if (app_->ProcessMode == 11 || EditMode) return;
    SettingsContext ctx = MakeSettingsContext();
    CExecReplaceDlg dlg(ctx, this);
    dlg.Run();
}

// The frame's settings commands: the sheets and dialogs they open and what is reloaded after OK.
#include <QDialog>

#include "app/CMainFrame.h"
#include "app/CTessmarkApp.h"
#include "app/QtChoosers.h"
#include "app/core/CommandIds.h"
#include "app/core/ExceptionLog.h"
#include "settings/CSetMachineSheet.h"
#include "settings/SettingsContext.h"

SettingsContext CMainFrame::MakeSettingsContext() const {
    SettingsContext ctx;
    ctx.Paths = &app_->Paths;
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
    return ctx;
}

void CMainFrame::InstallSettingsHandlers() {
    handlers_[cmd::PropertyMachine] = [this] {
        CallGuarded([this] { OnMachineProperty(); }, ExceptionLogPath(app_->Paths.ConfigFolder),
                    "OnMachineProperty", app_->NcFileName);
    };
}

void CMainFrame::OnMachineProperty() {
    if (!app_->SystemData) return;
    SettingsContext ctx = MakeSettingsContext();
    CSetMachineSheet sheet(ctx, this);
    if (sheet.Run() != QDialog::Accepted) return;
    app_->SystemData->NcReadInfo.LoadMachineFile(1);
    if (EditMode) {
        // The editor takes its text again.
        if (ncPane_) ncPane_->UpdateFromDocument();
        return;
    }
    if (app_->Document) app_->Document->RebuildElements();
    OnDocumentChanged();
}

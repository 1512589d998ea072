// CMainFrame: the NC operation commands and what the NC operations reach through the frame.
#include <QPointer>

#include "app/AppNcOpsHost.h"
#include "app/CLoadingDlg.h"
#include "app/CMainFrame.h"
#include "app/CTessmarkApp.h"
#include "app/core/CommandIds.h"
#include "settings/ModalRun.h"
#include "text/C06RSmoothDlg.h"
#include "text/CManMoveDlg.h"
#include "text/CNcTextEdit.h"
#include "text/CNcTextSwitch.h"
#include "text/CNcTextView.h"
#include "text/core/FiveAxisSmoothing.h"
#include "text/core/NcOpsText.h"
#include "text/core/NcOutsideCheck.h"

NcOpsHost& CMainFrame::NcOps() {
    auto* host = findChild<AppNcOpsHost*>(QStringLiteral("NcOpsHost"), Qt::FindDirectChildrenOnly);
    if (!host) host = new AppNcOpsHost(this);
    return *host;
}

CNcTextView* CMainFrame::NcList() const {
    return EditMode == 1 ? nullptr : dynamic_cast<CNcTextView*>(NcPane());
}

void CMainFrame::OnCheckNc() {
    CNcTextView* list = NcList();
    if (!list) return;
    // The outside checker when RERERAZOVU names a folder that holds it, else the rules.
    const std::filesystem::path checker = FindOutsideChecker();
    if (!checker.empty())
        list->RunExternalCheck(checker);
    else
        list->CheckNcProgram();
}

void CMainFrame::OnShiftCoordinate() {
    if (App()->ProcessMode == 11) return;
    if (CNcTextView* list = NcList()) list->ShiftCoordinate();
}

void CMainFrame::OnManualMove() {
    if (App()->ProcessMode == 11) return;
    if (ManMoveDlg) {
        ManMoveDlg->close();
        return;
    }
    CNcTextView* list = NcList();
    if (!list) return;
    ManMoveContext ctx;
    ctx.ManualMove = [this](int axis, int line, double step) {
        CNcTextView* l = NcList();
        return l ? l->ManualMove(axis, line, step) : 0;
    };
    ctx.SelectLine = [this](int row) {
        CNcTextView* l = NcList();
        return l ? l->SelectLine(1, &row, 1) : 0;
    };
    ctx.SelectedRow = [this] {
        CNcTextView* l = NcList();
        return l ? l->FirstSelectedRow() : -1;
    };
    ctx.Closed = [this] { OnManMoveDlgClosed(); };
    ctx.IniPath = App()->Paths.IniPath;
    ctx.MachineFile = NcOps().Machine().MachineFilePath();
    auto* dlg = new CManMoveDlg(std::move(ctx), this);
    ManMoveDlg = dlg;
    dlg->Create();
}

void CMainFrame::OnManMoveDlgClosed() {
    if (auto* dlg = qobject_cast<CManMoveDlg*>(ManMoveDlg)) dlg->MoveValProfile(1);
    ManMoveDlg = nullptr;
    UpdateCommandStates();
    FitAspectInViews();
}

void CMainFrame::NotifyModelessDialogs(int row) {
    if (auto* dlg = qobject_cast<C06RSmoothDlg*>(SmoothDlg); dlg && dlg->PickMode != 0)
        dlg->SetPickedLine(row + 1);
    if (auto* dlg = qobject_cast<CManMoveDlg*>(ManMoveDlg)) dlg->SetCurrentLine(row);
}

void CMainFrame::OnSmoothing() {
    if (App()->ProcessMode == 11) return;
    // A folder named that lacks the library refuses the dialog; without RERERAZOVU the dialog
    // opens and Execute says what is missing.
    if (!AdjustToolPathFile().empty() && !AdjustToolPathPresent(&App()->Prompt())) return;
    if (SmoothDlg) {
        SmoothDlg->close();
        return;
    }
    if (!NcList()) return;
    SmoothDlgContext ctx;
    ctx.Params = &NcOps().Smoothing();
    ctx.MachineFile = NcOps().Machine().MachineFilePath();
    ctx.IniPath = App()->Paths.IniPath;
    ctx.LineCount = [this] { return int(NcOps().Lines().size()); };
    ctx.FitViews = [this] { FitAspectInViews(); };
    ctx.FocusView = [this] { FocusActiveElemView(); };
    ctx.ApplySmoothing = [this](SmoothParams* params) { return ApplySmoothing(params); };
    ctx.Closed = [this] { OnSmoothDlgClosed(); };
    ctx.RunModal = [](QDialog& dialog) { return RunModal(dialog); };
    auto* dlg = new C06RSmoothDlg(std::move(ctx), this);
    SmoothDlg = dlg;
    dlg->Create();
    UpdateCommandStates();
}

void CMainFrame::OnSmoothDlgClosed() {
    if (auto* dlg = qobject_cast<C06RSmoothDlg*>(SmoothDlg)) dlg->LoadSaveParams(1);
    SmoothDlg = nullptr;
    UpdateCommandStates();
    FitAspectInViews();
}

int CMainFrame::ApplySmoothing(SmoothParams* params) {
    CNcTextView* list = NcList();
    if (!params || !list) return 0;
    // The smoothing goes into the text through the editor, never into the list: when the
    // editor cannot come up (a trace is open) nothing changes.
    if (EditModeSwitchRefused()) {
        ShowOpsMessage(&App()->Prompt(), 20089, platform::PromptIcon::Warning,
                       platform::PromptButtons::Ok);
        return 0;
    }
    // A missing library is said as such (and where it was looked for), not as a failure of
    // the smoothing.
    if (!AdjustToolPathPresent(&App()->Prompt())) return 0;
    CLoadingDlg* progress = nullptr;
    if (!App()->LoadingDlg) {
        progress = new CLoadingDlg(0, this);
        progress->SetMessage(QString::fromStdString(OpsText(20088)));
        App()->LoadingDlg = progress;
    }
    auto dropProgress = [this, &progress] {
        if (!progress) return;
        if (App()->LoadingDlg == progress) App()->LoadingDlg = nullptr;
        delete progress;
        progress = nullptr;
    };
    std::vector<std::string> lines;
    if (!list->Smooth06R(*params, lines)) {
        dropProgress();
        ShowOpsMessage(&App()->Prompt(), 20089, platform::PromptIcon::Warning,
                       platform::PromptButtons::Ok);
        return 0;
    }
    // The editor's pane swap closes the dialog; its window goes after Execute's handler has
    // returned (deleteLater), never inside it.
    int first = params->StartRow, last = params->EndRow;
    ClampRange(first, last, int(NcOps().Lines().size()));
    ToggleEditMode();
    CNcTextEdit* editor = Editor();
    if (!editor) {
        dropProgress();
        ShowOpsMessage(&App()->Prompt(), 20089, platform::PromptIcon::Warning,
                       platform::PromptButtons::Ok);
        return 0;
    }
    auto* sw = qobject_cast<CNcTextSwitch*>(SwitchForm());
    if (sw) sw->Switching = 1;
    editor->ReplaceInRange(first, last, lines);
    if (sw) sw->Switching = 0;
    // Back to the list: the editor's text goes into the document, which is rebuilt, marked
    // modified and written to the recovery log.
    ToggleEditMode();
    dropProgress();
    ShowOpsMessage(&App()->Prompt(), 20087, platform::PromptIcon::Warning,
                   platform::PromptButtons::Ok);
    return 1;
}

void CMainFrame::CloseTraceDialogs() {
    if (SmoothDlg) SmoothDlg->close();
    if (ManMoveDlg) ManMoveDlg->close();
}

void CMainFrame::OnGetSubProgram() {
    if (App()->ProcessMode == 11 || EditMode == 1) return;
    GetSubProgMode = GetSubProgMode ? 0 : 1;
}

void CMainFrame::OnElementClicked(int line) {
    if (App()->TraceActive) return;
    CNcTextView* list = NcList();
    if (GetSubProgMode) {
        if (list) list->ExtractSubProgram(line);
    } else if (list) {
        int row = line;
        list->SelectLine(1, &row, 0);
    }
    NotifyModelessDialogs(line);
}

void CMainFrame::OnConvertG08() {
    if (App()->ProcessMode == 11) return;
    if (CNcTextView* list = NcList()) list->ConvertG08();
}

void CMainFrame::InstallNcOpsHandlers() {
    SetHandler(cmd::CheckNc, [this] { OnCheckNc(); });
    SetHandler(cmd::ShiftCoord, [this] { OnShiftCoordinate(); });
    SetHandler(cmd::ManualMove, [this] { OnManualMove(); });
    SetHandler(cmd::GetSubProgram, [this] { OnGetSubProgram(); });
    SetHandler(cmd::ConvertG08, [this] { OnConvertG08(); });
    SetHandler(cmd::Smooth, [this] { OnSmoothing(); });
    // Cancel (the trace's, CMainFrameTrace.cpp) also ends the "Get Sub Program" mode.
}

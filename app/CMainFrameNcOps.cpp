// CMainFrame: the NC operation commands and what the NC operations reach through the frame.
#include "app/AppNcOpsHost.h"
#include "app/CMainFrame.h"
#include "app/CTessmarkApp.h"
#include "app/core/CommandIds.h"
#include "text/CManMoveDlg.h"
#include "text/CNcTextView.h"
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
    if (auto* dlg = qobject_cast<CManMoveDlg*>(ManMoveDlg)) dlg->SetCurrentLine(row);
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
    // Cancel also ends the "Get Sub Program" mode, whatever else it does.
    if (HasHandler(cmd::Cancel)) {
        std::function<void()> cancel = handlers_[cmd::Cancel];
        SetHandler(cmd::Cancel, [this, cancel] {
            GetSubProgMode = 0;
            cancel();
        });
    }
}

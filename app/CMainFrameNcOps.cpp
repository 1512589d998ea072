// CMainFrame: the NC operation commands and what the NC operations reach through the frame.
#include "app/AppNcOpsHost.h"
#include "app/CMainFrame.h"
#include "app/CTessmarkApp.h"
#include "app/core/CommandIds.h"
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

void CMainFrame::InstallNcOpsHandlers() {
    SetHandler(cmd::CheckNc, [this] { OnCheckNc(); });
    SetHandler(cmd::ShiftCoord, [this] { OnShiftCoordinate(); });
}

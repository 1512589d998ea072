// CMainFrame: what the outside drivers ask of the trace (following an outside position, the
// skip-log resume of process mode 4). Both read and empty the list's block: while a step's
// animation serves events they wait for it.
#include "app/CMainFrame.h"
#include "text/CNcTextView.h"

int CMainFrame::TraceToRequest(int type, int mainProgram, int subProgram, int mainSequence,
                               int subSequence, double x, double y, int moveKind) {
    if (DeferUntilStepDone(
            [this, type, mainProgram, subProgram, mainSequence, subSequence, x, y, moveKind] {
                TraceToRequest(type, mainProgram, subProgram, mainSequence, subSequence, x, y,
                               moveKind);
            }))
        return 0;
    CNcTextView* list = NcList();
    if (!list) return 0;
    return list->TraceToPosition(type, mainProgram, subProgram, mainSequence, subSequence, x, y,
                                 moveKind);
}

void CMainFrame::ResumeFromSkipLog() {
    if (DeferUntilStepDone([this] { ResumeFromSkipLog(); })) return;
    if (CNcTextView* list = NcList()) list->ResumeFromSkipLog();
}

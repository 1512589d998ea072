// CMainFrame: what the outside drivers ask of the trace (following an outside position, the
// skip-log resume of process mode 4). The NC list cannot trace yet: they do nothing.
#include "app/CMainFrame.h"

int CMainFrame::TraceToRequest(int, int, int, int, int, double, double, int) {
    return 0;
}

void CMainFrame::ResumeFromSkipLog() {}

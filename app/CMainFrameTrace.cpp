// CMainFrame: the trace commands (Run, Step/Pause, the posted next step, Cancel, breakpoints)
// with their refusals, the exception guard of a step, and what waits while a step runs.
#include <QMetaObject>

#include "app/AppTraceHost.h"
#include "app/CMainFrame.h"
#include "app/CTessmarkApp.h"
#include "app/core/CommandIds.h"
#include "app/core/ExceptionLog.h"
#include "text/CNcTextView.h"

NcTraceHost& CMainFrame::TraceHost() {
    auto* host = findChild<AppTraceHost*>(QStringLiteral("TraceHost"), Qt::FindDirectChildrenOnly);
    if (!host) host = new AppTraceHost(this);
    return *host;
}

void CMainFrame::RunTraceStep(const char* functionName) {
    CNcTextView* list = NcList();
    if (!list) {
        app_->StepPending = 0;
        return;
    }
    ++traceStepDepth_;
    // Qt ends the program when an exception leaves a slot: the step's is logged here, the run
    // ends, and no step is left pending (Run would be refused for ever).
    const bool done =
        CallGuarded([list] { list->TraceStep(); }, ExceptionLogPath(app_->Paths.ConfigFolder),
                    functionName, app_->NcFileName);
    --traceStepDepth_;
    if (!done) {
        app_->StepPending = 0;
        app_->RunMode = 0;
    }
    if (traceStepDepth_ > 0) return;
    // What waited for the step runs after the handler that started it has returned.
    std::vector<std::function<void()>> waiting;
    waiting.swap(afterStep_);
    for (auto& fn : waiting) QMetaObject::invokeMethod(this, std::move(fn), Qt::QueuedConnection);
}

bool CMainFrame::DeferUntilStepDone(std::function<void()> fn) {
    if (!TraceStepUnderWay()) return false;
    afterStep_.push_back(std::move(fn));
    return true;
}

void CMainFrame::OnTraceRun() {
    if (app_->StepPending || TraceStepUnderWay() || !NcList()) return;
    CloseTraceDialogs();
    app_->StepPending = 1;
    app_->RunMode = 1;
    RunTraceStep("OnTraceRun");
}

void CMainFrame::OnTraceStep() {
    if (IsEmbeddedProcessMode(app_->ProcessMode) || EditMode == 1) return;
    CloseTraceDialogs();
    if (app_->StepPending || TraceStepUnderWay()) {
        // Pause: the run stops after the step under way.
        app_->RunMode = 0;
        return;
    }
    if (!NcList()) return;
    app_->StepPending = 1;
    app_->RunMode = 0;
    RunTraceStep("OnTraceStep");
}

void CMainFrame::OnTraceStepNocancel() {
    // The run this step continued has ended meanwhile (Cancel between two steps, a load):
    // a posted step must not open a new trace.
    if (!app_->TraceActive || TraceStepUnderWay()) return;
    app_->StepPending = 1;
    RunTraceStep("OnTraceStepNocancel");
}

void CMainFrame::OnTraceCancel() {
    if (CNcTextView* list = NcList())
        list->CancelTrace();
    else
        GetSubProgMode = 0;
}

void CMainFrame::EndTraceForLoad() {
    if (app_->TraceActive)
        if (CNcTextView* list = NcList()) list->StopTrace();
    app_->TraceActive = 0;
    app_->StepPending = 0;
}

void CMainFrame::InstallTraceHandlers() {
    SetHandler(cmd::Run, [this] { OnTraceRun(); });
    SetHandler(cmd::Step, [this] { OnTraceStep(); });
    SetHandler(cmd::NextStep, [this] { OnTraceStepNocancel(); });
    SetHandler(cmd::Cancel, [this] { OnTraceCancel(); });
    const std::pair<int, int> onSelection[] = {
        {cmd::BreakOn, 1}, {cmd::BreakOff, 0}, {cmd::BreakWait, 2}};
    for (auto [id, state] : onSelection)
        SetHandler(id, [this, state = state] {
            if (CNcTextView* list = NcList()) list->SetBreakpointOnSelection(state);
        });
    const std::pair<int, int> onAll[] = {
        {cmd::BreakAllEnable, 1}, {cmd::BreakAllRelease, 0}, {cmd::BreakAllDisable, 2}};
    for (auto [id, state] : onAll)
        SetHandler(id, [this, state = state] {
            if (CNcTextView* list = NcList()) list->SetAllBreakpoints(state);
        });
}

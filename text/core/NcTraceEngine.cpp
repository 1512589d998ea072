// The trace engine: steps, opening and closing the trace, the display of a step, breakpoints.
#include "text/core/NcTraceEngine.h"

#include <algorithm>

#include "nc/read/NcReadStatus.h"
#include "text/core/NcOpsHost.h"
#include "text/core/NcRowStates.h"
#include "text/core/NcTextViewSettings.h"

// Counts the steps under way; the outermost one leaves StepPending at 0 however it ends (an
// exception included: a step left pending would refuse every later Run).
class NcTraceEngine::StepScope {
public:
    explicit StepScope(NcTraceEngine& e) : e_(e) { ++e_.stepDepth_; }
    ~StepScope() {
        if (--e_.stepDepth_ == 0) e_.host_.StepPending() = 0;
    }
    StepScope(const StepScope&) = delete;
    StepScope& operator=(const StepScope&) = delete;

private:
    NcTraceEngine& e_;
};

NcTraceEngine::NcTraceEngine(NcOpsHost& document, NcTraceHost& host, NcTraceRows& rows,
                             NcTracePump& pump, const NcTextViewSettings& settings)
    : document_(document),
      host_(host),
      rows_(rows),
      pump_(&pump),
      settings_(settings),
      runner_(Reader) {}

int NcTraceEngine::TraceStep() {
    // A step asked for from inside a step's animation would read and empty the block being
    // animated: the frame refuses it, and so does the engine.
    if (stepDepth_ > 0) return 0;
    StepScope scope(*this);
    if (host_.TraceActive() == 0) {
        StartTrace();
    } else {
        AnimateBlock();
        // Cancelled meanwhile (Escape, the Cancel command, a load): nothing more to do.
        if (host_.TraceActive() == 0) return 0;
        host_.CommitTraceStepInViews();
    }

    BlockElements.Empty();
    const NcRunnerStep step = runner_.Step(BlockElements);
    // The end of the program (-1, -5), and a program that stops with an error (a count beyond
    // its bound, or one that never ends): the block is not shown.
    if (step.End != NcRunnerEnd::Running) {
        StopTrace();
        return 1;
    }
    BlockRow = step.LineNo;
    NextLine = step.ReadNextLine;
    NextBlockRow = step.ReadNextLineNo;

    const int status = step.Status;
    const int tool = Reader.State.ToolNo;
    if ((status == kNcBlockDone || status == kNcEmptyLine) && Reader.GetNcType() == kNcTypePunch &&
        tool != LastPunchTool) {
        LastPunchTool = tool;
        host_.BuildDangerZonesInViews(LastPunchTool);
    }
    host_.FocusActiveElemView();
    UpdateTraceDisplay();
    // The runner has moved on by the call stack already; a sheet move also rebuilds the danger
    // zones, for the same tool too (the clamps moved).
    if (status == kNcSheetMove) {
        host_.MoveSheetInViews(step.SheetMove.data());
        LastPunchTool = Reader.State.ToolNo;
        host_.BuildDangerZonesInViews(LastPunchTool);
    }

    if (host_.RunMode() != 0) {
        // A breakpoint (state 1) holds the run after its row is shown; 2 (disabled) and 0 let
        // it go on. A row that cannot be read posts nothing.
        uint32_t param = 0;
        if (rows_.ReadRowParam(BlockRow, param) && RowParamBreakpoint(param) != kBreakOn)
            host_.PostNextStep();
    } else if (BlockRow == NextBlockRow) {
        // One Step covers every block the reader reports on one row.
        host_.PostNextStep();
    }
    return 0;
}

int NcTraceEngine::StartTrace() {
    Reader.App = document_.AppContext();
    Reader.SetProgram(document_.Lines(), &document_.Machine(), document_.Conditions(), 0);
    runner_.Restart(0);
    BlockElements.Empty();
    host_.ClearTraceInViews();
    host_.TraceActive() = 1;
    host_.CloseAxisRotateDlg();
    host_.UpdateToolBarStates();
    host_.EnableSwitchButtons(0);
    host_.FitAspectInViews();
    const double base[3] = {0.0, 0.0, 0.0};
    host_.MoveSheetInViews(base);
    LastPunchTool = -999;
    host_.BuildDangerZonesInViews(LastPunchTool);
    // The program starts at its number line: a '%' line before it is passed over.
    const int first = Reader.FindAddressLine('O', -1, 0, 1);
    if (first > 0) runner_.Restart(first);
    LastTorchPos = CxyzData(-99999.0, -99999.0, -99999.0);
    host_.HideElemTipInViews();
    return 0;
}

int NcTraceEngine::StopTrace() {
    host_.TraceActive() = 0;
    host_.StepPending() = 0;
    rows_.SetTraceRow(-1);
    if (rows_.RowCount() > 0) rows_.EnsureVisible(0, false);
    host_.UpdateToolBarStates();
    host_.EnableSwitchButtons(1);
    BlockElements.Empty();
    host_.ClearTraceInViews();
    host_.FitAspectInViews();
    return 0;
}

int NcTraceEngine::CancelTrace() {
    if (host_.TraceActive() != 0) {
        StopTrace();
        CNcReadState& s = Reader.State;
        s.CurrentPos = CxyzData();
        s.RapidLength = s.MarkLength = s.CutLength = 0.0;
        s.PierceCount = s.MarkCount = 0;
        host_.ShowTraceStatus(Reader);
        host_.FitAspectInViews();
    }
    host_.EndGetSubProgMode();
    return 0;
}

int NcTraceEngine::UpdateTraceDisplay() {
    rows_.ClearSelection();
    rows_.SetTraceRow(-1);
    // A third of a page of the following lines stays in sight below the trace row; near the
    // end the last row is the target (a row past it does not exist).
    const int count = rows_.RowCount();
    if (count > 0) {
        const int target = std::min(rows_.RowsPerPage() / 3 + BlockRow, count - 1);
        rows_.EnsureVisible(target, false);
    }
    rows_.SetTraceRow(BlockRow);
    rows_.EnsureVisible(BlockRow, true);

    // The punch groups' hits are drawn by the punch-pattern animation, not with the path.
    CDtbEngine step;
    step.AppendDtb(&BlockElements);
    RemovePunchNodes(&step, step.GetFirstElement());
    host_.DrawTraceStepInViews(&step);

    if (Reader.GetNcType() == kNcTypeLaser) {
        CxyzData first;
        const CDtbElement* element = step.FindFirstElement(0);
        if (element && step.GetFirstPoint(&first) == 1 &&
            ((element->GetOption(1) == 0 && element->GetOption(2) == 0) ||
             settings_.ManyEveryPart == 1))
            DrawTorchMark(&first);
    }
    host_.ShowTraceStatus(Reader);
    return 0;
}

int NcTraceEngine::SetBreakpointOnSelection(int state) {
    bool read = false;
    for (int row : rows_.SelectedRows()) {
        uint32_t param = 0;
        if (!rows_.ReadRowParam(row, param)) continue;
        read = true;
        rows_.WriteBreakpoint(row, state & 15);
    }
    if (!read) return -1;
    if (state == kBreakOn) rows_.SetHeaderImage(kHeaderDisable);
    return 0;
}

int NcTraceEngine::SetAllBreakpoints(int state) {
    bool any = false;
    const int count = rows_.RowCount();
    for (int row = 0; row < count; ++row) {
        uint32_t param = 0;
        if (!rows_.ReadRowParam(row, param)) continue;
        const int bp = RowParamBreakpoint(param);
        if (bp != kBreakOn && bp != kBreakDisabled) continue;
        any = true;
        rows_.WriteBreakpoint(row, state & 15);
    }
    if (!any) return -1;
    if (state == kBreakNone) rows_.SetHeaderImage(kHeaderEmpty);
    if (state == kBreakOn) rows_.SetHeaderImage(kHeaderDisable);
    if (state == kBreakDisabled) rows_.SetHeaderImage(kHeaderEnable);
    return 0;
}

// NcTraceEngine: the trace of the loaded NC program, one block per step. A step animates the
// block shown last, reads the next one with its own reader, shows it in the list and the
// element views and, in run mode, asks for the next step; the NC line list owns the engine.
#pragma once

#include "kernel/base/CxyzData.h"
#include "kernel/db/CDtbEngine.h"
#include "nc/read/CNcRead.h"
#include "nc/read/NcProgramRunner.h"
#include "text/core/NcTraceHost.h"
#include "text/core/NcTracePath.h"

class NcOpsHost;
class CDtbNode;
struct NcTextViewSettings;

class NcTraceEngine {
public:
    // document: the lines, the machine settings and the condition table the trace reads.
    // settings: the list's settings (speeds, ManyEveryPart, the torch pen), read when used.
    // Every reference must outlive the engine.
    NcTraceEngine(NcOpsHost& document, NcTraceHost& host, NcTraceRows& rows, NcTracePump& pump,
                  const NcTextViewSettings& settings);
    NcTraceEngine(const NcTraceEngine&) = delete;
    NcTraceEngine& operator=(const NcTraceEngine&) = delete;

    // --- the trace -----------------------------------------------------------------------------
    // One step: opens the trace when none is open, else animates the block shown last (its
    // pump may run commands meanwhile: a Cancel there ends the step at once, result 0); then
    // reads, shows and advances one block and posts the next step of a run unless a breakpoint
    // (state 1 on the row just shown) holds it; in step mode the next block follows only when
    // it is on the same row. Returns 1 when the program ended (the trace is closed), else 0.
    // The caller sets StepPending to 1 first; it is 0 when the step returns, whatever happened.
    // A call made while a step is under way (from inside its animation) does nothing.
    int TraceStep();
    // Opens a trace: the reader set up over the document's lines, the views' trace layers
    // emptied, the tool bars and the switch form updated, the sheet put back, the danger zones
    // erased, the first line beginning with 'O' as the start. Returns 0.
    int StartTrace();
    // Closes the trace: the flags down, the trace row cleared and the list back at its top,
    // the switch form enabled, the block and the views' trace layers emptied. Returns 0.
    int StopTrace();
    // The Cancel command: closes an open trace and zeroes the reader's position, lengths and
    // counts (the cutting time stays) for the information list; always ends the "Get Sub
    // Program" mode. Returns 0.
    int CancelTrace();
    // Shows the block just read: the trace row with a third of a page below it, the block
    // without its punch groups in the current-step pen, the torch at its first point (laser),
    // the trace status in the information list. Returns 0.
    int UpdateTraceDisplay();
    // Breakpoint state (0 off, 1 on, 2 disabled) on the selected rows: 0, or -1 when no
    // selected row could be read. State 1 sets the column-0 header image 2.
    int SetBreakpointOnSelection(int state);
    // The state on every row that has a breakpoint (1 or 2): 0, or -1 when no row has one.
    // The header image follows: state 0 image 3, 1 image 2, 2 image 1.
    int SetAllBreakpoints(int state);

    // --- the animation -------------------------------------------------------------------------
    // Moves the torch mark along the lines and arcs of BlockElements (laser programs), pausing
    // by the speed in run mode and serving events after every point: Escape cancels the trace,
    // Space pauses the run, a quit request or the end of the trace ends the animation. The walk
    // never touches BlockElements again once the trace has ended. Returns 0.
    int AnimateBlock();
    // The tool outline at position, unless the speed's pause is 0 or the position is the last
    // one (within 0.001). Returns 0.
    int DrawTorchMark(const CxyzData* position);
    // The pause after an animation point at the current speed, milliseconds (never negative).
    int SpeedPause() const;

    // True while TraceStep runs (its animation serves events): nothing that would destroy the
    // list or the document's lines may run now.
    bool StepUnderWay() const { return stepDepth_ > 0; }
    // Replaces the event pump (tests script one).
    void SetPump(NcTracePump& pump) { pump_ = &pump; }

    // --- state ---------------------------------------------------------------------------------
    // The line (an index in Reader.Lines) the next step reads, and the open sub-program calls.
    int CurrentLine() const { return runner_.Line(); }
    int CallDepth() const { return runner_.Depth(); }
    int NextLine = 0;      // the line the reader named after the block just read
    int BlockRow = 0;      // the list row (document line) of the block just read
    int NextBlockRow = 0;  // the list row of the line after it
    CNcRead Reader;
    CDtbEngine BlockElements;  // the block just read; animated by the next step
    CxyzData LastTorchPos{-99999.0, -99999.0, -99999.0};
    int LastPunchTool = -999;  // the tool the danger zones were last built for

private:
    class StepScope;
    enum class PauseKind { Rapid, Line, Arc };
    // Walks one element's points; false when the animation must end.
    bool AnimatePath(const NcTracePath& path, bool torch, PauseKind kind, bool arc);
    int PauseFor(PauseKind kind) const;
    // The hits of a punch group, animated one by one; -2 ends the block's animation. The
    // punch-pattern animation is not built yet: nothing is animated.
    int ExpandPunchPattern(CDtbNode* group);
    bool OnAnimationKey(NcTracePump::Key key);

    NcOpsHost& document_;
    NcTraceHost& host_;
    NcTraceRows& rows_;
    NcTracePump* pump_;
    const NcTextViewSettings& settings_;
    NcProgramRunner runner_;  // the call stack with its repeat counts; CurrentLine
    CDtbEngine tool_;         // the torch mark's elements
    int stepDepth_ = 0;
    bool onArc_ = false;    // the point being animated lies on an arc
    bool keyStop_ = false;  // Escape ended the animation
};

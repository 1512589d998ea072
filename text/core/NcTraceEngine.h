// NcTraceEngine: the trace of the loaded NC program, one block per step. A step animates the
// block shown last, reads the next one with its own reader, shows it in the list and the
// element views and, in run mode, asks for the next step; the NC line list owns the engine.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "kernel/base/CxyzData.h"
#include "kernel/db/CDtbEngine.h"
#include "nc/read/CNcRead.h"
#include "nc/read/NcProgramRunner.h"
#include "platform/Library.h"
#include "text/core/NcTraceHost.h"
#include "text/core/NcTracePath.h"

class NcOpsHost;
class CDtbNode;
struct NcTextViewSettings;
struct PunchCells;
struct PunchCell;
struct PunchTraceHit;

// The skip-log record of the outside library: 56 bytes, little-endian, read at its offsets.
struct SkipLogRecord {
    static constexpr size_t kSize = 56;
    using Bytes = std::array<uint8_t, kSize>;
    int32_t MainProgram = 0;   // offset 4
    int32_t SubProgram = 0;    // offset 8
    int32_t MainSequence = 0;  // offset 12; 0: none
    int32_t SubSequence = 0;   // offset 16
    double X = 0.0;            // offset 40
    double Y = 0.0;            // offset 48
    static SkipLogRecord FromBytes(const Bytes& bytes);
};

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

    // --- following an outside position ----------------------------------------------------------
    // Moves the trace to a position another program names (opening a trace when none is open):
    // types 0 and 1 run to the program position and show its sequence, 2 shows the next
    // sequence, 3 and -1 show the position only (3 then ends the trace), any other type (4:
    // coordinates only) moves the mark unless X and Y are within 0.001 of the last ones. The
    // mark goes to (x, y) with the kind moveKind. Returns 0.
    int TraceToPosition(int type, int mainProgram, int subProgram, int mainSequence,
                        int subSequence, double x, double y, int moveKind);
    // Interprets the blocks up to the followed position without animation; draw 1 selects
    // every block's row and draws the path (ending in the traced layer). 0 reached, 1 the
    // program ended on the way (the trace is closed), -1 the position was not found or not
    // reached within 100 blocks per line of the program.
    int RunToPosition(int draw);
    // Collects the blocks of the followed sequence from the current line into collect (rows
    // selected on the way); mode 1 stops at the end of the wanted sequence, mode 0 at a return
    // or M300. Returns 0.
    int RunSequenceBlocks(int mode, CDtbEngine* collect);
    // The document rows of a program position (-1 where not found): see FindProgramPosition
    // of NcProgramPosition.h, with the machine's program letters. Returns the stage reached.
    int FindProgramPosition(int mainProgram, int subProgram, int mainSequence, int subSequence,
                            int* mainRow, int* subRow) const;
    // Row BlockRow alone selected, focused and in sight; the block's elements copied into
    // collect. Returns 0.
    int SelectCurrentRow(CDtbEngine* collect, CDtbEngine* block);

    // --- the skip log ----------------------------------------------------------------------------
    // Loads the outside skip-log library from [Setting for 16ILB] derore_Path (the program's
    // folder by default, written back) and initialises it. 1 ready, else 0 (no message).
    int LoadDerOre();
    // The record from the library's GetSkipLog: 1 filled, 0 when the library is not ready,
    // lacks the function or refuses.
    int CallGetSkipLog(SkipLogRecord::Bytes& record);
    // Process mode 4: the route of the interrupted job rebuilt from the skip log (a trace that
    // is open is stopped first) into the document's skip-log elements without its rapids, drawn
    // in the views with the opaque mark at the logged point. 0, or -1 with "Can't get SkipLog"
    // when the library cannot give the record, or -1 when the position is not found.
    int ResumeFromSkipLog();
    // The library when it is loaded and initialised, else null (the element views call its
    // SetProcStartPos).
    platform::Library* DerOreLibrary() { return DerOreLoaded ? &DerOre : nullptr; }
    int DerOreLoaded = 0;
    platform::Library DerOre;

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

    // --- the punch-pattern animation (NcTracePunch.cpp) ----------------------------------------
    // The hits of a punch group (owner "Tessmark", kind "Punch", a "PunchInfo" record, option
    // word 5 at 0: the first cell's group) drawn one by one by the pattern's type. -1 for any
    // other element or a type without animation (the square 10), -2 when the animation was
    // ended (Escape, a quit request, the trace gone), else 0.
    int ExpandPunchPattern(CDtbNode* group);
    // Replays the group's children from first, pausing after each hit outline. 1 when ended.
    int ExpandGridPattern(CDtbElement* first);
    // Shear line (U0 angle, U2 tool length, U3 tool width, U4 total length). 1 when ended.
    int ExpandPattern6(CDtbElement* first, const std::array<float, 5>& values);
    // Nibbling arc (U0 radius, U1 start, U2 sweep, U3 pitch, U4 band) about centre, with the
    // outline of the die at dieIndex; a missing die or one that is not round, square or
    // rectangular is not drawn. 1 when ended.
    int ExpandPattern7(CDtbElement* first, const std::array<float, 5>& values, int dieIndex,
                       const double centre[2]);
    // Nibbling line (angle, pitch, tool diameter, length). 1 when ended.
    int ExpandPattern8(CDtbElement* first, const std::array<float, 5>& values);

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
    // The followed position (-1: not given), its type and mark kind. FinishSubProgram 1: a run
    // to a main-program position first leaves the sub-program it is in.
    int FinishSubProgram = 0;
    int TraceType = 0;
    int TargetMainProgram = -1;
    int TargetSubProgram = -1;
    int TargetMainSequence = -1;
    int TargetSubSequence = -1;
    double TargetX = -999999.999;
    double TargetY = -999999.999;
    int TargetMoveKind = 0;

private:
    class StepScope;
    enum class PauseKind { Rapid, Line, Arc };
    // Walks one element's points; false when the animation must end.
    bool AnimatePath(const NcTracePath& path, bool torch, PauseKind kind, bool arc);
    int PauseFor(PauseKind kind) const;
    bool OnAnimationKey(NcTracePump::Key key);

    // The cells a pattern visits: every cell along the path with ManyEveryPart 1, else (0, 0).
    std::vector<PunchCell> VisitedCells(const PunchCells& cells) const;
    // Appends copies of chain (only its first element with onlyOne) translated to cell and,
    // with ManyEveryPart 0, to every other cell.
    void AppendInCells(CDtbEngine& out, const CDtbElement* chain, bool onlyOne,
                       const PunchCells& cells, PunchCell cell) const;
    // Lays hits out one by one in every visited cell, each outline from outline. 1 when ended.
    int LayOutHits(CDtbElement* first, const std::vector<PunchTraceHit>& hits,
                   const std::function<void(CDtbEngine&, const PunchTraceHit&)>& outline);
    // After a drawing step of a pattern: the speed's pause when asked, then the events. True
    // when the pattern must end (Escape, a quit request, the trace gone).
    bool PatternBreak(bool pause);
    // The reader's line of a document row: the first line at or after it; the document row
    // of a reader's line (-1 past the end).
    int ReaderLineOfRow(int row) const;
    int RowOfReaderLine(int line) const;
    // One block of the runs to a position into block; the runner's step.
    NcRunnerStep ReadFollowed(CDtbEngine& block);

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

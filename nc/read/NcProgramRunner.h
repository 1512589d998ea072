// NcProgramRunner: the callers' protocol around CNcRead::ReadBlock, written once: the line to
// read next, the sub-program call stack with repeat counts, the part numbers and the guards
// against programs that never end.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

class CNcRead;
class CDtbEngine;

struct NcRunnerLimits {
    int MaxCallDepth = 15;                // a call beyond it is not followed (next line instead)
    std::int64_t MaxBlocks = 10'000'000;  // stops a program that loops for ever
    // Stops a program whose loops draw without end: a few hundred bytes repeating a pattern
    // block reached tens of millions of elements (tens of GB) long before MaxBlocks. The
    // elements linked into the sink are counted as they come (CDtbEngine::GetLinkedCount).
    // A program of a million blocks makes about a million elements; three million hold some
    // 700 MB with their texts, so a runaway stops within a gigabyte with its drawing.
    std::int64_t MaxElements = 3'000'000;
};

// Why a run stopped.
enum class NcRunnerEnd {
    Running,       // not stopped yet
    EndOfProgram,  // status -1: past the last line, a second '%', a missing 'V' line
    ProgramEnd,    // status -5: M30 or M02
    BlockLimit,    // MaxBlocks blocks read or MaxElements drawn: an error, the program loops
                   // or repeats too often
    CountLimit,    // status -9: a repeat count or multi-part grid beyond its bound: an error
};

// How a step follows the calls.
enum class NcRunnerCalls {
    Repeat,  // a call runs its repeat count of times (the rebuild, the trace's steps)
    Once,    // a call pushes its return line only and a return always goes back, whatever
             // count a call made earlier left (the runs to a followed position)
};

// What one step did: the block's status and lines, for the trace's line list and sheet.
struct NcRunnerStep {
    int Status = 0;      // ReadBlock's status
    int Line = 0;        // index in CNcRead::Lines of the block read
    int LineNo = 0;      // its document line
    int NextLine = 0;    // the line the runner reads next
    int NextLineNo = 0;  // its document line
    // The line and document line the reader named as next: a call's target, else the line
    // after the block (the runner goes elsewhere after a return, a repeat or an ignored call).
    int ReadNextLine = 0;
    int ReadNextLineNo = 0;
    int Repeat = 1;                          // the repeat count of a call (its L word)
    int Depth = 0;                           // call depth after the block
    std::array<double, 3> SheetMove{};       // x, y and X word of a sheet move (status -8)
    NcRunnerEnd End = NcRunnerEnd::Running;  // set when this step ended the run
};

struct NcRunnerSummary {
    std::int64_t Blocks = 0;
    NcRunnerEnd End = NcRunnerEnd::Running;
    int LastLine = 0;    // index of the last line read
    int LastLineNo = 0;  // its document line (where an error points)
    bool Failed() const { return End == NcRunnerEnd::BlockLimit || End == NcRunnerEnd::CountLimit; }
};

// The document rebuild, for instance:
//     CNcRead reader(&appContext);
//     reader.SetProgram(lines, &machineSettings, &conditionTable, 0);
//     const NcRunnerSummary run = NcProgramRunner(reader).Run(elements);
//     if (run.Failed()) ... report the limit at document line run.LastLineNo ...
//
// The reader must have been set up (CNcRead::SetProgram); the runner starts at line 0 with an
// empty stack and keeps the reader's PartNo in step: 0 at the main level, inside calls the
// sequence number that was current at the main level (1 before any). The document rebuild
// calls Run; the trace and the runs to a position call Step once per block.
class NcProgramRunner {
public:
    explicit NcProgramRunner(CNcRead& reader, NcRunnerLimits limits = {});

    // Back to startLine (an index in CNcRead::Lines) with an empty stack (the reader's state is
    // the caller's to reset).
    void Restart(int startLine = 0);
    // Reads one block into sink and moves on by the protocol. After the run has ended it
    // reads nothing and returns the step with End set.
    NcRunnerStep Step(CDtbEngine& sink, NcRunnerCalls calls = NcRunnerCalls::Repeat);
    // The two halves of Step, for callers that decide after reading whether to move on: Read
    // reads the block at Line() (NextLine still names it; an end of the program ends the run
    // here), Advance then moves on by the protocol and keeps the part numbers in step. Read
    // returns the step with End set and Blocks() unchanged when it read nothing.
    NcRunnerStep Read(CDtbEngine& sink);
    void Advance(NcRunnerStep& step, NcRunnerCalls calls = NcRunnerCalls::Repeat);
    // Goes on at line with the call stack as it is (a block passed over without its call).
    void MoveTo(int line) { line_ = line; }
    // Reads blocks into sink until the run ends.
    NcRunnerSummary Run(CDtbEngine& sink);
    // Called by Run every kProgressBlocks blocks with the line about to be read and the count
    // of lines (long runs show their progress and let the window paint meanwhile).
    static constexpr std::int64_t kProgressBlocks = 16384;
    void SetProgress(std::function<void(int line, int lines)> progress) {
        progress_ = std::move(progress);
    }

    bool Finished() const { return end_ != NcRunnerEnd::Running; }
    NcRunnerEnd End() const { return end_; }
    int Line() const { return line_; }
    int Depth() const { return static_cast<int>(stack_.size()); }
    std::int64_t Blocks() const { return blocks_; }

private:
    struct Call {
        int ReturnLine;
        int Count;
        int Target;
    };
    CNcRead& reader_;
    NcRunnerLimits limits_;
    std::vector<Call> stack_;
    int line_ = 0;
    int rememberedSeqNo_ = 1;
    std::int64_t blocks_ = 0;
    NcRunnerEnd end_ = NcRunnerEnd::Running;
    int lastLine_ = 0;
    int lastLineNo_ = 0;
    std::function<void(int, int)> progress_;
};

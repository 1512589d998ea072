// Interpreting a whole NC program block by block, following sub-program calls and repeats.
#pragma once

#include <cstdint>

class CDtbEngine;

// Statuses of one block, as the NC reader's ReadBlock gives them.
enum NcBlockStatus : int {
    kBlockDone = 0,
    kBlockJump = 1,  // sub-program call, recall or skip: the target is in nextLine
    kBlockEnd = -1,
    kBlockEmpty = -2,
    kBlockProgramEnd = -5,  // M30 or M02
    kBlockReturn = -6,
};

// One interpretation run of the NC reader over the document's lines, as the run needs it.
class NcBlockSource {
public:
    virtual ~NcBlockSource() = default;
    // The count of lines the run reads (the reader's own lines, which a format converter may
    // have made from the document's).
    virtual int LineCount() const = 0;
    // Interprets the line with index line, appending its elements to sink; sets nextLine (the
    // line to read next, or a jump's target) and, for a call, repeatCount (set to 1 before).
    virtual int ReadBlock(CDtbEngine& sink, int line, int& nextLine, int& repeatCount) = 0;
    // The part number stamped as "PrtNo=" on the elements of the following blocks.
    virtual void SetPartNumber(int partNumber) = 0;
    // The last program number read.
    virtual int ProgramNumber() const = 0;
};

struct NcRunLimits {
    int maxCallDepth = 15;                // a call beyond it is not followed
    std::int64_t maxBlocks = 10'000'000;  // stops a program that loops for ever
};

struct NcRunResult {
    std::int64_t blocks = 0;
    bool blockLimitReached = false;
};

// Reads from line 0 until the end, M30/M02, or a line outside the program (a call target
// included), appending each block's elements to elements. Calls push a return entry with their
// repeat count (a count of 1 or less runs once); a return repeats or pops it. Blocks at the
// main level carry part number 0, blocks inside calls the program number in force at the main
// level before the call (1 when the first line is a call).
NcRunResult RunNcProgram(NcBlockSource& source, CDtbEngine& elements,
                         const NcRunLimits& limits = {});

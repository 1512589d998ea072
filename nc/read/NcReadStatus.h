// Status codes of CNcRead::ReadBlock and the flow results of the interpreter's drawing hooks.
#pragma once

// What CNcRead::ReadBlock returns; the caller's protocol (NcProgramRunner) acts on it.
enum NcReadStatus : int {
    kNcBlockDone = 0,         // continue with the next line
    kNcBlockJump = 1,         // continue at nextLine and push a return (call, recall, repetition)
    kNcEndOfProgram = -1,     // line past the end, a second '%' line, a missing 'V' line
    kNcEmptyLine = -2,        // empty line
    kNcProgramEnd = -5,       // M30 or M02
    kNcReturn = -6,           // return from a sub-program, a recalled pattern or a repetition
    kNcHeadFrameFailed = -7,  // the laser head frame of a shape cannot be built
    kNcSheetMove = -8,        // G25 / G27 sheet move; sheetMove holds x, y and the X word
    // A repeat count (L) or a multi-part grid beyond its bound: the program stops with an error
    // instead of running for hours or exhausting memory.
    kNcCountLimit = -9,
};

// Upper bounds of the counts an NC program may ask for.
inline constexpr int kNcMaxRepeatCount = 9999;       // L word of a sub-program call
inline constexpr long long kNcMaxGridCells = 10000;  // cells of a multi-part grid

// How a drawing step or hook lets the block go on.
enum NcHookFlow : int {
    kFlowContinue = 0,    // on with the next step of the block
    kFlowToDispatch = 1,  // skip the remaining drawing steps; punch dispatch, commit, M codes
    kFlowToCommit = 2,    // skip the punch dispatch too; commit, M codes
    kFlowEndBlock = 3,    // no commit; only the end and call codes of the block still act
    kFlowHeadFrameFailed = kNcHeadFrameFailed,  // as kFlowEndBlock, with status -7
};

// Faults that the rewriters of a program's lines meet at set-up.
#pragma once

enum class NcConvertFaultKind {
    // A G83/G84 grid repetition whose block (the N line V) starts on the repetition line
    // itself: the block would hold its own repetition, so the line is left as written.
    GridRepeatSelfReference,
    // A job-language origin shift ("OriginSft Parallel") on the last line: the line it
    // measures from is missing, so the line is left as written.
    OriginShiftWithoutNextLine,
};

struct NcConvertFault {
    NcConvertFaultKind Kind;
    int LineNo;  // 0-based document line of the faulty line (its line-map entry)
};

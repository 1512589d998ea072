// What a punch pattern block asks for: the code to expand, its words, its record, or why the
// block cannot be expanded.
#pragma once

#include "kernel/base/CxyzData.h"
#include "nc/read/NcBlockWords.h"
#include "nc/read/punch/PunchInfo.h"

struct DieRecord;

struct PunchPlan {
    // The code expanded: the block's code, except that 79 and 78 with a special-shape die
    // become the hit patterns 28 and 29.
    int Code = -1;
    NcBlockWords Words;  // the block's words, with the conversion of 79 and 78 applied
    PunchInfo Info;      // the record of the group
    int Status = 0;      // PunchStatus: kPunchDone, kPunchMissingWord or kPunchZeroDivisor
};

// 1 for the pattern codes of punch blocks (26, 28, 29, 36, 37, 66, 67, 68, 69, 78, 79, 202).
bool IsPunchPatternCode(int code);

// The plan of pattern code (or -1, a single hit) with the block's words, for the die at
// dieIndex of the table and the block's target point.
//
// Hit patterns need their I and J (29 also P, 79 and 78 on a special die also Q, 78 also K)
// and their counts; without them they would place hits at the absent value -9999.99. A count
// of 0 for the circle 26 (360 / 0), a special-die conversion whose count comes out 0 or below
// (79 with I = 0 or Q <= 0.001, 78 with I = 0 or K = 0), and a pattern of more than
// kPunchMaxHits hits are refused as well. The strips check their own words.
PunchPlan MakePunchPlan(int code, const NcBlockWords& words, const DieRecord& die, int dieIndex,
                        const CxyzData& target);

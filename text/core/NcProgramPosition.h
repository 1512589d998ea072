// NcProgramPosition: where a program position that another program names lies in the NC
// lines (program numbers and sequence numbers), and the sequence lines the trace stops at.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The letters that begin the main program's and the sub-program's number lines (the machine's
// CodeMainPro and CodeMainSub; '\0' matches no line).
struct NcProgramLetters {
    char MainProgram = 'O';
    char SubProgram = 'O';
};

// The rows of a position given by main program, sub-program, main sequence and sub sequence
// numbers (-1: not given), found in lines by stages: 0 the main program's number line, 1 its
// sequence line N (mainRow), 2 the sub-program's number line, 3 its sequence line (subRow). A
// stage whose number is not given is passed over on the line where it is met. A sub sequence
// without a sub-program is looked for as a sequence of the main program. When no number is
// given mainRow is 1. The number of a line is the integer after its first character (0 none).
// Returns the stage reached (0 to 4); rows not found are -1.
int FindProgramPosition(const std::vector<std::string>& lines, NcProgramLetters letters,
                        int mainProgram, int subProgram, int mainSequence, int subSequence,
                        int* mainRow, int* subRow);

// The number of a line when it begins a sequence: 'N', and a 'G' or 'M' before any '(' (a
// comment) or the end. False for any other line.
bool SequenceLineNumber(std::string_view line, int* number);
// The sequence number a line carries: the number of its leading N word, 0 when it has none.
int SequenceNumberOf(std::string_view line);

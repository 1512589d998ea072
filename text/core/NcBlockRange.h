// The block search of the NC line list: the lines of the program, sequence block or
// sub-program around a line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

enum NcBlockMode : int {
    kBlockProgram = 0,     // from the program line to M30, M99, M300 or M310: its move lines
    kBlockSequence = 1,    // the N block: its move lines, info = the sequence number
    kBlockSubProgram = 2,  // the program line to its M99 (M30 ends with no result)
};

// A move line has X, x, Y or y before its first '(' (or in the whole line).
bool IsMoveLine(std::string_view line);

// Searches lines around row (0-based). mainLetter and subLetter are the program letters of the
// machine settings (CodeMainPro, CodeMainSub). Returns 1 with first, last and info set, or 0
// with the outputs untouched (a row out of range, no block start, no block end).
int FindBlockRange(const std::vector<std::string>& lines, int mode, int row, char mainLetter,
                   char subLetter, int* first, int* last, int* info);

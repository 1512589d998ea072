// The fixed table of modal groups of the numbered G codes.
#pragma once

#include <array>

// Number of modal groups of a block and of the modal state.
inline constexpr int kGCodeGroupCount = 16;
// Highest code in the table; 202 (group 14) lies outside it and is handled by the tokeniser.
inline constexpr int kGCodeTableMax = 128;
// The group of the punch line code, which is not in the table.
inline constexpr int kGCode202Group = 14;

// Modal group (0 to 15) of a G code from 0 to 128; -1 for a code without a group and for any
// code outside the table.
int GCodeGroup(int code);

// Per-group storage of the G codes of a block or of the modal state.
using GCodeGroups = std::array<int, kGCodeGroupCount>;

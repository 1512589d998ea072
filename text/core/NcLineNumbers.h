// The line-number column of the NC text views: zero-padded indices, or the numbering that
// starts at the "ORIGINSFT" line (system setting AppMachineType 1).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "text/core/NcTextRules.h"

// Decimal digits of count (1 for 0).
int DecimalDigits(size_t count);

// number zero-padded to digits ("%0*d" in C notation).
std::string FormatLineNumber(long long number, int digits);

// One entry per line: the ORIGINSFT number, 0 for none (shown as a blank). Lines before the
// first line whose converted copy begins with "ORIGINSFT" get 0; that line gets 1; after it an
// empty line gets 0, a line beginning with a blank repeats the current number and every other
// line takes the next one.
std::vector<uint32_t> OriginShiftNumbers(const std::vector<std::string>& lines,
                                         const NcTextRules& rules);

// The text of the line-number column of row (0-based) in a list of count lines: with
// AppMachineType 1 the entry of numbers formatted (" " for 0), else row + 1 zero-padded to the
// digits of count.
std::string LineNumberLabel(size_t row, size_t count, const NcTextRules& rules,
                            const std::vector<uint32_t>& numbers);

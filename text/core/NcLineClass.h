// Colour classes of NC lines and the text conversions they are decided on.
#pragma once

#include <string>
#include <string_view>

#include "text/core/NcTextRules.h"

enum NcColourClass : int {
    kClassPlain = 0,          // all other lines
    kClassProgramNumber = 1,  // first character 'O'
    kClassSubCall = 2,        // contains the sub-program call word
    kClassComment = 3,        // first character '('
};

// True when word occurs in text. An empty word never matches: a machine file without a call
// word must not make every line a call.
bool ContainsWord(std::string_view text, std::string_view word);

// Applies each conversion pair in order to the first occurrence of its From text.
void ApplyTextConversions(std::string& text, const NcTextRules& rules);

// The colour class of a line, decided on a converted copy (the row shows the line itself).
// Comparisons are case-sensitive. scratch is reused to avoid an allocation per line.
int ClassifyNcLine(std::string_view line, const NcTextRules& rules, std::string& scratch);
int ClassifyNcLine(std::string_view line, const NcTextRules& rules);

// True when the converted line, upper-cased, begins with "ORIGINSFT".
bool IsOriginShiftLine(std::string_view convertedLine);

// The coordinate shift: fixed offsets added to the address words of up to seven axes in a
// range of NC lines, and the word-level ShiftLine that the manual move shares.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CNcReadInfo;
class NcOpsHost;
namespace platform {
class UserPrompt;
}

// Notation flags of ShiftLine's examine mode.
enum : int {
    kNotationInteger = 1,  // a non-zero value written without a decimal point
    kNotationDecimal = 2,  // any other value
};

// The rotary limits of the manual move: C and A by head type, with a margin of 1e-8. True
// when value (of axis letter 'C' or 'A'; any other letter passes) lies within them.
bool WithinRotaryLimits(char letter, double value, int headType);

// Changes (apply 1) or examines (apply 0) the address words of line. A word is an axis letter
// of settings.Axis (case-sensitive) not followed by a character 'A'-'z', then a number of
// digits, '-' and '.' with at least one digit; a letter without a number is left alone.
// apply 1: only axes with Permit 1; a value written without a point is divided by ZeroTimes
// (values of 0 or less count as 1), Offset is added; with checkLimits the C and A words must
// stay within the rotary limits of HeadType, else message 20091 is shown through prompt (may
// be null) and 0 is returned with the line unchanged. The result is written "%d" for an
// integer notation with ZeroTimes 1, else with NcFigure decimals (clamped to 0-9) and the point
// kept, the trailing zeros dropped only when ZeroSuppress is set. Returns 1 when the line
// changed, else 0.
// apply 0: ORs the notation of every word of the seven axes into *notation (may be null) and
// removes the numbers from line (callers pass a copy). Returns 0.
int ShiftLine(std::string& line, const CNcReadInfo& settings, int apply, int* notation,
              int checkLimits, platform::UserPrompt* prompt = nullptr);

// The lines of the range that the shift would change, and how: the passes of the Shift
// Coordinate command over settings' StartLineNo..EndLineNo (1-based), with its line rules
// (comments and " Dir " tails, "(4)"/"(5)", program numbers and G92, G52 with G52Proc, the
// shape and call lines, macro calls with MacroProc, dwell blocks). With AppMachineType 1,
// numbers (the list's line-number column, 0 for a blank) decide the range instead of the
// positions. When ZeroTimes is not 1 a notation pass first asks question 20074 if both
// notations occur; any answer but Yes changes nothing.
// Replaces the changed lines in host and, when any changed, calls host.LinesChanged().
// Returns the number of lines replaced, 0 also when the range is empty or reversed, -1 when
// the question was answered No.
int ShiftCoordinateLines(NcOpsHost& host, const CNcReadInfo& settings,
                         const std::vector<uint32_t>* numbers);

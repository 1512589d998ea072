// Numbers written into NC text by the NC operations: a decimal point is always kept.
#pragma once

#include <string>
#include <string_view>

// value with decimals places (clamped to 0..9) in C notation, the zeros at the end of the
// decimal fraction dropped and the point kept: (10, 0) "10.", (12.5, 3) "12.5", (110, 3)
// "110.", (-0.0001, 3) "0.". Without the point a value re-read with a ZeroTimes divisor other
// than 1 would change its meaning. keepTrailingZeros writes every decimal ("110.000"), as the
// machine setting ZeroSuppress 0 asks; the point and the "0" for a negative zero stay the same.
std::string FormatNcNumber(double value, int decimals, bool keepTrailingZeros = false);

// From start, passes over '-', '.', '/' and '0'-'9'. Returns the index of the last of them,
// start - 1 when the character at start is none of them, and the text's length when the run
// reaches the end ("W12X", 1 gives 2; "W12", 1 gives 3). A start outside the text gives
// start - 1.
int ScanNumberEnd(std::string_view text, int start);

// Appends the address letter of axis (0-5 from "XYZCAF") and its number to out: the integer
// feed for F (5), else value by FormatNcNumber with decimals. An axis out of range appends
// nothing.
void AppendAxisWord(int axis, int decimals, std::string& out, double value, int feed);

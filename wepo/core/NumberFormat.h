// printf formats of dialog items applied in C notation, checked against the value's type; the
// default real format with its trimming; narrowing that saturates.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace wepo {

// What a printf format takes: exactly one conversion of one class, or nothing usable.
enum class FormatClass { Invalid, Integer, Real, String };

// The class of format's one conversion ("%%" is text). Invalid for null, for no or more than
// one conversion, for '*' widths, positional arguments, "%n", "%p", "%c" and length modifiers
// that do not fit the class.
FormatClass ClassifyFormat(const char* format);

// printf of one value in the "C" locale, to the text's full length. Each gives nothing (an
// empty optional-like false) when format does not take that class; then out is unchanged.
bool FormatInteger(const char* format, long long value, std::string& out);
bool FormatRealWith(const char* format, double value, std::string& out);
bool FormatString(const char* format, std::string_view value, std::string& out);

// Drops trailing '0's after the first '.' while more than count characters follow the point;
// the point stays ("1.000", 0 gives "1."). A negative count or a text without '.' is unchanged.
std::string TrimTrailingZeros(std::string_view text, int count);

// The module-wide default real format ("%.3lf" at first) and its trim count (-1: no trimming).
// A null format restores "%.3lf"; at most 16 characters are kept. Safe from any thread.
int DlgBoxSetRealFormat(const char* format, int trimCount);
// Copies at most 16 characters of the default format into format and the trim count into
// trimCount (either may be null). Returns 1.
int DlgBoxGetRealFormat(std::string* format, int* trimCount);
// value in the default real format, trimmed; "%.3lf" when the stored format takes no real.
std::string FormatDefaultReal(double value);

// value truncated toward zero and saturated to the range of a signed integer of that many bits
// (8, 16 or 32); NaN gives 0.
long long SaturateToBits(double value, int bits);
long long SaturateToBits(long long value, int bits);

}  // namespace wepo

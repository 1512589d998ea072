// Numbers in text, always in C notation whatever the process locale says.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// printf("%.*f") in C notation: FormatReal(1.5) is "1.500".
std::string FormatReal(double value, int decimals = 3);
std::string FormatInt(long long value);
// printf("%.15g") in C notation, the shortest form dialog fields show a real in: 1840.0 gives
// "1840", 0.1 gives "0.1", -200.5 gives "-200.5".
std::string FormatShortReal(double value);

// The leading number of text as atof/strtod read it in the "C" locale: leading blanks, an
// optional sign, digits with an optional point and exponent. 0 when there is none.
// `used` receives the count of bytes read (0 when there was no number).
double ParseLeadingReal(std::string_view text, size_t* used = nullptr);
// The leading integer as atoi reads it (blanks, sign, digits); 0 when there is none.
long long ParseLeadingInt(std::string_view text, size_t* used = nullptr);
// The whole text (blanks around it allowed) as one number, or nothing.
std::optional<double> ParseReal(std::string_view text);
std::optional<long long> ParseInt(std::string_view text);

// Drops trailing zeros after the decimal point but keeps the point: "1.500" -> "1.5",
// "2.000" -> "2.", "10" -> "10".
std::string TrimTrailingZeros(std::string_view text);

}  // namespace platform

// DxfText: appending DXF lines (CR LF) and numbers in C notation to an output buffer.
#pragma once

#include <string>
#include <string_view>

// Every line of a DXF file the program writes ends with CR LF. Numbers never depend on the
// process locale.
namespace dxftext {

// text followed by CR LF.
void Line(std::string& out, std::string_view text);
// A group code right-aligned in three characters ("  0", " 10").
void Code(std::string& out, int code);
// A real with six decimals (printf "%.6f" in the "C" locale).
void Real(std::string& out, double value);
// An integer after five blanks ("     3"), the colour and count form.
void Int6(std::string& out, int value);
// The text of a real with six decimals, without a line end.
std::string RealText(double value);

}  // namespace dxftext

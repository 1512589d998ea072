// DXF line and number formatting on std::to_chars.
#include "kernel/io/DxfText.h"

#include <charconv>
#include <cmath>

namespace dxftext {

namespace {
// Fixed notation of the largest double takes 309 digits plus sign, point and decimals.
constexpr size_t kRealBuffer = 330;

size_t FormatReal6(char* buf, double value) {
    if (std::isnan(value)) {
        std::char_traits<char>::copy(buf, "nan", 3);
        return 3;
    }
    auto r = std::to_chars(buf, buf + kRealBuffer, value, std::chars_format::fixed, 6);
    return static_cast<size_t>(r.ptr - buf);
}
}  // namespace

void Line(std::string& out, std::string_view text) {
    out.append(text);
    out.append("\r\n", 2);
}

void Code(std::string& out, int code) {
    char buf[16];
    auto r = std::to_chars(buf, buf + sizeof buf, code);
    for (auto n = r.ptr - buf; n < 3; ++n) out.push_back(' ');
    out.append(buf, r.ptr);
    out.append("\r\n", 2);
}

void Real(std::string& out, double value) {
    char buf[kRealBuffer];
    out.append(buf, FormatReal6(buf, value));
    out.append("\r\n", 2);
}

void Int6(std::string& out, int value) {
    char buf[16];
    auto r = std::to_chars(buf, buf + sizeof buf, value);
    out.append("     ", 5);
    out.append(buf, r.ptr);
    out.append("\r\n", 2);
}

std::string RealText(double value) {
    char buf[kRealBuffer];
    return std::string(buf, FormatReal6(buf, value));
}

}  // namespace dxftext

// C-notation number formatting and parsing on std::to_chars / std::from_chars.
#include "platform/Numbers.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace platform {

namespace {
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
}  // namespace

std::string FormatReal(double value, int decimals) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    char buf[400];
    auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    return std::string(buf, r.ptr);
}

std::string FormatInt(long long value) {
    char buf[32];
    auto r = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, r.ptr);
}

std::string FormatShortReal(double value) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
    return std::string(buf, r.ptr);
}

double ParseLeadingReal(std::string_view text, size_t* used) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    size_t start = i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Find the extent of digits[.digits][e[+-]digits] ourselves: from_chars would also accept
    // "inf" and "nan", which atof on NC text must not.
    size_t j = i;
    size_t digits = 0;
    while (j < text.size() && IsDigit(text[j])) ++j, ++digits;
    if (j < text.size() && text[j] == '.') {
        ++j;
        while (j < text.size() && IsDigit(text[j])) ++j, ++digits;
    }
    if (digits == 0) {
        if (used) *used = 0;
        return 0.0;
    }
    if (j < text.size() && (text[j] == 'e' || text[j] == 'E')) {
        size_t k = j + 1;
        if (k < text.size() && (text[k] == '+' || text[k] == '-')) ++k;
        if (k < text.size() && IsDigit(text[k])) {
            while (k < text.size() && IsDigit(text[k])) ++k;
            j = k;
        }
    }
    double value = 0.0;
    auto r = std::from_chars(text.data() + i, text.data() + j, value, std::chars_format::general);
    if (r.ec == std::errc::result_out_of_range) {
        value = HUGE_VAL;  // as strtod: overflow saturates
    }
    if (used) *used = j;
    (void)start;
    return negative ? -value : value;
}

long long ParseLeadingInt(std::string_view text, size_t* used) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    size_t j = i;
    long long value = 0;
    while (j < text.size() && IsDigit(text[j])) {
        if (value < 922337203685477580LL) value = value * 10 + (text[j] - '0');
        ++j;
    }
    if (used) *used = j == i ? 0 : j;
    return negative ? -value : value;
}

std::optional<double> ParseReal(std::string_view text) {
    size_t used = 0;
    double v = ParseLeadingReal(text, &used);
    if (used == 0) return std::nullopt;
    for (size_t k = used; k < text.size(); ++k)
        if (!IsBlank(text[k])) return std::nullopt;
    return v;
}

std::optional<long long> ParseInt(std::string_view text) {
    size_t used = 0;
    long long v = ParseLeadingInt(text, &used);
    if (used == 0) return std::nullopt;
    for (size_t k = used; k < text.size(); ++k)
        if (!IsBlank(text[k])) return std::nullopt;
    return v;
}

std::string TrimTrailingZeros(std::string_view text) {
    std::string s(text);
    size_t point = s.find('.');
    if (point == std::string::npos) return s;
    size_t exp = s.find_first_of("eE", point);
    std::string tail = exp == std::string::npos ? std::string() : s.substr(exp);
    if (exp != std::string::npos) s.resize(exp);
    while (s.size() > point + 1 && s.back() == '0') s.pop_back();
    return s + tail;
}

}  // namespace platform

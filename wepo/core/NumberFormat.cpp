// Format checking and C-locale printf for the dialog controller's fields.
#include "wepo/core/NumberFormat.h"

#include <locale.h>

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <mutex>

namespace wepo {

namespace {

enum class Length { None, Short, Long, LongLong, LongDouble };

struct Conversion {
    FormatClass cls = FormatClass::Invalid;
    Length length = Length::None;
};

Conversion ParseFormat(const char* format) {
    Conversion result;
    if (!format) return result;
    int conversions = 0;
    for (const char* p = format; *p; ++p) {
        if (*p != '%') continue;
        ++p;
        if (*p == '%') continue;
        while (*p && std::strchr("-+ #0'", *p)) ++p;
        while (*p >= '0' && *p <= '9') ++p;
        if (*p == '.') {
            ++p;
            while (*p >= '0' && *p <= '9') ++p;
        }
        Length length = Length::None;
        if (*p == 'h') {
            length = Length::Short;
            if (*++p == 'h') ++p;
        } else if (*p == 'l') {
            length = Length::Long;
            if (*++p == 'l') length = Length::LongLong, ++p;
        } else if (*p == 'L') {
            length = Length::LongDouble;
            ++p;
        }
        FormatClass cls = FormatClass::Invalid;
        if (*p && std::strchr("diouxX", *p)) {
            if (length != Length::LongDouble) cls = FormatClass::Integer;
        } else if (*p && std::strchr("fFeEgGaA", *p)) {
            if (length == Length::None || length == Length::Long || length == Length::LongDouble)
                cls = FormatClass::Real;
        } else if (*p == 's') {
            if (length == Length::None) cls = FormatClass::String;
        }
        if (cls == FormatClass::Invalid || ++conversions > 1) return {};
        result = {cls, length};
        if (!*p) break;
    }
    return conversions == 1 ? result : Conversion{};
}

// vsnprintf in the "C" locale (the process locale may write "1,5"), sized to the result.
std::string FormatC(const char* format, ...) {
    static locale_t cLocale = newlocale(LC_NUMERIC_MASK, "C", locale_t(0));
    locale_t previous = cLocale ? uselocale(cLocale) : locale_t(0);
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    char small[128];
    int n = std::vsnprintf(small, sizeof small, format, args);
    std::string out;
    if (n >= 0 && static_cast<size_t>(n) < sizeof small) {
        out.assign(small, static_cast<size_t>(n));
    } else if (n >= 0) {
        out.resize(static_cast<size_t>(n) + 1);
        std::vsnprintf(out.data(), out.size(), format, again);
        out.resize(static_cast<size_t>(n));
    }
    va_end(again);
    va_end(args);
    if (previous) uselocale(previous);
    return out;
}

struct DefaultFormat {
    std::mutex mutex;
    std::string format = "%.3lf";
    int trim = -1;
};
DefaultFormat& TheDefault() {
    static DefaultFormat d;
    return d;
}

}  // namespace

FormatClass ClassifyFormat(const char* format) {
    return ParseFormat(format).cls;
}

bool FormatInteger(const char* format, long long value, std::string& out) {
    Conversion c = ParseFormat(format);
    if (c.cls != FormatClass::Integer) return false;
    switch (c.length) {
        case Length::Long:
            out = FormatC(format, static_cast<long>(value));
            break;
        case Length::LongLong:
            out = FormatC(format, value);
            break;
        default:
            out = FormatC(format, static_cast<int>(SaturateToBits(value, 32)));
            break;
    }
    return true;
}

bool FormatRealWith(const char* format, double value, std::string& out) {
    Conversion c = ParseFormat(format);
    if (c.cls != FormatClass::Real) return false;
    if (c.length == Length::LongDouble)
        out = FormatC(format, static_cast<long double>(value));
    else
        out = FormatC(format, value);
    return true;
}

bool FormatString(const char* format, std::string_view value, std::string& out) {
    if (ParseFormat(format).cls != FormatClass::String) return false;
    std::string text(value);
    out = FormatC(format, text.c_str());
    return true;
}

std::string TrimTrailingZeros(std::string_view text, int count) {
    std::string out(text);
    if (count < 0) return out;
    size_t point = out.find('.');
    if (point == std::string::npos) return out;
    while (out.size() - point - 1 > static_cast<size_t>(count) && out.back() == '0') out.pop_back();
    return out;
}

int DlgBoxSetRealFormat(const char* format, int trimCount) {
    DefaultFormat& d = TheDefault();
    std::lock_guard lock(d.mutex);
    d.format = format ? std::string(format).substr(0, 16) : std::string("%.3lf");
    d.trim = trimCount;
    return 1;
}

int DlgBoxGetRealFormat(std::string* format, int* trimCount) {
    DefaultFormat& d = TheDefault();
    std::lock_guard lock(d.mutex);
    if (format) *format = d.format.substr(0, 16);
    if (trimCount) *trimCount = d.trim;
    return 1;
}

std::string FormatDefaultReal(double value) {
    std::string format;
    int trim = -1;
    DlgBoxGetRealFormat(&format, &trim);
    std::string out;
    if (!FormatRealWith(format.c_str(), value, out)) FormatRealWith("%.3lf", value, out);
    return TrimTrailingZeros(out, trim);
}

long long SaturateToBits(double value, int bits) {
    if (std::isnan(value)) return 0;
    const double hi = std::ldexp(1.0, bits - 1) - 1, lo = -std::ldexp(1.0, bits - 1);
    if (value >= hi) return static_cast<long long>(hi);
    if (value <= lo) return static_cast<long long>(lo);
    return static_cast<long long>(std::trunc(value));
}

long long SaturateToBits(long long value, int bits) {
    const long long hi = (1LL << (bits - 1)) - 1, lo = -(1LL << (bits - 1));
    return value > hi ? hi : value < lo ? lo : value;
}

}  // namespace wepo

// A small, bounded sscanf for one conversion, and the field splitters built on it.
#include "kernel/util/ScanFields.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <type_traits>

#include "kernel/util/MbcsText.h"
#include "platform/Numbers.h"

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string_view CText(std::string_view text) {
    size_t nul = text.find('\0');
    return nul == std::string_view::npos ? text : text.substr(0, nul);
}

void SkipSpace(std::string_view& in) {
    size_t i = 0;
    while (i < in.size() && IsSpace(in[i])) ++i;
    in.remove_prefix(i);
}

struct Conversion {
    char kind = 0;     // d i u x o f e g a s c, 0 when the format has none
    size_t width = 0;  // 0 = none
};

// Matches the literal text of the format before its conversion; false on a mismatch.
bool MatchPrefix(std::string_view& fmt, std::string_view& in, Conversion& conv) {
    while (!fmt.empty()) {
        char f = fmt.front();
        if (IsSpace(f)) {
            SkipSpace(in);
            fmt.remove_prefix(1);
        } else if (f == '%' && fmt.size() > 1 && fmt[1] == '%') {
            SkipSpace(in);
            if (in.empty() || in.front() != '%') return false;
            in.remove_prefix(1);
            fmt.remove_prefix(2);
        } else if (f == '%') {
            size_t i = 1;
            while (i < fmt.size() && fmt[i] >= '0' && fmt[i] <= '9')
                conv.width = conv.width * 10 + static_cast<size_t>(fmt[i++] - '0');
            while (i < fmt.size() && (fmt[i] == 'h' || fmt[i] == 'l' || fmt[i] == 'L')) ++i;
            if (i < fmt.size()) conv.kind = fmt[i];
            if (conv.kind == 'E' || conv.kind == 'G' || conv.kind == 'F') conv.kind = 'f';
            if (conv.kind == 'X') conv.kind = 'x';
            return conv.kind != 0;
        } else {
            if (in.empty() || in.front() != f) return false;
            in.remove_prefix(1);
            fmt.remove_prefix(1);
        }
    }
    return false;  // no conversion at all
}

// Integer as strtol reads it for the conversion; false when there is none or it overflows.
bool ReadInteger(std::string_view in, char kind, long long& value) {
    bool negative = false;
    size_t i = 0;
    if (i < in.size() && (in[i] == '+' || in[i] == '-')) negative = in[i++] == '-';
    int base = kind == 'x' ? 16 : kind == 'o' ? 8 : 10;
    if (kind == 'i' || kind == 'x') {
        bool hexPrefix =
            i + 1 < in.size() && in[i] == '0' && (in[i + 1] == 'x' || in[i + 1] == 'X');
        if (hexPrefix) {
            std::uint64_t dummy;
            // "0x" without a hex digit reads as the number 0, as strtol does.
            auto probe = std::from_chars(in.data() + i + 2, in.data() + in.size(), dummy, 16);
            if (probe.ptr != in.data() + i + 2 || probe.ec == std::errc::result_out_of_range) {
                base = 16;
                i += 2;
            }
        } else if (kind == 'i' && i < in.size() && in[i] == '0') {
            base = 8;
        }
    }
    std::uint64_t magnitude = 0;
    auto [ptr, ec] = std::from_chars(in.data() + i, in.data() + in.size(), magnitude, base);
    if (ptr == in.data() + i || ec != std::errc()) return false;
    constexpr auto kMax = static_cast<std::uint64_t>(std::numeric_limits<long long>::max());
    if (magnitude > kMax + (negative ? 1 : 0)) return false;
    value = negative ? static_cast<long long>(0 - magnitude) : static_cast<long long>(magnitude);
    return true;
}

template <class T>
bool StoreInteger(T* dest, long long value, char kind) {
    // %u and %x into a signed destination wrap as the C library does for in-range bits.
    if (kind == 'u' || kind == 'x' || kind == 'o') {
        using U = std::make_unsigned_t<T>;
        if (value < -static_cast<long long>(std::numeric_limits<U>::max()) ||
            (value > 0 && static_cast<unsigned long long>(value) > std::numeric_limits<U>::max()))
            return false;
        *dest = static_cast<T>(static_cast<U>(value));
        return true;
    }
    if (value < std::numeric_limits<T>::min() || value > std::numeric_limits<T>::max())
        return false;
    *dest = static_cast<T>(value);
    return true;
}

}  // namespace

bool ScanField::Scan(std::string_view text) const {
    std::string_view fmt = format_;
    std::string_view in = text;
    Conversion conv;
    if (!MatchPrefix(fmt, in, conv)) return false;
    char kind = conv.kind;

    if (kind == 'c') {
        size_t n = conv.width ? conv.width : 1;
        if (in.size() < n) return false;
        if (auto p = std::get_if<char*>(&target_); p && n == 1) {
            **p = in.front();
            return true;
        }
        if (auto p = std::get_if<std::string*>(&target_)) {
            (*p)->assign(in.substr(0, n));
            return true;
        }
        return false;
    }

    SkipSpace(in);
    if (conv.width && in.size() > conv.width) in = in.substr(0, conv.width);

    if (kind == 's') {
        size_t n = 0;
        while (n < in.size() && !IsSpace(in[n])) ++n;
        auto p = std::get_if<std::string*>(&target_);
        if (!p || n == 0) return false;
        (*p)->assign(in.substr(0, n));
        return true;
    }
    if (kind == 'f' || kind == 'e' || kind == 'g' || kind == 'a') {
        size_t used = 0;
        double value = platform::ParseLeadingReal(in, &used);
        if (used == 0) return false;
        if (auto p = std::get_if<double*>(&target_)) {
            **p = value;
            return true;
        }
        if (auto p = std::get_if<float*>(&target_)) {
            **p = static_cast<float>(value);
            return true;
        }
        return false;
    }
    if (kind == 'd' || kind == 'i' || kind == 'u' || kind == 'x' || kind == 'o') {
        long long value = 0;
        if (!ReadInteger(in, kind, value)) return false;
        if (auto p = std::get_if<int*>(&target_)) return StoreInteger(*p, value, kind);
        if (auto p = std::get_if<short*>(&target_)) return StoreInteger(*p, value, kind);
        if (auto p = std::get_if<long*>(&target_)) return StoreInteger(*p, value, kind);
        return false;
    }
    return false;
}

int ScanTokens(std::string_view delimiters, std::string_view text, ScanFieldList fields) {
    text = CText(text);
    int count = 0;
    size_t pos = 0;
    for (const ScanField& field : fields) {
        pos = text.find_first_not_of(delimiters, pos);
        if (pos == std::string_view::npos) break;
        size_t end = text.find_first_of(delimiters, pos);
        if (end == std::string_view::npos) end = text.size();
        field.Scan(text.substr(pos, end - pos));
        ++count;
        pos = end;
    }
    return count;
}

int ScanTokens(std::string_view delimiters, std::string_view text,
               std::initializer_list<ScanField> fields) {
    return ScanTokens(delimiters, text, ScanFieldList(fields.begin(), fields.size()));
}

namespace {

std::string_view QuotedText(std::string_view field) {
    size_t quote = field.find('"');
    if (quote != std::string_view::npos) {
        std::string_view rest = field.substr(quote + 1);
        return rest.substr(0, rest.find('"'));
    }
    size_t begin = field.find_first_not_of(" \t");
    if (begin == std::string_view::npos) return {};
    std::string_view rest = field.substr(begin);
    return rest.substr(0, rest.find_first_of(" \t"));
}

int ScanFieldsImpl(std::string_view delimiters, std::string_view text, ScanFieldList fields,
                   bool quoted) {
    std::string_view rest = CText(text);
    int count = 0;
    for (const ScanField& field : fields) {
        size_t end = std::string_view::npos;
        for (char d : delimiters) {
            if (d == '\0') continue;
            end = StrChrMbcs(rest, d);
            if (end != std::string_view::npos) break;
        }
        std::string_view value = end == std::string_view::npos ? rest : rest.substr(0, end);
        if (quoted && field.format() == "%s") {
            if (auto p = std::get_if<std::string*>(&field.target()))
                (*p)->assign(QuotedText(value));
        } else {
            field.Scan(value);
        }
        ++count;
        if (end == std::string_view::npos) break;
        rest = rest.substr(end + 1);
    }
    return count;
}

}  // namespace

int ScanFieldsDelim(std::string_view delimiters, std::string_view text, ScanFieldList fields) {
    return ScanFieldsImpl(delimiters, text, fields, false);
}

int ScanFieldsDelim(std::string_view delimiters, std::string_view text,
                    std::initializer_list<ScanField> fields) {
    return ScanFieldsImpl(delimiters, text, ScanFieldList(fields.begin(), fields.size()), false);
}

int ScanFieldsQuoted(std::string_view delimiters, std::string_view text, ScanFieldList fields) {
    return ScanFieldsImpl(delimiters, text, fields, true);
}

int ScanFieldsQuoted(std::string_view delimiters, std::string_view text,
                     std::initializer_list<ScanField> fields) {
    return ScanFieldsImpl(delimiters, text, ScanFieldList(fields.begin(), fields.size()), true);
}

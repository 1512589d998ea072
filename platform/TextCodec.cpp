// CP932 <-> UTF-8 with iconv; whole-text conversion first, a per-character pass when a byte
// does not survive the round trip.
#include "platform/TextCodec.h"

#include <iconv.h>

#include <cerrno>

#include "platform/Cp932.h"

namespace platform {

namespace {

// One iconv descriptor for the life of a conversion call.
class Iconv {
public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Iconv() {
        if (ok()) iconv_close(cd_);
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts all of in; false when iconv stops on any byte (out then holds garbage).
    bool Convert(std::string_view in, std::string& out) {
        out.clear();
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        if (in.empty()) return true;
        out.resize(in.size() * 4 + 16);
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = in.size();
        char* dst = out.data();
        size_t dstLeft = out.size();
        while (srcLeft > 0) {
            if (iconv(cd_, &src, &srcLeft, &dst, &dstLeft) != static_cast<size_t>(-1)) break;
            if (errno != E2BIG) return false;
            size_t used = static_cast<size_t>(dst - out.data());
            out.resize(out.size() * 2);
            dst = out.data() + used;
            dstLeft = out.size() - used;
        }
        out.resize(static_cast<size_t>(dst - out.data()));
        return true;
    }

private:
    iconv_t cd_;
};

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

void AppendEscape(std::string& out, unsigned char byte) {
    AppendUtf8(out, kEscapeBase + byte);
}

// Decodes one UTF-8 sequence at pos; returns its length, 0 when it is not valid UTF-8.
size_t DecodeUtf8(std::string_view s, size_t pos, char32_t& cp) {
    auto b = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
    unsigned char c = b(pos);
    size_t n;
    if (c < 0x80) {
        cp = c;
        return 1;
    } else if (c >= 0xC2 && c <= 0xDF) {
        n = 2;
        cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        cp = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        cp = c & 0x07;
    } else {
        return 0;
    }
    if (pos + n > s.size()) return 0;
    for (size_t i = 1; i < n; ++i) {
        if ((b(pos + i) & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b(pos + i) & 0x3F);
    }
    static constexpr char32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMin[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return n;
}

bool IsEscape(char32_t cp) {
    return cp >= kEscapeBase + 0x80 && cp <= kEscapeBase + 0xFF;
}

// U+F780-U+F7FF are EF 9E xx and EF 9F xx in UTF-8.
bool HoldsEscape(std::string_view utf8) {
    return utf8.find("\xEF\x9E") != std::string_view::npos ||
           utf8.find("\xEF\x9F") != std::string_view::npos;
}

// Slow path: one character at a time, each checked by converting it back.
std::string DecodeByCharacter(std::string_view in, Iconv& toUtf8, Iconv& toCp932) {
    std::string out;
    out.reserve(in.size() * 2);
    std::string unit, back;
    for (size_t i = 0; i < in.size();) {
        unsigned char c = static_cast<unsigned char>(in[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        size_t n = CharLength(in, i);
        std::string_view ch = in.substr(i, n);
        if (toUtf8.Convert(ch, unit) && !HoldsEscape(unit) && toCp932.Convert(unit, back) &&
            back == ch) {
            out += unit;
        } else {
            // Escape only the first byte: a trail byte in 0x40-0x7E is an ASCII character of
            // its own once its lead byte is gone, and the next step deals with the rest.
            AppendEscape(out, c);
            n = 1;
        }
        i += n;
    }
    return out;
}

}  // namespace

std::string Cp932ToUtf8(std::string_view cp932) {
    bool ascii = true;
    for (char c : cp932) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii) return std::string(cp932);

    Iconv toUtf8("UTF-8", "CP932");
    Iconv toCp932("CP932", "UTF-8");
    std::string out, back;
    if (toUtf8.ok() && toCp932.ok()) {
        auto fast = [&](std::string_view part, std::string& converted) {
            // An escape character in the result would be read back as a raw byte; CP932
            // never decodes to one, but check rather than trust.
            return toUtf8.Convert(part, converted) && !HoldsEscape(converted) &&
                   toCp932.Convert(converted, back) && back == part;
        };
        if (fast(cp932, out)) return out;
        // Something does not survive: convert line by line ('\n' is never a trail byte), and
        // character by character only in the lines that need it.
        std::string result, line;
        result.reserve(cp932.size() * 2);
        for (std::string_view rest = cp932; !rest.empty();) {
            size_t eol = rest.find('\n');
            size_t n = eol == std::string_view::npos ? rest.size() : eol + 1;
            std::string_view part = rest.substr(0, n);
            rest.remove_prefix(n);
            if (fast(part, line))
                result += line;
            else
                result += DecodeByCharacter(part, toUtf8, toCp932);
        }
        return result;
    }
    // No converter at all: keep ASCII, escape the rest.
    out.clear();
    for (char c : cp932) {
        if (static_cast<unsigned char>(c) < 0x80)
            out += c;
        else
            AppendEscape(out, static_cast<unsigned char>(c));
    }
    return out;
}

Cp932Encoding Utf8ToCp932(std::string_view utf8) {
    Cp932Encoding result;
    result.bytes.reserve(utf8.size());
    Iconv toCp932("CP932", "UTF-8");
    std::string unit;
    auto fail = [&](size_t pos) {
        if (result.unconvertible++ == 0) result.firstUnconvertible = pos;
        result.bytes += '?';
    };
    // Runs of ordinary characters go to iconv in one piece; escapes and failures split them.
    size_t runStart = 0;
    auto flush = [&](size_t end) {
        if (end <= runStart) return;
        std::string_view run = utf8.substr(runStart, end - runStart);
        if (toCp932.ok() && toCp932.Convert(run, unit)) {
            result.bytes += unit;
        } else {
            // Find the character that does not convert, one at a time.
            for (size_t i = 0; i < run.size();) {
                char32_t cp;
                size_t n = DecodeUtf8(run, i, cp);
                if (cp < 0x80) {
                    result.bytes += run[i];
                } else if (toCp932.ok() && toCp932.Convert(run.substr(i, n), unit)) {
                    result.bytes += unit;
                } else {
                    fail(runStart + i);
                }
                i += n;
            }
        }
    };
    for (size_t i = 0; i < utf8.size();) {
        char32_t cp = 0;
        size_t n = DecodeUtf8(utf8, i, cp);
        if (n == 0) {
            flush(i);
            fail(i);
            runStart = i + 1;
            i += 1;
        } else if (IsEscape(cp)) {
            flush(i);
            result.bytes += static_cast<char>(cp - kEscapeBase);
            runStart = i + n;
            i += n;
        } else {
            i += n;
        }
    }
    flush(utf8.size());
    return result;
}

std::string Cp932OrUtf8ToUtf8(std::string_view bytes) {
    std::string text = Cp932ToUtf8(bytes);
    if (!HoldsEscape(text)) return text;
    for (size_t i = 0; i < bytes.size();) {
        char32_t cp = 0;
        size_t n = DecodeUtf8(bytes, i, cp);
        // An escape character read as UTF-8 would turn into a raw byte when written back.
        if (n == 0 || IsEscape(cp)) return text;
        i += n;
    }
    return std::string(bytes);
}

}  // namespace platform

// Conversion between CP932 bytes (NC text, settings values) and UTF-8 (what the UI shows).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// CP932 bytes that have no character of their own (a lone lead byte, 0x80, 0xA0, 0xFD-0xFF,
// an unassigned pair) or whose character would come back as other bytes (the NEC-selected
// IBM duplicates such as ED 40, which iconv writes back as FA 5C) are shown as the private-use
// character U+F700 + byte, one per byte. Converting back turns each such character into its
// byte again, so CP932 -> UTF-8 -> CP932 gives every byte string back unchanged.
constexpr char32_t kEscapeBase = 0xF700;

// Never fails: every byte is either decoded or escaped.
std::string Cp932ToUtf8(std::string_view cp932);

struct Cp932Encoding {
    std::string bytes;
    // Characters with no CP932 form (and bytes of invalid UTF-8), each written as '?'.
    size_t unconvertible = 0;
    // Byte offset in the UTF-8 input of the first of them, npos when there is none.
    size_t firstUnconvertible = std::string_view::npos;
    bool ok() const { return unconvertible == 0; }
};

// UTF-8 to CP932; the escape characters above become their bytes. A caller that must not
// lose text checks ok() before it writes the result anywhere.
Cp932Encoding Utf8ToCp932(std::string_view utf8);

// A settings value that an earlier version may have written as UTF-8 instead of CP932: CP932
// text (every byte decoded, none escaped) is read as CP932, always; a value that is no CP932
// text but is valid UTF-8 is taken as the UTF-8 it is; anything else as Cp932ToUtf8 gives it.
std::string Cp932OrUtf8ToUtf8(std::string_view bytes);

}  // namespace platform

// CP932 (Shift-JIS) byte classes and bounded walkers that never split a double-byte character.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// First byte of a double-byte character: 0x81-0x9F and 0xE0-0xFC.
constexpr bool IsLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
constexpr bool IsLeadByte(char c) {
    return IsLeadByte(static_cast<unsigned char>(c));
}

// Second byte of a double-byte character: 0x40-0xFC except 0x7F.
constexpr bool IsTrailByte(unsigned char b) {
    return b >= 0x40 && b <= 0xFC && b != 0x7F;
}
constexpr bool IsTrailByte(char c) {
    return IsTrailByte(static_cast<unsigned char>(c));
}

// Length in bytes (1 or 2) of the character that starts at pos (pos < text.size()). A lead
// byte forms a pair only with a following trail byte, so a lead byte at the end of the
// buffer, before a NUL or before a control or ASCII punctuation byte stands alone: a walk
// never steps past the end and never swallows a line end or a delimiter.
constexpr size_t CharLength(std::string_view text, size_t pos) {
    return IsLeadByte(text[pos]) && pos + 1 < text.size() && IsTrailByte(text[pos + 1]) ? 2 : 1;
}

// Position of the first / last single-byte character equal to ch, stepping over double-byte
// pairs so that a trail byte is never taken; npos when there is none. Bytes compare as
// unsigned values. Works on the whole view (a NUL byte is an ordinary byte here).
size_t FindFirstSingle(std::string_view text, char ch);
size_t FindLastSingle(std::string_view text, char ch);
// As above, searching for any byte of set.
size_t FindFirstSingleOf(std::string_view text, std::string_view set);

// Position of the first occurrence of what at or after from that starts on a character
// boundary: a trail byte of a double-byte character never starts a match, so a CP932 comment
// whose trail byte is 'M' never holds "M98". npos when there is none. An empty what is found at
// from (when from lies inside text or at its end).
size_t FindText(std::string_view text, std::string_view what, size_t from = 0);

// Upper- / lower-cases the 26 ASCII letters in place, leaving both bytes of every
// double-byte character alone.
void ToUpperSingleBytes(std::string& text);
void ToLowerSingleBytes(std::string& text);
void ToUpperSingleBytes(char* text, size_t size);
void ToLowerSingleBytes(char* text, size_t size);

// ASCII-case-insensitive comparison of byte strings (no double-byte awareness needed: the
// trail bytes that look like letters are compared exactly like the others).
bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);

}  // namespace platform

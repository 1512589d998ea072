// Searching and case-changing of CP932 text that never cuts a double-byte character in two.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The text of these functions ends at its first NUL byte or at the end of the view, whichever
// comes first (the bytes of a C string). A lead byte pairs only with a following trail byte, so
// a lead byte left in front of the end by a cut line never carries a walk past it.

// Position of the first / last single-byte character equal to value, stepping over
// double-byte pairs; npos when there is none. Searching for '\0' gives the position of the
// text's end. Bytes compare as unsigned values, so a value of 0x80 or more matches too.
size_t StrChrMbcs(std::string_view text, char value);
size_t StrRChrMbcs(std::string_view text, char value);

// Upper- / lower-cases the 26 ASCII letters that are not part of a double-byte character, in
// place (up to the first NUL); returns the text.
std::string& StrUpperMbcs(std::string& text);
std::string& StrLowerMbcs(std::string& text);

// Finds key in text ignoring the case of the ASCII letters (byte by byte, not double-byte
// aware). On a hit out = the text after the occurrence, in its own case, and the result is 1;
// otherwise out = the whole text and the result is 0. An empty key is found at the start.
int FindAfterNoCase(std::string_view text, std::string_view key, std::string& out);

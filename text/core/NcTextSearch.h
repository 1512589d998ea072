// Searching NC lines (CP932 bytes) for a text, with or without matching case.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Byte offset of the first occurrence of text in line, npos when none. Matches start only at
// character starts (a trail byte of a double-byte character never begins a match). Without
// matchCase the ASCII letters compare case-insensitively, so "xy" finds "XY", "xy" and "Xy";
// double-byte characters always compare exactly. An empty text matches nothing.
size_t FindInLine(std::string_view line, std::string_view text, bool matchCase);

// The first line containing text from the row after start (down) or before it (up); from row
// 0 when searching down with start -1. Returns the row, -1 when none matches.
int FindLine(const std::vector<std::string>& lines, std::string_view text, bool matchCase,
             int start, bool down);

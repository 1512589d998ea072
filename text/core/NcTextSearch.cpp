// Searching NC lines for a text.
#include "text/core/NcTextSearch.h"

#include "platform/Cp932.h"

#include <algorithm>

namespace {

char Fold(char c) {
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

// text matches line at pos, character by character (pairs exactly, single bytes folded).
bool MatchesAt(std::string_view line, size_t pos, std::string_view text, bool matchCase) {
    if (line.size() - pos < text.size()) return false;
    for (size_t i = 0; i < text.size();) {
        const size_t len = platform::CharLength(text, i);
        if (len == 2 || matchCase) {
            if (line.compare(pos + i, len, text.substr(i, len)) != 0) return false;
        } else if (Fold(line[pos + i]) != Fold(text[i])) {
            return false;
        }
        i += len;
    }
    // The match must not end inside a double-byte character of the line.
    const size_t end = pos + text.size();
    if (end < line.size() && end > pos) {
        size_t p = pos;
        while (p < end) p += platform::CharLength(line, p);
        if (p != end) return false;
    }
    return true;
}

}  // namespace

size_t FindInLine(std::string_view line, std::string_view text, bool matchCase) {
    if (text.empty() || text.size() > line.size()) return std::string_view::npos;
    for (size_t pos = 0; pos + text.size() <= line.size(); pos += platform::CharLength(line, pos)) {
        if (MatchesAt(line, pos, text, matchCase)) return pos;
    }
    return std::string_view::npos;
}

int FindLine(const std::vector<std::string>& lines, std::string_view text, bool matchCase,
             int start, bool down) {
    const int count = int(lines.size());
    if (text.empty()) return -1;
    if (down) {
        for (int r = start < 0 ? 0 : start + 1; r < count; ++r)
            if (FindInLine(lines[size_t(r)], text, matchCase) != std::string_view::npos) return r;
    } else {
        if (start < 0) return -1;
        for (int r = std::min(start, count) - 1; r >= 0; --r)
            if (FindInLine(lines[size_t(r)], text, matchCase) != std::string_view::npos) return r;
    }
    return -1;
}

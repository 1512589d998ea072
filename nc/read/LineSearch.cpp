// The reader's line searches: program and sequence lines, address and prefix lines.
#include <algorithm>

#include "nc/machine/CNcReadInfo.h"
#include "nc/read/CNcRead.h"
#include "platform/Numbers.h"

namespace {

// The number of a line from character `from` on, as atoi reads it (0 when there is none).
long long LineNumber(std::string_view line, size_t from) {
    return from < line.size() ? platform::ParseLeadingInt(line.substr(from)) : 0;
}

bool BeginsWith(std::string_view line, char letter) {
    return !line.empty() && line[0] == letter;
}

// strncmp(line, prefix, length) == 0, both texts ending where a C string would.
bool PrefixEquals(std::string_view line, std::string_view prefix, int length) {
    for (int i = 0; i < length; ++i) {
        const size_t k = static_cast<size_t>(i);
        const char a = k < line.size() ? line[k] : '\0';
        const char b = k < prefix.size() ? prefix[k] : '\0';
        if (a != b) return false;
        if (a == '\0') return true;
    }
    return true;
}

// Walks from start in steps of step while inside [0, count); the first index for which
// match is true, else -1.
template <class Match>
int Walk(int count, int start, int step, Match match) {
    if (count == 0 || step == 0) return -1;
    for (long long i = start; i >= 0 && i < count; i += step) {
        if (match(static_cast<int>(i))) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace

int CNcRead::FindProgramLine(int programNo, int seqNo, int fromLine) const {
    const char letter = Settings && Settings->CodeLetter[0] != '\0' ? Settings->CodeLetter[0] : 'O';
    const int count = static_cast<int>(Lines.size());
    int found = -1;
    if (programNo == -1) {
        // A start past the end walks back from the last line.
        for (int i = std::min(fromLine, count - 1); i >= 0; --i) {
            if (BeginsWith(Lines[i], letter)) {
                found = i;
                break;
            }
        }
    } else {
        for (int i = 0; i < count; ++i) {
            if (BeginsWith(Lines[i], letter) && LineNumber(Lines[i], 1) == programNo) {
                found = i;
                break;
            }
        }
    }
    if (found == -1 || seqNo == -1) return found;
    for (int i = found; i < count; ++i) {
        if (BeginsWith(Lines[i], 'N') && LineNumber(Lines[i], 1) == seqNo) return i;
    }
    return -1;
}

int CNcRead::FindAddressLine(char letter, int value, int startLine, int step) const {
    return Walk(static_cast<int>(Lines.size()), startLine, step, [&](int i) {
        return BeginsWith(Lines[i], letter) && (value == -1 || LineNumber(Lines[i], 1) == value);
    });
}

int CNcRead::FindPrefixLine(std::string_view prefix, int length, int value, int startLine,
                            int step) const {
    if (length < 0) return -1;
    return Walk(static_cast<int>(Lines.size()), startLine, step, [&](int i) {
        return PrefixEquals(Lines[i], prefix, length) &&
               (value == -1 || LineNumber(Lines[i], static_cast<size_t>(length)) == value);
    });
}

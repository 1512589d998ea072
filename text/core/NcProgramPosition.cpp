// The stages of the search for a program position, and sequence lines.
#include "text/core/NcProgramPosition.h"

#include <climits>

#include "platform/Numbers.h"

namespace {

// The integer after the first character (as atoi reads it); 0 when none or out of range.
int LineNumber(std::string_view line) {
    if (line.size() < 2) return 0;
    const long long n = platform::ParseLeadingInt(line.substr(1));
    return n > INT_MAX || n < -INT_MAX ? 0 : static_cast<int>(n);
}

bool Begins(std::string_view line, char letter) {
    return letter != '\0' && !line.empty() && line.front() == letter;
}

}  // namespace

int FindProgramPosition(const std::vector<std::string>& lines, NcProgramLetters letters,
                        int mainProgram, int subProgram, int mainSequence, int subSequence,
                        int* mainRow, int* subRow) {
    *mainRow = *subRow = -1;
    if (mainProgram == -1 && subProgram == -1 && mainSequence == -1 && subSequence == -1)
        *mainRow = 1;
    // A sub sequence without its sub-program is a sequence of the main program.
    int wantMain = mainSequence, wantSub = subSequence;
    if (subProgram == -1 && subSequence != -1) {
        wantMain = subSequence;
        wantSub = -1;
    }

    int stage = 0;
    const int count = static_cast<int>(lines.size());
    for (int row = 0; row < count; ++row) {
        const std::string_view line = lines[static_cast<size_t>(row)];
        switch (stage) {
            case 0:
                if (mainProgram == -1) {
                    stage = 1;
                } else if (Begins(line, letters.MainProgram) && LineNumber(line) == mainProgram) {
                    *mainRow = row;
                    stage = 1;
                }
                break;
            case 1:
                if (wantMain == -1) {
                    stage = 2;
                } else if (Begins(line, 'N') && LineNumber(line) == wantMain) {
                    *mainRow = row;
                    stage = 2;
                    if (subProgram == -1) return stage;
                }
                break;
            case 2:
                if (subProgram == -1) return 3;
                if (Begins(line, letters.SubProgram) && LineNumber(line) == subProgram) {
                    *subRow = row;
                    stage = 3;
                    if (wantSub == -1) return stage;
                }
                break;
            default:  // 3
                if (wantSub == -1) return 4;
                if (Begins(line, 'N') && LineNumber(line) == wantSub) {
                    *subRow = row;
                    return 4;
                }
                break;
        }
    }
    return stage;
}

bool SequenceLineNumber(std::string_view line, int* number) {
    if (!Begins(line, 'N')) return false;
    for (char c : line) {
        if (c == '(') return false;
        if (c == 'G' || c == 'M') {
            *number = LineNumber(line);
            return true;
        }
    }
    return false;
}

int SequenceNumberOf(std::string_view line) {
    if (!Begins(line, 'N') || line.size() < 2 || line[1] < '0' || line[1] > '9') return 0;
    return LineNumber(line);
}

// The block search of the NC line list.
#include "text/core/NcBlockRange.h"

#include "platform/Numbers.h"

namespace {

std::string_view BeforeComment(std::string_view line) {
    const size_t paren = line.find('(');
    return paren == std::string_view::npos ? line : line.substr(0, paren);
}

bool IsProgramLine(std::string_view line, char mainLetter, char subLetter) {
    return !line.empty() && (line.front() == mainLetter || line.front() == subLetter);
}

// The first program-end code (M30, M99, M300, M310) before the comment; 0 when none.
int EndCode(std::string_view line) {
    const std::string_view text = BeforeComment(line);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != 'M') continue;
        size_t used = 0;
        const long long code = platform::ParseLeadingInt(text.substr(i + 1), &used);
        if (used == 0) continue;
        if (code == 30 || code == 99 || code == 300 || code == 310) return int(code);
    }
    return 0;
}

}  // namespace

bool IsMoveLine(std::string_view line) {
    return BeforeComment(line).find_first_of("XxYy") != std::string_view::npos;
}

int FindBlockRange(const std::vector<std::string>& lines, int mode, int row, char mainLetter,
                   char subLetter, int* first, int* last, int* info) {
    const int count = int(lines.size());
    if (row < 0 || row >= count || mode < kBlockProgram || mode > kBlockSubProgram) return 0;
    int move = -1;  // the last move line seen
    int start = -1;
    int number = 0;
    // Backward to the block's first line; move then holds the block's first move line.
    bool started = false;
    for (int r = row; r >= 0 && !started; --r) {
        const std::string& line = lines[size_t(r)];
        if (IsMoveLine(line)) move = r;
        if (mode == kBlockSequence) {
            if (!line.empty() && line.front() == 'N') {
                start = move;
                number = int(platform::ParseLeadingInt(std::string_view(line).substr(1)));
                started = true;
            }
        } else if (IsProgramLine(line, mainLetter, subLetter)) {
            start = mode == kBlockSubProgram ? r : move;
            number = 1;
            started = true;
        }
    }
    if (!started || start < 0) return 0;
    // Forward to the block's end.
    for (int r = start + 1; r < count; ++r) {
        const std::string& line = lines[size_t(r)];
        // The next N line begins the next block: it is not one of this block's move lines.
        if (mode == kBlockSequence && !line.empty() && line.front() == 'N') {
            if (move < 0) return 0;
            *first = start;
            *last = move;
            *info = number;
            return 1;
        }
        if (IsMoveLine(line)) move = r;
        const int code = EndCode(line);
        if (code == 0) continue;
        if (mode == kBlockSubProgram) {
            if (code == 30) return 0;
            if (code != 99) continue;
            move = r;
        }
        if (move < 0) return 0;
        *first = start;
        *last = move;
        *info = number;
        return 1;
    }
    return 0;
}

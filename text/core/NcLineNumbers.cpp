// The line-number column of the NC text views.
#include "text/core/NcLineNumbers.h"

#include <charconv>

#include "text/core/NcLineClass.h"

int DecimalDigits(size_t count) {
    int d = 1;
    while (count >= 10) {
        count /= 10;
        ++d;
    }
    return d;
}

std::string FormatLineNumber(long long number, int digits) {
    char buf[32];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, number < 0 ? -number : number);
    std::string digitsText(buf, end);
    std::string out;
    if (number < 0) out += '-';
    if (int pad = digits - int(digitsText.size()); pad > 0) out.append(size_t(pad), '0');
    out += digitsText;
    return out;
}

std::vector<uint32_t> OriginShiftNumbers(const std::vector<std::string>& lines,
                                         const NcTextRules& rules) {
    std::vector<uint32_t> numbers(lines.size(), 0);
    bool numbering = false;
    uint32_t counter = 0;
    std::string copy;
    for (size_t i = 0; i < lines.size(); ++i) {
        copy = lines[i];
        ApplyTextConversions(copy, rules);
        if (!numbering) {
            if (IsOriginShiftLine(copy)) {
                numbering = true;
                counter = 1;
                numbers[i] = counter;
            }
            continue;
        }
        if (copy.empty()) continue;
        if (copy.front() != ' ') ++counter;
        numbers[i] = counter;
    }
    return numbers;
}

std::string LineNumberLabel(size_t row, size_t count, const NcTextRules& rules,
                            const std::vector<uint32_t>& numbers) {
    if (rules.AppMachineType == 1) {
        const uint32_t n = row < numbers.size() ? numbers[row] : 0;
        return n == 0 ? std::string(" ") : FormatLineNumber(n, DecimalDigits(count));
    }
    return FormatLineNumber((long long)row + 1, DecimalDigits(count));
}

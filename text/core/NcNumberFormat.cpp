// Numbers written into NC text by the NC operations.
#include "text/core/NcNumberFormat.h"

#include <algorithm>
#include <cmath>

#include "platform/Numbers.h"

std::string FormatNcNumber(double value, int decimals, bool keepTrailingZeros) {
    decimals = std::clamp(decimals, 0, 9);
    if (!std::isfinite(value)) value = 0.0;
    std::string text = platform::FormatReal(value, decimals);
    if (text.find('.') == std::string::npos) text += '.';
    if (!keepTrailingZeros) text = platform::TrimTrailingZeros(text);
    // A value that rounds to zero from below prints as "-0." (or "-0.000") on most C
    // libraries.
    if (text.size() > 1 && text[0] == '-' && text.find_first_not_of("0.", 1) == std::string::npos)
        text.erase(0, 1);
    if (text == ".") text = "0.";
    return text;
}

int ScanNumberEnd(std::string_view text, int start) {
    if (start < 0 || size_t(start) >= text.size()) return start - 1;
    auto isNumberChar = [](char c) {
        return c == '-' || c == '.' || c == '/' || (c >= '0' && c <= '9');
    };
    size_t i = size_t(start);
    while (i < text.size() && isNumberChar(text[i])) ++i;
    if (i == text.size()) return int(text.size());
    return int(i) - 1;
}

void AppendAxisWord(int axis, int decimals, std::string& out, double value, int feed) {
    static constexpr char kLetters[] = "XYZCAF";
    if (axis < 0 || axis > 5) return;
    out += kLetters[axis];
    if (axis == 5)
        out += platform::FormatInt(feed);
    else
        out += FormatNcNumber(value, decimals);
}

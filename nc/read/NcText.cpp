// Small text helpers of the reader that the converters share: axis words and number style.
#include <string_view>

#include "nc/read/CNcRead.h"
#include "platform/Cp932.h"
#include "platform/Numbers.h"

void CNcRead::ParseAxisWords(std::string_view text, std::array<double, 8>& out) {
    static constexpr std::string_view kLetters = "XYZCADWR";
    for (size_t i = 0; i < kLetters.size(); ++i) {
        const size_t at = platform::FindFirstSingle(text, kLetters[i]);
        if (at != std::string_view::npos) out[i] = platform::ParseLeadingReal(text.substr(at + 1));
    }
}

int IsDecimalText(std::string_view text) {
    for (char c : text) {
        if (c == '.') return 1;
        if (c != ' ' && c != '\t' && !(c >= '0' && c <= '9')) return 0;
    }
    return 0;
}

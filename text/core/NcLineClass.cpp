// Colour classes of NC lines.
#include "text/core/NcLineClass.h"

#include "platform/Cp932.h"

bool ContainsWord(std::string_view text, std::string_view word) {
    return !word.empty() && platform::FindText(text, word) != std::string_view::npos;
}

void ApplyTextConversions(std::string& text, const NcTextRules& rules) {
    for (const NcTextConversion& c : rules.Conversions) {
        if (c.From.empty()) continue;
        const size_t at = platform::FindText(text, c.From);
        if (at != std::string::npos) text.replace(at, c.From.size(), c.To);
    }
}

namespace {

int ClassOf(std::string_view copy, const NcTextRules& rules) {
    if (copy.empty()) return kClassPlain;
    if (copy.front() == 'O') return kClassProgramNumber;
    if (copy.front() == '(') return kClassComment;
    if (ContainsWord(copy, rules.SubCallWord)) return kClassSubCall;
    return kClassPlain;
}

}  // namespace

int ClassifyNcLine(std::string_view line, const NcTextRules& rules, std::string& scratch) {
    if (rules.Conversions.empty()) return ClassOf(line, rules);
    scratch.assign(line);
    ApplyTextConversions(scratch, rules);
    return ClassOf(scratch, rules);
}

int ClassifyNcLine(std::string_view line, const NcTextRules& rules) {
    std::string scratch;
    return ClassifyNcLine(line, rules, scratch);
}

bool IsOriginShiftLine(std::string_view convertedLine) {
    static constexpr std::string_view kKey = "ORIGINSFT";
    if (convertedLine.size() < kKey.size()) return false;
    for (size_t i = 0; i < kKey.size(); ++i) {
        char c = convertedLine[i];
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
        if (c != kKey[i]) return false;
    }
    return true;
}

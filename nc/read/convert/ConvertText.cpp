// Text helpers shared by the punch dialect normaliser and the format converters.
#include "nc/read/convert/ConvertText.h"

#include <algorithm>
#include <climits>

#include "nc/machine/CNcReadInfo.h"
#include "nc/read/CNcRead.h"
#include "platform/Cp932.h"
#include "platform/Numbers.h"

namespace ncconvert {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The leading number of text as the word rule reads it: its span (sign, digits, at most one
// point when allowPoint), empty when there is no digit.
std::string_view NumberSpan(std::string_view text, bool allowPoint) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    const size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    bool digits = false;
    bool point = false;
    for (; i < text.size(); ++i) {
        if (IsDigit(text[i])) {
            digits = true;
        } else if (allowPoint && !point && text[i] == '.') {
            point = true;
        } else {
            break;
        }
    }
    return digits ? text.substr(start, i - start) : std::string_view{};
}

}  // namespace

double ReadReal(std::string_view text) {
    const std::string_view span = NumberSpan(text, true);
    return span.empty() ? 0.0 : platform::ParseLeadingReal(span);
}

int ReadCount(std::string_view text) {
    const std::string_view span = NumberSpan(text, false);
    if (span.empty()) return 0;
    const long long v = platform::ParseLeadingInt(span);
    return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

std::optional<double> RealWord(std::string_view line, char letter, size_t from) {
    const size_t at = FindText(line, std::string_view(&letter, 1), from);
    if (at == std::string_view::npos) return std::nullopt;
    return ReadReal(line.substr(at + 1));
}

std::optional<int> CountWord(std::string_view line, char letter, size_t from) {
    const size_t at = FindText(line, std::string_view(&letter, 1), from);
    if (at == std::string_view::npos) return std::nullopt;
    return ReadCount(line.substr(at + 1));
}

std::string_view Tail(std::string_view text, size_t pos) {
    return pos < text.size() ? text.substr(pos) : std::string_view{};
}

std::string_view TrimLeft(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    return text.substr(i);
}

std::vector<std::string_view> SplitTokens(std::string_view text, std::string_view delimiters) {
    std::vector<std::string_view> tokens;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && delimiters.find(text[i]) != std::string_view::npos) ++i;
        const size_t start = i;
        while (i < text.size() && delimiters.find(text[i]) == std::string_view::npos) ++i;
        if (i > start) tokens.push_back(text.substr(start, i - start));
    }
    return tokens;
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
    if (from.empty()) return std::string(text);
    std::string out;
    out.reserve(text.size());
    size_t pos = 0;
    for (;;) {
        const size_t at = FindText(text, from, pos);
        if (at == std::string_view::npos) break;
        out.append(text.substr(pos, at - pos));
        out.append(to);
        pos = at + from.size();
    }
    out.append(text.substr(pos));
    return out;
}

std::string Real(double value, int decimals) {
    return platform::FormatReal(value, decimals);
}

std::string Int(long long value) {
    return platform::FormatInt(value);
}

const CNcReadInfo& SettingsOf(const CNcRead& reader) {
    static const CNcReadInfo defaults;
    return reader.Settings ? *reader.Settings : defaults;
}

void InsertLine(CNcRead& reader, size_t at, std::string text, int mapValue) {
    auto& lines = reader.Lines.Mutable();
    auto& map = reader.LineMap;
    if (map.size() != lines.size()) map.resize(lines.size(), 0);
    at = std::min(at, lines.size());
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(text));
    map.insert(map.begin() + static_cast<std::ptrdiff_t>(at), mapValue);
}

}  // namespace ncconvert

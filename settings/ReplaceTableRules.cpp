// Line numbers and table names of the conversion-table dialogs.
#include "settings/ReplaceTableRules.h"

#include <algorithm>

#include "platform/Numbers.h"

namespace {

constexpr unsigned long long kMaxLine = 99999;

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

}  // namespace

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Lower(x) == Lower(y); });
}

std::string NormalizeLineNumber(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    unsigned long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = std::min<unsigned long long>(value * 10 + unsigned(text[i] - '0'), kMaxLine + 1);
    if (value == 0) return "1";
    // As an unsigned reading, a negative number lies above every line number.
    if (negative || value > kMaxLine) return "99999";
    return platform::FormatInt(static_cast<long long>(value));
}

std::string StepLineNumber(std::string_view text, int delta) {
    long long value = platform::ParseInt(NormalizeLineNumber(text)).value_or(1);
    if (delta > 0 && value < static_cast<long long>(kMaxLine)) ++value;
    if (delta <= 0 && value > 1) --value;
    return platform::FormatInt(value);
}

unsigned LeadingUnsigned(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    unsigned long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = std::min<unsigned long long>(value * 10 + unsigned(text[i] - '0'), 0xFFFFFFFFull);
    return static_cast<unsigned>(value);
}

TableNameCheck CheckTableName(std::string_view typed) {
    TableNameCheck c;
    size_t i = 0;
    while (i < typed.size() &&
           (typed[i] == ' ' || typed[i] == '\t' || typed[i] == '\r' || typed[i] == '\n'))
        ++i;
    c.name = std::string(typed.substr(i));
    // ".CTB" goes first, so a name that is then empty or begins with '.' is refused too.
    if (c.name.size() >= 4 &&
        SameNameIgnoringCase(std::string_view(c.name).substr(c.name.size() - 4), ".CTB"))
        c.name.resize(c.name.size() - 4);
    if (c.name.empty())
        c.message = 61598;
    else if (c.name.front() == '.' || c.name.find_first_of("\\/:*\"<>|?") != std::string::npos)
        c.message = 61608;
    return c;
}

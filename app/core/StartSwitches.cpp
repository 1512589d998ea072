// The program's start switches: instance number, interface language, process mode and file.
#include "app/core/StartSwitches.h"

#include <climits>

namespace {

// "-12", "+3", "7": an optional sign followed by at least one digit and nothing else.
bool IsWholeNumber(std::string_view text) {
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    if (i == text.size()) return false;
    for (; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9') return false;
    return true;
}

}  // namespace

int ReadLeadingInt(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' ||
                               text[i] == '\r' || text[i] == '\v' || text[i] == '\f'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    if (value > INT_MAX) value = INT_MAX;
    if (value < INT_MIN) value = INT_MIN;
    return static_cast<int>(value);
}

StartSwitches ParseStartSwitches(const std::vector<std::string>& args) {
    StartSwitches s;
    bool haveFile = false;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string_view a = args[i];
        if (a == "/JP") {
            s.Japanese = true;
        } else if (a == "/US") {
            s.English = true;
        } else if (a == "/n") {
            // "/n 3": the number may follow as its own argument.
            if (i + 1 < args.size() && IsWholeNumber(args[i + 1]))
                s.InstanceNumber = ReadLeadingInt(args[++i]);
            else
                s.InstanceNumber = 0;
        } else if (a.size() > 2 && a.substr(0, 2) == "/n" && IsWholeNumber(a.substr(2))) {
            s.InstanceNumber = ReadLeadingInt(a.substr(2));
        } else if (a.substr(0, 3) == "/m=") {
            s.HasProcessMode = true;
            s.ProcessMode = ReadLeadingInt(a.substr(3));
        } else if (!haveFile) {
            s.File = std::string(a);
            haveFile = true;
        } else {
            s.Ignored.emplace_back(a);
        }
    }
    return s;
}

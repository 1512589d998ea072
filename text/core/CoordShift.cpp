// The coordinate shift and ShiftLine.
#include "text/core/CoordShift.h"

#include <cmath>

#include "nc/machine/CNcReadInfo.h"
#include "platform/Cp932.h"
#include "platform/Numbers.h"
#include "platform/UserPrompt.h"
#include "text/core/NcLineClass.h"
#include "text/core/NcNumberFormat.h"
#include "text/core/NcOpsHost.h"
#include "text/core/NcOpsText.h"

namespace {

bool IsNumberChar(char c) {
    return c == '-' || c == '.' || (c >= '0' && c <= '9');
}

// The axis of the seven whose letter is c and that may be used; -1 none.
int AxisAt(const CNcReadInfo& s, const std::string& line, size_t at, bool apply) {
    const char c = line[at];
    const bool letterFollows = at + 1 < line.size() && line[at + 1] >= 'A' && line[at + 1] <= 'z';
    if (letterFollows) return -1;
    for (int k = 0; k < 7; ++k) {
        if (s.Axis[size_t(k)].empty() || s.Axis[size_t(k)][0] != c) continue;
        if (apply && s.Permit[size_t(k)] != 1) continue;
        return k;
    }
    return -1;
}

std::string WriteValue(double value, bool integerNotation, const CNcReadInfo& s) {
    const int zeroTimes = s.ZeroTimes > 0 ? s.ZeroTimes : 1;
    if (integerNotation && zeroTimes == 1) return platform::FormatInt(std::lround(value));
    return FormatNcNumber(value, s.NcFigure, s.ZeroSuppress == 0);
}

bool Contains(const std::string& text, const char* word) {
    return text.find(word) != std::string::npos;
}

// "G4" followed by anything but a digit (G04 is caught before): a dwell block.
bool IsDwell(const std::string& text) {
    if (Contains(text, "G04")) return true;
    for (size_t at = text.find("G4"); at != std::string::npos; at = text.find("G4", at + 1))
        if (at + 2 >= text.size() || text[at + 2] < '0' || text[at + 2] > '9') return true;
    return false;
}

// What a line of the range becomes: unchanged (skip), or shifted by ShiftLine in its whole
// text or after the given position, with a tail put back after it.
struct LinePlan {
    bool skip = true;
    size_t from = 0;   // the text before it is kept as it is (a macro call's head)
    std::string body;  // the text ShiftLine works on
    std::string tail;  // appended again afterwards
};

LinePlan PlanLine(const std::string& line, const CNcReadInfo& s) {
    LinePlan plan;
    std::string head = line;
    // a. The comment is set aside unless it is "(4)" or "(5)"; a " Dir " part goes with it.
    if (Contains(line, "(") && !Contains(line, "(4)") && !Contains(line, "(5)")) {
        const size_t open = platform::FindFirstSingle(line, '(');
        if (open != std::string::npos) {
            plan.tail = line.substr(open);
            head = line.substr(0, open);
        }
    }
    if (const size_t dir = head.find(" Dir "); dir != std::string::npos) {
        plan.tail = head.substr(dir) + plan.tail;
        head.resize(dir);
    }
    if (head.empty()) return plan;
    // b. Program numbers and G92 blocks.
    if (head[0] == 'O' || Contains(head, "G92")) return plan;
    // c. G52 only when allowed (then the other rules do not apply).
    if (Contains(head, "G52")) {
        if (s.G52Proc != 1) return plan;
    } else {
        // d. Shape definitions, call words.
        for (const char* word : {"G8.4", "G08.4", "G7.1", "G07.1"})
            if (Contains(head, word)) return plan;
        if (ContainsWord(head, s.Opt[0])) return plan;
        // e. Macro calls: only the text after the first blank behind the call word.
        if (ContainsWord(head, s.Opt[4])) {
            if (s.MacroProc != 1) return plan;
            const size_t blank = head.find(' ', head.find(s.Opt[4]) + s.Opt[4].size());
            if (blank == std::string::npos) return plan;
            plan.from = blank + 1;
        }
        // f. Dwell blocks.
        if (IsDwell(head)) return plan;
    }
    plan.skip = false;
    plan.body = std::move(head);
    return plan;
}

}  // namespace

bool WithinRotaryLimits(char letter, double value, int headType) {
    constexpr double kMargin = 1e-8;
    double limit = 0.0;
    if (letter == 'C')
        limit = headType == 0 ? 360.0 : 200.0;
    else if (letter == 'A')
        limit = headType == 0 ? 135.0 : 180.0;
    else
        return true;
    return value >= -limit - kMargin && value <= limit + kMargin;
}

int ShiftLine(std::string& line, const CNcReadInfo& settings, int apply, int* notation,
              int checkLimits, platform::UserPrompt* prompt) {
    const int zeroTimes = settings.ZeroTimes > 0 ? settings.ZeroTimes : 1;
    std::string out;
    out.reserve(line.size() + 16);
    size_t i = 0;
    while (i < line.size()) {
        const size_t length = platform::CharLength(line, i);
        const int axis = length == 1 ? AxisAt(settings, line, i, apply != 0) : -1;
        size_t end = i + 1;
        while (axis >= 0 && end < line.size() && IsNumberChar(line[end])) ++end;
        const std::string_view number(line.data() + i + 1, end - i - 1);
        // A letter without a number is left alone.
        if (axis < 0 || number.find_first_of("0123456789") == std::string_view::npos) {
            out.append(line, i, length);
            i += length;
            continue;
        }
        const bool point = number.find('.') != std::string_view::npos;
        double value = platform::ParseLeadingReal(number);
        out += line[i];
        if (apply) {
            if (!point && zeroTimes != 1) value /= zeroTimes;
            value += settings.Offset[size_t(axis)];
            if (checkLimits && !WithinRotaryLimits(line[i], value, settings.HeadType)) {
                ShowOpsMessage(prompt, 20091, platform::PromptIcon::Warning,
                               platform::PromptButtons::Ok);
                return 0;
            }
            out += WriteValue(value, !point, settings);
        } else if (notation) {
            *notation |= !point && std::fabs(value) >= 0.001 ? kNotationInteger : kNotationDecimal;
        }
        i = end;
    }
    const bool changed = out != line;
    line = std::move(out);
    return apply && changed ? 1 : 0;
}

int ShiftCoordinateLines(NcOpsHost& host, const CNcReadInfo& settings,
                         const std::vector<uint32_t>* numbers) {
    const int start = settings.StartLineNo;
    const int last = settings.EndLineNo;
    if (start < 1 || last < start) return 0;

    // The rows of the range, in order.
    std::vector<size_t> rows;
    const size_t count = host.Lines().size();
    for (size_t row = size_t(start - 1); row < count; ++row) {
        if (numbers) {
            const uint32_t n = row < numbers->size() ? (*numbers)[row] : 0;
            if (n > uint32_t(last)) break;
            if (n < uint32_t(start)) continue;
        } else if (row >= size_t(last)) {
            break;
        }
        rows.push_back(row);
    }

    const int zeroTimes = settings.ZeroTimes > 0 ? settings.ZeroTimes : 1;
    if (zeroTimes != 1) {
        int notation = 0;
        for (size_t row : rows) {
            LinePlan plan = PlanLine(host.Lines()[row], settings);
            if (plan.skip) continue;
            std::string body = plan.body.substr(plan.from);
            ShiftLine(body, settings, 0, &notation, 0);
        }
        if (notation == (kNotationInteger | kNotationDecimal) &&
            ShowOpsMessage(&host.Prompt(), 20074, platform::PromptIcon::Question,
                           platform::PromptButtons::YesNo) != platform::PromptAnswer::Yes)
            return -1;
    }

    int replaced = 0;
    for (size_t row : rows) {
        const std::string& line = host.Lines()[row];
        LinePlan plan = PlanLine(line, settings);
        if (plan.skip) continue;
        std::string body = plan.body.substr(plan.from);
        ShiftLine(body, settings, 1, nullptr, 0);
        std::string result = plan.body.substr(0, plan.from) + body + plan.tail;
        if (result == line) continue;
        host.ReplaceLine(row, std::move(result));
        ++replaced;
    }
    if (replaced) host.LinesChanged();
    return replaced;
}

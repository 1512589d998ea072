// The point-list converter: lines of comma-separated X, Y, Z numbers become G01 moves.
#include <array>

#include "nc/read/CNcRead.h"
#include "nc/read/convert/ConvertText.h"
#include "platform/Numbers.h"

using namespace ncconvert;

namespace {

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

}  // namespace

// A line whose first character (after its blanks) is a letter or one of / * ( : ; # is a
// comment or a command and stays. So does a line with fewer than three numbers, and a line
// one of whose first three fields does not read as a number: taking a stale value from an
// earlier line for it would move the point silently.
void CNcRead::ConvertPointList() {
    for (std::string& line : Lines.Mutable()) {
        const std::string_view copy = TrimLeft(line);
        if (copy.empty()) continue;
        const char first = copy[0];
        if (IsLetter(first) || std::string_view("/*(:;#").find(first) != std::string_view::npos) {
            continue;
        }
        const auto tokens = SplitTokens(copy, ",");
        if (tokens.size() < 3) continue;
        std::array<double, 3> xyz{};
        bool numbers = true;
        for (size_t k = 0; k < 3 && numbers; ++k) {
            size_t used = 0;
            xyz[k] = platform::ParseLeadingReal(tokens[k], &used);
            numbers = used > 0;
        }
        if (!numbers) continue;
        line = "G01X" + Real(xyz[0], 3) + "Y" + Real(xyz[1], 3) + "Z" + Real(xyz[2], 3);
    }
}

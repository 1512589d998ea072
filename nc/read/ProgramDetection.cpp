// Detection of the kind of an NC program (NC type) and of its JOB or main-program form.
#include "nc/read/ProgramDetection.h"

#include <algorithm>
#include <string_view>

#include "platform/Cp932.h"
#include "platform/Numbers.h"

namespace {

bool ContainsAny(std::string_view line, std::initializer_list<std::string_view> texts) {
    for (std::string_view t : texts) {
        if (platform::FindText(line, t) != std::string_view::npos) return true;
    }
    return false;
}

bool StartsWithAny(std::string_view line, std::initializer_list<std::string_view> texts) {
    for (std::string_view t : texts) {
        if (line.starts_with(t)) return true;
    }
    return false;
}

// Whether the line holds one of the punch pattern codes G25, G26, G27, G29, G66, G67, G70,
// G72, G78, G79: each 'G' is looked at once (every line of every program is tested).
bool HasPunchPatternCode(std::string_view line) {
    for (size_t at = line.find('G'); at != std::string_view::npos; at = line.find('G', at + 1)) {
        if (at + 2 >= line.size()) return false;
        const char a = line[at + 1], b = line[at + 2];
        if ((a == '2' && (b == '5' || b == '6' || b == '7' || b == '9')) ||
            (a == '6' && (b == '6' || b == '7')) ||
            (a == '7' && (b == '0' || b == '2' || b == '8' || b == '9')))
            return true;
    }
    return false;
}

// Whether the line holds one of the statements PR/, CM/, MC/, MN/, TR/, WK/, MA/, CL/, PZ/, BP/,
// UT/: each '/' is looked at once.
bool HasPunchStatement(std::string_view line) {
    static constexpr std::string_view kNames[] = {"PR", "CM", "MC", "MN", "TR", "WK",
                                                  "MA", "CL", "PZ", "BP", "UT"};
    for (size_t at = line.find('/'); at != std::string_view::npos; at = line.find('/', at + 1)) {
        if (at < 2) continue;
        const std::string_view name = line.substr(at - 2, 2);
        for (std::string_view n : kNames)
            if (name == n) return true;
    }
    return false;
}

// The type a line gives, or 0 when it matches no rule. stop is set by a process-information
// tag, which ends the pass at once.
int LineType(std::string_view line, NcDetectionPass pass, int current, bool& stop) {
    // Punch pattern codes: the number of the line's own address (atoi from the second
    // character) tells a sequence number below 100 from a program number such as O1234.
    if (HasPunchPatternCode(line)) {
        const long long n = platform::ParseLeadingInt(line.substr(1));
        return n < 100 ? 2 : current;
    }
    if (HasPunchStatement(line)) return 2;
    const char first = line.empty() ? '\0' : line[0];
    if ((first == 'T' || first == 'X' || first == 'P') &&
        StartsWithAny(line, {"TR1", "XX330", "XX310", "XX189", "XX140", "XX141", "PA;"})) {
        return 4;
    }
    if (pass == NcDetectionPass::B) {
        if (line == "PA") return 4;
        // Each tag holds '=': most lines are told apart by that alone.
        if (line.find('=') != std::string_view::npos &&
            ContainsAny(line, {"NcpProgram Version=\"1.0\"",
                               "ProcessInfo CutTechnology=", "Plan JobCode="})) {
            stop = true;
            return 5;
        }
    }
    return 0;
}

}  // namespace

int DetectNcType(const std::vector<std::string>& lines, NcDetectionPass pass) {
    int type = 1;
    for (const std::string& line : lines) {
        bool stop = false;
        const int t = LineType(line, pass, type, stop);
        if (t != 0) type = t;
        if (stop) break;
    }
    return type;
}

bool HasJobForm(const std::vector<std::string>& lines) {
    const size_t n = std::min(lines.size(), static_cast<size_t>(kJobFormLines));
    for (size_t i = 0; i < n; ++i) {
        if (ContainsAny(lines[i], {"System TL", "OriginSft", "SMove", "CMove"})) return true;
    }
    return false;
}

bool IsMainProgramName(const std::filesystem::path& ncFileName) {
    const std::string name = ncFileName.string();
    if (name.size() < 4) return false;
    std::string_view ext = std::string_view(name).substr(name.size() - 4);
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    const char want[] = ".mpf";
    for (int i = 0; i < 4; ++i) {
        if (lower(ext[i]) != want[i]) return false;
    }
    return true;
}

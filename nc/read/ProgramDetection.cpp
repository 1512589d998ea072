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

// The type a line gives, or 0 when it matches no rule. stop is set by a process-information
// tag, which ends the pass at once.
int LineType(std::string_view line, NcDetectionPass pass, int current, bool& stop) {
    // Punch pattern codes: the number of the line's own address (atoi from the second
    // character) tells a sequence number below 100 from a program number such as O1234.
    if (ContainsAny(line, {"G25", "G26", "G27", "G29", "G66", "G67", "G70", "G72", "G78", "G79"})) {
        const long long n = platform::ParseLeadingInt(line.substr(1));
        return n < 100 ? 2 : current;
    }
    if (ContainsAny(
            line, {"PR/", "CM/", "MC/", "MN/", "TR/", "WK/", "MA/", "CL/", "PZ/", "BP/", "UT/"})) {
        return 2;
    }
    if (StartsWithAny(line, {"TR1", "XX330", "XX310", "XX189", "XX140", "XX141", "PA;"})) {
        return 4;
    }
    if (pass == NcDetectionPass::B) {
        if (line == "PA") return 4;
        if (ContainsAny(line, {"NcpProgram Version=\"1.0\"",
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

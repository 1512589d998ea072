// The sub-program extraction.
#include "text/core/SubProgramExtract.h"

#include <algorithm>

#include "platform/Numbers.h"
#include "platform/Profile.h"
#include "text/core/NcBlockRange.h"

namespace {

constexpr const char* kSection = "ExtractSub";

// Blanks and tabs off both ends.
std::string Trimmed(std::string_view s) {
    const size_t b = s.find_first_not_of(" \t");
    if (b == std::string_view::npos) return {};
    return std::string(s.substr(b, s.find_last_not_of(" \t") - b + 1));
}

std::string Padded(int number, int digits) {
    std::string text = platform::FormatInt(number < 0 ? -static_cast<long long>(number) : number);
    // A stored width beyond any program number's is no reason to write a huge line.
    digits = std::clamp(digits, 0, 32);
    if (int(text.size()) < digits) text.insert(0, size_t(digits) - text.size(), '0');
    if (number < 0) text.insert(0, 1, '-');
    return text;
}

// The SCC template with the argument: its first "%s" takes the argument as it stands; every
// other '%' is copied (the template is never a format).
std::string CallText(std::string_view scc, std::string_view callArg) {
    std::string out;
    bool done = false;
    for (size_t i = 0; i < scc.size(); ++i) {
        if (!done && scc[i] == '%' && i + 1 < scc.size() && scc[i + 1] == 's') {
            out += callArg;
            done = true;
            ++i;
            continue;
        }
        out += scc[i] == ':' ? '\n' : scc[i];
    }
    return out;
}

}  // namespace

ExtractSettings ExtractSettings::Read(const std::filesystem::path& machineFile) {
    ExtractSettings s;
    platform::ProfileFile file;
    file.Load(machineFile);
    s.FilePath = file.GetString(kSection, "FilePath", s.FilePath);
    s.Header = file.GetString(kSection, "Header", s.Header);
    s.Footer = file.GetString(kSection, "Footer", s.Footer);
    s.Scc = file.GetString(kSection, "SCC", s.Scc);
    s.PrgNoLen = file.GetInt(kSection, "PrgNoLen", s.PrgNoLen);
    return s;
}

bool ExtractSettings::WriteFilePath(const std::filesystem::path& machineFile,
                                    const std::string& folder) {
    return platform::WriteProfileString(kSection, "FilePath", folder, machineFile);
}

const std::vector<std::string_view>& TemplateKeywords() {
    static const std::vector<std::string_view> table = [] {
        std::vector<std::string_view> t = {
            "PGNO", "NN=", "NN",  "DMY", "DMY", "DMY",  "FNAM", "FNUM", "COM",  "FF",   "DMY",
            "MON",  "MO1", "MO2", "MOF", "CON", "CO1",  "CO2",  "COF",  "CCH",  "CC1",  "CC2",
            "SNO",  "WAT", "HZ",  "DUT", "OFS", "DATE", "TIME", "D",    "MSNO", "PNAM", "SHV1",
            "SHV2", "TT0", "TT1", "TT2", "TT3", "PIA",  "GUS",  "OFV",  "LPX",  "LPY",  "SUT",
            "PGN1", "GSP", "PIN", "OTH", "SBX", "SBY",  "SBN",  "FX1",  "FX2",  "FY1",  "FY2",
        };
        static const char* const kF[20] = {"F01", "F02", "F03", "F04", "F05", "F06", "F07",
                                           "F08", "F09", "F10", "F11", "F12", "F13", "F14",
                                           "F15", "F16", "F17", "F18", "F19", "F20"};
        for (const char* f : kF) t.push_back(f);
        for (std::string_view k :
             {"DMY",  "TC1",  "TC2",  "SNST",  "OFR",  "ATIZ",  "ATOZ",  "ATWS", "ATCL", "TT",
              "ALON", "ALOF", "AFAF", "AFBF",  "ATOC", "ATOT",  "ATST",  "CLTM", "CDWT", "AGLP",
              "LPDX", "LPDY", "FRX2", "FRX3",  "FRX4", "FRY2",  "FRY3",  "FRY4", "CO3",  "CO4",
              "FRX",  "FRY",  "FR",   "NCFN2", "NCFN", "FPLLX", "FPLLY", "F",    "KAA",  "KCC",
              "KCR",  "CF1",  "CF2",  "PCOM",  "PCD1", "PCD2",  "SCNT",  "NCFF", "MCNN", "MCNC",
              "MCNT", "OFT",  "KTK",  "TON1",  "TON2", "TON3",  "TPM1",  "TPM2", "TPM3", "TCM1",
              "TCM2", "TCM3", "TOF1", "TOF2",  "PGNM", "PNN",   "ATE1",  "ATE2", "LASX", "LASY",
              "PIR",  "PIZ",  "NOT1", "NOT2",  "USR",  "PCS",   "PCE",   "ORX",  "ORY",  "PST",
              "PIL",  "OFU",  "NS=",  "ECLT",  "EDWT", "SBA",   "MAT",   "THK",  "SCC"})
            t.push_back(k);
        return t;
    }();
    return table;
}

std::string ExpandTemplate(std::string_view tmpl, int programNumber, int prgNoLen,
                           std::string_view scc, std::string_view callArg) {
    const std::vector<std::string_view>& table = TemplateKeywords();
    std::string out;
    size_t i = 0;
    while (i < tmpl.size()) {
        const char c = tmpl[i];
        if (c != '{') {
            out += c == ':' ? '\n' : c;
            ++i;
            continue;
        }
        if (i + 1 == tmpl.size()) break;  // a '{' at the very end ends the expansion
        size_t close = tmpl.find('}', i + 1);
        if (close == std::string_view::npos) close = tmpl.size();
        const std::string_view keyword = tmpl.substr(i + 1, close - i - 1);
        i = close + 1;
        for (size_t k = 0; k < table.size(); ++k) {
            if (keyword.substr(0, table[k].size()) != table[k]) continue;
            if (table[k] == "PGNO" || table[k] == "PGN1")
                out += Padded(programNumber, prgNoLen);
            else if (table[k] == "SCC" && !callArg.empty())
                out += CallText(scc, callArg);
            break;
        }
    }
    std::replace(out.begin(), out.end(), ':', '\n');
    return out;
}

bool FindSubProgram(const std::vector<std::string>& lines, int row, char mainLetter, char subLetter,
                    SubProgramPart& part) {
    int first = 0, last = 0, info = 0;
    if (FindBlockRange(lines, kBlockSubProgram, row, mainLetter, subLetter, &first, &last, &info) !=
            1 ||
        first < 0 || last < first || size_t(last) >= lines.size())
        return false;
    part.First = first;
    part.Last = last;
    const std::string& head = lines[size_t(first)];
    part.ProposedName = Trimmed(std::string_view(head).substr(0, head.find('(')));
    part.ProgramNumber =
        head.size() > 1 ? int(platform::ParseLeadingInt(std::string_view(head).substr(1))) : 0;
    part.Body.assign(lines.begin() + first + 1, lines.begin() + last);
    return true;
}

std::string CallArgument(const std::vector<std::string>& lines) {
    for (size_t i = 0; i < lines.size() && i < 16; ++i) {
        const std::string& line = lines[i];
        if (line.find("M200") == std::string::npos) continue;
        const size_t open = line.find('(');
        const size_t close = line.find(')');
        if (open == std::string::npos || close == std::string::npos || close < open) return {};
        return line.substr(open + 1, close - open - 1);
    }
    return {};
}

std::filesystem::path WithDocumentExtension(const std::filesystem::path& chosen,
                                            const std::string& documentPath) {
    if (chosen.filename().string().find('.') != std::string::npos) return chosen;
    const std::string name = std::filesystem::path(documentPath).filename().string();
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos) return chosen;
    return std::filesystem::path(chosen.string() + name.substr(dot));
}

std::string SubProgramFileText(const std::string& header, const std::vector<std::string>& body,
                               const std::string& footer) {
    std::string out;
    auto lines = [&out](std::string_view text) {
        size_t start = 0;
        for (;;) {
            const size_t end = text.find('\n', start);
            out += text.substr(start, end == std::string_view::npos ? end : end - start);
            out += "\r\n";
            if (end == std::string_view::npos) break;
            start = end + 1;
        }
    };
    lines(header);
    for (const std::string& line : body) {
        out += line;
        out += "\r\n";
    }
    lines(footer);
    return out;
}

int ClampProgramNumber(std::string_view text) {
    size_t i = text.find_first_not_of(" \t");
    if (i == std::string_view::npos) return 1;
    bool negative = false;
    if (text[i] == '-' || text[i] == '+') negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = std::min(value * 10 + (text[i] - '0'), 1000000000LL);
    if (negative) value = -value;
    return int(std::clamp(value, 1LL, 9999LL));
}

// The outside NC checker's contract: finding it, its exit codes and its error list.
#include "text/core/NcOutsideCheck.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <vector>

#include "platform/FileRead.h"
#include "platform/UserPrompt.h"
#include "text/core/NcOpsText.h"

namespace fs = std::filesystem;

namespace {

using Row = std::array<std::string, 4>;

std::string_view Trim(std::string_view s, std::string_view set) {
    const size_t b = s.find_first_not_of(set);
    if (b == std::string_view::npos) return {};
    const size_t e = s.find_last_not_of(set);
    return s.substr(b, e - b + 1);
}

std::string Field(std::string_view text) {
    return std::string(Trim(Trim(text, " \t"), "\""));
}

Row ParseRow(std::string_view line) {
    Row row;
    size_t start = 0;
    for (size_t f = 0; f < 4; ++f) {
        if (start > line.size()) break;
        size_t end = line.find(',', start);
        if (end == std::string_view::npos) end = line.size();
        std::string_view text = line.substr(start, end - start);
        if (f == 2) {
            const size_t colon = text.find(':');
            if (colon != std::string_view::npos) text.remove_prefix(colon + 1);
        }
        row[f] = Field(text);
        start = end + 1;
    }
    return row;
}

void Pad(std::string& out, const std::string& text, size_t width, bool right) {
    const size_t fill = width > text.size() ? width - text.size() : 0;
    if (right) out.append(fill, ' ');
    out += text;
    if (!right) out.append(fill, ' ');
}

// The folder named by an environment variable; empty when it is unset or empty.
fs::path FolderOf(const char* variable) {
    const char* value = std::getenv(variable);
    return value && *value ? fs::path(value) : fs::path();
}

}  // namespace

fs::path FindOutsideChecker() {
    const fs::path folder = FolderOf("RERERAZOVU");
    if (folder.empty()) return {};
    for (const char* name : {"ZoroDodar06A", "ZoroDodar06A.exe"}) {
        std::error_code ec;
        const fs::path file = folder / name;
        if (fs::is_regular_file(file, ec)) return file;
    }
    return {};
}

int CheckerResult(int exitStatus, bool crashed) {
    if (crashed) return -5;
    const int status = exitStatus & 0xFF;
    return status >= 128 ? status - 256 : status;
}

std::string FormatErrorList(std::string_view csv) {
    std::vector<Row> rows;
    rows.push_back({OpsTextCp932(20078), OpsTextCp932(20079), OpsTextCp932(20080), " "});
    bool first = true;
    size_t start = 0;
    while (start < csv.size()) {
        size_t end = csv.find('\n', start);
        if (end == std::string_view::npos) end = csv.size();
        std::string_view line = csv.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (first) {  // the file's own header
            first = false;
            continue;
        }
        if (line.empty()) continue;
        rows.push_back(ParseRow(line));
    }
    std::array<size_t, 4> width{};
    for (const Row& r : rows)
        for (size_t f = 0; f < 4; ++f) width[f] = std::max(width[f], r[f].size());
    std::string out;
    for (const Row& r : rows) {
        Pad(out, r[0], width[0], true);
        out += ", ";
        Pad(out, r[1], width[1], true);
        out += ", ";
        Pad(out, r[2], width[2], false);
        out += " , ";
        Pad(out, r[3], width[3], false);
        out += "\r\n";
    }
    return out;
}

int ReadErrorList(std::string& report, platform::UserPrompt* prompt) {
    const fs::path folder = FolderOf("ZEDOVIR");
    if (folder.empty()) return 0;
    const fs::path file = folder / "ProgError.csv";
    platform::FileReadResult read = platform::ReadRegularFile(file, platform::kSettingsFileLimit);
    if (!read.ok()) {
        ShowOpsMessage(prompt, 29501, platform::PromptIcon::Warning, platform::PromptButtons::Ok,
                       {file.string()});
        return 0;
    }
    report += FormatErrorList(read.bytes);
    return 1;
}

std::string OutsideCheckReport(int result, const std::string& docPath,
                               platform::UserPrompt* prompt) {
    std::string report;
    if (result == 0) {
        report = OpsTextCp932(61564) + "\r\n";
    } else if (result > 0) {
        ReadErrorList(report, prompt);
    } else if (result == -1) {
        report = OpsTextCp932(20082, {docPath}) + "\r\n";
    } else if (result == -5) {
        report = OpsTextCp932(20077) + "\r\n";
    }
    return report;
}

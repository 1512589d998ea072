// Line, field and file helpers of the die files.
#include "nc/machine/DieFileIo.h"

#include <fstream>
#include <iterator>
#include <system_error>

#include "kernel/util/FileUtil.h"
#include "platform/Cp932.h"
#include "platform/FileRead.h"
#include "platform/Numbers.h"

namespace diefile {

namespace {
bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}
}  // namespace

bool ReadLines(const std::filesystem::path& file, std::string& storage,
               std::vector<std::string_view>& lines) {
    lines.clear();
    // A folder or a device (a name pointing at /dev/zero) is no die file: regular files only,
    // read with a size bound.
    platform::FileReadResult read = platform::ReadRegularFile(file, platform::kSettingsFileLimit);
    if (!read.ok()) return false;
    storage = std::move(read.bytes);
    std::string_view rest(storage);
    while (!rest.empty()) {
        size_t nl = rest.find('\n');
        std::string_view line = rest.substr(0, nl);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        if (nl == std::string_view::npos) break;
        rest.remove_prefix(nl + 1);
    }
    return true;
}

bool IsSkipped(std::string_view line) {
    if (!line.empty() && line.front() == ';') return true;
    for (char c : line)
        if (!IsSpace(c)) return false;
    return true;
}

void SplitTokens(std::string_view line, std::string_view delimiters,
                 std::vector<std::string_view>& out) {
    out.clear();
    size_t i = 0;
    while (i < line.size()) {
        i = line.find_first_not_of(delimiters, i);
        if (i == std::string_view::npos) break;
        size_t j = line.find_first_of(delimiters, i);
        if (j == std::string_view::npos) j = line.size();
        out.push_back(line.substr(i, j - i));
        i = j;
    }
}

void SplitFields(std::string_view line, char delimiter, std::vector<std::string_view>& out) {
    out.clear();
    size_t i = 0;
    for (;;) {
        size_t j = line.find(delimiter, i);
        if (j == std::string_view::npos) {
            out.push_back(line.substr(i));
            return;
        }
        out.push_back(line.substr(i, j - i));
        i = j + 1;
    }
}

std::string Word(std::string_view field) {
    size_t i = 0;
    while (i < field.size() && IsSpace(field[i])) ++i;
    size_t j = i;
    while (j < field.size() && !IsSpace(field[j])) ++j;
    return std::string(field.substr(i, j - i));
}

std::string_view Trim(std::string_view field) {
    while (!field.empty() && IsSpace(field.front())) field.remove_prefix(1);
    while (!field.empty() && IsSpace(field.back())) field.remove_suffix(1);
    return field;
}

long long LeadingInt(std::string_view field, bool* ok) {
    size_t used = 0;
    long long v = platform::ParseLeadingInt(field, &used);
    if (ok) *ok = used > 0;
    return v;
}

double LeadingReal(std::string_view field, bool* ok) {
    size_t used = 0;
    double v = platform::ParseLeadingReal(field, &used);
    if (ok) *ok = used > 0;
    return v;
}

void CutText(std::string& text, size_t max) {
    if (text.size() <= max) return;
    size_t i = 0;
    while (i < max) {
        size_t step = platform::CharLength(text, i);
        if (i + step > max) break;
        i += step;
    }
    text.resize(i);
}

std::string PadLeft(std::string_view text, size_t width) {
    std::string out;
    if (text.size() < width) out.assign(width - text.size(), ' ');
    out.append(text);
    return out;
}

std::string PadRight(std::string_view text, size_t width) {
    std::string out(text);
    if (out.size() < width) out.append(width - out.size(), ' ');
    return out;
}

int WriteFileAtomically(const std::filesystem::path& file, std::string_view text) {
    std::filesystem::path dir = file.parent_path();
    if (dir.empty()) dir = ".";
    std::error_code ec;
    if (!std::filesystem::is_directory(dir, ec)) return -1;
    return WriteGlobalToFile(text, file) == 1 ? 0 : -4;
}

}  // namespace diefile

// Line, field and file helpers of the die files.
#include "nc/machine/DieFileIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "platform/Numbers.h"

namespace diefile {

namespace {
bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}
bool IsLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}
}  // namespace

bool ReadLines(const std::filesystem::path& file, std::string& storage,
               std::vector<std::string_view>& lines) {
    lines.clear();
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    storage.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) return false;
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

std::string QuotedOrWord(std::string_view field) {
    size_t q = field.find('"');
    if (q == std::string_view::npos) return Word(field);
    std::string_view rest = field.substr(q + 1);
    return std::string(rest.substr(0, rest.find('"')));
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
        size_t step = IsLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
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
    std::string tmpl = (dir / ("." + file.filename().string() + ".XXXXXX")).string();
    int fd = ::mkstemp(tmpl.data());
    if (fd < 0) return -1;
    const char* p = text.data();
    size_t left = text.size();
    bool ok = true;
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n <= 0) {
            ok = false;
            break;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    // Keep the permissions of the file being replaced; a new one gets 0666 less the umask.
    struct stat st {};
    if (ok && ::stat(file.c_str(), &st) == 0) {
        ::fchmod(fd, st.st_mode & 07777);
    } else if (ok) {
        mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
    if (ok && ::fsync(fd) != 0) ok = false;
    if (::close(fd) != 0) ok = false;
    if (ok && std::rename(tmpl.c_str(), file.c_str()) != 0) ok = false;
    if (!ok) {
        std::remove(tmpl.c_str());
        return -4;
    }
    return 0;
}

}  // namespace diefile

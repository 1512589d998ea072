// Temporary files named after their owner process, and the sweep of those whose owner ended.
#include "platform/OwnedTempFiles.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include "platform/Paths.h"

namespace platform {

namespace fs = std::filesystem;

namespace {

constexpr size_t kRandomChars = 6;  // mkstemp's "XXXXXX"

std::optional<unsigned long long> ParseNumber(std::string_view text) {
    unsigned long long v = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return v;
}

// True when the owner named in a file still runs.
bool OwnerRuns(long pid, unsigned long long start) {
    if (std::optional<unsigned long long> now = ProcessStartTime(pid))
        return start == 0 || *now == start;
    // Without /proc only the id can be asked about.
    if (!ProcessStartTime(static_cast<long>(::getpid())))
        return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
    return false;
}

}  // namespace

std::optional<unsigned long long> ProcessStartTime(long pid) {
    if (pid <= 0) return std::nullopt;
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat", std::ios::binary);
    if (!in) return std::nullopt;
    std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // The command name in parentheses may hold blanks and parentheses: fields count from the
    // last ')'. It is followed by field 3 (state); the start time is field 22.
    size_t at = stat.rfind(')');
    if (at == std::string::npos) return std::nullopt;
    std::string_view rest = std::string_view(stat).substr(at + 1);
    for (int field = 3; field <= 22; ++field) {
        size_t begin = rest.find_first_not_of(' ');
        if (begin == std::string_view::npos) return std::nullopt;
        rest.remove_prefix(begin);
        size_t end = rest.find(' ');
        std::string_view value = rest.substr(0, end);
        // A killed process nobody has reaped yet (a zombie) has ended all the same.
        if (field == 3 && (value == "Z" || value == "X" || value == "x")) return std::nullopt;
        if (field == 22) return ParseNumber(value);
        if (end == std::string_view::npos) return std::nullopt;
        rest.remove_prefix(end);
    }
    return std::nullopt;
}

fs::path OwnedTempFolder() {
    const fs::path folder = TempFolder() / ("morvalen-" + std::to_string(::geteuid()));
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return {};
    // A folder another user made first (the name is predictable) is not ours to use.
    struct stat st;
    if (::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid() ||
        (st.st_mode & 077) != 0)
        return {};
    return folder;
}

std::optional<fs::path> CreateOwnedTempFile(std::string_view prefix) {
    const fs::path folder = OwnedTempFolder();
    if (folder.empty()) return std::nullopt;
    const long pid = static_cast<long>(::getpid());
    const unsigned long long start = ProcessStartTime(pid).value_or(0);
    std::string name(prefix);
    name += std::to_string(pid) + "-" + std::to_string(start) + "-";
    std::optional<TempFile> file = TempFile::Create(folder, name);
    if (!file || !file->Close()) return std::nullopt;
    file->Keep();
    return file->Path();
}

fs::path CreateOwnedOrPlainTempFile(std::string_view prefix) {
    if (std::optional<fs::path> owned = CreateOwnedTempFile(prefix)) return *owned;
    std::optional<TempFile> file = TempFile::Create(TempFolder(), prefix);
    if (!file || !file->Close()) return {};
    file->Keep();
    return file->Path();
}

int RemoveStaleOwnedTempFiles(std::string_view prefix) {
    const fs::path folder = OwnedTempFolder();
    if (folder.empty()) return 0;
    int removed = 0;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
        // "<pid>-<start>-XXXXXX"
        std::string_view rest = std::string_view(name).substr(prefix.size());
        const size_t dash1 = rest.find('-');
        const size_t dash2 = dash1 == std::string_view::npos ? dash1 : rest.find('-', dash1 + 1);
        if (dash2 == std::string_view::npos || rest.size() - dash2 - 1 != kRandomChars) continue;
        const std::optional<unsigned long long> pid = ParseNumber(rest.substr(0, dash1));
        const std::optional<unsigned long long> start =
            ParseNumber(rest.substr(dash1 + 1, dash2 - dash1 - 1));
        if (!pid || !start || *pid == 0 || *pid > 0x7fffffffULL) continue;
        if (OwnerRuns(static_cast<long>(*pid), *start)) continue;
        std::error_code rm;
        if (it->symlink_status(rm).type() == fs::file_type::regular && fs::remove(it->path(), rm))
            ++removed;
    }
    return removed;
}

}  // namespace platform

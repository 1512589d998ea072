// Old-style file list: formats, order, gathering and line texts.
#include "wepo/core/FileList.h"

#include <fnmatch.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>

#include "wepo/core/FileKind.h"

namespace wepo {

std::string FormatThousands(uint64_t value) {
    std::string digits = std::to_string(value);
    std::string out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i != 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

std::string FormatByteSize(uint64_t value) {
    if (value >= (uint64_t{1} << 30)) return std::to_string(value >> 30) + "GB";
    if (value >= (uint64_t{1} << 20)) return std::to_string(value >> 20) + "MB";
    if (value < 1024) return std::to_string(value) + "B";
    return std::to_string(value >> 10) + "KB";
}

namespace {
std::string_view ExtensionOf(std::string_view name) {
    size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
}
bool HasDot(std::string_view name) {
    return name.rfind('.') != std::string_view::npos;
}
int Sign(int v) {
    return v < 0 ? -1 : v > 0 ? 1 : 0;
}
}  // namespace

int CompareFileEntries(const FileEntry& a, const FileEntry& b, unsigned sortOptions) {
    int r = 0;
    if (r == 0 && (sortOptions & kSortName)) r = Sign(a.name.compare(b.name));
    if (r == 0 && (sortOptions & kSortExtension)) {
        bool ea = HasDot(a.name), eb = HasDot(b.name);
        if (!ea && !eb)
            r = 0;
        else if (!ea)
            r = -1;
        else if (!eb)
            r = 1;
        else
            r = Sign(ExtensionOf(a.name).compare(ExtensionOf(b.name)));
    }
    if (r == 0 && (sortOptions & kSortSize)) r = a.size < b.size ? -1 : a.size > b.size ? 1 : 0;
    if (r == 0 && (sortOptions & kSortDate)) {
        if (a.mtime != b.mtime)
            r = a.mtime < b.mtime ? -1 : 1;
        else if (a.mtimeNanoseconds != b.mtimeNanoseconds)
            r = a.mtimeNanoseconds < b.mtimeNanoseconds ? -1 : 1;
    }
    return (sortOptions & kSortReverse) ? -r : r;
}

bool MatchesAnyPattern(std::string_view name, const std::vector<std::string>& patterns) {
    std::string n(name);
    for (const std::string& p : patterns)
        if (::fnmatch(p.c_str(), n.c_str(), FNM_CASEFOLD) == 0) return true;
    return false;
}

std::vector<std::string> SplitPatterns(std::string_view filter) {
    std::vector<std::string> out;
    while (true) {
        size_t semi = filter.find(';');
        std::string_view one = filter.substr(0, semi);
        size_t a = one.find_first_not_of(' '), b = one.find_last_not_of(' ');
        if (a != std::string_view::npos) out.emplace_back(one.substr(a, b - a + 1));
        if (semi == std::string_view::npos) break;
        filter.remove_prefix(semi + 1);
    }
    return out;
}

void ReadFolderEntries(const std::string& folder, const std::vector<std::string>& patterns,
                       bool withComment, bool withFolders, size_t chunkSize,
                       const std::function<bool(std::vector<FileEntry>&&)>& chunk) {
    namespace fs = std::filesystem;
    std::vector<FileEntry> out;
    std::error_code ec;
    fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (name.empty() || name[0] == '.') continue;
        std::error_code typeError;
        bool isFolder = it->is_directory(typeError);
        if (isFolder ? !withFolders : !MatchesAnyPattern(name, patterns)) continue;
        FileEntry entry;
        entry.name = std::move(name);
        entry.folder = isFolder;
        // One stat per entry; a file gone by now keeps an empty record.
        struct stat st {};
        std::string path = it->path().string();
        if (::stat(path.c_str(), &st) == 0) {
            entry.size = isFolder ? 0 : static_cast<uint64_t>(st.st_size);
            entry.mtime = st.st_mtim.tv_sec;
            entry.mtimeNanoseconds = st.st_mtim.tv_nsec;
            if (withComment && !isFolder) {
                char comment[256];
                IdentifyFileKind(path.c_str(), comment, sizeof comment);
                entry.comment = comment;
            }
        }
        out.push_back(std::move(entry));
        if (out.size() >= chunkSize) {
            if (!chunk(std::move(out))) return;
            out.clear();
        }
    }
    if (!out.empty()) chunk(std::move(out));
}

std::vector<FileEntry> GatherFileEntries(const std::string& folder,
                                         const std::vector<std::string>& patterns,
                                         bool withComment) {
    std::vector<FileEntry> all;
    ReadFolderEntries(folder, patterns, withComment, false, 4096,
                      [&all](std::vector<FileEntry>&& part) {
                          all.insert(all.end(), std::make_move_iterator(part.begin()),
                                     std::make_move_iterator(part.end()));
                          return true;
                      });
    return all;
}

std::string FileListLine(const FileEntry& entry, unsigned displayOptions) {
    std::string line = entry.name;
    if (displayOptions & kShowSize) line += "\t" + FormatThousands(entry.size);
    if (displayOptions & (kShowDate | kShowTime)) {
        std::time_t t = static_cast<std::time_t>(entry.mtime);
        std::tm local{};
        localtime_r(&t, &local);
        char buffer[32];
        if (displayOptions & kShowDate) {
            int year = local.tm_year + 1900;
            std::snprintf(buffer, sizeof buffer, "\t%02d/%02d/%02d",
                          year >= 2000 ? year - 2000 : year - 1900, local.tm_mon + 1,
                          local.tm_mday);
            line += buffer;
        }
        if (displayOptions & kShowTime) {
            std::snprintf(buffer, sizeof buffer, "\t%02d:%02d:%02d", local.tm_hour, local.tm_min,
                          local.tm_sec);
            line += buffer;
        }
    }
    if (displayOptions & kShowComment) line += "\t" + entry.comment;
    return line;
}

}  // namespace wepo

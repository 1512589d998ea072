// File utilities of the engine.
#include "installer/engine/FileOps.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>

#include "platform/Paths.h"

namespace installer {

namespace fs = std::filesystem;

namespace {

char Lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool Match(std::string_view n, std::string_view p) {
    // Iterative wildcard match with one backtrack point for the last '*'.
    size_t i = 0, j = 0, star = std::string_view::npos, mark = 0;
    while (i < n.size()) {
        if (j < p.size() && (p[j] == '?' || Lower(p[j]) == Lower(n[i]))) {
            ++i;
            ++j;
        } else if (j < p.size() && p[j] == '*') {
            star = j++;
            mark = i;
        } else if (star != std::string_view::npos) {
            j = star + 1;
            i = ++mark;
        } else {
            return false;
        }
    }
    while (j < p.size() && p[j] == '*') ++j;
    return j == p.size();
}

}  // namespace

bool MatchPattern(std::string_view name, std::string_view pattern) {
    // "*.*" and "*." name every entry, as the Windows search does for names without a dot.
    if (pattern == "*.*" || pattern == "*") return true;
    if (Match(name, pattern)) return true;
    if (name.find('.') == std::string_view::npos && pattern.size() >= 2 &&
        pattern.substr(pattern.size() - 2) == ".*")
        return Match(name, pattern.substr(0, pattern.size() - 2));
    return false;
}

std::vector<FolderEntry> ListFolder(const fs::path& folder, std::string_view pattern) {
    std::vector<FolderEntry> out;
    std::error_code ec;
    fs::path f = folder.empty() ? fs::path(".") : folder;
    for (fs::directory_iterator it(f, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (name == "." || name == ".." || !MatchPattern(name, pattern)) continue;
        std::error_code sec;
        fs::file_status st = it->symlink_status(sec);
        FolderEntry e;
        e.Name = name;
        e.IsLink = fs::is_symlink(st);
        e.IsFolder = fs::is_directory(st);
        out.push_back(std::move(e));
    }
    std::sort(out.begin(), out.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.Name < b.Name; });
    return out;
}

bool IsFileExist(const fs::path& path) {
    if (path.empty()) return false;
    std::error_code ec;
    fs::file_status st = fs::status(path, ec);
    return !ec && fs::exists(st) && !fs::is_directory(st);
}

bool IsRealFolder(const fs::path& path) {
    std::error_code ec;
    return fs::is_directory(fs::symlink_status(path, ec));
}

std::optional<std::time_t> ModifiedSeconds(const fs::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return std::nullopt;
    return st.st_mtim.tv_sec;
}

bool CopyFileKeepTimes(const fs::path& source, const fs::path& target) {
    int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return false;
    struct stat st {};
    if (::fstat(in, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(in);
        return false;
    }
    auto tmp = platform::TempFile::CreateBeside(target);
    if (!tmp) {
        ::close(in);
        return false;
    }
    bool ok = true;
    std::string buf(1 << 20, '\0');
    for (;;) {
        ssize_t n = ::read(in, buf.data(), buf.size());
        if (n < 0) {
            ok = false;
            break;
        }
        if (n == 0) break;
        if (!tmp->Write(std::string_view(buf.data(), static_cast<size_t>(n)))) {
            ok = false;
            break;
        }
    }
    ::close(in);
    // Permission bits of the source plus owner write (the Windows copy cleared read-only).
    ok = ok && ::fchmod(tmp->Fd(), (st.st_mode & 0777) | S_IWUSR) == 0;
    timespec times[2] = {st.st_atim, st.st_mtim};
    ok = ok && ::futimens(tmp->Fd(), times) == 0;
    ok = ok && tmp->Close();
    ok = ok && ::rename(tmp->Path().c_str(), target.c_str()) == 0;
    if (ok) tmp->Keep();
    return ok;
}

fs::path NearestExistingFolder(const fs::path& path) {
    if (path.empty()) return {};
    std::error_code ec;
    fs::path p = path.lexically_normal();
    while (!p.empty()) {
        if (fs::is_directory(p, ec)) return p;
        fs::path parent = p.parent_path();
        if (parent == p) break;
        p = parent;
    }
    return {};
}

std::uint64_t FreeBytesAt(const fs::path& path) {
    if (!path.is_absolute()) return 0;
    fs::path f = NearestExistingFolder(path);
    struct statvfs sv {};
    if (f.empty() || ::statvfs(f.c_str(), &sv) != 0) return 0;
    return static_cast<std::uint64_t>(sv.f_bavail) * sv.f_frsize;
}

}  // namespace installer

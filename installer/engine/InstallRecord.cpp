// The install record: an append-only list on disk, a set in memory.
#include "installer/engine/InstallRecord.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <iterator>

#include "installer/engine/SetupPlatform.h"

namespace installer {

namespace fs = std::filesystem;

namespace {

std::string Escape(std::string_view s) {
    std::string out;
    for (char c : s) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out;
}

std::string Unescape(std::string_view s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size()) {
            char k = s[++i];
            out += k == 't' ? '\t' : k == 'n' ? '\n' : k;
        } else {
            out += s[i];
        }
    }
    return out;
}

}  // namespace

fs::path InstallRecord::File() const {
    return folder_.empty() ? fs::path() : fs::path(folder_ + name_);
}

void InstallRecord::Open(const std::string& folder, const std::string& name) {
    folder_ = folder;
    if (!folder_.empty() && folder_.back() != '/') folder_ += '/';
    name_ = name;
    files_.clear();
    folders_.clear();
    pending_.clear();
    if (folder_.empty()) return;
    std::ifstream in(File(), std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        size_t t1 = line.find('\t');
        if (t1 == std::string::npos) continue;
        std::string kind = line.substr(0, t1);
        size_t t2 = line.find('\t', t1 + 1);
        std::string key = Unescape(line.substr(t1 + 1, t2 == std::string::npos ? t2 : t2 - t1 - 1));
        if (kind == "F")
            files_.insert(key);
        else if (kind == "D")
            folders_.insert(key);
    }
}

std::string InstallRecord::KeyOf(const fs::path& path) const {
    fs::path p = NormalFolder(path);
    if (!folder_.empty() && IsSameOrBelow(p, folder_)) {
        fs::path rel = p.lexically_relative(NormalFolder(folder_));
        return rel == "." ? std::string() : rel.string();
    }
    return p.string();
}

fs::path InstallRecord::PathOf(const std::string& key) const {
    if (!key.empty() && key.front() == '/') return key;
    return NormalFolder(fs::path(folder_) / key);
}

void InstallRecord::AddFile(const fs::path& path) {
    if (folder_.empty()) return;
    std::string key = KeyOf(path);
    struct stat st {};
    long long size = 0, mtime = 0;
    if (::stat(path.c_str(), &st) == 0) {
        size = st.st_size;
        mtime = st.st_mtim.tv_sec;
    }
    files_.insert(key);
    Append("F\t" + Escape(key) + "\t" + std::to_string(size) + "\t" + std::to_string(mtime));
}

void InstallRecord::AddFolder(const fs::path& path) {
    if (folder_.empty()) return;
    std::string key = KeyOf(path);
    if (!folders_.insert(key).second) return;
    Append("D\t" + Escape(key));
}

bool InstallRecord::HasFile(const fs::path& path) const {
    return files_.count(KeyOf(path)) != 0;
}

bool InstallRecord::HasFolder(const fs::path& path) const {
    return folders_.count(KeyOf(path)) != 0;
}

void InstallRecord::Append(const std::string& line) {
    pending_ += line;
    pending_ += '\n';
    Flush();
}

void InstallRecord::Flush() {
    std::error_code ec;
    if (pending_.empty() || !fs::is_directory(folder_, ec)) return;
    int fd = ::open(File().c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) return;
    size_t done = 0;
    while (done < pending_.size()) {
        ssize_t n = ::write(fd, pending_.data() + done, pending_.size() - done);
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    ::close(fd);
    pending_.erase(0, done);
}

void InstallRecord::Remove() {
    std::error_code ec;
    if (!folder_.empty()) fs::remove(File(), ec);
    pending_.clear();
}

}  // namespace installer

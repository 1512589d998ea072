// The file-backed key store; every change runs under a file lock and is saved atomically.
#include "installer/engine/KeyStore.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "platform/Cp932.h"
#include "platform/Profile.h"

namespace installer {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kRoots[] = {"HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE", "HKEY_USERS",
                                       "HKEY_CLASSES_ROOT"};

std::string KeyOf(std::string_view name) {
    return name.empty() ? std::string("@") : std::string(name);
}

// Subkey paths as the registry takes them: no separators at either end.
std::string_view TrimSeparators(std::string_view s) {
    while (!s.empty() && s.front() == '\\') s.remove_prefix(1);
    while (!s.empty() && s.back() == '\\') s.remove_suffix(1);
    return s;
}

// An exclusive lock on the store's folder, held for one change (a lock on the file itself
// would be lost when the save renames a new file over it).
class StoreLock {
public:
    explicit StoreLock(const fs::path& folder) {
        std::error_code ec;
        fs::create_directories(folder, ec);
        fd_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd_ >= 0) ::flock(fd_, LOCK_EX);
    }
    ~StoreLock() {
        if (fd_ >= 0) ::close(fd_);  // closing releases the lock
    }
    StoreLock(const StoreLock&) = delete;
    StoreLock& operator=(const StoreLock&) = delete;

private:
    int fd_ = -1;
};

}  // namespace

bool KeyStore::IsRootName(std::string_view root) {
    for (std::string_view r : kRoots)
        if (r == root) return true;
    return false;
}

fs::path KeyStore::FileOf(std::string_view root) const {
    return folder_ / (std::string(root) + ".ini");
}

std::optional<std::string> KeyStore::GetString(std::string_view root, std::string_view subkey,
                                               std::string_view name) const {
    if (!IsRootName(root) || folder_.empty()) return std::nullopt;
    platform::ProfileFile p;
    p.Load(FileOf(root));
    return p.Get(TrimSeparators(subkey), KeyOf(name));
}

bool KeyStore::SetString(std::string_view root, std::string_view subkey, std::string_view name,
                         std::string_view value) {
    if (!IsRootName(root) || folder_.empty()) return false;
    // A line break would end the value's line and start a stray one.
    if (value.find_first_of("\r\n") != std::string_view::npos) return false;
    fs::path file = FileOf(root);
    StoreLock lock(folder_);
    platform::ProfileFile p;
    p.Load(file);
    p.Set(TrimSeparators(subkey), KeyOf(name), "\"" + std::string(value) + "\"");
    return p.Save(file);
}

bool KeyStore::DeleteTree(std::string_view root, std::string_view subkey) {
    if (!IsRootName(root) || folder_.empty()) return false;
    std::string key(TrimSeparators(subkey));
    if (key.empty()) return false;  // never the whole root
    fs::path file = FileOf(root);
    std::error_code ec;
    if (!fs::exists(file, ec)) return true;
    StoreLock lock(folder_);
    platform::ProfileFile p;
    if (!p.Load(file)) return false;
    bool changed = false;
    for (const std::string& s : p.SectionNames()) {
        bool below =
            platform::EqualsNoCase(s, key) ||
            (s.size() > key.size() && s[key.size()] == '\\' && platform::StartsWithNoCase(s, key));
        if (!below) continue;
        while (p.HasSection(s)) p.DeleteSection(s);
        changed = true;
    }
    if (!changed) return true;
    // A root without keys leaves no file behind.
    if (p.SectionNames().empty()) return fs::remove(file, ec) || !fs::exists(file, ec);
    return p.Save(file);
}

std::vector<std::string> KeyStore::Subkeys(std::string_view root) const {
    if (!IsRootName(root) || folder_.empty()) return {};
    platform::ProfileFile p;
    p.Load(FileOf(root));
    return p.SectionNames();
}

std::vector<std::pair<std::string, std::string>> KeyStore::Values(std::string_view root,
                                                                  std::string_view subkey) const {
    std::vector<std::pair<std::string, std::string>> out;
    if (!IsRootName(root) || folder_.empty()) return out;
    platform::ProfileFile p;
    p.Load(FileOf(root));
    std::string_view s = TrimSeparators(subkey);
    for (const std::string& k : p.KeyNames(s))
        if (auto v = p.Get(s, k)) out.emplace_back(k, *v);
    return out;
}

}  // namespace installer

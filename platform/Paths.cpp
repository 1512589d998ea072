// Folders from the XDG rules and /proc, temporary files from mkstemps.
#include "platform/Paths.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <system_error>
#include <vector>

#include "platform/Cp932.h"

namespace platform {

namespace fs = std::filesystem;

namespace {
std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return pw->pw_dir;
    return {};
}
}  // namespace

fs::path LocalDataFolder() {
    // The XDG rules ignore a relative value.
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg == '/') return fs::path(xdg);
    std::string home = HomeFolder();
    if (home.empty()) return {};
    return fs::path(home) / ".local" / "share";
}

std::optional<fs::path> ExecutablePath() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty()) return std::nullopt;
    return exe;
}

fs::path ProgramFolder() {
    auto exe = ExecutablePath();
    return exe ? exe->parent_path() : fs::path();
}

namespace {
int SyncFolder(const char* folder) {
    const int fd = ::open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return -1;
    const int r = ::fsync(fd);
    ::close(fd);
    return r;
}
}  // namespace

DiskSyncCalls& CurrentDiskSyncCalls() {
    static DiskSyncCalls calls{::fsync, ::rename, SyncFolder};
    return calls;
}

fs::path TempFolder() {
    std::error_code ec;
    fs::path tmp = fs::temp_directory_path(ec);
    return ec ? fs::path("/tmp") : tmp;
}

std::optional<TempFile> TempFile::Create(const fs::path& folder, std::string_view prefix,
                                         std::string_view suffix) {
    std::string name = (folder / std::string(prefix)).string();
    name += "XXXXXX";
    name += suffix;
    std::vector<char> buf(name.begin(), name.end());
    buf.push_back('\0');
    int fd = mkstemps(buf.data(), static_cast<int>(suffix.size()));
    if (fd < 0) return std::nullopt;
    return TempFile(fs::path(buf.data()), fd);
}

std::optional<TempFile> TempFile::CreateBeside(const fs::path& target, std::string_view suffix) {
    fs::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    std::optional<TempFile> temp = Create(folder, "." + target.filename().string() + ".", suffix);
    if (!temp && errno == ENAMETOOLONG) temp = Create(folder, ".Morv", suffix);
    return temp;
}

TempFile::TempFile(TempFile&& other) noexcept
    : path_(std::move(other.path_)), fd_(other.fd_), keep_(other.keep_) {
    other.fd_ = -1;
    other.keep_ = true;
    other.path_.clear();
}

TempFile& TempFile::operator=(TempFile&& other) noexcept {
    if (this != &other) {
        Discard();
        path_ = std::move(other.path_);
        fd_ = other.fd_;
        keep_ = other.keep_;
        other.fd_ = -1;
        other.keep_ = true;
        other.path_.clear();
    }
    return *this;
}

TempFile::~TempFile() {
    Discard();
}

void TempFile::Discard() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!keep_ && !path_.empty()) ::unlink(path_.c_str());
    path_.clear();
}

bool TempFile::Write(std::string_view bytes) {
    if (fd_ < 0) return false;
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(fd_, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

bool TempFile::Close() {
    if (fd_ < 0) return true;
    bool ok = CurrentDiskSyncCalls().syncFile(fd_) == 0;
    ok = ::close(fd_) == 0 && ok;
    fd_ = -1;
    return ok;
}

bool MayReplaceFile(const fs::path& file) {
    struct stat st;
    if (::stat(file.c_str(), &st) != 0) return errno == ENOENT;
    return (st.st_mode & 0222) != 0 && ::access(file.c_str(), W_OK) == 0;
}

fs::path FileToReplace(const fs::path& file) {
    std::error_code ec;
    if (!fs::is_symlink(file, ec)) return file;
    fs::path real = fs::weakly_canonical(file, ec);
    return ec ? file : real;
}

bool WriteFileAtomic(const fs::path& file, std::string_view bytes) {
    // The rename below would replace a read-only file as readily as any other.
    if (!MayReplaceFile(file)) return false;
    const fs::path path = FileToReplace(file);
    auto temp = TempFile::CreateBeside(path);
    return temp && temp->Write(bytes) && temp->CommitTo(path);
}

bool TempFile::CommitTo(const fs::path& target) {
    bool ok = !path_.empty();
    if (ok && fd_ >= 0) {
        mode_t mode;
        struct stat st;
        if (::stat(target.c_str(), &st) == 0) {
            mode = st.st_mode & 07777;
        } else {
            mode_t mask = ::umask(0);
            ::umask(mask);
            mode = 0666 & ~mask;
        }
        ok = ::fchmod(fd_, mode) == 0;
    }
    ok = Close() && ok;
    if (ok) ok = CurrentDiskSyncCalls().rename(path_.c_str(), target.c_str()) == 0;
    if (ok) {
        keep_ = true;
        path_.clear();
        // The rename lives in the folder: flushed, it survives a crash.
        const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
        (void)CurrentDiskSyncCalls().syncFolder(folder.c_str());
    } else {
        Discard();
    }
    return ok;
}

std::string ExtensionOf(std::string_view path) {
    size_t slash = path.rfind('/');
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) return {};
    return std::string(name.substr(dot));
}

bool HasExtensionNoCase(std::string_view path, std::string_view ext) {
    std::string have = ExtensionOf(path);
    if (!ext.empty() && ext.front() == '.') ext.remove_prefix(1);
    if (have.empty()) return false;
    return EqualsNoCase(std::string_view(have).substr(1), ext);
}

}  // namespace platform

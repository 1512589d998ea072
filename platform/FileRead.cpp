// Bounded reading of regular files.
#include "platform/FileRead.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace platform {

FileReadResult ReadRegularFile(const std::filesystem::path& file, std::size_t limit) {
    FileReadResult result;
    // Non-blocking, so that a pipe or a terminal device cannot hold the program at open.
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        result.status = errno == ENOENT || errno == ENOTDIR || errno == ENAMETOOLONG
                            ? FileReadStatus::Missing
                            : FileReadStatus::Unreadable;
        return result;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0) {
        ::close(fd);
        result.status = FileReadStatus::Unreadable;
        return result;
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        result.status = FileReadStatus::NotRegular;
        return result;
    }
    if (st.st_size < 0 || static_cast<unsigned long long>(st.st_size) > limit) {
        ::close(fd);
        result.status = FileReadStatus::TooLarge;
        return result;
    }
    // The size is a hint: the file may grow or shrink while it is read.
    std::string bytes;
    bytes.resize(static_cast<std::size_t>(st.st_size) + 1);
    std::size_t have = 0;
    for (;;) {
        if (have == bytes.size()) {
            if (bytes.size() > limit) break;
            bytes.resize(std::min(limit + 1, bytes.size() * 2));
        }
        const ssize_t n = ::read(fd, bytes.data() + have, bytes.size() - have);
        if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        if (n < 0) {
            ::close(fd);
            result.status = FileReadStatus::Unreadable;
            return result;
        }
        if (n == 0) break;
        have += static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (have > limit) {
        result.status = FileReadStatus::TooLarge;
        return result;
    }
    bytes.resize(have);
    result.status = FileReadStatus::Ok;
    result.bytes = std::move(bytes);
    return result;
}

bool ExistsButUnreadable(const std::filesystem::path& file) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return !(errno == ENOENT || errno == ENOTDIR || errno == ENAMETOOLONG);
    struct stat st;
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    ::close(fd);
    return !regular;
}

std::optional<FileStamp> StampOf(const std::filesystem::path& file) {
    struct stat st;
    if (::stat(file.c_str(), &st) != 0) return std::nullopt;
    const auto ns = [](const timespec& t) {
        return std::int64_t(t.tv_sec) * 1000000000LL + std::int64_t(t.tv_nsec);
    };
    return FileStamp{std::uint64_t(st.st_dev), std::uint64_t(st.st_ino), std::int64_t(st.st_size),
                     ns(st.st_mtim), ns(st.st_ctim)};
}

}  // namespace platform

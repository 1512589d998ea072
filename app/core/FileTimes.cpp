// Last-write times through open and fstat, so an unreadable file counts as missing.
#include "app/core/FileTimes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::optional<std::int64_t> GetLastWriteTime(const std::filesystem::path& file) {
    int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0;
    ::close(fd);
    if (!ok) return std::nullopt;
    return std::int64_t(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
}

int IsOutputOutdated(const std::filesystem::path& output, const std::filesystem::path& source) {
    auto out = GetLastWriteTime(output);
    if (!out) return 1;
    auto src = GetLastWriteTime(source);
    if (!src) return 0;
    return *out > *src ? 0 : 1;
}

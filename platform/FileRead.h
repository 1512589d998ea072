// Reading outside files whole: regular files only, and never more than a size bound.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace platform {

enum class FileReadStatus {
    Ok,
    Missing,     // no such file (or a folder on the way is missing)
    NotRegular,  // a folder, a device, a pipe or a socket
    Unreadable,  // exists but cannot be opened or read (permissions, input/output error)
    TooLarge,    // larger than the bound
};

struct FileReadResult {
    FileReadStatus status = FileReadStatus::Missing;
    std::string bytes;  // the whole file when status is Ok
    bool ok() const { return status == FileReadStatus::Ok; }
    // True when the file is there but gives no usable bytes: a caller that writes the file
    // back (settings) must then leave it alone.
    bool existsButUnusable() const { return !ok() && status != FileReadStatus::Missing; }
};

// Bounds of the readers: settings, die files, arrangements and tables are small; NC programs
// and drawings may be large but still fit in memory.
inline constexpr std::size_t kSettingsFileLimit = std::size_t(64) << 20;
inline constexpr std::size_t kDocumentFileLimit = std::size_t(1) << 31;

// Reads the file whole when it is a regular file (symbolic links followed) of at most limit
// bytes. Opening never blocks (a pipe is refused, not waited on) and a device is never read.
FileReadResult ReadRegularFile(const std::filesystem::path& file, std::size_t limit);

// True when something exists at the path that cannot be read as a regular file (a folder, a
// device, a file without read permission): such a file is never written over with defaults.
// Cheap: opens and examines the file without reading it.
bool ExistsButUnreadable(const std::filesystem::path& file);

// What tells one state of a file from another: writing it changes its change time (also when
// its size stays and its modification time is put back), putting another file in its place
// its identity.
struct FileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modified = 0;  // nanoseconds since the epoch
    std::int64_t changed = 0;   // likewise
    bool operator==(const FileStamp&) const = default;
};
// The stamp of the file the path reaches (symbolic links followed); nothing when it cannot be
// examined.
std::optional<FileStamp> StampOf(const std::filesystem::path& file);

}  // namespace platform

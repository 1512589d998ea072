// File utilities of the engine: name patterns, sorted folder listings, the file test, copies
// that keep times and permissions, modification times and free space.
#pragma once

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace installer {

// '*' any run of characters, '?' one character, letters without case; "*.*" matches every
// name, also names without a dot.
bool MatchPattern(std::string_view name, std::string_view pattern);

struct FolderEntry {
    std::string Name;
    bool IsFolder = false;  // a real folder; a link to a folder is not one
    bool IsLink = false;
};
// The entries of folder whose names match pattern, sorted by name (bytes), "." and ".."
// left out; empty when the folder cannot be listed.
std::vector<FolderEntry> ListFolder(const std::filesystem::path& folder,
                                    std::string_view pattern = "*");

// True when path names an existing file that is not a folder (links followed).
bool IsFileExist(const std::filesystem::path& path);
// True when path is a folder and not a link.
bool IsRealFolder(const std::filesystem::path& path);

// Last-write time in whole seconds since the epoch (UTC), nothing when it cannot be read.
std::optional<std::time_t> ModifiedSeconds(const std::filesystem::path& path);

// Copies source over target through a temporary file in the target's folder renamed over it
// (a running program is replaced safely; no half file is ever left). The copy keeps the
// source's modification time and permission bits and gains owner write. False when the
// source cannot be read or the target not written; the old target is then untouched.
bool CopyFileKeepTimes(const std::filesystem::path& source, const std::filesystem::path& target);

// Free bytes for an unprivileged user on the file system of path's nearest existing folder;
// 0 for a relative path or when it cannot be told.
std::uint64_t FreeBytesAt(const std::filesystem::path& path);
// The nearest existing folder of path (path itself when it is one); empty when none.
std::filesystem::path NearestExistingFolder(const std::filesystem::path& path);

}  // namespace installer

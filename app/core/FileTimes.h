// Last-write times of files and the up-to-date test of generated output.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

// The file's last-write time in nanoseconds since the epoch; nothing when the file cannot
// be opened for reading or its time cannot be read.
std::optional<std::int64_t> GetLastWriteTime(const std::filesystem::path& file);

// 1 when the output must be (re)made: it cannot be opened or its time cannot be read, or it
// is not newer than the source; 0 when it is newer, or when the source cannot be read.
int IsOutputOutdated(const std::filesystem::path& output, const std::filesystem::path& source);

// How the [Punch] names of a machine file reach the die and arrangement files: the one rule
// that the die loader, the punch page, the die dialogs and the write-back all follow.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace diefile {

// The file a die or arrangement name of machineFile reaches. An absolute name is that file. A
// relative one lies in the configuration folder, or, when it is not there but beside the
// machine file (a machine shipped in a folder of its own with its die files), beside the
// machine file. A relative machineFile is taken in the configuration folder; an empty one has
// no "beside". An empty name reaches nothing (empty path).
std::filesystem::path ResolveName(std::string_view name, const std::filesystem::path& configFolder,
                                  const std::filesystem::path& machineFile);

// The name to store in machineFile for file: previous when it reaches that same file from
// machineFile, so that a relative name stays relative while it holds; else file as it stands
// (absolute). A name written without this check (the name read from another machine file, or
// the absolute path of a file beside the machine made relative to the configuration folder)
// reaches another file, or none, once written.
std::string StoredName(const std::filesystem::path& file, std::string_view previous,
                       const std::filesystem::path& configFolder,
                       const std::filesystem::path& machineFile);

// Whether two spellings name the same file: equal once made lexically normal, or the same file
// on disk.
bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b);

}  // namespace diefile

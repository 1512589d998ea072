// File and folder tests, whole-file reads and writes, and path splitting for the kernel.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The bytes of a whole file, as read by ReadFileToGlobal and written by WriteGlobalToFile.
using GlobalBlock = std::vector<char>;

// 1 when path names an existing file that is not a folder (symbolic links followed), else 0
// (also for an empty path).
int IsFileExist(const std::filesystem::path& path);
// 1 when path names an existing folder, else 0.
int IsDirectoryExist(const std::filesystem::path& path);
// out = the absolute, lexically normal form of path (no link resolution); IsFileExist of it.
int GetFullPathExist(const std::filesystem::path& path, std::string& out);

// The whole file; nothing when it is missing, not a regular file (a folder, a device),
// unreadable, empty, or larger than platform::kDocumentFileLimit.
std::optional<GlobalBlock> ReadFileToGlobal(const std::filesystem::path& path);

// Writes block as the whole new content of path: 1 when every byte was written, else 0. An
// empty block writes nothing and gives 0. The bytes go to a temporary file in the same folder
// that is then renamed over path, so a failed write leaves the old file as it was. The
// permissions of an existing file are kept; a symbolic link is written through, not replaced.
int WriteGlobalToFile(std::string_view block, const std::filesystem::path& path);
int WriteGlobalToFile(const GlobalBlock& block, const std::filesystem::path& path);

// Splits path into folder (up to and including the last '/'), name and extension (from the
// last '.' of the last component, with the dot). Paths have no drive: drive, when given, is
// emptied. Null outputs are skipped. Returns 1.
int SplitPath(std::string_view path, std::string* drive, std::string* folder, std::string* name,
              std::string* extension);

// The characters file names may not hold, in the order they are tried.
inline constexpr std::string_view kFileNameChars = "\\/:;,*?\"<>|";
inline constexpr std::string_view kFileNameCharsBlank = "\\/:;,*?\"<>| ";

// Replaces every single-byte character of set in the first length bytes of text by
// replacement; both bytes of a CP932 double-byte character stay (its trail byte may be a
// backslash or a vertical bar). 1 when any byte was replaced, else 0.
int ReplaceCharsMbcs(char* text, size_t length, std::string_view set, char replacement);
// ReplaceCharsMbcs over the whole text with kFileNameChars / kFileNameCharsBlank and '_'.
int ReplaceFileNameChars(std::string& text);
int ReplaceFileNameCharsBlank(std::string& text);

// Reading text files as byte lines and writing files whole through a temporary file.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace textfile {

// The file's lines without their ends (LF or CR LF); with stopAtCtrlZ a Ctrl+Z byte ends the
// text, as the old text-mode readers of NC files did. Nothing when the file cannot be read.
std::optional<std::vector<std::string>> ReadLines(const std::filesystem::path& file,
                                                  bool stopAtCtrlZ = true);

// The lines of text, split as ReadLines splits a file.
std::vector<std::string> SplitLines(std::string_view text, bool stopAtCtrlZ = true);

// Writes bytes to a temporary file in the file's folder (mkstemp), flushes it and renames it
// over the file, so a failure never leaves half a file and keeps the old one. Keeps the
// permission bits of a file it replaces; a symbolic link is written through. False on any
// failure.
bool WriteAtomic(const std::filesystem::path& file, std::string_view bytes);

// Joins lines, each followed by CR LF.
std::string JoinCrLf(const std::vector<std::string>& lines);

}  // namespace textfile

// Reading a whole text or binary file into memory for the drawing readers and the DXF output.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

// The bytes of the file (an empty file gives an empty string); nothing when it cannot be read,
// is not a regular file (a folder, a device) or is larger than platform::kDocumentFileLimit.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

// Whole-file reading of drawings and templates: regular files only, with a size bound.
#include "kernel/io/ReadWholeFile.h"

#include "platform/FileRead.h"

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
    platform::FileReadResult read = platform::ReadRegularFile(path, platform::kDocumentFileLimit);
    if (!read.ok()) return std::nullopt;
    return std::move(read.bytes);
}

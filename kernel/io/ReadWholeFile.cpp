// Whole-file reading with std::ifstream.
#include "kernel/io/ReadWholeFile.h"

#include <fstream>
#include <iterator>

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return text;
}

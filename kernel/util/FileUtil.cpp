// File tests and whole-file I/O on std::filesystem; writes go through a renamed temporary file.
#include "kernel/util/FileUtil.h"

#include <fstream>
#include <system_error>

#include "platform/Cp932.h"
#include "platform/FileRead.h"
#include "platform/Paths.h"

namespace fs = std::filesystem;

int IsFileExist(const fs::path& path) {
    if (path.empty()) return 0;
    std::error_code ec;
    fs::file_status st = fs::status(path, ec);
    return !ec && fs::exists(st) && !fs::is_directory(st) ? 1 : 0;
}

int IsDirectoryExist(const fs::path& path) {
    if (path.empty()) return 0;
    std::error_code ec;
    return fs::is_directory(path, ec) && !ec ? 1 : 0;
}

int GetFullPathExist(const fs::path& path, std::string& out) {
    std::error_code ec;
    fs::path full = path.empty() ? fs::path() : fs::absolute(path, ec).lexically_normal();
    out = ec ? std::string() : full.string();
    return IsFileExist(out);
}

std::optional<GlobalBlock> ReadFileToGlobal(const fs::path& path) {
    // Regular files only (a device or a pipe is never read), within a bound.
    platform::FileReadResult read = platform::ReadRegularFile(path, platform::kDocumentFileLimit);
    if (!read.ok() || read.bytes.empty()) return std::nullopt;
    return GlobalBlock(read.bytes.begin(), read.bytes.end());
}

int WriteGlobalToFile(std::string_view block, const fs::path& file) {
    if (block.empty()) return 0;
    return platform::WriteFileAtomic(file, block) ? 1 : 0;
}

int WriteGlobalToFile(const GlobalBlock& block, const fs::path& path) {
    return WriteGlobalToFile(std::string_view(block.data(), block.size()), path);
}

int SplitPath(std::string_view path, std::string* drive, std::string* folder, std::string* name,
              std::string* extension) {
    size_t slash = path.rfind('/');
    std::string_view dir =
        slash == std::string_view::npos ? std::string_view() : path.substr(0, slash + 1);
    std::string_view file = slash == std::string_view::npos ? path : path.substr(slash + 1);
    size_t dot = file.rfind('.');
    std::string_view base = dot == std::string_view::npos ? file : file.substr(0, dot);
    std::string_view ext = dot == std::string_view::npos ? std::string_view() : file.substr(dot);
    if (drive) drive->clear();
    if (folder) folder->assign(dir);
    if (name) name->assign(base);
    if (extension) extension->assign(ext);
    return 1;
}

int ReplaceCharsMbcs(char* text, size_t length, std::string_view set, char replacement) {
    int replaced = 0;
    std::string_view view(text, length);
    // Walk from the start: whether a byte is a trail byte depends on every byte before it,
    // not only on its neighbour (in 81 81 5C the 5C is a real backslash).
    for (size_t i = 0; i < length;) {
        size_t n = platform::CharLength(view, i);
        if (n == 1 && set.find(text[i]) != std::string_view::npos) {
            text[i] = replacement;
            replaced = 1;
        }
        i += n;
    }
    return replaced;
}

int ReplaceFileNameChars(std::string& text) {
    return ReplaceCharsMbcs(text.data(), text.size(), kFileNameChars, '_');
}

int ReplaceFileNameCharsBlank(std::string& text) {
    return ReplaceCharsMbcs(text.data(), text.size(), kFileNameCharsBlank, '_');
}

// Byte-exact line reading and atomic whole-file writes.
#include "app/core/TextFile.h"

#include <algorithm>

#include "platform/FileRead.h"
#include "platform/Paths.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace textfile {

std::vector<std::string> SplitLines(std::string_view text, bool stopAtCtrlZ) {
    size_t eof = stopAtCtrlZ ? text.find('\x1a') : std::string_view::npos;
    if (eof != std::string_view::npos) text = text.substr(0, eof);
    std::vector<std::string> lines;
    // Counted first: a program of a million lines is not moved about while the list grows.
    lines.reserve(static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
    size_t pos = 0;
    while (pos < text.size()) {
        size_t lf = text.find('\n', pos);
        size_t end = lf == std::string_view::npos ? text.size() : lf;
        size_t cut = end;
        if (cut > pos && text[cut - 1] == '\r') --cut;
        lines.emplace_back(text.substr(pos, cut - pos));
        pos = lf == std::string_view::npos ? text.size() : lf + 1;
    }
    return lines;
}

std::optional<std::vector<std::string>> ReadLines(const std::filesystem::path& file,
                                                  bool stopAtCtrlZ) {
    platform::FileReadResult read = platform::ReadRegularFile(file, platform::kDocumentFileLimit);
    if (!read.ok()) return std::nullopt;
    return SplitLines(read.bytes, stopAtCtrlZ);
}

std::string JoinCrLf(const std::vector<std::string>& lines) {
    size_t size = 0;
    for (const auto& l : lines) size += l.size() + 2;
    std::string out;
    out.reserve(size);
    for (const auto& l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

bool WriteAtomic(const std::filesystem::path& target, std::string_view bytes) {
    return platform::WriteFileAtomic(target, bytes);
}

}  // namespace textfile

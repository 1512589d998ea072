// Byte-exact line reading and atomic whole-file writes.
#include "app/core/TextFile.h"

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
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return SplitLines(text, stopAtCtrlZ);
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
    // Through a symbolic link to the file it names: the link itself stays.
    std::filesystem::path file = target;
    std::error_code ec;
    if (std::filesystem::is_symlink(target, ec)) {
        std::filesystem::path real = std::filesystem::weakly_canonical(target, ec);
        if (!ec) file = real;
    }
    std::filesystem::path folder = file.parent_path();
    if (folder.empty()) folder = ".";
    std::string tmpl = (folder / ("." + file.filename().string() + ".XXXXXX")).string();
    int fd = ::mkstemp(tmpl.data());
    if (fd < 0) return false;
    bool ok = true;
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (ok && left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ok = false;
            break;
        }
        p += n;
        left -= size_t(n);
    }
    struct stat st {};
    mode_t mode = 0644;
    if (::stat(file.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (ok) ok = ::fchmod(fd, mode) == 0;
    if (ok) ok = ::fsync(fd) == 0;
    if (::close(fd) != 0) ok = false;
    if (ok) ok = ::rename(tmpl.c_str(), file.c_str()) == 0;
    if (!ok) ::unlink(tmpl.c_str());
    return ok;
}

}  // namespace textfile

// Shared pieces of the reader checks: whole-file helpers and a reader of fuzz input bytes.
// Standard library only: the fuzz targets and the normal regression tests both use them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace fuzzcheck {

// The readers take file names, so each input is written to a file first.
inline bool WriteBytes(const std::filesystem::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

inline std::string ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Takes an input apart into small choices and texts, front to back; past the end every
// choice is 0 and every text empty.
class InputBytes {
public:
    explicit InputBytes(std::string_view bytes) : rest_(bytes) {}

    bool Empty() const { return rest_.empty(); }
    unsigned char Byte() {
        if (rest_.empty()) return 0;
        const auto b = static_cast<unsigned char>(rest_.front());
        rest_.remove_prefix(1);
        return b;
    }
    // A text whose length (at most max) is given by the byte in front of it.
    std::string Text(size_t max) {
        const size_t n = std::min<size_t>(Byte() % (max + 1), rest_.size());
        std::string s(rest_.substr(0, n));
        rest_.remove_prefix(n);
        return s;
    }
    std::string Rest() {
        std::string s(rest_);
        rest_ = {};
        return s;
    }

private:
    std::string_view rest_;
};

}  // namespace fuzzcheck

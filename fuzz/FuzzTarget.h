// The libFuzzer side of a reader check: a scratch folder per process, and a finding for every
// check that reports a fault.
#pragma once

#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

namespace fuzz {

// A folder of this process, memory-backed when the system has one (the writers sync every
// file they replace), removed when the process ends normally.
inline const std::filesystem::path& ScratchFolder() {
    static const std::filesystem::path folder = [] {
        std::error_code ec;
        const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", ec)
                                               ? std::filesystem::path("/dev/shm")
                                               : std::filesystem::temp_directory_path();
        std::string tmpl = (base / "morvalen-fuzz-XXXXXX").string();
        if (!::mkdtemp(tmpl.data())) std::abort();
        return std::filesystem::path(tmpl);
    }();
    static const struct Remover {
        ~Remover() {
            std::error_code ec;
            std::filesystem::remove_all(folder, ec);
        }
    } remover;
    return folder;
}

inline const std::filesystem::path& TestData() {
    static const std::filesystem::path data(MORVALEN_TEST_DATA);
    return data;
}

inline std::string_view AsText(const uint8_t* data, size_t size) {
    return std::string_view(reinterpret_cast<const char*>(data), size);
}

// A fault a check reported: aborts, so that libFuzzer keeps the input as a finding.
inline void Report(const std::string& fault) {
    if (fault.empty()) return;
    std::fprintf(stderr, "reader check failed: %s\n", fault.c_str());
    std::abort();
}

}  // namespace fuzz

// Reading and writing whole files as bytes, and golden files, for tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace test {

// The whole file; empty when it cannot be read.
inline std::string ReadFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The file's lines without their line ends (LF or CR LF); none when it cannot be read.
inline std::vector<std::string> ReadLines(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// Writes text as the whole file, making its folder first.
inline void WriteFile(const std::filesystem::path& p, std::string_view text) {
    if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << text;
}

// The one switch of every golden file: with MORVALEN_UPDATE_GOLDENS set, a test writes its
// golden files anew instead of comparing them.
inline bool UpdatingGoldens() {
    return std::getenv("MORVALEN_UPDATE_GOLDENS") != nullptr;
}

// In an update run: writes actual as the golden file, fails the running test (a golden
// written by the code under test proves nothing until someone has reviewed it and run the
// tests again without the switch) and returns true, so the caller skips its comparison.
// Otherwise returns false and changes nothing.
inline bool UpdateGolden(const std::filesystem::path& golden, std::string_view actual) {
    if (!UpdatingGoldens()) return false;
    WriteFile(golden, actual);
    ADD_FAILURE() << "golden written anew: " << golden.string()
                  << " (review it, then run again without MORVALEN_UPDATE_GOLDENS)";
    return true;
}

}  // namespace test

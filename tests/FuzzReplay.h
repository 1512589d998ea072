// Replays the kept inputs of a reader check (tests/data/fuzz/<name>/) as a normal test.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "fuzz/checks/CheckSupport.h"

namespace test {

// Every file of the folder, sorted by name.
inline std::vector<std::filesystem::path> FuzzInputs(std::string_view name) {
    std::vector<std::filesystem::path> files;
    const std::filesystem::path folder = std::filesystem::path(MORVALEN_TEST_DATA) / "fuzz" / name;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// Runs the check on every kept input; each fault it reports fails the test with the file name.
inline void ReplayFuzzInputs(std::string_view name,
                             const std::function<std::string(std::string_view)>& check) {
    const auto files = FuzzInputs(name);
    EXPECT_FALSE(files.empty()) << "no kept inputs for " << name;
    for (const auto& file : files) {
        SCOPED_TRACE(file.filename().string());
        EXPECT_EQ(check(fuzzcheck::ReadBytes(file)), "");
    }
}

}  // namespace test

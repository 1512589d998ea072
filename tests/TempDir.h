// A temporary folder for one test, removed with everything in it afterwards.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>

namespace test {

class TempDir {
public:
    TempDir() {
        std::string tmpl =
            (std::filesystem::temp_directory_path() / "morvalen-test-XXXXXX").string();
        if (::mkdtemp(tmpl.data())) path_ = tmpl;
    }
    ~TempDir() {
        std::error_code ec;
        if (!path_.empty()) std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace test

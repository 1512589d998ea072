// The folder a folder tree selects for the path it is given.
#include "wepo/core/FolderSelect.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "TempDir.h"

namespace {

TEST(FolderSelectTest, TrailingSlashSelectsTheFolderItself) {
    test::TempDir dir;
    std::filesystem::create_directories(dir.path() / "dies/round");
    const std::string root = dir.path().string();
    struct Case {
        std::string path;
        std::string folder;
        bool expand;
    } cases[] = {
        {root + "/dies/round/", root + "/dies/round", false},
        {root + "/dies/round", root + "/dies", true},     // without '/': the folder above
        {root + "/dies/nothere/", root + "/dies", true},  // missing: the deepest existing one
        {root + "/dies/round/../round/", root + "/dies/round", false},
        {root + "//dies/", root + "/dies", false},  // "//" is an ordinary path
        {"/", "/", false},
        {"/nonexistent-folder-x/y/", "/", true},
        {"", "", false},
    };
    for (const Case& c : cases) {
        auto t = wepo::FolderSelectTarget(c.path);
        EXPECT_EQ(t.folder, c.folder) << c.path;
        EXPECT_EQ(t.expand, c.expand) << c.path;
    }
}

}  // namespace

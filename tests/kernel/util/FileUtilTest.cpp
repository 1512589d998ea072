// Tests of the file tests, whole-file I/O, path splitting and file-name cleaning.
#include "kernel/util/FileUtil.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {
fs::path Data(const char* name) {
    return fs::path(MORVALEN_TEST_DATA) / "kernel/util" / name;
}

// A fresh folder per test under the test temporary folder.
class FileUtilTest : public testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::path(testing::TempDir()) /
               ("mv_fileutil_" +
                std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(dir_);
    }
    std::string Read(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    fs::path dir_;
};
}  // namespace

TEST_F(FileUtilTest, FileAndFolderTests) {
    std::ofstream(dir_ / "a.dat") << "x";
    fs::create_symlink(dir_ / "a.dat", dir_ / "link.dat");
    fs::create_symlink(dir_ / "gone", dir_ / "dangling");
    struct Case {
        fs::path path;
        int file, folder;
    } cases[] = {
        {dir_ / "a.dat", 1, 0},    {dir_, 0, 1},
        {dir_ / "missing", 0, 0},  {dir_ / "link.dat", 1, 0},
        {dir_ / "dangling", 0, 0}, {"", 0, 0},
        {"C:\\x\\a.dat", 0, 0},  // a Windows drive path names nothing here
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsFileExist(c.path), c.file) << c.path;
        EXPECT_EQ(IsDirectoryExist(c.path), c.folder) << c.path;
    }
    std::string full;
    EXPECT_EQ(GetFullPathExist(dir_ / "sub/../a.dat", full), 1);
    EXPECT_EQ(full, (dir_ / "a.dat").string());
    EXPECT_EQ(GetFullPathExist(dir_ / "nope.dat", full), 0);
    EXPECT_EQ(full, (dir_ / "nope.dat").string());
}

TEST_F(FileUtilTest, ReadWholeFile) {
    auto die = ReadFileToGlobal(Data("die-v4.dat"));
    ASSERT_TRUE(die);
    std::string bytes(die->begin(), die->end());
    EXPECT_EQ(bytes, Read(Data("die-v4.dat")));
    EXPECT_NE(bytes.find("\r\n"), std::string::npos);  // CR LF kept as bytes

    std::ofstream(dir_ / "empty.dat");
    EXPECT_FALSE(ReadFileToGlobal(dir_ / "empty.dat"));
    EXPECT_FALSE(ReadFileToGlobal(dir_ / "missing.dat"));
    EXPECT_FALSE(ReadFileToGlobal(dir_));
}

TEST_F(FileUtilTest, WriteReplacesWholeFileAndKeepsOldOnFailure) {
    fs::path target = dir_ / "arr.ARR";
    std::ofstream(target) << "old contents";
    GlobalBlock block{'n', 'e', 'w', '\r', '\n', '\0', '\x95', '\x5C'};
    EXPECT_EQ(WriteGlobalToFile(block, target), 1);
    EXPECT_EQ(Read(target), std::string(block.begin(), block.end()));

    // Nothing to write: no change.
    EXPECT_EQ(WriteGlobalToFile(std::string_view(), target), 0);
    EXPECT_EQ(Read(target), std::string(block.begin(), block.end()));

    // A folder that cannot be written: 0, and the old file is still whole.
    if (geteuid() != 0) {
        fs::permissions(dir_, fs::perms::owner_write, fs::perm_options::remove);
        EXPECT_EQ(WriteGlobalToFile(std::string_view("x"), target), 0);
        fs::permissions(dir_, fs::perms::owner_write, fs::perm_options::add);
        EXPECT_EQ(Read(target), std::string(block.begin(), block.end()));
    }
    EXPECT_EQ(WriteGlobalToFile(std::string_view("x"), dir_ / "no/such/folder/a.dat"), 0);
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(FileUtilTest, WriteGoesThroughSymbolicLink) {
    fs::create_directories(dir_ / "real");
    std::ofstream(dir_ / "real/a.DAT") << "old";
    fs::create_symlink(dir_ / "real/a.DAT", dir_ / "a.DAT");
    EXPECT_EQ(WriteGlobalToFile(std::string_view("new"), dir_ / "a.DAT"), 1);
    EXPECT_TRUE(fs::is_symlink(dir_ / "a.DAT"));
    EXPECT_EQ(Read(dir_ / "real/a.DAT"), "new");
}

TEST(FileUtil, SplitPath) {
    struct Case {
        const char* path;
        const char* folder;
        const char* name;
        const char* ext;
    } cases[] = {
        {"/home/u/nc/A.NC", "/home/u/nc/", "A", ".NC"},
        {"/home/u/nc.d/prog", "/home/u/nc.d/", "prog", ""},
        {"a.tar.gz", "", "a.tar", ".gz"},
        {"/x/", "/x/", "", ""},
        {"/x/.hidden", "/x/", "", ".hidden"},
        {"", "", "", ""},
    };
    for (const Case& c : cases) {
        std::string drive = "keep", folder, name, ext;
        EXPECT_EQ(SplitPath(c.path, &drive, &folder, &name, &ext), 1);
        EXPECT_EQ(drive, "");
        EXPECT_EQ(folder, c.folder) << c.path;
        EXPECT_EQ(name, c.name) << c.path;
        EXPECT_EQ(ext, c.ext) << c.path;
    }
    std::string name;
    EXPECT_EQ(SplitPath("/a/b.c", nullptr, nullptr, &name, nullptr), 1);
    EXPECT_EQ(name, "b");
}

TEST(FileUtil, ReplaceFileNameChars) {
    struct Case {
        std::string text;
        bool blank;
        std::string expected;
        int result;
    } cases[] = {
        {"a/b:c", false, "a_b_c", 1},
        {"\\/:;,*?\"<>|", false, "___________", 1},
        {"a b", false, "a b", 0},
        {"a b", true, "a_b", 1},
        {"\x95\x5C", false, "\x95\x5C", 0},       // 表: trail byte 0x5C stays
        {"\x83\x7C|", false, "\x83\x7C_", 1},     // trail byte 0x7C stays, the real bar goes
        {"\x81\x81\x5C", false, "\x81\x81_", 1},  // 81 81 is a pair, so 5C is a backslash
        {"x\x81", false, "x\x81", 0},             // lone lead byte at the end
    };
    for (const Case& c : cases) {
        std::string text = c.text;
        int r = c.blank ? ReplaceFileNameCharsBlank(text) : ReplaceFileNameChars(text);
        EXPECT_EQ(text, c.expected) << c.text;
        EXPECT_EQ(r, c.result) << c.text;
    }
    char buf[] = "a/b/c";
    EXPECT_EQ(ReplaceCharsMbcs(buf, 2, "/", '-'), 1);  // only the first length bytes
    EXPECT_STREQ(buf, "a-b/c");
}

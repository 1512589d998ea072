// Bounded reading of regular files: folders, devices, pipes, links, size bounds, permissions.
#include "platform/FileRead.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <optional>

#include "TempDir.h"
#include "TestFiles.h"
#include "Unprivileged.h"

using namespace platform;
namespace fs = std::filesystem;

TEST(ReadRegularFile, OnlyRegularFilesWithinTheBound) {
    test::TempDir tmp;
    const fs::path d = tmp.path();
    test::WriteFile(d / "ten.txt", "0123456789");
    test::WriteFile(d / "empty.txt", "");
    fs::create_directories(d / "folder.ini");
    ASSERT_EQ(::mkfifo((d / "pipe.dat").c_str(), 0600), 0);
    fs::create_symlink(d / "ten.txt", d / "link.txt");
    fs::create_symlink("/dev/zero", d / "zero.dat");
    struct Case {
        fs::path file;
        size_t limit;
        FileReadStatus status;
        const char* bytes;
    } cases[] = {
        {d / "ten.txt", 10, FileReadStatus::Ok, "0123456789"},
        {d / "ten.txt", 9, FileReadStatus::TooLarge, ""},
        {d / "empty.txt", 0, FileReadStatus::Ok, ""},
        {d / "link.txt", 100, FileReadStatus::Ok, "0123456789"},
        {d / "missing.txt", 100, FileReadStatus::Missing, ""},
        {d / "missing" / "x.txt", 100, FileReadStatus::Missing, ""},
        {d / "folder.ini", 100, FileReadStatus::NotRegular, ""},
        {d / "pipe.dat", 100, FileReadStatus::NotRegular, ""},  // never waits for a writer
        {"/dev/zero", kSettingsFileLimit, FileReadStatus::NotRegular, ""},
        {d / "zero.dat", kSettingsFileLimit, FileReadStatus::NotRegular, ""},
    };
    for (const Case& c : cases) {
        const FileReadResult r = ReadRegularFile(c.file, c.limit);
        EXPECT_EQ(r.status, c.status) << c.file;
        EXPECT_EQ(r.bytes, c.bytes) << c.file;
        EXPECT_EQ(r.existsButUnusable(),
                  c.status != FileReadStatus::Ok && c.status != FileReadStatus::Missing)
            << c.file;
    }
}

TEST(ReadRegularFile, AFileWithoutReadPermissionIsUnreadable) {
    test::TempDir tmp;
    test::GiveToEveryone(tmp.path(), tmp.path().parent_path());
    const fs::path file = tmp.path() / "MV_System.ini";
    test::WriteFile(file, "[System]\r\n");
    fs::permissions(file, fs::perms::none);
    EXPECT_TRUE(test::RunUnprivileged([&] {
        return ReadRegularFile(file, kSettingsFileLimit).status == FileReadStatus::Unreadable;
    }));
}

// A file read again unchanged, or through a link, has the stamp it had; a file written or
// replaced has another.
TEST(StampOf, SameFileUnchangedOnly) {
    test::TempDir tmp;
    const fs::path d = tmp.path();
    const fs::path file = d / "pch.dat";
    test::WriteFile(file, "TITLE\r\n");
    fs::create_symlink(file, d / "link.dat");
    const std::optional<FileStamp> first = StampOf(file);
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(StampOf(file), first);
    EXPECT_EQ(StampOf(d / "link.dat"), first);
    EXPECT_EQ(StampOf(d / "missing.dat"), std::nullopt);

    std::ofstream(file, std::ios::binary | std::ios::app) << "*4.0\r\n";
    const std::optional<FileStamp> grown = StampOf(file);
    ASSERT_TRUE(grown.has_value());
    EXPECT_NE(grown, first);

    // Another file of the same bytes put in its place.
    test::WriteFile(d / "new.dat", test::ReadFile(file));
    fs::rename(d / "new.dat", file);
    const std::optional<FileStamp> replaced = StampOf(file);
    ASSERT_TRUE(replaced.has_value());
    EXPECT_NE(replaced, grown);
    EXPECT_EQ(replaced->size, grown->size);
}

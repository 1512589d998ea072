// Old-style file list: number formats, order, gathering and line texts.
#include "wepo/core/FileList.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "TempDir.h"

namespace fs = std::filesystem;

namespace {

TEST(FileListTest, FormatThousands) {
    struct Case {
        uint64_t value;
        const char* text;
    } cases[] = {{0, "0"},
                 {999, "999"},
                 {1000, "1,000"},
                 {12345, "12,345"},
                 {1234567, "1,234,567"},
                 {2147483648ULL, "2,147,483,648"},
                 {5000000000ULL, "5,000,000,000"}};
    for (const auto& c : cases) EXPECT_EQ(wepo::FormatThousands(c.value), c.text);
}

TEST(FileListTest, FormatByteSize) {
    struct Case {
        uint64_t value;
        const char* text;
    } cases[] = {{0, "0B"},
                 {1023, "1023B"},
                 {1024, "1KB"},
                 {2047, "1KB"},
                 {1048575, "1023KB"},
                 {1048576, "1MB"},
                 {4294967295ULL, "3GB"},
                 {5ULL << 30, "5GB"},
                 {2000ULL << 30, "2000GB"}};
    for (const auto& c : cases) EXPECT_EQ(wepo::FormatByteSize(c.value), c.text) << c.value;
}

std::vector<std::string> Sorted(std::vector<wepo::FileEntry> entries, unsigned options) {
    std::stable_sort(entries.begin(), entries.end(), [options](const auto& a, const auto& b) {
        return wepo::CompareFileEntries(a, b, options) < 0;
    });
    std::vector<std::string> names;
    for (const auto& e : entries) names.push_back(e.name);
    return names;
}

TEST(FileListTest, OrderForEachSortOption) {
    std::vector<wepo::FileEntry> entries = {
        {"b.nc", false, 300, 200, 0, ""}, {"A.dxf", false, 100, 300, 0, ""},
        {"c", false, 300, 100, 0, ""},    {"a.nc", false, 5000000000ULL, 100, 5, ""},
        {"d.", false, 1, 400, 0, ""},
    };
    using V = std::vector<std::string>;
    EXPECT_EQ(Sorted(entries, 0x1), (V{"A.dxf", "a.nc", "b.nc", "c", "d."}));
    EXPECT_EQ(Sorted(entries, 0x1 | 0x80), (V{"d.", "c", "b.nc", "a.nc", "A.dxf"}));
    // The name decides first when its bit is set; the other keys alone keep ties in order.
    EXPECT_EQ(Sorted(entries, 0x2 | 0x1), (V{"A.dxf", "a.nc", "b.nc", "c", "d."}));
    EXPECT_EQ(Sorted(entries, 0x2), (V{"c", "d.", "A.dxf", "b.nc", "a.nc"}));  // none, "", dxf, nc
    EXPECT_EQ(Sorted(entries, 0x4), (V{"d.", "A.dxf", "b.nc", "c", "a.nc"}));  // 64-bit sizes
    EXPECT_EQ(Sorted(entries, 0x8), (V{"c", "a.nc", "b.nc", "A.dxf", "d."}));  // then nanoseconds
    EXPECT_EQ(Sorted(entries, 0x4 | 0x8 | 0x80), (V{"a.nc", "b.nc", "c", "A.dxf", "d."}));
}

TEST(FileListTest, Patterns) {
    auto p = wepo::SplitPatterns("*.SPF; *.sef ;;x?.txt");
    EXPECT_EQ(p, (std::vector<std::string>{"*.SPF", "*.sef", "x?.txt"}));
    EXPECT_TRUE(wepo::MatchesAnyPattern("a.spf", p));
    EXPECT_TRUE(wepo::MatchesAnyPattern("B.SEF", p));
    EXPECT_TRUE(wepo::MatchesAnyPattern("X1.TXT", p));
    EXPECT_FALSE(wepo::MatchesAnyPattern("x12.txt", p));
    EXPECT_FALSE(wepo::MatchesAnyPattern("a.spf.bak", p));
    EXPECT_TRUE(wepo::MatchesAnyPattern(".hidden", {"*.*"}));
}

// Sets a file's size (sparse) and modification time.
void MakeFile(const fs::path& p, uint64_t size, std::time_t mtime) {
    std::ofstream(p).close();
    ASSERT_EQ(::truncate(p.c_str(), static_cast<off_t>(size)), 0);
    struct timeval times[2] = {{mtime, 0}, {mtime, 0}};
    ASSERT_EQ(::utimes(p.c_str(), times), 0);
}

std::time_t Local(int year, int month, int day, int hour, int minute, int second) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_isdst = -1;
    return std::mktime(&t);
}

TEST(FileListTest, GatherAndLineTexts) {
    test::TempDir dir;
    MakeFile(dir.path() / "big.dxf", 5000000000ULL, Local(2024, 5, 17, 9, 5, 3));  // above 4 GiB
    MakeFile(dir.path() / "old.DXF", 1234, Local(1999, 12, 31, 23, 59, 58));
    MakeFile(dir.path() / "y2k.dxf", 0, Local(2000, 1, 2, 0, 0, 0));
    MakeFile(dir.path() / "skip.nc", 10, Local(2020, 1, 1, 0, 0, 0));
    fs::create_directory(dir.path() / "folder.dxf");
    std::ofstream(dir.path() / "note.dxf") << "0\nSECTION\n";

    auto entries = wepo::GatherFileEntries(dir.path().string(), {"*.dxf"}, true);
    std::sort(entries.begin(), entries.end(),
              [](const auto& a, const auto& b) { return wepo::CompareFileEntries(a, b, 0x1) < 0; });
    ASSERT_EQ(entries.size(), 4u);  // not the folder, not the .nc
    EXPECT_EQ(wepo::FileListLine(entries[0], 0x3), "big.dxf\t5,000,000,000\t24/05/17");
    EXPECT_EQ(wepo::FileListLine(entries[0], 0x7), "big.dxf\t5,000,000,000\t24/05/17\t09:05:03");
    EXPECT_EQ(wepo::FileListLine(entries[2], 0x6), "old.DXF\t99/12/31\t23:59:58");
    EXPECT_EQ(wepo::FileListLine(entries[3], 0x2), "y2k.dxf\t00/01/02");
    EXPECT_EQ(wepo::FileListLine(entries[0], 0x0), "big.dxf");
    // A DXF is kind 4 and has no comment; a text file with another extension carries its text.
    EXPECT_EQ(wepo::FileListLine(entries[1], 0x8), "note.dxf\t");
    MakeFile(dir.path() / "readme.zz", 0, Local(2021, 1, 1, 0, 0, 0));
    std::ofstream(dir.path() / "readme.zz") << "Hello\r\n";
    auto text = wepo::GatherFileEntries(dir.path().string(), {"*.zz"}, true);
    ASSERT_EQ(text.size(), 1u);
    EXPECT_EQ(wepo::FileListLine(text[0], 0x9), "readme.zz\t7\tHello  ");
    EXPECT_TRUE(wepo::GatherFileEntries((dir.path() / "none").string(), {"*"}, false).empty());
}

}  // namespace

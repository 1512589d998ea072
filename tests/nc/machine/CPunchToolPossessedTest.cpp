// Possessed-die file: every version, the result codes, the golden write and round trips.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include "DieTestSupport.h"
#include "TempDir.h"
#include "nc/machine/CPunchTool.h"
#include "nc/machine/DieMessages.h"

using dietest::Fixture;

namespace {

struct ReadCase {
    const char* file;
    int result;
    int lines;  // lines read up to the end or the error
    int dieCount;
    double version;
};

TEST(PossessedFile, ReadsEveryVersionAndReportsErrors) {
    const ReadCase cases[] = {
        {"pch_v1.dat", 0, 8, 3, 1.0},
        {"pch_v2.dat", 0, 5, 2, 2.0},
        {"pch_v3.dat", 0, 5, 2, 3.0},
        {"pch_v4.dat", 0, 11, 4, 4.0},
        {"pch_bad_range.dat", -3, 5, 1, 4.0},     // range "K"; the record before stays
        {"pch_bad_usage_v1.dat", -3, 5, 1, 1.0},  // version 1 usage letter "X"
        {"pch_few_fields.dat", -3, 4, 0, 4.0},    // 11 fields where 12 are needed
        {"pch_no_version.dat", -2, 4, 0, 0.0},    // ends before the version line
        {"pch_not_star.dat", -3, 3, 0, 0.0},      // first line after the title lacks "*"
        {"pch_no_title.dat", -3, 1, 0, 0.0},
        {"empty.dat", -3, 0, 0, 0.0},
        {"missing.dat", -1, 0, 0, 0.0},
        {"", -1, 0, 0, 0.0},  // the fixture folder itself
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.file);
        CPunchTool tool;
        tool.Header.DieCount = 77;  // a stale count must never survive a read
        int lines = -1;
        EXPECT_EQ(tool.ReadPossessedFile(Fixture(c.file), &lines), c.result);
        EXPECT_EQ(lines, c.lines);
        EXPECT_EQ(tool.Header.DieCount, c.dieCount);
        EXPECT_EQ(tool.Header.SelectedDie, -99);
        if (c.version != 0.0) {
            EXPECT_DOUBLE_EQ(tool.Header.PossessedVersion, c.version);
        }
        // Records past the count are empty.
        EXPECT_EQ(tool.Dies.size(), static_cast<size_t>(kMaxDies));
        EXPECT_EQ(tool.Dies[c.dieCount], DieRecord{});
    }
}

TEST(PossessedFile, FieldsOfEachVersion) {
    CPunchTool tool;
    ASSERT_EQ(tool.ReadPossessedFile(Fixture("pch_v1.dat")), 0);
    const DieRecord& n = tool.Dies[1];  // "3 B 2 20 20 0 45 N 1 sq.dxf"
    EXPECT_EQ(n.Number, 3);
    EXPECT_EQ(n.Range, 2);
    EXPECT_EQ(n.Shape, 2);
    EXPECT_DOUBLE_EQ(n.SizeY, 20.0);
    EXPECT_DOUBLE_EQ(n.Angle, 45.0);
    EXPECT_EQ(n.Usage, 2);
    EXPECT_EQ(n.Air, 1);
    EXPECT_EQ(n.ShapeFile, "sq.dxf");
    EXPECT_EQ(tool.Dies[0].Usage, 1);   // "O"
    EXPECT_EQ(tool.Dies[2].Range, 10);  // "J"
    EXPECT_EQ(tool.Dies[2].Usage, 0);   // "-"

    ASSERT_EQ(tool.ReadPossessedFile(Fixture("pch_v2.dat")), 0);
    EXPECT_EQ(tool.Dies[0].Usage, 2 | 16);  // "-O--O-"
    EXPECT_EQ(tool.Dies[1].ShapeFile, "rect.dxf");

    ASSERT_EQ(tool.ReadPossessedFile(Fixture("pch_v3.dat")), 0);
    EXPECT_EQ(tool.Dies[0].StartCode, "M10");
    EXPECT_EQ(tool.Dies[0].EndCode, "M11");
    // Empty fields are skipped: the end code is missing and the air flag moves up.
    const DieRecord& t = tool.Dies[1];
    EXPECT_EQ(t.Shape, 11);
    EXPECT_EQ(t.Air, 1);
    EXPECT_EQ(t.ShapeFile, "tap.dxf");
    EXPECT_EQ(t.StartCode, "M100");
    EXPECT_EQ(t.EndCode, "");

    ASSERT_EQ(tool.ReadPossessedFile(Fixture("pch_v4.dat")), 0);
    const DieRecord& s = tool.Dies[3];
    EXPECT_EQ(s.Number, 7);
    EXPECT_EQ(s.Usage, 9);  // "O--O--"
    EXPECT_EQ(s.ShapeFile, "fig dies/star.dxf");
    EXPECT_EQ(s.StartCode, "");  // empty fields keep their place
    EXPECT_EQ(s.EndCode, "M7");
    EXPECT_EQ(tool.Dies[2].Clamp, 1);
    EXPECT_EQ(tool.Dies[1].Rotation, 1);
}

TEST(PossessedFile, ReadsAtMostTwoThousandDies) {
    test::TempDir dir;
    std::string text = "TITLE\r\n*4.0\r\n";
    for (int i = 1; i <= kMaxDies + 1; ++i)
        text += std::to_string(i) + ", A, 1, 10.00, 0, 0, 0, O-----, 0, 0, 0, \"\",,\r\n";
    dietest::WriteBytes(dir.path() / "big.dat", text);
    CPunchTool tool;
    int lines = 0;
    EXPECT_EQ(tool.ReadPossessedFile(dir.path() / "big.dat", &lines), 0);
    EXPECT_EQ(tool.Header.DieCount, kMaxDies);
    EXPECT_EQ(lines, 2 + kMaxDies);
    EXPECT_EQ(tool.Dies.back().Number, kMaxDies);
}

TEST(PossessedFile, WriteMatchesGoldenFile) {
    test::TempDir dir;
    CPunchTool tool;
    ASSERT_EQ(tool.ReadPossessedFile(Fixture("pch_v4.dat")), 0);
    int lines = 0;
    ASSERT_EQ(tool.WritePossessedFile(dir.path() / "out.dat", &lines), 0);
    EXPECT_EQ(dietest::ReadBytes(dir.path() / "out.dat"),
              dietest::ReadBytes(Fixture("golden_pch_v4.dat")));
    EXPECT_EQ(lines, 9 + 4 + 11);
    // Written sorted by number.
    EXPECT_EQ(tool.Dies[0].Number, 3);
    EXPECT_EQ(tool.Dies[3].Number, 25);
}

TEST(PossessedFile, WhatIsWrittenReadsBackTheSame) {
    test::TempDir dir;
    CPunchTool tool;
    auto die = [](int number, std::string file, std::string start, std::string end) {
        DieRecord d;
        d.Number = static_cast<int16_t>(number);
        d.Range = 3;
        d.Shape = 10;
        d.SizeX = 12.5;
        d.SizeY = -3.25;
        d.SizeR = 1.5;
        d.Angle = 270.0;
        d.Usage = 0x3F;
        d.Air = 1;
        d.Rotation = 1;
        d.Clamp = 1;
        d.ShapeFile = std::move(file);
        d.StartCode = std::move(start);
        d.EndCode = std::move(end);
        return d;
    };
    tool.Dies[0] = die(1, "", "", "");                            // everything empty
    tool.Dies[1] = die(2, "a b.dxf", "", "M101");                 // only the end code
    tool.Dies[2] = die(3, "x.dxf", "G04 P100 M100", "M101 ;x");   // codes with blanks
    tool.Dies[3] = die(4, "\x93\xc1\x8c^.dxf", "M\x82\x60", "");  // CP932 text
    tool.Header.DieCount = 4;
    ASSERT_EQ(tool.WritePossessedFile(dir.path() / "rt.dat"), 0);
    std::vector<DieRecord> written(tool.Dies.begin(), tool.Dies.begin() + 4);

    CPunchTool back;
    ASSERT_EQ(back.ReadPossessedFile(dir.path() / "rt.dat"), 0);
    ASSERT_EQ(back.Header.DieCount, 4);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(back.Dies[i], written[i]) << "die " << i;
}

TEST(PossessedFile, CutsLongTextsAtACharacterBoundary) {
    test::TempDir dir;
    CPunchTool tool;
    tool.Dies[0].Number = 1;
    tool.Dies[0].Range = 1;
    tool.Dies[0].ShapeFile = "ab" + std::string(300, '\x82');  // double-byte pairs
    tool.Dies[0].StartCode = std::string(kCodeMax + 20, 'C');
    tool.Header.DieCount = 1;
    ASSERT_EQ(tool.WritePossessedFile(dir.path() / "cut.dat"), 0);
    CPunchTool back;
    ASSERT_EQ(back.ReadPossessedFile(dir.path() / "cut.dat"), 0);
    EXPECT_EQ(back.Dies[0].StartCode.size(), kCodeMax);
    EXPECT_EQ(back.Dies[0].ShapeFile.size(), 260u);  // 261 would split a pair
}

TEST(PossessedFile, FailedWriteLeavesTheOldFileWhole) {
    test::TempDir dir;
    const auto file = dir.path() / "pch.dat";
    dietest::WriteBytes(file, "old contents\r\n");
    CPunchTool tool;
    ASSERT_EQ(tool.ReadPossessedFile(Fixture("pch_v4.dat")), 0);

    // Writes past a few bytes fail, as on a full disk.
    ::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 64;
    ::setrlimit(RLIMIT_FSIZE, &small);
    int result = tool.WritePossessedFile(file);
    ::setrlimit(RLIMIT_FSIZE, &old);

    EXPECT_EQ(result, -4);
    EXPECT_EQ(dietest::ReadBytes(file), "old contents\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);  // no temporary file left behind
    EXPECT_EQ(tool.WritePossessedFile(dir.path() / "no-such-folder" / "pch.dat"), -1);
}

TEST(PossessedFile, ReadWriteUsesConfiguredNameAndShowsMessages) {
    test::TempDir dir;
    dietest::Context ctx(dir.path());
    std::filesystem::copy_file(Fixture("pch_bad_range.dat"), dir.path() / "bad.dat");
    CPunchTool tool(&ctx.app);

    tool.PossessedToolFileName = "";
    EXPECT_EQ(tool.ReadWritePossessed(1), -1);
    EXPECT_TRUE(ctx.prompt.asked.empty());  // an empty name is no error to show
    EXPECT_EQ(tool.Header.DieCount, 0);

    tool.PossessedToolFileName = "bad.dat";  // relative to the configuration folder
    EXPECT_EQ(tool.ReadWritePossessed(1), -3);
    ASSERT_EQ(ctx.prompt.asked.size(), 1u);
    EXPECT_EQ(
        ctx.prompt.asked[0].text,
        diemsg::FileErrorText(diemsg::kPossessedFormat, (dir.path() / "bad.dat").string(), 5));
    EXPECT_EQ(ctx.prompt.asked[0].icon, platform::PromptIcon::Error);

    tool.PossessedToolFileName = "missing/x.dat";
    EXPECT_EQ(tool.ReadWritePossessed(1), -1);
    EXPECT_EQ(tool.ReadWritePossessed(2), -1);
    ASSERT_EQ(ctx.prompt.asked.size(), 3u);
    EXPECT_EQ(
        ctx.prompt.asked[2].text,
        diemsg::FileErrorText(diemsg::kPossessedOpen, (dir.path() / "missing/x.dat").string(), 0));

    tool.PossessedToolFileName = "new.dat";
    EXPECT_EQ(tool.ReadWritePossessed(2), 0);
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "new.dat"));
    EXPECT_EQ(ctx.prompt.asked.size(), 3u);
}

// A die or arrangement file name that names a device (/dev/zero would grow memory without
// end), a pipe or a folder is a file that cannot be opened: the read error, nothing read.
TEST(PossessedFile, DevicesPipesAndFoldersAreReadErrors) {
    test::TempDir dir;
    dietest::Context ctx(dir.path());
    ASSERT_EQ(::mkfifo((dir.path() / "pipe.dat").c_str(), 0600), 0);
    std::filesystem::create_directories(dir.path() / "folder.arr");
    for (const char* name : {"/dev/zero", "pipe.dat", "folder.arr"}) {
        SCOPED_TRACE(name);
        CPunchTool tool(&ctx.app);
        tool.PossessedToolFileName = name;
        tool.ArrangedToolFileName = name;
        const size_t asked = ctx.prompt.asked.size();
        EXPECT_EQ(tool.ReadWritePossessed(1), -1);
        EXPECT_EQ(tool.ReadWriteArrangement(1), -1);
        EXPECT_EQ(tool.Header.DieCount, 0);
        ASSERT_EQ(ctx.prompt.asked.size(), asked + 2);
        EXPECT_EQ(ctx.prompt.asked[asked].text,
                  diemsg::FileErrorText(diemsg::kPossessedOpen, tool.PossessedPath().string(), 0));
    }
}

TEST(PossessedFile, SortKeysAndComparison) {
    CPunchTool tool;
    ASSERT_EQ(tool.ReadPossessedFile(Fixture("pch_v4.dat")), 0);
    tool.Dies[0].Placed = 0;
    tool.Dies[1].Placed = 1;
    // Shape first: 1 (10), 2 (3), 10 (7), 11 (25).
    tool.SortDies(3, 2, 4, 5, 6, 7, 1);
    const int byShape[] = {10, 3, 7, 25};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(tool.Dies[i].Number, byShape[i]);
    EXPECT_EQ(tool.DialogState.SortKeys, (std::array<int, 7>{3, 2, 4, 5, 6, 7, 1}));
    // Placed dies first; unknown keys are skipped.
    tool.SortDies(7, 0, 99, 1, 1, 1, 1);
    EXPECT_EQ(tool.Dies[0].Number, 3);
    EXPECT_EQ(tool.Dies[1].Number, 7);
    EXPECT_EQ(tool.FindDieIndex(25), 3);
    EXPECT_EQ(tool.FindDieIndex(99), -1);
    // Sizes compare X, then Y, R and angle.
    DieRecord a, b;
    a.SizeX = b.SizeX = 1;
    a.SizeY = 2;
    b.SizeY = 1;
    EXPECT_GT(CPunchTool::CompareDies(a, b, {4, 0, 0, 0, 0, 0, 0}), 0);
    b.SizeY = 2;
    b.Angle = 1;
    EXPECT_LT(CPunchTool::CompareDies(a, b, {4, 0, 0, 0, 0, 0, 0}), 0);
    EXPECT_EQ(CPunchTool::CompareDies(a, b, {1, 2, 3, 5, 6, 7, 0}), 0);
}

// The size key, one size at a time: each decides when those before it are equal, and a
// difference in an earlier one outweighs every later one.
TEST(PossessedFile, SizeKeyComparesXThenYThenRadiusThenAngle) {
    struct Sizes {
        double x, y, r, angle;
    };
    struct Case {
        const char* name;
        Sizes a, b;
        int sign;  // of CompareDies(a, b) under the size key
    };
    const Case cases[] = {
        {"equal", {10, 5, 2, 0}, {10, 5, 2, 0}, 0},
        {"x", {9, 5, 2, 0}, {10, 5, 2, 0}, -1},
        {"x before y", {11, 1, 2, 0}, {10, 5, 2, 0}, 1},
        {"radius smaller", {10, 5, 1, 0}, {10, 5, 2, 0}, -1},
        {"radius larger", {10, 5, 3, 0}, {10, 5, 2, 0}, 1},
        {"radius before angle", {10, 5, 1, 90}, {10, 5, 2, 0}, -1},
        {"y before radius", {10, 4, 3, 0}, {10, 5, 2, 0}, -1},
        {"angle last", {10, 5, 2, 45}, {10, 5, 2, 90}, -1},
    };
    auto die = [](const Sizes& s) {
        DieRecord d;
        d.SizeX = s.x;
        d.SizeY = s.y;
        d.SizeR = s.r;
        d.Angle = s.angle;
        return d;
    };
    auto sign = [](int v) { return (v > 0) - (v < 0); };
    for (const Case& c : cases) {
        const DieRecord a = die(c.a), b = die(c.b);
        EXPECT_EQ(sign(CPunchTool::CompareDies(a, b, {4, 0, 0, 0, 0, 0, 0})), c.sign) << c.name;
        EXPECT_EQ(sign(CPunchTool::CompareDies(b, a, {4, 0, 0, 0, 0, 0, 0})), -c.sign)
            << c.name << " reversed";
    }
}

// Sorting by size puts the dies of equal X and Y in the order of their corner radius.
TEST(PossessedFile, SortBySizeOrdersEqualOutlinesByRadius) {
    CPunchTool tool;
    tool.Header.DieCount = 3;
    const double radii[] = {3.0, 1.0, 2.0};
    for (int i = 0; i < 3; ++i) {
        tool.Dies[i].Number = 50 + i;
        tool.Dies[i].Shape = kShapeSquareRadius;
        tool.Dies[i].SizeX = 20;
        tool.Dies[i].SizeY = 10;
        tool.Dies[i].SizeR = radii[i];
    }
    tool.SortDies(4, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(tool.Dies[0].Number, 51);
    EXPECT_EQ(tool.Dies[1].Number, 52);
    EXPECT_EQ(tool.Dies[2].Number, 50);
}

}  // namespace

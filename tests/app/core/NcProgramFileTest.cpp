// NC program files: the "%" rule, whole lines, .MPF merge and split, backups.
#include "app/core/NcProgramFile.h"

#include <gtest/gtest.h>

#include <fstream>

#include "TempDir.h"
#include "TestFiles.h"
#include "fuzz/checks/NcFileCheck.h"
#include "platform/ScriptedPrompt.h"

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

namespace {

// The fixture folder copied into a temporary folder.
fs::path CopyMpfFixture(const test::TempDir& tmp) {
    fs::path dir = tmp.path() / "nc";
    fs::create_directories(dir);
    fs::copy(fs::path(MORVALEN_TEST_DATA) / "app" / "mpf", dir);
    return dir;
}

// A sub-program the document knows, merged from "ABC<suffix>.spf" in dir.
NcSubProgram Known(const char* marker, const char* suffix, const fs::path& dir) {
    NcSubProgram k;
    k.marker = marker;
    k.suffix = suffix;
    k.path = dir / ("ABC" + std::string(suffix) + ".spf");
    k.separated = true;
    return k;
}

}  // namespace

TEST(ReadNcFile, PercentRuleAndWholeLines) {
    test::TempDir tmp;
    std::string text = "%\r\n";
    for (int i = 2; i < 40; ++i) text += "N" + std::to_string(i) + "\r\n";
    text += "%\r\nAFTER\nMORE\r\n";
    test::WriteFile(tmp.path() / "a.nc", text);
    auto strict = ReadNcFile(tmp.path() / "a.nc", false);
    ASSERT_TRUE(strict);
    EXPECT_EQ(strict->lines.size(), 40u);
    EXPECT_EQ(strict->lines.back(), "%");
    auto all = ReadNcFile(tmp.path() / "a.nc", true);
    EXPECT_EQ(all->lines.size(), 42u);
    EXPECT_EQ(all->lines.back(), "MORE");
    EXPECT_FALSE(ReadNcFile(tmp.path() / "missing.nc", false));
}

// Only a line that is exactly "%" ends the loading: "%" with text or blanks after it, or a "%"
// later in a line, is an ordinary line.
TEST(ReadNcFile, OnlyTheBarePercentLineCounts) {
    test::TempDir tmp;
    test::WriteFile(tmp.path() / "a.nc", "%\r\n%O100\r\n% \r\nG01 X1. %\r\n%\r\nAFTER\r\n");
    auto r = ReadNcFile(tmp.path() / "a.nc", false);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->lines, (Lines{"%", "%O100", "% ", "G01 X1. %", "%"}));
    test::WriteFile(tmp.path() / "b.nc", "%TOP\r\nN1\r\n%\r\nN2\r\n%\r\nAFTER\r\n");
    r = ReadNcFile(tmp.path() / "b.nc", false);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->lines, (Lines{"%TOP", "N1", "%", "N2", "%"}));
}

TEST(ReadNcFile, LongLinesKeptWholeAndReported) {
    test::TempDir tmp;
    std::string longLine(200, 'X');
    longLine[199] = '\x82';  // a lone CP932 lead byte at the end stays as it is
    test::WriteFile(tmp.path() / "a.nc", "O1\r\n" + std::string(127, 'Y') + "\r\n" + longLine +
                                             "\r\nM30\r\n\x1a" + "junk");
    auto r = ReadNcFile(tmp.path() / "a.nc", false);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->lines, (Lines{"O1", std::string(127, 'Y'), longLine, "M30"}));
    EXPECT_EQ(r->firstLongLine, 3u);
}

TEST(MergeSubPrograms, MergesNestedOnceAndSkipsMissingAndUnsafe) {
    test::TempDir tmp;
    fs::path dir = CopyMpfFixture(tmp);
    test::WriteFile(tmp.path() / "x.spf", "OUTSIDE\r\n");
    auto r = ReadNcFile(dir / "ABC.MPF", false);
    ASSERT_TRUE(r);
    Lines lines = r->lines;
    lines.insert(lines.begin() + 5, "ABC001");    // the same number again
    lines.insert(lines.begin() + 5, "ABC/../x");  // would leave the folder
    auto merged = MergeSubPrograms(dir / "ABC.MPF", lines);
    EXPECT_EQ(lines, (Lines{"O0001", "G92X1000.Y1000.", "ABC001", "G00X10.Y10.", "ABC003",
                            "ABC/../x", "ABC001", "M30", "", "(*001)", "G01X20.", "ABC002", "M99",
                            "", "(*002)", "G01Y20.", "M99"}));
    ASSERT_EQ(merged.size(), 2u);
    EXPECT_EQ(merged[0].path, dir / "ABC001.spf");
    EXPECT_EQ(merged[0].marker, "(*001)");
    EXPECT_EQ(merged[0].suffix, "001");
    EXPECT_TRUE(merged[0].separated);
    EXPECT_EQ(merged[1].path, dir / "ABC002.spf");
}

// A calling line names a file only as a plain name in the program's folder, and the first
// calling line of a number decides: a later line of the same number merges nothing. What a
// call may not name is neither merged nor written by the save.
TEST(MergeSubPrograms, ACallNamesAFileOfItsFolderAtItsFirstLine) {
    struct Case {
        const char* name;
        Lines main;
        Lines merged;
    };
    const Case cases[] = {
        {"a plain call",
         {"O1", "ABC1", "M30"},
         {"O1", "ABC1", "M30", "", "(*001)", "G01X1.", "M99"}},
        {"number met at a line that names no file",
         {"O1", "ABC1/x", "ABC1", "M30"},
         {"O1", "ABC1/x", "ABC1", "M30"}},
        {"a line leaving the folder", {"O1", "ABC/../x", "M30"}, {"O1", "ABC/../x", "M30"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir tmp;
        const fs::path dir = tmp.path();
        std::string main;
        for (const std::string& l : c.main) main += l + "\r\n";
        test::WriteFile(dir / "ABC.MPF", main);
        test::WriteFile(dir / "ABC1.spf", "G01X1.\r\nM99\r\n");
        // "ABC/../x" reaches x.spf through the folder ABC; "ABC1/x" names a file in ABC1.
        fs::create_directories(dir / "ABC");
        test::WriteFile(dir / "x.spf", "OUTSIDE\r\n");
        test::WriteFile(dir / "ABC1" / "x.spf", "IN A FOLDER\r\n");
        Lines lines = ReadNcFile(dir / "ABC.MPF", false)->lines;
        NcStoreOptions opt;
        opt.isMpf = true;
        opt.knownSubPrograms = MergeSubPrograms(dir / "ABC.MPF", lines);
        EXPECT_EQ(lines, c.merged);
        platform::ScriptedPrompt prompt;
        EXPECT_TRUE(WriteNcFile(dir / "ABC.MPF", lines, opt, &prompt).ok);
        EXPECT_TRUE(prompt.asked.empty());
        EXPECT_EQ(test::ReadFile(dir / "ABC.MPF"), main);
        EXPECT_EQ(test::ReadFile(dir / "ABC1.spf"), "G01X1.\r\nM99\r\n");
        EXPECT_EQ(test::ReadFile(dir / "x.spf"), "OUTSIDE\r\n");
        EXPECT_EQ(test::ReadFile(dir / "ABC1" / "x.spf"), "IN A FOLDER\r\n");
        EXPECT_TRUE(fs::is_empty(dir / "ABC"));
    }
}

TEST(WriteNcFile, MpfRoundTripKeepsOtherProgramsFiles) {
    test::TempDir tmp;
    fs::path dir = CopyMpfFixture(tmp);
    Lines lines = ReadNcFile(dir / "ABC.MPF", false)->lines;
    auto known = MergeSubPrograms(dir / "ABC.MPF", lines);
    lines[8] = "G01X25.";  // edit inside sub-program 1
    NcStoreOptions opt;
    opt.isMpf = true;
    opt.knownSubPrograms = known;
    platform::ScriptedPrompt prompt;
    auto res = WriteNcFile(dir / "ABC.MPF", lines, opt, &prompt);
    EXPECT_TRUE(res.ok);
    EXPECT_TRUE(prompt.asked.empty());
    EXPECT_TRUE(res.droppedLines.empty());
    EXPECT_EQ(test::ReadFile(dir / "ABC.MPF"),
              "O0001\r\nG92X1000.Y1000.\r\nABC001\r\nG00X10.Y10.\r\nABC003\r\nM30\r\n");
    EXPECT_EQ(test::ReadFile(dir / "ABC001.spf"), "G01X25.\r\nABC002\r\nM99\r\n");
    EXPECT_EQ(test::ReadFile(dir / "ABC002.spf"), "G01Y20.\nM99\n");  // its own line ends
    EXPECT_EQ(test::ReadFile(dir / "ABCD001.spf"), "OTHER PROGRAM\r\nM99\r\n");

    // Loading again gives the same document.
    Lines again = ReadNcFile(dir / "ABC.MPF", false)->lines;
    MergeSubPrograms(dir / "ABC.MPF", again);
    EXPECT_EQ(again, lines);
}

// A call line "ABC1" merges ABC1.spf under the marker (*001): the save writes it back to
// ABC1.spf (the next load finds it there), not to ABC001.spf.
TEST(WriteNcFile, SubProgramGoesBackToTheFileItCameFrom) {
    test::TempDir tmp;
    fs::path dir = tmp.path();
    test::WriteFile(dir / "ABC.MPF", "O1\r\nABC1\r\nM30\r\n");
    test::WriteFile(dir / "ABC1.spf", "G01X1.\r\nM99\r\n");
    test::WriteFile(dir / "ABC7.spf", "not referenced\r\n");
    Lines lines = ReadNcFile(dir / "ABC.MPF", false)->lines;
    auto known = MergeSubPrograms(dir / "ABC.MPF", lines);
    EXPECT_EQ(lines, (Lines{"O1", "ABC1", "M30", "", "(*001)", "G01X1.", "M99"}));
    lines[5] = "G01X2.";
    NcStoreOptions opt;
    opt.isMpf = true;
    opt.knownSubPrograms = known;
    auto res = WriteNcFile(dir / "ABC.MPF", lines, opt, nullptr);
    EXPECT_TRUE(res.ok);
    EXPECT_EQ(test::ReadFile(dir / "ABC.MPF"), "O1\r\nABC1\r\nM30\r\n");
    EXPECT_EQ(test::ReadFile(dir / "ABC1.spf"), "G01X2.\r\nM99\r\n");
    EXPECT_FALSE(fs::exists(dir / "ABC001.spf"));
    EXPECT_TRUE(fs::exists(dir / "ABC7.spf"));
    ASSERT_EQ(res.subPrograms.size(), 1u);
    EXPECT_EQ(res.subPrograms[0].path, dir / "ABC1.spf");

    // A marker the user typed gets the name made from its number.
    lines.insert(lines.end(), {"(*002)", "G01Y1.", "M99"});
    opt.knownSubPrograms = res.subPrograms;
    res = WriteNcFile(dir / "ABC.MPF", lines, opt, nullptr);
    EXPECT_TRUE(res.ok);
    EXPECT_EQ(test::ReadFile(dir / "ABC002.spf"), "G01Y1.\r\nM99\r\n");
    EXPECT_EQ(test::ReadFile(dir / "ABC1.spf"), "G01X2.\r\nM99\r\n");
}

TEST(WriteNcFile, MpfWithoutM30IsSavedWhole) {
    test::TempDir tmp;
    fs::path dir = CopyMpfFixture(tmp);
    Lines lines{"O1", "ABC001", "", "(*001)", "G01X20.", "M99"};
    NcStoreOptions opt;
    opt.isMpf = true;
    opt.knownSubPrograms = {Known("(*001)", "001", dir)};
    auto res = WriteNcFile(dir / "ABC.MPF", lines, opt, nullptr);
    EXPECT_TRUE(res.ok);
    EXPECT_FALSE(res.split);
    EXPECT_EQ(test::ReadFile(dir / "ABC.MPF"), "O1\r\nABC001\r\n\r\n(*001)\r\nG01X20.\r\nM99\r\n");
    EXPECT_EQ(test::ReadFile(dir / "ABC001.spf"), "G01X20.\r\nABC002\r\nM99\r\n");
}

TEST(WriteNcFile, FailedSubProgramKeepsOldFilesAndReportsFailure) {
    struct Case {
        const char* marker;
        const char* badFile;  // made a folder so that it cannot be written
    };
    const Case cases[] = {{"(*002)", "ABC002.spf"}, {"(*../evil)", nullptr}, {"(*a/b)", nullptr}};
    for (const auto& c : cases) {
        test::TempDir tmp;
        fs::path dir = CopyMpfFixture(tmp);
        if (c.badFile) {
            fs::remove(dir / c.badFile);
            fs::create_directories(dir / c.badFile / "x");
        }
        Lines lines{"O1", "M30", "(*001)", "NEW", "M99", c.marker, "SECOND", "M99"};
        NcStoreOptions opt;
        opt.isMpf = true;
        opt.knownSubPrograms = {Known("(*001)", "001", dir), Known("(*002)", "002", dir)};
        platform::ScriptedPrompt prompt;
        auto res = WriteNcFile(dir / "ABC.MPF", lines, opt, &prompt);
        EXPECT_FALSE(res.ok) << c.marker;
        ASSERT_EQ(prompt.asked.size(), 1u);
        EXPECT_NE(prompt.asked[0].text.find("Failure to save the sub-program file"),
                  std::string::npos);
        EXPECT_EQ(test::ReadFile(dir / "ABC.MPF"), "O1\r\nM30\r\n");  // the main file is saved
        EXPECT_FALSE(fs::exists(tmp.path() / "evil.spf"));
        EXPECT_FALSE(fs::exists(dir / "ABCevil.spf"));
    }
}

TEST(WriteNcFile, BlankLinesAndLinesOutsideSections) {
    test::TempDir tmp;
    fs::path file = tmp.path() / "a.nc";
    Lines lines{"O1", "", "  ", "M30"};
    NcStoreOptions opt;
    opt.deleteBlankLines = true;
    EXPECT_TRUE(WriteNcFile(file, lines, opt, nullptr).ok);
    EXPECT_EQ(test::ReadFile(file), "O1\r\n  \r\nM30\r\n");
    opt.deleteBlankLines = false;
    EXPECT_TRUE(WriteNcFile(file, lines, opt, nullptr).ok);
    EXPECT_EQ(test::ReadFile(file), "O1\r\n\r\n  \r\nM30\r\n");

    opt.isMpf = true;
    Lines mpf{"O1", "M30", "", "STRAY", "(*001)", "A", "M99", "LOST"};
    auto res = WriteNcFile(tmp.path() / "P.MPF", mpf, opt, nullptr);
    EXPECT_TRUE(res.ok);
    // What stands between "M30" and the first marker stays in the main file.
    EXPECT_EQ(res.droppedLines, (std::vector<size_t>{7}));
    EXPECT_EQ(test::ReadFile(tmp.path() / "P.MPF"), "O1\r\nM30\r\n\r\nSTRAY\r\n");
    EXPECT_EQ(test::ReadFile(tmp.path() / "P001.spf"), "A\r\nM99\r\n");
}

TEST(Backup, NameFromFileNameOnly) {
    struct Case {
        const char* in;
        const char* out;
    };
    const Case cases[] = {{"/nc/prog.nc", "/nc/prog.bak"},
                          {"/nc/my.dir/prog", "/nc/my.dir/prog.bak"},
                          {"/nc/a.b.MPF", "/nc/a.b.bak"},
                          {"prog", "prog.bak"}};
    for (const auto& c : cases) EXPECT_EQ(BackupPathFor(c.in), fs::path(c.out)) << c.in;
}

TEST(Backup, CopyReplacesOldBackupOnlyOnSuccess) {
    test::TempDir tmp;
    fs::path file = tmp.path() / "p.nc";
    test::WriteFile(file, "NEW\r\n");
    test::WriteFile(tmp.path() / "p.bak", "OLD\r\n");
    EXPECT_TRUE(MakeBackupCopy(file));
    EXPECT_EQ(test::ReadFile(tmp.path() / "p.bak"), "NEW\r\n");
    fs::remove(file);
    EXPECT_FALSE(MakeBackupCopy(file));
    EXPECT_EQ(test::ReadFile(tmp.path() / "p.bak"), "NEW\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(tmp.path()), fs::directory_iterator()), 1);
}

TEST(WriteNcFile, WritesThroughSymbolicLinkAndKeepsMode) {
    test::TempDir tmp;
    fs::path real = tmp.path() / "real.nc", link = tmp.path() / "link.nc";
    test::WriteFile(real, "OLD\r\n");
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(real, link);
    EXPECT_TRUE(WriteNcFile(link, {"NEW"}, {}, nullptr).ok);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(test::ReadFile(real), "NEW\r\n");
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(WriteNcFile, SaveUnderAnotherNameKeepsTheOriginalsSubPrograms) {
    test::TempDir tmp;
    fs::path dir = CopyMpfFixture(tmp);
    Lines lines = ReadNcFile(dir / "ABC.MPF", false)->lines;
    auto known = MergeSubPrograms(dir / "ABC.MPF", lines);
    NcStoreOptions opt;
    opt.isMpf = true;
    opt.knownSubPrograms = known;
    fs::create_directories(tmp.path() / "copy");
    for (fs::path target : {dir / "XYZ.MPF", tmp.path() / "copy" / "ABC.MPF"}) {
        auto res = WriteNcFile(target, lines, opt, nullptr);
        EXPECT_TRUE(res.ok);
        EXPECT_EQ(res.subPrograms.size(), 2u);
        EXPECT_EQ(test::ReadFile(dir / "ABC001.spf"), "G01X20.\r\nABC002\r\nM99\r\n") << target;
        EXPECT_TRUE(fs::exists(dir / "ABC002.spf")) << target;
    }
    EXPECT_EQ(test::ReadFile(dir / "XYZ001.spf"), "G01X20.\r\nABC002\r\nM99\r\n");
    EXPECT_EQ(test::ReadFile(tmp.path() / "copy" / "ABC002.spf"), "G01Y20.\nM99\n");
}

// A save removes as stale only the sub-program files its own main program calls by name, and
// only once that main file is in place: AB1.spf stays when AB.MPF is saved as A.MPF (AB.MPF
// still calls it), and ABC2.spf stays while ABC.MPF, which still calls it, could not be
// replaced. A save under the program's own name still removes the call the user took out.
TEST(WriteNcFile, RemovesOnlyItsOwnStaleSubProgramsAfterItsMainFile) {
    test::TempDir tmp;
    const fs::path dir = tmp.path();
    test::WriteFile(dir / "AB.MPF", "O1\r\nAB1\r\nM30\r\n");
    test::WriteFile(dir / "AB1.spf", "G01X1.\r\nM99\r\n");
    Lines lines = ReadNcFile(dir / "AB.MPF", false)->lines;
    NcStoreOptions opt;
    opt.isMpf = true;
    opt.knownSubPrograms = MergeSubPrograms(dir / "AB.MPF", lines);
    ASSERT_EQ(opt.knownSubPrograms.size(), 1u);
    EXPECT_TRUE(WriteNcFile(dir / "A.MPF", lines, opt, nullptr).ok);
    EXPECT_EQ(test::ReadFile(dir / "A.MPF"), "O1\r\nAB1\r\nM30\r\n");
    EXPECT_EQ(test::ReadFile(dir / "A1.spf"), "G01X1.\r\nM99\r\n");
    EXPECT_EQ(test::ReadFile(dir / "AB.MPF"), "O1\r\nAB1\r\nM30\r\n");
    EXPECT_EQ(test::ReadFile(dir / "AB1.spf"), "G01X1.\r\nM99\r\n");

    test::WriteFile(dir / "ABC.MPF", "O1\r\nABC1\r\nABC2\r\nM30\r\n");
    test::WriteFile(dir / "ABC1.spf", "G01X1.\r\nM99\r\n");
    test::WriteFile(dir / "ABC2.spf", "G01X2.\r\nM99\r\n");
    lines = ReadNcFile(dir / "ABC.MPF", false)->lines;
    opt.knownSubPrograms = MergeSubPrograms(dir / "ABC.MPF", lines);
    ASSERT_EQ(lines, (Lines{"O1", "ABC1", "ABC2", "M30", "", "(*001)", "G01X1.", "M99", "",
                            "(*002)", "G01X2.", "M99"}));
    // The user takes out the call of ABC2 and its section.
    lines.erase(lines.begin() + 8, lines.end());
    lines.erase(lines.begin() + 2);
    // The main file cannot be replaced (as on a full disk): a folder stands in its place.
    fs::remove(dir / "ABC.MPF");
    fs::create_directories(dir / "ABC.MPF" / "x");
    NcStoreResult res = WriteNcFile(dir / "ABC.MPF", lines, opt, nullptr);
    EXPECT_FALSE(res.ok);
    EXPECT_FALSE(res.mainWritten);
    EXPECT_EQ(test::ReadFile(dir / "ABC2.spf"), "G01X2.\r\nM99\r\n");

    fs::remove_all(dir / "ABC.MPF");
    res = WriteNcFile(dir / "ABC.MPF", lines, opt, nullptr);
    EXPECT_TRUE(res.ok);
    EXPECT_TRUE(res.mainWritten);
    EXPECT_EQ(test::ReadFile(dir / "ABC.MPF"), "O1\r\nABC1\r\nM30\r\n");
    EXPECT_EQ(test::ReadFile(dir / "ABC1.spf"), "G01X1.\r\nM99\r\n");
    EXPECT_FALSE(fs::exists(dir / "ABC2.spf"));
}

// Open and an unchanged save give the bytes back, whatever a file holds around its lines.
TEST(SplitNcText, JoinGivesEveryByteBack) {
    const std::string cases[] = {
        "",
        "\xef\xbb\xbf",
        "\x1a",
        "O1",
        "O1\r\n\r\n",
        "O1\nM30\n\x1a\x1a\r\n",
        "%\r\nO1\r\n%\r\nrest\r\n",
        "%\n%",
        std::string("N1\0N2\r\n", 8),
        "A\r\r\nB\r\n",
    };
    for (const std::string& bytes : cases) {
        for (bool percent : {false, true}) {
            const NcLoadResult r = SplitNcText(bytes, percent);
            EXPECT_EQ(JoinNcText(r.lines, 0, r.lines.size(), r.frame), bytes) << bytes;
        }
        EXPECT_EQ(fuzzcheck::CheckNcFile(bytes), "") << bytes;
    }
    // Mixed line ends are written with CR LF throughout.
    const NcLoadResult mixed = SplitNcText("A\nB\r\nC\n", false);
    EXPECT_EQ(JoinNcText(mixed.lines, 0, 3, mixed.frame), "A\r\nB\r\nC\r\n");
}

// A 0x1A byte ends the text; the line it stands on is told only when it hides more than
// further end marks and blank space, and not when a second "%" line ended the text first.
TEST(SplitNcText, TellsTheLineWhereAnEndMarkHidesText) {
    struct Case {
        std::string bytes;
        bool percent;
        size_t line;
    };
    const Case cases[] = {
        {"\x1a", true, 0},
        {"\x1aO1", true, 1},
        {"O1\r\nG00X1.\x1aY2.\r\n", true, 2},
        {"O1\r\n\x1aM30", true, 2},
        {std::string("O1\r\nM30\r\n\x1a\x1a\r\n \t\0", 16), true, 0},
        {"%\r\nO1\r\n%\r\n\x1aX", true, 0},
        {"%\r\nO1\r\n%\r\n\x1aX", false, 4},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitNcText(c.bytes, c.percent).hiddenAfterLine, c.line) << c.bytes;
}

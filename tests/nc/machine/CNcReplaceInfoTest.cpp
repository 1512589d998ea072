// Conversion tables: names, row records, the file layout and every table operation.
#include "nc/machine/CNcReplaceInfo.h"

#include <gtest/gtest.h>

#include <limits>

#include "MachineTestSupport.h"

using machine_test::ConfigFixture;
using machine_test::Fixture;
using machine_test::ReadAll;
using machine_test::WriteAll;
namespace fs = std::filesystem;

namespace {

const std::string kComment = "\x95\xcf\x8a\xb7\x83\x65\x83\x58\x83\x67";  // 変換テスト
const std::string kCommentKey = "\x83\x52\x83\x81\x83\x93\x83\x67=";      // コメント=

// The rows of tests/data/nc/machine/saved.CTB.
void FillSavedRows(CNcReplaceInfo& t) {
    t.BeforeTexts = {"G92", "say \"hi\"", "\x95\x5c", "X"};
    t.AfterTexts = {"G50", "a,b", "\x83\x5c", ""};
    t.StartLines = {1, 5, 1, 3};
    t.EndLines = {10, 7, 1, 3};
    t.DeleteCtbLines = 1;
    t.ConfirmOnReplace = 2;
}

std::vector<std::string> FilesIn(const fs::path& dir) {
    std::vector<std::string> names;
    for (auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

TEST(CNcReplaceInfo, NamesGetTheExtensionUnlessTheyHaveIt) {
    struct Case {
        const char* name;
        const char* file;
    } cases[] = {
        {"abc", "abc.CTB"}, {"abc.ctb", "abc.ctb"},     {"abc.CtB", "abc.CtB"},
        {"a.b", "a.b.CTB"}, {"a.ctb.x", "a.ctb.x.CTB"}, {"abc.", "abc..CTB"},
    };
    for (const Case& c : cases) EXPECT_EQ(CNcReplaceInfo::WithExtension(c.name), c.file);
}

TEST(CNcReplaceInfo, RowRecords) {
    struct Case {
        const char* line;
        int result;
        const char* before;
        const char* after;
        unsigned start;
        unsigned end;
    } cases[] = {
        {R"("a","b","3","4")", 0, "a", "b", 3, 4},
        {R"("say ""hi""","x","1","2")", 0, "say \"hi\"", "x", 1, 2},
        {R"("a,b","c,d","1","2")", 0, "a,b", "c,d", 1, 2},
        {R"("a","","0","x")", 0, "a", "", 1, 1},
        {R"( "a" , "b" ,5,6)", 0, "a", "b", 1, 1},  // unquoted numbers are not fields
        {R"("a","b","1")", -1, "", "", 0, 0},       // only two commas
        {R"("a,b,c,d")", -1, "", "", 0, 0},         // commas inside quotes do not count
        {R"("","b","1","2")", -1, "", "", 0, 0},    // empty before text
        {R"("a","b","-1","12abc")", 0, "a", "b", 4294967295u, 12},
        // Beyond the 32-bit range a number stays at its end: 2^32 once became line 0.
        {R"("a","b","4294967296","99999999999999999999999")", 0, "a", "b", 4294967295u,
         4294967295u},
        {R"("a","b","-2147483649","4294967295")", 0, "a", "b", 2147483648u, 4294967295u},
        {"\"\x83\x5c\",\"\x95\x5c\",\"1\",\"2\"", 0, "\x83\x5c", "\x95\x5c", 1, 2},
    };
    for (const Case& c : cases) {
        ConfigFixture f;
        CNcReplaceInfo t(f.ctx);
        EXPECT_EQ(t.ParseRecord(c.line), c.result) << c.line;
        if (c.result != 0) {
            EXPECT_TRUE(t.BeforeTexts.empty()) << c.line;
            EXPECT_TRUE(t.StartLines.empty()) << c.line;
            continue;
        }
        ASSERT_EQ(t.BeforeTexts.size(), 1u) << c.line;
        EXPECT_EQ(t.BeforeTexts[0], c.before) << c.line;
        EXPECT_EQ(t.AfterTexts[0], c.after) << c.line;
        EXPECT_EQ(t.StartLines[0], c.start) << c.line;
        EXPECT_EQ(t.EndLines[0], c.end) << c.line;
    }
}

TEST(CNcReplaceInfo, SaveWritesTheLayoutByteForByteAndReadsBack) {
    ConfigFixture f;
    WriteAll(f.dir.path() / "conv.CTB", "old");
    CNcReplaceInfo t(f.ctx);
    FillSavedRows(t);
    EXPECT_EQ(t.SaveTable("conv", kComment), 0);
    EXPECT_EQ(ReadAll(f.dir.path() / "conv.CTB"), ReadAll(Fixture("saved.CTB")));
    EXPECT_EQ(FilesIn(f.dir.path()), (std::vector<std::string>{"conv.CTB"}));

    CNcReplaceInfo r(f.ctx);
    EXPECT_EQ(r.ReadTable("  conv"), 1);
    EXPECT_EQ(r.CurrentFile, "conv.CTB");
    EXPECT_EQ(r.BeforeTexts, t.BeforeTexts);
    EXPECT_EQ(r.AfterTexts, t.AfterTexts);
    EXPECT_EQ(r.StartLines, t.StartLines);
    EXPECT_EQ(r.EndLines, t.EndLines);
    EXPECT_EQ(r.DeleteCtbLines, 1);
    EXPECT_EQ(r.ConfirmOnReplace, 2);
    // A second read appends; ClearTable starts over.
    EXPECT_EQ(r.ReadTable("conv"), 1);
    EXPECT_EQ(r.BeforeTexts.size(), 8u);
    r.ClearTable();
    EXPECT_TRUE(r.BeforeTexts.empty());
    EXPECT_EQ(r.CurrentFile, "conv.CTB");
    EXPECT_TRUE(f.prompt.asked.empty());
}

TEST(CNcReplaceInfo, ReadsAHandWrittenTableWithLfLines) {
    ConfigFixture f;
    fs::copy_file(Fixture("handmade.ctb"), f.dir.path() / "handmade.ctb");
    CNcReplaceInfo t(f.ctx);
    EXPECT_EQ(t.ReadTable("HANDMADE"), 1);  // names match without case
    EXPECT_EQ(t.BeforeTexts, (std::vector<std::string>{"A", "C", "F\""}));
    EXPECT_EQ(t.AfterTexts, (std::vector<std::string>{"B", "D,E", "G"}));
    EXPECT_EQ(t.StartLines, (std::vector<unsigned>{1, 2, 4}));
    EXPECT_EQ(t.EndLines, (std::vector<unsigned>{1, 9, 5}));
    EXPECT_EQ(t.DeleteCtbLines, 3);
    EXPECT_EQ(t.ConfirmOnReplace, 0);
    t.ReadComment("handmade.ctb");
    EXPECT_EQ(t.TableComments, (std::vector<std::string>{"\x8e\xe8\x8f\x91\x82\xab"}));
}

TEST(CNcReplaceInfo, FlagsBeyondTheIntRangeStayOnAndSaveAsRead) {
    ConfigFixture f;
    // CTB記述行削除= and 置換処理時確認メッセージ=: 2^32 once wrapped round to 0, "off".
    WriteAll(f.dir.path() / "big.CTB",
             "*DATA\n\x43\x54\x42\x8b\x4c\x8f\x71\x8d\x73\x8d\xed\x8f\x9c=4294967296\n"
             "\x92\x75\x8a\xb7\x8f\x88\x97\x9d\x8e\x9e\x8a\x6d\x94\x46\x83\x81\x83\x62"
             "\x83\x5a\x81\x5b\x83\x57=-99999999999\n*REPLACE_DATA\n");
    CNcReplaceInfo t(f.ctx);
    ASSERT_EQ(t.ReadTable("big"), 1);
    EXPECT_EQ(t.DeleteCtbLines, std::numeric_limits<int>::max());
    EXPECT_EQ(t.ConfirmOnReplace, std::numeric_limits<int>::min());
    ASSERT_EQ(t.SaveTable("big", ""), 0);
    CNcReplaceInfo r(f.ctx);
    ASSERT_EQ(r.ReadTable("big"), 1);
    EXPECT_EQ(r.DeleteCtbLines, t.DeleteCtbLines);
    EXPECT_EQ(r.ConfirmOnReplace, t.ConfirmOnReplace);
}

TEST(CNcReplaceInfo, ReadFailuresShowTheirMessageAndLeaveNoRows) {
    struct Case {
        const char* text;  // nullptr: no file
        std::string message;
    } cases[] = {
        {nullptr, "There is no conversion setting file [t.CTB]\n\nPlease confirm setting"},
        {"*DATA\r\n*REPLACE_DATA\r\n\"a\",\"b\",\"1\",\"2\"\r\n\"a\",\"b\",\"1\"\r\n",
         "Failure to read conversion setting file [@/t.CTB]\n[line 4]"},
        {"*DATA\r\n*REPLACE_DATA\r\n\"\",\"b\",\"1\",\"2\"\r\n",
         "Failure to read conversion setting file [@/t.CTB]\n[line 3]"},
        {"*VER=1.0\r\n*DATA\r\n\"a\",\"b\",\"1\",\"2\"\r\n",
         "Failure to load conversion setting data due to format error"},
        {"*REPLACE_DATA\r\n\"a\",\"b\",\"1\",\"2\"\r\n",
         "Failure to load conversion setting data due to format error"},
    };
    for (const Case& c : cases) {
        ConfigFixture f;
        if (c.text) WriteAll(f.dir.path() / "t.CTB", c.text);
        CNcReplaceInfo t(f.ctx);
        t.BeforeTexts = {"earlier"};
        t.AfterTexts = {""};
        t.StartLines = {1};
        t.EndLines = {1};
        EXPECT_EQ(t.ReadTable("t"), 0);
        EXPECT_TRUE(t.BeforeTexts.empty());
        EXPECT_TRUE(t.EndLines.empty());
        EXPECT_TRUE(t.CurrentFile.empty());
        ASSERT_EQ(f.prompt.asked.size(), 1u);
        std::string expected = c.message;
        if (auto at = expected.find('@'); at != std::string::npos)
            expected.replace(at, 1, f.dir.path().string());
        EXPECT_EQ(f.prompt.asked[0].text, expected);
        EXPECT_EQ(f.prompt.asked[0].icon, platform::PromptIcon::Warning);
    }
}

TEST(CNcReplaceInfo, SaveFailures) {
    ConfigFixture f;
    CNcReplaceInfo t(f.ctx);
    FillSavedRows(t);
    // No such table: nothing is created.
    EXPECT_EQ(t.SaveTable("none", "c"), -2);
    EXPECT_FALSE(fs::exists(f.dir.path() / "none.CTB"));
    ASSERT_EQ(f.prompt.asked.size(), 1u);
    EXPECT_EQ(f.prompt.asked[0].text,
              "Failure to save \nbecause there is no conversion setting file[none.CTB]");
    // The table cannot be replaced (a folder holds its name): -1, message, nothing lost.
    fs::create_directory(f.dir.path() / "busy.CTB");
    WriteAll(f.dir.path() / "busy.CTB" / "inside", "x");
    EXPECT_EQ(t.SaveTable("busy", "c"), -1);
    ASSERT_EQ(f.prompt.asked.size(), 2u);
    EXPECT_EQ(f.prompt.asked[1].text, "Failure to write conversion setting file [busy]");
    EXPECT_EQ(ReadAll(f.dir.path() / "busy.CTB" / "inside"), "x");
    EXPECT_EQ(FilesIn(f.dir.path()), (std::vector<std::string>{"busy.CTB"}));
}

// A save and a comment edit (a rename to the table's own name) follow the rule of every save: a
// read-only table is refused and stays as it is, a link is written through and stays a link,
// and the table keeps its file, mode and spelling.
TEST(CNcReplaceInfo, SaveAndCommentRefuseReadOnlyTablesAndWriteThroughLinks) {
    const fs::perms ro = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    const fs::perms rw = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    ConfigFixture f;
    const fs::path dir = f.dir.path();
    const std::string saved = ReadAll(Fixture("saved.CTB"));
    for (const char* name : {"T1.CTB", "t2.ctb", "w.ctb"}) {
        WriteAll(dir / name, saved);
        fs::permissions(dir / name, name[0] == 'w' ? rw : ro);
    }
    fs::create_directory(dir / "parts");
    WriteAll(dir / "parts" / "real.CTB", saved);
    fs::permissions(dir / "parts" / "real.CTB", rw);
    fs::create_symlink("parts/real.CTB", dir / "L.CTB");

    CNcReplaceInfo t(f.ctx);
    const std::string comment = kCommentKey + "new";
    for (const char* name : {"T1", "t2"}) {
        const fs::path file = t.TablePath(name);
        EXPECT_EQ(t.RenameTable(name, name, "new"), 0) << name;
        EXPECT_EQ(ReadAll(file), saved) << name;
        EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, ro) << name;
        FillSavedRows(t);
        EXPECT_EQ(t.SaveTable(name, "new"), -1) << name;
        EXPECT_EQ(ReadAll(file), saved) << name;
        t.ClearTable();
    }
    EXPECT_EQ(t.RenameTable("w", "w", "new"), 1);
    EXPECT_NE(ReadAll(dir / "w.ctb").find(comment), std::string::npos);
    EXPECT_EQ(fs::status(dir / "w.ctb").permissions() & fs::perms::all, rw);

    EXPECT_EQ(t.RenameTable("L", "L", "new"), 1);
    EXPECT_TRUE(fs::is_symlink(dir / "L.CTB"));
    EXPECT_NE(ReadAll(dir / "parts" / "real.CTB").find(comment), std::string::npos);
    FillSavedRows(t);
    EXPECT_EQ(t.SaveTable("L", "again"), 0);
    EXPECT_TRUE(fs::is_symlink(dir / "L.CTB"));
    EXPECT_NE(ReadAll(dir / "parts" / "real.CTB").find(kCommentKey + "again"), std::string::npos);
    EXPECT_EQ(fs::status(dir / "parts" / "real.CTB").permissions() & fs::perms::all, rw);
    EXPECT_EQ(FilesIn(dir),
              (std::vector<std::string>{"L.CTB", "T1.CTB", "parts", "t2.ctb", "w.ctb"}));
}

TEST(CNcReplaceInfo, CreateWritesAnEmptyTableAndRefusesBadNames) {
    ConfigFixture f;
    CNcReplaceInfo t(f.ctx);
    FillSavedRows(t);  // not written by a create
    EXPECT_EQ(t.CreateTable("new", kComment), 1);
    const std::string expected = "*VER=1.0\r\n*DATA\r\n" + kCommentKey + kComment +
                                 "\r\n"
                                 "CTB\x8b\x4c\x8f\x71\x8d\x73\x8d\xed\x8f\x9c=0\r\n"
                                 "\x92\x75\x8a\xb7\x8f\x88\x97\x9d\x8e\x9e\x8a\x6d\x94\x46\x83"
                                 "\x81\x83\x62\x83\x5a\x81\x5b\x83\x57=0\r\n\r\n"
                                 "*REPLACE_DATA\r\n"
                                 ";\x92\x75\x8a\xb7\x91\x4f,\x92\x75\x8a\xb7\x8c\xe3,\x8a\x4a"
                                 "\x8e\x6e\x8d\x73,\x8f\x49\x97\xb9\x8d\x73\r\n";
    EXPECT_EQ(ReadAll(f.dir.path() / "new.CTB"), expected);
    CNcReplaceInfo r(f.ctx);
    EXPECT_EQ(r.ReadTable("new"), 1);
    EXPECT_TRUE(r.BeforeTexts.empty());

    // An existing table in another case is the same table: replaced, not doubled.
    WriteAll(f.dir.path() / "Other.ctb", "old");
    EXPECT_EQ(t.CreateTable("OTHER", "c"), 1);
    EXPECT_NE(ReadAll(f.dir.path() / "Other.ctb"), "old");
    EXPECT_FALSE(fs::exists(f.dir.path() / "OTHER.CTB"));

    for (std::string bad :
         {std::string(), std::string("sub/x"), std::string(".hidden"), std::string(300, 'n')}) {
        f.prompt.asked.clear();
        EXPECT_EQ(t.CreateTable(bad, "c"), 0) << bad;
        ASSERT_EQ(f.prompt.asked.size(), 1u);
        EXPECT_EQ(f.prompt.asked[0].text, "Invalid file name [" + bad + "]");
    }
    EXPECT_EQ(FilesIn(f.dir.path()), (std::vector<std::string>{"Other.ctb", "new.CTB"}));
}

TEST(CNcReplaceInfo, RenameToItsOwnNameReplacesTheComment) {
    struct Case {
        const char* text;
        const char* expected;  // @ stands for the comment line
    } cases[] = {
        {"*VER=1.0  \r\n\r\n*DATA\r\nold comment=x\r\n\x83\x52\x83\x81\x83\x93\x83\x67=old \r\n"
         "flag=1\t\r\n*REPLACE_DATA\r\n\"a\",\"b\",\"1\",\"2\"  \r\n",
         "*VER=1.0\r\n\r\n*DATA\r\nold comment=x\r\n@\r\nflag=1\r\n*REPLACE_DATA\r\n"
         "\"a\",\"b\",\"1\",\"2\"\r\n"},
        {"*DATA\r\nflag=1\r\n*REPLACE_DATA\r\n", "*DATA\r\nflag=1\r\n@\r\n*REPLACE_DATA\r\n"},
        {"*VER=1.0\r\n*DATA\r\nflag=1\r\n", "*VER=1.0\r\n*DATA\r\nflag=1\r\n@\r\n"},
        {"no sections\n", "no sections\r\n@\r\n"},
    };
    const std::string line = kCommentKey + "\x90\x56\x82\xb5\x82\xa2";  // 新しい
    for (const Case& c : cases) {
        ConfigFixture f;
        WriteAll(f.dir.path() / "t.CTB", c.text);
        CNcReplaceInfo t(f.ctx);
        EXPECT_EQ(t.RenameTable("t", "t.CTB", "\x90\x56\x82\xb5\x82\xa2"), 1);
        std::string expected = c.expected;
        expected.replace(expected.find('@'), 1, line);
        EXPECT_EQ(ReadAll(f.dir.path() / "t.CTB"), expected) << c.text;
        EXPECT_EQ(FilesIn(f.dir.path()), (std::vector<std::string>{"t.CTB"}));
    }
}

TEST(CNcReplaceInfo, RenameMovesTheTableAndNeverReplacesAnother) {
    ConfigFixture f;
    fs::copy_file(Fixture("saved.CTB"), f.dir.path() / "a.CTB");
    WriteAll(f.dir.path() / "b.ctb", "other table");
    CNcReplaceInfo t(f.ctx);

    // Onto another table (in any case): refused, both untouched.
    EXPECT_EQ(t.RenameTable("a", "B", "c"), 0);
    EXPECT_EQ(ReadAll(f.dir.path() / "a.CTB"), ReadAll(Fixture("saved.CTB")));
    EXPECT_EQ(ReadAll(f.dir.path() / "b.ctb"), "other table");
    // A missing table or a bad new name: refused.
    EXPECT_EQ(t.RenameTable("none", "x", "c"), 0);
    EXPECT_EQ(t.RenameTable("a", "sub/x", "c"), 0);
    EXPECT_EQ(FilesIn(f.dir.path()), (std::vector<std::string>{"a.CTB", "b.ctb"}));

    // To a free name: the rows and flags move, the old file goes.
    EXPECT_EQ(t.RenameTable("a", "moved", kComment), 1);
    EXPECT_EQ(FilesIn(f.dir.path()), (std::vector<std::string>{"b.ctb", "moved.CTB"}));
    EXPECT_EQ(ReadAll(f.dir.path() / "moved.CTB"), ReadAll(Fixture("saved.CTB")));

    // Only the case changes: the table takes the new spelling.
    EXPECT_EQ(t.RenameTable("MOVED", "Moved", kComment), 1);
    EXPECT_EQ(FilesIn(f.dir.path()), (std::vector<std::string>{"Moved.CTB", "b.ctb"}));
    CNcReplaceInfo r(f.ctx);
    EXPECT_EQ(r.ReadTable("moved"), 1);
    EXPECT_EQ(r.BeforeTexts.size(), 4u);
    EXPECT_EQ(r.DeleteCtbLines, 1);
}

TEST(CNcReplaceInfo, ListExistsAndDelete) {
    ConfigFixture f;
    fs::copy_file(Fixture("saved.CTB"), f.dir.path() / "b.CTB");
    WriteAll(f.dir.path() / "a.ctb", "*DATA\r\n" + kCommentKey + "first  \r\n");
    WriteAll(f.dir.path() / "c.ctb", kCommentKey + "before data\r\n*DATA\r\n");
    WriteAll(f.dir.path() / "note.txt", "");
    WriteAll(f.dir.path() / ".hidden.CTB", "");
    fs::create_directory(f.dir.path() / "folder.CTB");
    CNcReplaceInfo t(f.ctx);
    EXPECT_EQ(t.ListTables(), 1);
    EXPECT_EQ(t.TableNames, (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(t.TableComments, (std::vector<std::string>{"first", kComment, ""}));

    EXPECT_EQ(t.TableExists("B"), 1);
    EXPECT_EQ(t.CurrentFile, "B.CTB");
    EXPECT_EQ(t.TableExists("zzz"), 0);
    EXPECT_EQ(t.CurrentFile, "zzz.CTB");
    EXPECT_NE(t.DeleteTable("A.CTB"), 0);
    EXPECT_EQ(t.DeleteTable("A.CTB"), 0);
    EXPECT_FALSE(fs::exists(f.dir.path() / "a.ctb"));

    t.TableFolder = f.dir.path() / "missing";
    EXPECT_EQ(t.ListTables(), 0);
}

TEST(CNcReplaceInfo, TableFolderFollowsTheMachineFile) {
    struct Case {
        const char* fileName;  // [NcRead] FileName; nullptr: no key
        const char* folder;    // relative to the configuration folder
    } cases[] = {
        {nullptr, ""},
        {"MV_Machine.nmd", ""},
        {"machines/Laser.NMD", "machines"},
        {"gone/Laser.NMD", ""},  // a folder that does not exist
        {"@/machines/Laser.NMD", "machines"},
    };
    for (const Case& c : cases) {
        ConfigFixture f;
        fs::create_directory(f.dir.path() / "machines");
        std::string name = c.fileName ? c.fileName : "";
        if (auto at = name.find('@'); at != std::string::npos)
            name.replace(at, 1, f.dir.path().string());
        WriteAll(f.ctx.IniPath, c.fileName ? "[NcRead]\r\nFileName=" + name + "\r\n" : "");
        CNcReplaceInfo t(f.ctx);
        fs::path expected = f.dir.path();
        if (*c.folder) expected /= c.folder;
        EXPECT_EQ(t.TableFolder, expected) << name;
    }
}

TEST(CNcReplaceInfo, SavedTablesAlwaysReadBack) {
    ConfigFixture f;
    CNcReplaceInfo t(f.ctx);
    ASSERT_EQ(t.CreateTable("t", "two\r\nlines"), 1);
    t.BeforeTexts = {"a", "", "c"};
    t.AfterTexts = {"1", "2", "3"};
    t.StartLines = {1, 2, 3};
    t.EndLines = {1, 2, 3};
    ASSERT_EQ(t.SaveTable("t", "one\nline"), 0);
    CNcReplaceInfo r(f.ctx);
    EXPECT_EQ(r.ReadTable("t"), 1);
    EXPECT_EQ(r.BeforeTexts, (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(r.AfterTexts, (std::vector<std::string>{"1", "3"}));
    r.ReadComment("t.CTB");
    EXPECT_EQ(r.TableComments, (std::vector<std::string>{"one line"}));
}

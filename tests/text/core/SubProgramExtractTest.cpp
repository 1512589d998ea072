// The extraction's templates, settings, parts and file text.
#include "text/core/SubProgramExtract.h"

#include <gtest/gtest.h>

#include <fstream>

#include "TempDir.h"

namespace {

TEST(ExpandTemplate, Table) {
    const auto& t = TemplateKeywords();
    ASSERT_EQ(t.size(), 164u);
    EXPECT_EQ(t[0], "PGNO");
    EXPECT_EQ(t[44], "PGN1");
    EXPECT_EQ(t[55], "F01");
    EXPECT_EQ(t[74], "F20");
    EXPECT_EQ(t[163], "SCC");
}

TEST(ExpandTemplate, Cases) {
    const struct {
        const char* tmpl;
        int number, length;
        const char* scc;
        const char* arg;
        const char* out;
    } cases[] = {
        {"O{PGNO}{SCC}:G40G01:G90G92X0.Y0.Z0.:M61:(*PGS)", 12, 4, ":M200(%s)", "PART-A",
         "O0012\nM200(PART-A)\nG40G01\nG90G92X0.Y0.Z0.\nM61\n(*PGS)"},
        {"O{PGNO}{SCC}", 12, 4, ":M200(%s)", "", "O0012"},  // no argument: no call line
        {"O{PGNO}", 12, 6, "", "", "O000012"},
        {"O{PGN1}", 7, 0, "", "", "O7"},
        {"{PGNOX}", 5, 2, "", "", "05"},  // the entry matches the keyword's beginning
        {"A{DATE}B{TIME}C", 5, 2, "", "", "ABC"},
        {"A{NOSUCH}B{}C", 5, 2, "", "", "ABC"},
        {"A{DX}B", 5, 2, "", "", "AB"},    // "D" matches any other D keyword
        {"O{PGNO}{", 3, 1, "", "", "O3"},  // a '{' at the end ends it
        {"O{PGNO", 3, 1, "", "", "O3"},    // an unclosed keyword runs to the end
        {"(*PGE):M62:M30", 1, 4, "", "", "(*PGE)\nM62\nM30"},
        // The SCC template is no format: "%d" and "%n" are copied, only the first "%s" takes
        // the argument.
        {"{SCC}", 1, 4, "M200(%s)%d%n%s%", "X", "M200(X)%d%n%s%"},
        {"{SCC}", 1, 4, ":M200", "X", "\nM200"},
        // ':' in the argument becomes a line break like every remaining ':'.
        {"{SCC}", 1, 4, "M200(%s)", "A:B", "M200(A\nB)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExpandTemplate(c.tmpl, c.number, c.length, c.scc, c.arg), c.out) << c.tmpl;
    // No length limit.
    const std::string longText(5000, 'G');
    EXPECT_EQ(ExpandTemplate(longText + "{PGNO}", 1, 4, "", "").size(), 5004u);
}

TEST(Extraction, CallArgument) {
    const struct {
        std::vector<std::string> lines;
        const char* arg;
    } cases[] = {
        {{"O1", "M200(PART-A)", "M200(B)"}, "PART-A"},
        {{"O1", "M200"}, ""},
        {{"O1", "M200)X("}, ""},  // ')' before '('
        {{"O1", "M200(OPEN"}, ""},
        {{"G01(M200)"}, "M200"},
        {{}, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(CallArgument(c.lines), c.arg);
    std::vector<std::string> late(16, "G01");
    late.push_back("M200(LATE)");
    EXPECT_EQ(CallArgument(late), "");
    late[15] = "M200(LAST)";
    EXPECT_EQ(CallArgument(late), "LAST");
}

TEST(Extraction, FindSubProgram) {
    const std::vector<std::string> lines = {"O1000(MAIN)",  "G00X1.", "M98P2000", "M30",
                                            " O2000 (SUB)", "G01X2.", "G01Y3.",   "M99",
                                            "O3000",        "G01X1.", "M30"};
    SubProgramPart p;
    ASSERT_FALSE(FindSubProgram(lines, 1, 'O', 'O', p));  // ends with M30
    ASSERT_FALSE(FindSubProgram(lines, 9, 'O', 'O', p));
    std::vector<std::string> sub = lines;
    sub[4] = "O2000 (SUB)";
    ASSERT_TRUE(FindSubProgram(sub, 6, 'O', 'O', p));
    EXPECT_EQ(p.First, 4);
    EXPECT_EQ(p.Last, 7);
    EXPECT_EQ(p.ProposedName, "O2000");
    EXPECT_EQ(p.ProgramNumber, 2000);
    EXPECT_EQ(p.Body, (std::vector<std::string>{"G01X2.", "G01Y3."}));
}

TEST(Extraction, NamesAndText) {
    EXPECT_EQ(WithDocumentExtension("/d/O2000", "/p/a.b/prog.nc"), "/d/O2000.nc");
    EXPECT_EQ(WithDocumentExtension("/d/O2000.txt", "/p/prog.nc"), "/d/O2000.txt");
    EXPECT_EQ(WithDocumentExtension("/d/O2000", "/p.x/prog"), "/d/O2000");
    EXPECT_EQ(SubProgramFileText("O0012\nM61", {"G01X1.", ""}, "M30"),
              "O0012\r\nM61\r\nG01X1.\r\n\r\nM30\r\n");
    const std::pair<const char*, int> numbers[] = {
        {"0", 1},
        {"-5", 1},
        {"12345", 9999},
        {"42abc", 42},
        {"", 1},
        {" 7", 7},
        {"99999999999999999999", 9999},
        {"0042", 42},
    };
    for (auto [text, n] : numbers) EXPECT_EQ(ClampProgramNumber(text), n) << text;
}

TEST(Extraction, Settings) {
    test::TempDir dir;
    const auto file = dir.path() / "m.nmd";
    ExtractSettings d = ExtractSettings::Read(file);
    EXPECT_EQ(d.Header, "O{PGNO}{SCC}:G40G01:G90G92X0.Y0.Z0.:M61:(*PGS)");
    EXPECT_EQ(d.Footer, "(*PGE):M62:M30");
    EXPECT_EQ(d.Scc, ":M200(%s)");
    EXPECT_EQ(d.PrgNoLen, 4);
    EXPECT_EQ(d.FilePath, "");
    std::ofstream(file) << "[ExtractSub]\nHeader=O{PGNO}\nPrgNoLen=6\n";
    EXPECT_TRUE(ExtractSettings::WriteFilePath(file, "/out/"));
    d = ExtractSettings::Read(file);
    EXPECT_EQ(d.Header, "O{PGNO}");
    EXPECT_EQ(d.PrgNoLen, 6);
    EXPECT_EQ(d.FilePath, "/out/");
}

}  // namespace

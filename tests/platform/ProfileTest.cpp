// Profile (INI) functions: Windows semantics and byte-preserving writes.
#include "platform/Profile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "TempDir.h"
#include "TestFiles.h"

using platform::ProfileFile;

using test::ReadFile;
using test::WriteFile;

TEST(Profile, ReadsWithWindowsRules) {
    ProfileFile p;
    p.SetText(
        "; comment\r\n"
        "[Machine]\r\n"
        "  Name = \"Laser 1\" \r\n"
        "ZeroTimes=1000\r\n"
        "Speed=12.5mm\r\n"
        "Empty=\r\n"
        "Bad=abc\r\n"
        "name=second\r\n"
        "[machine]\r\n"
        "Other=1\r\n");
    struct Case {
        const char* section;
        const char* key;
        const char* expected;
    } cases[] = {
        {"Machine", "Name", "Laser 1"},    // trimmed, quotes dropped
        {"MACHINE", "zerotimes", "1000"},  // names match without case
        {"Machine", "Empty", ""},
        {"Machine", "Other", "dflt"},  // only the first section of a name counts
        {"Missing", "Name", "dflt"},
        {"Machine", "Missing", "dflt"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(p.GetString(c.section, c.key, "dflt"), c.expected) << c.section << "/" << c.key;
    EXPECT_EQ(p.GetInt("Machine", "ZeroTimes", 7), 1000);
    EXPECT_EQ(p.GetInt("Machine", "Bad", 7), 0);  // present but not a number
    EXPECT_EQ(p.GetInt("Machine", "Nope", 7), 7);
    EXPECT_DOUBLE_EQ(p.GetReal("Machine", "Speed", 0), 12.5);
    EXPECT_DOUBLE_EQ(p.GetReal("Machine", "Bad", 2.5), 2.5);
    EXPECT_EQ(p.KeyNames("machine"),
              (std::vector<std::string>{"Name", "ZeroTimes", "Speed", "Empty", "Bad", "name"}));
    EXPECT_EQ(p.SectionNames(), (std::vector<std::string>{"Machine", "machine"}));
}

// Lines whose first character (after blanks) is ';' are comments wherever they stand: their
// "key" is no key, and a write of that key leaves them alone. A pair of quotes around a value
// is dropped, also when nothing stands between them; a single quote stays.
TEST(Profile, CommentLinesAndQuotedValues) {
    ProfileFile p;
    p.SetText(
        "[S]\r\n"
        ";Hidden=1\r\n"
        "  ; Name=old\r\n"
        "Path=a;b\r\n"
        "Empty=\"\"\r\n"
        "Blank=\" \"\r\n"
        "Padded = \" x \" \r\n"
        "Open=\"x\r\n"
        "One=\"\r\n");
    struct Case {
        const char* key;
        const char* expected;
    } cases[] = {
        {";Hidden", "dflt"}, {"Hidden", "dflt"}, {"; Name", "dflt"}, {"Name", "dflt"},
        {"Path", "a;b"},     {"Empty", ""},      {"Blank", " "},     {"Padded", " x "},
        {"Open", "\"x"},     {"One", "\""},
    };
    for (const Case& c : cases) EXPECT_EQ(p.GetString("S", c.key, "dflt"), c.expected) << c.key;
    EXPECT_EQ(p.KeyNames("S"),
              (std::vector<std::string>{"Path", "Empty", "Blank", "Padded", "Open", "One"}));
    EXPECT_EQ(p.GetInt("S", "Hidden", 7), 7);

    p.Set("S", "Name", "new");  // a new key; the comment naming it stays as it was
    EXPECT_EQ(p.GetString("S", "Name", ""), "new");
    EXPECT_NE(p.Text().find("  ; Name=old\r\n"), std::string::npos);
    p.DeleteKey("S", "Hidden");  // no such key: the comment stays
    EXPECT_NE(p.Text().find(";Hidden=1\r\n"), std::string::npos);
}

TEST(Profile, WriteKeepsEveryOtherByte) {
    const std::string original =
        "; keep me\r\n[A]\r\nx=1\r\n\r\n[B]\ny = 2\n\x82\xa0=\x83\x41\n";  // mixed line ends, CP932
    ProfileFile p;
    p.SetText(original);
    p.Set("a", "X", "10");  // in place, the file's spelling of the key kept
    EXPECT_EQ(p.Text(), "; keep me\r\n[A]\r\nx=10\r\n\r\n[B]\ny = 2\n\x82\xa0=\x83\x41\n");
    p.Set("A", "new", "v");  // appended after the section's last line, before the blank
    EXPECT_EQ(p.Text(), "; keep me\r\n[A]\r\nx=10\r\nnew=v\r\n\r\n[B]\ny = 2\n\x82\xa0=\x83\x41\n");
    p.Set("C", "k", "3.500");  // new section at the end
    EXPECT_EQ(p.GetString("C", "k", ""), "3.500");
    p.DeleteKey("A", "new");
    p.DeleteSection("C");
    p.Set("A", "x", "1");
    EXPECT_EQ(p.Text(), original);
    EXPECT_EQ(p.GetString("B", "\x82\xa0", ""), "\x83\x41");
}

TEST(Profile, NoFinalLineEnd) {
    ProfileFile p;
    p.SetText("[S]\r\na=1");
    p.Set("S", "b", "2");
    EXPECT_EQ(p.Text(), "[S]\r\na=1\r\nb=2\r\n");
    p.SetText("[S]");
    p.Set("S", "b", "2");
    EXPECT_EQ(p.Text(), "[S]\r\nb=2\r\n");
}

TEST(Profile, FileFunctionsRoundTripAndMissingFile) {
    test::TempDir dir;
    auto file = dir.path() / "MV_System.ini";
    EXPECT_EQ(platform::GetProfileString("S", "k", "def", file), "def");
    EXPECT_EQ(platform::GetProfileInt("S", "k", 5, file), 5);
    EXPECT_TRUE(platform::GetProfileSectionNames(file).empty());

    ASSERT_TRUE(platform::WriteProfileString("S", "k", "v", file));
    EXPECT_EQ(ReadFile(file), "[S]\r\nk=v\r\n");
    ASSERT_TRUE(platform::WriteProfileReal("S", "r", 2.0 / 3.0, file));
    ASSERT_TRUE(platform::WriteProfileInt("S", "i", -42, file));
    EXPECT_EQ(ReadFile(file), "[S]\r\nk=v\r\nr=0.667\r\ni=-42\r\n");
    EXPECT_EQ(platform::GetProfileInt("s", "I", 0, file), -42);

    ASSERT_TRUE(platform::WriteProfileString("S", "k", std::nullopt, file));
    EXPECT_EQ(platform::GetProfileKeyNames("S", file), (std::vector<std::string>{"r", "i"}));
    ASSERT_TRUE(platform::WriteProfileString("S", std::nullopt, std::nullopt, file));
    EXPECT_EQ(ReadFile(file), "");

    // A write into a folder that does not exist fails and leaves nothing behind.
    EXPECT_FALSE(platform::WriteProfileString("S", "k", "v", dir.path() / "no" / "x.ini"));
}

TEST(Profile, SaveLeavesNoTemporaryFiles) {
    test::TempDir dir;
    auto file = dir.path() / "a.ini";
    WriteFile(file, "[S]\nk=1\n");
    ASSERT_TRUE(platform::WriteProfileString("S", "k", "2", file));
    int count = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir.path())) ++count;
    EXPECT_EQ(count, 1);
    EXPECT_EQ(ReadFile(file), "[S]\nk=2\n");
}

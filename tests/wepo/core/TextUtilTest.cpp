// Path parts, splitting at delimiters and the text test of file samples.
#include "wepo/core/TextUtil.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Split(std::string text, const char* delimiters) {
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    int n = wepo::SplitAtChars(buffer.data(), delimiters);
    std::vector<std::string> pieces;
    const char* p = buffer.data();
    for (int i = 0; i < n; ++i) {
        pieces.emplace_back(p);
        p += std::strlen(p) + 1;
    }
    return pieces;
}

TEST(TextUtilTest, SplitAtChars) {
    using V = std::vector<std::string>;
    EXPECT_EQ(Split("a;;b", ";"), (V{"a", "", "b"}));
    EXPECT_EQ(Split("*.SPF;*.sef", ";"), (V{"*.SPF", "*.sef"}));
    EXPECT_EQ(Split("plain", ";"), (V{"plain"}));
    EXPECT_EQ(Split("", ";"), (V{""}));
    EXPECT_EQ(Split("a b;c", "; "), (V{"a", "b", "c"}));
    EXPECT_EQ(Split(";", ";"), (V{"", ""}));
    // 0x95 0x5C is one double-byte character whose trail byte is a backslash.
    EXPECT_EQ(Split("\x95\x5C"
                    "a\\b",
                    "\\"),
              (V{"\x95\x5C"
                 "a",
                 "b"}));
    EXPECT_EQ(wepo::SplitAtChars(nullptr, ";"), 0);
    char text[] = "x";
    EXPECT_EQ(wepo::SplitAtChars(text, nullptr), 0);
}

TEST(TextUtilTest, IsTextSample) {
    struct Case {
        std::string bytes;
        int text;
    } cases[] = {
        {"G01 X10.\r\nM30\r\n", 1},
        {"a\tb", 1},
        {"end\x1A", 1},  // end-of-file mark as the last byte
        {"a\x1A"
         "b",
         0},  // ... but not before it
        {std::string("a\0b", 3), 0},
        {"a\x07", 0},
        {"\x7F", 0},
        {"\xFD", 0},
        {"\xFF", 0},
        {"\x80", 1},          // single byte
        {"\xA0\xB1\xDF", 1},  // half-width katakana
        {"\x82\xA0", 1},      // a double-byte character
        {"\x82\x7F", 0},      // lead byte with 0x7F
        {"\x82\x30", 0},      // lead byte with a byte that is no trail byte
        {"ab\x82", 1},        // a character cut by the end of the sample
        {"", 1},
    };
    for (const auto& c : cases) {
        // Each sample in a buffer of its own size, so a read past the range is caught by ASan.
        auto buffer = std::make_unique<unsigned char[]>(c.bytes.size() + (c.bytes.empty() ? 1 : 0));
        std::memcpy(buffer.get(), c.bytes.data(), c.bytes.size());
        EXPECT_EQ(wepo::IsTextSample(buffer.get(), c.bytes.size()), c.text) << c.bytes;
    }
}

TEST(TextUtilTest, GetPathPart) {
    struct Case {
        const char* path;
        unsigned parts;
        const char* out;
    } cases[] = {
        {"/home/u/dies/a.spf", 12, "a.spf"},
        {"/home/u/dies/a.spf", 3, "/home/u/dies/"},
        {"/home/u/dies/a.spf", 2, "/home/u/dies/"},
        {"/home/u/dies/a.spf", 4, "a"},
        {"/home/u/dies/a.spf", 8, ".spf"},
        {"/home/u/dies/a.spf", 15, "/home/u/dies/a.spf"},
        {"/home/u/dies/a.spf", 1, ""},
        {"/home/u/v1.2/noext", 12, "noext"},
        {"name.tar.gz", 12, "name.tar.gz"},
        {"name.tar.gz", 8, ".gz"},
        {"", 15, ""},
    };
    for (const auto& c : cases) {
        std::string out = "junk";
        EXPECT_EQ(wepo::GetPathPart(c.path, c.parts, &out), 1);
        EXPECT_EQ(out, c.out) << c.path << " " << c.parts;
    }
    std::string out;
    EXPECT_EQ(wepo::GetPathPart(nullptr, 12, &out), 0);
    EXPECT_EQ(wepo::GetPathPart("a", 12, nullptr), 0);
}

}  // namespace

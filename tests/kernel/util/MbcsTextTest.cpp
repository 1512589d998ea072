// Tests of the double-byte-aware search, case change and key search.
#include "kernel/util/MbcsText.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {
constexpr size_t npos = std::string_view::npos;
}

TEST(MbcsText, CharacterSearch) {
    struct Case {
        std::string text;
        char value;
        size_t first, last;
    } cases[] = {
        {"a\\b\\c", '\\', 1, 3},
        {"\x95\x5C"
         "abc",
         '\\', npos, npos},  // only 0x5C is a trail byte
        {"C:\\\x95\x5C"
         "a",
         '\\', 2, 2},
        {"abc", '\0', 3, 3},                     // the terminator is found
        {std::string("a,b\0,c", 6), ',', 1, 1},  // the text ends at its NUL
        {"x\xB6y\xB6", '\xB6', 1, 3},            // half-width kana: single bytes >= 0x80
        {"", ',', npos, npos},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StrChrMbcs(c.text, c.value), c.first) << c.text;
        EXPECT_EQ(StrRChrMbcs(c.text, c.value), c.last) << c.text;
    }
}

TEST(MbcsText, LeadByteBeforeEndDoesNotOverrun) {
    // A line cut after a lead byte; exact-size heap buffers let AddressSanitizer catch over-reads.
    for (std::string text : {"ab\x81", "\x81", "a\\\x95"}) {
        auto buf = std::make_unique<char[]>(text.size());
        std::copy(text.begin(), text.end(), buf.get());
        std::string_view view(buf.get(), text.size());
        EXPECT_EQ(StrChrMbcs(view, ','), npos);
        EXPECT_EQ(StrRChrMbcs(view, '\0'), text.size());
    }
    std::string cut("ab\x81\0zz", 6);
    EXPECT_EQ(StrChrMbcs(cut, 'z'), npos);  // the NUL after the lead byte still ends the text
}

TEST(MbcsText, CaseChange) {
    struct Case {
        std::string text, upper, lower;
    } cases[] = {
        {"g01x1.5", "G01X1.5", "g01x1.5"},
        {"a\x82\x61z", "A\x82\x61Z", "a\x82\x61z"},  // ａ (82 61) keeps its trail 'a'
        {"\x83\x41"
         "B",
         "\x83\x41"
         "B",
         "\x83\x41"
         "b"},  // ア (83 41) keeps its trail 'A'
        {std::string("ab\0cd", 5), std::string("AB\0cd", 5), std::string("ab\0cd", 5)},
    };
    for (const Case& c : cases) {
        std::string up = c.text, low = c.text;
        EXPECT_EQ(StrUpperMbcs(up), c.upper);
        EXPECT_EQ(StrLowerMbcs(low), c.lower);
    }
}

TEST(MbcsText, FindAfterNoCase) {
    struct Case {
        std::string text, key, out;
        int result;
    } cases[] = {
        {"NMD=Laser.nmd", "nmd=", "Laser.nmd", 1},
        {"(ctb=Conv.CTB)", "CTB=", "Conv.CTB)", 1},
        {"G01X10", "Y", "G01X10", 0},
        {"abc", "", "abc", 1},
        {"ab", "abc", "ab", 0},
        {std::string(2000, 'x') + "KEY=v", "key=", "v", 1},  // no fixed buffer
    };
    for (const Case& c : cases) {
        std::string out = "junk";
        EXPECT_EQ(FindAfterNoCase(c.text, c.key, out), c.result) << c.text;
        EXPECT_EQ(out, c.out);
    }
}

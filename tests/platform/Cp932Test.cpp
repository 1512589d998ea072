// Tests of the CP932 byte classes and walkers.
#include "platform/Cp932.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace platform;

namespace {
constexpr size_t npos = std::string_view::npos;
}

TEST(Cp932, LeadAndTrailClasses) {
    struct Case {
        unsigned char b;
        bool lead, trail;
    } cases[] = {{0x40, false, true}, {0x5C, false, true},  {0x7F, false, false},
                 {0x80, false, true}, {0x81, true, true},   {0x9F, true, true},
                 {0xA0, false, true}, {0xDF, false, true},  {0xE0, true, true},
                 {0xFC, true, true},  {0xFD, false, false}, {0x2C, false, false}};
    for (const Case& c : cases) {
        EXPECT_EQ(IsLeadByte(c.b), c.lead) << int(c.b);
        EXPECT_EQ(IsTrailByte(c.b), c.trail) << int(c.b);
    }
}

TEST(Cp932, FindSkipsPairs) {
    // "表" is 95 5C: its trail byte is the backslash code.
    struct Case {
        std::string text;
        char ch;
        size_t first, last;
    } cases[] = {
        {"C:\\\x95\x5C"
         "a",
         '\\', 2, 2},
        {"\x95\x5C", '\\', npos, npos},
        {"a\\b\\c", '\\', 1, 3},
        {"a.b\x81\x2E.c", '.', 1, 5},  // 81 2E is no pair: 2E is no trail byte
        {"\x82\xA0x", 'x', 2, 2},
        {"", 'x', npos, npos},
        {std::string("a\0b", 3), '\0', 1, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindFirstSingle(c.text, c.ch), c.first) << c.text;
        EXPECT_EQ(FindLastSingle(c.text, c.ch), c.last) << c.text;
    }
}

TEST(Cp932, FindTextStartsOnCharacterBoundaries) {
    struct Case {
        std::string text, what;
        size_t from, at;
    } cases[] = {
        {"G00 M98 P10", "M98", 0, 4},
        {"(\x83\x4D"
         "98)",
         "M98", 0, npos},  // 83 4D is one character
        {"(\x83\x4D"
         "98)M98",
         "M98", 0, 6},  // the next one counts
        {"\x83\x4D"
         "09 M09",
         "M09", 0, 5},
        {"ab\x81\x2EM98", "M98", 0, 4},  // 81 2E is no pair
        {"M98 M98", "M98", 1, 4},
        {"abc", "", 1, 1},
        {"abc", "x", 4, npos},
        {std::string("\x83", 1), "\x83", 0, 0},  // a lone lead byte at the end
    };
    for (const Case& c : cases) EXPECT_EQ(FindText(c.text, c.what, c.from), c.at) << c.text;
}

TEST(Cp932, FindFirstOfSet) {
    EXPECT_EQ(FindFirstSingleOf("\x95\x5C;a,b", ",;"), 2u);
    EXPECT_EQ(FindFirstSingleOf("\x83\x7C", "|"), npos);
    EXPECT_EQ(FindFirstSingleOf("abc", ""), npos);
}

TEST(Cp932, LeadByteAtBufferEndStaysInside) {
    // A heap buffer of exactly the bytes, so that AddressSanitizer sees any read past it.
    for (std::string text : {"\x81", "ab\x95", "\\\x95", "\x95\x5C\x95"}) {
        auto buf = std::make_unique<char[]>(text.size());
        std::copy(text.begin(), text.end(), buf.get());
        std::string_view view(buf.get(), text.size());
        EXPECT_EQ(FindLastSingle(view, '\\'), text == "\\\x95" ? 0u : npos) << text;
        EXPECT_EQ(FindFirstSingle(view, '\x95'), text.back() == '\x95' ? text.size() - 1 : npos);
        ToUpperSingleBytes(buf.get(), text.size());
    }
}

TEST(Cp932, CasingLeavesPairsAlone) {
    struct Case {
        std::string text, upper, lower;
    } cases[] = {
        {"abC1z", "ABC1Z", "abc1z"},
        // 82 61 is a full-width letter whose trail byte reads as 'a'; 83 41 has trail 'A'.
        {"x\x82\x61y\x83\x41", "X\x82\x61Y\x83\x41", "x\x82\x61y\x83\x41"},
        {"a\x81", "A\x81", "a\x81"},
    };
    for (const Case& c : cases) {
        std::string up = c.text, low = c.text;
        ToUpperSingleBytes(up);
        ToLowerSingleBytes(low);
        EXPECT_EQ(up, c.upper);
        EXPECT_EQ(low, c.lower);
    }
}

TEST(Cp932, NoCaseComparison) {
    EXPECT_TRUE(EqualsNoCase("MV_System.ini", "mv_system.INI"));
    EXPECT_FALSE(EqualsNoCase("a", "ab"));
    EXPECT_TRUE(StartsWithNoCase("/Home/User/x", "/home/user/"));
    EXPECT_FALSE(StartsWithNoCase("/ho", "/home"));
}

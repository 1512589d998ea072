// Tests of the CP932 <-> UTF-8 conversion: readable text and lossless round trips.
#include "platform/TextCodec.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace platform;

TEST(TextCodec, DecodesText) {
    struct Case {
        std::string cp932, utf8;
    } cases[] = {
        {"G01X1.5", "G01X1.5"},
        {"\x95\x5C", "\xE8\xA1\xA8"},              // 表
        {"\x95\x5C\\a", "\xE8\xA1\xA8\\a"},        // 0x5C stays a backslash, not a yen sign
        {"\xB6\xC0", "\xEF\xBD\xB6\xEF\xBE\x80"},  // half-width katakana
        {"A\r\nB", "A\r\nB"},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Cp932ToUtf8(c.cp932), c.utf8);
        Cp932Encoding back = Utf8ToCp932(c.utf8);
        EXPECT_TRUE(back.ok());
        EXPECT_EQ(back.bytes, c.cp932);
    }
}

TEST(TextCodec, UndecodableBytesAreEscapedAndComeBack) {
    // U+F7xx for byte xx: EF 9E/9F xx in UTF-8.
    struct Case {
        std::string cp932, utf8;
    } cases[] = {
        {"a\x80"
         "b",
         "a\xEF\x9E\x80"
         "b"},
        {"\xFF", "\xEF\x9F\xBF"},
        {"x\x81", "x\xEF\x9E\x81"},                // lone lead byte at the end
        {"\x81\n", "\xEF\x9E\x81\n"},              // lead byte before a line end
        {"\xED\x40", "\xEF\x9F\xAD@"},             // NEC-selected duplicate of FA 5C
        {"\x87\x90", "\xEF\x9E\x87\xEF\x9E\x90"},  // duplicate of 81 E0
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Cp932ToUtf8(c.cp932), c.utf8);
        EXPECT_EQ(Utf8ToCp932(c.utf8).bytes, c.cp932);
    }
}

TEST(TextCodec, OnlyTheFaultyLineIsEscaped) {
    // 1: "表\r\n", 2: ED 40 (no round trip), 3: "表"
    std::string text = "\x95\x5C\r\n\xED\x40\r\n\x95\x5C";
    EXPECT_EQ(Cp932ToUtf8(text), "\xE8\xA1\xA8\r\n\xEF\x9F\xAD@\r\n\xE8\xA1\xA8");
    EXPECT_EQ(Utf8ToCp932(Cp932ToUtf8(text)).bytes, text);
}

TEST(TextCodec, EveryByteStringSurvivesRoundTrip) {
    std::string all;
    for (int i = 0; i < 256; ++i)
        for (int j = 0; j < 256; j += 7) all += {char(i), char(j), ' '};
    EXPECT_EQ(Utf8ToCp932(Cp932ToUtf8(all)).bytes, all);

    std::mt19937 rng(42);
    for (int round = 0; round < 200; ++round) {
        std::string text;
        for (int k = 0; k < 40; ++k) text += char(rng() % 256);
        Cp932Encoding back = Utf8ToCp932(Cp932ToUtf8(text));
        EXPECT_TRUE(back.ok());
        EXPECT_EQ(back.bytes, text);
    }
}

TEST(TextCodec, UnconvertibleUtf8IsCounted) {
    struct Case {
        std::string utf8, bytes;
        size_t count, first;
    } cases[] = {
        {"ab\xF0\x9F\x98\x80"
         "c",
         "ab?c", 1, 2},                            // an emoji has no CP932 form
        {"a\xC3(b", "a?(b", 1, 1},                 // invalid UTF-8
        {"\xE2\x82\xAC\xE2\x82\xAC", "??", 2, 0},  // euro sign, not in CP932
    };
    for (const Case& c : cases) {
        Cp932Encoding r = Utf8ToCp932(c.utf8);
        EXPECT_FALSE(r.ok());
        EXPECT_EQ(r.bytes, c.bytes);
        EXPECT_EQ(r.unconvertible, c.count);
        EXPECT_EQ(r.firstUnconvertible, c.first);
    }
}

TEST(TextCodec, SettingsValuesWrittenAsUtf8AreTakenAsUtf8OnlyWhenNoCp932Text) {
    struct Case {
        const char* why;
        std::string bytes, utf8;
    } cases[] = {
        {"CP932 text", "\x83\x65\x83\x58\x83\x67", "テスト"},
        {"CP932 text that is valid UTF-8 too", "\xC3\xBD", "ﾃｽ"},
        {"UTF-8 that is no CP932 text", "テスト", "テスト"},
        {"UTF-8 that reads as CP932 text", "機械", "讖滓｢ｰ"},
        {"neither: escaped", "\x80X", "\xEF\x9E\x80X"},
        {"ASCII", "G01", "G01"},
    };
    for (const Case& c : cases) EXPECT_EQ(Cp932OrUtf8ToUtf8(c.bytes), c.utf8) << c.why;
    // An escape character in UTF-8 is no text of its own: it would be written back as a byte.
    const std::string escaped = "\xE3\x83\x86\xEF\x9E\x80";  // テ U+F780
    EXPECT_EQ(Cp932OrUtf8ToUtf8(escaped), Cp932ToUtf8(escaped));
    EXPECT_NE(Cp932OrUtf8ToUtf8(escaped), escaped);
}

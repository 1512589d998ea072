// Tests of the field scanners used by die files, conversion tables and point lists.
#include "kernel/util/ScanFields.h"

#include <gtest/gtest.h>

#include <clocale>
#include <fstream>
#include <string>

#include "kernel/util/MbcsText.h"

TEST(ScanField, SingleConversions) {
    struct Case {
        const char* text;
        const char* format;
        bool ok;
        long expected;
    } ints[] = {
        {" 42", "%d", true, 42},  {"-7x", "%d", true, -7},   {"+3", "%d", true, 3},
        {"abc", "%d", false, -1}, {"", "%d", false, -1},     {"12345", "%3d", true, 123},
        {"0x1F", "%x", true, 31}, {"ff", "%x", true, 255},   {"010", "%i", true, 8},
        {"T12", "T%d", true, 12}, {"X12", "T%d", false, -1}, {"99999999999", "%d", false, -1},
    };
    for (const auto& c : ints) {
        int v = -1;
        EXPECT_EQ(ScanField(&v, c.format).Scan(c.text), c.ok) << c.text << " " << c.format;
        EXPECT_EQ(v, c.expected) << c.text << " " << c.format;
    }
    short s = -1;
    EXPECT_FALSE(ScanField(&s).Scan("70000"));  // does not fit a short: unchanged
    EXPECT_EQ(s, -1);
    EXPECT_TRUE(ScanField(&s).Scan("-300"));
    EXPECT_EQ(s, -300);

    struct RealCase {
        const char* text;
        bool ok;
        double expected;
    } reals[] = {{"1.5", true, 1.5}, {" -0.25mm", true, -0.25}, {"1e3", true, 1000.0},
                 {".5", true, 0.5},  {"x", false, 9.0},         {"1,5", true, 1.0}};
    for (const auto& c : reals) {
        double d = 9.0;
        EXPECT_EQ(ScanField(&d).Scan(c.text), c.ok) << c.text;
        EXPECT_DOUBLE_EQ(d, c.expected) << c.text;
    }

    std::string word = "old";
    EXPECT_TRUE(ScanField(&word).Scan("  AB DE"));
    EXPECT_EQ(word, "AB");
    EXPECT_TRUE(ScanField(&word, "%3s").Scan("ABCDEF"));
    EXPECT_EQ(word, "ABC");
    EXPECT_FALSE(ScanField(&word).Scan("   "));
    EXPECT_EQ(word, "ABC");
    char letter = '?';
    EXPECT_TRUE(ScanField(&letter).Scan("B12"));
    EXPECT_EQ(letter, 'B');
    EXPECT_FALSE(ScanField(&letter, "%d").Scan("5"));  // a format that does not fit its target
    EXPECT_EQ(letter, 'B');
}

TEST(ScanField, RealsIgnoreTheProcessLocale) {
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    std::string saved = old ? old : "C";
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");  // may be missing; the check holds either way
    double d = 0;
    EXPECT_TRUE(ScanField(&d).Scan("2.75"));
    EXPECT_DOUBLE_EQ(d, 2.75);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(ScanTokens, SkipsEmptyFields) {
    struct Case {
        const char* delims;
        const char* text;
        int count;
        double a, b, c;
    } cases[] = {
        {",", "1,,2", 2, 1, 2, -1},
        {",", ",,1.5,2.5,3.5,4.5", 3, 1.5, 2.5, 3.5},  // stops at the last field
        {", ", " 10 , x ,30", 3, 10, -1, 30},          // a failed token still counts
        {",", "", 0, -1, -1, -1},
        {",", ",,,", 0, -1, -1, -1},
    };
    for (const Case& c : cases) {
        double a = -1, b = -1, d = -1;
        EXPECT_EQ(ScanTokens(c.delims, c.text, {&a, &b, &d}), c.count) << c.text;
        EXPECT_EQ(a, c.a);
        EXPECT_EQ(b, c.b);
        EXPECT_EQ(d, c.c);
    }
    // The text is not changed, and the same delimiters can scan two texts in turn.
    std::string text = "PA10,20";
    double x = 0, y = 0;
    EXPECT_EQ(ScanTokens(",", std::string_view(text).substr(2), {&x, &y}), 2);
    EXPECT_EQ(text, "PA10,20");
    EXPECT_EQ(x, 10);
    EXPECT_EQ(y, 20);
}

TEST(ScanFieldsDelim, FirstListedDelimiterEndsTheField) {
    // "-" marks a field that was not stored: an empty field reads no word.
    struct Case {
        const char* delims;
        const char* text;
        int count;
        std::string f1, f2, f3;
    } cases[] = {
        {",;", "1;2,3", 2, "1;2", "3", "-"},
        {",;", "1;2;3", 3, "1", "2", "3"},
        {",", "a,,c", 3, "a", "-", "c"},  // empty fields count
        {",", "a,b,", 3, "a", "b", "-"},
        {",", "a", 1, "a", "-", "-"},
        {",", "\x95,b", 2, "\x95", "b", "-"},            // 95 2C is no pair: 2C is a comma
        {"\\", "\x95\x5C\\x", 2, "\x95\x5C", "x", "-"},  // trail 0x5C ends no field
    };
    for (const Case& c : cases) {
        std::string f1 = "-", f2 = "-", f3 = "-";
        EXPECT_EQ(ScanFieldsDelim(c.delims, c.text, {&f1, &f2, &f3}), c.count) << c.text;
        EXPECT_EQ(f1, c.f1) << c.text;
        EXPECT_EQ(f2, c.f2) << c.text;
        EXPECT_EQ(f3, c.f3) << c.text;
    }
}

TEST(ScanFieldsQuoted, TextFields) {
    struct Case {
        const char* text;
        std::string shape, code;
        int number;
    } cases[] = {
        {"12,  \"AB DE\",M12", "AB DE", "M12", 12},
        {"12,  AB DE,M12", "AB", "M12", 12},
        {"12,\"A,B\",M12", "A", "", 12},     // a comma inside quotes still ends the field
        {"12,\"open,M1", "open", "M1", 12},  // no closing quote: up to the field's end
        {"x,,", "", "", -1},
    };
    for (const Case& c : cases) {
        int number = -1;
        std::string shape = "?", code = "?";
        EXPECT_EQ(ScanFieldsQuoted(",", c.text, {&number, &shape, {&code, "%s"}}), 3) << c.text;
        EXPECT_EQ(number, c.number) << c.text;
        EXPECT_EQ(shape, c.shape) << c.text;
        EXPECT_EQ(code, c.code) << c.text;
    }
    // Only a format of exactly "%s" is treated so; "%9s" scans as usual.
    std::string word;
    EXPECT_EQ(ScanFieldsQuoted(",", "\"AB DE\"", {{&word, "%9s"}}), 1);
    EXPECT_EQ(word, "\"AB");
}

TEST(ScanFieldsQuoted, DieRecordLineOfAnyLength) {
    // One version-4 record of a possessed-die file, and the same with a 2,000-byte shape name.
    std::ifstream in(MORVALEN_TEST_DATA "/kernel/util/die-v4.dat", std::ios::binary);
    std::string line, record;
    while (std::getline(in, line))
        if (!line.empty() && line[0] != ';' && line[0] != '*' && line.rfind("TITLE", 0) != 0)
            record = line;
    if (!record.empty() && record.back() == '\r') record.pop_back();
    ASSERT_FALSE(record.empty());

    for (const std::string& text : {record, record + std::string(2000, 'z')}) {
        int number = 0, shape = 0, air = 0, rotation = 0, clamp = 0;
        char range = 0;
        double x = 0, y = 0, r = 0, angle = 0;
        std::string usage, file, start, end;
        int n = ScanFieldsQuoted(",", text,
                                 {&number,
                                  &range,
                                  &shape,
                                  &x,
                                  &y,
                                  &r,
                                  &angle,
                                  {&usage, "%9s"},
                                  &air,
                                  &rotation,
                                  &clamp,
                                  &file,
                                  &start,
                                  &end});
        EXPECT_EQ(n, 14);
        EXPECT_EQ(number, 101);
        EXPECT_EQ(range, 'B');
        EXPECT_EQ(shape, 2);
        EXPECT_DOUBLE_EQ(x, 10.5);
        EXPECT_DOUBLE_EQ(angle, 90.0);
        EXPECT_EQ(usage, "OO-O");
        EXPECT_EQ(clamp, 1);
        EXPECT_EQ(file, "\x8C\x60\x8F\xF3 A.dxf");  // 形状 A.dxf in CP932
        EXPECT_EQ(start, "M12");
        EXPECT_EQ(end.substr(0, 3), "M13");
    }
}

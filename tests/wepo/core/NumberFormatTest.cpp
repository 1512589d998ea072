// Formats of dialog items: the check of the caller's format, C notation, trimming, saturation.
#include "wepo/core/NumberFormat.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

namespace {

using wepo::FormatClass;

TEST(NumberFormatTest, TrimTrailingZeros) {
    struct Case {
        const char* text;
        int count;
        const char* out;
    } cases[] = {
        {"2.500", 1, "2.5"},  {"2.500", -1, "2.500"},    {"2.500", 0, "2.5"}, {"1.000", 0, "1."},
        {"1.000", 2, "1.00"}, {"100", 0, "100"},         {"0.000", 1, "0.0"}, {"2.505", 0, "2.505"},
        {"-3.10", 0, "-3.1"}, {"10.0 mm", 0, "10.0 mm"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(wepo::TrimTrailingZeros(c.text, c.count), c.out) << c.text;
}

TEST(NumberFormatTest, ClassifiesFormats) {
    struct Case {
        const char* format;
        FormatClass cls;
    } cases[] = {
        {"%d", FormatClass::Integer},     {"%ld", FormatClass::Integer},
        {"%-5d", FormatClass::Integer},   {"No. %03d", FormatClass::Integer},
        {"%x", FormatClass::Integer},     {"%.3lf", FormatClass::Real},
        {"%8.2f mm", FormatClass::Real},  {"%g", FormatClass::Real},
        {"%Lf", FormatClass::Real},       {"%s", FormatClass::String},
        {"[%-10s]", FormatClass::String}, {"100%% %d", FormatClass::Integer},
        {"", FormatClass::Invalid},       {"plain", FormatClass::Invalid},
        {"%d %d", FormatClass::Invalid},  {"%*d", FormatClass::Invalid},
        {"%n", FormatClass::Invalid},     {"%p", FormatClass::Invalid},
        {"%ls", FormatClass::Invalid},    {"%Ld", FormatClass::Invalid},
        {"%1$d", FormatClass::Invalid},   {"%", FormatClass::Invalid},
        {nullptr, FormatClass::Invalid},
    };
    for (const auto& c : cases)
        EXPECT_EQ(wepo::ClassifyFormat(c.format), c.cls) << (c.format ? c.format : "null");
}

TEST(NumberFormatTest, FormatsOnlyWithAFittingFormat) {
    std::string out = "old";
    EXPECT_FALSE(wepo::FormatRealWith("%d", 1.5, out));
    EXPECT_EQ(out, "old");
    EXPECT_FALSE(wepo::FormatInteger("%s", 1, out));
    EXPECT_FALSE(wepo::FormatString("%f", "x", out));
    EXPECT_TRUE(wepo::FormatInteger("%ld", 2147483647, out));
    EXPECT_EQ(out, "2147483647");
    EXPECT_TRUE(wepo::FormatInteger("%d", 5, out));
    EXPECT_EQ(out, "5");
    EXPECT_TRUE(wepo::FormatString("<%s>", "abc", out));
    EXPECT_EQ(out, "<abc>");
}

TEST(NumberFormatTest, TextsAreFormattedToTheirFullLength) {
    std::string out;
    ASSERT_TRUE(wepo::FormatRealWith("%.3f", std::ldexp(1.0, 500), out));
    EXPECT_EQ(out.size(), 155u);  // 2^500 has 151 digits; the point and three decimals
    EXPECT_EQ(out.substr(0, 6), "327339");
    ASSERT_TRUE(wepo::FormatString("%s", std::string(300, 'x'), out));
    EXPECT_EQ(out.size(), 300u);
}

TEST(NumberFormatTest, RealsUseTheCNotationUnderACommaLocale) {
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) GTEST_SKIP() << "no de_DE locale";
    std::string out;
    EXPECT_TRUE(wepo::FormatRealWith("%.3lf", 2.5, out));
    EXPECT_EQ(out, "2.500");
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(NumberFormatTest, DefaultRealFormatAndTrimCount) {
    EXPECT_EQ(wepo::FormatDefaultReal(6), "6.000");
    wepo::DlgBoxSetRealFormat("%.4lf", 1);
    std::string format;
    int trim = 0;
    wepo::DlgBoxGetRealFormat(&format, &trim);
    EXPECT_EQ(format, "%.4lf");
    EXPECT_EQ(trim, 1);
    EXPECT_EQ(wepo::FormatDefaultReal(2.5), "2.5");
    EXPECT_EQ(wepo::FormatDefaultReal(2), "2.0");
    wepo::DlgBoxSetRealFormat("%d", 0);  // takes no real: "%.3lf" is used
    EXPECT_EQ(wepo::FormatDefaultReal(1.25), "1.25");
    wepo::DlgBoxSetRealFormat("%.12345678901234567890lf", -1);  // kept to 16 characters
    wepo::DlgBoxGetRealFormat(&format, nullptr);
    EXPECT_EQ(format.size(), 16u);
    wepo::DlgBoxSetRealFormat(nullptr, -1);
    EXPECT_EQ(wepo::FormatDefaultReal(6), "6.000");
}

TEST(NumberFormatTest, SaturatesInsteadOfWrapping) {
    EXPECT_EQ(wepo::SaturateToBits(300.0, 8), 127);
    EXPECT_EQ(wepo::SaturateToBits(-300.0, 8), -128);
    EXPECT_EQ(wepo::SaturateToBits(-2.9, 8), -2);
    EXPECT_EQ(wepo::SaturateToBits(70000.0, 16), 32767);
    EXPECT_EQ(wepo::SaturateToBits(3e9, 32), 2147483647);
    EXPECT_EQ(wepo::SaturateToBits(-3e9, 32), -2147483648LL);
    EXPECT_EQ(wepo::SaturateToBits(std::numeric_limits<double>::quiet_NaN(), 16), 0);
    EXPECT_EQ(wepo::SaturateToBits(std::numeric_limits<double>::infinity(), 16), 32767);
    EXPECT_EQ(wepo::SaturateToBits(40000LL, 16), 32767);
    EXPECT_EQ(wepo::SaturateToBits(-129LL, 8), -128);
}

}  // namespace

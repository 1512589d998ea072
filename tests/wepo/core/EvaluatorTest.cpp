// The expression evaluator: one table of texts with their value, outcome and stop position.
#include "wepo/core/Evaluator.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>

namespace {

struct Case {
    const char* text;
    int ok;        // 1 success, 0 failure
    double value;  // expected value (on success)
    int error;     // error code on failure
    int stop;      // characters consumed; -1: the whole text
};

const Case kCases[] = {
    // Precedence, associativity and unary signs.
    {"2+3*4", 1, 14, 0, -1},
    {"(2+3)*4", 1, 20, 0, -1},
    {"-2*3", 1, -6, 0, -1},
    {"2*-3", 1, -6, 0, -1},
    {"10/4", 1, 2.5, 0, -1},
    {"10-4-3", 1, 3, 0, -1},
    {"16/4/2", 1, 2, 0, -1},
    {"--3", 1, 3, 0, -1},
    {"+4", 1, 4, 0, -1},
    {"-2-3", 1, -5, 0, -1},
    {" \t 7 ", 1, 7, 0, -1},
    {"1.5e2+.5", 1, 150.5, 0, -1},
    {"1/0>1", 1, 1, 0, -1},  // division by zero is no error
    // Functions in degrees, names on their first 8 letters in any case.
    {"sin(30)", 1, 0.5, 0, -1},
    {"SIN(30)", 1, 0.5, 0, -1},
    {"cos(60)", 1, 0.5, 0, -1},
    {"tan(45)", 1, 1, 0, -1},
    {"asin(1)", 1, 90, 0, -1},
    {"acos(0)", 1, 90, 0, -1},
    {"atan(1)", 1, 45, 0, -1},
    {"atan2(1,1)", 1, 45, 0, -1},
    {"atan2(1,-1)", 1, 135, 0, -1},  // the first argument is the ordinate
    {"hypot(3,4)", 1, 5, 0, -1},
    {"hypot( 3 , 4 )", 1, 5, 0, -1},
    {"sqrt(16)", 1, 4, 0, -1},
    {"abs(-2.5)", 1, 2.5, 0, -1},
    {"pai*2", 1, 6.283185307179586, 0, -1},
    {"Pai", 1, 3.141592653589793, 0, -1},
    // Hexadecimal as a signed 32-bit value.
    {"0x1F", 1, 31, 0, -1},
    {"0x10+1", 1, 17, 0, -1},
    {"0XfF", 1, 255, 0, -1},
    {"0xFFFFFFFF", 1, 2147483647, 0, -1},  // saturates as strtol did
    // Degrees, minutes and seconds.
    {"30:", 1, 30, 0, -1},
    {"30:15'", 1, 30.25, 0, -1},
    {"30:15'36\"", 1, 30.26, 0, -1},
    {"30\xDF"
     "15'",
     1, 30.25, 0, -1},
    {"30:15", 0, 0, 1001, -1},
    {"30:15'36", 0, 0, 1001, -1},
    // Comparisons with the tolerance 1e-8, logic and the conditional.
    {"1==1.000000001", 1, 1, 0, -1},
    {"1=1.1", 1, 0, 0, -1},
    {"1!=1.000000001", 1, 0, 0, -1},
    {"1<>2", 1, 1, 0, -1},
    {"1><1", 1, 0, 0, -1},
    {"1>=1.000000001", 1, 1, 0, -1},
    {"1.000000001<=1", 1, 1, 0, -1},
    {"1>1", 1, 0, 0, -1},
    {"1<2", 1, 1, 0, -1},
    {"3>2>1", 1, 0, 0, -1},  // (3>2) is 1, and 1>1 is 0
    {"2>1 && 3<2", 1, 0, 0, -1},
    {"0 || 3", 1, 1, 0, -1},
    {"1 ? 5 : 7", 1, 5, 0, -1},
    {"0 ? 5 : 7", 1, 7, 0, -1},
    {"1 ? 5", 0, 0, 1001, -1},
    {"1?5:7", 0, 0, 1001, -1},  // "5:" starts an angle, and 7 lacks its apostrophe
    // Where parsing stops; the rest is no error.
    {"12abc", 1, 12, 0, 2},
    {"1 & 2", 1, 1, 0, 2},
    {"1 | 2", 1, 1, 0, 2},
    {"1 ! 2", 1, 1, 0, 2},
    {"1 ? 5 : 7 ? 8 : 9", 1, 5, 0, 10},
    {"4 )", 1, 4, 0, 2},
    // Errors.
    {"foo(1)", 0, 0, 1003, -1},
    {"sinusoida(30)", 0, 0, 1003, -1},  // only the first 8 letters are compared: "sinusoid"
    {"sqrt 4", 0, 0, 1001, -1},
    {"", 0, 0, 1001, -1},
    {"2*", 0, 0, 1001, -1},
    {"(1+2", 0, 0, 1001, -1},
    {"hypot(3 4)", 0, 0, 1001, -1},
    {"*3", 0, 0, 1001, -1},
};

TEST(EvaluatorTest, Table) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.text);
        const char* p = c.text;
        double value = -99;
        int error = -1;
        int ok = wepo::EvaluateExpression(p, &value, &error);
        EXPECT_EQ(ok, c.ok);
        if (c.ok) {
            EXPECT_NEAR(value, c.value, std::fabs(c.value) * 1e-15 + 1e-15);
            EXPECT_EQ(error, 0);
        } else {
            EXPECT_EQ(error, c.error);
        }
        if (c.stop >= 0) {
            EXPECT_EQ(p - c.text, c.stop);
        } else if (c.ok) {
            EXPECT_EQ(*p, '\0');
        }
    }
}

TEST(EvaluatorTest, ValueAfterFailureCountsTheFailingOperandAsZero) {
    const char* text = "5+foo(1)";
    const char* p = text;
    double value = 0;
    EXPECT_EQ(wepo::EvaluateExpression(p, &value), 0);
    EXPECT_EQ(value, 5);
    EXPECT_EQ(p - text, 5);  // stopped after the unknown name
}

TEST(EvaluatorTest, TextsLongerThan255CharactersAreRefusedNotCut) {
    std::string ok = "1" + std::string(253, ' ') + "+1";  // 256 characters
    std::string fits = std::string(254, ' ') + "7";       // 255 characters
    const char* p = ok.c_str();
    double value = 0;
    EXPECT_EQ(wepo::EvaluateExpression(p, &value), 0);
    EXPECT_EQ(p, ok.c_str());
    p = fits.c_str();
    EXPECT_EQ(wepo::EvaluateExpression(p, &value), 1);
    EXPECT_EQ(value, 7);
}

TEST(EvaluatorTest, TrailingBlanksAreConsumedOnlyOnSuccess) {
    const char* text = "3 + 4   ";
    const char* p = text;
    double value = 0;
    ASSERT_EQ(wepo::EvaluateExpression(p, &value), 1);
    EXPECT_EQ(p - text, 8);
}

TEST(EvaluatorTest, IgnoresADecimalCommaLocale) {
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) GTEST_SKIP() << "no de_DE locale";
    const char* p = "1.5*2";
    double value = 0;
    EXPECT_EQ(wepo::EvaluateExpression(p, &value), 1);
    EXPECT_EQ(value, 3);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

}  // namespace

// Tests of the attribute texts: C-locale fixed formatting, the kinds' layouts, reading back
// and the rewrite of copied elements.
#include "nc/read/NcAttributeTexts.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "kernel/db/CDtbLine.h"
#include "kernel/db/CDtbPoint.h"
#include "nc/read/CNcRead.h"

namespace {

std::string Fixed(double v) {
    char buf[400];
    return std::string(buf, FormatFixed3(buf, v));
}

std::vector<std::string> Texts(const CDtbElement& e) {
    std::vector<std::string> out;
    for (std::string_view t : e.attributes) out.emplace_back(t);
    return out;
}

TEST(NcAttributeTexts, FixedThreeDecimalsAsPrintf) {
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {0.0, "0.000"},
        {-0.0, "-0.000"},
        {1.5, "1.500"},
        {-0.0001, "-0.000"},
        {-1.2344, "-1.234"},
        {1.2346, "1.235"},
        {10.0005, "10.001"},
        {2.0005, "2.001"},
        {0.0625, "0.062"},  // exact tie: even
        {0.1875, "0.188"},
        {1775.0, "1775.000"},
        {123456789.123, "123456789.123"},
        {1e20, "100000000000000000000.000"},
        {-50.0, "-50.000"},
        {15.707963267948966, "15.708"},
    };
    for (const Case& c : cases) EXPECT_EQ(Fixed(c.value), c.text) << c.value;
}

// The fast path agrees with the exact conversion on values of every scale, halves included.
TEST(NcAttributeTexts, FixedAgreesWithExactConversion) {
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    const double scales[] = {1e-4, 1e-2, 1.0, 1e2, 1e4, 1e6, 1e8, 1e10, 1e12};
    for (double scale : scales) {
        for (int i = 0; i < 20000; ++i) {
            double v = unit(rng) * scale;
            if (i % 4 == 0) v = std::round(v * 2000.0) / 2000.0;  // near halves of the last digit
            char exact[400];
            const auto r =
                std::to_chars(exact, exact + sizeof exact, v, std::chars_format::fixed, 3);
            ASSERT_EQ(Fixed(v), std::string(exact, r.ptr)) << v;
        }
    }
}

TEST(NcAttributeTexts, FormatAndParseEveryKind) {
    struct Case {
        const char* text;
    };
    const Case cases[] = {
        {"ElmInfo=1 0.000 0.000 0.000 10.000 0.000 0.000 0.000 10.000"},
        {"ElmInfo=2 10.000 0.000 0.000 0.000 10.000 0.000 0.000 0.000 0.000 0.000 90.000 0 10.000 "
         "15.708"},
        {"ElmInfo=3 0.000 0.000 0.000 0.000 0.000 1.000 1.000 0.000"},
        {"ElmInfo=4 1.000 2.000 3.000 4.000 5.000 6.000 7.000 8.000 9.000 5.000 31.406 0 0.000 "
         "0.000"},
        {"ElmInfo=5 1 3 10.000 5.000 0.000 90.000 20.000 30.000 0.000"},
        {"ElmInfo=6 2 7 1.000 2.000 3.000 4.000 5.000 6.000 7.000 8.000 9.000 10.000 11.000 12.000 "
         "13"},
        {"ElmInfo=7 3 8 1.000 2.000 3.000 4.000 5.000 6.000 7.000 8.000 9.000 10.000 11.000"},
        {"ElmInfo=8 4 9 1.000 2.000 3.000 4.000 5.000 6.000 7.000 8.000 9.000 10.000 11.000 12"},
        {"ElmInfo=9 5 10 1.000 2.000 3.000 4.000 5.000 6.000 7.000 8.000 9.000 3 4"},
    };
    for (const Case& c : cases) {
        NcElmInfo info;
        ASSERT_TRUE(ParseElmInfo(c.text, info)) << c.text;
        char buf[kNcTextCapacity];
        EXPECT_EQ(std::string(buf, FormatElmInfo(info, buf)), c.text);
    }
}

TEST(NcAttributeTexts, RejectsShortAndForeignTexts) {
    const char* bad[] = {"ElmInfo=",          "ElmInfo=1", "ElmInfo=0 1 2",  "ElmInfo=x 1 2",
                         "ElmInfo=1 1.0 2.0", "LineNo=3",  "ElmInfo=5 1 3 a"};
    for (const char* text : bad) {
        NcElmInfo info;
        EXPECT_FALSE(ParseElmInfo(text, info)) << text;
    }
}

// The rewrite of Part-copies: points move, every other field stays, the text goes to the end.
TEST(NcAttributeTexts, OffsetElementInfoTable) {
    struct Case {
        std::vector<std::string> texts;
        CxyzData offset;
        int result;
        std::vector<std::string> after;
    };
    const std::vector<Case> cases = {
        {{"LineNo=3", "ElmInfo=1 0.000 0.000 0.000 10.000 0.000 0.000 0.000 10.000", "PrtNo=0"},
         {5, 2, 0},
         1,
         {"LineNo=3", "PrtNo=0", "ElmInfo=1 5.000 2.000 0.000 15.000 2.000 0.000 0.000 10.000"}},
        {{"ElmInfo=2 10.000 0.000 0.000 0.000 10.000 0.000 0.000 0.000 0.000 0.000 90.000 0 "
          "10.000 15.708"},
         {100, 50, 0},
         1,
         {"ElmInfo=2 110.000 50.000 0.000 100.000 60.000 0.000 100.000 50.000 0.000 0.000 90.000 "
          "0 10.000 15.708"}},
        {{"LineNo=1", "ElmInfo=5 1 3 10.000 5.000 0.000 90.000 20.000 30.000 0.000"},
         {1, 1, 0},
         1,
         {"LineNo=1", "ElmInfo=5 1 3 10.000 5.000 0.000 90.000 21.000 31.000 0.000"}},
        // Only the first of two texts is rewritten; it moves behind the second.
        {{"ElmInfo=3 0.000 0.000 0.000 1.000 0.000 0.000 1.000 0.000", "LineNo=2",
          "ElmInfo=3 1.000 0.000 0.000 0.000 0.000 0.000 1.000 0.000"},
         {1, 0, 0},
         1,
         {"LineNo=2", "ElmInfo=3 1.000 0.000 0.000 0.000 0.000 0.000 1.000 0.000",
          "ElmInfo=3 1.000 0.000 0.000 2.000 0.000 0.000 1.000 0.000"}},
        {{"ElmInfo=0 1 2 3"}, {1, 1, 1}, 0, {"ElmInfo=0 1 2 3"}},
        {{"ElmInfo=x 1 2 3"}, {1, 1, 1}, 0, {"ElmInfo=x 1 2 3"}},
        // A text with fewer values than its kind holds is left as it is.
        {{"ElmInfo=1 1.000 2.000"}, {1, 1, 1}, 0, {"ElmInfo=1 1.000 2.000"}},
        {{"LineNo=4"}, {1, 1, 1}, 0, {"LineNo=4"}},
    };
    for (const Case& c : cases) {
        CDtbPoint p;
        for (const std::string& t : c.texts) p.attributes.Add(t);
        EXPECT_EQ(CNcRead::OffsetElementInfo(&p, &c.offset), c.result) << c.texts[0];
        EXPECT_EQ(Texts(p), c.after) << c.texts[0];
    }
    CxyzData offset(1, 1, 1);
    EXPECT_EQ(CNcRead::OffsetElementInfo(nullptr, &offset), 0);
}

// The grid copies rewrite every text in place, so a copied element's own text (the last one,
// which the views read) follows the copy as well.
TEST(NcAttributeTexts, OffsetAllRewritesInPlace) {
    CDtbPoint p;
    p.attributes.Add("ElmInfo=3 0.000 0.000 0.000 1.000 0.000 0.000 1.000 0.000");
    p.attributes.Add("LineNo=2");
    p.attributes.Add("ElmInfo=3 1.000 0.000 0.000 0.000 0.000 0.000 1.000 0.000");
    EXPECT_EQ(OffsetAllElmInfo(p, CxyzData(0, 10, 0)), 2);
    EXPECT_EQ(Texts(p),
              (std::vector<std::string>{
                  "ElmInfo=3 0.000 10.000 0.000 1.000 10.000 0.000 1.000 0.000", "LineNo=2",
                  "ElmInfo=3 1.000 10.000 0.000 0.000 10.000 0.000 1.000 0.000"}));
}

TEST(NcAttributeTexts, LineKindByHeights) {
    CDtbLine flat(CxyzData(0, 0, 0), CxyzData(3, 4, 0.0005));
    CDtbLine slope(CxyzData(0, 0, 0), CxyzData(3, 4, 0.001));
    EXPECT_EQ(LineElmInfo(flat).kind, 1);
    const NcElmInfo s = LineElmInfo(slope);
    EXPECT_EQ(s.kind, 3);
    EXPECT_NEAR(s.v[6], 5.0, 1e-6);
    EXPECT_EQ(s.v[7], 0.0);
    AddElementTexts(slope, 7, 3, &s);
    EXPECT_EQ(Texts(slope), (std::vector<std::string>{
                                "LineNo=7", "PrtNo=3",
                                "ElmInfo=3 0.000 0.000 0.000 3.000 4.000 0.001 5.000 0.000"}));
}

}  // namespace

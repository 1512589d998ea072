// Tests of the header template rules: placeholders, layer count and the LAYER-table skip.
#include <gtest/gtest.h>

#include <string>

#include "kernel/io/DxfHeaderTemplate.h"

namespace {

// A template with LF ends and trailing blanks, and a LAYER table of three entries.
const char* const kTemplate =
    "999\n{NC_NAME}  \n  0\nSECTION\n  2\nHEADER\n  9\n$EXTMIN\n 10\nx{$EXTMIN_X}x\n 20\n"
    "{$EXTMIN_Y}\n  9\n$EXTMAX\n 10\n{$EXTMAX_X}\n 20\n{$EXTMAX_Y}\n  0\nENDSEC\n"
    "  0\nTABLE\n  2\nLAYER\n 70\n{LAYER_NUM}\n"
    "  0\nLAYER\n  2\n{LAYER_NAME1}\n 70\n     0\n"
    "  0\nlayer\n  2\n{LAYER_NAME2}\n 70\n     0\n"
    "  0\nLAYER\n  2\n{LAYER_NAME3}\n 70\n     0\n"
    "  0\nENDTAB\n  0\nSECTION\n  2\nENTITIES";

std::string Fill(std::vector<std::string> layers, const char* templ = kTemplate) {
    DxfHeaderValues v;
    v.ncName = "O1234.NC";
    v.min = CxyData(-1.5, -0.0000004);
    v.max = CxyData(1234.5678906, 2e6);
    v.layers = std::move(layers);
    std::string out;
    FillDxfHeader(templ, v, out);
    return out;
}

std::string Crlf(std::string s) {
    std::string out;
    for (char c : s) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

const std::string kHead =
    "999\n O1234.NC\n  0\nSECTION\n  2\nHEADER\n  9\n$EXTMIN\n 10\n-1.500000\n 20\n-0.000000\n"
    "  9\n$EXTMAX\n 10\n1234.567891\n 20\n2000000.000000\n  0\nENDSEC\n  0\nTABLE\n  2\nLAYER\n"
    " 70\n";
const std::string kTail = "  0\nENDTAB\n  0\nSECTION\n  2\nENTITIES\n";

}  // namespace

TEST(DxfHeaderTemplateTest, LayerEntriesFollowTheLayerCount) {
    struct Case {
        std::vector<std::string> layers;
        std::string table;
    };
    const Case cases[] = {
        {{"CUT", "MARK", "FF"},
         "     3\n  0\nLAYER\n  2\nCUT\n 70\n     0\n  0\nlayer\n  2\nMARK\n 70\n     0\n"
         "  0\nLAYER\n  2\nFF\n 70\n     0\n"},
        {{"CUT", "FF"},
         "     2\n  0\nLAYER\n  2\nCUT\n 70\n     0\n  0\nlayer\n  2\nFF\n 70\n     0\n"},
        {{"1"}, "     1\n  0\nLAYER\n  2\n1\n 70\n     0\n"},
    };
    for (const Case& c : cases) {
        std::string expected = kHead + c.table + kTail;
        expected.replace(expected.find(" O1234"), 1, "");
        EXPECT_EQ(Fill(c.layers), Crlf(expected)) << c.layers.size();
    }
}

TEST(DxfHeaderTemplateTest, WholeLineIsReplacedAndTrailingBlanksGo) {
    const std::string out = Fill({"A"}, "pre {NC_NAME} post\r\nx{LAYER_NUM}y \r\nLAST   ");
    EXPECT_EQ(out, "O1234.NC\r\n     1\r\nLAST\r\n");
}

// An edited template asking for a third layer name when only one exists gets an empty line,
// not a read past the layer list.
TEST(DxfHeaderTemplateTest, MissingLayerNameGivesAnEmptyLine) {
    EXPECT_EQ(Fill({"A"}, "{LAYER_NAME3}\n{LAYER_NAME1}\n"), "\r\nA\r\n");
}

TEST(DxfHeaderTemplateTest, DecimalCommaLocaleDoesNotChangeNumbers) {
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    std::string saved = old ? old : "C";
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) GTEST_SKIP() << "no de_DE.UTF-8 locale";
    const std::string out = Fill({"A"}, "{$EXTMIN_X}\n");
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_EQ(out, "-1.500000\r\n");
}

// Shape texts and row texts of the die dialogs, checked against texts worked out by hand.
#include <gtest/gtest.h>

#include <string>

#include "nc/machine/DieDialogTexts.h"
#include "platform/TextCodec.h"

namespace {

std::string Cp(std::string_view utf8) {
    return platform::Utf8ToCp932(utf8).bytes;
}

DieRecord Die(int number, int range, int shape, double x, double y = 0, double r = 0,
              double angle = 0) {
    DieRecord d;
    d.Number = static_cast<int16_t>(number);
    d.Range = static_cast<int16_t>(range);
    d.Shape = static_cast<int16_t>(shape);
    d.SizeX = x;
    d.SizeY = y;
    d.SizeR = r;
    d.Angle = angle;
    return d;
}

DieRecord WithFile(DieRecord d, std::string file) {
    d.ShapeFile = std::move(file);
    return d;
}

TEST(DieShapeText, EveryShapeAndTheEmptyOnes) {
    struct Case {
        DieRecord die;
        const char* text;  // UTF-8
    };
    const Case cases[] = {
        {Die(1, 1, 1, 10), "φ10"},
        {Die(1, 1, 2, 20.5, 20.5, 0, 45), "□20.5-45"},
        {Die(1, 1, 3, 10, 12.5, 0, 0), "長角10*12.5-0"},
        {Die(1, 1, 4, 30, 10, 0, 90), "長丸30*10-90"},
        {Die(1, 1, 5, 3), "CP3"},
        {Die(1, 1, 6, 10.25, 8), "DD10.25*8"},
        {Die(1, 1, 7, 10, 8.1), "SD10*8.1"},
        {Die(1, 1, 8, 4.5, 1, 1), "BR4.5"},
        {Die(1, 1, 9, 20, 0, 2), "R角20-2"},
        {WithFile(Die(1, 1, 10, 0), "ABC.DEF.SPF"), "特ABC"},
        {Die(1, 1, 11, 6), "TP6"},
        {WithFile(Die(1, 1, 12, 0), "FORM1.SEF"), "成FORM1"},
        {WithFile(Die(1, 1, 13, 0), "LOGO"), "刻LOGO"},
        {Die(1, 1, 14, 10, 20, 3.333), "ｺｰﾅｰ10*20-3.33"},
        {Die(1, 1, 1, -2.5), "φ-2.5"},
        {Die(1, 1, 1, 100), "φ100"},
        {Die(1, 1, 0, 10), ""},
        {Die(1, 1, 15, 10), ""},
        {Die(1, 1, -1, 10), ""},
    };
    for (const Case& c : cases) {
        std::string out = "old";
        EXPECT_EQ(FormatShapeText(c.die, &out), 0);
        EXPECT_EQ(out, Cp(c.text)) << c.text;
    }
    EXPECT_EQ(FormatShapeText(Die(1, 1, 1, 10), nullptr), -1);
}

TEST(DieShapeText, ShapeFileInCp932IsCutAtItsFirstPoint) {
    // "型.SPF": the full-width character keeps both its bytes.
    DieRecord d = WithFile(Die(1, 1, 10, 0), Cp("型番.V2.SPF"));
    EXPECT_EQ(ShapeText(d), Cp("特型番"));
}

TEST(DieRows, BothLayoutsOfEverySubstitutingShape) {
    DieRecord ro = Die(1, 2, 1, 10);
    ro.Usage = 1;
    DieRecord br = Die(12, 0, 8, 5, 1, 1);
    br.Air = 1;
    br.Usage = (1 << 2) | (1 << 5);
    DieRecord brNormal = Die(13, 3, 8, 5, 0, 0);
    DieRecord tp = Die(300, 10, 11, 6, 0);
    DieRecord tpLeft = Die(301, 10, 11, 6, 1);
    DieRecord cp = Die(7, 1, 5, 3, 0);
    DieRecord se = WithFile(Die(8, 4, 12, 0, 1), "FORM.SEF");
    DieRecord sp = WithFile(Die(9, 5, 10, 0, 0, 0, 90), "STAR.SPF");
    struct Case {
        DieRecord die;
        DieRowStyle style;
        const char* row;  // UTF-8
    };
    const Case cases[] = {
        {ro, DieRowStyle::DieList, "    1  B   丸    10.00    0.00    0.00    0.00  OFF  O----- "},
        {ro, DieRowStyle::Arrangement, "   1 B  丸   10.00   0.00   0.00   0.00  OFF  O----- "},
        {br, DieRowStyle::Arrangement, "  12 * ﾊﾞｰﾘ   5.00 下向き ｴﾝﾄﾞﾚｽ   0.00  ON   --O--O "},
        {br, DieRowStyle::DieList, "   12     ﾊﾞｰﾘ    5.00  下向き  ｴﾝﾄﾞﾚｽ    0.00  ON   --O--O "},
        {brNormal, DieRowStyle::Arrangement,
         "  13 C ﾊﾞｰﾘ   5.00 上向き   通常   0.00  OFF  ------ "},
        {tp, DieRowStyle::DieList, "  300  J  ﾀｯﾌﾟ    6.00  右ネジ    0.00    0.00  OFF  ------ "},
        {tpLeft, DieRowStyle::Arrangement, " 301 J ﾀｯﾌﾟ   6.00 左ネジ   0.00   0.00  OFF  ------ "},
        {cp, DieRowStyle::Arrangement, "   7 A ｾﾝﾀP   3.00 上向き   0.00   0.00  OFF  ------ "},
        {se, DieRowStyle::DieList,
         "    8  D  成型    0.00  下向き    0.00    0.00  OFF  ------ FORM.SEF"},
        {sp, DieRowStyle::Arrangement,
         "   9 E 特型   0.00   0.00   0.00  90.00  OFF  ------ STAR.SPF"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatDieRow(c.die, c.style), Cp(c.row)) << c.row;
}

// The columns line up whatever the shape: the air column starts at the same display column in
// every row (a CP932 byte is one column).
TEST(DieRows, ColumnsLineUpForEveryShape) {
    for (DieRowStyle style : {DieRowStyle::DieList, DieRowStyle::Arrangement}) {
        size_t column = std::string::npos;
        for (int shape = 0; shape <= 15; ++shape) {
            for (double flag : {0.0, 1.0}) {
                DieRecord d = Die(5, 1, shape, 10, flag, flag, 0);
                std::string row = FormatDieRow(d, style);
                size_t at = row.find("OFF");
                ASSERT_NE(at, std::string::npos);
                if (column == std::string::npos) column = at;
                EXPECT_EQ(at, column) << "shape " << shape;
            }
        }
    }
}

TEST(StationRows, WidthsWordsAndShapeText) {
    std::vector<DieRecord> dies = {Die(1, 2, 1, 10), Die(1, 3, 2, 99),
                                   WithFile(Die(4, 1, 10, 0), std::string(40, 'L') + ".SPF")};
    StationRecord s;
    s.StationNo = 201;
    s.Range = 2;
    s.AcFlag = 1;
    s.Die = dies[0];
    EXPECT_EQ(FormatStationRow(s, 1, dies, 3), Cp("  1 201   1  B -- O φ10"));

    StationRecord empty;
    empty.StationNo = 0;
    empty.Range = 1;
    empty.AutoIndex = 1;
    empty.Die.Number = -1;
    EXPECT_EQ(FormatStationRow(empty, 12, dies, 3), " 12 ---  --  A AI - ");

    // A long shape text is never cut.
    StationRecord special;
    special.StationNo = 5;
    special.Range = 10;
    special.Die = dies[2];
    EXPECT_EQ(FormatStationRow(special, 100, dies, 3),
              Cp("100   5   4  J -- - 特") + std::string(40, 'L'));
    // A die number the table does not have shows no shape text; only the counted dies count.
    special.Die.Number = 4;
    EXPECT_EQ(FormatStationRow(special, 3, dies, 2), "  3   5   4  J -- - ");
}

}  // namespace

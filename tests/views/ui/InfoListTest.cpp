// Information list: extents and trace-status rows, their C-notation formats, settings, widget.
#include <gtest/gtest.h>

#include <clocale>
#include <fstream>
#include <string>
#include <vector>

#include "TempDir.h"
#include "TestFiles.h"
#include "kernel/db/CDtbEngine.h"
#include "kernel/db/CDtbLine.h"
#include "nc/machine/CNcReadInfo.h"
#include "nc/read/CNcRead.h"
#include "nc/read/NcProgramRunner.h"
#include "views/CNcInfoView.h"

namespace {

// The laser sample run whole, as the document rebuild and a trace to the end run it.
struct LaserSample {
    CNcReadInfo settings;
    CNcRead reader;
    CDtbEngine elements;
    LaserSample() {
        settings.LaserPunch = kNcTypeLaser;
        reader.SetProgram(test::ReadLines(MORVALEN_SOURCE_DIR "/examples/laser-sample.nc"),
                          &settings, nullptr, 0);
        NcProgramRunner runner(reader);
        runner.Run(elements);
    }
};

}  // namespace

TEST(InfoListRows, NumbersUseTheFixedWidthsInCNotationWhateverTheLocale) {
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = old ? old : "C";
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");  // a decimal comma where the system has it
    EXPECT_EQ(FormatTriple(12.5, -3, 0), "   12.500,    -3.000,     0.000");
    EXPECT_EQ(FormatReal9(123456.7891), "123456.789");  // wider than 9: not cut
    EXPECT_EQ(FormatReal9(-0.0), "    0.000");
    EXPECT_EQ(FormatReal9(-0.0004), "    0.000");
    EXPECT_EQ(FormatInt9(7) + ", " + FormatInt9(2), "        7,         2");
    EXPECT_EQ(FormatInt9(0), "        0");
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(InfoListRows, ADocumentWithoutElementsHasNoRows) {
    CDtbEngine empty;
    EXPECT_TRUE(ExtentRows(empty).empty());
}

// The rows worked out by hand from examples/laser-sample.nc. G92 X1000. Y1000. at the start
// (0, 0) makes the work origin (-1000, -1000), so program (x, y) lies at (x - 1000, y - 1000).
// The path: a rapid from (0, 0) to (-980, -980); cuts of 100, 60, a quarter of r20 (31.416),
// 80 and 80; a rapid of 50 to (-940, -950); a full circle of r10 (62.832); a rapid of
// sqrt(60^2 + 50^2) back to program (0, 0), that is (-1000, -1000). M103 and M104 are no
// option codes of the default machine: the reader stays cutting and counts no pierce. The
// default machine's initial base point has Z 50.0 and the program gives no Z: z is -50.
TEST(InfoListRows, TheSampleProgramGivesItsExtentsAndItsTraceStatus) {
    LaserSample sample;
    ASSERT_FALSE(sample.elements.IsEmpty());
    const std::vector<InfoListRow> extents = ExtentRows(sample.elements);
    ASSERT_EQ(extents.size(), 2u);
    EXPECT_EQ(extents[0].label, "Max");
    EXPECT_EQ(extents[1].label, "Min");
    // The rapids span the box: from the start (0, 0) to the end at (-1000, -1000).
    EXPECT_EQ(extents[0].value, "    0.000,     0.000,   -50.000");
    EXPECT_EQ(extents[1].value, "-1000.000, -1000.000,   -50.000");

    const CNcReadState& st = sample.reader.State;
    const std::vector<InfoListRow> status = TraceStatusRows(st, 0);
    ASSERT_EQ(status.size(), 4u);
    EXPECT_EQ(status[0].label, InfoListText(kInfoLabelXyz));
    EXPECT_EQ(status[1].label, InfoListText(kInfoLabelCutLength));
    EXPECT_EQ(status[2].label, InfoListText(kInfoLabelPierceCount));
    EXPECT_EQ(status[3].label, InfoListText(kInfoLabelCutTime));
    EXPECT_EQ(status[0].value, "-1000.000, -1000.000,   -50.000");
    // Cut 100 + 60 + 31.416 + 80 + 80 + 62.832; no marking; rapid 980 * sqrt(2) + 50 + 78.102.
    EXPECT_EQ(status[1].value, "  414.248,     0.000,  1514.032");
    EXPECT_EQ(status[2].value, "        0,         0");
    EXPECT_EQ(status[3].value, "        0");
}

TEST(InfoListView, ShowsExtentsAfterAnUpdateAndTheTraceStatusAfterAStep) {
    LaserSample sample;
    CNcInfoView view;
    view.SetSource({}, &sample.elements);
    view.OnUpdate();
    ASSERT_EQ(view.Rows().size(), 2u);
    QAbstractItemModel* m = view.model();
    EXPECT_EQ(m->columnCount(), 2);
    EXPECT_EQ(m->headerData(0, Qt::Horizontal).toString().toStdString(),
              InfoListText(kInfoHeadSign));
    EXPECT_EQ(m->data(m->index(0, 0)).toString(), "Max");
    EXPECT_EQ(view.columnWidth(0), 60);
    EXPECT_EQ(view.columnWidth(1), 350);

    EXPECT_EQ(view.ShowTraceStatus(sample.reader), 0);
    ASSERT_EQ(m->rowCount(), 4);
    EXPECT_EQ(m->data(m->index(3, 1)).toString(), "        0");
    // The extents come back with the next update.
    view.OnUpdate();
    EXPECT_EQ(m->rowCount(), 2);
}

TEST(InfoListView, SettingsGiveTheTextColourAndAFontNameOfAtMost31Bytes) {
    test::TempDir dir;
    const auto ini = dir.path() / "system.ini";
    // 15 double-byte characters and one more: the 16th would end at byte 32.
    std::string name;
    for (int i = 0; i < 16; ++i) name += "\x83\x53";
    std::ofstream(ini) << "[NcInfoView]\r\nTextColorR=300\r\nTextColorG=1\r\nTextColorB=2\r\n"
                          "FontSize=90\r\nFontName="
                       << name << "\r\n";
    CDtbEngine empty;
    CNcInfoView view;
    view.SetSource(ini, &empty);
    view.OnUpdate();
    EXPECT_EQ(view.Rows().size(), 0u);
    EXPECT_EQ(view.palette().color(QPalette::Text), QColor(44, 1, 2));
    EXPECT_DOUBLE_EQ(view.font().pointSizeF(), 9.0);
    // 15 katakana of three UTF-8 bytes each; the cut never splits a character.
    EXPECT_EQ(view.Settings().fontName.size(), 45u);
}

TEST(InfoListView, DefaultsWithoutASettingsFile) {
    CNcInfoView view;
    view.OnUpdate();
    EXPECT_EQ(view.palette().color(QPalette::Text), QColor(0, 0, 255));
    EXPECT_EQ(view.Settings().fontSize, 110);
    EXPECT_EQ(view.Settings().fontName, "ＭＳ ゴシック");
}
